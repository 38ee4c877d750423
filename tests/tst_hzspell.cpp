#include "text/gbk.h"
#include "text/hzspell.h"

#include <QtTest>

namespace {
std::string gbk(const QString &text) {
    return Gbk::Encode(text).toStdString();
}
} // namespace

class TestHzSpell : public QObject {
    Q_OBJECT
private slots:
    void initials_data();
    void initials();
    void edgeBytes_data();
    void edgeBytes();
    void tellingReadings_data();
    void tellingReadings();
    void leadByte_data();
    void leadByte();
    void everyGb2312HanziHasALetter();
    void wholeTextAgreesWithOneCharacter();
    void textThroughGbk();
};

void TestHzSpell::initials_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("initials");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("客户") << QStringLiteral("客户") << "kh";
    QTest::newRow("张三") << QStringLiteral("张三") << "zs";
    QTest::newRow("销售单") << QStringLiteral("销售单") << "xsd";
    QTest::newRow("女儿") << QStringLiteral("女儿") << "ne";
    QTest::newRow("李四123") << QStringLiteral("李四123") << "ls123";
    QTest::newRow("12.5元") << QStringLiteral("12.5元") << "12.5y";
    QTest::newRow("(北京)") << QStringLiteral("(北京)") << "(bj)";
    QTest::newRow("Latin keeps case, spaces dropped") << "Pro 2 Kit"
                                                      << "Pro2Kit";
    QTest::newRow("apostrophe dropped") << "O'Neil"
                                        << "ONeil";
    QTest::newRow("full width") << QStringLiteral("ＡＢ＿１") << "AB1";
    QTest::newRow("numbered and Greek") << QStringLiteral("Ⅻ⑩Ω") << "11o";
    QTest::newRow("Chinese punctuation") << QStringLiteral("，。") << "";
    QTest::newRow("kept and dropped ASCII") << "a!\"#$%&()*+-.:<>?@[]^ ,/;=\\_`{|}~"
                                            << "a!\"#$%&()*+-.:<>?@[]^";
    QTest::newRow("Greek small and capital") << QStringLiteral("θΘψ") << "ttp";
    QTest::newRow("numbers with stops and in parentheses") << QStringLiteral("⒛⑴㈩ⅹ") << "2111";
    QTest::newRow("unit ligature") << QStringLiteral("兛") << "q";
    QTest::newRow("extension character") << QStringLiteral("丂") << "k";
}

void TestHzSpell::initials() {
    QFETCH(QString, text);
    QFETCH(QString, initials);
    QCOMPARE(QString::fromStdString(PinyinInitials(std::string_view(gbk(text)))), initials);
    QCOMPARE(PinyinInitials(text), initials);
}

void TestHzSpell::edgeBytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("initials");
    QTest::newRow("lone lead byte at the end") << QByteArray("ab\xbf") << QByteArray("ab");
    QTest::newRow("lead byte with a low byte consumes both") << QByteArray("\x81\x31x") << QByteArray("x");
    QTest::newRow("lead byte with a low byte alone") << QByteArray("\x81\x31") << QByteArray();
    QTest::newRow("unassigned D7FA") << QByteArray("\xd7\xfa") << QByteArray();
    QTest::newRow("unassigned D7FE") << QByteArray("\xd7\xfe") << QByteArray();
    QTest::newRow("last hanzi before the gap") << QByteArray("\xd7\xf9") << QByteArray("z");
    QTest::newRow("lead byte 0xFF") << QByteArray("\xff\xa1k") << QByteArray("k");
    QTest::newRow("trail byte 0xFF") << QByteArray("\xb0\xffk") << QByteArray("k");
    QTest::newRow("trail byte 0x7F") << QByteArray("\xb0\x7f") << QByteArray();
    QTest::newRow("byte 0x80") << QByteArray("\x80") << QByteArray();
    QTest::newRow("control characters") << QByteArray("\t\n\r") << QByteArray();
    QTest::newRow("symbol row") << QByteArray("\xa1\xa1\xa1\xb0") << QByteArray();
    QTest::newRow("user-defined areas") << QByteArray("\xaa\xa1\xf8\xa1\xa1\x40") << QByteArray();
    QTest::newRow("number row below its symbols") << QByteArray("\xa2\x41") << QByteArray();
    QTest::newRow("Greek row outside the letters") << QByteArray("\xa6\xb9\xa6\xe0") << QByteArray();
}

void TestHzSpell::edgeBytes() {
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, initials);
    QCOMPARE(QByteArray::fromStdString(PinyinInitials(std::string_view(bytes.constData(), bytes.size()))), initials);
}

