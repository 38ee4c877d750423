#include "data/database.h"
#include "data/demodm.h"
#include "shell/errors.h"
#include "testsupport.h"

#include <QSqlQuery>
#include <QtTest>
#include <memory>

// The query pattern against a real database file made from the first content.
class TestQuery : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void valueKeptWhenALineIsAdded();
    void valuesDroppedWithTheirNames();
    void unknownParameterIsAnError();
    void textComparisonIgnoresLetterCase_data();
    void textComparisonIgnoresLetterCase();
    void searchByDateRangeIsInclusive_data();
    void searchByDateRangeIsInclusive();
    void dateTimeReadsAsDateText();
    void aggregatesAndEmptyResults();
    void numbersReadAsText();
    void conversionErrorsOnRead();
    void appendAndPostAddARow();
    void failedStatementRaisesEngineText();
    void largeResultIsCountedWithoutFetching();
    void rowKeysOnlyGrow();

private:
    void run(TQuery &q, const QString &statement);
    void addSlip(const QString &djh, const QString &khxm, const QString &drq, double zje);
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<TDemoDM> m_dm;
};

void TestQuery::init() {
    m_folder = std::make_unique<ProgramFolder>();
    m_dm = std::make_unique<TDemoDM>();
    Database::Open(*m_dm);
}

void TestQuery::cleanup() {
    m_dm.reset();
    m_folder.reset();
}

void TestQuery::run(TQuery &q, const QString &statement) {
    q.Close();
    q.SQL.Clear();
    q.SQL.Add(statement);
}

void TestQuery::addSlip(const QString &djh, const QString &khxm, const QString &drq, double zje) {
    TQuery &q = m_dm->qin;
    run(q, QStringLiteral("insert into app_djb (djh, khxm, pyzjh, drq, zje, fkfs) values (:djh, :khxm, :pyzjh, "
                          ":drq, :zje, :fkfs)"));
    q.ParamByName(QStringLiteral("djh")).setValue(djh);
    q.ParamByName(QStringLiteral("khxm")).setValue(khxm);
    q.ParamByName(QStringLiteral("pyzjh")).setValue(QStringLiteral("x"));
    q.ParamByName(QStringLiteral("drq")).setValue(QDateTime(QDate::fromString(drq, Qt::ISODate), QTime(0, 0)));
    q.ParamByName(QStringLiteral("zje")).setValue(zje);
    q.ParamByName(QStringLiteral("fkfs")).setValue(QStringLiteral("现金"));
    q.ExecSQL();
}

void TestQuery::valueKeptWhenALineIsAdded() {
    TQuery &q = m_dm->qcx;
    run(q, QStringLiteral("select * from zgxxb where py= :py"));
    q.ParamByName(QStringLiteral("py")).setValue(QStringLiteral("002"));
    q.SQL.Add(QStringLiteral(" and bz= :bz "));
    q.ParamByName(QStringLiteral("bz")).setValue(QStringLiteral("开票员"));
    q.SQL.Add(QStringLiteral(" order by iid"));
    q.Open();
    QCOMPARE(q.RecordCount(), 1);
    QCOMPARE(q.FieldByName(QStringLiteral("zgxm")).AsString(), QStringLiteral("王丽"));
}

void TestQuery::valuesDroppedWithTheirNames() {
    TQuery &q = m_dm->qcx;
    run(q, QStringLiteral("select * from zgxxb where py= :py "));
    q.ParamByName(QStringLiteral("py")).setValue(QStringLiteral("002"));
    // A new statement starts without the old values: a stale value must not
    // slip into it.
    run(q, QStringLiteral("select * from zgxxb where py= :py "));
    q.Open();
    QVERIFY(q.Eof());
    QCOMPARE(q.RecordCount(), 0);
}

void TestQuery::unknownParameterIsAnError() {
    TQuery &q = m_dm->qcx;
    run(q, QStringLiteral("select * from zgxxb where py= :py "));
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, q.ParamByName(QStringLiteral("mm")));
    q.ParamByName(QStringLiteral("PY")).setValue(QStringLiteral("001")); // names match without regard to case
    q.Open();
    QCOMPARE(q.RecordCount(), 1);
}

void TestQuery::textComparisonIgnoresLetterCase_data() {
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("count");
    const QString eq = QStringLiteral("select count(*) as expr1001 from app_khxxb where khxm= :v ");
    const QString like = QStringLiteral("select count(*) as expr1001 from app_khxxb where pyzjh like :v ");
    QTest::newRow("equal, other case") << eq << "WANG li" << 1;
    QTest::newRow("equal, other text") << eq << "Wang" << 0;
    QTest::newRow("like, upper-case initials") << like << "WL%" << 1;
    QTest::newRow("like, beginning of the initials") << like << "w%" << 1;
    QTest::newRow("like, not the beginning") << like << "l%" << 0;
    QTest::newRow("password of other case") << "select count(*) as expr1001 from zgxxb where py= :v and mm= 'SeCrEt' "
                                            << "005" << 1;
}

