#include "data/demodm.h"
#include "entry/entrytab.h"
#include "masterdata/mastertab.h"
#include "shell/app.h"
#include "shell/clock.h"
#include "shell/controls.h"
#include "shell/errors.h"
#include "shell/formmain.h"
#include "shell/look.h"
#include "shell/messages.h"
#include "shell/settings.h"
#include "testsupport.h"
#include "text/capitals.h"

#include <QApplication>
#include <QRadioButton>
#include <QSqlQuery>
#include <QtTest>

// The entry tab driven as the operator drives it: keys into the real widgets.
class TestEntry : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { Clock::SetFixed(QDateTime()); }
    void init();
    void cleanup();

    void startUpFillsTheLists();
    void enterChain_data();
    void enterChain();
    void tabOrder();
    void numberFieldsTakeDigitsAndPointsOnly_data();
    void numberFieldsTakeDigitsAndPointsOnly();
    void amountsTotalAndCapitalsFollowTyping();
    void emptiedQuantityKeepsItsAmount();
    void typedTotalIsOverwrittenByTheNextChange();
    void badNumberStopsAtItsLine();
    void lookupButtonsShowWithTheirField();
    void resetStartsANewSlip();
    void nextSlipNumber_data();
    void nextSlipNumber();
    void failedNumberingLeavesTheNumberEmpty();
    void saveRefusals_data();
    void saveRefusals();
    void saveInsertsThenUpdatesTheSameRow();
    void saveWritesZerosBackOnScreen();
    void slipWithOnlyLineFour();
    void customerIsAddedThenUpdated();
    void printOnSaveFollowsTheSetting_data();
    void printOnSaveFollowsTheSetting();
    void stoppedPrintKeepsTheSlipOnScreen();

private:
    TEntryTab &tab() { return *m_f->form->TabSheet1; }
    TEdit *edit(int n) { return tab().Edit(n); }
    void type(int n, const QString &text);
    void clear(int n);
    void fillSlip();
    QVariant stored(const QString &sql);
    QWidget *focused() { return QApplication::focusWidget(); }
    bool isNumber(TEdit *e) {
        for (int n = 13; n <= 30; ++n)
            if (edit(n) == e)
                return true;
        return false;
    }
    std::unique_ptr<MainWindowFixture> m_f;
};

void TestEntry::initTestCase() {
    Look::Apply(*qApp);
    Clock::SetFixed(QDateTime(QDate(2026, 12, 11), QTime(9, 30)));
}

void TestEntry::init() {
    m_f = std::make_unique<MainWindowFixture>(); // logged in as 001, 管理员
    m_f->form->show();
    QTRY_VERIFY(m_f->dm->democnn.Connected()); // start-up ran from the event loop, login included
    m_f->form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_f->form.get()));
    QTRY_COMPARE(edit(5)->text(), QStringLiteral("0000000001"));
}

void TestEntry::cleanup() {
    QCOMPARE(Msg::TakeShown().size(), 0); // no test leaves an unexpected box behind
    m_f.reset();
}

