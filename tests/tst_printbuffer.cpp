#include "data/demodm.h"
#include "entry/entrytab.h"
#include "masterdata/mastertab.h"
#include "printing/report/engine.h"
#include "printing/report/preview.h"
#include "printing/slipprinter.h"
#include "shell/clock.h"
#include "shell/controls.h"
#include "shell/errors.h"
#include "shell/formmain.h"
#include "shell/look.h"
#include "shell/messages.h"
#include "shell/modal.h"
#include "shell/settings.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSqlQuery>
#include <QtTest>

// The slip on the entry tab copied into the print buffer, and the preview,
// print and design that read it.
class TestPrintBuffer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { Clock::SetFixed(QDateTime()); }
    void init();
    void cleanup();

    void bufferRow_data();
    void bufferRow();
    void checksComeFirst();
    void badNumberStopsAfterEmptying();
    void previewLeavesTheSlipTableAlone();
    void missingTemplate_data();
    void missingTemplate();
    void printFromSaveWithoutTemplateKeepsTheSlip();
    void printDialogCancelPrintsNothing();
    void printToPdfFile();

private:
    TEntryTab &tab() { return *m_f->form->TabSheet1; }
    void installTemplate();
    void fill();
    QVariantMap buffer();
    int count(const QString &table);
    std::unique_ptr<MainWindowFixture> m_f;
};

void TestPrintBuffer::initTestCase() {
    Look::Apply(*qApp);
    Clock::SetFixed(QDateTime(QDate(2026, 12, 11), QTime(9, 30)));
}

void TestPrintBuffer::init() {
    m_f = std::make_unique<MainWindowFixture>();
    m_f->form->FormShow();
    installTemplate();
}

void TestPrintBuffer::cleanup() {
    QCOMPARE(Modal::Pending(), 0);
    m_f.reset();
}

void TestPrintBuffer::installTemplate() {
    QVERIFY(QDir().mkpath(m_f->folder.Path(QStringLiteral("report"))));
    QFile::remove(m_f->folder.Path(QStringLiteral("report/st.rmf")));
    QVERIFY(QFile::copy(QStringLiteral(KELVARO_SOURCE_DIR "/report/st.rmf"),
                        m_f->folder.Path(QStringLiteral("report/st.rmf"))));
}

void TestPrintBuffer::fill() {
    tab().SetText(1, QStringLiteral("张三"));
    tab().SetText(2, QStringLiteral("13900001111"));
    tab().SetText(7, QStringLiteral("冰箱"));
    tab().SetText(13, QStringLiteral("1999.5"));
    tab().SetText(19, QStringLiteral("2"));
}

QVariantMap TestPrintBuffer::buffer() {
    QSqlQuery q(m_f->dm->democnn.Database());
    q.exec(QStringLiteral("select * from app_djbdy"));
    QVariantMap row;
    if (q.next())
        for (int i = 0; i < q.record().count(); ++i)
            row.insert(q.record().fieldName(i), q.value(i));
    if (q.next())
        row.insert(QStringLiteral("second row"), true);
    return row;
}

int TestPrintBuffer::count(const QString &table) {
    QSqlQuery q(m_f->dm->democnn.Database());
    q.exec(QStringLiteral("select count(*) from %1").arg(table));
    return q.next() ? q.value(0).toInt() : -1;
}

void TestPrintBuffer::bufferRow_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("empty quantity") << "quantity";
    QTest::newRow("zero price and total") << "zero";
    QTest::newRow("black and cash") << "marks";
    QTest::newRow("date with one-digit month and day") << "date";
    QTest::newRow("total 1000.50") << "total";
}

void TestPrintBuffer::bufferRow() {
    QFETCH(QString, kind);
    fill();
    if (kind == QLatin1String("quantity")) {
        tab().SetText(8, QStringLiteral("电视"));
        tab().SetText(14, QStringLiteral("3000"));
    } else if (kind == QLatin1String("zero")) {
        tab().SetText(13, QStringLiteral("0"));
    } else if (kind == QLatin1String("marks")) {
        tab().rbb2->setChecked(true);
        tab().rbb4->setChecked(true);
    } else if (kind == QLatin1String("date")) {
        tab().SetText(4, QStringLiteral("2008-9-5"));
    } else if (kind == QLatin1String("total")) {
        tab().SetText(13, QStringLiteral("500.25")); // × 2
    }
    m_f->form->Printer().FillBuffer();
    const QVariantMap row = buffer();
    QVERIFY(!row.contains(QStringLiteral("second row")));
    QCOMPARE(row.value("djh").toString(), QStringLiteral("0000000001"));
    QCOMPARE(row.value("pyzjh").toString(), QStringLiteral("zs"));
    QCOMPARE(row.value("kpy").toString(), QStringLiteral("管理员"));
    QCOMPARE(row.value("sl3").toString(), QString()); // empty lines print blank
    QCOMPARE(tab().Text(21), QStringLiteral("0"));    // and show 0 on screen
    if (kind == QLatin1String("quantity")) {
        QCOMPARE(tab().Text(20), QStringLiteral("0"));
        QCOMPARE(row.value("sl2").toString(), QString());
        QCOMPARE(row.value("dj2").toDouble(), 3000.0);
        QCOMPARE(row.value("je2").toString(), QString()); // recomputed to 0 when the quantity became 0
    } else if (kind == QLatin1String("zero")) {
        QCOMPARE(row.value("dj1").toString(), QString());
        QCOMPARE(row.value("zje").toString(), QString());
        QCOMPARE(tab().Text(31), QStringLiteral("0.00"));
        QCOMPARE(row.value("zjedx").toString(), QStringLiteral("元整"));
    } else if (kind == QLatin1String("marks")) {
        QCOMPARE(row.value("ysh").toString(), QStringLiteral("√"));
        QCOMPARE(row.value("ysb").toString(), QString());
        QCOMPARE(row.value("fkfsxj").toString(), QStringLiteral("√"));
        QCOMPARE(row.value("fkfssk").toString(), QString());
    } else if (kind == QLatin1String("date")) {
        QCOMPARE(row.value("drq").toString(), QStringLiteral("2008年09月05日"));
    } else if (kind == QLatin1String("total")) {
        QCOMPARE(row.value("zje").toDouble(), 1000.5);
        QCOMPARE(row.value("zjedx").toString(), QStringLiteral("壹仟元伍角整"));
        // As the template reads it.
        QCOMPARE(m_f->form->Printer().BufferRow().value("zje"), QStringLiteral("1000.5"));
    }
    if (kind != QLatin1String("marks")) {
        QCOMPARE(row.value("ysb").toString(), QStringLiteral("√"));
        QCOMPARE(row.value("fkfssk").toString(), QStringLiteral("√"));
    }
}

