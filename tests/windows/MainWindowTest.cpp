#include "WindowsFixture.h"

#include "EventLoop.h"

#include "platform/IconHandles.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "platform/Twips.h"
#include "platform/ui/MonthView.h"
#include "platform/ui/StatusBar.h"
#include "windows/frmAppPassword.h"
#include "windows/frmNotes.h"
#include "windows/frmPassword.h"
#include "windows/frmSideBar.h"
#include "windows/frmSysTray.h"
#include "windows/frmTasks.h"
#include "windows/frmToday.h"

#include <QApplication>
#include <QDockWidget>
#include <QFile>
#include <QMenuBar>
#include <QMessageBox>

using namespace fixture;
namespace Forms = platform::Forms;
using platform::MsgAnswer;

namespace {

QStringList captionsOf(const QMenu* menu) {
    QStringList out;
    for (const QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text()) +
                   (a->isVisible() ? QString() : QStringLiteral("#"));
    return out;
}

int callsOf(uint32_t message) {
    int n = 0;
    for (const auto& c : platform::NotifyIconCalls())
        n += c.message == message ? 1 : 0;
    return n;
}

} // namespace

TEST_F(WindowsTest, MainWindowLoadsCaptionDockedSideBarAndTodayView) {
    frmMain& main = openMain();
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Veltrane (version: 1.0; build: 0)"));
    frmSideBar* bar = Forms::IfLoaded<frmSideBar>();
    ASSERT_NE(bar, nullptr);
    QDockWidget* dock = main.ucFormDock->dockOf(QStringLiteral("frmSideBar"));
    ASSERT_NE(dock, nullptr);
    EXPECT_EQ(dock->widget(), bar);
    EXPECT_EQ(main.dockWidgetArea(dock), Qt::LeftDockWidgetArea);
    EXPECT_EQ(dock->width(), platform::TwipsToPixelsX(3680));
    EXPECT_EQ(dock->features(), QDockWidget::NoDockWidgetFeatures);
    EXPECT_EQ(bar->windowTitle(), QStringLiteral("Options"));
    EXPECT_EQ(bar->ucCalender->Value(), today);
    EXPECT_NE(Forms::IfLoaded<frmToday>(), nullptr);
    EXPECT_EQ(main.ucStatusBar->PanelCount(), 1);

    // Hiding the side bar puts it back in its place.
    dock->hide();
    fixture::drain();
    EXPECT_TRUE(dock->isVisible());
}

TEST_F(WindowsTest, MenusAndPopupMenusExistWhole) {
    frmMain& main = openMain();
    QStringList bar;
    for (QAction* a : main.menuBar()->actions())
        bar << a->text();
    EXPECT_EQ(bar, (QStringList{"&File", "&Tasks", "&Meetings", "&Notes", "&Password", "&Options", "&Help"}));
    auto menu = [&](const char* name) { return platform::FindMenuEntry(&main, QLatin1String(name))->menu(); };
    EXPECT_EQ(captionsOf(menu("mnuFile")),
              (QStringList{"Export Today's &Tasks to File", "Export Today's &Meetings to File", "-",
                           "&Backup Information Data File", "-", "&Close"}));
    EXPECT_EQ(captionsOf(menu("mnuFileBackup")), (QStringList{"Create Backup", "Restore from Backup"}));
    EXPECT_EQ(captionsOf(menu("mnuTasks")),
              (QStringList{"&Add New Task", "&Edit selected Task Details", "&Remove selected Task", "-#",
                           "&Show Today's Tasks#", "Show Today's && &Future Tasks#", "-", "&Show All Tasks"}));
    EXPECT_EQ(captionsOf(menu("mnuMeetings")),
              (QStringList{"&Add New Meeting Schedule", "Re&schedule selected Meeting",
                           "Remove selected Meeting Schedule", "-#", "Show Today's Meetings#",
                           "Show Today's and Future Meetings#", "-", "Show All Meeting Schedules"}));
    EXPECT_EQ(
        captionsOf(main.mnuPassword),
        (QStringList{"&Add New Password", "&Edit selected Password Details", "&Remove selected Password", "-",
                     "&Copy User Name", "&Copy Password", "-", "&Open Password URL", "-", "&Show Password Strings"}));
    EXPECT_EQ(captionsOf(menu("mnuOptions")),
              (QStringList{"&Change Application Password", "-", "&Enable Application Password",
                           "&Start on Windows Startup"}));
    EXPECT_EQ(captionsOf(menu("mnuHelp")),
              (QStringList{"Help &File", "-", "&Contact Us", "Visit &Website", "-", "&About"}));
    EXPECT_EQ(captionsOf(main.pupTaskToday),
              (QStringList{"Add New Task", "Edit Task Details", "Delete Task Details", "-", "Change Status#",
                           "Not Started", "In Progress", "Waiting for someone else", "Waiting for Decision",
                           "Completed", "Deferred", "-", "Change Priority"}));
    EXPECT_EQ(captionsOf(menu("pupTaskTodayChangeP")), (QStringList{"Urgent", "High", "Normal", "Low"}));
    EXPECT_EQ(captionsOf(main.pupMeetToday),
              (QStringList{"Add New Schedule", "Edit Schedule", "Remove Schedule", "-", "General Body Meeting",
                           "General Client Meeting", "Business Discussions", "Technical Discussions",
                           "Project Planning", "Resource Planning", "-#", "Change Priority#"}));
    EXPECT_EQ(platform::MenuEntryIndex(main.Entry(QStringLiteral("pupTaskTodayChangeSOpt"), 5)), 5);
    EXPECT_EQ(main.Entry(QStringLiteral("pupTaskTodayChangeSOpt"), 5)->text(), QStringLiteral("Deferred"));
    // No entry has a shortcut key.
    for (QMenu* m : main.findChildren<QMenu*>()) {
        if (!m->objectName().startsWith(QLatin1String("mnu")) && !m->objectName().startsWith(QLatin1String("pup")))
            continue;
        for (QAction* a : m->actions())
            EXPECT_TRUE(a->shortcut().isEmpty()) << a->objectName().toStdString();
    }
}

