// The record stores against their floors: every add, edit and delete of a
// task, meeting, note and password entry against a bare pugixml load and a
// durable save of the same file; every read of a record against a bare load.
// Each starts on a file another program has just written, so it reads the
// file afresh. The floors run in the plain program beside this one.
#include "BenchData.h"
#include "Helper.h"
#include "PairedBench.h"
#include "data/cRC4.h"
#include "data/mMeetings.h"
#include "data/mNotes.h"
#include "data/mPasswords.h"
#include "data/mTasks.h"
#include "platform/Files.h"

#include <QCoreApplication>
#include <QTemporaryDir>

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

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    paired::Helper floors(paired::besideThisProgram("plain_floors"), {});
    for (const paired::Size& size : paired::sizes())
        registerSize(size, floors);
    return paired::run(argc, argv);
}