void TestEntry::type(int n, const QString &text) {
    edit(n)->setFocus();
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(edit(n), c.toLatin1());
        else // what an input method delivers
            QTest::sendKeyEvent(QTest::Click, edit(n), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void TestEntry::clear(int n) {
    edit(n)->setFocus();
    edit(n)->selectAll();
    QTest::keyClick(edit(n), Qt::Key_Backspace);
}

void TestEntry::fillSlip() {
    type(1, QStringLiteral("张三"));
    type(2, QStringLiteral("13900001111"));
    type(3, QStringLiteral("北京路1号"));
    type(7, QStringLiteral("冰箱"));
    type(13, QStringLiteral("12.5"));
    type(19, QStringLiteral("3"));
}

QVariant TestEntry::stored(const QString &sql) {
    QSqlQuery q(m_f->dm->democnn.Database());
    if (!q.exec(sql) || !q.next())
        return QVariant();
    return q.value(0);
}

void TestEntry::startUpFillsTheLists() {
    QSqlQuery q(m_f->dm->democnn.Database());
    QVERIFY(q.exec(QStringLiteral("insert into zgxxb (zgxm, py, bz, mm) values ('仓管', '009', '库管员', '1')")));
    tab().StartUp();
    const auto items = [](QComboBox *box) {
        QStringList list;
        for (int i = 0; i < box->count(); ++i)
            list << box->itemText(i);
        return list;
    };
    QCOMPARE(items(tab().ComboBox1), (QStringList{QStringLiteral("管理员"), QStringLiteral("王丽")}));
    QCOMPARE(items(tab().ComboBox2), (QStringList{QStringLiteral("张伟"), QStringLiteral("李娜")}));
    QCOMPARE(tab().ComboBox1->currentText(), QStringLiteral("管理员")); // the login's name
    QCOMPARE(tab().ComboBox2->currentText(), QString());
    QCOMPARE(edit(4)->text(), QStringLiteral("2026-12-11"));
    QVERIFY(tab().rbb1->isChecked());
    QVERIFY(tab().rbb3->isChecked());
}

void TestEntry::enterChain_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    const char *rows[][2] = {
        {"Edit1", "Edit2"},      {"Edit2", "Edit3"},   {"Edit3", "Edit6"},      {"Edit4", "Edit2"},
        {"Edit6", "Edit7"},      {"Edit7", "Edit13"},  {"Edit13", "Edit19"},    {"Edit19", "Edit25"},
        {"Edit25", "Edit8"},     {"Edit9", "Edit15"},  {"Edit29", "Edit12"},    {"Edit12", "Edit18"},
        {"Edit30", "Edit31"},    {"Edit31", "Edit32"}, {"Edit32", "ComboBox1"}, {"ComboBox1", "ComboBox2"},
        {"ComboBox2", "Edit33"}, {"Edit33", "Edit34"}, {"Edit35", "Edit36"},    {"Edit36", "Edit36"},
        {"Edit5", "Edit5"},
    };
    for (const auto &r : rows)
        QTest::newRow(qPrintable(QStringLiteral("%1 to %2").arg(r[0], r[1]))) << r[0] << r[1];
}

void TestEntry::enterChain() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    // One product: every product look-up finds it at once.
    QVERIFY(QSqlQuery(m_f->dm->democnn.Database())
                .exec(QStringLiteral("insert into app_spxxb (spmc, pyzjh, dj) values ('台灯', 'td', 35)")));
    auto *start = tab().findChild<QWidget *>(from);
    QVERIFY(start);
    start->setFocus();
    QCOMPARE(focused(), start);
    QTest::keyClick(start, Qt::Key_Return);
    QVERIFY(focused());
    QCOMPARE(focused()->objectName(), to);
    if (auto *e = qobject_cast<TEdit *>(start); e && isNumber(e))
        QCOMPARE(e->text(), QString());    // Enter is no character of a number field
    QCOMPARE(tab().ComboBox1->count(), 2); // Enter adds nothing to a list
}

void TestEntry::tabOrder() {
    QStringList expected{"Edit1", "Edit2", "Edit3", "rbb1", "rbb3", "Edit4", "Edit5", "Edit6"};
    for (int n = 7; n <= 36; ++n)
        expected << QStringLiteral("Edit%1").arg(n);
    expected.insert(expected.indexOf(QStringLiteral("Edit33")), QStringLiteral("ComboBox2"));
    expected.insert(expected.indexOf(QStringLiteral("ComboBox2")), QStringLiteral("ComboBox1"));
    expected << "BitBtn1"
             << "BitBtn4"
             << "BitBtn5"
             << "BitBtn2"
             << "BitBtn27";
    edit(1)->setFocus();
    QStringList walked;
    for (int i = 0; i < expected.size(); ++i) {
        walked << focused()->objectName();
        QTest::keyClick(focused(), Qt::Key_Tab);
    }
    QCOMPARE(walked, expected);
}

void TestEntry::numberFieldsTakeDigitsAndPointsOnly_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("text");
    QTest::newRow("letters dropped") << "12a.5b"
                                     << ""
                                     << "12.5";
    QTest::newRow("space, minus and comma dropped") << " -1,0"
                                                    << ""
                                                    << "10";
    QTest::newRow("points repeat") << "1.2."
                                   << ""
                                   << "1.2.";
    QTest::newRow("backspace works") << "123\b"
                                     << ""
                                     << "12";
    QTest::newRow("paste with letters refused") << "7"
                                                << "8kg"
                                                << "7";
    QTest::newRow("paste of a number") << "7"
                                       << "8.5"
                                       << "78.5";
    QTest::newRow("full-width digits refused") << "" << QStringLiteral("１２") << "";
}

