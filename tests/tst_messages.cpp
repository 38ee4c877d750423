#include "shell/guard.h"
#include "shell/messages.h"

#include <QtTest>

class TestMessages : public QObject {
    Q_OBJECT
private slots:
    void init() { Msg::SetScripted(true); }
    void cleanup() { Msg::SetScripted(false); }
    void errorText_data();
    void errorText();
    void guardShowsErrorsAndSwallowsStops();
    void questionAnswers();
};

void TestMessages::errorText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter gets a point") << "Unable to write to /x/kelvaro.ini"
                                         << "Unable to write to /x/kelvaro.ini.";
    QTest::newRow("quote does not") << "no value 'abc'"
                                    << "no value 'abc'";
    QTest::newRow("point stays single") << "done."
                                        << "done.";
    QTest::newRow("closing parenthesis does not") << "failed (2)"
                                                  << "failed (2)";
    QTest::newRow("Chinese text gets a point") << QStringLiteral("没有数据！") << QStringLiteral("没有数据！.");
    QTest::newRow("empty stays empty") << ""
                                       << "";
}

void TestMessages::errorText() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(Msg::ErrorText(text), shown);
}

void TestMessages::guardShowsErrorsAndSwallowsStops() {
    bool after = false;
    Guarded([&] {
        Abort();
        after = true;
    });
    QVERIFY(!after);
    QVERIFY(Msg::TakeShown().isEmpty());

    Guarded([] { throw EConvertError(QStringLiteral("'x' is not a valid integer value")); });
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QStringLiteral("Kelvaro"));
    QCOMPARE(shown[0].text, QStringLiteral("'x' is not a valid integer value."));
    QCOMPARE(shown[0].icon, Msg::Icon::Error);
}

void TestMessages::questionAnswers() {
    Msg::QueueAnswer(Msg::Answer::No);
    QVERIFY(!Msg::Ask(QStringLiteral("确定作废吗？")));
    QVERIFY(Msg::Ask(QStringLiteral("确定作废吗？"))); // an empty queue answers Yes
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown[0].title, QStringLiteral("询问"));
    QCOMPARE(shown[0].icon, Msg::Icon::Question);
    QCOMPARE(shown[0].buttons, Msg::Buttons::YesNo);
}

QTEST_GUILESS_MAIN(TestMessages)
#include "tst_messages.moc"
