#pragma once

// The runner of the paired measures, apart from the rest of PairedBench.h so
// the plain program of the floors links nothing but pugixml and Qt.
#include "PairedBench.h"

#include <benchmark/benchmark.h>

namespace paired {

// Runs every measure added as a Google Benchmark of as many iterations as
// its size takes pairs (--benchmark_filter=regex keeps some), each iteration
// one pair, its time the operation's; then prints the table.
inline int run(int argc, char** argv) {
    for (const Entry& e : entries()) {
        const std::string name = e.measure.what + "/" + e.size.name;
        benchmark::RegisterBenchmark(name.c_str(),
                                     [e](benchmark::State& state) {
                                         const Measure& m = e.measure;
                                         Result& r = result(m.what, m.floor, "ms", e.size);
                                         r.goal = m.goal;
                                         e.beforeSize();
                                         int n = 0;
                                         for (auto _ : state) {
                                             double op = 0, fl = 0;
                                             const bool opFirst = n++ % 2 == 0;
                                             for (int turn = 0; turn < 2; ++turn) {
                                                 m.prepare();
                                                 if ((turn == 0) == opFirst)
                                                     op = m.op();
                                                 else
                                                     fl = m.floorOp();
                                             }
                                             state.SetIterationTime(op);
                                             r.ops.push_back(op * 1e3);
                                             r.floors.push_back(fl * 1e3);
                                             r.ratios.push_back(op / fl);
                                         }
                                         state.counters["against_ms"] = median(r.floors);
                                         state.counters["ratio"] = median(r.ratios);
                                     })
            ->Iterations(e.size.pairs)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printTable();
    return 0;
}

} // namespace paired
