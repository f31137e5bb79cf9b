#include "WindowsFixture.h"

#include "FailingWriter.h"
#include "platform/ui/DateTimePickers.h"
#include "platform/ui/MonthView.h"
#include "platform/ui/TextBox.h"
#include "windows/CommandDispatcher.h"
#include "windows/ListLoaders.h"
#include "windows/frmDisplay.h"
#include "windows/frmSideBar.h"
#include "windows/frmTasks.h"
#include "windows/frmToday.h"

#include "controls/XPButton.h"
#include <QComboBox>

using namespace fixture;
namespace Forms = platform::Forms;
using platform::MsgAnswer;

namespace {

// What one opening of the editor is given and does.
struct Fill {
    Fill(const QString& t, const QDate& d = QDate(), const QString& de = QString(), const QString& re = QString(),
         int p = -1, int s = -1)
        : title(t), day(d), desc(de), remarks(re), priority(p), status(s) {}
    QString title;
    QDate day;
    QString desc;
    QString remarks;
    int priority;
    int status;
};

void fill(frmTasks& e, const Fill& f) {
    e.txtTitle->SetText(f.title);
    if (f.day.isValid())
        e.ucDTPicker->SetValue(f.day);
    e.txtDesc->SetText(f.desc);
    e.txtRemarks->SetText(f.remarks);
    if (f.priority >= 0)
        e.cmbPriority->setCurrentIndex(f.priority);
    if (f.status >= 0)
        e.cmbStatus->setCurrentIndex(f.status);
}

} // namespace

class TaskEditorTest : public WindowsTest {
protected:
    // Opens "Add New Task" from the side bar, fills the editor and saves.
    void addTask(const Fill& f) {
        r->onModal = [f](QObject* w) {
            frmTasks& e = *qobject_cast<frmTasks*>(w);
            fill(e, f);
            e.btnSave_Click();
        };
        mFunctions::HandleOptionBarItems(QStringLiteral("tasks"), QStringLiteral("tsk_add"));
    }
    QStringList boxTitles() {
        QStringList t;
        for (const auto& b : r->boxes)
            t << b.title;
        return t;
    }
};

TEST_F(TaskEditorTest, NewTaskOpensOnTheCalendarsDayAndIsSavedAndShown) {
    openMain();
    frmSideBar& bar = *Forms::IfLoaded<frmSideBar>();
    bar.ucCalender->SetValue(QDate(2025, 3, 12));
    QString opened;
    r->onModal = [&](QObject* w) {
        frmTasks& e = *qobject_cast<frmTasks*>(w);
        opened = e.windowTitle() + QLatin1Char('|') + e.btnSave->Caption() + QLatin1Char('|') +
                 e.ucDTPicker->Value().toString(Qt::ISODate) + QLatin1Char('|') + e.cmbPriority->currentText() +
                 QLatin1Char('|') + e.cmbStatus->currentText() + QLatin1Char('|') + e.txtTitle->Text();
        fill(e, {QStringLiteral("Plan trip"), QDate(), QStringLiteral("Book the train\r\nand a hotel"),
                 QStringLiteral("   "), 0, -1});
        e.btnSave_Click();
    };
    mFunctions::HandleOptionBarItems(QStringLiteral("tasks"), QStringLiteral("tsk_add"));

    EXPECT_EQ(opened, QStringLiteral("Add New Task ...|&Save Task|2025-03-12|Normal|Not Started|"));
    ASSERT_EQ(r->boxes.size(), 1u);
    EXPECT_EQ(r->last().text, QStringLiteral("New Task added Successfully!"));
    EXPECT_EQ(r->last().title, QStringLiteral("Done!"));
    EXPECT_EQ(Forms::IfLoaded<frmTasks>(), nullptr);

    // The description is stored enciphered, blank remarks as typed.
    const QString stored = savedData();
    EXPECT_TRUE(stored.contains(QStringLiteral("<date d=\"12-03-2025\">")));
    EXPECT_TRUE(stored.contains(QStringLiteral("<desc>") +
                                EncipherField(QStringLiteral("Book the train\r\nand a hotel")) +
                                QStringLiteral("</desc>")));
    EXPECT_TRUE(stored.contains(QStringLiteral("<remarks>   </remarks>")));
    EXPECT_TRUE(stored.contains(QStringLiteral("<task title=\"Plan trip\"><priority>0</priority><status>0</status>")));

    // The Today view shows the task's day and the calendar follows.
    frmToday& todayView = *Forms::IfLoaded<frmToday>();
    EXPECT_EQ(todayView.DisplayDate(), QStringLiteral("12-03-2025"));
    EXPECT_EQ(rows(todayView.lstTasksToday, 3), QStringList{"12-03-2025|Plan trip|Urgent|Not Started"});
    EXPECT_EQ(bar.ucCalender->Value(), QDate(2025, 3, 12));
}