void TestQuery::textComparisonIgnoresLetterCase() {
    QFETCH(QString, statement);
    QFETCH(QString, value);
    QFETCH(int, count);
    QSqlQuery raw(m_dm->democnn.Database());
    QVERIFY(raw.exec(QStringLiteral("insert into app_khxxb (khxm, pyzjh) values ('Wang Li', 'wl')")));
    QVERIFY(raw.exec(QStringLiteral("insert into zgxxb (zgxm, py, bz, mm) values ('x', '005', 'y', 'secret')")));
    TQuery &q = m_dm->qcx;
    run(q, statement);
    q.ParamByName(QStringLiteral("v")).setValue(value);
    q.Open();
    QCOMPARE(q.FieldByName(QStringLiteral("expr1001")).AsInteger(), count);
}

void TestQuery::searchByDateRangeIsInclusive_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QStringList>("slips");
    QTest::addColumn<double>("sum");
    QTest::newRow("both bounds inclusive") << "2008-09-05"
                                           << "2008-09-06" << QStringList{"02", "03"} << 30.5;
    QTest::newRow("one day") << "2008-09-06"
                             << "2008-09-06" << QStringList{"03"} << 20.0;
    QTest::newRow("from after to") << "2008-09-07"
                                   << "2008-09-05" << QStringList{} << 0.0;
    QTest::newRow("across a year") << "2007-12-31"
                                   << "2009-01-01" << QStringList{"01", "02", "03", "04"} << 62.5;
}

void TestQuery::searchByDateRangeIsInclusive() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QStringList, slips);
    QFETCH(double, sum);
    addSlip(QStringLiteral("01"), QStringLiteral("甲"), QStringLiteral("2008-01-31"), 2);
    addSlip(QStringLiteral("02"), QStringLiteral("乙"), QStringLiteral("2008-09-05"), 10.5);
    addSlip(QStringLiteral("03"), QStringLiteral("丙"), QStringLiteral("2008-09-06"), 20);
    addSlip(QStringLiteral("04"), QStringLiteral("丁"), QStringLiteral("2008-12-31"), 30);

    // Built as the search builds it: a value bound between added lines.
    TQuery &list = m_dm->qdjcx;
    TQuery &total = m_dm->qsum;
    run(total,
        QStringLiteral("select sum(zje) as expr1001 from app_djb where (khxm like :khxm or pyzjh like :pyzjh )"));
    run(list, QStringLiteral("select * from app_djb where (khxm like :khxm or pyzjh like :pyzjh )"));
    for (TQuery *q : {&list, &total}) {
        q->ParamByName(QStringLiteral("khxm")).setValue(QStringLiteral("%"));
        q->ParamByName(QStringLiteral("pyzjh")).setValue(QStringLiteral("%"));
        q->SQL.Add(QStringLiteral(" and drq>= :rq0 "));
        q->ParamByName(QStringLiteral("rq0")).setValue(QDate::fromString(from, Qt::ISODate));
        q->SQL.Add(QStringLiteral(" and drq<= :rq1 "));
        q->ParamByName(QStringLiteral("rq1")).setValue(QDate::fromString(to, Qt::ISODate));
    }
    list.SQL.Add(QStringLiteral(" order by iid"));
    list.Open();
    total.Open();
    QStringList found;
    for (list.First(); !list.Eof(); list.Next())
        found << list.FieldByName(QStringLiteral("djh")).AsString();
    QCOMPARE(found, slips);
    QCOMPARE(total.FieldByName(QStringLiteral("expr1001")).AsFloat(), sum);
}

