#include "shell/clock.h"
#include "shell/errors.h"
#include "text/datetext.h"

#include <QtTest>

class TestDateText : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Clock::SetFixed(QDateTime(QDate(2026, 12, 11), QTime(10, 0))); }
    void cleanupTestCase() { Clock::SetFixed(QDateTime()); }
    void format_data();
    void format();
    void parse_data();
    void parse();
};

void TestDateText::format_data() {
    QTest::addColumn<QDateTime>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("midnight is the date alone") << QDateTime(QDate(2008, 9, 5), QTime(0, 0)) << "2008-09-05";
    QTest::newRow("hour without leading zero") << QDateTime(QDate(2008, 9, 5), QTime(7, 5, 3)) << "2008-09-05 7:05:03";
    QTest::newRow("afternoon") << QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)) << "2026-12-31 23:59:59";
}

void TestDateText::format() {
    QFETCH(QDateTime, value);
    QFETCH(QString, text);
    QCOMPARE(DateText::DateTimeToStr(value), text);
}

void TestDateText::parse_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("value"); // invalid: the text is no date
    const auto at = [](int y, int m, int d, int h = 0, int mi = 0, int s = 0) {
        return QDateTime(QDate(y, m, d), QTime(h, mi, s), Qt::UTC);
    };
    QTest::newRow("short date") << "2008-09-05" << at(2008, 9, 5);
    QTest::newRow("no leading zeros") << "2008-9-5" << at(2008, 9, 5);
    QTest::newRow("with time") << "2008-09-05 7:05:03" << at(2008, 9, 5, 7, 5, 3);
    QTest::newRow("time without seconds") << "2008-09-05 14:30" << at(2008, 9, 5, 14, 30);
    QTest::newRow("two-digit year") << "08-09-05" << at(2008, 9, 5);
    QTest::newRow("leap day") << "2024-02-29" << at(2024, 2, 29);
    QTest::newRow("29 February of a common year") << "2023-02-29" << QDateTime();
    QTest::newRow("month 13") << "2008-13-01" << QDateTime();
    QTest::newRow("day 0") << "2008-01-00" << QDateTime();
    QTest::newRow("slashes") << "2008/09/05" << QDateTime();
    QTest::newRow("day first") << "05-09" << QDateTime();
    QTest::newRow("empty") << "" << QDateTime();
    QTest::newRow("hour 24") << "2008-09-05 24:00:00" << QDateTime();
    QTest::newRow("trailing words") << "2008-09-05 noon" << QDateTime();
}

void TestDateText::parse() {
    QFETCH(QString, text);
    QFETCH(QDateTime, value);
    if (value.isValid()) {
        QCOMPARE(DateText::StrToDateTime(text), value);
        return;
    }
    try {
        DateText::StrToDateTime(text);
        QFAIL("no error raised");
    } catch (const EConvertError &e) {
        QCOMPARE(e.Message(), QStringLiteral("'%1' is not a valid date and time").arg(text));
    }
}

QTEST_GUILESS_MAIN(TestDateText)
#include "tst_datetext.moc"
