#include "data/cRC4.h"
#include "data/mFunctions.h"
#include "data/mMeetings.h"
#include "data/mNotes.h"
#include "data/mPasswords.h"
#include "data/mTasks.h"

#include "FailingWriter.h"
#include "FakeInputs.h"
#include "StoreFixture.h"

using platform::MsgStyle;

namespace {

TaskRecord task(const QString& day, const QString& title, const QString& desc = QString()) {
    return TaskRecord{day, title, desc, QStringLiteral("0"), QStringLiteral("2"), QString()};
}

} // namespace

class TaskStore : public StoreTest {};

TEST_F(TaskStore, AddingFilesTasksUnderOneDayElementPerDay) {
    ASSERT_TRUE(mTasks::SaveTask(task("05-07-2006", "Call"), true, QString()));
    ASSERT_TRUE(mTasks::SaveTask(task("06-07-2006", "Other day"), true, QString()));
    ASSERT_TRUE(mTasks::SaveTask(task("05-07-2006", "call"), true, QString())) << "case makes a new title";
    EXPECT_EQ(data(), QStringLiteral(
                          "<zandor><notes /><passwords />"
                          "<date d=\"05-07-2006\"><tasks>"
                          "<task title=\"Call\"><priority>2</priority><status>0</status><desc /><remarks /></task>"
                          "<task title=\"call\"><priority>2</priority><status>0</status><desc /><remarks /></task>"
                          "</tasks><meetings /></date>"
                          "<date d=\"06-07-2006\"><tasks>"
                          "<task title=\"Other day\"><priority>2</priority><status>0</status><desc /><remarks /></task>"
                          "</tasks><meetings /></date></zandor>"));
    EXPECT_TRUE(mTasks::TaskTitleExists(QStringLiteral("05-07-2006"), QStringLiteral("call")));
    EXPECT_FALSE(mTasks::TaskTitleExists(QStringLiteral("05-07-2006"), QStringLiteral("CALL")));
    EXPECT_FALSE(mTasks::TaskTitleExists(QStringLiteral("07-07-2006"), QStringLiteral("Call")));
    EXPECT_TRUE(boxes->boxes.empty());
    EXPECT_TRUE(calls.isEmpty()) << "saving reloads nothing; the editor does";
}

TEST_F(TaskStore, FieldsComeBackAsStoredWhateverTheirLetters) {
    TaskRecord rec{QStringLiteral("05-07-2006"), QStringLiteral("Zażółć ΑΒΓ 中文 <&\">"),
                   QStringLiteral("   "),        QStringLiteral("4"),
                   QStringLiteral("0"),          EncipherField(QStringLiteral("Ελληνικά"))};
    ASSERT_TRUE(mTasks::SaveTask(rec, true, QString()));
    TaskRecord back = mTasks::GetTask(rec.Date, rec.Title);
    EXPECT_EQ(back, rec);
    EXPECT_EQ(back.Desc, QStringLiteral("   ")) << "a blank field of spaces stays as typed";
    EXPECT_EQ(DecipherField(back.Remarks), QStringLiteral("Ελληνικά"));
}

TEST_F(TaskStore, EditRenamesInPlaceAndTheFirstOfTwoEqualTitlesWins) {
    ASSERT_TRUE(mTasks::SaveTask(task("05-07-2006", "First", "a"), true, QString()));
    ASSERT_TRUE(mTasks::SaveTask(task("05-07-2006", "Second", "b"), true, QString()));
    TaskRecord edited = task("05-07-2006", "First", "b2");
    edited.Status = QStringLiteral("5");
    ASSERT_TRUE(mTasks::SaveTask(edited, false, QStringLiteral("Second")));
    EXPECT_EQ(mTasks::GetTask(QStringLiteral("05-07-2006"), QStringLiteral("First")).Desc, QStringLiteral("a"));
    EXPECT_TRUE(mTasks::DeleteTask(QStringLiteral("05-07-2006"), QStringLiteral("First")));
    TaskRecord left = mTasks::GetTask(QStringLiteral("05-07-2006"), QStringLiteral("First"));
    EXPECT_EQ(left.Desc, QStringLiteral("b2"));
    EXPECT_EQ(left.Status, QStringLiteral("5"));
}