void TestEntry::numberFieldsTakeDigitsAndPointsOnly() {
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, text);
    for (const QChar c : typed) {
        if (c == QLatin1Char('\b'))
            QTest::keyClick(edit(19), Qt::Key_Backspace);
        else
            QTest::keyClicks(edit(19), QString(c));
    }
    if (!pasted.isEmpty())
        edit(19)->insert(pasted); // what a paste does
    QCOMPARE(edit(19)->text(), text);
}

void TestEntry::amountsTotalAndCapitalsFollowTyping() {
    type(13, QStringLiteral("12.5"));
    QCOMPARE(edit(25)->text(), QString()); // no quantity yet
    QCOMPARE(edit(31)->text(), QStringLiteral("0.00"));
    type(19, QStringLiteral("3"));
    QCOMPARE(edit(25)->text(), QStringLiteral("37.5"));
    QCOMPARE(edit(31)->text(), QStringLiteral("37.50"));
    QCOMPARE(edit(32)->text(), QStringLiteral("叁拾柒元伍角整"));
    type(14, QStringLiteral("0.1"));
    type(20, QStringLiteral("3"));
    QCOMPARE(edit(26)->text(), QStringLiteral("0.3"));
    QCOMPARE(edit(31)->text(), QStringLiteral("37.80"));

    // A program write of a price recomputes inside the write.
    tab().SetText(13, QStringLiteral("2"));
    QCOMPARE(edit(25)->text(), QStringLiteral("6"));
    QCOMPARE(edit(32)->text(), AmountToCapitals(QStringLiteral("6.30")));
}

void TestEntry::emptiedQuantityKeepsItsAmount() {
    type(13, QStringLiteral("12.5"));
    type(19, QStringLiteral("3"));
    clear(19);
    QCOMPARE(edit(19)->text(), QString());
    QCOMPARE(edit(25)->text(), QStringLiteral("37.5"));
    QCOMPARE(edit(31)->text(), QStringLiteral("37.50"));
    type(14, QStringLiteral("1"));
    type(20, QStringLiteral("2"));
    QCOMPARE(edit(31)->text(), QStringLiteral("39.50")); // the old amount still counts
}

void TestEntry::typedTotalIsOverwrittenByTheNextChange() {
    type(13, QStringLiteral("10"));
    type(19, QStringLiteral("2"));
    clear(31);
    QCOMPARE(edit(32)->text(), AmountToCapitals(QStringLiteral("20.00"))); // empty total: capitals stay
    QTest::keyClicks(edit(31), QStringLiteral("100"));
    QCOMPARE(edit(32)->text(), QStringLiteral("壹佰元整"));
    type(19, QStringLiteral("5"));
    QCOMPARE(edit(31)->text(), QStringLiteral("250.00"));
    QCOMPARE(edit(32)->text(), QStringLiteral("贰佰伍拾元整"));
}

void TestEntry::badNumberStopsAtItsLine() {
    type(13, QStringLiteral("2"));
    type(19, QStringLiteral("3"));
    type(20, QStringLiteral("4"));
    type(14, QStringLiteral("."));
    QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].icon, Msg::Icon::Error);
    QCOMPARE(shown[0].text, QStringLiteral("'.' is not a valid floating point value."));
    QCOMPARE(edit(14)->text(), QStringLiteral(".")); // the typed text stays

    // Line 1 is done again, line 2 and the total keep their texts.
    type(19, QStringLiteral("5"));
    QCOMPARE(Msg::TakeShown().size(), 1);
    QCOMPARE(edit(25)->text(), QStringLiteral("70"));
    QCOMPARE(edit(26)->text(), QString());
    QCOMPARE(edit(31)->text(), QStringLiteral("6.00"));

    // A program write is stopped by the same error.
    QVERIFY_THROWS_EXCEPTION(EConvertError, tab().SetText(13, QStringLiteral("1")));

    type(14, QStringLiteral("5"));
    QCOMPARE(edit(26)->text(), QStringLiteral("2"));
    QCOMPARE(edit(31)->text(), QStringLiteral("37.00"));
}

