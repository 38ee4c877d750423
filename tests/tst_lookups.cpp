#include "data/datasource.h"
#include "data/dbgrid.h"
#include "data/demodm.h"
#include "entry/entrytab.h"
#include "entry/pickdate.h"
#include "entry/pickers.h"
#include "masterdata/mastertab.h"
#include "shell/clock.h"
#include "shell/controls.h"
#include "shell/formmain.h"
#include "shell/look.h"
#include "shell/messages.h"
#include "shell/modal.h"
#include "testsupport.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>

// The customer and product look-ups with their pickers, and the date picker.
class TestLookups : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { Clock::SetFixed(QDateTime()); }
    void init();
    void cleanup();

    void customerLookup_data();
    void customerLookup();
    void productLookup_data();
    void productLookup();
    void noProductStopsTheEnterChain();
    void pickerShowsItsColumnsAndStartsOnTheGrid();
    void pickerSearchAgainAndEmptyChoice();

    void datePickerSteps_data();
    void datePickerSteps();
    void datePickerWritesTheSlipDate_data();
    void datePickerWritesTheSlipDate();

private:
    TEntryTab &tab() { return *m_f->form->TabSheet1; }
    void exec(const QString &sql);
    void enterIn(int n, const QString &text);
    std::unique_ptr<MainWindowFixture> m_f;
};

// What a test does inside a picker.
enum class Pick { None, EnterOnFirst, DownEnter, Choose, Cancel, CloseBox, DoubleClickSecond };
Q_DECLARE_METATYPE(Pick)

namespace {
void queuePick(Pick pick) {
    if (pick == Pick::None)
        return;
    Modal::Queue([pick](QDialog &dialog) {
        auto &picker = static_cast<TPickerForm &>(dialog);
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QWidget *grid = picker.DBGrid1;
        switch (pick) {
        case Pick::EnterOnFirst:
            QCOMPARE(QApplication::focusWidget(), grid);
            QTest::keyClick(grid, Qt::Key_Return);
            break;
        case Pick::DownEnter:
            QTest::keyClick(grid, Qt::Key_Down);
            QTest::keyClick(grid, Qt::Key_Return);
            break;
        case Pick::Choose:
            QTest::mouseClick(picker.BitBtn2, Qt::LeftButton);
            break;
        case Pick::Cancel:
            QTest::mouseClick(picker.BitBtn3, Qt::LeftButton);
            break;
        case Pick::CloseBox:
            picker.close();
            break;
        case Pick::DoubleClickSecond: {
            auto *view = picker.DBGrid1;
            const QRect cell = view->visualRect(view->model()->index(1, 0));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
            break;
        }
        case Pick::None:
            break;
        }
    });
}
} // namespace

void TestLookups::initTestCase() {
    Look::Apply(*qApp);
    Clock::SetFixed(QDateTime(QDate(2026, 12, 11), QTime(9, 30)));
}

void TestLookups::init() {
    m_f = std::make_unique<MainWindowFixture>();
    m_f->form->show();
    QTRY_VERIFY(m_f->dm->democnn.Connected());
    m_f->form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_f->form.get()));
    exec(QStringLiteral("insert into app_khxxb (khxm, pyzjh, lxdh, khdz) values ('张三', 'zs', '111', '北京路')"));
    exec(QStringLiteral("insert into app_khxxb (khxm, pyzjh, lxdh, khdz) values ('李四', 'ls', '222', '南京路')"));
    exec(QStringLiteral("insert into app_khxxb (khxm, pyzjh, lxdh, khdz) values ('张大明', 'zdm', '333', '')"));
    exec(QStringLiteral("insert into app_spxxb (spmc, pyzjh, dj) values ('冰箱', 'bx', 1999.5)"));
    exec(QStringLiteral("insert into app_spxxb (spmc, pyzjh, dj) values ('电视', 'ds', 3000)"));
    exec(QStringLiteral("insert into app_spxxb (spmc, pyzjh, dj) values ('电饭煲', 'dfb', 299)"));
}

void TestLookups::cleanup() {
    QCOMPARE(Modal::Pending(), 0); // every scripted dialog was opened
    m_f.reset();
}

void TestLookups::exec(const QString &sql) {
    QVERIFY(QSqlQuery(m_f->dm->democnn.Database()).exec(sql));
}

void TestLookups::enterIn(int n, const QString &text) {
    tab().SetText(n, text);
    tab().Edit(n)->setFocus();
    QTest::keyClick(tab().Edit(n), Qt::Key_Return);
}

void TestLookups::customerLookup_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Pick>("pick");
    QTest::addColumn<QString>("filled"); // name|telephone|address afterwards
    QTest::newRow("one match by name") << QStringLiteral("李") << Pick::None << QStringLiteral("李四|222|南京路");
    QTest::newRow("one match by initials, other case") << "ZS" << Pick::None << QStringLiteral("张三|111|北京路");
    QTest::newRow("new customer stays as typed") << QStringLiteral("王五") << Pick::None << QStringLiteral("王五||");
    QTest::newRow("several: Enter takes the first by name")
        << QStringLiteral("张") << Pick::EnterOnFirst << QStringLiteral("张三|111|北京路");
    // Listed by name in the engine's order: 张三, 张大明, 李四.
    QTest::newRow("empty text lists all; arrow and Enter") << "" << Pick::DownEnter << QStringLiteral("张大明|333|");
    QTest::newRow("double click") << "" << Pick::DoubleClickSecond << QStringLiteral("张大明|333|");
    QTest::newRow("cancel fills nothing") << QStringLiteral("张") << Pick::Cancel << QStringLiteral("张||");
    QTest::newRow("close box fills nothing") << QStringLiteral("张") << Pick::CloseBox << QStringLiteral("张||");
}

void TestLookups::customerLookup() {
    QFETCH(QString, typed);
    QFETCH(Pick, pick);
    QFETCH(QString, filled);
    queuePick(pick);
    enterIn(1, typed);
    QCOMPARE(QStringList({tab().Text(1), tab().Text(2), tab().Text(3)}).join(u'|'), filled);
    QCOMPARE(QApplication::focusWidget(), tab().Edit(2));
    QVERIFY(Msg::TakeShown().isEmpty());
}

void TestLookups::productLookup_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Pick>("pick");
    QTest::addColumn<QString>("filled"); // product|price|amount
    QTest::newRow("initials, quantity already there") << "bx" << Pick::None << QStringLiteral("冰箱|1999.5|3999");
    QTest::newRow("several, first by name")
        << QStringLiteral("电") << Pick::EnterOnFirst << QStringLiteral("电视|3000|6000");
    QTest::newRow("several, cancelled") << QStringLiteral("电") << Pick::Cancel << QStringLiteral("电||");
}

void TestLookups::productLookup() {
    QFETCH(QString, typed);
    QFETCH(Pick, pick);
    QFETCH(QString, filled);
    tab().SetText(21, QStringLiteral("2")); // quantity of line 3
    queuePick(pick);
    enterIn(9, typed);
    QCOMPARE(QStringList({tab().Text(9), tab().Text(15), tab().Text(27)}).join(u'|'), filled);
    QCOMPARE(QApplication::focusWidget(), tab().Edit(15));
    QCOMPARE(tab().Edit(15)->selectedText(), tab().Text(15)); // ready to be typed over
    QVERIFY(Msg::TakeShown().isEmpty());
}

void TestLookups::noProductStopsTheEnterChain() {
    enterIn(8, QStringLiteral("洗衣机"));
    QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("没有您需要查询的数据！"));
    QCOMPARE(QApplication::focusWidget(), tab().Edit(8));
    QCOMPARE(tab().Text(8), QStringLiteral("洗衣机"));
    QVERIFY(!m_f->dm->qdcsp.Active());

    // With an empty product list even an empty field finds nothing.
    exec(QStringLiteral("delete from app_spxxb"));
    enterIn(8, QString());
    shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(QApplication::focusWidget(), tab().Edit(8));
}

