#include "FailingWriter.h"
#include "FakeInputs.h"
#include "FileRoot.h"
#include "StoreFixture.h"
#include "data/mFunctions.h"
#include "data/mMeetings.h"
#include "data/mTasks.h"

#include <QFile>

using platform::XmlDocument;
using platform::XmlNode;

namespace {

const QString kMeetingAccess =
    QStringLiteral("Error in accessing Meeting Details. Either the Data file is invalid or currupt. Please try "
                   "restoring data File from Backup or re-installing the Application to resolve this Error issue.");

MeetingRecord meeting(const QString& day, const QString& title, const QString& start = QStringLiteral("09:00:00 AM"),
                      const QString& end = QStringLiteral("10:00:00 AM")) {
    MeetingRecord r;
    r.Date = day;
    r.Title = title;
    r.Desc = QStringLiteral("A1B2");
    r.StartTime = start;
    r.EndTime = end;
    r.MeetFor = 3;
    r.Priority = 2;
    return r;
}

TaskRecord task(const QString& day, const QString& title) {
    return TaskRecord{day, title, QString(), QStringLiteral("0"), QStringLiteral("2"), QString()};
}

QStringList childNames(XmlNode n) {
    QStringList names;
    for (XmlNode c = n.firstChild(); c; c = c.nextSibling())
        names << c.nodeName();
    return names;
}

} // namespace

using MeetingStore = StoreTest;

TEST_F(MeetingStore, AddingFilesMeetingsUnderOneDayBesideItsTasks) {
    ASSERT_TRUE(mMeetings::SaveMeeting(meeting("05-07-2006", "Review"), true, QString()));
    ASSERT_TRUE(mTasks::SaveTask(task("05-07-2006", "Review"), true, QString()));
    ASSERT_TRUE(mMeetings::SaveMeeting(meeting("05-07-2006", "Lunch", "14:30", "3:05 pm"), true, QString()));

    XmlDocument doc;
    XmlNode root = fileRoot(doc, folder);
    EXPECT_EQ(childNames(root), (QStringList{"notes", "passwords", "date"})) << "one day element, not two";
    XmlNode day = root.child(2);
    EXPECT_EQ(day.attributeText(0), QStringLiteral("05-07-2006"));
    EXPECT_EQ(day.child(0).childCount(), 1) << "the task sits under tasks";
    XmlNode meetings = day.child(1);
    ASSERT_EQ(meetings.childCount(), 2);
    XmlNode first = meetings.child(0);
    EXPECT_EQ(first.attributeText(0), QStringLiteral("Review"));
    EXPECT_EQ(childNames(first), (QStringList{"priority", "m_for", "s_time", "e_time", "desc"}));
    EXPECT_EQ(first.child(0).text(), QStringLiteral("2"));
    EXPECT_EQ(first.child(1).text(), QStringLiteral("3"));
    // Times go to the file in the form they came in: the editor hands over a
    // time the person left alone as it was read.
    EXPECT_EQ(meetings.child(1).child(2).text(), QStringLiteral("14:30"));
    EXPECT_EQ(meetings.child(1).child(3).text(), QStringLiteral("3:05 pm"));

    // A meeting and a task share a title; each check looks at its own list.
    EXPECT_TRUE(mMeetings::MeetingTitleExists("05-07-2006", "Review"));
    EXPECT_FALSE(mMeetings::MeetingTitleExists("05-07-2006", "review"));
    EXPECT_FALSE(mMeetings::MeetingTitleExists("06-07-2006", "Review"));
    ASSERT_TRUE(mTasks::SaveTask(task("07-07-2006", "Only a task"), true, QString()));
    EXPECT_FALSE(mMeetings::MeetingTitleExists("07-07-2006", "Only a task"));

    const MeetingRecord read = mMeetings::GetMeetingDetails("05-07-2006", "Review");
    EXPECT_EQ(read, meeting("05-07-2006", "Review"));
    EXPECT_TRUE(boxes->boxes.empty());
    EXPECT_TRUE(calls.isEmpty()) << "saving reloads nothing; the editor does";
}

TEST_F(MeetingStore, EditRenamesInPlaceAndTheFirstOfTwoTitlesWins) {
    ASSERT_TRUE(mMeetings::SaveMeeting(meeting("05-07-2006", "Standup"), true, QString()));
    ASSERT_TRUE(mMeetings::SaveMeeting(meeting("05-07-2006", "Retro"), true, QString()));

    MeetingRecord renamed = meeting("05-07-2006", "Standup", "11:00:00 AM", "11:15:00 AM");
    renamed.Priority = 0;
    ASSERT_TRUE(mMeetings::SaveMeeting(renamed, false, "Retro")) << "an edit takes a title already in use";

    XmlDocument doc;
    XmlNode meetings = fileRoot(doc, folder).child(2).child(1);
    ASSERT_EQ(meetings.childCount(), 2) << "renamed in place, nothing added";
    EXPECT_EQ(meetings.child(1).attributeText(0), QStringLiteral("Standup"));
    EXPECT_EQ(meetings.child(1).child(2).text(), QStringLiteral("11:00:00 AM"));

    // Two meetings of one title: reading, editing and deleting find the first.
    EXPECT_EQ(mMeetings::GetMeetingDetails("05-07-2006", "Standup").StartTime, QStringLiteral("09:00:00 AM"));
    ASSERT_TRUE(mMeetings::DeleteMeeting("05-07-2006", "Standup"));
    const MeetingRecord left = mMeetings::GetMeetingDetails("05-07-2006", "Standup");
    EXPECT_EQ(left.StartTime, QStringLiteral("11:00:00 AM"));
    EXPECT_EQ(left.Priority, 0);
}

