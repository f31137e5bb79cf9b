#include "WindowsFixture.h"

#include "platform/ui/MonthView.h"
#include "platform/ui/TextBox.h"
#include "windows/CommandDispatcher.h"
#include "windows/ListLoaders.h"
#include "windows/frmDisplay.h"
#include "windows/frmSideBar.h"
#include "windows/frmTasks.h"
#include "windows/frmToday.h"

using namespace fixture;
namespace Forms = platform::Forms;
using platform::MsgAnswer;

namespace {

QByteArray twoTasks() {
    return data(day(QStringLiteral("07-03-2025"), task(QStringLiteral("Buy milk"), "2", "0")) +
                day(QStringLiteral("10-03-2025"), task(QStringLiteral("Dentist"), "1", "0")));
}

void dispatch(const char* group, const char* item) {
    mFunctions::HandleOptionBarItems(QLatin1String(group), QLatin1String(item));
}

} // namespace

TEST_F(WindowsTest, EditAndRemoveActOnlyInTheirOwnView) {
    folder.writeData(twoTasks());
    openMain();
    const QByteArray before = folder.readData();
    r->answers = {MsgAnswer::Yes, MsgAnswer::Yes};
    for (const char* group : {"tasks", "mtg", "note", "pwd"})
        for (const char* item :
             {"tsk_edit", "tsk_del", "mtg_edit", "mtg_del", "note_edit", "note_del", "pwd_edit", "pwd_del"})
            dispatch(group, item);
    EXPECT_TRUE(r->boxes.empty());
    EXPECT_TRUE(r->modalWindows.empty());
    EXPECT_EQ(folder.readData(), before);

    // A group outside the five matches nothing.
    dispatch("calender", "sh_task");
    EXPECT_EQ(mFunctions::CurrentView(), mFunctions::ViewToday);
}

TEST_F(WindowsTest, EditOrRemoveWithoutASelectedRowShowsTheErrorBox) {
    folder.writeData(twoTasks());
    openMain();
    dispatch("special group", "sh_task");
    ASSERT_EQ(Forms::IfLoaded<frmDisplay>()->lstData->SelectedItem(), nullptr);

    dispatch("TASKS", "TSK_EDIT");
    ASSERT_EQ(r->boxes.size(), 1u);
    EXPECT_EQ(r->last().text, QStringLiteral("91 : \r\n\r\nObject variable or With block variable not set"));
    EXPECT_EQ(r->last().title, QStringLiteral("Error::HandleOptionBarItems)"));
    EXPECT_EQ(r->last().style, platform::MsgStyle::Information);
    EXPECT_TRUE(r->modalWindows.empty());

    // A remove asks first; No ends it, Yes reaches the missing row.
    r->clear();
    dispatch("tasks", "tsk_del");
    ASSERT_EQ(r->boxes.size(), 1u);
    EXPECT_EQ(r->last().title, QStringLiteral("Are you sure?"));
    r->clear();
    r->answers = {MsgAnswer::Yes};
    dispatch("tasks", "tsk_del");
    ASSERT_EQ(r->boxes.size(), 2u);
    EXPECT_EQ(r->last().title, QStringLiteral("Error::HandleOptionBarItems)"));
}

TEST_F(WindowsTest, RemoveInTheTasksViewDeletesTheSelectedRow) {
    folder.writeData(twoTasks());
    openMain();
    platform::ListView* list = showRecordList("sh_task");
    selectRow(list, 2);
    r->answers = {MsgAnswer::Yes};
    dispatch("tasks", "tsk_del");
    EXPECT_EQ(r->last().text, QStringLiteral("Are you sure you want to Remove selected Task?"));
    EXPECT_FALSE(folder.readData().contains("Dentist"));
    EXPECT_FALSE(folder.readData().contains("10-03-2025"));
    EXPECT_EQ(rows(Forms::IfLoaded<frmDisplay>()->lstData, 1), QStringList{"07-03-2025|Buy milk"});
    EXPECT_EQ(mFunctions::CurrentView(), mFunctions::ViewTasks);
}

TEST_F(WindowsTest, EditInTheTasksViewOpensTheEditorForTheSelectedRow) {
    folder.writeData(twoTasks());
    openMain();
    platform::ListView* list = showRecordList("sh_task");
    selectRow(list, 2);
    QString seen;
    r->onModal = [&](QObject* w) {
        auto* editor = qobject_cast<frmTasks*>(w);
        ASSERT_NE(editor, nullptr);
        seen = editor->windowTitle() + QLatin1Char('|') + editor->txtTitle->Text() + QLatin1Char('|') +
               editor->TaskDate + QLatin1Char('|') + QString::number(editor->ShowMode);
        editor->close();
    };
    Forms::IfLoaded<frmDisplay>()->lstData_DblClick();
    EXPECT_EQ(seen, QStringLiteral("Edit Task Details ...|Dentist|10-03-2025|1"));
    EXPECT_TRUE(r->boxes.empty()); // closed by its frame: no question
}

TEST_F(WindowsTest, ViewSwitchesReloadAndShowTodayAgain) {
    folder.writeData(twoTasks());
    frmMain& main = openMain();
    mFunctions::LoadTodaySchedule(QStringLiteral("10-03-2025"));
    frmToday* before = Forms::IfLoaded<frmToday>();

    dispatch("Special Group", "sh_today");
    frmToday* after = Forms::IfLoaded<frmToday>();
    ASSERT_NE(after, nullptr);
    EXPECT_NE(after, before);
    EXPECT_EQ(after->DisplayDate(), QStringLiteral("07-03-2025"));
    EXPECT_EQ(main.FrontChild(), after);

    // An unknown item still empties the main area.
    dispatch("special group", "sh_nothing");
    EXPECT_EQ(Forms::IfLoaded<frmToday>(), nullptr);
    EXPECT_EQ(Forms::IfLoaded<frmDisplay>(), nullptr);
    fixture::drain();
    EXPECT_EQ(main.FrontChild(), nullptr);

    // Add items work in every view.
    r->onModal = [](QObject* w) { qobject_cast<frmTasks*>(w)->close(); };
    dispatch("tasks", "tsk_add");
    EXPECT_EQ(r->modalWindows.size(), 1u);
}

TEST_F(WindowsTest, TodayOpenedOverTheRecordListIsInFrontAndIsTheView) {
    folder.writeData(twoTasks());
    frmMain& main = openMain();
    dispatch("special group", "sh_task");
    // An edit reloads the Today view even from the record list: it opens in
    // front, and the view follows.
    Forms::IfLoaded<frmSideBar>()->ucCalender->SetValue(QDate(2025, 3, 10));
    mFunctions::LoadTodaySchedule(QStringLiteral("10-03-2025"));
    EXPECT_EQ(main.FrontChild(), Forms::IfLoaded<frmToday>());
    EXPECT_EQ(mFunctions::CurrentView(), mFunctions::ViewToday);
    ASSERT_NE(Forms::IfLoaded<frmDisplay>(), nullptr);
    // The view's own load asks for today, which moves the calendar; the lists
    // show the day asked for.
    EXPECT_EQ(Forms::IfLoaded<frmToday>()->DisplayDate(), QStringLiteral("10-03-2025"));
    EXPECT_EQ(rows(Forms::IfLoaded<frmToday>()->lstTasksToday, 1), QStringList{"10-03-2025|Dentist"});
    EXPECT_EQ(Forms::IfLoaded<frmSideBar>()->ucCalender->Value(), today);
}
