#include "query/querytab.h"

#include "data/dbgrid.h"
#include "data/demodm.h"
#include "entry/entrytab.h"
#include "entry/pickdate.h"
#include "query/export.h"
#include "shell/clock.h"
#include "shell/controls.h"
#include "shell/errors.h"
#include "shell/guard.h"
#include "shell/look.h"
#include "shell/messages.h"
#include "shell/modal.h"
#include "shell/operator.h"
#include "text/datetext.h"
#include "text/numtext.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

// The list's columns: field, title, width.
QVector<TColumn> slipColumns() {
    QVector<TColumn> c = {{QStringLiteral("djh"), QStringLiteral("单据号"), 70},
                          {QStringLiteral("khxm"), QStringLiteral("客户姓名"), 75},
                          {QStringLiteral("lxdh"), QStringLiteral("联系电话"), 78},
                          {QStringLiteral("khdz"), QStringLiteral("客户地址"), 161},
                          {QStringLiteral("bz"), QStringLiteral("说明"), 105}};
    const QString numerals = QStringLiteral("一二三四五六");
    for (int line = 1; line <= 6; ++line) {
        const QChar n = numerals[line - 1];
        c.append({QStringLiteral("spmc%1").arg(line), QStringLiteral("商品") + n, 70});
        c.append({QStringLiteral("dj%1").arg(line), QStringLiteral("单价") + n, 70});
        c.append({QStringLiteral("sl%1").arg(line), QStringLiteral("数量") + n, 70});
        c.append({QStringLiteral("je%1").arg(line), QStringLiteral("金额") + n, 70});
    }
    c.append({QStringLiteral("zje"), QStringLiteral("合计金额"), 70});
    c.append({QStringLiteral("kpy"), QStringLiteral("开票员"), 70});
    c.append({QStringLiteral("xsy"), QStringLiteral("销售员"), 70});
    c.append({QStringLiteral("drq"), QStringLiteral("开单日期"), 70});
    c.append({QStringLiteral("ys"), QStringLiteral("颜色"), 70});
    c.append({QStringLiteral("fkfs"), QStringLiteral("付款方式"), 70});
    for (int i = 1; i <= 4; ++i)
        c.append({QStringLiteral("xlh%1").arg(i), QStringLiteral("序列号") + numerals[i - 1], 70});
    c.append({QStringLiteral("sfzf"), QStringLiteral("作废否"), 50});
    return c;
}

} // namespace

