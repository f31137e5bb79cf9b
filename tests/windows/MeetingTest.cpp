#include "WindowsFixture.h"

#include "EventLoop.h"
#include "FailingWriter.h"
#include "Keystrokes.h"
#include "RecordingSoundPlayer.h"
#include "controls/XPButton.h"
#include "data/clsTimer.h"
#include "data/mMeetings.h"
#include "data/mNotification.h"
#include "platform/Twips.h"
#include "platform/ui/DateTimePickers.h"
#include "platform/ui/MonthView.h"
#include "platform/ui/TextBox.h"
#include "windows/DayEditor.h"
#include "windows/LinkLabel.h"
#include "windows/frmAbout.h"
#include "windows/frmMeetings.h"
#include "windows/frmNotification.h"
#include "windows/frmSideBar.h"
#include "windows/frmSysTray.h"
#include "windows/frmToday.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTest>

using namespace fixture;
namespace Forms = platform::Forms;
using platform::MsgAnswer;

namespace {

const QString kToday = QStringLiteral("07-03-2025");

QStringList titles(const testsupport::MessageBoxResponder& r) {
    QStringList t;
    for (const auto& b : r.boxes)
        t << b.title;
    return t;
}

// The titles of a day's meetings in the data file, in order.
QString meetingsOf(const QString& stored, const QString& dayKey) {
    const int at = stored.indexOf(QStringLiteral("<date d=\"%1\">").arg(dayKey));
    if (at < 0)
        return QString();
    const QString dayXml = stored.mid(at, stored.indexOf(QLatin1String("</date>"), at) - at);
    QStringList out;
    for (int i = dayXml.indexOf(QLatin1String("<meeting title=\"")); i >= 0;
         i = dayXml.indexOf(QLatin1String("<meeting title=\""), i + 1)) {
        const int start = i + 16;
        out << dayXml.mid(start, dayXml.indexOf(QLatin1Char('"'), start) - start);
    }
    return out.join(QLatin1Char(','));
}

} // namespace

class MeetingTest : public WindowsTest {
protected:
    void SetUp() override {
        WindowsTest::SetUp();
        folder.writeData(data(
            day(kToday, QString(),
                meeting(QStringLiteral("Standup"), "2", "0", QStringLiteral("02:10:00 PM"),
                        QStringLiteral("02:20:00 PM")) +
                    meeting(QStringLiteral("Review"), "1", "3", QStringLiteral("04:00:00 PM"),
                            QStringLiteral("05:00:00 PM"))) +
            day(QStringLiteral("10-03-2025"), QString(),
                meeting(QStringLiteral("Taken"), "2", "1", QStringLiteral("9:00:00 AM"), QStringLiteral("14:30")))));
    }

    // Opens the editor through a dispatcher command and acts on it.
    void withEditor(const QString& item, std::function<void(frmMeetings&)> act) {
        r->onModal = [act](QObject* w) {
            if (auto* e = qobject_cast<frmMeetings*>(w))
                act(*e);
        };
        mFunctions::HandleOptionBarItems(QStringLiteral("mtg"), item);
    }
    // Reschedules a meeting from the Today view's pop-up menu.
    void reschedule(int row, std::function<void(frmMeetings&)> act) {
        frmToday& v = *Forms::IfLoaded<frmToday>();
        selectRow(v.lstMeetingsToday, row);
        r->onModal = [act](QObject* w) { act(*qobject_cast<frmMeetings*>(w)); };
        choosePopupEntry(QStringLiteral("pupMeetTodayEdit"));
        v.lstMeetingsToday_MouseDown(platform::ListView::vbRightButton, 0, 0, 0);
    }
    void closeEditor() {
        if (frmMeetings* e = Forms::IfLoaded<frmMeetings>())
            e->close();
    }

    testsupport::RecordingSoundPlayer sound;
    QStringList& played = sound.played;
};

