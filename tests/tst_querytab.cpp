#include "data/dbgrid.h"
#include "data/demodm.h"
#include "entry/entrytab.h"
#include "masterdata/mastertab.h"
#include "query/export.h"
#include "query/querytab.h"
#include "query/xlswriter.h"
#include "shell/clock.h"
#include "shell/controls.h"
#include "shell/filedialogs.h"
#include "shell/formmain.h"
#include "shell/look.h"
#include "shell/messages.h"
#include "shell/operator.h"
#include "testsupport.h"

#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QtTest>
#include <freexl.h>

namespace {

// A spreadsheet as an independent reader sees it.
struct Sheet {
    int rows = 0;
    int columns = 0;
    QVector<QVector<QString>> text; // every cell's text; "<null>" for an empty cell
    QVector<QVector<int>> kind;     // FREEXL_CELL_*
};

Sheet readXls(const QString &path) {
    Sheet sheet;
    const void *handle = nullptr;
    if (freexl_open(QFile::encodeName(path).constData(), &handle) != FREEXL_OK) {
        freexl_close(handle);
        return sheet;
    }
    unsigned int rows = 0;
    unsigned short columns = 0;
    freexl_select_active_worksheet(handle, 0);
    freexl_worksheet_dimensions(handle, &rows, &columns);
    sheet.rows = int(rows);
    sheet.columns = columns;
    for (unsigned r = 0; r < rows; ++r) {
        QVector<QString> line;
        QVector<int> kinds;
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue v;
            freexl_get_cell_value(handle, r, c, &v);
            kinds << v.type;
            if (v.type == FREEXL_CELL_TEXT || v.type == FREEXL_CELL_SST_TEXT)
                line << QString::fromUtf8(v.value.text_value);
            else if (v.type == FREEXL_CELL_NULL)
                line << QStringLiteral("<null>");
            else
                line << QStringLiteral("<number>");
        }
        sheet.text << line;
        sheet.kind << kinds;
        if (rows > 1000 && r == 2)
            break; // a long sheet: its size and first rows are enough
    }
    freexl_close(handle);
    return sheet;
}

} // namespace

class TestQueryTab : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { Clock::SetFixed(QDateTime()); }
    void init();
    void cleanup();

    void search_data();
    void search();
    void badDateEmptiesTheList();
    void enteringTheTabShowsTheLast30Days();
    void voidedSlipsAreRed();
    void voidAsksAndRefreshes_data();
    void voidAsksAndRefreshes();
    void modifyIsForTheSuperUser();
    void modifyLoadsTheSlipAndSaveUpdatesIt();
    void ctrlDeleteRemovesTheRow_data();
    void ctrlDeleteRemovesTheRow();
    void exportXls();
    void exportNaming_data();
    void exportNaming();
    void exportDeclinedOverwriteKeepsTheFile();
    void exportXlsx();
    void exportRowLimit_data();
    void exportRowLimit();

private:
    TQueryTab &tab() { return *m_f->form->TabSheet2; }
    void exec(const QString &sql);
    void addSlip(const QString &djh, const QString &name, const QString &initials, const QString &date,
                 const QString &payment, double total, const QString &voided = QString());
    QStringList listed();
    std::unique_ptr<MainWindowFixture> m_f;
    QStringList m_opened;
};

void TestQueryTab::initTestCase() {
    Look::Apply(*qApp);
    Clock::SetFixed(QDateTime(QDate(2026, 12, 11), QTime(9, 30)));
}

void TestQueryTab::init() {
    m_f = std::make_unique<MainWindowFixture>();
    m_f->form->FormShow();
    FileDialogs::SetScripted(true);
    m_opened.clear();
    Export::SetOpenAction([this](const QString &file) { m_opened << file; });
    addSlip(QStringLiteral("0000000001"), QStringLiteral("张三"), "zs", "2026-12-01", QStringLiteral("现金"), 100);
    addSlip(QStringLiteral("0000000002"), QStringLiteral("李四"), "ls", "2026-12-05", QStringLiteral("刷卡"), 200,
            QStringLiteral("是"));
    addSlip(QStringLiteral("0000000003"), QStringLiteral("张大明"), "zdm", "2026-12-10", QStringLiteral("刷卡"), 300.5);
    addSlip(QStringLiteral("0000000004"), QStringLiteral("王五"), "ww", "2026-10-01", QStringLiteral("现金"), 50);
    tab().Enter();
}

