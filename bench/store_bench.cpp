// The record stores against their floors: every add, edit and delete of a
// task, meeting, note and password entry against a bare pugixml load and a
// durable save of the same file; every read of a record against a bare load.
// A change starts on a file another program has just written. A read is
// measured twice: on a file changed since the organiser last read it (two
// versions one character apart, taking turns), which it must parse again,
// and on the file unchanged, which it answers from the document it kept.
// Each pair checks that the read did what its label says. The floors run in
// the plain program beside this one.
//
// Then the gain of the one speed mechanism the stores keep, the document
// kept between reads: at 10 years, each action run by this program and by its
// twin built on a data library that keeps nothing (store_bench_noreuse), two
// helper processes taking turns. There each action starts on a file the
// organiser has read, as the list shown has, changed since for a read after a
// change, and a change ends with the read that reloads that list.
#include "BenchData.h"
#include "Helper.h"
#include "PairedRun.h"
#include "data/DataFile.h"
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
    QByteArray original, changed; // one character apart
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
    // A task's status in the middle of the file, the smallest change made
    // outside the organiser: the same size, another digest.
    f.changed = f.original;
    const qsizetype at = f.changed.indexOf("<status>", f.changed.size() / 2) + 8;
    f.changed[at] = f.changed[at] == '1' ? '2' : '1';
    paired::BenchFolder::use(f.dir.path());
    paired::putFile(f.path(), f.original);
    std::fprintf(stderr, "%d years: data.xml of %lld bytes\n", years, static_cast<long long>(f.original.size()));
}

// The file as another program leaves it.
void fresh() {
    paired::putFile(folder().path(), folder().original);
}

enum class Kind {
    Change,
    ReadChanged, // a read of a file changed since the organiser read it
    ReadKept,    // a read of the file the organiser read last, unchanged
};

// The document the organiser kept before the read timed; watched, not held,
// so a read that parses anew frees it as it would.
std::weak_ptr<const platform::XmlDocument>& keptBefore() {
    static std::weak_ptr<const platform::XmlDocument> doc;
    return doc;
}

// The file read by the organiser, as a list shown reads it, then for a read
// after a change rewritten from outside, one character apart.
void readThen(Kind kind) {
    fresh();
    keptBefore() = DataFile::TryRead();
    if (kind == Kind::ReadChanged)
        paired::putFile(folder().path(), folder().changed);
}

// A read timed as the other kind measures nothing: it must have parsed the
// changed file anew, or answered the unchanged one from the document kept.
void checkRead(const std::string& what, Kind kind) {
    const std::weak_ptr<const platform::XmlDocument>& before = keptBefore();
    const bool reused = !before.expired() && DataFile::TryRead() == before.lock();
    if (reused != (kind == Kind::ReadKept)) {
        std::fprintf(stderr, "%s: the document kept was %s\n", what.c_str(), reused ? "used" : "not used");
        std::abort();
    }
}

struct Action {
    std::string what;
    Kind kind;
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
    std::vector<Action> all = {
        {"add a task", Kind::Change,
         [=] {
             TaskRecord rec = task;
             rec.Title = QStringLiteral("New task");
             mTasks::SaveTask(rec, true, QString());
         }},
        {"edit a task", Kind::Change, [=] { mTasks::SaveTask(task, false, task.Title); }},
        {"delete a task", Kind::Change, [=] { mTasks::DeleteTask(day, task.Title); }},
        {"add a meeting", Kind::Change,
         [=] {
             MeetingRecord rec = meeting;
             rec.Title = QStringLiteral("New meeting");
             mMeetings::SaveMeeting(rec, true, QString());
         }},
        {"edit a meeting", Kind::Change, [=] { mMeetings::SaveMeeting(meeting, false, meeting.Title); }},
        {"delete a meeting", Kind::Change, [=] { mMeetings::DeleteMeeting(day, meeting.Title); }},
        {"add a note", Kind::Change,
         [=] {
             NoteRecord rec = noteRec;
             rec.Title = QStringLiteral("New note");
             mNotes::SaveNote(rec, true, QString());
         }},
        {"edit a note", Kind::Change, [=] { mNotes::SaveNote(noteRec, false, note); }},
        {"delete a note", Kind::Change, [=] { mNotes::DeleteNote(note); }},
        {"add a password", Kind::Change,
         [=] {
             PasswordRecord rec = pw;
             rec.Title = QStringLiteral("New site");
             mPasswords::SavePassword(rec, true, QString());
         }},
        {"edit a password", Kind::Change, [=] { mPasswords::SavePassword(pw, false, site); }},
        {"delete a password", Kind::Change, [=] { mPasswords::DeletePassword(site); }},
    };
    const std::pair<std::string, std::function<void()>> reads[] = {
        {"get a task", [=] { mTasks::GetTask(day, task.Title); }},
        {"get a meeting", [=] { mMeetings::GetMeetingDetails(day, meeting.Title); }},
        {"get a note", [=] { mNotes::GetNote(note); }},
        {"get a password", [=] { mPasswords::GetPassword(site); }},
    };
    for (const auto& [what, run] : reads) {
        all.push_back({what + ", file changed", Kind::ReadChanged, run});
        all.push_back({what + ", file unchanged", Kind::ReadKept, run});
    }
    return all;
}

// What a list shown reads after a change: the file, through a store.
void listRead(int years) {
    mTasks::GetTask(paired::middleDay(years), QStringLiteral("Task 0"));
}

// The helper's side of the kept document's gain: each request names an
// action, run on a file the list shown has just read (and changed since from
// outside, for a read after a change).
int serveActions(int years) {
    useSize(years);
    const std::vector<Action> all = actions(years);
    return paired::serve([&](const QStringList& request) {
        const auto it = std::find_if(all.begin(), all.end(),
                                     [&](const Action& a) { return request.value(0).toStdString() == a.what; });
        if (it == all.end())
            return -1.0;
        readThen(it->kind);
        return paired::timeOf([&] {
            it->run();
            if (it->kind == Kind::Change)
                listRead(years);
        });
    });
}

void registerSize(const paired::Size& size, paired::Helper& floors) {
    const int years = size.years;
    const auto before = [years] { useSize(years); };
    const QStringList save = {QStringLiteral("save"), folder().path()};
    const QStringList load = {QStringLiteral("load"), folder().path()};
    for (const Action& a : actions(years)) {
        const auto floor = [&floors, request = a.kind == Kind::Change ? save : load] { return floors.time(request); };
        if (a.kind == Kind::Change)
            paired::add(
                size,
                {a.what, "bare load + durable save", paired::ratioAtMost(1.3), fresh, paired::timed(a.run), floor},
                before);
        else
            paired::add(size,
                        {a.what + (a.kind == Kind::ReadKept ? " (kept document)" : " (parsed)"), "bare load",
                         paired::ratioAtMost(1.5), [kind = a.kind] { readThen(kind); },
                         [a] {
                             const double seconds = paired::timeOf(a.run);
                             checkRead(a.what, a.kind);
                             return seconds;
                         },
                         floor},
                        before);
    }
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
        // A read after another program's change gains nothing from the kept
        // document: its row shows what comparing the file first costs.
        const bool cost = a.kind == Kind::ReadChanged;
        paired::add(size,
                    {a.what + (a.kind == Kind::Change ? " + the list's read" : "") + ", nothing kept",
                     cost ? "the same, the document kept (its cost)" : "the same, the document kept",
                     cost ? paired::Goal() : paired::ratioAtLeast(1.2), [] {},
                     [&twins, request] { return twins.without->time(request); },
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