TEST_F(TaskEditorTest, ChecksRunInOrderAndStopAtTheFirst) {
    folder.writeData(data(day(QStringLiteral("06-03-2025"), task(QStringLiteral("Old"), "2", "0")) +
                          day(QStringLiteral("07-03-2025"), task(QStringLiteral("Taken"), "2", "0"))));
    openMain();
    const QByteArray before = folder.readData();

    // A title of blanks only.
    addTask({QStringLiteral("   "), today});
    ASSERT_EQ(r->boxes.size(), 1u);
    EXPECT_EQ(r->last().text, QStringLiteral("Please specify Title for the Task ..."));
    EXPECT_EQ(r->last().title, QStringLiteral("Title?"));
    ASSERT_NE(Forms::IfLoaded<frmTasks>(), nullptr);
    EXPECT_EQ(Forms::IfLoaded<frmTasks>()->txtTitle->Text(), QStringLiteral("   "));
    Forms::IfLoaded<frmTasks>()->close();

    // A past day asks; No leaves the dialog open and writes nothing. Today
    // is no past day.
    r->clear();
    addTask({QStringLiteral("Taken"), today.addDays(-1)});
    ASSERT_EQ(r->boxes.size(), 1u);
    EXPECT_EQ(r->last().title, QStringLiteral("Continue with past date?"));
    EXPECT_EQ(r->last().style, platform::MsgStyle::YesNoQuestion);
    EXPECT_NE(Forms::IfLoaded<frmTasks>(), nullptr);
    Forms::IfLoaded<frmTasks>()->close();
    EXPECT_EQ(folder.readData(), before);

    // A title the day already has.
    r->clear();
    addTask({QStringLiteral("Taken"), today});
    ASSERT_EQ(r->boxes.size(), 1u);
    EXPECT_EQ(r->last().text, QStringLiteral("Task with same title already exists in Information Database."));
    EXPECT_EQ(r->last().title, QStringLiteral("Duplicate Title!"));
    Forms::IfLoaded<frmTasks>()->close();
    EXPECT_EQ(folder.readData(), before);

    // Yes to the past day, then the duplicate check still runs.
    r->clear();
    r->answers = {MsgAnswer::Yes};
    addTask({QStringLiteral("Old"), today.addDays(-1)});
    EXPECT_EQ(boxTitles(), (QStringList{"Continue with past date?", "Duplicate Title!"}));
    Forms::IfLoaded<frmTasks>()->close();

    // The same title on another day, or in another letter case, is accepted.
    r->clear();
    addTask({QStringLiteral("Taken"), today.addDays(1)});
    addTask({QStringLiteral("taken"), today});
    EXPECT_EQ(boxTitles(), (QStringList{"Done!", "Done!"}));
}

TEST_F(TaskEditorTest, AddingFromTheAllTasksListReloadsItAndLeavesTheCalendar) {
    openMain();
    mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QStringLiteral("sh_task"));
    addTask({QStringLiteral("Later"), QDate(2025, 4, 1)});
    EXPECT_EQ(mFunctions::CurrentView(), mFunctions::ViewTasks);
    EXPECT_EQ(rows(Forms::IfLoaded<frmDisplay>()->lstData, 1), QStringList{"01-04-2025|Later"});
    EXPECT_EQ(Forms::IfLoaded<frmToday>(), nullptr);
    EXPECT_EQ(Forms::IfLoaded<frmSideBar>()->ucCalender->Value(), today);
}

class TaskEditTest : public TaskEditorTest {
protected:
    void SetUp() override {
        TaskEditorTest::SetUp();
        folder.writeData(
            data(day(QStringLiteral("07-03-2025"),
                     task(QStringLiteral("First"), "1", "2", QStringLiteral("Secret words"), QStringLiteral("  ")) +
                         task(QStringLiteral("Second"), "2", "0") + task(QStringLiteral("Third"), "3", "0")) +
                 day(QStringLiteral("09-03-2025"), task(QStringLiteral("Elsewhere"), "2", "0"))));
        openMain();
    }

    // Edits a task from the Today view's pop-up menu.
    void edit(int row, std::function<void(frmTasks&)> act) {
        frmToday& v = *Forms::IfLoaded<frmToday>();
        selectRow(v.lstTasksToday, row);
        r->onModal = [act](QObject* w) { act(*qobject_cast<frmTasks*>(w)); };
        choosePopupEntry(QStringLiteral("pupTaskTodayEdit"));
        v.lstTasksToday_MouseDown(platform::ListView::vbRightButton, 0, 0, 0);
    }