void TestEntry::lookupButtonsShowWithTheirField() {
    QCOMPARE(focused(), edit(1)); // where the window starts
    QVERIFY(tab().BitBtn6->isVisible());
    edit(3)->setFocus();
    QVERIFY(!tab().BitBtn6->isVisible());
    edit(1)->setFocus();
    QVERIFY(tab().BitBtn6->isVisible());
    QVERIFY(tab().BitBtn6->geometry().right() <= edit(1)->geometry().right());
    // Pressing it keeps it: the field loses the focus to the button itself.
    QTest::mousePress(tab().BitBtn6, Qt::LeftButton);
    QVERIFY(tab().BitBtn6->isVisible());
    QCOMPARE(focused(), tab().BitBtn6);
    // The click runs the look-up, which moves on to the telephone.
    QTest::mouseRelease(tab().BitBtn6, Qt::LeftButton);
    QCOMPARE(focused(), edit(2));
    QVERIFY(!tab().BitBtn6->isVisible());
    edit(9)->setFocus();
    QVERIFY(tab().ProductButtons[2]->isVisible());
    edit(4)->setFocus();
    QVERIFY(!tab().ProductButtons[2]->isVisible());
    QVERIFY(tab().BitBtn14->isVisible());
}

void TestEntry::resetStartsANewSlip() {
    fillSlip();
    type(6, QStringLiteral("送货"));
    type(33, QStringLiteral("SN1"));
    tab().rbb2->setChecked(true);
    tab().rbb4->setChecked(true);
    tab().ComboBox2->setEditText(QStringLiteral("张伟"));
    tab().ComboBox1->setEditText(QStringLiteral("王丽"));
    QSqlQuery(m_f->dm->democnn.Database()).exec(QStringLiteral("insert into app_djb (djh) values ('0000000007')"));
    edit(3)->setFocus();
    QTest::mouseClick(tab().BitBtn4, Qt::LeftButton);
    for (int n = 1; n <= 36; ++n) {
        if (n == 4 || n == 5)
            continue;
        QVERIFY2(edit(n)->text().isEmpty(), qPrintable(edit(n)->objectName()));
    }
    QCOMPARE(edit(4)->text(), QStringLiteral("2026-12-11"));
    QCOMPARE(edit(5)->text(), QStringLiteral("0000000008"));
    QVERIFY(tab().rbb2->isChecked());
    QVERIFY(tab().rbb4->isChecked());
    QCOMPARE(tab().ComboBox2->currentText(), QStringLiteral("张伟"));
    QCOMPARE(tab().ComboBox1->currentText(), QStringLiteral("管理员"));
    QCOMPARE(focused(), edit(1));
    QCOMPARE(stored(QStringLiteral("select count(*) from app_djb")).toInt(), 1); // new writes nothing
}

void TestEntry::nextSlipNumber_data() {
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QString>("next");
    QTest::newRow("empty table") << QStringList{} << "0000000001";
    QTest::newRow("after 41") << QStringList{"0000000040", "0000000041", "0000000003"} << "0000000042";
    QTest::newRow("short text") << QStringList{"123"} << "0000000124";
    QTest::newRow("past the 32-bit range counts on") << QStringList{"2147483647"} << "2147483648";
}

void TestEntry::nextSlipNumber() {
    QFETCH(QStringList, stored);
    QFETCH(QString, next);
    QSqlQuery q(m_f->dm->democnn.Database());
    for (const QString &djh : stored)
        QVERIFY(q.exec(QStringLiteral("insert into app_djb (djh) values ('%1')").arg(djh)));
    QCOMPARE(tab().NextSlipNumber(), next);
}

void TestEntry::failedNumberingLeavesTheNumberEmpty() {
    QVERIFY(QSqlQuery(m_f->dm->democnn.Database()).exec(QStringLiteral("insert into app_djb (djh) values ('A-17')")));
    fillSlip();
    QTest::mouseClick(tab().BitBtn4, Qt::LeftButton);
    QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("'A-17' is not a valid integer value."));
    QCOMPARE(edit(1)->text(), QString());
    QCOMPARE(edit(4)->text(), QStringLiteral("2026-12-11"));
    QCOMPARE(edit(5)->text(), QString());

    fillSlip();
    QTest::mouseClick(tab().BitBtn5, Qt::LeftButton);
    shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("单号不能为空！"));
    QCOMPARE(stored(QStringLiteral("select count(*) from app_djb")).toInt(), 1);
}

void TestEntry::saveRefusals_data() {
    QTest::addColumn<int>("emptied");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("no number") << 5 << QStringLiteral("单号不能为空！") << "Edit5";
    QTest::newRow("no date") << 4 << QStringLiteral("日期不能为空！") << "Edit4";
    QTest::newRow("no customer") << 1 << QStringLiteral("客户名称不能为空！") << "Edit1";
    QTest::newRow("no product") << 7 << QStringLiteral("至少输入一行商品信息，才能保存！")
                                << "BitBtn5"; // where the click left it
}