TEST_F(MeetingTest, EditorChecksRunInOrderAndStopAtTheFirst) {
    openMain();
    struct Case {
        const char* what;
        int mode; // 0 add, else reschedule row 1 of today
        QString title;
        int dayOffset;
        QTime start, end;
        std::deque<MsgAnswer> answers;
        QStringList boxes;
        bool stays;
    };
    const QTime two(14, 0), later(14, 1);
    const Case cases[] = {
        {"blank title", 0, QStringLiteral("   "), -1, two, two, {}, {"Title?"}, true},
        {"past day, No", 0, QStringLiteral("A"), -1, two, later, {}, {"Continue with past date?"}, true},
        {"past day, Yes, then timing",
         0,
         QStringLiteral("A"),
         -1,
         later,
         two,
         {MsgAnswer::Yes},
         {"Continue with past date?", "Please check Meeting Timing ..."},
         true},
        {"end equals start", 0, QStringLiteral("A"), 0, two, two, {}, {"Please check Meeting Timing ..."}, true},
        {"duplicate on add", 0, QStringLiteral("Review"), 0, two, later, {}, {"Duplicate Title!"}, true},
        {"reschedule onto another's title", 1, QStringLiteral("Review"), 0, two, later, {}, {"Duplicate Title!"}, true},
        {"reschedule keeping its own title", 1, QStringLiteral("Standup"), 0, two, later, {}, {"Done!"}, false},
        {"same title, other day", 0, QStringLiteral("Review"), 3, two, later, {}, {"Done!"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        r->clear();
        r->answers = c.answers;
        const QByteArray before = folder.readData();
        auto act = [&](frmMeetings& e) {
            e.txtTitle->SetText(c.title);
            e.ucDTPicker->SetValue(today.addDays(c.dayOffset));
            e.ucStartTime->SetValue(c.start);
            e.ucEndTime->SetValue(c.end);
            e.btnSave_Click();
        };
        if (c.mode == 0)
            withEditor(QStringLiteral("mtg_add"), act);
        else
            reschedule(1, act);
        EXPECT_EQ(titles(*r), c.boxes);
        EXPECT_EQ(Forms::IfLoaded<frmMeetings>() != nullptr, c.stays);
        if (c.stays) {
            EXPECT_EQ(folder.readData(), before);
        }
        closeEditor();
    }
}

TEST_F(MeetingTest, NewMeetingOpensOnTheCalendarsDayAtTheCurrentTimeAndIsStored) {
    openMain();
    Forms::IfLoaded<frmSideBar>()->ucCalender->SetValue(QDate(2025, 3, 12));
    QString opened;
    withEditor(QStringLiteral("mtg_add"), [&](frmMeetings& e) {
        opened = QStringList{e.windowTitle(),
                             e.btnSave->Caption(),
                             e.ucDTPicker->Value().toString(Qt::ISODate),
                             e.ucStartTime->text(),
                             e.ucEndTime->ValueText(),
                             e.cmbMeetFor->currentText(),
                             e.cmbPriority->currentText()}
                     .join(QLatin1Char('|'));
        e.txtTitle->SetText(QStringLiteral("Plan <Q2>"));
        e.txtDesc->SetText(QStringLiteral("Budget\r\nand staff"));
        e.ucEndTime->SetValue(QTime(15, 30));
        e.btnSave_Click();
    });
    EXPECT_EQ(opened, QStringLiteral("Create New Meeting Schedule ...|&Save Schedule|2025-03-12|02:05:09 PM|02:05:09 "
                                     "PM|General Body Meeting|Normal"));
    EXPECT_EQ(r->last().text, QStringLiteral("New Meeting Schedule added Successfully!"));
    EXPECT_TRUE(savedData().contains(
        QStringLiteral("<meeting title=\"Plan &lt;Q2>\"><priority>2</priority><m_for>0</m_for><s_time>02:05:09 "
                       "PM</s_time><e_time>03:30:00 PM</e_time><desc>") +
        EncipherField(QStringLiteral("Budget\r\nand staff"))));
    EXPECT_EQ(rows(Forms::IfLoaded<frmToday>()->lstMeetingsToday, 4),
              QStringList{"12-03-2025|Plan <Q2>|General Body Meeting|02:05:09 PM|03:30:00 PM"});
}

TEST_F(MeetingTest, StoredTimesOfAnyFormLoadIntoThePickers) {
    openMain();
    QString shown;
    r->onModal = [&](QObject* w) {
        auto& e = *qobject_cast<frmMeetings*>(w);
        shown = e.ucStartTime->text() + QLatin1Char('|') + e.ucEndTime->text();
        e.close();
    };
    frmMeetings::EditMeeting(QStringLiteral("10-03-2025"), QStringLiteral("Taken"));
    EXPECT_EQ(shown, QStringLiteral("09:00:00 AM|02:30:00 PM"));

    const struct {
        const char* stored;
        const char* read;
    } texts[] = {{"9:00:00 AM", "09:00:00 AM"},
                 {"14:30", "02:30:00 PM"},
                 {"14:30:00", "02:30:00 PM"},
                 {"12:00:00 AM", "12:00:00 AM"},
                 {"07-03-2025 11:45:00 PM", "11:45:00 PM"}};
    for (const auto& t : texts) {
        platform::TimePicker picker;
        ASSERT_TRUE(picker.SetValueText(QLatin1String(t.stored))) << t.stored;
        EXPECT_EQ(picker.text(), QLatin1String(t.read)) << t.stored;
        EXPECT_EQ(picker.ValueText(), QLatin1String(t.read)) << t.stored;
    }
}

TEST_F(MeetingTest, TimesTypedIntoTheEditorAreSavedAsTheOrganiserWritesThemUnlessUnchanged) {
    const QByteArray before = folder.readData();
    // Saved by Enter, or by the Save button's access key while the time is
    // still being typed.
    for (Qt::KeyboardModifiers save : {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::AltModifier)}) {
        SCOPED_TRACE(save == Qt::AltModifier ? "Alt+S" : "Enter");
        folder.writeData(before);
        openMain();
        r->clear();
        r->onModal = [save](QObject* w) {
            auto& e = *qobject_cast<frmMeetings*>(w);
            e.show();
            testsupport::Focus(e.ucStartTime);
            e.ucStartTime->selectAll();
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("9:00 am"));
            testsupport::Strike(QApplication::focusWidget(), Qt::Key_Tab);
            ASSERT_EQ(QApplication::focusWidget(), e.ucEndTime);
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3:15:30 pm"));
            if (save == Qt::AltModifier)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
            else
                testsupport::Strike(QApplication::focusWidget(), Qt::Key_Return);
        };
        frmMeetings::EditMeeting(QStringLiteral("10-03-2025"), QStringLiteral("Taken"));
        EXPECT_EQ(titles(*r), QStringList{"Done!"});
        EXPECT_TRUE(savedData().contains(QStringLiteral("<s_time>9:00:00 AM</s_time><e_time>03:15:30 PM</e_time>")))
            << savedData().toStdString();
        mGeneralFunctions::UnloadAllForms();
        fixture::drain();
    }
}