void TestQueryTab::cleanup() {
    FileDialogs::SetScripted(false);
    m_f.reset();
}

void TestQueryTab::exec(const QString &sql) {
    QVERIFY2(QSqlQuery(m_f->dm->democnn.Database()).exec(sql), qPrintable(sql));
}

void TestQueryTab::addSlip(const QString &djh, const QString &name, const QString &initials, const QString &date,
                           const QString &payment, double total, const QString &voided) {
    exec(QStringLiteral("insert into app_djb (djh, khxm, pyzjh, drq, fkfs, zje, ys, spmc1, dj1, sl1, je1, sfzf) "
                        "values ('%1', '%2', '%3', '%4 00:00:00', '%5', %6, '白', '冰箱', %6, 1, %6, '%7')")
             .arg(djh, name, initials, date, payment)
             .arg(total)
             .arg(voided));
}

QStringList TestQueryTab::listed() {
    QStringList out;
    TQuery &q = m_f->dm->qdjcx;
    if (!q.Active())
        return {QStringLiteral("<closed>")};
    const int djh = q.FieldIndex(QStringLiteral("djh"));
    for (int r = 0; r < q.RecordCount(); ++r) {
        q.FetchUpTo(r + 1);
        out << q.Text(r, djh).right(1);
    }
    return out;
}

void TestQueryTab::search_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("payment"); // rb1, rb2 or rb3
    QTest::addColumn<QStringList>("slips");
    QTest::addColumn<QString>("sum");
    QTest::newRow("everything, voided included") << ""
                                                 << ""
                                                 << ""
                                                 << ""
                                                 << "rb3" << QStringList{"1", "2", "3", "4"} << "650.5";
    QTest::newRow("beginning of the name") << QStringLiteral("张") << ""
                                           << ""
                                           << ""
                                           << "rb3" << QStringList{"1", "3"} << "400.5";
    QTest::newRow("initials") << "z"
                              << ""
                              << ""
                              << ""
                              << "rb3" << QStringList{"1", "3"} << "400.5";
    QTest::newRow("initials in upper case") << "ZD"
                                            << ""
                                            << ""
                                            << ""
                                            << "rb3" << QStringList{"3"} << "300.5";
    QTest::newRow("whole number") << ""
                                  << "0000000002"
                                  << ""
                                  << ""
                                  << "rb3" << QStringList{"2"} << "200";
    QTest::newRow("number without its zeros") << ""
                                              << "2"
                                              << ""
                                              << ""
                                              << "rb3" << QStringList{} << "0";
    QTest::newRow("both days included") << ""
                                        << ""
                                        << "2026-12-05"
                                        << "2026-12-10"
                                        << "rb3" << QStringList{"2", "3"} << "500.5";
    QTest::newRow("from after to") << ""
                                   << ""
                                   << "2026-12-10"
                                   << "2026-12-05"
                                   << "rb3" << QStringList{} << "0";
    QTest::newRow("card") << ""
                          << ""
                          << ""
                          << ""
                          << "rb1" << QStringList{"2", "3"} << "500.5";
    QTest::newRow("cash") << ""
                          << ""
                          << ""
                          << ""
                          << "rb2" << QStringList{"1", "4"} << "150";
    QTest::newRow("name and card") << QStringLiteral("张") << ""
                                   << ""
                                   << ""
                                   << "rb1" << QStringList{"3"} << "300.5";
}

void TestQueryTab::search() {
    QFETCH(QString, name);
    QFETCH(QString, number);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, payment);
    QFETCH(QStringList, slips);
    QFETCH(QString, sum);
    tab().Edit37->setText(name);
    tab().Edit38->setText(number);
    tab().Edit39->setText(from);
    tab().Edit40->setText(to);
    tab().findChild<QRadioButton *>(payment)->setChecked(true);
    QTest::mouseClick(tab().BitBtn15, Qt::LeftButton);
    QCOMPARE(listed(), slips);
    QCOMPARE(tab().SumText(), sum);
    QVERIFY(Msg::TakeShown().isEmpty());
}

