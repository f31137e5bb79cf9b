#pragma once

#include "platform/ui/DockPane.h"
#include "windows/FormBase.h"

#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <memory>

class CDlg;
class QAction;
class QMdiArea;
class clsTimer;
class QMenu;
class frmSysTray;
namespace platform {
class InstanceChannel;
class ListItem;
class StatusBar;
} // namespace platform

// The program's one top-level window: the menus, the record lists' pop-up
// menus, the status bar, the docked side bar and the client area that holds
// the Today view and the record list. Minimised, it goes to the notification
// area, whose icon and menu bring it back.
class frmMain : public QMainWindow, public FormCore, public ChildHost {
    Q_OBJECT
public:
    frmMain();
    ~frmMain() override;

    void ShowChild(QWidget* form) override;
    // Moves the keyboard focus to the next (or previous) stop of the window,
    // round and round: the side bar's task pane, its calendar, then the
    // controls of the child window in front. Tab and Shift+Tab go this way
    // from anywhere in the window, the child windows included.
    bool TabAlong(bool forward);
    // The child window in front, or null when the client area is empty.
    QWidget* FrontChild() const;

    // A menu entry by name (and index, for an option array), from the menu
    // bar or the pop-up menus.
    QAction* Entry(const QString& name, int index = -1) const;
    // The pop-up menus and the two menus the record list pops up.
    QMenu* pupTaskToday = nullptr;
    QMenu* pupMeetToday = nullptr;
    QMenu* mnuNotes = nullptr;
    QMenu* mnuPassword = nullptr;

    platform::StatusBar* ucStatusBar = nullptr;
    platform::DockPane* ucFormDock = nullptr;
    // The icon in the notification area; none until the first minimise.
    frmSysTray* oSysTray = nullptr;
    // The one-second beat of the meeting alerts.
    std::unique_ptr<clsTimer> oTimer;
    // The file dialogs of the File and Notes menus and of the tray's import.
    CDlg* CDlg1 = nullptr;

    // Menu handlers.
    void mnuFileExportTaskToday_Click();
    void mnuFileExportMeetingsToday_Click();
    void mnuFileBackupCreate_Click();
    void mnuFileBackupRestore_Click();
    void mnuFileClose_Click();
    void mnuTasksAdd_Click();
    void mnuTasksEdit_Click();
    void mnuTasksDel_Click();
    void mnuTasksShowAll_Click();
    void mnuMeetingsAdd_Click();
    void mnuMeetingsEdit_Click();
    void mnuMeetingsDel_Click();
    void mnuMeetingsShowAll_Click();
    void mnuNotesAdd_Click();
    void mnuNotesEdit_Click();
    void mnuNotesDel_Click();
    void mnuPasswordAdd_Click();
    void mnuPasswordEdit_Click();
    void mnuPasswordDel_Click();
    void mnuPasswordCopyU_Click();
    void mnuPasswordCopyP_Click();
    void mnuPasswordOpenURL_Click();
    void mnuPasswordShow_Click();
    void mnuHelpAbout_Click();
    void mnuNotesImport_Click();
    void mnuNotesExport_Click();
    void mnuOptionsChangePass_Click();
    void mnuOptionsEnable_Click();
    void mnuOptionsWinStartup_Click();
    void mnuHelpFile_Click();
    void mnuHelpEmail_Click();
    void mnuHelpWebsite_Click();

    // The task pop-up menu's handlers.
    void pupTaskTodayAdd_Click();
    void pupTaskTodayEdit_Click();
    void pupTaskTodayDel_Click();
    void pupTaskTodayChangeSOpt_Click(int16_t Index);
    void pupTaskTodayChangePOpt_Click(int16_t Index);

    // The meeting pop-up menu's handlers.
    void pupMeetTodayAdd_Click();
    void pupMeetTodayEdit_Click();
    void pupMeetTodayDel_Click();
    void pupMeetTodayChangeMForOpt_Click(int16_t Index);
    void pupMeetTodayChangePOpt_Click(int16_t Index);

    void oTimer_Timer();

    // The notification area's events.
    void oSysTray_MenuClick(int32_t Index, const QString& Key);
    void oSysTray_SysTrayDoubleClick(int Button);
    void oSysTray_SysTrayMouseDown(int Button);

    // The docking pane's events.
    void ucFormDock_ItemStateChange(platform::DockPane::DockedItem& item);
    void ucFormDock_PaneSizing(platform::DockPane::Pane& pane);

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void present() override;
    void MDIForm_Resize();
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void buildMenus();
    void buildPopupMenus();
    // The selected row of the task list the pop-up menu acts on, or null.
    platform::ListItem* selectedTaskRow() const;
    platform::ListItem* selectedMeetingRow() const;
    // The selected row of the record list, or null when there is none.
    platform::ListItem* selectedRecordRow() const;
    void passwordAction(int16_t action);
    // Hides the window into the notification area while its icon is shown
    // there; otherwise the window stays, or nothing could bring it back.
    void hideToTray();
    bool iconInTray() const;
    // Shows the window in front, from the notification area if it waits
    // there: a later start of the program asked for it.
    void bringForward();
    // Ends the program, after saying so, when the configuration file is gone;
    // otherwise names it for the reads and writes that follow.
    void configurationCheck();
    // Writes the Today view's tasks or meetings through their template.
    void exportToday(bool meetings);
    // Asks for a text file and opens the note editor with its text: modally
    // from the menu, on top of everything from the notification area.
    void importNote(bool fromTray);
    // Opens an address, or the help file when none is set.
    void openProductPage(const QString& address);

    // Brings a hidden window back after a single click on its icon.
    void restoreFromTray();
    // Whether the window is on the screen: shown and not minimised.
    bool shownOnScreen() const;
    // Sets the tray menu's first entry to what choosing it does now: "Hide"
    // while the window is on the screen, "Show" otherwise.
    void followShownState();

    QMdiArea* m_clientArea = nullptr;
    platform::InstanceChannel* m_laterStarts = nullptr;
    QTimer m_pendingRestore;
    bool m_startInTray = false;
};
