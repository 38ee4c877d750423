// The query tab on a large shop:
//   build/bench/bench_query
// a million slips over four years; searches of the last 30 days and the
// export of 65,535 slips to .xls.
#include "shop.h"

#include "query/export.h"
#include "query/querytab.h"
#include "shell/clock.h"
#include "shell/controls.h"
#include "shell/filedialogs.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kSlips = 1'000'000;

// Slips spread over the days up to today, a few hundred customers.
Shop &bigShop() {
    static Shop *shop = [] {
        Clock::SetFixed(QDateTime(QDate(2026, 12, 11), QTime(9, 0)));
        auto *s = new Shop(0);
        QSqlDatabase db = s->dm->democnn.Database();
        db.transaction();
        QSqlQuery q(db);
        q.prepare(
            QStringLiteral("insert into app_djb (djh, khxm, pyzjh, spmc1, dj1, sl1, je1, zje, drq, fkfs, ys, sfzf) "
                           "values (?, ?, ?, '冰箱', 1999.5, 1, 1999.5, 1999.5, ?, ?, '白', '')"));
        const QString surnames = QStringLiteral("张王李赵刘陈杨黄");
        const QString initials = QStringLiteral("zwlzlcyh");
        const QDate last(2026, 12, 11);
        for (int i = 1; i <= kSlips; ++i) {
            q.addBindValue(QStringLiteral("%1").arg(i, 10, 10, QLatin1Char('0')));
            q.addBindValue(surnames[i % 8] + QStringLiteral("客户%1").arg(i % 400));
            q.addBindValue(initials[i % 8] + QStringLiteral("kh%1").arg(i % 400));
            q.addBindValue(last.addDays(-(kSlips - i) / 700).toString(QStringLiteral("yyyy-MM-dd 00:00:00")));
            q.addBindValue(i % 2 ? QStringLiteral("现金") : QStringLiteral("刷卡"));
            q.exec();
        }
        db.commit();
        s->form->TabSheet2->SetDataModule(s->dm.get());
        return s;
    }();
    return *shop;
}

void BM_OpenTabLast30Days(benchmark::State &state) {
    TQueryTab &tab = *bigShop().form->TabSheet2;
    for (auto _ : state)
        tab.Enter();
    state.SetLabel(tab.SumText().toStdString());
}
BENCHMARK(BM_OpenTabLast30Days)->Unit(benchmark::kMillisecond);

void BM_NameSearchLast30Days(benchmark::State &state) {
    TQueryTab &tab = *bigShop().form->TabSheet2;
    tab.Enter();
    tab.Edit37->setText(QStringLiteral("张"));
    for (auto _ : state)
        tab.BitBtn15Click();
    state.SetLabel(tab.SumText().toStdString());
}
BENCHMARK(BM_NameSearchLast30Days)->Unit(benchmark::kMillisecond);

void BM_InitialsSearchLast30Days(benchmark::State &state) {
    TQueryTab &tab = *bigShop().form->TabSheet2;
    tab.Enter();
    tab.Edit37->setText(QStringLiteral("zkh1"));
    for (auto _ : state)
        tab.BitBtn15Click();
    state.SetLabel(tab.SumText().toStdString());
}
BENCHMARK(BM_InitialsSearchLast30Days)->Unit(benchmark::kMillisecond);

void BM_Export65535SlipsToXls(benchmark::State &state) {
    Shop &shop = bigShop();
    TQueryTab &tab = *shop.form->TabSheet2;
    tab.Enter();
    tab.Edit39->setText(QString());
    tab.Edit40->setText(QString());
    tab.Edit38->setText(QString());
    tab.Edit37->setText(QString());
    // The newest 65,535 slips.
    tab.Edit39->setText(QDate(2026, 12, 11).addDays(-(65535 / 700)).toString(QStringLiteral("yyyy-MM-dd")));
    tab.BitBtn15Click();
    FileDialogs::SetScripted(true);
    Export::SetOpenAction([](const QString &) {});
    const QString file = shop.dir.filePath(QStringLiteral("export.xls"));
    for (auto _ : state) {
        QFile::remove(file);
        FileDialogs::QueueAnswer(file, QStringLiteral("Excel文件(*.xls)"));
        Msg::QueueAnswer(Msg::Answer::Yes);
        tab.BitBtn16Click();
    }
    state.SetLabel(QStringLiteral("%1 rows listed, %2 MB")
                       .arg(shop.dm->qdjcx.RecordCount())
                       .arg(QFileInfo(file).size() / 1e6)
                       .toStdString());
}
BENCHMARK(BM_Export65535SlipsToXls)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
