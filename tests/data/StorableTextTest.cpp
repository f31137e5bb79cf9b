#include "StoreFixture.h"
#include "data/mMeetings.h"
#include "data/mNotes.h"
#include "data/mPasswords.h"
#include "data/mTasks.h"

#include <functional>

namespace {

const QString kDay = QStringLiteral("01-02-2030");

MeetingRecord meetingAt(const QString& title, const QString& start) {
    MeetingRecord r;
    r.Date = kDay;
    r.Title = title;
    r.StartTime = start;
    r.EndTime = QStringLiteral("10:00:00 AM");
    return r;
}

} // namespace

using StorableText = StoreTest;

TEST_F(StorableText, WhatXmlCannotHoldIsRefusedAndNothingIsWritten) {
    ASSERT_TRUE(mTasks::SaveTask({kDay, QStringLiteral("Kept"), QString(), "0", "2", QString()}, true, QString()));
    const QByteArray before = folder.readData();
    const QString unstorable[] = {QStringLiteral("a\u0001b"), QStringLiteral("form\ffeed"),
                                  QString(QChar(0xD83D)),     QChar(0xDE00) + QStringLiteral("x"),
                                  QString(QChar(0xFFFE)),     QStringLiteral("end") + QChar(0xFFFF)};
    for (const QString& bad : unstorable) {
        const struct {
            const char* what;
            std::function<bool()> save;
        } saves[] = {
            {"task title",
             [&] {
                 return mTasks::SaveTask({kDay, bad, QString(), "0", "2", QString()}, true, {});
             }},
            {"task remarks as typed",
             [&] {
                 return mTasks::SaveTask({kDay, "Kept", QString(), "0", "2", bad}, false, "Kept");
             }},
            {"one field", [&] { return mTasks::UpdateItemField(kDay, "Kept", 2, bad, mTasks::KindTasks); }},
            {"meeting title", [&] { return mMeetings::SaveMeeting(meetingAt(bad, "09:00"), true, {}); }},
            {"meeting time", [&] { return mMeetings::SaveMeeting(meetingAt("M", "soon" + bad), true, {}); }},
            {"note title",
             [&] {
                 return mNotes::SaveNote({bad, "A1", "01/02/2030", "09:00:00 AM", ""}, true, {});
             }},
            {"password url",
             [&] {
                 return mPasswords::SavePassword({"P", "", "A1", bad, ""}, true, {});
             }},
        };
        for (const auto& s : saves) {
            SCOPED_TRACE(s.what);
            boxes->clear();
            EXPECT_FALSE(s.save());
            ASSERT_EQ(boxes->boxes.size(), 1u);
            EXPECT_EQ(boxes->last().title, QStringLiteral("Changes can not be saved!"));
            EXPECT_EQ(folder.readData(), before);
        }
    }

    // Characters XML does hold go through: tab, C1 controls, a pair outside
    // the basic plane.
    const QString fine = QStringLiteral("tab\there \u0085\u0081 😀");
    ASSERT_TRUE(mPasswords::SavePassword({fine, "", "A1", fine, ""}, true, QString()));
    EXPECT_EQ(mPasswords::GetPassword(fine), (PasswordRecord{fine, "", "A1", fine, ""}));
}

TEST_F(StorableText, LineBreaksInTitlesAndClearTextReadBackExactly) {
    const QString texts[] = {QStringLiteral("a\r\nb"), QStringLiteral("a\rb"), QStringLiteral("a\nb"),
                             QStringLiteral("x\r\n\r\ny\r")};
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        // Each read-back reads the file, not the document kept from the save.
        ASSERT_TRUE(mPasswords::SavePassword({text, "", "A1", text, ""}, true, QString()));
        folder.rewriteData();
        EXPECT_EQ(mPasswords::GetPassword(text).URL, text);
        ASSERT_TRUE(mMeetings::SaveMeeting(meetingAt(text, "later" + text), true, QString()));
        folder.rewriteData();
        EXPECT_EQ(mMeetings::GetMeetingDetails(kDay, text).StartTime, "later" + text);
        // A save that changes something else keeps them too.
        ASSERT_TRUE(mPasswords::SavePassword({text, "", "B2", text, ""}, false, text));
        folder.rewriteData();
        EXPECT_EQ(mPasswords::GetPassword(text).URL, text);
        EXPECT_EQ(mMeetings::GetMeetingDetails(kDay, text).StartTime, "later" + text);
    }
    EXPECT_TRUE(boxes->boxes.empty());
}

TEST_F(StorableText, ATitleBeginningWithAByteOrderMarkIsFoundEditedAndDeleted) {
    const QChar mark(0xFEFF);
    const QString titles[] = {mark + QStringLiteral("Call"), QStringLiteral("Ca") + mark + QStringLiteral("ll"),
                              QString(mark) + mark};
    for (const QString& title : titles) {
        SCOPED_TRACE(title.toStdString());
        const TaskRecord task{kDay, title, QString(), "0", "2", QString()};
        ASSERT_TRUE(mTasks::SaveTask(task, true, QString()));
        ASSERT_TRUE(mNotes::SaveNote({title, "A1", "01/02/2030", "10:00:00 AM", ""}, true, QString()));
        folder.rewriteData();
        EXPECT_EQ(mTasks::GetTask(kDay, title), task);
        EXPECT_EQ(mNotes::GetNote(title).Title, title);
        ASSERT_TRUE(mTasks::SaveTask({kDay, title, QString(), "4", "2", QString()}, false, title));
        EXPECT_EQ(mTasks::GetTask(kDay, title).Status, QStringLiteral("4"));
        EXPECT_TRUE(mTasks::DeleteTask(kDay, title));
        EXPECT_TRUE(mNotes::DeleteNote(title));
        EXPECT_FALSE(mTasks::TaskTitleExists(kDay, title));
    }
    EXPECT_TRUE(boxes->boxes.empty());
}
