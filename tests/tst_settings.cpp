#include "shell/errors.h"
#include "shell/settings.h"
#include "testsupport.h"
#include "text/gbk.h"

#include <QFile>
#include <QtTest>

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void pathForProgram_data();
    void pathForProgram();
    void missingFileGivesDefaultsAndFirstWriteCreatesIt();
    void unknownKeysAndLinesSurvive();
    void lowerCaseSectionIsReadAndWrittenInto();
    void chineseValuesAreGbk();
    void unwritableFile_data();
    void unwritableFile();
};

void TestSettings::pathForProgram_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("settings");
    QTest::newRow("Windows program") << "C:\\shop\\Sales.exe"
                                     << "C:\\shop\\Sales.ini";
    QTest::newRow("upper-case extension") << "C:\\shop\\SALES.EXE"
                                          << "C:\\shop\\SALES.ini";
    QTest::newRow("program without extension") << "/opt/kelvaro/kelvaro"
                                               << "/opt/kelvaro/kelvaro.ini";
    QTest::newRow("dotted folder") << "/home/a.b/kelvaro"
                                   << "/home/a.b/kelvaro.ini";
}

void TestSettings::pathForProgram() {
    QFETCH(QString, program);
    QFETCH(QString, settings);
    QCOMPARE(TGlobal::PathForProgram(program), settings);
}

void TestSettings::missingFileGivesDefaultsAndFirstWriteCreatesIt() {
    ProgramFolder folder(false);
    TGlobal g(folder.SettingsPath());
    QCOMPARE(g.strdyf, QStringLiteral("N"));
    QCOMPARE(g.strdyfs1, QStringLiteral("Y"));
    QCOMPARE(g.strdyfs2, QStringLiteral("N"));
    QCOMPARE(g.str_kpy, QString());
    QVERIFY(!QFile::exists(folder.SettingsPath()));

    g.str_kpy = QStringLiteral("Wang");
    g.Write();
    QCOMPARE(folder.ReadFile(QStringLiteral("kelvaro.ini")),
             QByteArray("[Judge]\nstr_zg=\nstr_kj=\nstr_skr=\nstr_bt=\nstr_qy=\nstrdyf=N\nstr_kpy=Wang\n"
                        "strdyfs1=Y\nstrdyfs2=N\n"));
}

void TestSettings::unknownKeysAndLinesSurvive() {
    ProgramFolder folder(false);
    folder.WriteFile(QStringLiteral("kelvaro.ini"), "; shop settings\r\n[Other]\r\nx=1\r\n\r\n[Judge]\r\n"
                                                    "strdyfs1=abc\r\nmine=keep me\r\nstrdyf=Y\r\n");
    TGlobal g(folder.SettingsPath());
    QCOMPARE(g.strdyfs1, QStringLiteral("abc"));
    QCOMPARE(g.strdyf, QStringLiteral("Y"));
    g.strdyf = QStringLiteral("N");
    g.Write();
    QCOMPARE(folder.ReadFile(QStringLiteral("kelvaro.ini")),
             QByteArray("; shop settings\r\n[Other]\r\nx=1\r\n\r\n[Judge]\r\nstrdyfs1=abc\r\nmine=keep me\r\n"
                        "strdyf=N\r\nstr_zg=\r\nstr_kj=\r\nstr_skr=\r\nstr_bt=\r\nstr_qy=\r\nstr_kpy=\r\n"
                        "strdyfs2=N\r\n"));
}

void TestSettings::lowerCaseSectionIsReadAndWrittenInto() {
    ProgramFolder folder(false);
    folder.WriteFile(QStringLiteral("kelvaro.ini"), "[judge]\nSTRDYF=Y\nStr_Kpy=Li\n[after]\nz=2\n");
    TGlobal g(folder.SettingsPath());
    QCOMPARE(g.strdyf, QStringLiteral("Y"));
    QCOMPARE(g.str_kpy, QStringLiteral("Li"));
    g.str_kpy = QStringLiteral("Zhao");
    g.Write();
    const QByteArray text = folder.ReadFile(QStringLiteral("kelvaro.ini"));
    QCOMPARE(text.count("[judge]"), 1);
    QVERIFY(!text.contains("[Judge]"));
    QVERIFY(text.contains("str_kpy=Zhao\n"));
    QVERIFY(!text.contains("Li"));
    QVERIFY(text.endsWith("[after]\nz=2\n"));
    QCOMPARE(TGlobal(folder.SettingsPath()).str_kpy, QStringLiteral("Zhao"));
}

void TestSettings::chineseValuesAreGbk() {
    ProgramFolder folder(false);
    TGlobal g(folder.SettingsPath());
    g.str_kpy = QStringLiteral("管理员");
    g.Write();
    QVERIFY(folder.ReadFile(QStringLiteral("kelvaro.ini")).contains("str_kpy=" + Gbk::Encode(g.str_kpy)));
    QCOMPARE(Gbk::Encode(QStringLiteral("管")), QByteArray("\xb9\xdc"));
    QCOMPARE(TGlobal(folder.SettingsPath()).str_kpy, QStringLiteral("管理员"));
}

void TestSettings::unwritableFile_data() {
    QTest::addColumn<bool>("readOnlyFile"); // otherwise a folder stands where the file should be
    QTest::newRow("read-only file") << true;
    QTest::newRow("folder in the way") << false;
}

void TestSettings::unwritableFile() {
    QFETCH(bool, readOnlyFile);
    ProgramFolder folder(false);
    const QString path = folder.SettingsPath();
    if (readOnlyFile) {
        folder.WriteFile(QStringLiteral("kelvaro.ini"), "[Judge]\nstrdyf=N\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    } else {
        QVERIFY(QDir().mkdir(path));
    }
    TGlobal g(path);
    g.strdyf = QStringLiteral("Y");
    try {
        g.Write();
        QFAIL("no error raised");
    } catch (const EIniFileException &e) {
        QCOMPARE(e.Message(), QStringLiteral("Unable to write to %1").arg(path));
    }
    QCOMPARE(g.strdyf, QStringLiteral("Y"));
    if (readOnlyFile)
        QCOMPARE(folder.ReadFile(QStringLiteral("kelvaro.ini")), QByteArray("[Judge]\nstrdyf=N\n"));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