TEST_F(MeetingStore, AMeetingThatIsNotThereIsReportedAndNothingIsWritten) {
    ASSERT_TRUE(mMeetings::SaveMeeting(meeting("05-07-2006", "Review"), true, QString()));
    const QByteArray before = folder.readData();

    EXPECT_FALSE(mMeetings::SaveMeeting(meeting("05-07-2006", "Renamed"), false, "Gone"));
    EXPECT_FALSE(mMeetings::SaveMeeting(meeting("09-09-2009", "Renamed"), false, "Review"));
    const MeetingRecord empty = mMeetings::GetMeetingDetails("05-07-2006", "Gone");
    EXPECT_EQ(empty, MeetingRecord());
    EXPECT_FALSE(mMeetings::DeleteMeeting("05-07-2006", "Gone"));

    ASSERT_EQ(boxes->boxes.size(), 4u);
    for (const auto& box : boxes->boxes) {
        EXPECT_EQ(box.text, kMeetingAccess);
        EXPECT_EQ(box.title, QStringLiteral("Error in accessing information in Data File."));
        EXPECT_EQ(box.style, platform::MsgStyle::Information);
    }
    EXPECT_EQ(folder.readData(), before);
    EXPECT_TRUE(calls.isEmpty()) << "a delete that found nothing reloads nothing";
}

TEST_F(MeetingStore, DeletingMovesTheViewsAndClearsEmptiedDays) {
    ASSERT_TRUE(mMeetings::SaveMeeting(meeting("05-07-2006", "Review"), true, QString()));
    ASSERT_TRUE(mTasks::SaveTask(task("05-07-2006", "Write"), true, QString()));
    ASSERT_TRUE(mMeetings::SaveMeeting(meeting("06-07-2006", "Alone"), true, QString()));

    // The day keeps its task, so it stays.
    ASSERT_TRUE(mMeetings::DeleteMeeting("05-07-2006", "Review"));
    EXPECT_EQ(calls, (QStringList{"today(05-07-2006)", "calendar(2006-07-05)"}));
    XmlDocument doc;
    EXPECT_EQ(fileRoot(doc, folder).childCount(), 4);

    // The all-meetings view is reloaded instead, and the emptied day goes.
    calls.clear();
    mFunctions::SetCurrentView(mFunctions::ViewMeetings);
    ASSERT_TRUE(mMeetings::DeleteMeeting("06-07-2006", "Alone"));
    EXPECT_EQ(calls, (QStringList{"list(1,)"}));
    EXPECT_EQ(fileRoot(doc, folder).childCount(), 3);
    EXPECT_FALSE(mFunctions::NodeExists(".//zandor", "date", "06-07-2006"));

    // A day that is not in the file: no message, false, the view still moves.
    calls.clear();
    mFunctions::SetCurrentView(mFunctions::ViewToday);
    EXPECT_FALSE(mMeetings::DeleteMeeting("01-02-2003", "Anything"));
    EXPECT_TRUE(boxes->boxes.empty());
    EXPECT_EQ(calls, (QStringList{"today(01-02-2003)", "calendar(2003-02-01)"}));
}

TEST_F(MeetingStore, AFailedSaveIsReportedAndChangesNothing) {
    testsupport::FailingWriter disk;
    ASSERT_TRUE(mMeetings::SaveMeeting(meeting("05-07-2006", "Review"), true, QString()));
    const QByteArray before = folder.readData();

    disk.failNext();
    EXPECT_FALSE(mMeetings::SaveMeeting(meeting("05-07-2006", "Another"), true, QString()));
    disk.failNext();
    EXPECT_FALSE(mMeetings::SaveMeeting(meeting("05-07-2006", "Renamed"), false, "Review"));
    disk.failNext();
    EXPECT_FALSE(mMeetings::DeleteMeeting("05-07-2006", "Review"));

    ASSERT_EQ(boxes->boxes.size(), 3u);
    for (const auto& box : boxes->boxes)
        EXPECT_EQ(box.title, QStringLiteral("Data File could not be saved!"));
    EXPECT_EQ(folder.readData(), before);
    EXPECT_TRUE(calls.isEmpty());
}

TEST_F(MeetingStore, CodesThatAreNoNumberReadAsUnknown) {
    folder.writeData("<zandor><notes/><passwords/><date d=\"05-07-2006\"><tasks/><meetings>"
                     "<meeting title=\"Odd\"><priority>high</priority><m_for>70000</m_for><s_time>x</s_time>"
                     "<e_time/><desc/></meeting></meetings></date></zandor>");
    const MeetingRecord r = mMeetings::GetMeetingDetails("05-07-2006", "Odd");
    EXPECT_EQ(r.Title, QStringLiteral("Odd"));
    EXPECT_EQ(mFunctions::GetPriorityText(r.Priority), QStringLiteral("- Unknown -"));
    EXPECT_EQ(mFunctions::GetMeetingForText(r.MeetFor), QStringLiteral("- Unknown -"));
    EXPECT_EQ(r.StartTime, QStringLiteral("x"));
}

TEST_F(MeetingStore, AMissingDataFileEndsTheProgram) {
    QFile::remove(folder.dataFile());
    EXPECT_THROW(mMeetings::SaveMeeting(meeting("05-07-2006", "Review"), true, QString()), platform::ProcessEnded);
    EXPECT_THROW(mMeetings::MeetingTitleExists("05-07-2006", "Review"), platform::ProcessEnded);
    ASSERT_EQ(boxes->boxes.size(), 2u);
    EXPECT_EQ(boxes->boxes[0].title, QStringLiteral("Data File is missing or invalid!"));
    EXPECT_EQ(boxes->boxes[0].style, platform::MsgStyle::Critical);
}
