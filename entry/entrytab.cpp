#include "entry/entrytab.h"

#include "data/demodm.h"
#include "entry/pickdate.h"
#include "entry/pickers.h"
#include "shell/clock.h"
#include "shell/controls.h"
#include "shell/errors.h"
#include "shell/guard.h"
#include "shell/look.h"
#include "shell/messages.h"
#include "shell/modal.h"
#include "shell/settings.h"
#include "text/capitals.h"
#include "text/datetext.h"
#include "text/hzspell.h"
#include "text/numtext.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

namespace {

// Field numbers of a product line (1 to 6).
int productField(int line) {
    return 6 + line;
}
int priceField(int line) {
    return 12 + line;
}
int quantityField(int line) {
    return 18 + line;
}
int amountField(int line) {
    return 24 + line;
}

bool isNumberField(int n) {
    return n >= 13 && n <= 30;
}

// Pasted or dropped text must not bring anything but digits and points into
// a number field; the key filter sees only typed characters.
class NumberTextValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override {
        for (const QChar c : input)
            if (!(c.isDigit() && c.unicode() < 128) && c != QLatin1Char('.'))
                return Invalid;
        return Acceptable;
    }
};

QLabel *label(const QString &text, QWidget *parent, int x, int y) {
    auto *l = new QLabel(text, parent);
    l->move(x, y);
    l->adjustSize();
    return l;
}

constexpr int kFieldHeight = 22;

} // namespace

TEntryTab::TEntryTab(TGlobal &settings, QWidget *parent) : QWidget(parent), m_settings(settings) {
    setObjectName(QStringLiteral("TabSheet1"));
    BuildControls();
}

TDemoDM &TEntryTab::DM() const {
    if (!m_dm)
        throw Exception(QStringLiteral("The data module is not ready"));
    return *m_dm;
}

QRect TEntryTab::ButtonSlot(int index) {
    return QRect(742, 24 + index * 40, 99, 25);
}

TEdit *TEntryTab::MakeEdit(int n, QWidget *parent, const QRect &geometry) {
    auto *e = new TEdit(QStringLiteral("Edit%1").arg(n), parent);
    e->setGeometry(geometry);
    m_edits[static_cast<size_t>(n)] = e;
    e->OnKeyPress = [this, n](QChar &key) { EditKeyPress(n, key); };
    // Only the user's edits arrive here; the program's writes call the
    // handler themselves (SetText).
    connect(e, &QLineEdit::textEdited, this, [this, n] { Guarded([this, n] { FieldChanged(n); }); });
    if (isNumberField(n))
        e->setValidator(new NumberTextValidator(e));
    return e;
}

