// Speed of the task store against the floor of one bare parse and one save of
// the same data file. Each store operation loads and saves the whole file, so
// it should cost little more than that floor.
#include "FloorBench.h"
#include "data/cRC4.h"
#include "data/mTasks.h"
#include "platform/Ui.h"

#include <QDate>
#include <benchmark/benchmark.h>

namespace {

QString dayKey(int i) {
    return QDate(2020, 1, 1).addDays(i).toString(QStringLiteral("dd-MM-yyyy"));
}

// 1,000 days holding 10,000 tasks and 2,000 meetings, 1,000 notes and 1,000
// password entries, with enciphered fields as the editors write them.
QByteArray generate() {
    const QString desc = EncipherField(QStringLiteral("A description of moderate length for the record"));
    QString x = QStringLiteral("<?xml version=\"1.0\"?>\n<zandor>\n<notes>\n");
    for (int i = 0; i < 1000; ++i)
        x += QStringLiteral("<note title=\"Note %1\"><date>05/07/2006</date><time>02:30:00 PM</time>"
                            "<lastedit>05/07/2006; 02:30:00 PM</lastedit><text>%2</text></note>\n")
                 .arg(i)
                 .arg(desc);
    x += QStringLiteral("</notes>\n<passwords>\n");
    for (int i = 0; i < 1000; ++i)
        x += QStringLiteral("<password title=\"Site %1\"><uname>%2</uname><pwd>%2</pwd><url>www.example.com</url>"
                            "<anote></anote></password>\n")
                 .arg(i)
                 .arg(desc);
    x += QStringLiteral("</passwords>\n");
    for (int d = 0; d < 1000; ++d) {
        x += QStringLiteral("<date d=\"%1\"><tasks>").arg(dayKey(d));
        for (int t = 0; t < 10; ++t)
            x += QStringLiteral("<task title=\"Task %1\"><priority>2</priority><status>0</status><desc>%2</desc>"
                                "<remarks></remarks></task>")
                     .arg(t)
                     .arg(desc);
        x += QStringLiteral("</tasks><meetings>");
        for (int m = 0; m < 2; ++m)
            x += QStringLiteral("<meeting title=\"Meeting %1\"><priority>2</priority><m_for>1</m_for>"
                                "<s_time>10:00:00 AM</s_time><e_time>11:00:00 AM</e_time><desc>%2</desc></meeting>")
                     .arg(m)
                     .arg(desc);
        x += QStringLiteral("</meetings></date>\n");
    }
    // One day with a single task, for deletes that empty a day.
    x += QStringLiteral(
        "<date d=\"01-01-2019\"><tasks><task title=\"Lonely\"><priority>2</priority>"
        "<status>0</status><desc></desc><remarks></remarks></task></tasks><meetings></meetings></date>\n");
    x += QStringLiteral("</zandor>\n");
    return x.toUtf8();
}

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
    return floorbench::Main(argc, argv, generate());
}
