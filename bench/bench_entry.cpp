// The entry tab at the speed of typing:
//   build/bench/bench_entry
// a digit typed into a price (amounts, total and capitals follow), and a
// whole save with a million slips in the table.
#include "shop.h"

#include "data/demodm.h"
#include "entry/entrytab.h"
#include "shell/controls.h"

#include <QApplication>
#include <QKeyEvent>
#include <benchmark/benchmark.h>

namespace {

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