void TestQueryTab::badDateEmptiesTheList() {
    const QString before = tab().SumText();
    tab().Edit39->setText(QStringLiteral("2026-13-01"));
    QTest::mouseClick(tab().BitBtn15, Qt::LeftButton);
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("'2026-13-01' is not a valid date and time."));
    QCOMPARE(tab().DBGrid1->model()->rowCount(), 0);
    QCOMPARE(tab().SumText(), before);
}

void TestQueryTab::enteringTheTabShowsTheLast30Days() {
    m_f->select(m_f->form->TabSheet1);
    tab().Edit37->setText(QStringLiteral("李"));
    m_f->select(m_f->form->TabSheet2);
    QCOMPARE(tab().Edit37->text(), QString());
    QCOMPARE(tab().Edit39->text(), QStringLiteral("2026-11-11"));
    QCOMPARE(tab().Edit40->text(), QStringLiteral("2026-12-11"));
    QCOMPARE(listed(), (QStringList{"1", "2", "3"}));
    QCOMPARE(tab().SumText(), QStringLiteral("600.5"));
    QCOMPARE(tab().DBGrid1->model()->columnCount(), 40);
    QCOMPARE(tab().DBGrid1->model()->headerData(39, Qt::Horizontal).toString(), QStringLiteral("作废否"));
    QCOMPARE(tab().DBGrid1->columnWidth(3), 161);
}

void TestQueryTab::voidedSlipsAreRed() {
    QCOMPARE(tab().DBGrid1DrawColumnCell(0), QColor(Qt::black));
    QCOMPARE(tab().DBGrid1DrawColumnCell(1), QColor(255, 0, 0));
    QCOMPARE(tab().DBGrid1DrawColumnCell(2), QColor(Qt::black));
}

void TestQueryTab::voidAsksAndRefreshes_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestQueryTab::voidAsksAndRefreshes() {
    QFETCH(bool, yes);
    m_f->dm->qdjcx.SetRecNo(2); // 0000000003
    const QString sum = tab().SumText();
    Msg::QueueAnswer(yes ? Msg::Answer::Yes : Msg::Answer::No);
    QTest::mouseClick(tab().BitBtn18, Qt::LeftButton);
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QStringLiteral("询问"));
    QCOMPARE(shown[0].text, QStringLiteral("您确定要作废单据号为：0000000003客户姓名为：张大明记录吗？"));
    QCOMPARE(tab().DBGrid1DrawColumnCell(2), yes ? QColor(255, 0, 0) : QColor(Qt::black));
    QCOMPARE(m_f->dm->qdjcx.RecNo(), yes ? 0 : 2);
    QCOMPARE(tab().SumText(), sum);
}

void TestQueryTab::modifyIsForTheSuperUser() {
    Operator::SetCurrent(QStringLiteral("002"));
    m_f->form->TabSheet1->SetText(1, QStringLiteral("未保存的"));
    QTest::mouseClick(tab().BitBtn17, Qt::LeftButton);
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("您不是超级用户(001)登录的,不能使用本功能。"));
    QCOMPARE(m_f->form->TabSheet1->Text(1), QStringLiteral("未保存的"));
}

