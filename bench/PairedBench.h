#pragma once

// What every paired benchmark shares. A measure sets an operation of the
// organiser beside its floor, the plainest program that gives the same
// result. Each pair times the two back to back, the operation first in one
// pair and the floor first in the next, so a busy machine slows both alike
// and neither always runs on the other's warm caches. The medians and the
// worst ratio are reported, and at the end one table of every measure
// against its target.
#include <QByteArray>
#include <QList>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace paired {

// A year of use: 1,000 tasks and 200 meetings over 200 days, 100 notes and
// 100 password entries.
struct Size {
    const char* name;
    int years;
    int pairs; // taken at this size
};
inline const std::vector<Size>& sizes() {
    static const std::vector<Size> all = [] {
        std::vector<Size> s = {{"1x", 1, 21}, {"10x", 10, 21}, {"100x", 100, 11}};
        // VELTRANE_BENCH_SIZES=1,10 keeps only those.
        const QByteArray only = qgetenv("VELTRANE_BENCH_SIZES");
        if (!only.isEmpty()) {
            std::vector<Size> kept;
            for (const Size& z : s)
                for (const QByteArray& y : only.split(','))
                    if (z.years == y.trimmed().toInt())
                        kept.push_back(z);
            s = kept;
        }
        return s;
    }();
    return all;
}

using Clock = std::chrono::steady_clock;

inline double timeOf(const std::function<void()>& f) {
    const Clock::time_point t0 = Clock::now();
    f();
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// What a measure's median must meet.
struct Goal {
    enum Kind { None, RatioAtMost, RatioAtLeast, ValueAtMost };
    Kind kind = None;
    double value = 0;

    bool met(double value_, double ratio) const {
        switch (kind) {
        case RatioAtMost:
            return ratio <= value;
        case RatioAtLeast:
            return ratio >= value;
        case ValueAtMost:
            return value_ <= value;
        default:
            return true;
        }
    }
};
inline Goal ratioAtMost(double r) {
    return {Goal::RatioAtMost, r};
}
inline Goal ratioAtLeast(double r) {
    return {Goal::RatioAtLeast, r};
}
inline Goal valueAtMost(double v) {
    return {Goal::ValueAtMost, v};
}

// One measure at one size. op and floor each do their work and give the
// seconds it took, so a helper process may time its own; prepare runs before
// each of them, untimed.
struct Measure {
    std::string what, floor;
    Goal goal;
    std::function<void()> prepare;
    std::function<double()> op, floorOp;
};

// Keeps a result from being optimised away.
inline volatile long long kept = 0;
inline void keep(long long value) {
    kept = value;
}

// A function timed where it runs.
inline std::function<double()> timed(std::function<void()> f) {
    return [f] { return timeOf(f); };
}

// ---- The table ----

struct Result {
    std::vector<double> ops, floors, ratios; // ops and floors in the row's unit
    Goal goal;
};

struct Row {
    std::string what, floor, unit;
    std::deque<std::pair<std::string, Result>> bySize; // in the order measured
};

// Rows are only ever added, and a row's results stay where they are.
inline std::deque<Row>& table() {
    static std::deque<Row> rows;
    return rows;
}

inline Result& result(const std::string& what, const std::string& floor, const std::string& unit, const Size& size) {
    auto it = std::find_if(table().begin(), table().end(), [&](const Row& r) { return r.what == what; });
    if (it == table().end()) {
        table().push_back(Row{what, floor, unit, {}});
        it = table().end() - 1;
    }
    auto& bySize = it->bySize;
    auto at = std::find_if(bySize.begin(), bySize.end(), [&](const auto& s) { return s.first == size.name; });
    if (at == bySize.end()) {
        bySize.emplace_back(size.name, Result{});
        at = bySize.end() - 1;
    }
    return at->second;
}

// A figure that is no pair of timings, such as a peak of memory against its
// allowance, put in the table as it is.
inline void record(const Size& size, const std::string& what, const std::string& floor, const std::string& unit,
                   double value, double floorValue, Goal goal) {
    Result& r = result(what, floor, unit, size);
    r.ops.push_back(value);
    r.floors.push_back(floorValue);
    r.ratios.push_back(floorValue > 0 ? value / floorValue : 0);
    r.goal = goal;
}

inline std::string goalText(const Goal& g, const std::string& unit) {
    char text[32];
    switch (g.kind) {
    case Goal::RatioAtMost:
        std::snprintf(text, sizeof text, "<= %.2fx", g.value);
        break;
    case Goal::RatioAtLeast:
        std::snprintf(text, sizeof text, ">= %.2fx", g.value);
        break;
    case Goal::ValueAtMost:
        std::snprintf(text, sizeof text, "<= %.0f %s", g.value, unit.c_str());
        break;
    default:
        return "-";
    }
    return text;
}

inline void printTable() {
    std::printf("\n%-50s %-5s %11s %-46s %11s %7s %7s  %-10s\n", "what", "size", "median", "against", "median", "ratio",
                "worst", "target");
    for (const Row& row : table())
        for (const auto& [size, r] : row.bySize) {
            if (r.ratios.empty())
                continue;
            const double op = median(r.ops), ratio = median(r.ratios);
            const double worst = r.goal.kind == Goal::RatioAtLeast
                                     ? *std::min_element(r.ratios.begin(), r.ratios.end())
                                     : *std::max_element(r.ratios.begin(), r.ratios.end());
            std::printf("%-50s %-5s %8.1f %-2s %-46s %8.1f %-2s %6.2fx %6.2fx  %-10s %s\n", row.what.c_str(),
                        size.c_str(), op, row.unit.c_str(), row.floor.c_str(), median(r.floors), row.unit.c_str(),
                        ratio, worst, goalText(r.goal, row.unit).c_str(), r.goal.met(op, ratio) ? "" : "MISSED");
        }
    std::printf("(medians over the pairs; ratio = median / against; worst: the pair furthest from the target)\n");
    std::fflush(stdout);
}

// ---- Running the pairs ----

struct Entry {
    Size size;
    Measure measure;
    std::function<void()> beforeSize;
};

inline std::vector<Entry>& entries() {
    static std::vector<Entry> all;
    return all;
}

// Adds a measure at one size; beforeSize runs once before its first pair.
inline void add(
    const Size& size, const Measure& m, const std::function<void()>& beforeSize = [] {}) {
    entries().push_back(Entry{size, m, beforeSize});
}

} // namespace paired
