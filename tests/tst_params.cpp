#include "data/params.h"

#include <QtTest>

class TestParams : public QObject {
    Q_OBJECT
private slots:
    void find_data();
    void find();
};

void TestParams::find_data() {
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("occurrences");
    QTest::newRow("blank ends a name") << "select * from zgxxb where bz= :bz order by iid "
                                       << "select * from zgxxb where bz= ? order by iid " << QStringList{"bz"};
    QTest::newRow("end of text ends a name") << "delete from t where iid=:iid"
                                             << "delete from t where iid=?" << QStringList{"iid"};
    QTest::newRow("comma and parenthesis end names") << "insert into t (a,b) values (:a,:b)"
                                                     << "insert into t (a,b) values (?,?)" << QStringList{"a", "b"};
    QTest::newRow("semicolon ends a name") << "update t set a=:a;"
                                           << "update t set a=?;" << QStringList{"a"};
    QTest::newRow("line break ends a name")
        << "select * from t where a like :khxm\n and djh= :djh "
        << "select * from t where a like ?\n and djh= ? " << QStringList{"khxm", "djh"};
    QTest::newRow("colon in a quoted literal") << "select * from t where a='12:30' and b= :b"
                                               << "select * from t where a='12:30' and b= ?" << QStringList{"b"};
    QTest::newRow("escaped quote keeps the literal open")
        << "select * from t where a='it''s :no' and b= :b"
        << "select * from t where a='it''s :no' and b= ?" << QStringList{"b"};
    QTest::newRow("double-quoted literal") << "select \":x\" from t"
                                           << "select \":x\" from t" << QStringList{};
    QTest::newRow("lone colon is text") << "select 'a' || : from t"
                                        << "select 'a' || : from t" << QStringList{};
    QTest::newRow("cast is no parameter") << "select a::text from t"
                                          << "select a::text from t" << QStringList{};
    QTest::newRow("repeated name") << "select * from t where a= :p or b= :p"
                                   << "select * from t where a= ? or b= ?" << QStringList{"p", "p"};
    QTest::newRow("the fullest search statement")
        << "select * from app_djb where (khxm like :khxm or pyzjh like :pyzjh )\n and djh= :djh \n and drq>= :rq0 "
           "\n and drq<= :rq1 \n and fkfs= :fkfs \n order by iid"
        << "select * from app_djb where (khxm like ? or pyzjh like ? )\n and djh= ? \n and drq>= ? \n and drq<= ? "
           "\n and fkfs= ? \n order by iid"
        << QStringList{"khxm", "pyzjh", "djh", "rq0", "rq1", "fkfs"};
}

void TestParams::find() {
    QFETCH(QString, statement);
    QFETCH(QString, sql);
    QFETCH(QStringList, occurrences);
    const ParsedStatement parsed = ParseParameters(statement);
    QCOMPARE(parsed.sql, sql);
    QCOMPARE(parsed.occurrences, occurrences);
    QCOMPARE(parsed.names.size(), QSet<QString>(occurrences.begin(), occurrences.end()).size());
}

QTEST_GUILESS_MAIN(TestParams)
#include "tst_params.moc"