void TestEntry::saveRefusals() {
    QFETCH(int, emptied);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    fillSlip();
    tab().SetText(emptied, QString());
    edit(2)->setFocus();
    QTest::mouseClick(tab().BitBtn5, Qt::LeftButton);
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, message);
    QCOMPARE(shown[0].title, QStringLiteral("Kelvaro"));
    QCOMPARE(shown[0].icon, Msg::Icon::None);
    QCOMPARE(focused()->objectName(), focus);
    QCOMPARE(stored(QStringLiteral("select count(*) from app_djb")).toInt(), 0);
    QCOMPARE(stored(QStringLiteral("select count(*) from app_khxxb")).toInt(), 0);
    QCOMPARE(edit(20)->text(), QString()); // refused before any zero is written
}

void TestEntry::saveInsertsThenUpdatesTheSameRow() {
    fillSlip();
    tab().rbb2->setChecked(true);
    tab().rbb4->setChecked(true);
    tab().ComboBox2->setEditText(QStringLiteral("张伟"));
    type(33, QStringLiteral("SN-1"));
    QTest::mouseClick(tab().BitBtn5, Qt::LeftButton);
    QCOMPARE(edit(5)->text(), QStringLiteral("0000000002")); // reset with the next number
    QCOMPARE(edit(1)->text(), QString());
    QCOMPARE(focused(), edit(1));

    TQuery &q = m_f->dm->qcx;
    const auto reload = [&q] {
        q.Close();
        q.SQL.Clear();
        q.SQL.Add(QStringLiteral("select * from app_djb"));
        q.Open();
    };
    reload();
    QCOMPARE(q.RecordCount(), 1);
    const auto field = [&q](const char *name) { return q.FieldByName(QLatin1String(name)).AsString(); };
    QCOMPARE(field("djh"), QStringLiteral("0000000001"));
    QCOMPARE(field("khxm"), QStringLiteral("张三"));
    QCOMPARE(field("pyzjh"), QStringLiteral("zs"));
    QCOMPARE(field("dj1"), QStringLiteral("12.5"));
    QCOMPARE(field("je1"), QStringLiteral("37.5"));
    QCOMPARE(field("zje"), QStringLiteral("37.5"));
    QCOMPARE(field("sl2"), QStringLiteral("0"));
    QCOMPARE(field("spmc2"), QString());
    QCOMPARE(field("kpy"), QStringLiteral("管理员"));
    QCOMPARE(field("xsy"), QStringLiteral("张伟"));
    QCOMPARE(field("ys"), QStringLiteral("黑"));
    QCOMPARE(field("fkfs"), QStringLiteral("现金"));
    QCOMPARE(field("drq"), QStringLiteral("2026-12-11"));
    QCOMPARE(field("xlh1"), QStringLiteral("SN-1"));
    QCOMPARE(field("sfzf"), QString());
    const int iid = q.FieldByName(QStringLiteral("iid")).AsInteger();

    // The slip loaded back (as the list does), voided meanwhile, changed and saved again.
    QVERIFY(QSqlQuery(m_f->dm->democnn.Database()).exec(QStringLiteral("update app_djb set sfzf = '是'")));
    tab().SetText(5, QStringLiteral("0000000001"));
    fillSlip();
    tab().SetText(19, QStringLiteral("4"));
    QTest::mouseClick(tab().BitBtn5, Qt::LeftButton);
    reload();
    QCOMPARE(q.RecordCount(), 1);
    QCOMPARE(q.FieldByName(QStringLiteral("iid")).AsInteger(), iid);
    QCOMPARE(field("je1"), QStringLiteral("50"));
    QCOMPARE(field("sfzf"), QStringLiteral("是")); // a voided slip stays voided
    QCOMPARE(edit(5)->text(), QStringLiteral("0000000002"));
}

void TestEntry::saveWritesZerosBackOnScreen() {
    type(1, QStringLiteral("李四"));
    type(7, QStringLiteral("电视"));
    type(14, QStringLiteral("99"));
    tab().SetText(4, QStringLiteral("2026-13-01")); // stops the save after the numbers
    QTest::mouseClick(tab().BitBtn5, Qt::LeftButton);
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("'2026-13-01' is not a valid date and time."));
    for (int n : {13, 19, 25, 24, 18, 30})
        QCOMPARE(edit(n)->text(), QStringLiteral("0"));
    QCOMPARE(edit(14)->text(), QStringLiteral("99"));
    QCOMPARE(edit(26)->text(), QStringLiteral("0")); // 99 × 0, recomputed when the quantity became 0
    QCOMPARE(edit(31)->text(), QStringLiteral("0.00"));
    QCOMPARE(stored(QStringLiteral("select count(*) from app_djb")).toInt(), 0);
}