void TEntryTab::BuildControls() {
    // The customer block.
    label(QStringLiteral("客户姓名"), this, 14, 17);
    MakeEdit(1, this, QRect(80, 14, 196, kFieldHeight));
    label(QStringLiteral("联系电话"), this, 14, 47);
    MakeEdit(2, this, QRect(80, 44, 196, kFieldHeight));
    label(QStringLiteral("客户地址"), this, 14, 77);
    MakeEdit(3, this, QRect(80, 74, 196, kFieldHeight))->setMaxLength(200);

    // Colour and payment, side by side.
    GroupBox1 = new QGroupBox(QStringLiteral("产品颜色"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(290, 6, 112, 60);
    rbb1 = new QRadioButton(QStringLiteral("白"), GroupBox1);
    rbb1->setObjectName(QStringLiteral("rbb1"));
    rbb1->move(14, 28);
    rbb2 = new QRadioButton(QStringLiteral("黑"), GroupBox1);
    rbb2->setObjectName(QStringLiteral("rbb2"));
    rbb2->move(62, 28);
    rbb1->setChecked(true);

    GroupBox2 = new QGroupBox(QStringLiteral("付款方式"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(410, 6, 128, 60);
    rbb3 = new QRadioButton(QStringLiteral("刷卡"), GroupBox2);
    rbb3->setObjectName(QStringLiteral("rbb3"));
    rbb3->move(12, 28);
    rbb4 = new QRadioButton(QStringLiteral("现金"), GroupBox2);
    rbb4->setObjectName(QStringLiteral("rbb4"));
    rbb4->move(68, 28);
    rbb3->setChecked(true);

    // Date above the slip number.
    label(QStringLiteral("日期"), this, 552, 17);
    MakeEdit(4, this, QRect(590, 14, 136, kFieldHeight));
    label(QStringLiteral("单号"), this, 552, 47);
    TEdit *number = MakeEdit(5, this, QRect(590, 44, 136, kFieldHeight));
    number->setReadOnly(true);
    number->setFrame(false);
    QFont bold = number->font();
    bold.setBold(true);
    number->setFont(bold);

    // The note, on the address row.
    label(QStringLiteral("说明"), this, 300, 77);
    MakeEdit(6, this, QRect(340, 74, 386, kFieldHeight));

    // The goods.
    GroupBox3 = new QGroupBox(QStringLiteral("商品信息"), this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    GroupBox3->setGeometry(8, 108, 720, 440);
    struct Column {
        const char16_t *heading;
        int x;
        int width;
    };
    const Column columns[4] = {{u"商品", 16, 300}, {u"实价", 324, 120}, {u"数量", 452, 110}, {u"小计", 570, 134}};
    for (const Column &c : columns) {
        auto *heading = new QLabel(QString::fromUtf16(c.heading), GroupBox3);
        heading->setAlignment(Qt::AlignCenter);
        heading->setGeometry(c.x, 26, c.width, 18);
    }
    for (int line = 1; line <= 6; ++line) {
        const int y = 48 + (line - 1) * 36;
        MakeEdit(productField(line), GroupBox3, QRect(columns[0].x, y, columns[0].width, 24));
        MakeEdit(priceField(line), GroupBox3, QRect(columns[1].x, y, columns[1].width, 24));
        MakeEdit(quantityField(line), GroupBox3, QRect(columns[2].x, y, columns[2].width, 24));
        TEdit *amount = MakeEdit(amountField(line), GroupBox3, QRect(columns[3].x, y, columns[3].width, 24));
        amount->setReadOnly(true);
    }
    for (int n = 13; n <= 30; ++n)
        Edit(n)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    const int totalY = 48 + 6 * 36 + 14;
    label(QStringLiteral("合计金额"), GroupBox3, 16, totalY + 4);
    MakeEdit(31, GroupBox3, QRect(84, totalY, 100, 24))->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    MakeEdit(32, GroupBox3, QRect(190, totalY, 200, 24));
    label(QStringLiteral("开票员"), GroupBox3, 400, totalY + 4);
    ComboBox1 = new TComboBox(QStringLiteral("ComboBox1"), GroupBox3);
    ComboBox1->setGeometry(448, totalY, 100, 24);
    label(QStringLiteral("销售员"), GroupBox3, 558, totalY + 4);
    ComboBox2 = new TComboBox(QStringLiteral("ComboBox2"), GroupBox3);
    ComboBox2->setGeometry(606, totalY, 98, 24);
    for (TComboBox *box : {ComboBox1, ComboBox2}) {
        box->setMaxVisibleItems(30);
        box->OnKeyPress = [this, box](QChar &key) { ComboKeyPress(box, key); };
    }

    for (int i = 0; i < 4; ++i) {
        const int y = totalY + 40 + (i / 2) * 34;
        const int x = i % 2 ? 366 : 16;
        label(QStringLiteral("序列号"), GroupBox3, x, y + 4);
        MakeEdit(33 + i, GroupBox3, QRect(x + 52, y, 286, 24));
    }

    Hint = new QLabel(QStringLiteral("提示：直接回车光标自动往下移动！"), GroupBox3);
    Hint->setFont(Look::Song(14, true));
    QPalette blue = Hint->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    Hint->setPalette(blue);
    Hint->move(16, totalY + 40 + 2 * 34 + 12);
    Hint->adjustSize();

    // The ">>>" buttons of the customer, the products and the date.
    BitBtn6 = new TLookupButton(QStringLiteral("BitBtn6"), Edit(1));
    AttachLookupButton(BitBtn6);
    connect(BitBtn6, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn6Click(); }); });
    for (int line = 1; line <= 6; ++line) {
        auto *b = new TLookupButton(QStringLiteral("BitBtn%1").arg(6 + line), Edit(productField(line)));
        ProductButtons[static_cast<size_t>(line - 1)] = b;
        AttachLookupButton(b);
        connect(b, &QPushButton::clicked, this, [this, line] { Guarded([this, line] { ProductLookup(line); }); });
    }
    BitBtn14 = new TLookupButton(QStringLiteral("BitBtn14"), Edit(4));
    AttachLookupButton(BitBtn14);
    connect(BitBtn14, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn14Click(); }); });

    // The right-hand button column.
    const auto button = [this](const char *name, const QString &caption, int slot) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(ButtonSlot(slot));
        b->setAutoDefault(false);
        return b;
    };
    BitBtn1 = button("BitBtn1", QStringLiteral("单据打印预览"), 0);
    BitBtn5 = button("BitBtn5", QStringLiteral("保存整张单据"), 1);
    BitBtn4 = button("BitBtn4", QStringLiteral("新增一张单据"), 2);
    BitBtn27 = button("BitBtn27", QStringLiteral("报表设计"), 3);
    connect(BitBtn5, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn5Click(); }); });
    connect(BitBtn4, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn4Click(); }); });

    // The Tab order; the column's last buttons are set by the main window.
    QList<QWidget *> order{Edit(1), Edit(2), Edit(3), rbb1, rbb2, rbb3, rbb4, Edit(4), Edit(5), Edit(6)};
    for (int n = 7; n <= 30; ++n)
        order << Edit(n);
    order << Edit(31) << Edit(32) << ComboBox1 << ComboBox2 << Edit(33) << Edit(34) << Edit(35) << Edit(36) << BitBtn1
          << BitBtn4 << BitBtn5;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QString TEntryTab::Text(int n) const {
    return Edit(n)->text();
}

