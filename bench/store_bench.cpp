// Speed of the task store against the floor of one bare parse and one save of
// the same data file. Each store operation loads and saves the whole file, so
// it should cost little more than that floor.
#include "DataFileGenerator.h"
#include "FloorBench.h"
#include "data/mTasks.h"

#include <benchmark/benchmark.h>

namespace {

using benchdata::dayKey;

void BM_SaveTask_ExistingDay(benchmark::State& state) {
    TaskRecord rec{dayKey(500),         QStringLiteral("New task"), QString(),
                   QStringLiteral("0"), QStringLiteral("2"),        QString()};
    floorbench::onFreshFile(state, [&] { benchmark::DoNotOptimize(mTasks::SaveTask(rec, true, QString())); });
}

void BM_SaveTask_NewDay(benchmark::State& state) {
    TaskRecord rec{QStringLiteral("01-01-2030"), QStringLiteral("New task"), QString(),
                   QStringLiteral("0"),          QStringLiteral("2"),        QString()};
    floorbench::onFreshFile(state, [&] { benchmark::DoNotOptimize(mTasks::SaveTask(rec, true, QString())); });
}

void BM_GetTask(benchmark::State& state) {
    floorbench::restore();
    for (auto _ : state)
        benchmark::DoNotOptimize(mTasks::GetTask(dayKey(999), QStringLiteral("Task 9")));
}

void BM_UpdateItemField(benchmark::State& state) {
    floorbench::onFreshFile(state, [&] {
        benchmark::DoNotOptimize(mTasks::UpdateItemField(dayKey(999), QStringLiteral("Task 9"), 1, "4", 0));
    });
}

void BM_DeleteTask_EmptyingADay(benchmark::State& state) {
    floorbench::onFreshFile(state, [&] {
        benchmark::DoNotOptimize(mTasks::DeleteTask(QStringLiteral("01-01-2019"), QStringLiteral("Lonely")));
    });
}

} // namespace

using floorbench::BM_Floor_BareLoadAndSave;
BENCHMARK(BM_Floor_BareLoadAndSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveTask_ExistingDay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveTask_NewDay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetTask)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UpdateItemField)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteTask_EmptyingADay)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return floorbench::Main(argc, argv, benchdata::generate());
}