TEST_F(MeetingTest, RescheduleToAnotherDayAddsThereFirstAndAFailedWriteKeepsTheDialog) {
    testsupport::FailingWriter disk;
    openMain();
    // The write of the new day fails: nothing moves, nothing is reported done.
    reschedule(1, [&disk](frmMeetings& e) {
        e.ucDTPicker->SetValue(QDate(2025, 3, 10));
        disk.failNext();
        e.btnSave_Click();
    });
    EXPECT_EQ(titles(*r), QStringList{"Data File could not be saved!"});
    frmMeetings* editor = Forms::IfLoaded<frmMeetings>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(meetingsOf(savedData(), kToday), QStringLiteral("Standup,Review"));

    r->clear();
    editor->btnSave_Click();
    EXPECT_EQ(titles(*r), QStringList{"Done!"});
    EXPECT_EQ(r->last().text, QStringLiteral("Meeting Schedule changed Successfully!"));
    EXPECT_EQ(meetingsOf(savedData(), kToday), QStringLiteral("Review"));
    EXPECT_EQ(meetingsOf(savedData(), QStringLiteral("10-03-2025")), QStringLiteral("Taken,Standup"));
    EXPECT_EQ(Forms::IfLoaded<frmToday>()->DisplayDate(), QStringLiteral("10-03-2025"));
    EXPECT_EQ(Forms::IfLoaded<frmSideBar>()->ucCalender->Value(), QDate(2025, 3, 10));
    // It left today, so today's alerts no longer hold it.
    EXPECT_EQ(mNotification::PendingAlerts().size(), 1);
    EXPECT_TRUE(mNotification::PendingAlerts().first().startsWith(QStringLiteral("Review###")));
}

TEST_F(MeetingTest, AMoveWhoseOldEntryIsAlreadyGoneIsDone) {
    openMain();
    reschedule(1, [this](frmMeetings& e) {
        e.ucDTPicker->SetValue(QDate(2025, 3, 10));
        mMeetings::DeleteMeeting(kToday, QStringLiteral("Standup"));
        r->clear();
        e.btnSave_Click();
    });
    EXPECT_EQ(titles(*r), QStringList{"Done!"});
    EXPECT_EQ(Forms::IfLoaded<frmMeetings>(), nullptr);
    EXPECT_EQ(meetingsOf(savedData(), kToday), QStringLiteral("Review"));
    EXPECT_EQ(meetingsOf(savedData(), QStringLiteral("10-03-2025")), QStringLiteral("Taken,Standup"));
}

namespace {

// A data file of "day/title" entries whose numbered writes can fail.
struct FakeEntry {
    QString Date;
    QString Title;
};
struct FakeFile {
    QStringList entries;
    QSet<int> failing;
    int writes = 0;
} g_file;

bool fakeWrite() {
    return !g_file.failing.contains(++g_file.writes);
}
bool fakeSave(const FakeEntry& e, bool, const QString&) {
    if (!fakeWrite())
        return false;
    g_file.entries << e.Date + QLatin1Char('/') + e.Title;
    return true;
}
bool fakeExists(const QString& day, const QString& title) {
    return g_file.entries.contains(day + QLatin1Char('/') + title);
}
bool fakeRemove(const QString& day, const QString& title) {
    if (!fakeExists(day, title) || !fakeWrite())
        return false;
    g_file.entries.removeOne(day + QLatin1Char('/') + title);
    return true;
}

} // namespace

TEST(DayEditorStore, AMoveEndsWithTheRecordOnOneDayOrSaysTheFileChanged) {
    struct Case {
        const char* name;
        QStringList before;
        QSet<int> failing;
        bool stored;
        bool changed;
        QStringList after;
    } cases[] = {
        {"moved", {"1/a"}, {}, true, true, {"2/a"}},
        {"old already gone", {}, {}, true, true, {"2/a"}},
        {"new day not written", {"1/a"}, {1}, false, false, {"1/a"}},
        {"old not removed: the new copy goes again", {"1/a"}, {2}, false, false, {"1/a"}},
        {"neither removed", {"1/a"}, {2, 3}, false, true, {"1/a", "2/a"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_file = FakeFile{c.before, c.failing, 0};
        bool changed = !c.changed;
        EXPECT_EQ(day_editor::Store(1, FakeEntry{QStringLiteral("2"), QStringLiteral("a")}, QStringLiteral("1"),
                                    QStringLiteral("a"), fakeSave, fakeRemove, fakeExists, changed),
                  c.stored);
        EXPECT_EQ(changed, c.changed);
        EXPECT_EQ(g_file.entries, c.after);
    }
}

TEST_F(MeetingTest, AddOpensTheEditorFromEveryViewAndEditOnlyInTheMeetingsList) {
    openMain();
    for (const char* view : {"sh_today", "sh_task", "sh_mtg", "sh_note", "sh_pwd"}) {
        SCOPED_TRACE(view);
        mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QLatin1String(view));
        r->modalWindows.clear();
        withEditor(QStringLiteral("mtg_add"), [](frmMeetings& e) { e.close(); });
        EXPECT_EQ(r->modalWindows.size(), 1u);
    }
    // The tray and the menu open the same editor.
    r->modalWindows.clear();
    UseForm<frmMain>().oSysTray_MenuClick(3, QStringLiteral("mtg_add"));
    UseForm<frmMain>().mnuMeetingsAdd_Click();
    EXPECT_EQ(r->modalWindows.size(), 2u);

    // The all-meetings list reschedules its selected row; the Today view
    // does not through the dispatcher.
    platform::ListView* list = showRecordList("sh_mtg");
    selectRow(list, 3);
    QString opened;
    withEditor(QStringLiteral("mtg_edit"), [&](frmMeetings& e) {
        opened = e.windowTitle() + QLatin1Char('|') + e.txtTitle->Text();
        e.close();
    });
    EXPECT_EQ(opened, QStringLiteral("Reschedule Meeting ...|Taken"));
    mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QStringLiteral("sh_today"));
    r->modalWindows.clear();
    withEditor(QStringLiteral("mtg_edit"), [](frmMeetings& e) { e.close(); });
    EXPECT_TRUE(r->modalWindows.empty());
}