    QString tasksOf(const QString& dayKey) const {
        const QString s = savedData();
        const int at = s.indexOf(QStringLiteral("<date d=\"%1\">").arg(dayKey));
        if (at < 0)
            return QString();
        const QString dayXml = s.mid(at, s.indexOf(QLatin1String("</date>"), at) - at);
        QStringList titles;
        for (int i = dayXml.indexOf(QLatin1String("<task title=\"")); i >= 0;
             i = dayXml.indexOf(QLatin1String("<task title=\""), i + 1)) {
            const int start = i + 13;
            titles << dayXml.mid(start, dayXml.indexOf(QLatin1Char('"'), start) - start);
        }
        return titles.join(QLatin1Char(','));
    }
};

TEST_F(TaskEditTest, OpensWithTheStoredFieldsAndRewritesInPlace) {
    QString opened;
    edit(1, [&](frmTasks& e) {
        opened = e.windowTitle() + QLatin1Char('|') + e.btnSave->Caption() + QLatin1Char('|') + e.txtTitle->Text() +
                 QLatin1Char('|') + e.txtDesc->Text() + QLatin1Char('|') + e.txtRemarks->Text() + QLatin1Char('|') +
                 e.cmbPriority->currentText() + QLatin1Char('|') + e.cmbStatus->currentText() + QLatin1Char('|') +
                 e.ucDTPicker->Value().toString(Qt::ISODate);
        e.txtTitle->SetText(QStringLiteral("First, renamed"));
        e.cmbStatus->setCurrentIndex(4);
        e.btnSave_Click();
    });
    EXPECT_EQ(poppedUp, QStringList{"pupTaskToday"});
    EXPECT_EQ(opened,
              QStringLiteral("Edit Task Details ...|&Save Changes|First|Secret words|  |High|Waiting for someone "
                             "else|2025-03-07"));
    ASSERT_EQ(r->boxes.size(), 1u);
    EXPECT_EQ(r->last().text, QStringLiteral("Task Details changed Successfully!"));
    EXPECT_EQ(tasksOf(QStringLiteral("07-03-2025")), QStringLiteral("First, renamed,Second,Third"));
    EXPECT_EQ(rows(Forms::IfLoaded<frmToday>()->lstTasksToday, 3).first(),
              QStringLiteral("07-03-2025|First, renamed|High|Completed"));
    // Blank remarks stay as typed.
    EXPECT_TRUE(folder.readData().contains("<remarks>  </remarks>"));
}

TEST_F(TaskEditTest, EditRefusesATitleAnotherTaskOfTheDayHas) {
    edit(2, [](frmTasks& e) {
        e.txtTitle->SetText(QStringLiteral("Third"));
        e.btnSave_Click();
    });
    ASSERT_EQ(r->boxes.size(), 1u);
    EXPECT_EQ(r->last().title, QStringLiteral("Duplicate Title!"));
    ASSERT_NE(Forms::IfLoaded<frmTasks>(), nullptr);
    Forms::IfLoaded<frmTasks>()->close();
    EXPECT_EQ(tasksOf(QStringLiteral("07-03-2025")), QStringLiteral("First,Second,Third"));

    // Its own title is no duplicate, nor is a title of another day; a move
    // onto a day that has the title is refused too.
    r->clear();
    edit(2, [](frmTasks& e) { e.btnSave_Click(); });
    edit(2, [](frmTasks& e) {
        e.txtTitle->SetText(QStringLiteral("Elsewhere"));
        e.btnSave_Click();
    });
    EXPECT_EQ(boxTitles(), (QStringList{"Done!", "Done!"}));
    edit(2, [](frmTasks& e) {
        e.ucDTPicker->SetValue(QDate(2025, 3, 9));
        e.btnSave_Click();
    });
    EXPECT_EQ(r->last().title, QStringLiteral("Duplicate Title!"));
    EXPECT_EQ(tasksOf(QStringLiteral("09-03-2025")), QStringLiteral("Elsewhere"));
}

