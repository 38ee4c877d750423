#include "masterdata/mastertab.h"

#include "data/dbgrid.h"
#include "data/demodm.h"
#include "shell/controls.h"
#include "shell/errors.h"
#include "shell/formmmxg.h"
#include "shell/guard.h"
#include "shell/look.h"
#include "shell/messages.h"
#include "shell/modal.h"
#include "shell/operator.h"
#include "text/hzspell.h"
#include "text/numtext.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>

namespace {

const QString kCustomers = QStringLiteral("select * from app_khxxb order by iid ");
const QString kProducts = QStringLiteral("select * from app_spxxb order by iid ");
const QString kEmployees = QStringLiteral("select * from zgxxb  order by iid ");

QLabel *label(const char *name, const QString &text, QWidget *parent, int x, int y) {
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->move(x, y + 3);
    l->adjustSize();
    return l;
}

TEdit *edit(const char *name, QWidget *parent, int x, int y, int w) {
    auto *e = new TEdit(QLatin1String(name), parent);
    e->setGeometry(x, y, w, 22);
    return e;
}

QPushButton *button(const char *name, const QString &caption, QWidget *parent, const QRect &geometry,
                    bool flat = false) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->setAutoDefault(false);
    if (flat) {
        b->setFlat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    return b;
}

TDBGrid *grid(const char *name, QWidget *parent, const QRect &geometry) {
    auto *g = new TDBGrid(QLatin1String(name), parent);
    g->setGeometry(geometry);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    return g;
}

// Enter moves on to the next field.
void enterMovesTo(TEdit *from, QWidget *to) {
    from->OnKeyPress = [to](QChar &key) {
        if (key == QChar(13))
            to->setFocus(Qt::TabFocusReason);
    };
}

} // namespace

