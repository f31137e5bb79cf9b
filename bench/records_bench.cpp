// Speed of the meeting, note and password stores against the floor of one
// bare load and one save of the same data file. Each store operation loads the
// whole file once and saves it at most once, so it should cost at most 1.3
// times that floor.
#include "FloorBench.h"
#include "data/cRC4.h"
#include "data/mMeetings.h"
#include "data/mNotes.h"
#include "data/mPasswords.h"

#include <QDate>
#include <benchmark/benchmark.h>

namespace {

QString dayKey(int i) {
    return QDate(2021, 1, 1).addDays(i).toString(QStringLiteral("dd-MM-yyyy"));
}

// 1,000 days holding 10,000 tasks and 2,000 meetings, 1,000 notes and 1,000
// password entries, with enciphered fields as the editors write them.
QByteArray generate() {
    const QString text = EncipherField(QStringLiteral("Some words of a note, a description or a remark"));
    const QString secret = EncipherField(QStringLiteral("s3cret!"));
    QString x = QStringLiteral("<?xml version=\"1.0\"?>\n<zandor>\n<notes>\n");
    for (int i = 0; i < 1000; ++i)
        x += QStringLiteral("<note title=\"Note %1\"><date>05/07/2006</date><time>02:30:00 PM</time>"
                            "<lastedit>05/07/2006; 02:30:00 PM</lastedit><text>%2</text></note>\n")
                 .arg(i)
                 .arg(text);
    x += QStringLiteral("</notes>\n<passwords>\n");
    for (int i = 0; i < 1000; ++i)
        x += QStringLiteral("<password title=\"Site %1\"><uname>%2</uname><pwd>%2</pwd>"
                            "<url>https://site%1.example/</url><anote>%3</anote></password>\n")
                 .arg(i)
                 .arg(secret, text);
    x += QStringLiteral("</passwords>\n");
    for (int d = 0; d < 1000; ++d) {
        x += QStringLiteral("<date d=\"%1\"><tasks>").arg(dayKey(d));
        for (int t = 0; t < 10; ++t)
            x += QStringLiteral("<task title=\"Task %1\"><priority>2</priority><status>1</status><desc>%2</desc>"
                                "<remarks></remarks></task>")
                     .arg(t)
                     .arg(text);
        x += QStringLiteral("</tasks><meetings>");
        for (int m = 0; m < 2; ++m)
            x += QStringLiteral("<meeting title=\"Meeting %1\"><priority>1</priority><m_for>3</m_for>"
                                "<s_time>09:00:00 AM</s_time><e_time>10:00:00 AM</e_time><desc>%2</desc></meeting>")
                     .arg(m)
                     .arg(text);
        x += QStringLiteral("</meetings></date>\n");
    }
    x += QStringLiteral("</zandor>\n");
    return x.toUtf8();
}

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
    return floorbench::Main(argc, argv, generate());
}