void TestQueryTab::modifyLoadsTheSlipAndSaveUpdatesIt() {
    exec(QStringLiteral("update app_djb set ys = '黑', fkfs = '现金', sl1 = 0, zje = 0, kpy = '王丽', xsy = '张伟', "
                        "xlh2 = 'SN2', lxdh = '139' where djh = '0000000002'"));
    m_f->select(m_f->form->TabSheet2);
    m_f->dm->qdjcx.SetRecNo(1);
    QTest::mouseClick(tab().BitBtn17, Qt::LeftButton);
    TEntryTab &e = *m_f->form->TabSheet1;
    QCOMPARE(m_f->form->pg1->currentWidget(), m_f->form->TabSheet1);
    QVERIFY(e.rbb2->isChecked());
    QVERIFY(e.rbb4->isChecked());
    QCOMPARE(e.Text(1), QStringLiteral("李四"));
    QCOMPARE(e.Text(2), QStringLiteral("139"));
    QCOMPARE(e.Text(4), QStringLiteral("2026-12-05"));
    QCOMPARE(e.Text(5), QStringLiteral("0000000002"));
    QCOMPARE(e.Text(13), QStringLiteral("200"));
    QCOMPARE(e.Text(19), QString()); // a stored 0 comes back empty
    QCOMPARE(e.Text(25), QStringLiteral("200"));
    QCOMPARE(e.Text(31), QStringLiteral("0")); // the total comes back even when 0
    QCOMPARE(e.Text(32), QStringLiteral("元整"));
    QCOMPARE(e.ComboBox1->currentText(), QStringLiteral("王丽"));
    QCOMPARE(e.ComboBox2->currentText(), QStringLiteral("张伟"));
    QCOMPARE(e.Text(34), QStringLiteral("SN2"));

    e.SetText(19, QStringLiteral("2"));
    QTest::mouseClick(e.BitBtn5, Qt::LeftButton);
    QSqlQuery q(m_f->dm->democnn.Database());
    q.exec(QStringLiteral("select count(*), max(iid), sum(zje) from app_djb where djh = '0000000002'"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 1);
    QCOMPARE(q.value(1).toInt(), 2);
    QCOMPARE(q.value(2).toDouble(), 400.0);
    q.exec(QStringLiteral("select count(*) from app_djb"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 4);
    QCOMPARE(e.Text(5), QStringLiteral("0000000005")); // the next new slip
}

void TestQueryTab::ctrlDeleteRemovesTheRow_data() {
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK") << true;
    QTest::newRow("Cancel") << false;
}

void TestQueryTab::ctrlDeleteRemovesTheRow() {
    QFETCH(bool, ok);
    m_f->dm->qdjcx.SetRecNo(0);
    const QString sum = tab().SumText();
    Msg::QueueAnswer(ok ? Msg::Answer::Ok : Msg::Answer::Cancel);
    QTest::keyClick(tab().DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("Delete record?"));
    QCOMPARE(listed(), ok ? QStringList({"2", "3"}) : QStringList({"1", "2", "3"}));
    QCOMPARE(tab().DBGrid1->model()->rowCount(), ok ? 2 : 3);
    QCOMPARE(tab().SumText(), sum); // not refreshed
}

void TestQueryTab::exportXls() {
    exec(QStringLiteral("update app_djb set bz = NULL"));
    tab().BitBtn15Click();
    m_f->dm->qdjcx.SetRecNo(1);
    const QString file = m_f->folder.Path(QStringLiteral("list.xls"));
    FileDialogs::QueueAnswer(file, QStringLiteral("Excel文件(*.xls)"));
    QTest::mouseClick(tab().BitBtn16, Qt::LeftButton);
    QCOMPARE(m_opened, QStringList{file});
    const Sheet sheet = readXls(file);
    QCOMPARE(sheet.rows, 4);
    QCOMPARE(sheet.columns, 40);
    QCOMPARE(sheet.text[0][0], QStringLiteral("单据号"));
    QCOMPARE(sheet.text[0][5], QStringLiteral("商品一"));
    QCOMPARE(sheet.text[0][39], QStringLiteral("作废否"));
    QCOMPARE(sheet.text[1][0], QStringLiteral("0000000001"));
    QCOMPARE(sheet.text[3][1], QStringLiteral("张大明"));
    // Numbers and dates are stored as text, as the grid shows them.
    QCOMPARE(sheet.text[3][6], QStringLiteral("300.5"));
    QCOMPARE(sheet.text[1][32], QStringLiteral("2026-12-01"));
    QVERIFY(sheet.kind[3][6] == FREEXL_CELL_SST_TEXT || sheet.kind[3][6] == FREEXL_CELL_TEXT);
    QCOMPARE(sheet.text[1][4], QStringLiteral("<null>")); // the null note
    QCOMPARE(sheet.text[2][39], QStringLiteral("是"));
    QCOMPARE(m_f->dm->qdjcx.RecNo(), 1); // the list is where it was
    QVERIFY(Msg::TakeShown().isEmpty());
}

void TestQueryTab::exportNaming_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("no extension") << "report"
                                  << "report.xls";
    QTest::newRow("upper-case extension") << "REPORT.XLS"
                                          << "REPORT.XLS.xls";
    QTest::newRow("extension") << "list.xls"
                               << "list.xls";
}

void TestQueryTab::exportNaming() {
    QFETCH(QString, typed);
    QFETCH(QString, written);
    FileDialogs::QueueAnswer(m_f->folder.Path(typed), QStringLiteral("Excel文件(*.xls)"));
    tab().BitBtn16Click();
    QVERIFY(QFile::exists(m_f->folder.Path(written)));
    QCOMPARE(readXls(m_f->folder.Path(written)).rows, 4);
}

void TestQueryTab::exportDeclinedOverwriteKeepsTheFile() {
    m_f->folder.WriteFile(QStringLiteral("old.xls"), "an older export");
    FileDialogs::QueueAnswer(m_f->folder.Path(QStringLiteral("old.xls")), QStringLiteral("Excel文件(*.xls)"));
    Msg::QueueAnswer(Msg::Answer::No);
    tab().BitBtn16Click();
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("该文件已经存在，要覆盖吗？"));
    QCOMPARE(m_f->folder.ReadFile(QStringLiteral("old.xls")), QByteArray("an older export"));
    QVERIFY(m_opened.isEmpty());
    // Cancelling the file dialog writes nothing and says nothing.
    FileDialogs::QueueAnswer(QString());
    tab().BitBtn16Click();
    QVERIFY(Msg::TakeShown().isEmpty());
    QVERIFY(m_opened.isEmpty());
}

