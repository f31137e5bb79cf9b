// Speed of the meeting, note and password stores against the floor of one
// bare load and one save of the same data file. Each store operation loads the
// whole file once and saves it at most once, so it should cost at most 1.3
// times that floor.
#include "DataFileGenerator.h"
#include "FloorBench.h"
#include "data/cRC4.h"
#include "data/mMeetings.h"
#include "data/mNotes.h"
#include "data/mPasswords.h"

#include <benchmark/benchmark.h>

namespace {

using benchdata::dayKey;

// A day in the middle of the file, so lookups walk past half of it.
const QString kDay = dayKey(500);

MeetingRecord meeting() {
    return MeetingRecord{kDay,
                         QStringLiteral("Meeting 1"),
                         EncipherField(QStringLiteral("Agenda")),
                         QStringLiteral("11:00:00 AM"),
                         QStringLiteral("12:00:00 PM"),
                         2,
                         0};
}

void BM_SaveMeeting_New(benchmark::State& state) {
    MeetingRecord rec = meeting();
    rec.Title = QStringLiteral("Another meeting");
    floorbench::onFreshFile(state, [&] { benchmark::DoNotOptimize(mMeetings::SaveMeeting(rec, true, QString())); });
}

void BM_SaveMeeting_Edit(benchmark::State& state) {
    const MeetingRecord rec = meeting();
    floorbench::onFreshFile(state, [&] { benchmark::DoNotOptimize(mMeetings::SaveMeeting(rec, false, rec.Title)); });
}

void BM_GetMeetingDetails(benchmark::State& state) {
    floorbench::restore();
    for (auto _ : state)
        benchmark::DoNotOptimize(mMeetings::GetMeetingDetails(kDay, QStringLiteral("Meeting 1")));
}

void BM_DeleteMeeting(benchmark::State& state) {
    floorbench::onFreshFile(
        state, [&] { benchmark::DoNotOptimize(mMeetings::DeleteMeeting(kDay, QStringLiteral("Meeting 1"))); });
}

void BM_SaveNote_Edit(benchmark::State& state) {
    const NoteRecord rec{QStringLiteral("Note 500"), EncipherField(QStringLiteral("New text")),
                         QStringLiteral("05/07/2006"), QStringLiteral("02:30:00 PM"), QString()};
    floorbench::onFreshFile(state, [&] { benchmark::DoNotOptimize(mNotes::SaveNote(rec, false, rec.Title)); });
}

void BM_SavePassword_New(benchmark::State& state) {
    const PasswordRecord rec{QStringLiteral("New site"), QString(), EncipherField(QStringLiteral("pw")),
                             QStringLiteral("https://new.example/"), QString()};
    floorbench::onFreshFile(state, [&] { benchmark::DoNotOptimize(mPasswords::SavePassword(rec, true, QString())); });
}

void BM_GetNote(benchmark::State& state) {
    floorbench::restore();
    for (auto _ : state)
        benchmark::DoNotOptimize(mNotes::GetNote(QStringLiteral("Note 999")));
}

} // namespace

using floorbench::BM_Floor_BareLoadAndSave;
BENCHMARK(BM_Floor_BareLoadAndSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveMeeting_New)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveMeeting_Edit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetMeetingDetails)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteMeeting)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveNote_Edit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SavePassword_New)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetNote)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return floorbench::Main(argc, argv, benchdata::generate());
}
