#pragma once

// What the store benchmarks share: a generated data file in a temporary
// program folder, put back before every timed operation that changes it; the
// floor of one bare load and one save of that file; and the ratio of every
// benchmark to the floor.
#include "platform/Files.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <pugixml.hpp>
#include <string>

namespace floorbench {

struct GeneratedFile {
    QTemporaryDir dir;
    QByteArray original;
};

inline GeneratedFile*& current() {
    static GeneratedFile* file = nullptr;
    return file;
}

inline QString dataPath() {
    return current()->dir.filePath(QStringLiteral("data.xml"));
}

inline void restore() {
    QFile f(dataPath());
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(current()->original);
}

// Runs op once per iteration on a fresh copy of the generated file.
template <class Op> void onFreshFile(benchmark::State& state, Op op) {
    for (auto _ : state) {
        state.PauseTiming();
        restore();
        state.ResumeTiming();
        op();
    }
}

// The floor: pugixml alone, loading and saving the same file.
inline void BM_Floor_BareLoadAndSave(benchmark::State& state) {
    const std::string path = dataPath().toStdString();
    onFreshFile(state, [&] {
        pugi::xml_document doc;
        doc.load_file(path.c_str());
        doc.save_file(path.c_str());
    });
}

// Collects each benchmark's time per iteration so the ratios can be printed.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration)
                times[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

// Puts the data into the program folder's data.xml, runs the registered
// benchmarks and prints each one's ratio to the floor.
inline int Main(int argc, char** argv, const QByteArray& data) {
    GeneratedFile file;
    current() = &file;
    platform::SetAppPath(file.dir.path());
    file.original = data;
    restore();
    std::printf("data.xml: %lld bytes\n", static_cast<long long>(data.size()));

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    auto floor = reporter.times.find("BM_Floor_BareLoadAndSave");
    if (floor == reporter.times.end() || floor->second <= 0)
        return 0;
    std::printf("\nRatio to the floor (target: at most 1.30)\n");
    for (const auto& [name, t] : reporter.times)
        if (name != floor->first)
            std::printf("  %-32s %.2f\n", name.c_str(), t / floor->second);
    return 0;
}

} // namespace floorbench
