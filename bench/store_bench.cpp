// The record stores against their floors: every add, edit and delete of a
// task, meeting, note and password entry against a bare pugixml load and a
// durable save of the same file; every read of a record against a bare load.
// Each starts on a file another program has just written, so it reads the
// file afresh. The floors run in the plain program beside this one.
//
// Then the gain of the one speed mechanism the stores keep, the document
// kept between reads: at 10 years, each action run by this program and by its
// twin built on a data library that keeps nothing (store_bench_noreuse), two
// helper processes taking turns. There each action starts on a file the
// organiser has read, as the list shown has, and a change ends with the read
// that reloads that list.
#include "BenchData.h"
#include "Helper.h"
#include "PairedRun.h"
#include "data/cRC4.h"
#include "data/mMeetings.h"
#include "data/mNotes.h"
#include "data/mPasswords.h"
#include "data/mTasks.h"
#include "platform/FileIO.h"
#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <memory>

namespace {

struct Folder {
    QTemporaryDir dir;
    QByteArray original;
    int years = 0;
    QString path() const { return dir.filePath(QStringLiteral("data.xml")); }
};

Folder& folder() {
    static Folder f;
    return f;
}

void useSize(int years) {
    Folder& f = folder();
    if (f.years == years)
        return;
    f.years = years;
    f.original = paired::generate(years);
    platform::SetAppPath(f.dir.path());
    paired::putFile(f.path(), f.original);
    std::fprintf(stderr, "%d years: data.xml of %lld bytes\n", years, static_cast<long long>(f.original.size()));
}

// The file as another program leaves it.
void fresh() {
    paired::putFile(folder().path(), folder().original);
}

struct Action {
    std::string what;
    bool changes;
    std::function<void()> run;
};

std::vector<Action> actions(int years) {
    const QString day = paired::middleDay(years);
    const QString note = paired::middleNote(years);
    const QString site = paired::middlePassword(years);
    const QString desc = EncipherField(QStringLiteral("Changed text"));
    const TaskRecord task{day, QStringLiteral("Task 2"), desc, QStringLiteral("1"), QStringLiteral("2"), QString()};
    const MeetingRecord meeting{
        day, QStringLiteral("Meeting 1"), desc, QStringLiteral("11:00:00 AM"), QStringLiteral("12:00:00 PM"), 2, 0};
    const NoteRecord noteRec{note, desc, QStringLiteral("05/07/2006"), QStringLiteral("02:30:00 PM"), QString()};
    const PasswordRecord pw{site, desc, desc, QStringLiteral("https://new.example/"), QString()};
    return {
        {"add a task", true,
         [=] {
             TaskRecord rec = task;
             rec.Title = QStringLiteral("New task");
             mTasks::SaveTask(rec, true, QString());
         }},
        {"edit a task", true, [=] { mTasks::SaveTask(task, false, task.Title); }},
        {"delete a task", true, [=] { mTasks::DeleteTask(day, task.Title); }},
        {"add a meeting", true,
         [=] {
             MeetingRecord rec = meeting;
             rec.Title = QStringLiteral("New meeting");
             mMeetings::SaveMeeting(rec, true, QString());
         }},
        {"edit a meeting", true, [=] { mMeetings::SaveMeeting(meeting, false, meeting.Title); }},
        {"delete a meeting", true, [=] { mMeetings::DeleteMeeting(day, meeting.Title); }},
        {"add a note", true,
         [=] {
             NoteRecord rec = noteRec;
             rec.Title = QStringLiteral("New note");
             mNotes::SaveNote(rec, true, QString());
         }},
        {"edit a note", true, [=] { mNotes::SaveNote(noteRec, false, note); }},
        {"delete a note", true, [=] { mNotes::DeleteNote(note); }},
        {"add a password", true,
         [=] {
             PasswordRecord rec = pw;
             rec.Title = QStringLiteral("New site");
             mPasswords::SavePassword(rec, true, QString());
         }},
        {"edit a password", true, [=] { mPasswords::SavePassword(pw, false, site); }},
        {"delete a password", true, [=] { mPasswords::DeletePassword(site); }},
        {"get a task", false, [=] { mTasks::GetTask(day, task.Title); }},
        {"get a meeting", false, [=] { mMeetings::GetMeetingDetails(day, meeting.Title); }},
        {"get a note", false, [=] { mNotes::GetNote(note); }},
        {"get a password", false, [=] { mPasswords::GetPassword(site); }},
    };
}

// What a list shown reads: the file, through a store.
void listRead(int years) {
    mTasks::GetTask(paired::middleDay(years), QStringLiteral("Task 0"));
}

// The helper's side of the kept document's gain: each request names an
// action, run on a file the list shown has just read.
int serveActions(int years) {
    useSize(years);
    const std::vector<Action> all = actions(years);
    return paired::serve([&](const QStringList& request) {
        const auto it = std::find_if(all.begin(), all.end(),
                                     [&](const Action& a) { return request.value(0).toStdString() == a.what; });
        if (it == all.end())
            return -1.0;
        fresh();
        listRead(years);
        return paired::timeOf([&] {
            it->run();
            if (it->changes)
                listRead(years);
        });
    });
}

void registerSize(const paired::Size& size, paired::Helper& floors) {
    const int years = size.years;
    const auto before = [years] { useSize(years); };
    const QStringList save = {QStringLiteral("save"), folder().path()};
    const QStringList load = {QStringLiteral("load"), folder().path()};
    for (const Action& a : actions(years))
        paired::add(size,
                    {a.what, a.changes ? "bare load + durable save" : "bare load",
                     paired::ratioAtMost(a.changes ? 1.3 : 1.5), fresh, paired::timed(a.run),
                     [&floors, request = a.changes ? save : load] { return floors.time(request); }},
                    before);
}

// The two builds that take turns for the kept document's gain, started when
// first needed.
struct Twins {
    std::unique_ptr<paired::Helper> with, without;
};

// The kept document's gain: the same action with nothing kept, against with
// the document kept.
void registerGain(const paired::Size& size, Twins& twins) {
    const auto start = [&twins, years = QString::number(size.years)] {
        if (twins.with)
            return;
        const QStringList serve = {QStringLiteral("--serve"), years};
        twins.with = std::make_unique<paired::Helper>(paired::besideThisProgram("store_bench"), serve);
        twins.without = std::make_unique<paired::Helper>(paired::besideThisProgram("store_bench_noreuse"), serve);
    };
    for (const Action& a : actions(size.years)) {
        const QStringList request = {QString::fromStdString(a.what)};
        paired::add(size,
                    {a.what + (a.changes ? " + the list's read" : "") + ", nothing kept", "the same, the document kept",
                     paired::ratioAtLeast(1.2), [] {}, [&twins, request] { return twins.without->time(request); },
                     [&twins, request] { return twins.with->time(request); }},
                    start);
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.value(1) == QLatin1String("--serve"))
        return serveActions(args.value(2).toInt());

    paired::Helper floors(paired::besideThisProgram("plain_floors"), {});
    Twins twins;
    for (const paired::Size& size : paired::sizes())
        registerSize(size, floors);
    for (const paired::Size& size : paired::sizes())
        if (size.years == 10)
            registerGain(size, twins);
    return paired::run(argc, argv);
}
