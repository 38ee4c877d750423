#include "data/database.h"
#include "data/dbgrid.h"
#include "data/demodm.h"
#include "testsupport.h"

#include <QAbstractItemModelTester>
#include <QSqlQuery>
#include <QtTest>
#include <memory>

class TestDataSource : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void modelFollowsTheQuery();
    void largeListIsFetchedLazily();
    void selectedRowIsTheCurrentRow();
    void columnsByFieldWithTitlesAndWidths();

private:
    void addCustomers(int count);
    void openList();
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<TDemoDM> m_dm;
};

void TestDataSource::init() {
    m_folder = std::make_unique<ProgramFolder>();
    m_dm = std::make_unique<TDemoDM>();
    Database::Open(*m_dm);
}

void TestDataSource::cleanup() {
    m_dm.reset();
    m_folder.reset();
}

void TestDataSource::addCustomers(int count) {
    QSqlDatabase db = m_dm->democnn.Database();
    QVERIFY(db.transaction());
    QSqlQuery q(db);
    q.prepare(QStringLiteral("insert into app_khxxb (khxm, pyzjh, lxdh) values (?, ?, ?)"));
    for (int i = 0; i < count; ++i) {
        q.addBindValue(QStringLiteral("客户%1").arg(i));
        q.addBindValue(QStringLiteral("kh%1").arg(i));
        q.addBindValue(QStringLiteral("1390000%1").arg(i, 4, 10, QLatin1Char('0')));
        QVERIFY(q.exec());
    }
    QVERIFY(db.commit());
}

void TestDataSource::openList() {
    TQuery &q = m_dm->qkh;
    q.Close();
    q.SQL.Clear();
    q.SQL.Add(QStringLiteral("select * from app_khxxb order by iid "));
    q.Open();
}

void TestDataSource::modelFollowsTheQuery() {
    // Fewer rows than one fetch: the tester checks the model within a reset,
    // where it asks for more rows itself.
    addCustomers(200);
    QAbstractItemModelTester tester(&m_dm->qkh_s, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(m_dm->qkh_s.rowCount(), 0);
    openList();
    QCOMPARE(m_dm->qkh_s.columnCount(), 6);
    while (m_dm->qkh_s.canFetchMore(QModelIndex()))
        m_dm->qkh_s.fetchMore(QModelIndex());
    QCOMPARE(m_dm->qkh_s.rowCount(), 200);
    QCOMPARE(m_dm->qkh_s.index(199, 1).data().toString(), QStringLiteral("客户199"));
    m_dm->qkh.Close();
    QCOMPARE(m_dm->qkh_s.rowCount(), 0);

    // A row appended to an open result shows at once.
    TQuery &zg = m_dm->qzg;
    zg.SQL.Add(QStringLiteral("select * from zgxxb where 1=0 "));
    zg.Open();
    QCOMPARE(m_dm->qzg_s.rowCount(), 0);
    zg.Append();
    zg.FieldByName(QStringLiteral("zgxm")).SetAsString(QStringLiteral("新员工"));
    zg.Post();
    QCOMPARE(m_dm->qzg_s.rowCount(), 1);
}

void TestDataSource::largeListIsFetchedLazily() {
    addCustomers(100000);
    TDBGrid grid(QStringLiteral("DBGrid2"));
    grid.resize(600, 400);
    grid.SetDataSource(&m_dm->qkh_s);
    grid.show();
    openList();
    QCoreApplication::processEvents();
    // Only what the grid needs to show is read from the database.
    QVERIFY2(m_dm->qkh.FetchedCount() < 2000, qPrintable(QString::number(m_dm->qkh.FetchedCount())));
    QVERIFY(m_dm->qkh_s.canFetchMore(QModelIndex()));
    const int shown = m_dm->qkh_s.rowCount();
    m_dm->qkh_s.fetchMore(QModelIndex());
    QVERIFY(m_dm->qkh_s.rowCount() > shown);
    QCOMPARE(m_dm->qkh_s.index(shown, 1).data().toString(), QStringLiteral("客户%1").arg(shown));
    QCOMPARE(m_dm->qkh.RecordCount(), 100000);
    grid.scrollToBottom();
    QCoreApplication::processEvents();
    QVERIFY(m_dm->qkh.FetchedCount() < 100000);
}

void TestDataSource::selectedRowIsTheCurrentRow() {
    addCustomers(20);
    TDBGrid grid(QStringLiteral("DBGrid2"));
    grid.SetDataSource(&m_dm->qkh_s);
    openList();
    QCOMPARE(grid.currentIndex().row(), 0);

    grid.setCurrentIndex(m_dm->qkh_s.index(5, 1));
    QCOMPARE(m_dm->qkh.RecNo(), 5);
    QCOMPARE(m_dm->qkh.FieldByName(QStringLiteral("khxm")).AsString(), QStringLiteral("客户5"));

    m_dm->qkh.SetRecNo(12);
    QCOMPARE(grid.currentIndex().row(), 12);
    QCOMPARE(grid.currentIndex().column(), 1); // the column stays

    m_dm->qkh.First();
    m_dm->qkh.Next();
    QCOMPARE(grid.currentIndex().row(), 1);

    // A walk with the grid told nothing leaves the grid where it was until the end.
    m_dm->qkh.DisableControls();
    for (m_dm->qkh.First(); !m_dm->qkh.Eof(); m_dm->qkh.Next()) {
    }
    QCOMPARE(grid.currentIndex().row(), 1);
    m_dm->qkh.EnableControls();
    QCOMPARE(grid.currentIndex().row(), 19);

    // Reopening the list selects its first row again.
    openList();
    QCOMPARE(grid.currentIndex().row(), 0);
    QCOMPARE(m_dm->qkh.RecNo(), 0);
}

void TestDataSource::columnsByFieldWithTitlesAndWidths() {
    addCustomers(3);
    TDBGrid grid(QStringLiteral("DBGrid2"));
    m_dm->qkh_s.SetColumns({{QStringLiteral("lxdh"), QStringLiteral("联系电话"), 78},
                            {QStringLiteral("khxm"), QStringLiteral("姓名"), 161},
                            {QStringLiteral("nosuch"), QStringLiteral("空"), 40}});
    grid.SetDataSource(&m_dm->qkh_s);
    openList();
    QCOMPARE(m_dm->qkh_s.columnCount(), 3);
    QCOMPARE(m_dm->qkh_s.headerData(1, Qt::Horizontal).toString(), QStringLiteral("姓名"));
    QCOMPARE(m_dm->qkh_s.index(2, 1).data().toString(), QStringLiteral("客户2"));
    QCOMPARE(m_dm->qkh_s.index(2, 0).data().toString(), QStringLiteral("13900000002"));
    QCOMPARE(m_dm->qkh_s.index(2, 2).data().toString(), QString());
    QCOMPARE(grid.columnWidth(0), 78);
    QCOMPARE(grid.columnWidth(1), 161);
}

QTEST_MAIN(TestDataSource)
#include "tst_datasource.moc"