TEST_F(TaskStore, MissingRecordsGiveTheAccessMessageAndChangeNothing) {
    ASSERT_TRUE(mTasks::SaveTask(task("05-07-2006", "Call"), true, QString()));
    const QByteArray before = folder.readData();
    EXPECT_EQ(mTasks::GetTask(QStringLiteral("05-07-2006"), QStringLiteral("Gone")), TaskRecord());
    EXPECT_EQ(mTasks::GetTask(QStringLiteral("01-01-2000"), QStringLiteral("Call")), TaskRecord());
    EXPECT_FALSE(mTasks::SaveTask(task("05-07-2006", "New"), false, QStringLiteral("Gone")));
    EXPECT_FALSE(mTasks::DeleteTask(QStringLiteral("05-07-2006"), QStringLiteral("Gone")));
    EXPECT_FALSE(mTasks::UpdateItemField(QStringLiteral("05-07-2006"), QStringLiteral("Gone"), 0, "1", 0));
    ASSERT_EQ(boxes->boxes.size(), 5u);
    for (const auto& b : boxes->boxes) {
        EXPECT_EQ(b.title, QString::fromUtf8(kAccessTitle));
        EXPECT_EQ(b.style, MsgStyle::Information);
        EXPECT_TRUE(b.text.startsWith(QLatin1String("Error in accessing Task element(s).")));
    }
    EXPECT_FALSE(mTasks::UpdateItemField(QStringLiteral("05-07-2006"), QStringLiteral("Call"), 0, "1", 1));
    EXPECT_TRUE(boxes->last().text.startsWith(QLatin1String("Error in accessing Meeting Details.")))
        << "the day has no meetings";
    EXPECT_EQ(folder.readData(), before);
    EXPECT_TRUE(calls.isEmpty());
}

TEST_F(TaskStore, AnEditOfARecordThatLacksFieldsIsRefusedNotHalfDone) {
    const QByteArray damaged = "<zandor><notes><note title=\"N\"><date>01/01/2006</date></note></notes>"
                               "<passwords><password title=\"P\"><uname/><pwd>AB</pwd></password></passwords>"
                               "<date d=\"05-07-2006\"><tasks><task title=\"T\"><priority>2</priority></task></tasks>"
                               "<meetings><meeting title=\"M\"><priority>2</priority><m_for>0</m_for></meeting>"
                               "</meetings></date></zandor>";
    folder.writeData(damaged);
    EXPECT_FALSE(mTasks::SaveTask(task("05-07-2006", "T", "AB"), false, QStringLiteral("T")));
    EXPECT_EQ(boxes->last().title, QString::fromUtf8(kAccessTitle));
    MeetingRecord m;
    m.Date = QStringLiteral("05-07-2006");
    m.Title = QStringLiteral("M");
    EXPECT_FALSE(mMeetings::SaveMeeting(m, false, QStringLiteral("M")));
    EXPECT_TRUE(boxes->last().text.startsWith(QLatin1String("Error in accessing Meeting Details.")));
    EXPECT_FALSE(mNotes::SaveNote(NoteRecord{"N", "CD", "", "", ""}, false, QStringLiteral("N")));
    EXPECT_EQ(boxes->last().title, QStringLiteral("Edit Note process failed!"));
    EXPECT_FALSE(mPasswords::SavePassword(PasswordRecord{"P", "", "CD", "", ""}, false, QStringLiteral("P")));
    EXPECT_EQ(boxes->last().title, QStringLiteral("Edit Note process failed!"));
    EXPECT_EQ(boxes->boxes.size(), 4u);
    EXPECT_EQ(folder.readData(), damaged) << "nothing was written";
}

TEST_F(TaskStore, UpdateItemFieldChangesOneFieldAndReloadsWhatIsShowing) {
    folder.writeData("<zandor><notes/><passwords/><date d=\"05-07-2006\"><tasks>"
                     "<task title=\"T\"><priority>2</priority><status>0</status><desc/><remarks/></task></tasks>"
                     "<meetings><meeting title=\"M\"><priority>2</priority><m_for>0</m_for><s_time>10:00:00 AM"
                     "</s_time><e_time>11:00:00 AM</e_time><desc/></meeting></meetings></date></zandor>");
    mFunctions::SetCurrentView(mFunctions::ViewTasks);
    ASSERT_TRUE(mTasks::UpdateItemField(QStringLiteral("05-07-2006"), QStringLiteral("T"), 1, "4", 0));
    mFunctions::SetCurrentView(mFunctions::ViewMeetings);
    ASSERT_TRUE(mTasks::UpdateItemField(QStringLiteral("05-07-2006"), QStringLiteral("M"), 0, "0", 1));
    mFunctions::SetCurrentView(mFunctions::ViewToday);
    ASSERT_TRUE(mTasks::UpdateItemField(QStringLiteral("05-07-2006"), QStringLiteral("M"), 1, "3", 1));
    mFunctions::SetCurrentView(mFunctions::ViewMeetings);
    ASSERT_TRUE(mTasks::UpdateItemField(QStringLiteral("05-07-2006"), QStringLiteral("T"), 0, "1", 0));
    EXPECT_EQ(calls, QStringList({"list(0,)", "list(1,)", "today()", "today()"}));
    TaskRecord t = mTasks::GetTask(QStringLiteral("05-07-2006"), QStringLiteral("T"));
    EXPECT_EQ(t.Status, QStringLiteral("4"));
    EXPECT_EQ(t.Priority, QStringLiteral("1"));
    EXPECT_TRUE(data().contains(QLatin1String("<priority>0</priority><m_for>3</m_for>")));
}

