#include "shell/errors.h"
#include "text/numtext.h"

#include <QtTest>

class TestNumText : public QObject {
    Q_OBJECT
private slots:
    void floatToStr_data();
    void floatToStr();
    void formatFixed2_data();
    void formatFixed2();
    void strToFloat_data();
    void strToFloat();
    void strToInt_data();
    void strToInt();
};

void TestNumText::floatToStr_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole number has no point") << 3.0 << "3";
    QTest::newRow("no trailing zeros") << 12.5 << "12.5";
    QTest::newRow("binary noise hidden by 15 digits") << 0.1 + 0.2 << "0.3";
    QTest::newRow("product of price and quantity") << 19.99 * 3 << "59.97";
    QTest::newRow("negative") << -2.25 << "-2.25";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("no thousands separator") << 1234567.0 << "1234567";
    QTest::newRow("15 integer digits stay fixed") << 123456789012345.0 << "123456789012345";
    QTest::newRow("16 integer digits go scientific") << 1e15 << "1E15";
    QTest::newRow("smallest fixed") << 0.00001 << "0.00001";
    QTest::newRow("below it scientific") << 0.0000015 << "1.5E-6";
}

void TestNumText::floatToStr() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(NumText::FloatToStr(value), text);
}

void TestNumText::formatFixed2_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("pads") << 12.5 << "12.50";
    QTest::newRow("zero") << 0.0 << "0.00";
    QTest::newRow("half rounds up as written") << 1.005 << "1.01";
    QTest::newRow("just below half") << 1.004999 << "1.00";
    QTest::newRow("carry into integer part") << 999.995 << "1000.00";
    QTest::newRow("small") << 0.05 << "0.05";
    QTest::newRow("tiny rounds up") << 0.005 << "0.01";
    QTest::newRow("negative") << -3.456 << "-3.46";
    QTest::newRow("negative that rounds to zero has no sign") << -0.001 << "0.00";
    QTest::newRow("large") << 1234567.891 << "1234567.89";
}

void TestNumText::formatFixed2() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(NumText::FormatFixed2(value), text);
}

void TestNumText::strToFloat_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");
    QTest::newRow("integer") << "12" << true << 12.0;
    QTest::newRow("decimal") << "12.5" << true << 12.5;
    QTest::newRow("leading point") << ".5" << true << 0.5;
    QTest::newRow("trailing point") << "3." << true << 3.0;
    QTest::newRow("sign") << "-4.25" << true << -4.25;
    QTest::newRow("exponent") << "1.5E3" << true << 1500.0;
    QTest::newRow("blanks around") << " 7 " << true << 7.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("comma is no separator") << "12,5" << false << 0.0;
    QTest::newRow("letters") << "12a" << false << 0.0;
    QTest::newRow("point alone") << "." << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("exponent without digits") << "1e" << false << 0.0;
    QTest::newRow("full-width digits") << QStringLiteral("１２") << false << 0.0;
}

void TestNumText::strToFloat() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, value);
    if (valid) {
        QCOMPARE(NumText::StrToFloat(text), value);
        return;
    }
    try {
        NumText::StrToFloat(text);
        QFAIL("no error raised");
    } catch (const EConvertError &e) {
        QCOMPARE(e.Message(), QStringLiteral("'%1' is not a valid floating point value").arg(text));
    }
}

void TestNumText::strToInt_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("leading zeros") << "0000000041" << true << 41;
    QTest::newRow("negative") << "-17" << true << -17;
    QTest::newRow("largest") << "2147483647" << true << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << true << int(-2147483648LL);
    QTest::newRow("one past largest") << "2147483648" << false << 0;
    QTest::newRow("eleven digits") << "99999999999" << false << 0;
    QTest::newRow("decimal") << "1.5" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("sign alone") << "-" << false << 0;
}

void TestNumText::strToInt() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    if (valid) {
        QCOMPARE(NumText::StrToInt(text), value);
        return;
    }
    try {
        NumText::StrToInt(text);
        QFAIL("no error raised");
    } catch (const EConvertError &e) {
        QCOMPARE(e.Message(), QStringLiteral("'%1' is not a valid integer value").arg(text));
    }
}

QTEST_GUILESS_MAIN(TestNumText)
#include "tst_numtext.moc"