TEST_F(TaskEditTest, MovingToAnotherDayAddsThereAndRemovesHere) {
    edit(2, [](frmTasks& e) {
        e.ucDTPicker->SetValue(QDate(2025, 3, 20));
        e.btnSave_Click();
    });
    EXPECT_EQ(r->last().text, QStringLiteral("Task Details changed Successfully!"));
    EXPECT_EQ(tasksOf(QStringLiteral("07-03-2025")), QStringLiteral("First,Third"));
    EXPECT_EQ(tasksOf(QStringLiteral("20-03-2025")), QStringLiteral("Second"));
    EXPECT_EQ(Forms::IfLoaded<frmToday>()->DisplayDate(), QStringLiteral("20-03-2025"));
    EXPECT_EQ(Forms::IfLoaded<frmSideBar>()->ucCalender->Value(), QDate(2025, 3, 20));
}

TEST_F(TaskEditTest, AFailedWriteKeepsTheEditorOpenAndTheTaskWhereItWas) {
    testsupport::FailingWriter disk;
    // A move whose add cannot be written leaves the task at its old day.
    edit(2, [&disk](frmTasks& e) {
        e.ucDTPicker->SetValue(QDate(2025, 3, 20));
        e.txtDesc->SetText(QStringLiteral("typed"));
        disk.failNext();
        e.btnSave_Click();
    });
    EXPECT_EQ(boxTitles(), QStringList{"Data File could not be saved!"});
    frmTasks* editor = Forms::IfLoaded<frmTasks>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->txtDesc->Text(), QStringLiteral("typed"));
    EXPECT_EQ(editor->ucDTPicker->Value(), QDate(2025, 3, 20));
    EXPECT_EQ(tasksOf(QStringLiteral("07-03-2025")), QStringLiteral("First,Second,Third"));
    EXPECT_EQ(tasksOf(QStringLiteral("20-03-2025")), QString());

    // Saving again once the disk takes it goes through.
    r->clear();
    editor->btnSave_Click();
    EXPECT_EQ(boxTitles(), QStringList{"Done!"});
    EXPECT_EQ(tasksOf(QStringLiteral("20-03-2025")), QStringLiteral("Second"));

    // A new task that cannot be written is not reported as added.
    r->clear();
    r->onModal = [&disk](QObject* w) {
        frmTasks& e = *qobject_cast<frmTasks*>(w);
        e.txtTitle->SetText(QStringLiteral("Never written"));
        disk.failNext();
        e.btnSave_Click();
    };
    mFunctions::HandleOptionBarItems(QStringLiteral("tasks"), QStringLiteral("tsk_add"));
    EXPECT_EQ(boxTitles(), QStringList{"Data File could not be saved!"});
    EXPECT_NE(Forms::IfLoaded<frmTasks>(), nullptr);
    EXPECT_FALSE(folder.readData().contains("Never written"));
}

TEST_F(TaskEditTest, CancelAsksAndATaskThatIsGoneClosesTheEditor) {
    edit(1, [](frmTasks& e) {
        e.txtTitle->SetText(QStringLiteral("Changed"));
        e.btnCancel_Click();
    });
    EXPECT_EQ(r->last().text, QStringLiteral("This will close the Dialog and no information will be saved to "
                                             "Information Data File. Are you sure?"));
    ASSERT_NE(Forms::IfLoaded<frmTasks>(), nullptr);
    r->answers = {MsgAnswer::Yes};
    Forms::IfLoaded<frmTasks>()->btnCancel_Click();
    EXPECT_EQ(Forms::IfLoaded<frmTasks>(), nullptr);
    EXPECT_EQ(tasksOf(QStringLiteral("07-03-2025")), QStringLiteral("First,Second,Third"));

    r->clear();
    r->modalWindows.clear();
    frmTasks& e = platform::Forms::Get<frmTasks>();
    e.TaskDate = QStringLiteral("07-03-2025");
    e.TaskTitle = QStringLiteral("Nobody");
    e.ShowMode = 1;
    e.ShowModal();
    EXPECT_EQ(boxTitles(), QStringList{"Error in accessing information in Data File."});
    EXPECT_TRUE(r->modalWindows.empty());
    EXPECT_EQ(Forms::IfLoaded<frmTasks>(), nullptr);
}

