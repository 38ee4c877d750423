#include "shell/formdl.h"

#include "data/database.h"
#include "data/demodm.h"
#include "data/firstcontent.h"
#include "shell/app.h"
#include "shell/controls.h"
#include "shell/errors.h"
#include "shell/guard.h"
#include "shell/look.h"
#include "shell/messages.h"
#include "shell/operator.h"
#include "shell/settings.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

TFormdl::TFormdl(TGlobal &settings, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_settings(settings) {
    setObjectName(QStringLiteral("Formdl"));
    setWindowTitle(QStringLiteral("用户登陆"));
    setFont(Look::Song(14));
    setFixedSize(298, 198);

    Label1 = new QLabel(QStringLiteral("员工/用户编号"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(16, 16);
    Label2 = new QLabel(QStringLiteral("密码"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->move(77, 56);
    Label3 = new QLabel(QStringLiteral("提示：所有用户的默认密码为%1").arg(FirstContent::DefaultPassword()), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(Look::Song(12, true));
    QPalette blue = Label3->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    Label3->setPalette(blue);
    Label3->move(50, 139);

    ComboBox1 = new TComboBox(QStringLiteral("ComboBox1"), this);
    ComboBox1->setGeometry(116, 13, 125, 24);
    ComboBox1->setMaxVisibleItems(20);
    ComboBox1->OnKeyPress = [this](QChar &key) {
        if (key == QChar(13))
            Edit1->setFocus(Qt::TabFocusReason);
    };
    Edit1 = new TEdit(QStringLiteral("Edit1"), this);
    Edit1->setGeometry(117, 52, 121, 24);
    Edit1->setEchoMode(QLineEdit::Password);
    Edit1->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    Edit1->OnKeyPress = [this](QChar &key) {
        if (key == QChar(13))
            BitBtn1Click();
    };

    BitBtn1 = new QPushButton(QStringLiteral("确定"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(56, 104, 75, 25);
    BitBtn2 = new QPushButton(QStringLiteral("退出"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(152, 104, 75, 25);
    for (QPushButton *b : {BitBtn1, BitBtn2})
        b->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn1Click(); }); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn2Click(); }); });
    setTabOrder(ComboBox1, Edit1);
    setTabOrder(Edit1, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
}

TDemoDM &TFormdl::DM() const {
    if (!m_dm)
        throw Exception(QStringLiteral("The data module is not ready"));
    return *m_dm;
}

void TFormdl::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    Guarded([this] { FormShow(); });
    if (App::Terminated())
        QDialog::reject();
}

void TFormdl::FormShow() {
    Database::Open(DM());
    TQuery &q = DM().qcx;
    q.Close();
    q.SQL.Clear();
    q.SQL.Add(QStringLiteral("select * from zgxxb order by iid "));
    q.Open();
    ComboBox1->clear();
    ComboBox1->setEditText(QString());
    for (q.First(); !q.Eof(); q.Next())
        ComboBox1->addItem(q.FieldByName(QStringLiteral("py")).AsString());
    ComboBox1->setEditText(QString());
    q.Close();
    ComboBox1->setFocus();
}

void TFormdl::BitBtn1Click() {
    const QString number = ComboBox1->currentText();
    if (number.isEmpty()) {
        Msg::ShowMessage(QStringLiteral("用户编号不能为空"));
        ComboBox1->setFocus();
        Abort();
    }
    TQuery &q = DM().qcx;
    q.Close();
    q.SQL.Clear();
    q.SQL.Add(QStringLiteral("select * from zgxxb where py= :py and mm= :mm "));
    q.ParamByName(QStringLiteral("py")).setValue(number);
    q.ParamByName(QStringLiteral("mm")).setValue(Edit1->text());
    q.Open();
    if (q.IsEmpty()) {
        q.Close();
        Msg::ShowMessage(QStringLiteral("用户编号或密码不对！"));
        Abort();
    }
    q.First();
    m_settings.str_kpy = q.FieldByName(QStringLiteral("zgxm")).AsString();
    q.Close();
    // A settings file that cannot be written leaves the login unfinished.
    m_settings.Write();
    Operator::SetCurrent(number);
    m_loggedIn = true;
    accept();
}

void TFormdl::BitBtn2Click() {
    App::Terminate();
    QDialog::reject();
}

void TFormdl::reject() {
    if (!m_loggedIn)
        App::Terminate();
    QDialog::reject();
}

void TFormdl::keyPressEvent(QKeyEvent *event) {
    // Esc is no way out of the login.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
