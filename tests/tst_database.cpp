#include "data/database.h"
#include "data/demodm.h"
#include "data/firstcontent.h"
#include "shell/app.h"
#include "shell/errors.h"
#include "shell/messages.h"
#include "testsupport.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

class TestDatabase : public QObject {
    Q_OBJECT
private slots:
    void unusableFileIsDataError_data();
    void unusableFileIsDataError();
    void opensTwiceAsOneConnection();
    void folderWithBlanksAndChinese();
    void firstContentIsNeverWrittenOverADatabase();
    void closingClosesTheQueries();
};

void TestDatabase::unusableFileIsDataError_data() {
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::newRow("missing file") << QByteArray();
    QTest::newRow("not a database") << QByteArray("Standard Jet DB, or anything else that is not SQLite\n");
    QTest::newRow("database without the tables") << QByteArray("create table other (a)");
}

void TestDatabase::unusableFileIsDataError() {
    QFETCH(QByteArray, content);
    ProgramFolder folder(false);
    if (content.startsWith("create")) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("make"));
            db.setDatabaseName(folder.DatabasePath());
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec(QString::fromLatin1(content)));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("make"));
    } else if (!content.isEmpty()) {
        folder.WriteFile(QStringLiteral("qvnDemo.mdb"), content);
    }
    const QByteArray before = folder.ReadFile(QStringLiteral("qvnDemo.mdb"));

    TDemoDM dm;
    QVERIFY_THROWS_EXCEPTION(EAbort, Database::Open(dm));
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("data error"));
    QCOMPARE(shown[0].title, QStringLiteral("Kelvaro"));
    QCOMPARE(shown[0].icon, Msg::Icon::None);
    QVERIFY(App::Terminated());
    QVERIFY(!dm.democnn.Connected());
    // Opening never makes or changes the file.
    QCOMPARE(QFile::exists(folder.DatabasePath()), !content.isEmpty());
    QCOMPARE(folder.ReadFile(QStringLiteral("qvnDemo.mdb")), before);
}

void TestDatabase::opensTwiceAsOneConnection() {
    ProgramFolder folder;
    TDemoDM dm;
    const int connections = QSqlDatabase::connectionNames().size();
    Database::Open(dm);
    Database::Open(dm);
    QVERIFY(dm.democnn.Connected());
    QCOMPARE(QSqlDatabase::connectionNames().size(), connections);
    QCOMPARE(dm.democnn.ConnectionString, folder.DatabasePath());
    QVERIFY(!App::Terminated());
    QVERIFY(Msg::TakeShown().isEmpty());
}

void TestDatabase::folderWithBlanksAndChinese() {
    ProgramFolder folder(false);
    const QString sub = folder.Path(QStringLiteral("我的 程序#1"));
    QVERIFY(QDir().mkpath(sub));
    QString error;
    QVERIFY2(FirstContent::Create(sub + QStringLiteral("/qvnDemo.mdb"), &error), qPrintable(error));
    App::SetProgramFile(sub + QStringLiteral("/kelvaro"));
    TDemoDM dm;
    Database::Open(dm);
    dm.qcx.SQL.Add(QStringLiteral("select count(*) as expr1001 from zgxxb"));
    dm.qcx.Open();
    QCOMPARE(dm.qcx.FieldByName(QStringLiteral("expr1001")).AsInteger(), 4);
}

void TestDatabase::firstContentIsNeverWrittenOverADatabase() {
    ProgramFolder folder;
    {
        TDemoDM dm;
        Database::Open(dm);
        dm.qin.SQL.Add(QStringLiteral("insert into app_khxxb (khxm) values ('老客户')"));
        dm.qin.ExecSQL();
    }
    QString error;
    QVERIFY(!FirstContent::Create(folder.DatabasePath(), &error));
    QVERIFY(!error.isEmpty());
    TDemoDM dm;
    Database::Open(dm);
    dm.qcx.SQL.Add(QStringLiteral("select * from app_khxxb"));
    dm.qcx.Open();
    QCOMPARE(dm.qcx.FieldByName(QStringLiteral("khxm")).AsString(), QStringLiteral("老客户"));

    // The shipped employees: the super user among them, each with the default password.
    dm.qcx.Close();
    dm.qcx.SQL.Clear();
    dm.qcx.SQL.Add(QStringLiteral("select count(*) as expr1001 from zgxxb where py= :py and mm= :mm "));
    dm.qcx.ParamByName(QStringLiteral("py")).setValue(QStringLiteral("001"));
    dm.qcx.ParamByName(QStringLiteral("mm")).setValue(FirstContent::DefaultPassword());
    dm.qcx.Open();
    QCOMPARE(dm.qcx.FieldByName(QStringLiteral("expr1001")).AsInteger(), 1);
}

void TestDatabase::closingClosesTheQueries() {
    ProgramFolder folder;
    TDemoDM dm;
    Database::Open(dm);
    dm.qzg.SQL.Add(QStringLiteral("select * from zgxxb  order by iid "));
    dm.qzg.Open();
    QVERIFY(dm.qzg.Active());
    dm.democnn.SetConnected(false);
    QVERIFY(!dm.qzg.Active());
    // Released: the file can be replaced while the connection is closed.
    QVERIFY(QFile::remove(folder.DatabasePath()));
    QString error;
    QVERIFY(FirstContent::Create(folder.DatabasePath(), &error));
    dm.democnn.SetConnected(true);
    dm.qzg.Open();
    QCOMPARE(dm.qzg.RecordCount(), 4);
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