TEST_F(TaskEditTest, PopupChangesStatusAndPriorityAndDeletes) {
    frmToday& v = *Forms::IfLoaded<frmToday>();
    frmMain& main = *Forms::IfLoaded<frmMain>();
    selectRow(v.lstTasksToday, 1);
    choosePopupEntry(QStringLiteral("pupTaskTodayChangeSOpt"), 4);
    v.lstTasksToday_MouseDown(platform::ListView::vbRightButton, 0, 0, 0);
    // The options matching the row were ticked before it popped up.
    EXPECT_TRUE(platform::MenuChecked(main.Entry(QStringLiteral("pupTaskTodayChangePOpt"), 1)));
    EXPECT_FALSE(platform::MenuChecked(main.Entry(QStringLiteral("pupTaskTodayChangePOpt"), 2)));
    EXPECT_TRUE(platform::MenuChecked(main.Entry(QStringLiteral("pupTaskTodayChangeSOpt"), 2)));
    EXPECT_TRUE(savedData().contains(QStringLiteral("<task title=\"First\"><priority>1</priority><status>4</status>")));
    EXPECT_EQ(rows(v.lstTasksToday, 3).first(), QStringLiteral("07-03-2025|First|High|Completed"));

    selectRow(v.lstTasksToday, 3);
    choosePopupEntry(QStringLiteral("pupTaskTodayChangePOpt"), 0);
    v.lstTasksToday_MouseDown(platform::ListView::vbRightButton, 0, 0, 0);
    EXPECT_TRUE(savedData().contains(QStringLiteral("<task title=\"Third\"><priority>0</priority>")));
    EXPECT_TRUE(v.lstTasksToday->ListItems().Item(3)->Bold());

    // A press with rows but none selected does nothing; a left press only ticks.
    poppedUp.clear();
    v.lstTasksToday->SetSelectedItem(nullptr);
    v.lstTasksToday_MouseDown(platform::ListView::vbRightButton, 0, 0, 0);
    EXPECT_TRUE(poppedUp.isEmpty());

    // Delete asks; Yes removes the task and reloads the day.
    selectRow(v.lstTasksToday, 2);
    r->answers = {MsgAnswer::Yes};
    choosePopupEntry(QStringLiteral("pupTaskTodayDel"));
    v.lstTasksToday_MouseDown(platform::ListView::vbRightButton, 0, 0, 0);
    EXPECT_EQ(r->last().text, QStringLiteral("Are you sure you want to Remove selected Task?"));
    EXPECT_EQ(tasksOf(QStringLiteral("07-03-2025")), QStringLiteral("First,Third"));
    EXPECT_EQ(v.lstTasksToday->ListItems().Count(), 2);
}

TEST_F(TaskEditTest, EmptyTaskListStillPopsUpTheMenuAndMeetingMenuHidesPriority) {
    frmMain& main = *Forms::IfLoaded<frmMain>();
    mFunctions::LoadTodaySchedule(QStringLiteral("01-01-2030"));
    frmToday& v = *Forms::IfLoaded<frmToday>();
    popups.answerWith([this](QMenu* menu, const QPoint&) { poppedUp << menu->objectName(); });
    v.lstTasksToday_MouseDown(platform::ListView::vbRightButton, 0, 0, 0);
    v.lstMeetingsToday_MouseDown(platform::ListView::vbRightButton, 0, 0, 0);
    EXPECT_EQ(poppedUp, (QStringList{"pupTaskToday", "pupMeetToday"}));
    EXPECT_FALSE(main.Entry(QStringLiteral("pupMeetTodayChnageP"))->isVisible());
    EXPECT_FALSE(main.Entry(QStringLiteral("pupMeetTodayLine2"))->isVisible());
    mFunctions::SetCurrentView(mFunctions::ViewMeetings);
    v.lstMeetingsToday_MouseDown(platform::ListView::vbLeftButton, 0, 0, 0);
    EXPECT_TRUE(main.Entry(QStringLiteral("pupMeetTodayChnageP"))->isVisible());
}

TEST_F(TaskEditTest, TasksMenuActsOnTheSelectedTaskOfTheView) {
    frmMain& main = *Forms::IfLoaded<frmMain>();
    frmToday& v = *Forms::IfLoaded<frmToday>();
    selectRow(v.lstTasksToday, 3);
    r->answers = {MsgAnswer::Yes};
    main.mnuTasksDel_Click();
    EXPECT_EQ(tasksOf(QStringLiteral("07-03-2025")), QStringLiteral("First,Second"));

    // Double-clicking a Today row opens it in the editor.
    QString opened;
    r->onModal = [&](QObject* w) {
        opened = qobject_cast<frmTasks*>(w)->txtTitle->Text();
        qobject_cast<frmTasks*>(w)->close();
    };
    selectRow(v.lstTasksToday, 2);
    v.lstTasksToday_DblClick();
    EXPECT_EQ(opened, QStringLiteral("Second"));

    // Show All Tasks, then the menu's edit goes through the dispatcher.
    main.mnuTasksShowAll_Click();
    EXPECT_EQ(mFunctions::CurrentView(), mFunctions::ViewTasks);
    r->clear();
    main.mnuTasksEdit_Click();
    EXPECT_EQ(r->last().title, QStringLiteral("Error::HandleOptionBarItems)"));
}