void TestQueryTab::exportXlsx() {
    FileDialogs::QueueAnswer(m_f->folder.Path(QStringLiteral("list")), QStringLiteral("Excel 2007+ (*.xlsx)"));
    tab().BitBtn16Click();
    const QByteArray bytes = m_f->folder.ReadFile(QStringLiteral("list.xlsx"));
    QVERIFY(bytes.startsWith("PK")); // a zip package, as .xlsx files are
    QVERIFY(bytes.size() > 1000);
    QVERIFY(!QFile::exists(m_f->folder.Path(QStringLiteral("list.xlsx.part"))));
}

void TestQueryTab::exportRowLimit_data() {
    QTest::addColumn<int>("slips");
    QTest::addColumn<bool>("asked");
    QTest::newRow("65,535 fit without a question") << 65535 << false;
    QTest::newRow("65,536 bring the question") << 65536 << true;
}

void TestQueryTab::exportRowLimit() {
    QFETCH(int, slips);
    QFETCH(bool, asked);
    QSqlDatabase db = m_f->dm->democnn.Database();
    exec(QStringLiteral("delete from app_djb"));
    QVERIFY(db.transaction());
    QSqlQuery q(db);
    q.prepare(QStringLiteral("insert into app_djb (djh, khxm, pyzjh, zje) values (?, ?, 'k', 1)"));
    for (int i = 1; i <= slips; ++i) {
        q.addBindValue(QStringLiteral("%1").arg(i, 10, 10, QLatin1Char('0')));
        q.addBindValue(QStringLiteral("客户%1").arg(i % 100));
        QVERIFY(q.exec());
    }
    QVERIFY(db.commit());
    tab().Edit39->setText(QString());
    tab().Edit40->setText(QString());
    tab().BitBtn15Click();
    FileDialogs::QueueAnswer(m_f->folder.Path(QStringLiteral("big.xls")), QStringLiteral("Excel文件(*.xls)"));
    Msg::QueueAnswer(Msg::Answer::Yes);
    tab().BitBtn16Click();
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), asked ? 1 : 0);
    if (asked)
        QCOMPARE(shown[0].text, QStringLiteral("需要导出的数据过大，Excel最大只能容纳65536行,是否还要继续？"));
    const Sheet sheet = readXls(m_f->folder.Path(QStringLiteral("big.xls")));
    QCOMPARE(sheet.rows, 65536); // the titles and 65,535 slips at most
    QCOMPARE(sheet.text[1][0], QStringLiteral("0000000001"));
}

QTEST_MAIN(TestQueryTab)
#include "tst_querytab.moc"
