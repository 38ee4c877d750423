// The entry tab at the speed of typing:
//   build/bench/bench_entry
// a digit typed into a price (amounts, total and capitals follow), and a
// whole save with a million slips in the table.
#include "data/database.h"
#include "data/demodm.h"
#include "data/firstcontent.h"
#include "entry/entrytab.h"
#include "shell/app.h"
#include "shell/controls.h"
#include "shell/formmain.h"
#include "shell/messages.h"
#include "shell/settings.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

struct Shop {
    QTemporaryDir dir;
    std::unique_ptr<TGlobal> settings;
    std::unique_ptr<TFormmain> form;
    std::unique_ptr<TDemoDM> dm;

    explicit Shop(int slips) {
        App::SetProgramFile(dir.filePath(QStringLiteral("kelvaro")));
        Msg::SetScripted(true);
        QString error;
        if (!FirstContent::Create(dir.filePath(QStringLiteral("qvnDemo.mdb")), &error))
            qFatal("%s", qPrintable(error));
        settings = std::make_unique<TGlobal>(dir.filePath(QStringLiteral("kelvaro.ini")));
        form = std::make_unique<TFormmain>(*settings);
        dm = std::make_unique<TDemoDM>();
        form->SetDataModule(dm.get());
        Database::Open(*dm);
        QSqlDatabase db = dm->democnn.Database();
        db.transaction();
        QSqlQuery q(db);
        q.prepare(QStringLiteral("insert into app_djb (djh, khxm, pyzjh, zje, drq) values (?, ?, ?, ?, ?)"));
        for (int i = 1; i <= slips; ++i) {
            q.addBindValue(QStringLiteral("%1").arg(i, 10, 10, QLatin1Char('0')));
            q.addBindValue(QStringLiteral("客户%1").arg(i % 5000));
            q.addBindValue(QStringLiteral("kh%1").arg(i % 5000));
            q.addBindValue(100.0);
            q.addBindValue(QStringLiteral("2026-01-01 00:00:00"));
            q.exec();
        }
        db.commit();
        form->FormShow();
    }
    TEntryTab &tab() { return *form->TabSheet1; }
};

void key(QWidget *w, int code, const QString &text) {
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

void BM_TypeDigitIntoPrice(benchmark::State &state) {
    Shop shop(0);
    TEntryTab &tab = shop.tab();
    tab.SetText(13, QStringLiteral("12.5"));
    tab.SetText(19, QStringLiteral("3"));
    tab.SetText(20, QStringLiteral("2"));
    tab.SetText(14, QStringLiteral("7"));
    TEdit *price = tab.Edit(13);
    for (auto _ : state) {
        key(price, Qt::Key_5, QStringLiteral("5"));
        key(price, Qt::Key_Backspace, QString());
    }
    state.SetLabel("two edits per iteration");
}
BENCHMARK(BM_TypeDigitIntoPrice)->Unit(benchmark::kMicrosecond);

void BM_SaveWithAMillionSlips(benchmark::State &state) {
    Shop shop(1'000'000); // one run: the iteration count is fixed
    TEntryTab &tab = shop.tab();
    for (auto _ : state) {
        state.PauseTiming();
        tab.SetText(1, QStringLiteral("张三"));
        tab.SetText(2, QStringLiteral("13900001111"));
        tab.SetText(7, QStringLiteral("冰箱"));
        tab.SetText(13, QStringLiteral("1999"));
        tab.SetText(19, QStringLiteral("1"));
        state.ResumeTiming();
        tab.BitBtn5Click();
    }
}
BENCHMARK(BM_SaveWithAMillionSlips)->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace
