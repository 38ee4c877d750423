// How fast the data layer answers what a shop does all day: opening a long
// list into a grid, counting it, and the text conversions behind every field.
//   build/bench/bench_data
#include "data/database.h"
#include "data/demodm.h"
#include "data/firstcontent.h"
#include "data/params.h"
#include "shell/app.h"
#include "text/numtext.h"

#include <QApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kSlips = 100000;

// One database with 100,000 slips, made once for all benchmarks.
struct Shop {
    QTemporaryDir dir;
    TDemoDM dm;
    Shop() {
        App::SetProgramFile(dir.filePath(QStringLiteral("kelvaro")));
        QString error;
        if (!FirstContent::Create(dir.filePath(QStringLiteral("qvnDemo.mdb")), &error))
            qFatal("%s", qPrintable(error));
        Database::Open(dm);
        QSqlDatabase db = dm.democnn.Database();
        db.transaction();
        QSqlQuery q(db);
        q.prepare(QStringLiteral("insert into app_djb (djh, khxm, pyzjh, spmc1, dj1, sl1, je1, zje, drq, fkfs) "
                                 "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (int i = 1; i <= kSlips; ++i) {
            q.addBindValue(QStringLiteral("%1").arg(i, 10, 10, QLatin1Char('0')));
            q.addBindValue(QStringLiteral("客户%1").arg(i % 500));
            q.addBindValue(QStringLiteral("kh%1").arg(i % 500));
            q.addBindValue(QStringLiteral("商品"));
            q.addBindValue(12.5);
            q.addBindValue(2.0);
            q.addBindValue(25.0);
            q.addBindValue(25.0);
            q.addBindValue(QStringLiteral("2026-%1-%2 00:00:00")
                               .arg(i % 12 + 1, 2, 10, QLatin1Char('0'))
                               .arg(i % 28 + 1, 2, 10, QLatin1Char('0')));
            q.addBindValue(i % 2 ? QStringLiteral("现金") : QStringLiteral("刷卡"));
            q.exec();
        }
        db.commit();
    }
};

Shop &shop() {
    static Shop s;
    return s;
}

void openList(TQuery &q) {
    q.Close();
    q.SQL.Clear();
    q.SQL.Add(QStringLiteral("select * from app_djb where (khxm like :khxm or pyzjh like :pyzjh )"));
    q.ParamByName(QStringLiteral("khxm")).setValue(QStringLiteral("%"));
    q.ParamByName(QStringLiteral("pyzjh")).setValue(QStringLiteral("%"));
    q.SQL.Add(QStringLiteral(" order by iid"));
    q.Open();
}

// Opening the whole slip list and drawing its first screen.
void BM_OpenListFirstScreen(benchmark::State &state) {
    TDemoDM &dm = shop().dm;
    for (auto _ : state) {
        openList(dm.qdjcx);
        for (int row = 0; row < 30; ++row)
            for (int col = 0; col < 8; ++col)
                benchmark::DoNotOptimize(dm.qdjcx_s.index(row, col).data());
    }
}
BENCHMARK(BM_OpenListFirstScreen)->Unit(benchmark::kMillisecond);

void BM_RecordCountOfLargeList(benchmark::State &state) {
    TDemoDM &dm = shop().dm;
    for (auto _ : state) {
        openList(dm.qdjcx);
        benchmark::DoNotOptimize(dm.qdjcx.RecordCount());
    }
}
BENCHMARK(BM_RecordCountOfLargeList)->Unit(benchmark::kMillisecond);

// Walking every row, as a sum or an export does.
void BM_WalkLargeList(benchmark::State &state) {
    TDemoDM &dm = shop().dm;
    for (auto _ : state) {
        openList(dm.qdjcx);
        double total = 0;
        for (dm.qdjcx.First(); !dm.qdjcx.Eof(); dm.qdjcx.Next())
            total += dm.qdjcx.FieldByName(QStringLiteral("zje")).AsFloat();
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_WalkLargeList)->Unit(benchmark::kMillisecond);

void BM_ParseSearchStatement(benchmark::State &state) {
    const QString sql = QStringLiteral(
        "select * from app_djb where (khxm like :khxm or pyzjh like :pyzjh )\n and djh= :djh \n and drq>= :rq0 \n"
        " and drq<= :rq1 \n and fkfs= :fkfs \n order by iid");
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseParameters(sql));
}
BENCHMARK(BM_ParseSearchStatement);

void BM_FloatToStr(benchmark::State &state) {
    double v = 0.01;
    for (auto _ : state) {
        benchmark::DoNotOptimize(NumText::FloatToStr(v));
        v += 1.37;
    }
}
BENCHMARK(BM_FloatToStr);

} // namespace