TMasterTab::TMasterTab(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet3"));

    GroupBox5 = new QGroupBox(QStringLiteral("客户信息设置"), this);
    GroupBox5->setObjectName(QStringLiteral("GroupBox5"));
    GroupBox5->setGeometry(8, 6, 441, 281);
    label("Label23", QStringLiteral("客户姓名"), GroupBox5, 10, 24);
    Edit41 = edit("Edit41", GroupBox5, 70, 24, 140);
    label("Label24", QStringLiteral("联系电话"), GroupBox5, 222, 24);
    Edit42 = edit("Edit42", GroupBox5, 282, 24, 148);
    label("Label25", QStringLiteral("    地址"), GroupBox5, 10, 52);
    Edit43 = edit("Edit43", GroupBox5, 70, 52, 360);
    BitBtn22 = button("BitBtn22", QStringLiteral("保存"), GroupBox5, QRect(70, 80, 75, 25));
    BitBtn23 = button("BitBtn23", QStringLiteral("删除"), GroupBox5, QRect(152, 80, 75, 25));
    DBGrid2 = grid("DBGrid2", GroupBox5, QRect(8, 112, 425, 161));
    enterMovesTo(Edit41, Edit42);
    enterMovesTo(Edit42, Edit43);

    GroupBox6 = new QGroupBox(QStringLiteral("商品信息设置"), this);
    GroupBox6->setObjectName(QStringLiteral("GroupBox6"));
    GroupBox6->setGeometry(8, 293, 441, 262);
    label("Label26", QStringLiteral("商品名称"), GroupBox6, 10, 24);
    Edit44 = edit("Edit44", GroupBox6, 70, 24, 200);
    label("Label27", QStringLiteral("单价"), GroupBox6, 282, 24);
    Edit45 = edit("Edit45", GroupBox6, 312, 24, 118);
    BitBtn24 = button("BitBtn24", QStringLiteral("保存"), GroupBox6, QRect(70, 52, 75, 25));
    BitBtn25 = button("BitBtn25", QStringLiteral("删除"), GroupBox6, QRect(152, 52, 75, 25));
    DBGrid3 = grid("DBGrid3", GroupBox6, QRect(8, 84, 425, 170));
    enterMovesTo(Edit44, Edit45);

    GroupBox7 = new QGroupBox(QStringLiteral("员工表/操作员表(员工信息添加后退出软件再进入生效)"), this);
    GroupBox7->setObjectName(QStringLiteral("GroupBox7"));
    GroupBox7->setGeometry(457, 6, 326, 392);
    label("Label33", QStringLiteral("员工姓名："), GroupBox7, 12, 26);
    Edit46 = edit("Edit46", GroupBox7, 86, 26, 140);
    label("Label34", QStringLiteral("员工编号："), GroupBox7, 12, 54);
    Edit47 = edit("Edit47", GroupBox7, 86, 54, 140);
    label("Label35", QStringLiteral("员工类型："), GroupBox7, 12, 82);
    ComboBox3 = new TComboBox(QStringLiteral("ComboBox3"), GroupBox7);
    ComboBox3->setGeometry(86, 82, 140, 22);
    ComboBox3->addItems({QStringLiteral("销售员"), QStringLiteral("开票员")});
    ComboBox3->setEditText(QString());
    label("Label36", QStringLiteral("登录密码："), GroupBox7, 12, 110);
    Edit48 = edit("Edit48", GroupBox7, 86, 110, 140);
    label("Label37", QStringLiteral("确认密码："), GroupBox7, 12, 138);
    Edit49 = edit("Edit49", GroupBox7, 86, 138, 140);
    for (TEdit *e : {Edit48, Edit49}) {
        e->setEchoMode(QLineEdit::Password);
        e->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    }
    SpeedButton17 = button("SpeedButton17", QStringLiteral("保存"), GroupBox7, QRect(12, 168, 90, 26), true);
    SpeedButton18 = button("SpeedButton18", QStringLiteral("删除"), GroupBox7, QRect(112, 168, 90, 26), true);
    SpeedButton25 = button("SpeedButton25", QStringLiteral("密码修改"), GroupBox7, QRect(212, 168, 100, 26), true);
    DBGrid4 = grid("DBGrid4", GroupBox7, QRect(8, 202, 310, 182));

    const auto on = [this](QPushButton *b, void (TMasterTab::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    };
    on(BitBtn22, &TMasterTab::BitBtn22Click);
    on(BitBtn23, &TMasterTab::BitBtn23Click);
    on(BitBtn24, &TMasterTab::BitBtn24Click);
    on(BitBtn25, &TMasterTab::BitBtn25Click);
    on(SpeedButton17, &TMasterTab::SpeedButton17Click);
    on(SpeedButton18, &TMasterTab::SpeedButton18Click);
    on(SpeedButton25, &TMasterTab::SpeedButton25Click);

    const QList<QWidget *> order{Edit41,   Edit42,  Edit43, BitBtn22, BitBtn23,  DBGrid2, Edit44, Edit45, BitBtn24,
                                 BitBtn25, DBGrid3, Edit46, Edit47,   ComboBox3, Edit48,  Edit49, DBGrid4};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TMasterTab::SetDataModule(TDemoDM *dm) {
    m_dm = dm;
    dm->qkh_s.SetColumns({{QStringLiteral("khxm"), QStringLiteral("姓名"), 80},
                          {QStringLiteral("pyzjh"), QStringLiteral("拼音助记符"), 80},
                          {QStringLiteral("lxdh"), QStringLiteral("联系电话"), 80},
                          {QStringLiteral("khdz"), QStringLiteral("地址"), 136}});
    dm->qsp_s.SetColumns({{QStringLiteral("spmc"), QStringLiteral("商品名称"), 160},
                          {QStringLiteral("pyzjh"), QStringLiteral("拼音助记符"), 80},
                          {QStringLiteral("dj"), QStringLiteral("单价"), 80}});
    dm->qzg_s.SetColumns({{QStringLiteral("zgxm"), QStringLiteral("姓名"), 89},
                          {QStringLiteral("py"), QStringLiteral("编号"), 77},
                          {QStringLiteral("bz"), QStringLiteral("类型"), 57}});
    DBGrid2->SetDataSource(&dm->qkh_s);
    DBGrid3->SetDataSource(&dm->qsp_s);
    DBGrid4->SetDataSource(&dm->qzg_s);
}

TDemoDM &TMasterTab::DM() const {
    if (!m_dm)
        throw Exception(QStringLiteral("The data module is not ready"));
    return *m_dm;
}

void TMasterTab::Enter() {
    Reopen(DM().qkh, kCustomers);
    Reopen(DM().qsp, kProducts);
    Reopen(DM().qzg, kEmployees);
}

void TMasterTab::Reopen(TQuery &query, const QString &statement) {
    query.Close();
    query.SQL.Clear();
    query.SQL.Add(statement);
    query.Open();
}

void TMasterTab::BitBtn22Click() {
    if (Edit41->text().isEmpty()) {
        Msg::ShowMessage(QStringLiteral("姓名不能为空！"));
        Abort();
    }
    TQuery &in = DM().qin;
    in.Close();
    in.SQL.Clear();
    in.SQL.Add(QStringLiteral("insert into app_khxxb(khxm,pyzjh,lxdh,khdz) values(:khxm,:pyzjh,:lxdh,:khdz)"));
    in.ParamByName(QStringLiteral("khxm")).setValue(Edit41->text());
    in.ParamByName(QStringLiteral("pyzjh")).setValue(PinyinInitials(Edit41->text()));
    in.ParamByName(QStringLiteral("lxdh")).setValue(Edit42->text());
    in.ParamByName(QStringLiteral("khdz")).setValue(Edit43->text());
    in.ExecSQL();
    Edit41->clear();
    Edit42->clear();
    Edit43->clear();
    Edit41->setFocus();
    Reopen(DM().qkh, kCustomers);
}

void TMasterTab::BitBtn24Click() {
    if (Edit44->text().isEmpty()) {
        Msg::ShowMessage(QStringLiteral("商品名称不能为空！"));
        Abort();
    }
    if (Edit45->text().isEmpty())
        Edit45->setText(QStringLiteral("0"));
    const double price = NumText::StrToFloat(Edit45->text());
    TQuery &in = DM().qin;
    in.Close();
    in.SQL.Clear();
    in.SQL.Add(QStringLiteral("insert into app_spxxb(spmc,pyzjh,dj) values(:spmc,:pyzjh,:dj)"));
    in.ParamByName(QStringLiteral("spmc")).setValue(Edit44->text());
    in.ParamByName(QStringLiteral("pyzjh")).setValue(PinyinInitials(Edit44->text()));
    in.ParamByName(QStringLiteral("dj")).setValue(price);
    in.ExecSQL();
    Edit44->clear();
    Edit45->clear();
    Edit44->setFocus();
    Reopen(DM().qsp, kProducts);
}

void TMasterTab::DeleteCurrent(TQuery &query, const QString &table, const QString &what, const QString &nameField,
                               const QString &reopen) {
    if (!query.Active() || query.IsEmpty())
        return;
    if (!Msg::Ask(QStringLiteral("您确定要删除%1为：%2记录吗？").arg(what, query.FieldByName(nameField).AsString())))
        return;
    TQuery &up = DM().qup;
    up.Close();
    up.SQL.Clear();
    up.SQL.Add(QStringLiteral("delete from %1 where iid= :iid ").arg(table));
    up.ParamByName(QStringLiteral("iid")).setValue(query.FieldByName(QStringLiteral("iid")).AsInteger());
    up.ExecSQL();
    Reopen(query, reopen);
}

void TMasterTab::BitBtn23Click() {
    DeleteCurrent(DM().qkh, QStringLiteral("app_khxxb"), QStringLiteral("客户姓名"), QStringLiteral("khxm"),
                  kCustomers);
}

void TMasterTab::BitBtn25Click() {
    DeleteCurrent(DM().qsp, QStringLiteral("app_spxxb"), QStringLiteral("商品名称"), QStringLiteral("spmc"), kProducts);
}

void TMasterTab::SpeedButton17Click() {
    if (Edit46->text().isEmpty())
        Refuse(QStringLiteral("员工姓名不能为空！"), Edit46);
    if (Edit47->text().isEmpty())
        Refuse(QStringLiteral("员工编号不能为空！"), Edit47);
    if (ComboBox3->currentText().isEmpty())
        Refuse(QStringLiteral("员工类型不能为空！"), ComboBox3);
    if (Edit48->text().isEmpty())
        Refuse(QStringLiteral("登录密码不能为空！"), Edit48);
    if (Edit49->text().isEmpty())
        Refuse(QStringLiteral("确认密码不能为空！"), Edit49);
    if (Edit48->text() != Edit49->text())
        Refuse(QStringLiteral("登密码和确认密码不相同，不能保存数据！"), nullptr);

    TDemoDM &dm = DM();
    TQuery &cx = dm.qcx;
    cx.Close();
    cx.SQL.Clear();
    cx.SQL.Add(QStringLiteral("select count(*) as expr1001 from zgxxb where py= :py "));
    cx.ParamByName(QStringLiteral("py")).setValue(Edit47->text());
    cx.Open();
    if (cx.FieldByName(QStringLiteral("expr1001")).AsInteger() != 0) {
        cx.Close();
        Refuse(QStringLiteral("员工编号相同，不能保存！"), nullptr);
    }
    cx.Close();

    TQuery &zg = dm.qzg;
    Reopen(zg, QStringLiteral("select * from zgxxb where 1=0 "));
    zg.Append();
    zg.FieldByName(QStringLiteral("py")).SetAsString(Edit47->text());
    zg.FieldByName(QStringLiteral("zgxm")).SetAsString(Edit46->text());
    zg.FieldByName(QStringLiteral("bz")).SetAsString(ComboBox3->currentText());
    zg.FieldByName(QStringLiteral("mm")).SetAsString(Edit49->text());
    zg.Post();
    Reopen(zg, kEmployees);
    Edit46->clear();
    Edit47->clear();
    ComboBox3->setEditText(QString());
    Edit48->clear();
    Edit49->clear();
    Edit46->setFocus();
}

void TMasterTab::SpeedButton18Click() {
    TDemoDM &dm = DM();
    TQuery &zg = dm.qzg;
    if (!zg.Active() || zg.IsEmpty())
        return;
    const QString name = zg.FieldByName(QStringLiteral("zgxm")).AsString();
    if (!Msg::Ask(QStringLiteral("您确定要删除员工姓名为：%1记录吗？").arg(name)))
        return;
    if (zg.FieldByName(QStringLiteral("py")).AsString() == Operator::SuperUserNumber()) {
        Msg::ShowMessage(QStringLiteral("系统超级用户不能删除"));
        Abort();
    }
    TQuery &up = dm.qup;
    up.Close();
    up.SQL.Clear();
    up.SQL.Add(QStringLiteral("delete from zgxxb where zgxm= :zgxm "));
    up.ParamByName(QStringLiteral("zgxm")).setValue(name);
    up.ExecSQL();
    Reopen(zg, kEmployees);
}

void TMasterTab::SpeedButton25Click() {
    TQuery &zg = DM().qzg;
    if (!zg.Active() || zg.IsEmpty())
        return;
    if (!Msg::Ask(
            QStringLiteral("您确定要修改姓名为：%1的密码吗？").arg(zg.FieldByName(QStringLiteral("zgxm")).AsString())))
        return;
    if (m_password)
        Modal::Exec(*m_password);
}