void TestEntry::slipWithOnlyLineFour() {
    type(1, QStringLiteral("王五"));
    type(10, QStringLiteral("洗衣机"));
    type(16, QStringLiteral("1999"));
    type(22, QStringLiteral("1"));
    QTest::mouseClick(tab().BitBtn5, Qt::LeftButton);
    QCOMPARE(stored(QStringLiteral("select spmc4 || '/' || je4 || '/' || spmc1 || '/' || dj1 || '/' || zje "
                                   "from app_djb")),
             QVariant(QStringLiteral("洗衣机/1999.0//0.0/1999.0")));
}

void TestEntry::customerIsAddedThenUpdated() {
    fillSlip();
    QTest::mouseClick(tab().BitBtn5, Qt::LeftButton);
    QCOMPARE(stored(QStringLiteral("select khxm || '|' || pyzjh || '|' || lxdh || '|' || khdz from app_khxxb")),
             QVariant(QStringLiteral("张三|zs|13900001111|北京路1号")));
    QVERIFY(QSqlQuery(m_f->dm->democnn.Database()).exec(QStringLiteral("update app_khxxb set pyzjh = 'zsan'")));

    type(1, QStringLiteral("张三"));
    type(2, QStringLiteral("13800002222"));
    type(7, QStringLiteral("空调"));
    QTest::mouseClick(tab().BitBtn5, Qt::LeftButton);
    QCOMPARE(stored(QStringLiteral("select count(*) from app_khxxb")).toInt(), 1);
    QCOMPARE(stored(QStringLiteral("select khxm || '|' || pyzjh || '|' || lxdh || '|' || khdz from app_khxxb")),
             QVariant(QStringLiteral("张三|zsan|13800002222|")));
}

void TestEntry::printOnSaveFollowsTheSetting_data() {
    QTest::addColumn<QString>("strdyf");
    QTest::addColumn<bool>("printed");
    QTest::newRow("Y prints") << "Y" << true;
    QTest::newRow("y does not") << "y" << false;
    QTest::newRow("N does not") << "N" << false;
}

void TestEntry::printOnSaveFollowsTheSetting() {
    QFETCH(QString, strdyf);
    QFETCH(bool, printed);
    m_f->global->strdyf = strdyf;
    QString printedCustomer;
    int rowsWhenPrinted = -1;
    tab().PrintOnSave = [&] {
        printedCustomer = edit(1)->text();
        rowsWhenPrinted = stored(QStringLiteral("select count(*) from app_djb")).toInt();
    };
    fillSlip();
    QTest::mouseClick(tab().BitBtn5, Qt::LeftButton);
    QCOMPARE(printedCustomer, printed ? QStringLiteral("张三") : QString());
    QCOMPARE(rowsWhenPrinted, printed ? 1 : -1); // printed after it was written, before the reset
    QCOMPARE(edit(1)->text(), QString());
}

void TestEntry::stoppedPrintKeepsTheSlipOnScreen() {
    m_f->global->strdyf = QStringLiteral("Y");
    tab().PrintOnSave = [] {
        Msg::ShowMessage(QStringLiteral("报表模板没有找到！"));
        Abort();
    };
    fillSlip();
    QTest::mouseClick(tab().BitBtn5, Qt::LeftButton);
    QCOMPARE(Msg::TakeShown().size(), 1);
    QCOMPARE(edit(1)->text(), QStringLiteral("张三"));
    QCOMPARE(edit(5)->text(), QStringLiteral("0000000001"));
    // Saving again updates the row already written.
    tab().PrintOnSave = nullptr;
    QTest::mouseClick(tab().BitBtn5, Qt::LeftButton);
    QCOMPARE(stored(QStringLiteral("select count(*) from app_djb")).toInt(), 1);
    QCOMPARE(stored(QStringLiteral("select count(*) from app_khxxb")).toInt(), 1);
    QCOMPARE(edit(5)->text(), QStringLiteral("0000000002"));
}

QTEST_MAIN(TestEntry)
#include "tst_entry.moc"