TEST_F(TaskStore, DeleteRemovesEmptiedDaysAndShowsTheDeletedTasksDay) {
    folder.writeData("<zandor><notes/><passwords/>"
                     "<date d=\"01-01-2006\"><tasks/><meetings/></date>"
                     "<date d=\"05-07-2006\"><tasks><task title=\"T\"><priority>2</priority><status>0</status>"
                     "<desc/><remarks/></task></tasks><meetings/></date>"
                     "<date d=\"06-07-2006\"><tasks><task title=\"U\"><priority>2</priority><status>0</status>"
                     "<desc/><remarks/></task></tasks><meetings><meeting title=\"M\"/></meetings></date>"
                     "<date d=\"07-07-2006\"><tasks/><meetings/></date></zandor>");
    ASSERT_TRUE(mTasks::DeleteTask(QStringLiteral("05-07-2006"), QStringLiteral("T")));
    EXPECT_EQ(calls, QStringList({"today(05-07-2006)", "calendar(2006-07-05)"}));
    ASSERT_TRUE(mTasks::DeleteTask(QStringLiteral("06-07-2006"), QStringLiteral("U")));
    EXPECT_EQ(data(), QStringLiteral("<zandor><notes /><passwords /><date d=\"06-07-2006\"><tasks />"
                                     "<meetings><meeting title=\"M\" /></meetings></date></zandor>"))
        << "every empty day goes; a day that still has a meeting stays";

    ASSERT_TRUE(mTasks::SaveTask(task("08-07-2006", "V"), true, QString()));
    calls.clear();
    mFunctions::SetCurrentView(mFunctions::ViewTasks);
    ASSERT_TRUE(mTasks::DeleteTask(QStringLiteral("08-07-2006"), QStringLiteral("V")));
    EXPECT_EQ(calls, QStringList({"list(0,)"}));
}

TEST_F(TaskStore, ADayLaidOutByHandIsEmptyWhenItHoldsNoRecords) {
    folder.writeData("<zandor>\n <notes>\n </notes>\n <passwords>\n </passwords>\n"
                     " <date d=\"01-01-2006\">\n  <tasks>\n  </tasks>\n  <meetings>\n  </meetings>\n </date>\n"
                     " <date d=\"05-07-2006\">\n  <tasks>\n   <task title=\"T\">\n    <priority>2</priority>\n"
                     "    <status>0</status>\n    <desc>  </desc>\n    <remarks>\n    </remarks>\n   </task>\n"
                     "  </tasks>\n  <meetings>\n  </meetings>\n </date>\n"
                     " <date d=\"02-01-2006\">\n  <tasks/>\n  <meetings>\n\n  </meetings>\n </date>\n</zandor>\n");
    mFunctions::RemoveEmptyDateNodes();
    EXPECT_EQ(data().count(QLatin1String("<date ")), 1) << "both days without records went in one call";
    const TaskRecord t = mTasks::GetTask(QStringLiteral("05-07-2006"), QStringLiteral("T"));
    EXPECT_EQ(t.Desc, QStringLiteral("  ")) << "a blank field keeps its spaces";
    EXPECT_EQ(t.Remarks, QString()) << "layout is no field's value";
    ASSERT_TRUE(mTasks::DeleteTask(QStringLiteral("05-07-2006"), QStringLiteral("T")));
    EXPECT_EQ(data(), QStringLiteral("<zandor><notes /><passwords /></zandor>"));

    const QByteArray noEmptyDay = "<zandor>\n <notes/><passwords/>\n <date d=\"03-01-2006\">\n  <tasks>\n  </tasks>\n"
                                  "  <meetings><meeting title=\"M\"/></meetings>\n </date>\n</zandor>\n";
    folder.writeData(noEmptyDay);
    mFunctions::RemoveEmptyDateNodes();
    EXPECT_EQ(folder.readData(), noEmptyDay) << "a file with no empty day is not saved";
    EXPECT_TRUE(boxes->boxes.empty());
}

