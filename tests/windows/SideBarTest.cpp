#include "WindowsFixture.h"
// The side bar's pane is read as the tests of the bar itself read it.
#include "../controls/ExplorerBarFixture.h"

#include "controls/ABar.h"
#include "platform/ImageList.h"
#include "platform/Twips.h"
#include "platform/ui/MonthView.h"
#include "windows/frmDisplay.h"
#include "windows/frmSideBar.h"
#include "windows/frmTasks.h"
#include "windows/frmToday.h"

#include "platform/ui/DateTimePickers.h"

using namespace fixture;
namespace Forms = platform::Forms;

namespace {

QStringList itemsOf(const ExplorerGroup& g) {
    QStringList out;
    for (int i = 1; i <= g.ItemCount; ++i)
        out << g.Items[size_t(i)].Key + QLatin1Char('=') + g.Items[size_t(i)].Caption + QLatin1Char('@') +
                   QString::number(g.Items[size_t(i)].Icon);
    return out;
}

} // namespace

TEST_F(WindowsTest, SideBarBuildsTheCommandPane) {
    openMain();
    frmSideBar& bar = *Forms::IfLoaded<frmSideBar>();
    ExplorerBar& pane = *bar.ucOptionBar;
    using P = ExplorerBarProbe;
    ASSERT_EQ(P::groupCount(pane), 5);
    QStringList groups;
    for (int g = 1; g <= 5; ++g)
        groups << P::group(pane, g).Key + QLatin1Char('=') + P::group(pane, g).Caption +
                      (P::group(pane, g).Expanded ? QStringLiteral("+") : QStringLiteral("-"));
    EXPECT_EQ(groups,
              (QStringList{"calender=Calender+", "tasks=Tasks-", "mtg=Meetings-", "note=Notes-", "pwd=Passwords-"}));
    EXPECT_EQ(P::group(pane, 1).Child, bar.picContainer);
    EXPECT_EQ(P::group(pane, 1).ItemCount, 0);
    ASSERT_TRUE(P::showSpecial(pane));
    EXPECT_EQ(P::group(pane, -1).Caption, QStringLiteral("Information Display"));
    EXPECT_TRUE(P::group(pane, -1).Expanded);
    EXPECT_EQ(itemsOf(P::group(pane, -1)),
              (QStringList{"sh_today=Show Today's Schedules@12", "sh_task=Show All Tasks@13",
                           "sh_mtg=Show All Meeting Schedules@14", "sh_note=Show All Notes@15",
                           "sh_pwd=Show All Passwords@16"}));
    EXPECT_EQ(itemsOf(P::group(pane, 2)),
              (QStringList{"tsk_add=Add New Task@1", "tsk_edit=Edit selected Task Details@2",
                           "tsk_del=Remove selected Task@3"}));
    EXPECT_EQ(itemsOf(P::group(pane, 3)),
              (QStringList{"mtg_add=Add New Meeting Schedule@5", "mtg_edit=Reschedule selected Meeting@6",
                           "mtg_del=Remove selected Meeting@4"}));
    EXPECT_EQ(itemsOf(P::group(pane, 4)), (QStringList{"note_add=Create New Note@7", "note_edit=Edit selected Note@8",
                                                       "note_del=Remove selected Note@4"}));
    EXPECT_EQ(itemsOf(P::group(pane, 5)),
              (QStringList{"pwd_add=Add New Password@9", "pwd_edit=Edit Selected Password Details@10",
                           "pwd_del=Remove Selected Password@4"}));
    EXPECT_EQ(P::group(pane, 2).Items[1].GroupKey, QStringLiteral("tasks"));
    EXPECT_EQ(P::group(pane, -1).Items[1].GroupKey, QStringLiteral("Special Group"));
    EXPECT_TRUE(P::updatesEnabled(pane));
    EXPECT_EQ(bar.imgSideBar->Count(), 16);
    EXPECT_FALSE(bar.imgSideBar->ListImages(11).Picture.isNull());
    EXPECT_EQ(pane.width(), platform::TwipsToPixelsX(3500));
    EXPECT_EQ(pane.height(), bar.height());
}

TEST_F(WindowsTest, SideBarItemsReachTheDispatcher) {
    folder.writeData(data(day(QStringLiteral("07-03-2025"), task(QStringLiteral("Buy milk"), "2", "0"))));
    frmMain& main = openMain();
    frmSideBar& bar = *Forms::IfLoaded<frmSideBar>();
    bar.ucCalender->SetValue(QDate(2025, 3, 9));

    // "Add New Task" opens the editor on the calendar's day.
    QDate opened;
    r->onModal = [&](QObject* w) {
        frmTasks& e = *qobject_cast<frmTasks*>(w);
        opened = e.ucDTPicker->Value();
        e.close();
    };
    emit bar.ucOptionBar->ItemClick(QStringLiteral("tasks"), QStringLiteral("tsk_add"));
    EXPECT_EQ(opened, QDate(2025, 3, 9));

    emit bar.ucOptionBar->ItemClick(QStringLiteral("Special Group"), QStringLiteral("sh_task"));
    EXPECT_EQ(mFunctions::CurrentView(), mFunctions::ViewTasks);
    EXPECT_EQ(main.FrontChild(), Forms::IfLoaded<frmDisplay>());
    EXPECT_EQ(rows(Forms::IfLoaded<frmDisplay>()->lstData, 1), QStringList{"07-03-2025|Buy milk"});

    // Edit in the Today view does nothing at all.
    emit bar.ucOptionBar->ItemClick(QStringLiteral("Special Group"), QStringLiteral("sh_today"));
    r->modalWindows.clear();
    emit bar.ucOptionBar->ItemClick(QStringLiteral("tasks"), QStringLiteral("tsk_edit"));
    EXPECT_TRUE(r->modalWindows.empty());
    EXPECT_TRUE(r->boxes.empty());
}