void TEntryTab::SetText(int n, const QString &text) {
    TEdit *e = Edit(n);
    if (e->text() == text)
        return;
    e->setText(text);
    FieldChanged(n);
}

void TEntryTab::FieldChanged(int n) {
    if (n >= 13 && n <= 24)
        BitBtn13Click();
    else if (n == 31)
        Edit31Change();
}

void TEntryTab::BitBtn13Click() {
    for (int line = 1; line <= 6; ++line) {
        const QString price = Text(priceField(line));
        const QString quantity = Text(quantityField(line));
        if (price.isEmpty() || quantity.isEmpty())
            continue;
        const double amount = NumText::StrToFloat(price) * NumText::StrToFloat(quantity);
        SetText(amountField(line), NumText::FloatToStr(amount));
    }
    // The total is the sum of the amounts as written, not of the products.
    double total = 0;
    for (int line = 1; line <= 6; ++line) {
        const QString amount = Text(amountField(line));
        if (!amount.isEmpty())
            total += NumText::StrToFloat(amount);
    }
    SetText(31, NumText::FormatFixed2(total));
}

void TEntryTab::Edit31Change() {
    const QString total = Text(31);
    if (!total.isEmpty())
        SetText(32, AmountToCapitals(total));
}

QChar TEntryTab::NumericKeyFilter(QChar key) {
    if ((key >= QLatin1Char('0') && key <= QLatin1Char('9')) || key == QLatin1Char('.') || key == QChar(8))
        return key;
    return QChar();
}

QWidget *TEntryTab::EnterTarget(int n) const {
    switch (n) {
    case 1:
        return Edit(2);
    case 2:
        return Edit(3);
    case 3:
        return Edit(6);
    case 4:
        return Edit(2);
    case 6:
        return Edit(7);
    case 30:
        return Edit(31);
    case 31:
        return Edit(32);
    case 32:
        return ComboBox1;
    case 33:
    case 34:
    case 35:
        return Edit(n + 1);
    default:
        break;
    }
    if (n >= 7 && n <= 29)
        return n >= 25 ? Edit(n - 17) : Edit(n + 6); // along the line, then the next line's product
    return nullptr;                                  // Edit5 and Edit36: Enter does nothing
}

void TEntryTab::MoveFocus(QWidget *target) {
    // As if tabbed into: the text is selected, ready to be typed over (also
    // when the window gets the focus back from a picker only afterwards).
    if (!target)
        return;
    target->setFocus(Qt::TabFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(target))
        edit->selectAll();
}

void TEntryTab::EditKeyPress(int n, QChar &key) {
    if (key == QChar(13)) {
        // A look-up that stops (no product found) keeps the focus here.
        if (n == 1)
            BitBtn6Click();
        else if (n >= 7 && n <= 12)
            ProductLookup(n - 6);
        MoveFocus(EnterTarget(n));
    }
    if (isNumberField(n))
        key = NumericKeyFilter(key);
}