void TestLookups::pickerShowsItsColumnsAndStartsOnTheGrid() {
    QStringList titles;
    QList<int> widths;
    QString caption;
    bool gridFocused = false;
    Modal::Queue([&](QDialog &dialog) {
        auto &picker = static_cast<TPickerForm &>(dialog);
        caption = picker.windowTitle();
        gridFocused = QApplication::focusWidget() == picker.DBGrid1;
        for (int c = 0; c < picker.DBGrid1->model()->columnCount(); ++c) {
            titles << picker.DBGrid1->model()->headerData(c, Qt::Horizontal).toString();
            widths << picker.DBGrid1->columnWidth(c);
        }
        QCOMPARE(picker.DBGrid1->model()->rowCount(), 3);
        QCOMPARE(picker.DBGrid1->currentIndex().row(), 0);
        QCOMPARE(picker.Edit1->text(), QString()); // not filled from the slip
        QCOMPARE(picker.Label2->palette().color(QPalette::WindowText), QColor(Qt::red));
        // Esc and Enter in the search field do nothing.
        QTest::keyClick(&picker, Qt::Key_Escape);
        picker.Edit1->setFocus();
        QTest::keyClick(picker.Edit1, Qt::Key_Return);
        QVERIFY(picker.isVisible());
        QTest::mouseClick(picker.BitBtn3, Qt::LeftButton);
    });
    enterIn(1, QString());
    QCOMPARE(caption, QStringLiteral("信息查询"));
    QVERIFY(gridFocused);
    QCOMPARE(titles, (QStringList{QStringLiteral("客户姓名"), QStringLiteral("拼音助记符"), QStringLiteral("联系电话"),
                                  QStringLiteral("客户地址"), QStringLiteral("备注")}));
    QCOMPARE(widths, (QList<int>{80, 80, 85, 285, 80}));
}

void TestLookups::pickerSearchAgainAndEmptyChoice() {
    // A search in the product picker; Enter chooses the first row it found.
    Modal::Queue([](QDialog &dialog) {
        auto &picker = static_cast<TPickerForm &>(dialog);
        picker.Edit1->setText(QStringLiteral("df"));
        QTest::mouseClick(picker.BitBtn1, Qt::LeftButton);
        QCOMPARE(picker.DBGrid1->model()->rowCount(), 1);
        picker.DBGrid1->setFocus();
        QTest::keyClick(picker.DBGrid1, Qt::Key_Return);
    });
    enterIn(7, QString());
    QCOMPARE(tab().Text(7), QStringLiteral("电饭煲"));
    QCOMPARE(tab().Text(13), QStringLiteral("299"));

    // A search that finds nothing: Enter does nothing, "选择" still chooses
    // and the look-up writes empty texts.
    Modal::Queue([](QDialog &dialog) {
        auto &picker = static_cast<TPickerForm &>(dialog);
        picker.Edit1->setText(QStringLiteral("nothing"));
        QTest::mouseClick(picker.BitBtn1, Qt::LeftButton);
        QCOMPARE(picker.DBGrid1->model()->rowCount(), 0);
        picker.DBGrid1->setFocus();
        QTest::keyClick(picker.DBGrid1, Qt::Key_Return);
        QVERIFY(picker.isVisible());
        QTest::mouseClick(picker.BitBtn2, Qt::LeftButton);
    });
    tab().SetText(2, QStringLiteral("999"));
    enterIn(1, QStringLiteral("张"));
    QCOMPARE(tab().Text(1), QString());
    QCOMPARE(tab().Text(2), QString());
    QVERIFY(Msg::TakeShown().isEmpty());
}

