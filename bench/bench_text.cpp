// The text conversions behind every saved slip and every total shown:
//   build/bench/bench_text
#include "text/capitals.h"
#include "text/gbk.h"
#include "text/hzspell.h"

#include <QStringList>
#include <benchmark/benchmark.h>
#include <random>
#include <string>

namespace {

// A few MB of what the shop types: customer names, addresses, product names,
// with digits and Latin letters mixed in.
const std::string &shopText() {
    static const std::string text = [] {
        const QString surnames =
            QStringLiteral("王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹彭曾肖田董袁潘");
        const QString given = QStringLiteral("伟芳娜秀英敏静丽强磊军洋勇艳杰娟涛明超秀兰霞平刚桂英华建国志红");
        const QStringList places = {QStringLiteral("北京市朝阳区建国路"), QStringLiteral("上海市浦东新区世纪大道"),
                                    QStringLiteral("广州市天河区体育西路"), QStringLiteral("成都市武侯区人民南路"),
                                    QStringLiteral("杭州市西湖区文三路")};
        const QStringList products = {QStringLiteral("海尔冰箱BCD-216"), QStringLiteral("格力空调KFR-35GW"),
                                      QStringLiteral("美的洗衣机MB80"), QStringLiteral("长虹电视55D4P"),
                                      QStringLiteral("联想笔记本电脑ThinkPad E14")};
        std::mt19937 rng(7);
        QString s;
        while (s.size() < 1'500'000) {
            s += surnames[rng() % surnames.size()];
            s += given[rng() % given.size()];
            if (rng() % 2)
                s += given[rng() % given.size()];
            s += QLatin1Char(' ');
            s += places[rng() % places.size()] + QString::number(rng() % 300) + QStringLiteral("号 ");
            s += products[rng() % products.size()] + QLatin1Char('\n');
        }
        return Gbk::Encode(s).toStdString();
    }();
    return text;
}

void BM_PinyinInitials(benchmark::State &state) {
    const std::string &text = shopText();
    for (auto _ : state)
        benchmark::DoNotOptimize(PinyinInitials(std::string_view(text)));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_PinyinInitials)->Unit(benchmark::kMillisecond);

// One customer name at a time, as a save does it.
void BM_PinyinInitialsOfAName(benchmark::State &state) {
    const QString name = QStringLiteral("张三丰");
    for (auto _ : state)
        benchmark::DoNotOptimize(PinyinInitials(name));
}
BENCHMARK(BM_PinyinInitialsOfAName);

void BM_AmountToCapitals(benchmark::State &state) {
    const QStringList totals = {QStringLiteral("1234.50"),  QStringLiteral("105.00"),  QStringLiteral("99.90"),
                                QStringLiteral("12680.00"), QStringLiteral("3999.99"), QStringLiteral("0.50")};
    qsizetype i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(AmountToCapitals(totals[i]));
        i = (i + 1) % totals.size();
    }
}
BENCHMARK(BM_AmountToCapitals);

} // namespace

BENCHMARK_MAIN();