void TEntryTab::ComboKeyPress(QComboBox *box, QChar &key) {
    if (key != QChar(13))
        return;
    MoveFocus(box == ComboBox1 ? static_cast<QWidget *>(ComboBox2) : Edit(33));
}

QString TEntryTab::NextSlipNumber() {
    TQuery &q = DM().qlsh;
    q.Close();
    q.SQL.Clear();
    q.SQL.Add(QStringLiteral("select max(djh) as expr1000 from app_djb "));
    q.Open();
    const QString highest = q.FieldByName(QStringLiteral("expr1000")).AsString();
    q.Close();
    if (highest.isEmpty())
        return QStringLiteral("0000000001");
    // One past the largest number still counts on.
    const qint64 next = static_cast<qint64>(NumText::StrToInt(highest)) + 1;
    QString text = QString::number(next);
    if (text.size() < 10)
        text = text.rightJustified(10, QLatin1Char('0'));
    return text;
}

void TEntryTab::EmptySlip() {
    for (int n = 1; n <= 36; ++n)
        SetText(n, QString());
    SetText(4, DateText::DateToStr(Clock::Today()));
}

void TEntryTab::NumberAndBiller() {
    SetText(5, NextSlipNumber());
    ComboBox1->setEditText(m_settings.str_kpy);
}

void TEntryTab::ResetEntryForm() {
    EmptySlip();
    NumberAndBiller();
}

void TEntryTab::FillEmployeeList(TComboBox *box, const QString &type) {
    TQuery &q = DM().qcx;
    q.Close();
    q.SQL.Clear();
    q.SQL.Add(QStringLiteral("select * from zgxxb where bz= :bz order by iid "));
    q.ParamByName(QStringLiteral("bz")).setValue(type);
    q.Open();
    box->clear();
    box->setEditText(QString());
    for (q.First(); !q.Eof(); q.Next())
        box->addItem(q.FieldByName(QStringLiteral("zgxm")).AsString());
    box->setEditText(QString());
    q.Close();
}

void TEntryTab::StartUp() {
    EmptySlip();
    FillEmployeeList(ComboBox1, QStringLiteral("开票员"));
    FillEmployeeList(ComboBox2, QStringLiteral("销售员"));
    NumberAndBiller();
}

void TEntryTab::BitBtn4Click() {
    ResetEntryForm();
    Edit(1)->setFocus();
}

double TEntryTab::ZeroFilledNumber(int n) {
    if (Text(n).isEmpty())
        SetText(n, QStringLiteral("0"));
    return NumText::StrToFloat(Text(n));
}

void TEntryTab::CheckSlip() {
    if (Text(5).isEmpty())
        Refuse(QStringLiteral("单号不能为空！"), Edit(5));
    if (Text(4).isEmpty())
        Refuse(QStringLiteral("日期不能为空！"), Edit(4));
    if (Text(1).isEmpty())
        Refuse(QStringLiteral("客户名称不能为空！"), Edit(1));
    bool anyProduct = false;
    for (int line = 1; line <= 6; ++line)
        anyProduct = anyProduct || !Text(productField(line)).isEmpty();
    if (!anyProduct)
        Refuse(QStringLiteral("至少输入一行商品信息，才能保存！"), nullptr);
}