void TestLookups::datePickerSteps_data() {
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QDate>("result");
    QTest::addColumn<bool>("error");
    QTest::newRow("31 Jan, next month") << QDate(2026, 1, 31) << "NextMonthBtn" << QDate(2026, 2, 28) << false;
    QTest::newRow("31 Jan leap year") << QDate(2008, 1, 31) << "NextMonthBtn" << QDate(2008, 2, 29) << false;
    QTest::newRow("15 Dec, next month") << QDate(2026, 12, 15) << "NextMonthBtn" << QDate(2027, 1, 15) << false;
    QTest::newRow("15 Jan, previous month") << QDate(2027, 1, 15) << "PrevMonthBtn" << QDate(2026, 12, 15) << false;
    QTest::newRow("31 Mar, previous month") << QDate(2026, 3, 31) << "PrevMonthBtn" << QDate(2026, 2, 28) << false;
    QTest::newRow("29 Feb 2008, previous month") << QDate(2008, 2, 29) << "PrevMonthBtn" << QDate(2008, 1, 29) << false;
    QTest::newRow("next year") << QDate(2026, 12, 11) << "nextyear" << QDate(2027, 12, 11) << false;
    QTest::newRow("previous year") << QDate(2026, 12, 11) << "prioryear" << QDate(2025, 12, 11) << false;
    QTest::newRow("29 Feb 2008, next year") << QDate(2008, 2, 29) << "nextyear" << QDate(2008, 2, 29) << true;
    QTest::newRow("29 Feb 2008, previous year") << QDate(2008, 2, 29) << "prioryear" << QDate(2008, 2, 29) << true;
    QTest::newRow("29 Feb 2008, four years on") << QDate(2012, 2, 29) << "prioryear" << QDate(2012, 2, 29) << true;
}

void TestLookups::datePickerSteps() {
    QFETCH(QDate, start);
    QFETCH(QString, button);
    QFETCH(QDate, result);
    QFETCH(bool, error);
    TBrDateForm picker;
    QCOMPARE(picker.Date(), QDate(2026, 12, 11)); // always opens at today
    picker.show();
    picker.SetDate(start);
    QTest::mouseClick(picker.findChild<QPushButton *>(button), Qt::LeftButton);
    QCOMPARE(picker.Date(), result);
    QCOMPARE(picker.Calendar->selectedDate(), result);
    QCOMPARE(picker.nf->text(), QString::number(result.year()));
    QCOMPARE(picker.yf->text(), QString::number(result.month()));
    QCOMPARE(picker.rq->text(), QString::number(result.day()));
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), error ? 1 : 0);
    if (error) {
        QCOMPARE(shown[0].icon, Msg::Icon::Error);
        QCOMPARE(shown[0].text, QStringLiteral("Invalid argument to date encode."));
    }
}

void TestLookups::datePickerWritesTheSlipDate_data() {
    QTest::addColumn<bool>("confirm");
    QTest::newRow("OK") << true;
    QTest::newRow("close") << false;
}

void TestLookups::datePickerWritesTheSlipDate() {
    QFETCH(bool, confirm);
    tab().SetText(4, QStringLiteral("2020-01-01"));
    QString shownDay;
    Modal::Queue([&](QDialog &dialog) {
        auto &picker = static_cast<TBrDateForm &>(dialog);
        shownDay = picker.Calendar->selectedDate().toString(Qt::ISODate);
        QVERIFY(picker.Calendar->isAncestorOf(QApplication::focusWidget()));
        QTest::mouseClick(picker.NextMonthBtn, Qt::LeftButton);
        if (confirm)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else
            QTest::mouseClick(picker.cancelBtn, Qt::LeftButton);
    });
    tab().Edit(4)->setFocus();
    QVERIFY(tab().BitBtn14->isVisible());
    QTest::mouseClick(tab().BitBtn14, Qt::LeftButton);
    QCOMPARE(shownDay, QStringLiteral("2026-12-11"));
    QCOMPARE(tab().Text(4), confirm ? QStringLiteral("2027-01-11") : QStringLiteral("2020-01-01"));
    if (confirm)
        QCOMPARE(QApplication::focusWidget(), tab().Edit(5));
    QVERIFY(!tab().BitBtn14->isVisible());
}

QTEST_MAIN(TestLookups)
#include "tst_lookups.moc"
