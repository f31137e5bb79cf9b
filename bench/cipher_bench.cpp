// The field cipher against the least deciphering there can be: the data key's
// schedule made once and copied per field, the hex read through a table, RC4
// and the bytes taken as text. Both run back to back inside every iteration
// over the same fields; the paired ratios' median and worst are reported.
#include "PairedBench.h"
#include "data/cRC4.h"

#include <QStringList>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

QStringList fields(int count, int length) {
    QStringList hex;
    for (int i = 0; i < count; ++i) {
        QString text = QStringLiteral("A description of moderate length for record %1 ").arg(i);
        while (text.size() < length)
            text += text;
        hex << EncipherField(text.left(length));
    }
    return hex;
}

void BM_DecipherField_Paired(benchmark::State& state) {
    const QStringList hex = fields(1000, static_cast<int>(state.range(0)));
    std::vector<QByteArray> latin;
    for (const QString& h : hex)
        latin.push_back(h.toLatin1());
    const paired::LeastDecipher least;
    std::vector<double> ratios;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        for (const QByteArray& h : latin)
            benchmark::DoNotOptimize(least(h.constData()));
        const auto t1 = Clock::now();
        for (const QString& h : hex)
            benchmark::DoNotOptimize(DecipherField(h));
        const auto t2 = Clock::now();
        ratios.push_back(std::chrono::duration<double>(t2 - t1).count() /
                         std::chrono::duration<double>(t1 - t0).count());
    }
    std::sort(ratios.begin(), ratios.end());
    state.counters["ratio_median"] = ratios[ratios.size() / 2];
    state.counters["ratio_worst"] = ratios.back();
}

void BM_EncipherField(benchmark::State& state) {
    const QString text = QString(static_cast<int>(state.range(0)), QLatin1Char('x'));
    for (auto _ : state)
        benchmark::DoNotOptimize(EncipherField(text));
}

} // namespace

BENCHMARK(BM_DecipherField_Paired)->Arg(48)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EncipherField)->Arg(48)->Arg(2000);

BENCHMARK_MAIN();