void TEntryTab::BitBtn5Click() {
    CheckSlip();
    TDemoDM &dm = DM();
    const QString djh = Text(5);
    TQuery &cx = dm.qcx;
    cx.Close();
    cx.SQL.Clear();
    cx.SQL.Add(QStringLiteral("select count(*) as expr1001 from app_djb where djh= :djh "));
    cx.ParamByName(QStringLiteral("djh")).setValue(djh);
    cx.Open();
    const bool isNew = cx.FieldByName(QStringLiteral("expr1001")).AsInteger() == 0;
    cx.Close();

    TQuery &in = dm.qin;
    in.Close();
    in.SQL.Clear();
    if (isNew) {
        in.SQL.Add(QStringLiteral("insert into app_djb(djh,khxm,pyzjh,lxdh,khdz,bz,spmc1,spmc2,spmc3,spmc4,spmc5,"
                                  "spmc6,sl1,sl2,sl3,sl4,sl5,sl6,dj1,dj2,dj3,dj4,dj5,dj6,je1,je2,je3,je4,je5,je6 "));
        in.SQL.Add(QStringLiteral(",zje,kpy,xsy,ys,fkfs,drq,xlh1,xlh2,xlh3,xlh4)"));
        in.SQL.Add(QStringLiteral(" values(:djh,:khxm,:pyzjh,:lxdh,:khdz,:bz,:spmc1,:spmc2,:spmc3,:spmc4,:spmc5,"
                                  ":spmc6,:sl1,:sl2,:sl3,:sl4,:sl5,:sl6,:dj1,:dj2,:dj3,:dj4,:dj5,:dj6,:je1,:je2,:je3,"
                                  ":je4,:je5,:je6  "));
        in.SQL.Add(QStringLiteral(",:zje,:kpy,:xsy,:ys,:fkfs,:drq,:xlh1,:xlh2,:xlh3,:xlh4)"));
        in.ParamByName(QStringLiteral("djh")).setValue(djh);
    } else {
        in.SQL.Add(QStringLiteral("update app_djb set khxm= :khxm,pyzjh= :pyzjh,lxdh= :lxdh,khdz= :khdz,bz= :bz,"
                                  "spmc1= :spmc1,spmc2= :spmc2,spmc3= :spmc3,spmc4= :spmc4,spmc5= :spmc5,"
                                  "spmc6= :spmc6,sl1= :sl1,sl2= :sl2, "));
        in.SQL.Add(QStringLiteral("sl3= :sl3,sl4= :sl4,sl5= :sl5,sl6= :sl6,dj1= :dj1,dj2= :dj2,dj3= :dj3,dj4= :dj4,"
                                  "dj5= :dj5,dj6= :dj6,je1= :je1,je2= :je2,je3= :je3,je4= :je4,je5= :je5,je6= :je6 "));
        in.SQL.Add(QStringLiteral(",zje= :zje,kpy= :kpy,xsy= :xsy,ys= :ys,fkfs= :fkfs,drq= :drq,xlh1= :xlh1,"
                                  "xlh2= :xlh2,xlh3= :xlh3,xlh4= :xlh4 where djh= :djh "));
    }
    const auto text = [&in](const QString &name, const QString &value) { in.ParamByName(name).setValue(value); };
    const auto number = [&in](const QString &name, double value) { in.ParamByName(name).setValue(value); };
    text(QStringLiteral("khxm"), Text(1));
    text(QStringLiteral("pyzjh"), PinyinInitials(Text(1)));
    text(QStringLiteral("lxdh"), Text(2));
    text(QStringLiteral("khdz"), Text(3));
    text(QStringLiteral("bz"), Text(6));
    for (int line = 1; line <= 6; ++line)
        text(QStringLiteral("spmc%1").arg(line), Text(productField(line)));
    // Empty numbers become "0" on screen first, in this order; writing a
    // price or quantity recomputes the amounts and the total on the way.
    for (int line = 1; line <= 6; ++line)
        number(QStringLiteral("sl%1").arg(line), ZeroFilledNumber(quantityField(line)));
    for (int line = 1; line <= 6; ++line)
        number(QStringLiteral("dj%1").arg(line), ZeroFilledNumber(priceField(line)));
    for (int line = 1; line <= 6; ++line)
        number(QStringLiteral("je%1").arg(line), ZeroFilledNumber(amountField(line)));
    number(QStringLiteral("zje"), ZeroFilledNumber(31));
    text(QStringLiteral("kpy"), ComboBox1->currentText());
    text(QStringLiteral("xsy"), ComboBox2->currentText());
    text(QStringLiteral("ys"), rbb1->isChecked()   ? QStringLiteral("白")
                               : rbb2->isChecked() ? QStringLiteral("黑")
                                                   : QString());
    text(QStringLiteral("fkfs"), rbb3->isChecked()   ? QStringLiteral("刷卡")
                                 : rbb4->isChecked() ? QStringLiteral("现金")
                                                     : QString());
    in.ParamByName(QStringLiteral("drq")).setValue(DateText::StrToDateTime(Text(4)));
    for (int i = 1; i <= 4; ++i)
        text(QStringLiteral("xlh%1").arg(i), Text(32 + i));
    if (!isNew)
        text(QStringLiteral("djh"), djh);
    in.ExecSQL();

    // The customer: its telephone and address follow the latest slip.
    cx.Close();
    cx.SQL.Clear();
    cx.SQL.Add(QStringLiteral("select count(*) as expr1001 from app_khxxb where khxm= :khxm "));
    cx.ParamByName(QStringLiteral("khxm")).setValue(Text(1));
    cx.Open();
    const bool knownCustomer = cx.FieldByName(QStringLiteral("expr1001")).AsInteger() > 0;
    cx.Close();
    in.Close();
    in.SQL.Clear();
    if (knownCustomer) {
        in.SQL.Add(QStringLiteral("update app_khxxb set lxdh= :lxdh,khdz= :khdz where khxm= :khxm "));
    } else {
        in.SQL.Add(QStringLiteral("insert into app_khxxb(khxm,pyzjh,lxdh,khdz) values(:khxm,:pyzjh,:lxdh,:khdz)"));
        text(QStringLiteral("pyzjh"), PinyinInitials(Text(1)));
    }
    text(QStringLiteral("lxdh"), Text(2));
    text(QStringLiteral("khdz"), Text(3));
    text(QStringLiteral("khxm"), Text(1));
    in.ExecSQL();

    if (m_settings.strdyf == QLatin1String("Y") && PrintOnSave)
        PrintOnSave();

    ResetEntryForm();
    Edit(1)->setFocus();
}

