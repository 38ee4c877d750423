#include "text/capitals.h"

#include <QtTest>

class TestCapitals : public QObject {
    Q_OBJECT
private slots:
    void capitals_data();
    void capitals();
};

void TestCapitals::capitals_data() {
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("capitals");
    const auto row = [](const char *amount, const char *capitals) {
        QTest::newRow(amount) << QString::fromUtf8(amount) << QString::fromUtf8(capitals);
    };
    // The worked examples.
    row("0.00", "元整");
    row("5.00", "伍元整");
    row("10.00", "壹拾元整");
    row("105.00", "壹佰零伍元整");
    row("110", "壹佰壹拾元整");
    row("1010.00", "壹仟零壹拾元整");
    row("20.30", "贰拾元叁角整");
    row("1000.50", "壹仟元伍角整");
    row("1000.05", "壹仟元零伍分");
    row("0.50", "元伍角整");
    row("0.05", "元零伍分");
    row("10005.00", "壹万零伍元整");
    row("100005.00", "壹拾万零伍元整");
    row("1000000.00", "壹佰万元整");
    row("1005000.00", "壹佰万零伍仟元整");
    row("100000000.00", "壹亿元整");
    row("100010000.00", "壹亿零壹万元整");
    row("123456789.12", "壹亿贰仟叁佰肆拾伍万陆仟柒佰捌拾玖元壹角贰分");
    row(".5", "伍角整");
    row("5.", "伍元整");
    row("1.234", "壹元贰角叁分肆");
    // Beyond the examples.
    row("12.5", "壹拾贰元伍角整");  // a stored total read back with one decimal
    row("1.204", "壹元贰角零肆整"); // a zero before a unit-less third decimal
    row("1,000.00", "壹万仟元整");  // a pasted separator is an empty numeral with its unit
    row("1.2.3", "壹元贰角分叁");   // a second point likewise
    row("-5", "拾伍元整");          // so is a minus sign
    row("00000.00", "元整");        // leading zeros at the 万 position write no 万
    row("000010000", "零壹万元整");
}

void TestCapitals::capitals() {
    QFETCH(QString, amount);
    QFETCH(QString, capitals);
    QCOMPARE(AmountToCapitals(amount), capitals);
}

QTEST_GUILESS_MAIN(TestCapitals)
#include "tst_capitals.moc"