void TestPrintBuffer::checksComeFirst() {
    fill();
    QSqlQuery(m_f->dm->democnn.Database()).exec(QStringLiteral("insert into app_djbdy (djh) values ('old')"));
    tab().SetText(1, QString());
    QTest::mouseClick(tab().BitBtn1, Qt::LeftButton);
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("客户名称不能为空！"));
    QCOMPARE(buffer().value("djh").toString(), QStringLiteral("old")); // nothing written
}

void TestPrintBuffer::badNumberStopsAfterEmptying() {
    fill();
    QSqlQuery(m_f->dm->democnn.Database()).exec(QStringLiteral("insert into app_djbdy (djh) values ('old')"));
    tab().SetText(15, QStringLiteral("1.2.3")); // no quantity: no recomputation yet
    QTest::mouseClick(tab().BitBtn1, Qt::LeftButton);
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("'1.2.3' is not a valid floating point value."));
    QCOMPARE(count(QStringLiteral("app_djbdy")), 0);
}

void TestPrintBuffer::previewLeavesTheSlipTableAlone() {
    fill();
    QString shownCustomer;
    Modal::Queue([&](QDialog &dialog) {
        auto &preview = static_cast<TPreviewForm &>(dialog);
        shownCustomer = preview.Current().row.value(QStringLiteral("khxm"));
        QVERIFY(preview.Warning->text().isEmpty());
        preview.CloseAction->trigger();
    });
    QTest::mouseClick(tab().BitBtn1, Qt::LeftButton);
    QCOMPARE(shownCustomer, QStringLiteral("张三"));
    QCOMPARE(count(QStringLiteral("app_djb")), 0);
    QCOMPARE(count(QStringLiteral("app_djbdy")), 1);
    QVERIFY(Msg::TakeShown().isEmpty());
}

void TestPrintBuffer::missingTemplate_data() {
    QTest::addColumn<QString>("button");
    QTest::newRow("preview") << "BitBtn1";
    QTest::newRow("design on the entry tab") << "BitBtn27";
    QTest::newRow("design on the help tab") << "SpeedButton35";
}

void TestPrintBuffer::missingTemplate() {
    QFETCH(QString, button);
    QVERIFY(QFile::remove(m_f->folder.Path(QStringLiteral("report/st.rmf"))));
    fill();
    QTest::mouseClick(m_f->form->findChild<QPushButton *>(button), Qt::LeftButton);
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("报表模板没有找到！"));
    // The preview fills the buffer first; the designer does not touch it.
    QCOMPARE(count(QStringLiteral("app_djbdy")), button == QLatin1String("BitBtn1") ? 1 : 0);
}

void TestPrintBuffer::printFromSaveWithoutTemplateKeepsTheSlip() {
    QVERIFY(QFile::remove(m_f->folder.Path(QStringLiteral("report/st.rmf"))));
    m_f->global->strdyf = QStringLiteral("Y");
    fill();
    QTest::mouseClick(tab().BitBtn5, Qt::LeftButton);
    QCOMPARE(Msg::TakeShown().size(), 1);
    QCOMPARE(count(QStringLiteral("app_djb")), 1);   // saved before printing
    QCOMPARE(tab().Text(1), QStringLiteral("张三")); // not reset
    QCOMPARE(tab().Text(5), QStringLiteral("0000000001"));
}

void TestPrintBuffer::printDialogCancelPrintsNothing() {
    fill();
    bool asked = false;
    Modal::Queue([&](QDialog &dialog) {
        auto &print = static_cast<QPrintDialog &>(dialog);
        asked = true;
        QCOMPARE(print.printer()->copyCount(), 1);
        QVERIFY(!print.printer()->collateCopies());
        print.reject();
    });
    m_f->form->BitBtn21Click();
    QVERIFY(asked);
    QVERIFY(Msg::TakeShown().isEmpty());
}

void TestPrintBuffer::printToPdfFile() {
    fill();
    const QString pdf = m_f->folder.Path(QStringLiteral("slip.pdf"));
    Modal::Queue([&](QDialog &dialog) {
        auto &print = static_cast<QPrintDialog &>(dialog);
        print.printer()->setOutputFormat(QPrinter::PdfFormat);
        print.printer()->setOutputFileName(pdf);
        print.done(QDialog::Accepted); // as chosen; accept() would read the file name from its own fields
    });
    try {
        m_f->form->BitBtn21Click();
    } catch (const Exception &e) {
        QFAIL(qPrintable(e.Message()));
    }
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY(bytes.contains("/FontFile2")); // the Chinese font travels with the file
}

QTEST_MAIN(TestPrintBuffer)
#include "tst_printbuffer.moc"