TEST_F(MeetingTest, PopupChangesKindAndPriorityAndDeleteReArmsTodaysAlerts) {
    openMain();
    frmToday& v = *Forms::IfLoaded<frmToday>();
    struct Case {
        const char* entry;
        int index;
        const char* stored;
    };
    const Case cases[] = {
        {"pupMeetTodayChangeMForOpt", 4, "<priority>2</priority><m_for>4</m_for>"},
        {"pupMeetTodayChangePOpt", 0, "<priority>0</priority><m_for>4</m_for>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        selectRow(v.lstMeetingsToday, 1);
        choosePopupEntry(QLatin1String(c.entry), c.index);
        v.lstMeetingsToday_MouseDown(platform::ListView::vbRightButton, 0, 0, 0);
        EXPECT_TRUE(savedData().contains(QStringLiteral("<meeting title=\"Standup\">") + QLatin1String(c.stored)));
    }
    EXPECT_EQ(rows(v.lstMeetingsToday, 2).first(), QStringLiteral("07-03-2025|Standup|Project Planning"));
    // The pending alert shows the new kind.
    EXPECT_TRUE(mNotification::PendingAlerts().first().startsWith(QStringLiteral("Standup###Project Planning###")));

    // No to the removal still rebuilds today's alerts; Yes removes the
    // meeting from them.
    mNotification::PendingAlerts().clear();
    selectRow(v.lstMeetingsToday, 1);
    choosePopupEntry(QStringLiteral("pupMeetTodayDel"));
    v.lstMeetingsToday_MouseDown(platform::ListView::vbRightButton, 0, 0, 0);
    EXPECT_EQ(r->last().text, QStringLiteral("Are you sure you want to remove selected Meeting Schedule?"));
    EXPECT_EQ(mNotification::PendingAlerts().size(), 2);
    EXPECT_TRUE(UseForm<frmMain>().oTimer->Enabled());

    r->answers = {MsgAnswer::Yes};
    selectRow(v.lstMeetingsToday, 1);
    v.lstMeetingsToday_MouseDown(platform::ListView::vbRightButton, 0, 0, 0);
    EXPECT_EQ(meetingsOf(savedData(), kToday), QStringLiteral("Review"));
    ASSERT_EQ(mNotification::PendingAlerts().size(), 1);
    EXPECT_TRUE(mNotification::PendingAlerts().first().startsWith(QStringLiteral("Review###")));
}

// The alert check against a fixed clock, with the pop-up caught.
class AlertTest : public MeetingTest {
protected:
    void SetUp() override {
        MeetingTest::SetUp();
        mNotification::SetAlertWindow([this](const mNotification::AlertFields& a) { alerted << a.Title; });
    }
    void TearDown() override {
        mNotification::SetAlertWindow({});
        mNotification::SetAlertTimer(nullptr);
        MeetingTest::TearDown();
    }
    // Today's meetings as (title, start) pairs, scheduled at the clock's time.
    void schedule(const QList<QPair<QString, QString>>& meetings) {
        QString xml;
        for (const auto& m : meetings)
            xml += meeting(m.first, "2", "0", m.second, QStringLiteral("11:59:00 PM"));
        folder.writeData(data(day(kToday, QString(), xml)));
        mNotification::SetAlertTimer(&timer);
        mNotification::ScheduleTodayAlerts();
    }
    QStringList alerted;
    clsTimer timer;
};

TEST_F(AlertTest, OneTickAlertsTheFirstMeetingWithinTenMinutes) {
    // The clock stands at 02:05:09 PM.
    struct Case {
        const char* what;
        QList<QPair<QString, QString>> meetings;
        int advance; // seconds the clock moves between scheduling and the tick
        QStringList alerted;
        int left;
    };
    const Case cases[] = {
        {"600 s ahead", {{"A", "02:15:09 PM"}}, 0, {"A"}, 0},
        {"601 s ahead", {{"A", "02:15:10 PM"}}, 0, {}, 1},
        {"starts this second", {{"A", "14:05:09"}}, 0, {"A"}, 0},
        {"two begun, one in five minutes",
         {{"Gone1", "02:05:10 PM"}, {"Gone2", "02:06:00 PM"}, {"Soon", "02:11:30 PM"}},
         60,
         {"Soon"},
         0},
        {"two due at once: one per tick", {{"X", "02:10:00 PM"}, {"Y", "02:10:00 PM"}}, 0, {"X"}, 1},
        {"already begun when scheduled", {{"Past", "02:00:00 PM"}}, 0, {}, 0},
        {"a title holding ###", {{"Q1###Q2", "02:10:00 PM"}}, 0, {"Q1###Q2"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clock.set(QDateTime(today, QTime(14, 5, 9)));
        alerted.clear();
        schedule(c.meetings);
        clock.advanceSeconds(c.advance);
        mNotification::CheckMeetingAlerts();
        EXPECT_EQ(alerted, c.alerted);
        EXPECT_EQ(mNotification::PendingAlerts().size(), c.left);
        // The tick always leaves the timer running.
        EXPECT_TRUE(timer.Enabled());
    }
}

TEST_F(AlertTest, UnreadableEntriesAreDroppedAndANewDayRebuildsTheList) {
    schedule({{"Later", "11:00:00 PM"}});
    mNotification::PendingAlerts().prepend(QStringLiteral("Broken###General Body Meeting###soon###later"));
    mNotification::PendingAlerts().prepend(QStringLiteral("no separators at all"));
    mNotification::CheckMeetingAlerts();
    EXPECT_EQ(mNotification::PendingAlerts().size(), 1);
    EXPECT_TRUE(timer.Enabled());

    // Past midnight the list is built again from the new day's meetings.
    folder.writeData(data(
        day(kToday, QString()) +
        day(QStringLiteral("08-03-2025"), QString(),
            meeting(QStringLiteral("Early"), "2", "0", QStringLiteral("12:05:00 AM"), QStringLiteral("01:00:00 AM")))));
    clock.set(QDateTime(QDate(2025, 3, 8), QTime(0, 0, 30)));
    mNotification::CheckMeetingAlerts();
    EXPECT_EQ(alerted, QStringList{"Early"});
    EXPECT_TRUE(mNotification::PendingAlerts().isEmpty());

    const auto f = mNotification::SplitAlertEntry(QStringLiteral("a###b###c###General###1 PM###2 PM"));
    EXPECT_EQ(QStringList({f.Title, f.MeetFor, f.StartTime, f.EndTime}),
              QStringList({"a###b###c", "General", "1 PM", "2 PM"}));
}

TEST_F(AlertTest, AMeetingDeletedAndAddedAgainIsAlertedAgain) {
    openMain();
    mNotification::SetAlertWindow([this](const mNotification::AlertFields& a) { alerted << a.Title; });
    clock.set(QDateTime(today, QTime(14, 5, 9)));
    schedule({{"A", "02:10:00 PM"}, {"B", "02:10:00 PM"}});
    mNotification::CheckMeetingAlerts();
    mNotification::CheckMeetingAlerts();
    ASSERT_EQ(alerted, (QStringList{"A", "B"}));
    // A rebuild after a save does not alert them again; one deleted and added
    // again is a new meeting.
    mNotification::ScheduleTodayAlerts();
    EXPECT_TRUE(mNotification::PendingAlerts().isEmpty());
    ASSERT_TRUE(mMeetings::DeleteMeeting(kToday, QStringLiteral("A")));
    ASSERT_TRUE(mMeetings::SaveMeeting(
        {kToday, QStringLiteral("A"), QString(), QStringLiteral("02:10:00 PM"), QStringLiteral("11:59:00 PM"), 0, 2},
        true, QString()));
    mNotification::ScheduleTodayAlerts();
    mNotification::CheckMeetingAlerts();
    EXPECT_EQ(alerted, (QStringList{"A", "B", "A"}));
}

TEST_F(MeetingTest, PopUpGrowsFromTheWorkAreasCornerPlaysItsChimeAndOpensTheMeeting) {
    openMain();
    // A given work area: the window's right edge stands 75 twips in, its
    // bottom on the area's bottom.
    frmNotification* first =
        frmNotification::ShowAlert({QStringLiteral("Standup"), QStringLiteral("General Body Meeting"),
                                    QStringLiteral("02:10:00 PM"), QStringLiteral("02:20:00 PM"), kToday});
    EXPECT_EQ(first->windowTitle(), QStringLiteral("Meeting Schedule Alert for General Body Meeting"));
    EXPECT_EQ(first->HeightTwips(), 0);
    EXPECT_EQ(played, QStringList{folder.file(QStringLiteral("ntfy.wav"))});
    const mNotification::WorkArea area{0, 0, 1024, 768};
    first->PlaceNotifyWindow(area);
    EXPECT_EQ(first->geometry().right() + 1, 1024 - 5);

    // 100 twips a step until the designed height is reached or passed by up
    // to 99 twips.
    int steps = 0;
    while (first->tmrAnimate->isActive() && steps < 100) {
        first->tmrAnimate_Timer();
        ++steps;
    }
    EXPECT_EQ(steps, 22);
    EXPECT_EQ(first->HeightTwips(), 2100);
    EXPECT_GE(first->HeightTwips() - frmNotification::kDesignedHeight, 0);
    EXPECT_LE(first->HeightTwips() - frmNotification::kDesignedHeight, 99);
    first->PlaceNotifyWindow(area);
    EXPECT_EQ(first->geometry(), QRect(1024 - 5 - 320, 768 - 140, 320, 140));

    // A second alert while the first is up stands above it.
    frmNotification* second =
        frmNotification::ShowAlert({QStringLiteral("Review"), QStringLiteral("Technical Discussions"),
                                    QStringLiteral("x"), QStringLiteral("y"), kToday});
    EXPECT_LT(second->Area().Bottom, first->Area().Bottom - 140);
    EXPECT_EQ(frmNotification::OpenAlerts().size(), 2);

    // Without the sound file the alert is silent.
    QFile::remove(folder.file(QStringLiteral("ntfy.wav")));
    played.clear();
    frmNotification::ShowAlert({QStringLiteral("Z"), QString(), QString(), QString(), kToday});
    EXPECT_TRUE(played.isEmpty());

    // "Show Details" opens today's meeting of that title, the alert staying.
    QString opened;
    r->onModal = [&](QObject* w) {
        auto& e = *qobject_cast<frmMeetings*>(w);
        opened = QStringList{e.MeetingDate, e.MeetingTitle, QString::number(e.ShowMode), e.txtTitle->Text(),
                             e.ucStartTime->text()}
                     .join(QLatin1Char('|'));
        e.close();
    };
    first->lblShowDetails_Click();
    EXPECT_EQ(opened, QStringLiteral("07-03-2025|Standup|1|Standup|02:10:00 PM"));
    EXPECT_TRUE(first->isFormVisible());

    // However many are up, each stands whole inside the work area: a full
    // column starts another to its left.
    const mNotification::WorkArea full = mNotification::GetWorkArea();
    QSet<int32_t> columns;
    for (int i = 0; i < 30; ++i) {
        const mNotification::WorkArea a = frmNotification::ShowAlert({QString::number(i), {}, {}, {}, {}})->Area();
        SCOPED_TRACE(i);
        EXPECT_GE(a.Bottom - 140, full.Top);
        EXPECT_GE(a.Right - 5 - 320, full.Left);
        columns << a.Right;
    }
    EXPECT_GT(columns.size(), 1);
}

// Notes where each window stands when it is put above the others.
struct TopMostPlaces : testsupport::MessageBoxResponder {
    std::vector<QRect> places;
    void setTopMost(int32_t windowHandle, bool onTop) override {
        if (auto* w = qobject_cast<QWidget*>(platform::ObjectFromHandle(windowHandle)))
            places.push_back(w->geometry());
        MessageBoxResponder::setTopMost(windowHandle, onTop);
    }
};

TEST_F(MeetingTest, APopUpIsInItsCornerWithNoHeightWhenItIsPutOnTop) {
    openMain();
    auto watcher = std::make_shared<TopMostPlaces>();
    auto previous = platform::InstallUiHandler(watcher);
    frmNotification* alert = frmNotification::ShowAlert({QStringLiteral("Standup"), {}, {}, {}, {}});
    platform::InstallUiHandler(previous);
    ASSERT_EQ(watcher->places.size(), 1u);
    EXPECT_EQ(watcher->places[0].height(), 1);
    const mNotification::WorkArea area = alert->Area();
    EXPECT_EQ(watcher->places[0].right() + 1, area.Right - 5);
    EXPECT_EQ(watcher->places[0].top(), area.Bottom); // it grows upwards from there
}

TEST_F(MeetingTest, MainWindowArmsTheAlertsAndTheTickOpensThePopUp) {
    clock.set(QDateTime(today, QTime(14, 3, 0)));
    frmMain& main = openMain();
    EXPECT_TRUE(main.oTimer->Enabled());
    EXPECT_EQ(mNotification::PendingAlerts().size(), 2);
    main.oTimer_Timer();
    ASSERT_EQ(frmNotification::OpenAlerts().size(), 1);
    EXPECT_EQ(frmNotification::OpenAlerts().first()->lblTitle->text(), QStringLiteral("Standup"));
    EXPECT_EQ(mNotification::PendingAlerts().size(), 1);

    // Saving it again from "Show Details" does not alert it twice; moving
    // its start does.
    r->onModal = [](QObject* w) { qobject_cast<frmMeetings*>(w)->btnSave_Click(); };
    frmNotification::OpenAlerts().first()->lblShowDetails_Click();
    EXPECT_EQ(mNotification::PendingAlerts().size(), 1);
    r->onModal = [](QObject* w) {
        auto& e = *qobject_cast<frmMeetings*>(w);
        e.ucStartTime->SetValue(QTime(14, 11));
        e.btnSave_Click();
    };
    frmNotification::OpenAlerts().first()->lblShowDetails_Click();
    EXPECT_EQ(mNotification::PendingAlerts().size(), 2);
    // Its alert for the old time has closed.
    EXPECT_TRUE(frmNotification::OpenAlerts().isEmpty());
}

TEST_F(MeetingTest, ThePopUpsShowDetailsIsPressedByKeyOrScreenReaderAndEscapeClosesIt) {
    openMain();
    // No key: a screen reader's press.
    const struct {
        int key;
        bool opens;
    } ways[] = {{Qt::Key_Return, true}, {Qt::Key_Space, true}, {0, true}, {Qt::Key_Escape, false}};
    for (const auto& w : ways) {
        SCOPED_TRACE(QKeySequence(w.key).toString().toStdString());
        frmNotification* alert = frmNotification::ShowAlert({QStringLiteral("Standup"), {}, {}, {}, kToday});
        EXPECT_EQ(QAccessible::queryAccessibleInterface(alert)->role(), QAccessible::Window);
        // Turned to, the pop-up has its one stop take the focus.
        QApplication::setActiveWindow(alert);
        ASSERT_EQ(QApplication::focusWidget(), alert->lblShowDetails);
        const size_t opened = r->modalWindows.size();
        r->onModal = [](QObject* e) { qobject_cast<QWidget*>(e)->close(); };
        if (w.key) {
            testsupport::Strike(alert->lblShowDetails, Qt::Key(w.key));
        } else {
            QAccessibleInterface* link = QAccessible::queryAccessibleInterface(alert->lblShowDetails);
            EXPECT_EQ(link->role(), QAccessible::Link);
            EXPECT_EQ(link->text(QAccessible::Name), QStringLiteral("Show Details"));
            link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        }
        EXPECT_EQ(r->modalWindows.size() - opened, w.opens ? 1u : 0u);
        EXPECT_EQ(frmNotification::OpenAlerts().contains(alert), w.opens);
        alert->unloadForm();
        fixture::drain();
    }
}

TEST_F(MeetingTest, AnAlertClosesWhenItsMeetingIsMovedRenamedOrRemoved) {
    openMain();
    const QByteArray stored = folder.readData();
    const MeetingRecord standup{
        kToday, QStringLiteral("Standup"), QString(), QStringLiteral("02:10:00 PM"), QStringLiteral("02:20:00 PM"), 0,
        2};
    MeetingRecord startWrittenOtherwise = standup, laterEnd = standup, renamed = standup, laterStart = standup;
    startWrittenOtherwise.StartTime = QStringLiteral("14:10");
    laterEnd.EndTime = QStringLiteral("02:45:00 PM");
    renamed.Title = QStringLiteral("Daily");
    laterStart.StartTime = QStringLiteral("02:12:00 PM");
    using Change = std::function<void(frmNotification*)>;
    auto savedAs = [](const MeetingRecord& rec) -> Change {
        return [rec](frmNotification*) { ASSERT_TRUE(mMeetings::SaveMeeting(rec, false, QStringLiteral("Standup"))); };
    };
    auto removed = [](const char* title) -> Change {
        return [title](frmNotification*) { ASSERT_TRUE(mMeetings::DeleteMeeting(kToday, QLatin1String(title))); };
    };
    const struct {
        const char* what;
        Change change;
        bool stays;
    } cases[] = {
        {"saved as it was", savedAs(standup), true},
        {"its start written otherwise", savedAs(startWrittenOtherwise), true},
        {"a later end", savedAs(laterEnd), true},
        {"another meeting of the day removed", removed("Review"), true},
        {"renamed", savedAs(renamed), false},
        {"moved to a later start", savedAs(laterStart), false},
        {"removed", removed("Standup"), false},
        {"moved to another day from its own Show Details",
         [this](frmNotification* alert) {
             r->onModal = [](QObject* w) {
                 auto& e = *qobject_cast<frmMeetings*>(w);
                 e.ucDTPicker->SetValue(QDate(2025, 3, 10));
                 e.btnSave_Click();
             };
             alert->lblShowDetails_Click();
             r->onModal = nullptr;
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        folder.writeData(stored);
        frmNotification* alert = frmNotification::ShowAlert(
            {standup.Title, QStringLiteral("General Body Meeting"), standup.StartTime, standup.EndTime, kToday});
        c.change(alert);
        EXPECT_EQ(frmNotification::OpenAlerts().contains(alert), c.stays);
        EXPECT_EQ(alert->isFormVisible(), c.stays);
        // One that stays shows the stored end.
        if (c.stays) {
            EXPECT_EQ(alert->lblEndTime->text(), mMeetings::GetMeetingDetails(kToday, standup.Title).EndTime);
        }
        alert->unloadForm();
        fixture::drain();
    }
}

TEST_F(MeetingTest, ShowDetailsOpensTheMeetingOfTheAlertsDayOrSaysItIsGone) {
    const QByteArray stored = folder.readData();
    const QString gone = QStringLiteral("This meeting is no longer in the Data File.|Meeting not found|information");
    const struct {
        const char* what;
        QDateTime clickedAt;
        bool goneBehindItsBack; // as by a backup put back
        QString opened, box;
    } cases[] = {
        {"the same day", QDateTime(today, QTime(14, 6)), false, kToday + QStringLiteral("|Standup"), QString()},
        {"after midnight", QDateTime(today.addDays(1), QTime(0, 5)), false, kToday + QStringLiteral("|Standup"),
         QString()},
        {"its meeting gone", QDateTime(today, QTime(14, 6)), true, QString(), gone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        folder.writeData(stored);
        mNotification::ForgetAlerted(kToday, QStringLiteral("Standup")); // alerted anew each round
        clock.set(QDateTime(today, QTime(14, 3, 0)));
        openMain().oTimer_Timer();
        ASSERT_EQ(frmNotification::OpenAlerts().size(), 1);
        frmNotification* alert = frmNotification::OpenAlerts().first();
        if (c.goneBehindItsBack)
            folder.writeData(data(day(kToday, QString())));
        clock.set(c.clickedAt);
        QString opened;
        r->onModal = [&](QObject* w) {
            auto& e = *qobject_cast<frmMeetings*>(w);
            opened = e.MeetingDate + QLatin1Char('|') + e.txtTitle->Text();
            e.close();
        };
        r->clear();
        alert->lblShowDetails_Click();
        EXPECT_EQ(opened, c.opened);
        // The pop-up closes with the information message, and only then.
        EXPECT_EQ(alert->isFormVisible(), c.box.isEmpty());
        QStringList boxes;
        for (const auto& b : r->boxes)
            boxes << QStringList{b.text, b.title, b.style == platform::MsgStyle::Information ? "information" : "other"}
                         .join(QLatin1Char('|'));
        EXPECT_EQ(boxes.join(QLatin1Char(',')), c.box);
        mGeneralFunctions::UnloadAllForms();
        fixture::drain();
    }
}

TEST_F(MeetingTest, StackedAlertsStandFrameToFrame) {
    openMain();
    // Enough alerts to fill a column and start the next, each grown whole
    // before the next one opens, as they come a second apart.
    QList<frmNotification*> alerts;
    for (int i = 0; i < 6; ++i) {
        frmNotification* a = frmNotification::ShowAlert({QString::number(i), {}, {}, {}, kToday});
        while (a->tmrAnimate->isActive())
            a->tmrAnimate_Timer();
        alerts << a;
    }
    ASSERT_GT(alerts[0]->frameGeometry().height(), alerts[0]->height()); // the frame is known headless too
    EXPECT_EQ(alerts[1]->frameGeometry().bottom() + 1, alerts[0]->frameGeometry().top());
    for (int i = 0; i < alerts.size(); ++i)
        for (int j = 0; j < i; ++j)
            EXPECT_FALSE(alerts[i]->frameGeometry().intersects(alerts[j]->frameGeometry())) << i << " over " << j;
    EXPECT_NE(alerts.first()->Area().Right, alerts.last()->Area().Right);
}

TEST_F(MeetingTest, AboutBoxShowsTheVersion) {
    openMain();
    UseForm<frmMain>().mnuHelpAbout_Click();
    frmAbout* about = Forms::IfLoaded<frmAbout>();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About us"));
    EXPECT_EQ(about->lblAppTitle->text(), QStringLiteral(":: Veltrane ::"));
    EXPECT_EQ(about->lblVersion->text(), mGeneralFunctions::ApplicationBuild(true, true));
    EXPECT_TRUE(about->lblVersion->text().contains(QStringLiteral("; build: ")));
    about->btnOk_Click();
    EXPECT_EQ(Forms::IfLoaded<frmAbout>(), nullptr);
}

TEST_F(MeetingTest, BoldTimesShowWholeAndRowsStayOneLineHigh) {
    openMain();
    frmToday& v = *Forms::IfLoaded<frmToday>();
    v.resize(600, 500);
    QFont bold = v.lstMeetingsToday->font();
    bold.setBold(true);
    const int needed = QFontMetrics(bold).horizontalAdvance(QStringLiteral("11:45:00 PM"));
    for (int column : {4, 5})
        EXPECT_GT(platform::TwipsToPixelsX(v.lstMeetingsToday->ColumnHeaders().Item(column).Width()), needed + 6);

    platform::ListView* list = showRecordList("sh_task");
    list->ListItems().Clear();
    list->ListItems().Add(QStringLiteral("a\r\nb\nc"))->SetSubItems(1, QStringLiteral("x"));
    list->ListItems().Add(QStringLiteral("plain"));
    ASSERT_EQ(list->ListItems().Count(), 2);
    fixture::drain();
    const QModelIndex first = list->model()->index(0, 0);
    EXPECT_EQ(first.data().toString(), QStringLiteral("a b c"));
    EXPECT_EQ(list->ListItems().Item(1)->Text(), QStringLiteral("a\r\nb\nc"));
    EXPECT_EQ(list->visualRect(first).height(), list->visualRect(list->model()->index(1, 0)).height());
    EXPECT_LT(list->visualRect(first).height(), 2 * QFontMetrics(list->font()).lineSpacing());
}

TEST_F(MeetingTest, ASingleClickOnTheIconBringsTheHiddenWindowBack) {
    frmMain& main = openMain();
    main.setWindowState(Qt::WindowMinimized);
    ASSERT_NE(main.oSysTray, nullptr);
    ASSERT_FALSE(main.isVisible());
    emit main.oSysTray->SysTrayMouseDown(1);
    EXPECT_TRUE(testsupport::RunEventsUntil([&] { return main.isVisible(); }));

    // Where a double click comes, it alone acts: the window is not shown and
    // hidden again.
    main.oSysTray_MenuClick(0, QStringLiteral("show"));
    ASSERT_FALSE(main.isVisible());
    emit main.oSysTray->SysTrayMouseDown(1);
    emit main.oSysTray->SysTrayDoubleClick(1);
    EXPECT_TRUE(main.isVisible());
    // The single click's wait, had it not been stopped, would end first.
    testsupport::RunEventsPastTimer(QApplication::doubleClickInterval() + 100);
    EXPECT_TRUE(main.isVisible());
}

TEST_F(MeetingTest, TheTrayOpensNoEditorWhileARescheduleWaits) {
    frmMain& main = openMain();
    int runs = 0;
    int32_t modeSeen = -1;
    r->onModal = [&](QObject* w) {
        ++runs;
        auto* e = qobject_cast<frmMeetings*>(w);
        if (runs == 1 && e) {
            for (const char* key : {"tsk_add", "mtg_add", "note_add", "pwd_add", "mprt_note"})
                main.oSysTray_MenuClick(2, QLatin1String(key));
            // Nor is the waiting editor taken over from elsewhere.
            frmMeetings::AddMeeting();
            frmMeetings::EditMeeting(kToday, QStringLiteral("Standup"));
            modeSeen = e->ShowMode;
        }
        if (auto* f = qobject_cast<FormWidget*>(w))
            f->close();
    };
    frmMeetings::EditMeeting(QStringLiteral("10-03-2025"), QStringLiteral("Taken"));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(modeSeen, 1);
    EXPECT_EQ(Forms::IfLoaded<frmMeetings>(), nullptr);

    main.oSysTray_MenuClick(3, QStringLiteral("mtg_add"));
    EXPECT_EQ(runs, 2);
}