void TestQuery::dateTimeReadsAsDateText() {
    addSlip(QStringLiteral("01"), QStringLiteral("甲"), QStringLiteral("2008-09-05"), 1);
    TQuery &q = m_dm->qin;
    run(q, QStringLiteral("update app_djb set bz= :bz, drq= :drq where djh= '01'"));
    q.ParamByName(QStringLiteral("bz")).setValue(QStringLiteral("2008-09-05 00:00:00")); // a note, not a date
    q.ParamByName(QStringLiteral("drq")).setValue(QDateTime(QDate(2008, 9, 5), QTime(7, 5, 3)));
    q.ExecSQL();
    TQuery &r = m_dm->qdjcx;
    run(r, QStringLiteral("select * from app_djb"));
    r.Open();
    QCOMPARE(r.FieldByName(QStringLiteral("drq")).AsString(), QStringLiteral("2008-09-05 7:05:03"));
    QCOMPARE(r.FieldByName(QStringLiteral("bz")).AsString(), QStringLiteral("2008-09-05 00:00:00"));
    addSlip(QStringLiteral("02"), QStringLiteral("乙"), QStringLiteral("2010-01-02"), 1);
    r.Close();
    r.Open();
    r.Next();
    QCOMPARE(r.FieldByName(QStringLiteral("drq")).AsString(), QStringLiteral("2010-01-02"));
}

void TestQuery::aggregatesAndEmptyResults() {
    TQuery &q = m_dm->qlsh;
    run(q, QStringLiteral("select max(djh) as expr1000 from app_djb "));
    q.Open();
    QCOMPARE(q.RecordCount(), 1);
    QCOMPARE(q.FieldByName(QStringLiteral("expr1000")).AsString(), QString());

    run(q, QStringLiteral("select count(*) as expr1001 from app_djb where djh= :djh "));
    q.ParamByName(QStringLiteral("djh")).setValue(QStringLiteral("0000000001"));
    q.Open();
    QCOMPARE(q.FieldByName(QStringLiteral("expr1001")).AsInteger(), 0);
    QCOMPARE(q.FieldByName(QStringLiteral("expr1001")).AsString(), QStringLiteral("0"));

    run(q, QStringLiteral("select sum(zje) as expr1001 from app_djb"));
    q.Open();
    QCOMPARE(q.FieldByName(QStringLiteral("expr1001")).AsFloat(), 0.0);

    run(q, QStringLiteral("select * from app_djb order by iid"));
    q.Open();
    QVERIFY(q.Eof());
    QVERIFY(q.IsEmpty());
    QCOMPARE(q.RecordCount(), 0);
    QCOMPARE(q.FieldByName(QStringLiteral("khxm")).AsString(), QString());
    QCOMPARE(q.FieldByName(QStringLiteral("zje")).AsFloat(), 0.0);
    QCOMPARE(q.FieldByName(QStringLiteral("iid")).AsInteger(), 0);
    q.Next(); // harmless at the end
    QVERIFY(q.Eof());
}

void TestQuery::numbersReadAsText() {
    QSqlQuery raw(m_dm->democnn.Database());
    QVERIFY(raw.exec(QStringLiteral("insert into app_djb (djh, dj1, sl1, je1, zje) values ('1', 12.5, 3, 37.5, 0.1)")));
    QVERIFY(raw.exec(QStringLiteral("update app_djb set zje = zje + 0.2")));
    TQuery &q = m_dm->qcx;
    run(q, QStringLiteral("select * from app_djb"));
    q.Open();
    QCOMPARE(q.FieldByName(QStringLiteral("dj1")).AsString(), QStringLiteral("12.5"));
    QCOMPARE(q.FieldByName(QStringLiteral("sl1")).AsString(), QStringLiteral("3"));
    QCOMPARE(q.FieldByName(QStringLiteral("zje")).AsString(), QStringLiteral("0.3"));
    QCOMPARE(q.FieldByName(QStringLiteral("dj2")).AsString(), QString()); // never written
    QCOMPARE(q.FieldByName(QStringLiteral("je1")).AsFloat(), 37.5);
    QCOMPARE(q.FieldByName(QStringLiteral("sl1")).AsInteger(), 3);
    QCOMPARE(q.FieldByName(QStringLiteral("djh")).AsInteger(), 1);
}

void TestQuery::conversionErrorsOnRead() {
    QSqlQuery raw(m_dm->democnn.Database());
    QVERIFY(raw.exec(QStringLiteral("insert into app_djb (djh) values ('12a')")));
    TQuery &q = m_dm->qcx;
    run(q, QStringLiteral("select djh from app_djb"));
    q.Open();
    try {
        q.FieldByName(QStringLiteral("djh")).AsInteger();
        QFAIL("no error raised");
    } catch (const EConvertError &e) {
        QCOMPARE(e.Message(), QStringLiteral("'12a' is not a valid integer value"));
    }
    QVERIFY_THROWS_EXCEPTION(EConvertError, q.FieldByName(QStringLiteral("djh")).AsFloat());
    try {
        q.FieldByName(QStringLiteral("nope"));
        QFAIL("no error raised");
    } catch (const EDatabaseError &e) {
        QCOMPARE(e.Message(), QStringLiteral("qcx: Field 'nope' not found"));
    }
}