TQueryTab::TQueryTab(TEntryTab &entry, QWidget *parent) : QWidget(parent), m_entry(entry) {
    setObjectName(QStringLiteral("TabSheet2"));

    GroupBox4 = new QGroupBox(QStringLiteral("查询条件"), this);
    GroupBox4->setObjectName(QStringLiteral("GroupBox4"));
    GroupBox4->setFixedHeight(92);
    const auto label = [this](const QString &text, int x, int y) {
        auto *l = new QLabel(text, GroupBox4);
        l->move(x, y);
        l->adjustSize();
    };
    const auto edit = [this](const char *name, int x, int y, int w) {
        auto *e = new TEdit(QLatin1String(name), GroupBox4);
        e->setGeometry(x, y, w, 22);
        return e;
    };
    label(QStringLiteral("客户姓名/拼音助记符"), 12, 27);
    Edit37 = edit("Edit37", 150, 24, 120);
    label(QStringLiteral("单据号"), 284, 27);
    Edit38 = edit("Edit38", 332, 24, 110);
    label(QStringLiteral("开单日期从"), 12, 60);
    Edit39 = edit("Edit39", 92, 57, 120);
    label(QStringLiteral("到"), 222, 60);
    Edit40 = edit("Edit40", 242, 57, 120);
    BitBtn19 = new TLookupButton(QStringLiteral("BitBtn19"), Edit39);
    BitBtn20 = new TLookupButton(QStringLiteral("BitBtn20"), Edit40);
    AttachLookupButton(BitBtn19);
    AttachLookupButton(BitBtn20);
    connect(BitBtn19, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn19Click(); }); });
    connect(BitBtn20, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn20Click(); }); });
    rb1 = new QRadioButton(QStringLiteral("刷卡"), GroupBox4);
    rb1->setObjectName(QStringLiteral("rb1"));
    rb1->move(382, 58);
    rb2 = new QRadioButton(QStringLiteral("现金"), GroupBox4);
    rb2->setObjectName(QStringLiteral("rb2"));
    rb2->move(442, 58);
    rb3 = new QRadioButton(QStringLiteral("所有"), GroupBox4);
    rb3->setObjectName(QStringLiteral("rb3"));
    rb3->move(502, 58);
    rb3->setChecked(true);
    const auto button = [this](const char *name, const QString &caption, int x, int y, int w) {
        auto *b = new QPushButton(caption, GroupBox4);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(x, y, w, 26);
        b->setAutoDefault(false);
        return b;
    };
    BitBtn15 = button("BitBtn15", QStringLiteral("查询"), 462, 22, 80);
    BitBtn16 = button("BitBtn16", QStringLiteral("导出Excel"), 560, 22, 110);
    BitBtn17 = button("BitBtn17", QStringLiteral("修改重打单据"), 680, 22, 120);
    BitBtn18 = button("BitBtn18", QStringLiteral("作废单据"), 680, 55, 120);
    connect(BitBtn15, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn15Click(); }); });
    connect(BitBtn16, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn16Click(); }); });
    connect(BitBtn17, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn17Click(); }); });
    connect(BitBtn18, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn18Click(); }); });

    DBGrid1 = new TDBGrid(QStringLiteral("DBGrid1"), this);
    DBGrid1->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    DBGrid1->SetCellColor([this](int row, int) { return DBGrid1DrawColumnCell(row); });
    DBGrid1->installEventFilter(this);

    sb1 = new QStatusBar(this);
    sb1->setObjectName(QStringLiteral("sb1"));
    sb1->setSizeGripEnabled(false);
    auto *caption = new QLabel(QStringLiteral("总金额"));
    caption->setAlignment(Qt::AlignCenter);
    caption->setFrameStyle(QFrame::Panel | QFrame::Raised);
    caption->setFixedWidth(200);
    SumLabel = new QLabel;
    SumLabel->setObjectName(QStringLiteral("SumLabel"));
    SumLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    SumLabel->setFixedWidth(200);
    sb1->addWidget(caption);
    sb1->addWidget(SumLabel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(GroupBox4);
    layout->addWidget(DBGrid1, 1);
    layout->addWidget(sb1);

    const QList<QWidget *> order{Edit37, Edit38,   Edit39,   Edit40,   rb1,      rb2,
                                 rb3,    BitBtn15, BitBtn16, BitBtn17, BitBtn18, DBGrid1};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

TDemoDM &TQueryTab::DM() const {
    if (!m_dm)
        throw Exception(QStringLiteral("The data module is not ready"));
    return *m_dm;
}

void TQueryTab::Enter() {
    if (DBGrid1->DataSource() == nullptr) {
        DM().qdjcx_s.SetColumns(slipColumns());
        DBGrid1->SetDataSource(&DM().qdjcx_s);
    }
    Edit37->setText(QString());
    Edit38->setText(QString());
    Edit39->setText(DateText::DateToStr(Clock::Today().addDays(-30)));
    Edit40->setText(DateText::DateToStr(Clock::Today()));
    BitBtn15Click();
}

QString TQueryTab::SumText() const {
    return SumLabel->text();
}

void TQueryTab::BitBtn15Click() {
    TDemoDM &dm = DM();
    TQuery &sum = dm.qsum;
    TQuery &list = dm.qdjcx;
    const QString name = Edit37->text() + QLatin1Char('%');
    sum.Close();
    sum.SQL.Clear();
    sum.SQL.Add(
        QStringLiteral("select sum(zje) as expr1001 from app_djb where (khxm like :khxm or pyzjh like :pyzjh )"));
    sum.ParamByName(QStringLiteral("khxm")).setValue(name);
    sum.ParamByName(QStringLiteral("pyzjh")).setValue(name);
    list.Close();
    list.SQL.Clear();
    list.SQL.Add(QStringLiteral("select * from app_djb where (khxm like :khxm or pyzjh like :pyzjh )"));
    list.ParamByName(QStringLiteral("khxm")).setValue(name);
    list.ParamByName(QStringLiteral("pyzjh")).setValue(name);
    if (!Edit38->text().isEmpty()) {
        list.SQL.Add(QStringLiteral(" and djh= :djh "));
        list.ParamByName(QStringLiteral("djh")).setValue(Edit38->text());
        sum.SQL.Add(QStringLiteral(" and djh= :djh "));
        sum.ParamByName(QStringLiteral("djh")).setValue(Edit38->text());
    }
    if (!Edit39->text().isEmpty()) {
        const QDateTime from = DateText::StrToDateTime(Edit39->text());
        for (TQuery *q : {&list, &sum}) {
            q->SQL.Add(QStringLiteral(" and drq>= :rq0 "));
            q->ParamByName(QStringLiteral("rq0")).setValue(from);
        }
    }
    if (!Edit40->text().isEmpty()) {
        const QDateTime to = DateText::StrToDateTime(Edit40->text());
        for (TQuery *q : {&list, &sum}) {
            q->SQL.Add(QStringLiteral(" and drq<= :rq1 "));
            q->ParamByName(QStringLiteral("rq1")).setValue(to);
        }
    }
    const QString payment = rb1->isChecked()   ? QStringLiteral("刷卡")
                            : rb2->isChecked() ? QStringLiteral("现金")
                                               : QString();
    if (!payment.isEmpty()) {
        for (TQuery *q : {&list, &sum}) {
            q->SQL.Add(QStringLiteral(" and fkfs= :fkfs "));
            q->ParamByName(QStringLiteral("fkfs")).setValue(payment);
        }
    }
    list.SQL.Add(QStringLiteral(" order by iid"));
    list.Open();
    sum.Open();
    SumLabel->setText(NumText::FloatToStr(sum.FieldByName(QStringLiteral("expr1001")).AsFloat()));
    sum.Close();
}

QColor TQueryTab::DBGrid1DrawColumnCell(int row) const {
    if (!m_dm)
        return {};
    TQuery &q = m_dm->qdjcx;
    const int column = q.FieldIndex(QStringLiteral("sfzf"));
    return q.Text(row, column) == QStringLiteral("是") ? QColor(255, 0, 0) : QColor(Qt::black);
}

bool TQueryTab::eventFilter(QObject *watched, QEvent *event) {
    if (watched == DBGrid1 && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::ControlModifier) {
            Guarded([this] { DeleteSelectedRow(); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TQueryTab::DeleteSelectedRow() {
    TQuery &q = DM().qdjcx;
    if (!q.Active() || q.IsEmpty())
        return;
    if (Msg::Box(QStringLiteral("Confirm"), QStringLiteral("Delete record?"), Msg::Icon::Question,
                 Msg::Buttons::OkCancel) != Msg::Answer::Ok)
        return;
    q.Delete();
}

void TQueryTab::BitBtn16Click() {
    TQuery &q = DM().qdjcx;
    if (!q.Active() || q.IsEmpty())
        return;
    ExportGridToExcel(DBGrid1);
}

void TQueryTab::BitBtn17Click() {
    TQuery &q = DM().qdjcx;
    if (!q.Active() || q.IsEmpty())
        return;
    if (Operator::Current() != Operator::SuperUserNumber()) {
        Msg::ShowMessage(QStringLiteral("您不是超级用户(%1)登录的,不能使用本功能。").arg(Operator::SuperUserNumber()));
        Abort();
    }
    if (ShowEntryTab)
        ShowEntryTab();
    const auto text = [&q](const char *field) { return q.FieldByName(QLatin1String(field)).AsString(); };
    // A number of 0 comes back as an empty field.
    const auto number = [&q](const QString &field) {
        TField f = q.FieldByName(field);
        return f.AsFloat() != 0 ? f.AsString() : QString();
    };
    TEntryTab &e = m_entry;
    if (text("ys") == QStringLiteral("白"))
        e.rbb1->setChecked(true);
    else if (text("ys") == QStringLiteral("黑"))
        e.rbb2->setChecked(true);
    if (text("fkfs") == QStringLiteral("刷卡"))
        e.rbb3->setChecked(true);
    else if (text("fkfs") == QStringLiteral("现金"))
        e.rbb4->setChecked(true);
    e.SetText(1, text("khxm"));
    e.SetText(2, text("lxdh"));
    e.SetText(3, text("khdz"));
    e.SetText(4, text("drq"));
    e.SetText(5, text("djh"));
    e.SetText(6, text("bz"));
    for (int line = 1; line <= 6; ++line)
        e.SetText(6 + line, q.FieldByName(QStringLiteral("spmc%1").arg(line)).AsString());
    for (int line = 1; line <= 6; ++line)
        e.SetText(12 + line, number(QStringLiteral("dj%1").arg(line)));
    for (int line = 1; line <= 6; ++line)
        e.SetText(18 + line, number(QStringLiteral("sl%1").arg(line)));
    for (int line = 1; line <= 6; ++line)
        e.SetText(24 + line, number(QStringLiteral("je%1").arg(line)));
    e.SetText(31, text("zje"));
    e.ComboBox1->setEditText(text("kpy"));
    e.ComboBox2->setEditText(text("xsy"));
    for (int i = 1; i <= 4; ++i)
        e.SetText(32 + i, q.FieldByName(QStringLiteral("xlh%1").arg(i)).AsString());
}

void TQueryTab::BitBtn18Click() {
    TDemoDM &dm = DM();
    TQuery &q = dm.qdjcx;
    if (!q.Active() || q.IsEmpty())
        return;
    const QString question = QStringLiteral("您确定要作废单据号为：") +
                             q.FieldByName(QStringLiteral("djh")).AsString() + QStringLiteral("客户姓名为：") +
                             q.FieldByName(QStringLiteral("khxm")).AsString() + QStringLiteral("记录吗？");
    if (!Msg::Ask(question))
        return;
    TQuery &up = dm.qup;
    up.Close();
    up.SQL.Clear();
    up.SQL.Add(QStringLiteral("update app_djb set sfzf= :sfzf where iid= :iid "));
    up.ParamByName(QStringLiteral("sfzf")).setValue(QStringLiteral("是"));
    up.ParamByName(QStringLiteral("iid")).setValue(q.FieldByName(QStringLiteral("iid")).AsInteger());
    up.ExecSQL();
    // The same search again; the statement and its values are kept.
    q.Close();
    q.Open();
}

void TQueryTab::PickDate(TEdit *field, TLookupButton *button, TEdit *next) {
    {
        TBrDateForm picker(window());
        if (Modal::Exec(picker) == 1) {
            field->setText(DateText::DateToStr(picker.Date()));
            if (next)
                next->setFocus(Qt::TabFocusReason);
        }
    }
    button->hide();
}

void TQueryTab::BitBtn19Click() {
    PickDate(Edit39, BitBtn19, Edit40);
}

void TQueryTab::BitBtn20Click() {
    PickDate(Edit40, BitBtn20, nullptr);
}
