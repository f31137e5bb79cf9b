// The record stores against their floors: every add, edit and delete of a
// task, meeting, note and password entry against one bare load and one durable
// save of the same file; every read of a record against one bare load. Each
// operation starts on a file another program has just written, so it reads
// the file afresh.
#include "PairedBench.h"
#include "data/cRC4.h"
#include "data/mMeetings.h"
#include "data/mNotes.h"
#include "data/mPasswords.h"
#include "data/mTasks.h"
#include "platform/FileIO.h"
#include "platform/ProgramFolder.h"

#include <QTemporaryDir>

namespace {

struct Bench {
    QTemporaryDir dir;
    QByteArray original;
    int years = 0;
    QString path() const { return dir.filePath(QStringLiteral("data.xml")); }
};

Bench& bench() {
    static Bench b;
    return b;
}

void useSize(int years) {
    Bench& b = bench();
    if (b.years == years)
        return;
    b.years = years;
    b.original = paired::generate(years);
    platform::SetAppPath(b.dir.path());
    paired::putFile(b.path(), b.original);
    std::printf("%d years: data.xml of %lld bytes\n", years, static_cast<long long>(b.original.size()));
}

void registerSize(const paired::Size& size) {
    const int years = size.years;
    const QString day = paired::middleDay(years);
    const QString note = paired::middleNote(years);
    const QString site = paired::middlePassword(years);
    const std::string path = bench().dir.filePath(QStringLiteral("data.xml")).toStdString();
    const QString desc = EncipherField(QStringLiteral("Changed text"));

    auto fresh = [] { paired::putFile(bench().path(), bench().original); };
    auto write = [&](const char* what, std::function<void()> op) {
        paired::add(size, {what, "durable load + save", 1.3, fresh, op, [path] { paired::floorLoadAndSave(path); }},
                    [years] { useSize(years); });
    };
    auto read = [&](const char* what, std::function<void()> op) {
        paired::add(size, {what, "bare load", 1.3, fresh, op, [path] { paired::floorLoad(path); }},
                    [years] { useSize(years); });
    };

    const TaskRecord task{day, QStringLiteral("Task 2"), desc, QStringLiteral("1"), QStringLiteral("2"), QString()};
    write("add a task", [=] {
        TaskRecord rec = task;
        rec.Title = QStringLiteral("New task");
        mTasks::SaveTask(rec, true, QString());
    });
    write("edit a task", [=] { mTasks::SaveTask(task, false, task.Title); });
    write("delete a task", [=] { mTasks::DeleteTask(day, task.Title); });

    const MeetingRecord meeting{
        day, QStringLiteral("Meeting 1"), desc, QStringLiteral("11:00:00 AM"), QStringLiteral("12:00:00 PM"), 2, 0};
    write("add a meeting", [=] {
        MeetingRecord rec = meeting;
        rec.Title = QStringLiteral("New meeting");
        mMeetings::SaveMeeting(rec, true, QString());
    });
    write("edit a meeting", [=] { mMeetings::SaveMeeting(meeting, false, meeting.Title); });
    write("delete a meeting", [=] { mMeetings::DeleteMeeting(day, meeting.Title); });

    const NoteRecord noteRec{note, desc, QStringLiteral("05/07/2006"), QStringLiteral("02:30:00 PM"), QString()};
    write("add a note", [=] {
        NoteRecord rec = noteRec;
        rec.Title = QStringLiteral("New note");
        mNotes::SaveNote(rec, true, QString());
    });
    write("edit a note", [=] { mNotes::SaveNote(noteRec, false, note); });
    write("delete a note", [=] { mNotes::DeleteNote(note); });

    const PasswordRecord pw{site, desc, desc, QStringLiteral("https://new.example/"), QString()};
    write("add a password", [=] {
        PasswordRecord rec = pw;
        rec.Title = QStringLiteral("New site");
        mPasswords::SavePassword(rec, true, QString());
    });
    write("edit a password", [=] { mPasswords::SavePassword(pw, false, site); });
    write("delete a password", [=] { mPasswords::DeletePassword(site); });

    read("get a task", [=] { benchmark::DoNotOptimize(mTasks::GetTask(day, task.Title)); });
    read("get a meeting", [=] { benchmark::DoNotOptimize(mMeetings::GetMeetingDetails(day, meeting.Title)); });
    read("get a note", [=] { benchmark::DoNotOptimize(mNotes::GetNote(note)); });
    read("get a password", [=] { benchmark::DoNotOptimize(mPasswords::GetPassword(site)); });
}

} // namespace

int main(int argc, char** argv) {
    for (const paired::Size& size : paired::sizes())
        registerSize(size);
    return paired::run(argc, argv);
}