void TestHzSpell::tellingReadings_data() {
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("reading");
    QTest::newRow("客") << QStringLiteral("客") << "ke";
    QTest::newRow("户") << QStringLiteral("户") << "hu";
    QTest::newRow("张") << QStringLiteral("张") << "zhang";
    QTest::newRow("长") << QStringLiteral("长") << "zhang";
    QTest::newRow("行") << QStringLiteral("行") << "hang";
    QTest::newRow("重") << QStringLiteral("重") << "zhong";
    QTest::newRow("三") << QStringLiteral("三") << "san";
    QTest::newRow("李") << QStringLiteral("李") << "li";
    QTest::newRow("女") << QStringLiteral("女") << "nv";
    QTest::newRow("儿") << QStringLiteral("儿") << "er";
    QTest::newRow("绿 (ü as v)") << QStringLiteral("绿") << "lv";
    QTest::newRow("兣") << QStringLiteral("兣") << "gongli";
    QTest::newRow("瓸") << QStringLiteral("瓸") << "baiwa";
    QTest::newRow("⒓") << QStringLiteral("⒓") << "12";
    QTest::newRow("Ⅻ") << QStringLiteral("Ⅻ") << "12";
    QTest::newRow("Θ") << QStringLiteral("Θ") << "th";
    QTest::newRow("full-width Ａ") << QStringLiteral("Ａ") << "A";
    QTest::newRow("full-width ＿") << QStringLiteral("＿") << "";
}

void TestHzSpell::tellingReadings() {
    QFETCH(QString, character);
    QFETCH(QString, reading);
    const std::string bytes = gbk(character);
    QCOMPARE(bytes.size(), size_t(2));
    QCOMPARE(QString::fromStdString(PinyinOfChar(bytes.data(), 2)), reading);
    QCOMPARE(QString::fromStdString(InitialOfChar(bytes.data(), 2)), reading.left(1));
    // Given as one byte, the lead byte alone is never kept.
    QCOMPARE(PinyinOfChar(bytes.data(), 1), std::string());
}

void TestHzSpell::leadByte_data() {
    QTest::addColumn<int>("byte");
    QTest::addColumn<bool>("lead");
    QTest::newRow("0x7F") << 0x7F << false;
    QTest::newRow("0x80") << 0x80 << false;
    QTest::newRow("0x81") << 0x81 << true;
    QTest::newRow("0xFE") << 0xFE << true;
    QTest::newRow("0xFF") << 0xFF << true;
}

void TestHzSpell::leadByte() {
    QFETCH(int, byte);
    QFETCH(bool, lead);
    QCOMPARE(IsGbkLeadByte(static_cast<unsigned char>(byte)), lead);
}

void TestHzSpell::everyGb2312HanziHasALetter() {
    int count = 0;
    QStringList missing;
    for (int lead = 0xB0; lead <= 0xF7; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            if (lead == 0xD7 && trail >= 0xFA)
                continue;
            const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const std::string initial = PinyinInitials(std::string_view(bytes, 2));
            if (initial.size() != 1 || initial[0] < 'a' || initial[0] > 'z')
                missing << QStringLiteral("%1%2").arg(lead, 2, 16).arg(trail, 2, 16);
            ++count;
        }
    }
    QCOMPARE(count, 6763);
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u' ')));
}

void TestHzSpell::wholeTextAgreesWithOneCharacter() {
    // The fast path over whole texts must give what the one-character rules give.
    for (int lead = 0x81; lead <= 0xFF; ++lead) {
        for (int trail = 0x00; trail <= 0xFF; ++trail) {
            const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const std::string whole = PinyinInitials(std::string_view(bytes, 2));
            const std::string one = InitialOfChar(bytes, 2);
            if (whole != one)
                QFAIL(qPrintable(QStringLiteral("%1 %2: %3 / %4")
                                     .arg(lead, 2, 16)
                                     .arg(trail, 2, 16)
                                     .arg(QString::fromStdString(whole), QString::fromStdString(one))));
        }
    }
}

void TestHzSpell::textThroughGbk() {
    // Characters without a GBK code give nothing, not a stand-in '?'.
    QCOMPARE(PinyinInitials(QStringLiteral("客😀户")), QStringLiteral("kh"));
    QCOMPARE(PinyinInitials(QStringLiteral("Café 张")), QStringLiteral("Cafz"));
    QCOMPARE(PinyinInitials(QStringLiteral("A?")), QStringLiteral("A?"));
}

QTEST_GUILESS_MAIN(TestHzSpell)
#include "tst_hzspell.moc"