void TestQuery::appendAndPostAddARow() {
    TQuery &q = m_dm->qzg;
    run(q, QStringLiteral("select * from zgxxb where 1=0 "));
    q.Open();
    QVERIFY(q.IsEmpty());
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, q.FieldByName(QStringLiteral("py")).SetAsString(QStringLiteral("x")));
    q.Append();
    q.FieldByName(QStringLiteral("zgxm")).SetAsString(QStringLiteral("赵六"));
    q.FieldByName(QStringLiteral("py")).SetAsString(QStringLiteral("009"));
    q.FieldByName(QStringLiteral("bz")).SetAsString(QStringLiteral("销售员"));
    q.Post();
    QVERIFY(!q.Inserting());
    QCOMPARE(q.RecordCount(), 1);
    QCOMPARE(q.FieldByName(QStringLiteral("zgxm")).AsString(), QStringLiteral("赵六"));
    QVERIFY(q.FieldByName(QStringLiteral("iid")).AsInteger() > 4); // the database's key, read back
    QVERIFY(q.FieldByName(QStringLiteral("mm")).IsNull());         // not set: the default

    TQuery &check = m_dm->qcx;
    run(check, QStringLiteral("select * from zgxxb where py= :py "));
    check.ParamByName(QStringLiteral("py")).setValue(QStringLiteral("009"));
    check.Open();
    QCOMPARE(check.FieldByName(QStringLiteral("bz")).AsString(), QStringLiteral("销售员"));

    // A slip appended without its void flag takes the flag's default.
    run(q, QStringLiteral("select * from app_djb where 1=0 "));
    q.Open();
    q.Append();
    q.FieldByName(QStringLiteral("djh")).SetAsString(QStringLiteral("0000000001"));
    q.Post();
    QVERIFY(!q.FieldByName(QStringLiteral("sfzf")).IsNull());
    QCOMPARE(q.FieldByName(QStringLiteral("sfzf")).AsString(), QString());
}

void TestQuery::failedStatementRaisesEngineText() {
    TQuery &q = m_dm->qcx;
    run(q, QStringLiteral("select * from no_such_table"));
    try {
        q.Open();
        QFAIL("no error raised");
    } catch (const EDatabaseError &e) {
        QVERIFY2(e.Message().contains(QStringLiteral("no_such_table")), qPrintable(e.Message()));
    }
    QVERIFY(!q.Active());
    run(q, QStringLiteral("update zgxxb set mm= '2' where py= :py "));
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, q.Open()); // returns no rows
}

void TestQuery::largeResultIsCountedWithoutFetching() {
    QSqlDatabase db = m_dm->democnn.Database();
    QVERIFY(db.transaction());
    QSqlQuery raw(db);
    raw.prepare(QStringLiteral("insert into app_khxxb (khxm) values (?)"));
    for (int i = 0; i < 3000; ++i) {
        raw.addBindValue(QStringLiteral("客户%1").arg(i));
        QVERIFY(raw.exec());
    }
    QVERIFY(db.commit());
    TQuery &q = m_dm->qkh;
    run(q, QStringLiteral("select * from app_khxxb order by iid "));
    q.Open();
    QCOMPARE(q.RecordCount(), 3000);
    QVERIFY(q.FetchedCount() < 3000);
    int n = 0;
    for (q.First(); !q.Eof(); q.Next())
        ++n;
    QCOMPARE(n, 3000);
    QCOMPARE(q.FieldByName(QStringLiteral("khxm")).AsString(), QStringLiteral("客户2999"));
}

void TestQuery::rowKeysOnlyGrow() {
    QSqlQuery raw(m_dm->democnn.Database());
    QVERIFY(raw.exec(QStringLiteral("insert into app_spxxb (spmc) values ('a')")));
    QVERIFY(raw.exec(QStringLiteral("insert into app_spxxb (spmc) values ('b')")));
    QVERIFY(raw.exec(QStringLiteral("delete from app_spxxb where spmc = 'b'")));
    QVERIFY(raw.exec(QStringLiteral("insert into app_spxxb (spmc) values ('c')")));
    TQuery &q = m_dm->qsp;
    run(q, QStringLiteral("select * from app_spxxb order by iid "));
    q.Open();
    q.Next();
    QCOMPARE(q.FieldByName(QStringLiteral("spmc")).AsString(), QStringLiteral("c"));
    QCOMPARE(q.FieldByName(QStringLiteral("iid")).AsInteger(), 3);
}

QTEST_GUILESS_MAIN(TestQuery)
#include "tst_query.moc"