TEST_F(WindowsTest, CloseAsksFirst) {
    frmMain& main = openMain();
    main.mnuFileClose_Click();
    EXPECT_EQ(r->last().text, QStringLiteral("This will Close the Application. Are you sure?"));
    EXPECT_EQ(r->last().title, QStringLiteral("Close Application Now?"));
    EXPECT_NE(Forms::IfLoaded<frmMain>(), nullptr);
    r->answers = {MsgAnswer::Yes};
    EXPECT_THROW(main.mnuFileClose_Click(), platform::ProcessEnded);
    EXPECT_TRUE(Forms::Loaded().empty());
}

TEST_F(WindowsTest, ClosingTheMainWindowUnloadsEveryWindow) {
    frmMain& main = openMain();
    main.close();
    EXPECT_TRUE(Forms::Loaded().empty());
}

TEST_F(WindowsTest, ASecondCopyEndsSilentlyWhenItsMainWindowLoads) {
    platform::SingleInstanceLock other(platform::AppPath());
    ASSERT_TRUE(other.tryLock());
    EXPECT_THROW(platform::Forms::Get<frmMain>().Show(), platform::ProcessEnded);
    EXPECT_TRUE(r->boxes.empty());
}

class TrayTest : public WindowsTest {
protected:
    void minimise(frmMain& main) {
        main.setWindowState(Qt::WindowMinimized);
        fixture::drain();
    }
    // The notification area reports a click on the program's icon.
    void trayActivated(frmMain& main, QSystemTrayIcon::ActivationReason reason) {
        platform::NotifyIconActivated(platform::HandleOf(main.oSysTray), main.oSysTray->iconId(), reason);
        fixture::drain();
    }
};

TEST_F(TrayTest, MinimisingPutsTheProgramInTheTrayOnce) {
    frmMain& main = openMain();
    platform::ClearNotifyIconCalls();
    minimise(main);
    ASSERT_NE(main.oSysTray, nullptr);
    EXPECT_FALSE(main.isVisible());
    frmSysTray& tray = *main.oSysTray;
    QStringList items;
    for (QAction* a : tray.mnuSysTray)
        items << frmSysTray::ItemCaption(a) + QLatin1Char('=') + a->data().toString();
    EXPECT_EQ(items, (QStringList{"Show=show", "-=line1", "Add New Task=tsk_add", "Add New Meeting Schedule=mtg_add",
                                  "Add New Note=note_add", "Add New Password=pwd_add", "-=line2",
                                  "Import File as Note=mprt_note", "-=line3", "Close Application=close"}));
    EXPECT_EQ(tray.mnuPopup->defaultAction(), tray.mnuSysTray.first());
    auto icon = platform::FindNotifyIcon(platform::HandleOf(&tray), tray.iconId());
    ASSERT_TRUE(icon.has_value());
    EXPECT_EQ(icon->tip, QStringLiteral("Veltrane 1.0.0"));
    EXPECT_EQ(icon->balloonTitle, QStringLiteral("Veltrane 1.0.0"));
    EXPECT_EQ(icon->balloonText, QStringLiteral("Application is minized here. Double-click this Icon to restore "
                                                "Application Window or Right-click to see different Options."));
    EXPECT_EQ(icon->balloonIcon, platform::NIIF_INFO);
    EXPECT_EQ(icon->balloonTimeout, 3000u);
    EXPECT_EQ(icon->icon, platform::IconHandleOf(main.windowIcon()));
    EXPECT_EQ(callsOf(platform::NIM_ADD), 1);

    // Shown and minimised again: no second icon, no second balloon, and the
    // tray item is left as it was.
    main.showNormal();
    fixture::drain();
    const int modifies = callsOf(platform::NIM_MODIFY);
    minimise(main);
    EXPECT_EQ(callsOf(platform::NIM_ADD), 1);
    EXPECT_EQ(callsOf(platform::NIM_MODIFY), modifies);
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(tray.mnuSysTray.first()->text(), QStringLiteral("Show"));
}