void TEntryTab::BitBtn6Click() {
    TDemoDM &dm = DM();
    TQuery &q = dm.qdckh;
    const QString pattern = Text(1) + QLatin1Char('%');
    q.Close();
    q.SQL.Clear();
    q.SQL.Add(QStringLiteral("select * from app_khxxb where khxm like :khxm or pyzjh like :pyzjh order by khxm"));
    q.ParamByName(QStringLiteral("khxm")).setValue(pattern);
    q.ParamByName(QStringLiteral("pyzjh")).setValue(pattern);
    q.Open();
    const auto fill = [this, &q] {
        // Read before writing: each write runs the field's change handler.
        const QString name = q.FieldByName(QStringLiteral("khxm")).AsString();
        const QString phone = q.FieldByName(QStringLiteral("lxdh")).AsString();
        const QString address = q.FieldByName(QStringLiteral("khdz")).AsString();
        SetText(1, name);
        SetText(2, phone);
        SetText(3, address);
    };
    const int rows = q.RecordCount();
    if (rows == 1) {
        fill();
    } else if (rows > 1) {
        TFormdckhxx picker(dm.qdckh_s, window());
        if (Modal::Exec(picker) == TPickerForm::Choose)
            fill();
    }
    MoveFocus(Edit(2));
}

void TEntryTab::ProductLookup(int line) {
    TDemoDM &dm = DM();
    TQuery &q = dm.qdcsp;
    const QString pattern = Text(productField(line)) + QLatin1Char('%');
    q.Close();
    q.SQL.Clear();
    q.SQL.Add(QStringLiteral("select * from app_spxxb where spmc like :spmc or pyzjh like :pyzjh order by spmc"));
    q.ParamByName(QStringLiteral("spmc")).setValue(pattern);
    q.ParamByName(QStringLiteral("pyzjh")).setValue(pattern);
    q.Open();
    if (q.IsEmpty()) {
        Msg::ShowMessage(QStringLiteral("没有您需要查询的数据！"));
        q.Close();
        Abort();
    }
    const auto fill = [this, &q, line] {
        const QString name = q.FieldByName(QStringLiteral("spmc")).AsString();
        const QString price = q.FieldByName(QStringLiteral("dj")).AsString();
        SetText(productField(line), name);
        SetText(priceField(line), price);
    };
    if (q.RecordCount() == 1) {
        fill();
    } else {
        TFormdcspxx picker(dm.qdcsp_s, window());
        if (Modal::Exec(picker) == TPickerForm::Choose)
            fill();
    }
    MoveFocus(Edit(priceField(line)));
}

void TEntryTab::BitBtn14Click() {
    {
        TBrDateForm picker(window());
        if (Modal::Exec(picker) == 1) {
            SetText(4, DateText::DateToStr(picker.Date()));
            MoveFocus(Edit(5));
        }
    }
    BitBtn14->hide();
}
