// The field cipher against the least deciphering there can be: the data key's
// schedule made once and copied per field, the hex read through a table, RC4
// and the bytes taken as text. Both run back to back inside every iteration
// over the same fields; the paired ratios' median and worst are reported.
#include "data/cRC4.h"

#include <QStringList>
#include <algorithm>
#include <array>
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

struct LeastDecipher {
    std::array<uint8_t, 256> schedule{};
    std::array<int8_t, 128> digit{};

    LeastDecipher() {
        const QByteArray key = kDataKey.toLatin1();
        for (int i = 0; i < 256; ++i)
            schedule[i] = static_cast<uint8_t>(i);
        for (unsigned i = 0, j = 0; i < 256; ++i) {
            j = (j + schedule[i] + static_cast<uint8_t>(key[i % key.size()])) & 0xFF;
            std::swap(schedule[i], schedule[j]);
        }
        digit.fill(0);
        for (int d = 0; d < 16; ++d)
            digit["0123456789ABCDEF"[d]] = static_cast<int8_t>(d);
    }

    QString operator()(const QString& hex) const {
        QByteArray bytes(hex.size() / 2, Qt::Uninitialized);
        std::array<uint8_t, 256> s = schedule;
        uint8_t i = 0, j = 0;
        for (qsizetype o = 0; o < bytes.size(); ++o) {
            ++i;
            j = static_cast<uint8_t>(j + s[i]);
            std::swap(s[i], s[j]);
            const int value = digit[hex[2 * o].unicode() & 0x7F] * 16 + digit[hex[2 * o + 1].unicode() & 0x7F];
            bytes[o] = static_cast<char>(value ^ s[static_cast<uint8_t>(s[i] + s[j])]);
        }
        return QString::fromLatin1(bytes);
    }
};

void BM_DecipherField_Paired(benchmark::State& state) {
    const QStringList hex = fields(1000, static_cast<int>(state.range(0)));
    const LeastDecipher least;
    std::vector<double> ratios;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        for (const QString& h : hex)
            benchmark::DoNotOptimize(least(h));
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