TEST_F(TrayTest, ShowAndHideAlternateFromTheTray) {
    frmMain& main = openMain();
    minimise(main);
    // A double click with either button shows the window maximised.
    trayActivated(main, QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(main.isMaximized());
    EXPECT_EQ(main.oSysTray->mnuSysTray.first()->text(), QStringLiteral("Hide"));

    // Minimised from the window, it hides and the item reads "Show" again;
    // choosing it brings the window back, and again hides it.
    minimise(main);
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(main.oSysTray->mnuSysTray.first()->text(), QStringLiteral("Show"));
    main.oSysTray_MenuClick(0, QStringLiteral("show"));
    EXPECT_TRUE(main.isVisible());
    main.oSysTray_MenuClick(0, QStringLiteral("show"));
    EXPECT_FALSE(main.isVisible());

    // A right click opens the tray menu; a left click does not.
    popups.answerWith([this](QMenu* menu, const QPoint&) { poppedUp << menu->objectName(); });
    trayActivated(main, QSystemTrayIcon::Trigger);
    EXPECT_TRUE(poppedUp.isEmpty());
    trayActivated(main, QSystemTrayIcon::Context);
    EXPECT_EQ(poppedUp, QStringList{"mnuPopup"});

    // The tray's add-task item opens an empty editor in add mode; close asks.
    r->onModal = [](QObject* w) { qobject_cast<frmTasks*>(w)->close(); };
    choosePopupEntry(QStringLiteral("mnuSysTray"), 2);
    trayActivated(main, QSystemTrayIcon::Context);
    ASSERT_EQ(r->modalWindows.size(), 1u);
    choosePopupEntry(QStringLiteral("mnuSysTray"), 9);
    trayActivated(main, QSystemTrayIcon::Context);
    EXPECT_EQ(r->last().title, QStringLiteral("Close Application Now?"));
    // The separators do nothing.
    main.oSysTray_MenuClick(1, QStringLiteral("line1"));
    EXPECT_FALSE(main.isVisible());
}

TEST_F(TrayTest, WhileAWindowAwaitsAnAnswerTheTraysEditorEntriesBringItToTheFront) {
    // The waiting window is on the screen but not the active one, as after
    // the person went to another program.
    QWidget elsewhere;
    elsewhere.show();
    const auto showInactive = [&elsewhere](QWidget* w) {
        w->show();
        elsewhere.activateWindow();
        ASSERT_TRUE(testsupport::RunEventsUntil([w] { return QApplication::activeWindow() != w; }));
    };
    frmMain& main = openMain();
    minimise(main);
    const size_t modalRuns = r->modalWindows.size();
    const auto eachEntryRaises = [&](QWidget* waiting) {
        for (const char* key : {"tsk_add", "mtg_add", "note_add", "pwd_add", "mprt_note"}) {
            SCOPED_TRACE(key);
            showInactive(waiting);
            main.oSysTray_MenuClick(2, QLatin1String(key));
            EXPECT_TRUE(
                testsupport::RunEventsUntil([waiting] { return QApplication::activeWindow() == waiting; }, 2000))
                << "the waiting window comes to the front";
            EXPECT_EQ(r->modalWindows.size(), modalRuns + (qobject_cast<FormWidget*>(waiting) ? 1 : 0));
            EXPECT_TRUE(r->boxes.empty());
        }
    };

    {
        SCOPED_TRACE("a message box");
        QMessageBox box(QMessageBox::Information, QStringLiteral("Waiting"), QStringLiteral("An answer is awaited."));
        box.setWindowModality(Qt::ApplicationModal);
        eachEntryRaises(&box);
    }
    {
        SCOPED_TRACE("a dialog in its modal run");
        r->onModal = [&](QObject* w) {
            eachEntryRaises(qobject_cast<QWidget*>(w));
            qobject_cast<FormWidget*>(w)->close();
        };
        main.mnuOptionsChangePass_Click();
        EXPECT_EQ(r->modalWindows.size(), modalRuns + 1);
    }
}

TEST_F(TrayTest, StartedWithTheSwitchTheWindowIsNeverShown) {
    frmMain& main = startMain(QStringLiteral("/s"));
    EXPECT_FALSE(main.isVisible());
    ASSERT_NE(main.oSysTray, nullptr);
    EXPECT_TRUE(platform::FindNotifyIcon(platform::HandleOf(main.oSysTray), main.oSysTray->iconId())
                    ->balloonText.startsWith(QStringLiteral("Application is minized here.")));
    trayActivated(main, QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(main.oSysTray->mnuSysTray.first()->text(), QStringLiteral("Hide"));
}

TEST_F(TrayTest, OnlyTheExactSwitchCounts) {
    for (const char* command : {"/S", "/s extra", " /s"}) {
        frmMain& main = startMain(QLatin1String(command));
        EXPECT_TRUE(main.isVisible()) << command;
        EXPECT_EQ(main.oSysTray, nullptr) << command;
        mGeneralFunctions::UnloadAllForms();
        fixture::drain();
    }
}

TEST_F(TrayTest, WithoutATrayTheWindowStaysReachable) {
    tray.set(false);
    frmMain& main = startMain(QStringLiteral("/s"));
    EXPECT_TRUE(main.isVisible());
    minimise(main);
    EXPECT_TRUE(main.isVisible());
    ASSERT_NE(main.oSysTray, nullptr);
    EXPECT_FALSE(platform::FindNotifyIcon(platform::HandleOf(main.oSysTray), main.oSysTray->iconId())->shownInTray);
}

TEST_F(TrayTest, UnloadingRemovesTheIcon) {
    frmMain& main = openMain();
    minimise(main);
    const int32_t window = platform::HandleOf(main.oSysTray);
    const uint32_t id = main.oSysTray->iconId();
    mGeneralFunctions::UnloadAllForms();
    EXPECT_FALSE(platform::FindNotifyIcon(window, id).has_value());
}

TEST_F(WindowsTest, SwitchesOfTheConfigurationFileSetTheOptionsChecks) {
    const struct {
        const char* config;
        bool password;
        bool startup;
    } cases[] = {
        {"[password]\nenabled=1\npassword=\n\n[app]\nstartup=abc\n", true, false},
        {"[app]\nstartup=2\n", false, true},
        // The words agree with the start-up's reading of the same switch.
        {"[password]\nenabled=True\n\n[app]\nstartup=FALSE\n", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.config);
        folder.write(QStringLiteral("AppCfg.cfg"), c.config);
        frmMain& main = openMain();
        EXPECT_EQ(platform::MenuChecked(main.Entry(QStringLiteral("mnuOptionsEnable"))), c.password);
        EXPECT_EQ(platform::MenuChecked(main.Entry(QStringLiteral("mnuOptionsWinStartup"))), c.startup);
        mGeneralFunctions::UnloadAllForms();
        fixture::drain();
    }
}

TEST_F(WindowsTest, AMissingConfigurationFileEndsTheProgram) {
    QFile::remove(folder.file(QStringLiteral("AppCfg.cfg")));
    EXPECT_THROW(platform::Forms::Get<frmMain>().Show(), platform::ProcessEnded);
    ASSERT_EQ(r->boxes.size(), 1u);
    EXPECT_EQ(r->last().title, QStringLiteral("Configuration File Missing!"));
    EXPECT_EQ(r->last().text, QStringLiteral("Application configuration File is Missing! Please reinstall the "
                                             "Application to resolve this error issue."));
    EXPECT_EQ(r->last().style, platform::MsgStyle::Critical);
    EXPECT_TRUE(platform::Forms::Loaded().empty());
}

TEST_F(WindowsTest, DialogsWithAStatusBarKeepTheSizeTheyAreShownWith) {
    openMain();
    // A dialog the window manager may resize gets a resize handle, which
    // some draw as a second row of dividers right under the status bar.
    auto& notes = Forms::Get<frmNotes>();
    auto& password = Forms::Get<frmPassword>();
    auto& prompt = Forms::Get<frmAppPassword>();
    const std::pair<FormWidget*, QWidget*> dialogs[] = {
        {&notes, notes.ucSBarNotes}, {&password, password.ucSBarNotes}, {&prompt, prompt.ucSBarPassword}};
    for (const auto& [dialog, bar] : dialogs) {
        SCOPED_TRACE(dialog->objectName().toStdString());
        dialog->Show();
        EXPECT_EQ(dialog->minimumSize(), dialog->size());
        EXPECT_EQ(dialog->maximumSize(), dialog->size());
        // The status bar stands at the foot, across the whole width.
        EXPECT_EQ(bar->geometry().bottom(), dialog->height() - 1);
        EXPECT_EQ(bar->width(), dialog->width());
        dialog->unloadForm();
    }
}
