#include "entry/pickers.h"

#include "data/dbgrid.h"
#include "data/query.h"
#include "shell/controls.h"
#include "shell/guard.h"
#include "shell/look.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TPickerForm::TPickerForm(TDataSource &source, const QString &name, const QString &searchLabel, QVector<TColumn> columns,
                         QString searchStatement, QString nameParam, QWidget *parent)
    : QDialog(parent), m_source(source), m_searchStatement(std::move(searchStatement)),
      m_nameParam(std::move(nameParam)) {
    setObjectName(name);
    setWindowTitle(QStringLiteral("信息查询"));
    setFont(Look::Song(12));

    GroupBox1 = new QGroupBox(QStringLiteral("查询条件"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setFixedHeight(78);
    BitBtn2 = new QPushButton(QStringLiteral("选择"), GroupBox1);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(10, 22, 64, 25);
    BitBtn3 = new QPushButton(QStringLiteral("取消"), GroupBox1);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setGeometry(80, 22, 64, 25);
    Label1 = new QLabel(searchLabel, GroupBox1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(156, 27);
    Label1->adjustSize();
    Edit1 = new TEdit(QStringLiteral("Edit1"), GroupBox1);
    Edit1->setGeometry(Label1->geometry().right() + 8, 23, 150, 23);
    BitBtn1 = new QPushButton(QStringLiteral("查询"), GroupBox1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(Edit1->geometry().right() + 8, 22, 64, 25);
    Label2 = new QLabel(QStringLiteral("提示：可以用键盘上下方向键直接选择好记录后再回车就可以了！"), GroupBox1);
    Label2->setObjectName(QStringLiteral("Label2"));
    QPalette red = Label2->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label2->setPalette(red);
    Label2->move(10, 54);
    Label2->adjustSize();
    // No default button: Enter in the search field does nothing.
    for (QPushButton *b : {BitBtn1, BitBtn2, BitBtn3})
        b->setAutoDefault(false);

    DBGrid1 = new TDBGrid(QStringLiteral("DBGrid1"), this);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_source.SetColumns(std::move(columns));
    DBGrid1->SetDataSource(&m_source);
    DBGrid1->OnKeyPress = [this](QChar &key) { DBGrid1KeyPress(key); };
    connect(DBGrid1, &QAbstractItemView::doubleClicked, this, [this] { Guarded([this] { DBGrid1DblClick(); }); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(GroupBox1);
    layout->addWidget(DBGrid1, 1);

    connect(BitBtn2, &QPushButton::clicked, this, [this] { done(Choose); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { done(Cancel); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn1Click(); }); });
}

void TPickerForm::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    Guarded([this] { FormShow(); });
}

void TPickerForm::FormShow() {
    DBGrid1->setFocus();
}

void TPickerForm::reject() {
    done(Closed);
}

void TPickerForm::keyPressEvent(QKeyEvent *event) {
    // Esc closes nothing here; Enter reaches no default button.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TPickerForm::ChooseIfRows() {
    if (!m_source.DataSet().IsEmpty())
        done(Choose);
}

void TPickerForm::DBGrid1DblClick() {
    ChooseIfRows();
}

void TPickerForm::DBGrid1KeyPress(QChar &key) {
    if (key == QChar(13))
        ChooseIfRows();
}

void TPickerForm::BitBtn1Click() {
    TQuery &q = m_source.DataSet();
    const QString pattern = Edit1->text() + QLatin1Char('%');
    q.Close();
    q.SQL.Clear();
    q.SQL.Add(m_searchStatement);
    q.ParamByName(m_nameParam).setValue(pattern);
    q.ParamByName(QStringLiteral("pyzjh")).setValue(pattern);
    q.Open();
}

TFormdckhxx::TFormdckhxx(TDataSource &qdckh_s, QWidget *parent)
    : TPickerForm(qdckh_s, QStringLiteral("Formdckhxx"), QStringLiteral("客户姓名/拼音助记符"),
                  {{QStringLiteral("khxm"), QStringLiteral("客户姓名"), 80},
                   {QStringLiteral("pyzjh"), QStringLiteral("拼音助记符"), 80},
                   {QStringLiteral("lxdh"), QStringLiteral("联系电话"), 85},
                   {QStringLiteral("khdz"), QStringLiteral("客户地址"), 285},
                   {QStringLiteral("bz"), QStringLiteral("备注"), 80}},
                  QStringLiteral("select * from app_khxxb where khxm like :khxm or pyzjh like :pyzjh order by khxm "),
                  QStringLiteral("khxm"), parent) {
    resize(617, 517);
}

TFormdcspxx::TFormdcspxx(TDataSource &qdcsp_s, QWidget *parent)
    : TPickerForm(qdcsp_s, QStringLiteral("Formdcspxx"), QStringLiteral("商品名称拼音助记符"),
                  {{QStringLiteral("spmc"), QStringLiteral("商品名称"), 305},
                   {QStringLiteral("pyzjh"), QStringLiteral("拼音助记符"), 121},
                   {QStringLiteral("dj"), QStringLiteral("实价"), 80}},
                  QStringLiteral("select * from app_spxxb where spmc like :spmc or pyzjh like :pyzjh "),
                  QStringLiteral("spmc"), parent) {
    setFixedSize(606, 489);
}
