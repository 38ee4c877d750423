#include "shell/formmmxg.h"

#include "data/demodm.h"
#include "shell/controls.h"
#include "shell/errors.h"
#include "shell/guard.h"
#include "shell/look.h"
#include "shell/messages.h"

#include <QLabel>
#include <QPushButton>

TFormmmxg::TFormmmxg(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("Formmmxg"));
    setWindowTitle(QStringLiteral("登录密码修改"));
    setFont(Look::Song(12));
    setFixedSize(234, 182);

    const auto label = [this](const char *name, const QString &text, int x, int y) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        l->move(x, y + 3);
    };
    label("Label1", QStringLiteral("原密码"), 36, 24);
    label("Label2", QStringLiteral("新密码"), 34, 56);
    label("Label3", QStringLiteral("确认密码"), 24, 88);
    const auto edit = [this](const char *name, int y) {
        auto *e = new TEdit(QLatin1String(name), this);
        e->setGeometry(80, y, 121, 22);
        e->setEchoMode(QLineEdit::Password);
        e->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
        return e;
    };
    Edit1 = edit("Edit1", 19);
    Edit2 = edit("Edit2", 51);
    Edit3 = edit("Edit3", 83);
    BitBtn1 = new QPushButton(QStringLiteral("确定"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(32, 128, 75, 25);
    BitBtn2 = new QPushButton(QStringLiteral("返回"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(120, 128, 75, 25);
    for (QPushButton *b : {BitBtn1, BitBtn2})
        b->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn1Click(); }); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn2Click(); }); });
}

TDemoDM &TFormmmxg::DM() const {
    if (!m_dm)
        throw Exception(QStringLiteral("The data module is not ready"));
    return *m_dm;
}

void TFormmmxg::BitBtn1Click() {
    if (Edit1->text().isEmpty() || Edit2->text().isEmpty() || Edit3->text().isEmpty()) {
        Msg::ShowMessage(QStringLiteral("密码录入不全！"));
        Abort();
    }
    if (Edit2->text() != Edit3->text()) {
        Msg::ShowMessage(QStringLiteral("密码和确认密码不相同！"));
        Abort();
    }
    TDemoDM &dm = DM();
    const QString number = dm.qzg.FieldByName(QStringLiteral("py")).AsString();
    TQuery &q = dm.qcx;
    q.Close();
    q.SQL.Clear();
    q.SQL.Add(QStringLiteral("select count(*) as expr1001 from zgxxb where py= :py and mm= :mm "));
    q.ParamByName(QStringLiteral("py")).setValue(number);
    q.ParamByName(QStringLiteral("mm")).setValue(Edit1->text());
    q.Open();
    if (q.FieldByName(QStringLiteral("expr1001")).AsInteger() == 0) {
        q.Close();
        Msg::ShowMessage(QStringLiteral("原密码输入不对！"));
        Abort();
    }
    q.Close();
    TQuery &up = dm.qup;
    up.Close();
    up.SQL.Clear();
    up.SQL.Add(QStringLiteral("update zgxxb set mm= :mm where py= :py "));
    up.ParamByName(QStringLiteral("mm")).setValue(Edit3->text());
    up.ParamByName(QStringLiteral("py")).setValue(number);
    up.ExecSQL();
    Msg::ShowMessage(QStringLiteral("登录密码修改成功！"));
    accept();
}

void TFormmmxg::BitBtn2Click() {
    reject();
}
