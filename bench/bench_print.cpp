// Printing at the counter:
//   build/bench/bench_print
// opening the preview (buffer filled, template loaded, page drawn) and
// writing one slip page as PDF.
#include "shop.h"

#include "printing/report/engine.h"
#include "printing/report/preview.h"
#include "printing/slipprinter.h"

#include <benchmark/benchmark.h>

namespace {

void fill(TEntryTab &tab) {
    tab.SetText(1, QStringLiteral("张三"));
    tab.SetText(2, QStringLiteral("13900001111"));
    tab.SetText(3, QStringLiteral("北京市朝阳区建国路88号"));
    tab.SetText(7, QStringLiteral("海尔冰箱BCD-216"));
    tab.SetText(13, QStringLiteral("1999.5"));
    tab.SetText(19, QStringLiteral("2"));
    tab.SetText(8, QStringLiteral("格力空调KFR-35GW"));
    tab.SetText(14, QStringLiteral("3299"));
    tab.SetText(20, QStringLiteral("1"));
}

void BM_OpenPreview(benchmark::State &state) {
    Shop shop(1000);
    fill(shop.tab());
    TSlipPrinter &printer = shop.form->Printer();
    for (auto _ : state) {
        printer.FillBuffer();
        printer.rmkdst.LoadFromFile(printer.TemplatePathOrStop());
        TPreviewForm preview(
            {printer.rmkdst.Layout(), printer.BufferRow(), shop.dir.filePath(QStringLiteral("report"))});
        benchmark::DoNotOptimize(preview.Current().row.size());
    }
}
BENCHMARK(BM_OpenPreview)->Unit(benchmark::kMillisecond);

void BM_SlipPageToPdf(benchmark::State &state) {
    Shop shop(0);
    fill(shop.tab());
    TSlipPrinter &printer = shop.form->Printer();
    printer.FillBuffer();
    printer.rmkdst.LoadFromFile(printer.TemplatePathOrStop());
    const Report::Row row = printer.BufferRow();
    const QString file = shop.dir.filePath(QStringLiteral("slip.pdf"));
    for (auto _ : state)
        Report::ExportPdf(file, printer.rmkdst.Layout(), row, QString());
}
BENCHMARK(BM_SlipPageToPdf)->Unit(benchmark::kMillisecond);

} // namespace