TEST_F(TaskStore, AFailedSaveIsReportedAndLeavesTheFileAsItWas) {
    testsupport::FailingWriter disk;
    ASSERT_TRUE(mTasks::SaveTask(task("05-07-2006", "Call"), true, QString()));
    const QByteArray before = folder.readData();
    struct Attempt {
        const char* what;
        std::function<bool()> run;
    } attempts[] = {
        {"add", [] { return mTasks::SaveTask(task("05-07-2006", "More"), true, QString()); }},
        {"edit", [] { return mTasks::SaveTask(task("05-07-2006", "Renamed"), false, QStringLiteral("Call")); }},
        {"field",
         [] { return mTasks::UpdateItemField(QStringLiteral("05-07-2006"), QStringLiteral("Call"), 0, "0", 0); }},
        {"delete", [] { return mTasks::DeleteTask(QStringLiteral("05-07-2006"), QStringLiteral("Call")); }},
    };
    for (const auto& a : attempts) {
        boxes->clear();
        disk.failNext();
        EXPECT_FALSE(a.run()) << a.what;
        ASSERT_EQ(boxes->boxes.size(), 1u) << a.what;
        EXPECT_EQ(boxes->last().title, QStringLiteral("Data File could not be saved!"));
        EXPECT_EQ(boxes->last().style, MsgStyle::Critical);
        EXPECT_EQ(boxes->last().text, QStringLiteral("Your changes could not be written to the Data File:\r\n") +
                                          folder.dataFile() +
                                          QStringLiteral("\r\nNo space left on device\r\n\r\nThe Data File was left "
                                                         "as it was before this change."));
        EXPECT_EQ(folder.readData(), before) << a.what;
    }
    EXPECT_TRUE(calls.isEmpty()) << "nothing is reloaded after a failed save";
}

TEST_F(TaskStore, AMissingOrBrokenFileEndsTheProgram) {
    const char* broken[] = {nullptr, "", "<zandor><notes/>", "<zandor/><zandor/>", "<zandor>&bogus;</zandor>"};
    for (const char* content : broken) {
        if (content)
            folder.writeData(content);
        else
            QFile::remove(folder.dataFile());
        boxes->clear();
        EXPECT_THROW(mTasks::SaveTask(task("05-07-2006", "Call"), true, QString()), platform::ProcessEnded);
        ASSERT_EQ(boxes->boxes.size(), 1u);
        EXPECT_EQ(boxes->last().title, QString::fromUtf8(kFatalTitle));
        EXPECT_EQ(boxes->last().style, MsgStyle::Critical);
        EXPECT_EQ(boxes->last().text,
                  QStringLiteral("Datebase File is missing or invalid. Please try installing the Applcation to solve "
                                 "this error issue.\r\n\r\nApplication can not work without Data file or with invalid "
                                 "Data File. Hence Application will terminate now."));
        // The empty-day clean-up alone stays silent.
        boxes->clear();
        EXPECT_NO_THROW(mFunctions::RemoveEmptyDateNodes());
        EXPECT_TRUE(boxes->boxes.empty());
    }
    EXPECT_EQ(folder.readData(), QByteArray("<zandor>&bogus;</zandor>")) << "a broken file is never overwritten";
}

TEST_F(TaskStore, AFileWithoutItsRoot) {
    folder.writeData("<other><date d=\"05-07-2006\"><tasks/><meetings/></date></other>");
    EXPECT_FALSE(mTasks::CreateDateNode(QStringLiteral("05-07-2006")));
    EXPECT_TRUE(boxes->boxes.empty()) << "creating a day without a root is refused silently";
    EXPECT_NO_THROW(mFunctions::RemoveEmptyDateNodes());
    EXPECT_THROW(mTasks::GetDateContainer(QStringLiteral("05-07-2006"), 0), platform::ProcessEnded);
    EXPECT_THROW(mFunctions::NodeExists(QStringLiteral(".//zandor/notes"), QStringLiteral("note"), QString()),
                 platform::ProcessEnded);
    EXPECT_EQ(boxes->last().title, QString::fromUtf8(kFatalTitle));
}

TEST_F(TaskStore, NodeExistsLooksAtEveryChild) {
    folder.writeData("<zandor><notes><note title=\"a\"/><note title=\"b\"/><other title=\"c\"/></notes><passwords/>"
                     "<date d=\"01-01-2006\"><tasks/><meetings/></date>"
                     "<date d=\"05-07-2006\"><tasks/><meetings/></date></zandor>");
    const QString notes = QStringLiteral(".//zandor/notes");
    EXPECT_TRUE(mFunctions::NodeExists(notes, QStringLiteral("note"), QStringLiteral("b")));
    EXPECT_FALSE(mFunctions::NodeExists(notes, QStringLiteral("note"), QStringLiteral("c")));
    EXPECT_FALSE(mFunctions::NodeExists(notes, QStringLiteral("note"), QStringLiteral("B")));
    EXPECT_TRUE(mFunctions::NodeExists(notes, QStringLiteral("note"), QStringLiteral("  "))) << "blank: any note";
    EXPECT_TRUE(
        mFunctions::NodeExists(QStringLiteral(".//zandor"), QStringLiteral("date"), QStringLiteral("05-07-2006")));
    // A task added to the second day goes under that day, not a new one.
    ASSERT_TRUE(mTasks::SaveTask(task("05-07-2006", "T"), true, QString()));
    EXPECT_EQ(data().count(QLatin1String("<date ")), 2);
}
