#include "windows/frmMain.h"

#include "controls/ABar.h"
#include "controls/CDlg.h"
#include "data/DataFile.h"
#include "data/Views.h"
#include "data/clsTimer.h"
#include "data/mFunctions.h"
#include "data/mGeneralFunctions.h"
#include "data/mINI.h"
#include "data/mMeetings.h"
#include "data/mNotification.h"
#include "data/mTasks.h"
#include "platform/Clock.h"
#include "platform/FileIO.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Menus.h"
#include "platform/ui/MonthView.h"
#include "platform/ui/NotifyIcon.h"
#include "platform/ui/ScreenFit.h"
#include "platform/ui/StatusBar.h"
#include "windows/CommandDispatcher.h"
#include "windows/ListLoaders.h"
#include "windows/Pictures.h"
#include "windows/frmAbout.h"
#include "windows/frmDisplay.h"
#include "windows/frmMeetings.h"
#include "windows/frmNotification.h"
#include "windows/frmSideBar.h"
#include "windows/frmTasks.h"
#include "windows/frmToday.h"
#include "windows/mMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

using platform::MsgStyle;

namespace {

struct MenuEntry {
    const char* name;
    const char* caption;
    void (frmMain::*handler)() = nullptr;
    bool hidden = false;
};

// The menu bar, menu by menu, in order; the File menu is cut where its
// Backup submenu stands.
const MenuEntry kFileMenu[] = {
    {"mnuFileExportTaskToday", "Export Today's &Tasks to File", &frmMain::mnuFileExportTaskToday_Click},
    {"mnuFileExportMeetingsToday", "Export Today's &Meetings to File", &frmMain::mnuFileExportMeetingsToday_Click},
    {"mnuFileLine1", "-"},
};
const MenuEntry kFileBackupMenu[] = {
    {"mnuFileBackupCreate", "Create Backup", &frmMain::mnuFileBackupCreate_Click},
    {"mnuFileBackupRestore", "Restore from Backup", &frmMain::mnuFileBackupRestore_Click},
};
const MenuEntry kFileMenuEnd[] = {
    {"mnuFileLine2", "-"},
    {"mnuFileClose", "&Close", &frmMain::mnuFileClose_Click},
};
const MenuEntry kTasksMenu[] = {
    {"mnuTasksAdd", "&Add New Task", &frmMain::mnuTasksAdd_Click},
    {"mnuTasksEdit", "&Edit selected Task Details", &frmMain::mnuTasksEdit_Click},
    {"mnuTasksDel", "&Remove selected Task", &frmMain::mnuTasksDel_Click},
    {"mnuTasksLine1", "-", nullptr, true},
    {"mnuTasksShowToday", "&Show Today's Tasks", nullptr, true},
    {"mnuTasksShowFuture", "Show Today's && &Future Tasks", nullptr, true},
    {"mnuTasksLine2", "-"},
    {"mnuTasksShowAll", "&Show All Tasks", &frmMain::mnuTasksShowAll_Click},
};
const MenuEntry kMeetingsMenu[] = {
    {"mnuMeetingsAdd", "&Add New Meeting Schedule", &frmMain::mnuMeetingsAdd_Click},
    {"mnuMeetingsEdit", "Re&schedule selected Meeting", &frmMain::mnuMeetingsEdit_Click},
    {"mnuMeetingsDel", "Remove selected Meeting Schedule", &frmMain::mnuMeetingsDel_Click},
    {"mnuMeetingsLine1", "-", nullptr, true},
    {"mnuMeetingsShowToday", "Show Today's Meetings", nullptr, true},
    {"mnuMeetingsShowFuture", "Show Today's and Future Meetings", nullptr, true},
    {"mnuMeetingsLine2", "-"},
    {"mnuMeetingsShowAll", "Show All Meeting Schedules", &frmMain::mnuMeetingsShowAll_Click},
};
const MenuEntry kNotesMenu[] = {
    {"mnuNotesAdd", "&Create New Note", &frmMain::mnuNotesAdd_Click},
    {"mnuNotesEdit", "&Edit selected Note", &frmMain::mnuNotesEdit_Click},
    {"mnuNotesDel", "&Remove selected Note", &frmMain::mnuNotesDel_Click},
    {"mnuNotesLine", "-"},
    {"mnuNotesImport", "&Import from File", &frmMain::mnuNotesImport_Click},
    {"mnuNotesExport", "&Export to File", &frmMain::mnuNotesExport_Click},
};
const MenuEntry kPasswordMenu[] = {
    {"mnuPasswordAdd", "&Add New Password", &frmMain::mnuPasswordAdd_Click},
    {"mnuPasswordEdit", "&Edit selected Password Details", &frmMain::mnuPasswordEdit_Click},
    {"mnuPasswordDel", "&Remove selected Password", &frmMain::mnuPasswordDel_Click},
    {"mnuPasswordLine1", "-"},
    {"mnuPasswordCopyU", "&Copy User Name", &frmMain::mnuPasswordCopyU_Click},
    {"mnuPasswordCopyP", "&Copy Password", &frmMain::mnuPasswordCopyP_Click},
    {"mnuPasswordLine3", "-"},
    {"mnuPasswordOpenURL", "&Open Password URL", &frmMain::mnuPasswordOpenURL_Click},
    {"mnuPasswordLine2", "-"},
    {"mnuPasswordShow", "&Show Password Strings", &frmMain::mnuPasswordShow_Click},
};
const MenuEntry kOptionsMenu[] = {
    {"mnuOptionsChangePass", "&Change Application Password", &frmMain::mnuOptionsChangePass_Click},
    {"mnuOptionsLine1", "-"},
    {"mnuOptionsEnable", "&Enable Application Password", &frmMain::mnuOptionsEnable_Click},
    {"mnuOptionsWinStartup", "&Start on Windows Startup", &frmMain::mnuOptionsWinStartup_Click},
};
const MenuEntry kHelpMenu[] = {
    {"mnuHelpFile", "Help &File", &frmMain::mnuHelpFile_Click},
    {"mnuHelpLine1", "-"},
    {"mnuHelpEmail", "&Contact Us", &frmMain::mnuHelpEmail_Click},
    {"mnuHelpWebsite", "Visit &Website", &frmMain::mnuHelpWebsite_Click},
    {"mnuHelpLine2", "-"},
    {"mnuHelpAbout", "&About", &frmMain::mnuHelpAbout_Click},
};
// The pop-up menus' first entries.
const MenuEntry kTaskPopupMenu[] = {
    {"pupTaskTodayAdd", "Add New Task", &frmMain::pupTaskTodayAdd_Click},
    {"pupTaskTodayEdit", "Edit Task Details", &frmMain::pupTaskTodayEdit_Click},
    {"pupTaskTodayDel", "Delete Task Details", &frmMain::pupTaskTodayDel_Click},
    {"pupTaskTodayLine1", "-"},
    {"pupTaskTodayChangeS", "Change Status", nullptr, true},
};
const MenuEntry kMeetingPopupMenu[] = {
    {"pupMeetTodayAdd", "Add New Schedule", &frmMain::pupMeetTodayAdd_Click},
    {"pupMeetTodayEdit", "Edit Schedule", &frmMain::pupMeetTodayEdit_Click},
    {"pupMeetTodayDel", "Remove Schedule", &frmMain::pupMeetTodayDel_Click},
    {"pupMeetTodayLine1", "-"},
};

template <std::size_t N> void addEntries(frmMain* window, QMenu* menu, const MenuEntry (&entries)[N]) {
    for (const MenuEntry& e : entries) {
        QAction* entry = platform::AddMenuEntry(menu, QString::fromUtf8(e.caption), QLatin1String(e.name));
        entry->setVisible(!e.hidden);
        if (e.handler)
            QObject::connect(entry, &QAction::triggered, window, e.handler);
    }
}

QMenu* topMenu(QMenuBar* bar, const char* name, const char* caption) {
    auto* menu = new QMenu(QString::fromUtf8(caption), bar);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    bar->addMenu(menu);
    return menu;
}

// A child window of the client area. A child window keeps Tab among its own
// controls; this one hands it to the main window, so the side bar is reached
// from the lists as well.
class ChildWindow : public QMdiSubWindow {
public:
    explicit ChildWindow(frmMain* main) : m_main(main) {}

protected:
    bool focusNextPrevChild(bool next) override { return m_main->TabAlong(next); }

private:
    frmMain* m_main;
};

// The controls of a window Tab stops at, in the order of its focus chain.
QList<QWidget*> tabStops(QWidget* form) {
    QList<QWidget*> stops;
    for (QWidget* w = form->nextInFocusChain(); w && w != form; w = w->nextInFocusChain())
        if (form->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() &&
            !w->focusProxy())
            stops.append(w);
    return stops;
}

// The texts of a code vocabulary, by code.
QStringList codeTexts(QString (*text)(int16_t), int count) {
    QStringList texts;
    for (int16_t code = 0; code < count; ++code)
        texts.append(text(code));
    return texts;
}

} // namespace

frmMain::frmMain() : FormCore(this, QStringLiteral("frmMain")) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(ProgramIcon());
    resize(1000, 700);

    m_clientArea = new QMdiArea(this);
    m_clientArea->setObjectName(QStringLiteral("clientArea"));
    m_clientArea->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(m_clientArea);

    ucStatusBar = new platform::StatusBar(this);
    ucStatusBar->setObjectName(QStringLiteral("ucStatusBar"));
    ucStatusBar->AddPanel(QStringLiteral("Ready"), 1440, platform::StatusBar::sbrSpring);
    setStatusBar(ucStatusBar);

    ucFormDock = new platform::DockPane(this);
    connect(ucFormDock, &platform::DockPane::ItemStateChange, this, &frmMain::ucFormDock_ItemStateChange);
    connect(ucFormDock, &platform::DockPane::PaneSizing, this, &frmMain::ucFormDock_PaneSizing);

    CDlg1 = new CDlg(this);
    CDlg1->setObjectName(QStringLiteral("CDlg1"));

    buildMenus();
    buildPopupMenus();
    mFunctions::InstallListLoaders();

    m_pendingRestore.setSingleShot(true);
    connect(&m_pendingRestore, &QTimer::timeout, this, &frmMain::restoreFromTray);

    oTimer = std::make_unique<clsTimer>();
    oTimer->Timer = [this]() { oTimer_Timer(); };
    mNotification::SetAlertTimer(oTimer.get());
    mNotification::SetAlertWindow([](const mNotification::AlertFields& alert) { frmNotification::ShowAlert(alert); });
    mNotification::SetMeetingChangedHandler(&frmNotification::MeetingChanged);
    // Dialogs opened without a parent stand over this window.
    SetDialogOwner(this);
}

frmMain::~frmMain() {
    // A main window loaded after this one may have armed its own timer.
    if (mNotification::AlertTimer() == oTimer.get())
        mNotification::SetAlertTimer(nullptr);
}

void frmMain::buildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = topMenu(bar, "mnuFile", "&File");
    addEntries(this, file, kFileMenu);
    addEntries(
        this,
        platform::AddSubmenu(file, QStringLiteral("&Backup Information Data File"), QStringLiteral("mnuFileBackup")),
        kFileBackupMenu);
    addEntries(this, file, kFileMenuEnd);
    addEntries(this, topMenu(bar, "mnuTasks", "&Tasks"), kTasksMenu);
    addEntries(this, topMenu(bar, "mnuMeetings", "&Meetings"), kMeetingsMenu);
    mnuNotes = topMenu(bar, "mnuNotes", "&Notes");
    addEntries(this, mnuNotes, kNotesMenu);
    mnuPassword = topMenu(bar, "mnuPassword", "&Password");
    addEntries(this, mnuPassword, kPasswordMenu);
    addEntries(this, topMenu(bar, "mnuOptions", "&Options"), kOptionsMenu);
    addEntries(this, topMenu(bar, "mnuHelp", "&Help"), kHelpMenu);
}

void frmMain::buildPopupMenus() {
    // The pop-up menus' roots are not on the menu bar; they only pop up.
    pupTaskToday = new QMenu(this);
    pupTaskToday->setObjectName(QStringLiteral("pupTaskToday"));
    addEntries(this, pupTaskToday, kTaskPopupMenu);
    const QStringList statuses = codeTexts(mFunctions::GetTaskStatusText, 6);
    for (int i = 0; i < statuses.size(); ++i)
        connect(platform::AddMenuEntry(pupTaskToday, statuses[i], QStringLiteral("pupTaskTodayChangeSOpt"), i),
                &QAction::triggered, this, [this, i]() { pupTaskTodayChangeSOpt_Click(static_cast<int16_t>(i)); });
    platform::AddMenuEntry(pupTaskToday, QStringLiteral("-"), QStringLiteral("pupTaskTodayLine2"));
    QMenu* taskPriority =
        platform::AddSubmenu(pupTaskToday, QStringLiteral("Change Priority"), QStringLiteral("pupTaskTodayChangeP"));
    const QStringList priorities = codeTexts(mFunctions::GetPriorityText, 4);
    for (int i = 0; i < priorities.size(); ++i)
        connect(platform::AddMenuEntry(taskPriority, priorities[i], QStringLiteral("pupTaskTodayChangePOpt"), i),
                &QAction::triggered, this, [this, i]() { pupTaskTodayChangePOpt_Click(static_cast<int16_t>(i)); });

    pupMeetToday = new QMenu(this);
    pupMeetToday->setObjectName(QStringLiteral("pupMeetToday"));
    addEntries(this, pupMeetToday, kMeetingPopupMenu);
    const QStringList meetingFor = codeTexts(mFunctions::GetMeetingForText, 6);
    for (int i = 0; i < meetingFor.size(); ++i)
        connect(platform::AddMenuEntry(pupMeetToday, meetingFor[i], QStringLiteral("pupMeetTodayChangeMForOpt"), i),
                &QAction::triggered, this, [this, i]() { pupMeetTodayChangeMForOpt_Click(static_cast<int16_t>(i)); });
    platform::AddMenuEntry(pupMeetToday, QStringLiteral("-"), QStringLiteral("pupMeetTodayLine2"))->setVisible(false);
    QMenu* meetPriority =
        platform::AddSubmenu(pupMeetToday, QStringLiteral("Change Priority"), QStringLiteral("pupMeetTodayChnageP"));
    meetPriority->menuAction()->setVisible(false);
    for (int i = 0; i < priorities.size(); ++i)
        connect(platform::AddMenuEntry(meetPriority, priorities[i], QStringLiteral("pupMeetTodayChangePOpt"), i),
                &QAction::triggered, this, [this, i]() { pupMeetTodayChangePOpt_Click(static_cast<int16_t>(i)); });
}

QAction* frmMain::Entry(const QString& name, int index) const {
    return platform::FindMenuEntry(this, name, index);
}

// --- Load, minimise, unload --------------------------------------------------------

void frmMain::Form_Load() {
    const bool forTray = mMain::TakeStartCommand() == QLatin1String("/s");
    if (platform::PrevInstance()) {
        // The person started the program to see it: the running copy shows
        // its window. A start for the notification area finds it there already.
        if (!forTray)
            platform::AskRunningCopyToShow(platform::AppPath());
        platform::EndProcess(0);
    }
    if (platform::InstanceLockHeld()) {
        DataFile::RemoveStaleTemporaries();
        m_laterStarts = new platform::InstanceChannel(platform::AppPath(), this);
        connect(m_laterStarts, &platform::InstanceChannel::showRequested, this, &frmMain::bringForward);
        m_laterStarts->listen();
    }
    m_startInTray = forTray;
    configurationCheck();
    platform::SetMenuChecked(
        Entry(QStringLiteral("mnuOptionsEnable")),
        mMain::SwitchOn(mINI::ReadINI(QStringLiteral("password"), QStringLiteral("enabled"), QStringLiteral("0")),
                        QStringLiteral("0")));
    platform::SetMenuChecked(
        Entry(QStringLiteral("mnuOptionsWinStartup")),
        mMain::SwitchOn(mINI::ReadINI(QStringLiteral("app"), QStringLiteral("startup"), QStringLiteral("0")),
                        QStringLiteral("0")));
    setWindowTitle(QStringLiteral("Veltrane (version: ") + mGeneralFunctions::ApplicationBuild(true, true) +
                   QStringLiteral(")"));
    ucFormDock->Attach(platform::HandleOf(this));
    ucFormDock->AddForm(&UseForm<frmSideBar>(), 1, 3, QStringLiteral("frmSideBar"), 38);
    ucFormDock->ApplyLayout();
    platform::Forms::Get<frmToday>().Show();
    mNotification::ScheduleTodayAlerts();
}

void frmMain::oTimer_Timer() {
    mNotification::CheckMeetingAlerts();
}

void frmMain::present() {
    if (m_startInTray) {
        m_startInTray = false;
        if (platform::SystemTrayAvailable()) {
            // Started for the notification area: the window is never shown.
            setWindowState(Qt::WindowMinimized);
            MDIForm_Resize();
            return;
        }
    }
    if (!isVisible()) {
        platform::FitOnScreen(this);
        show();
    }
    raise();
    activateWindow();
}

void frmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        MDIForm_Resize();
        followShownState();
    }
}

void frmMain::Form_Unload() {
    if (mNotification::AlertTimer() == oTimer.get()) {
        mNotification::StopAlertTimer();
        mNotification::SetAlertTimer(nullptr);
    }
    mGeneralFunctions::UnloadAllForms();
}

void frmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    unloadForm();
}

void frmMain::ShowChild(QWidget* form) {
    auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
    if (!sub || sub->mdiArea() != m_clientArea) {
        sub = new ChildWindow(this);
        sub->setWidget(form);
        m_clientArea->addSubWindow(sub, Qt::SubWindow | Qt::FramelessWindowHint);
    }
    form->show();
    sub->showMaximized();
    sub->raise();
    m_clientArea->setActiveSubWindow(sub);
}

bool frmMain::TabAlong(bool forward) {
    QList<QWidget*> stops;
    if (frmSideBar* side = platform::Forms::IfLoaded<frmSideBar>())
        for (QWidget* w : {static_cast<QWidget*>(side->ucOptionBar), static_cast<QWidget*>(side->ucCalender)})
            if (w->isVisible() && w->isEnabled())
                stops.append(w);
    if (QWidget* child = FrontChild())
        stops += tabStops(child);
    if (stops.isEmpty())
        return false;
    const QWidget* focus = QApplication::focusWidget();
    // The stop that holds the focus most closely: the calendar lies inside
    // the task pane.
    qsizetype at = -1;
    for (qsizetype i = 0; i < stops.size(); ++i)
        if ((stops[i] == focus || stops[i]->isAncestorOf(focus)) && (at < 0 || stops[at]->isAncestorOf(stops[i])))
            at = i;
    const qsizetype count = stops.size();
    const qsizetype next = at < 0 ? (forward ? 0 : count - 1) : (at + (forward ? 1 : count - 1)) % count;
    stops[next]->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool frmMain::focusNextPrevChild(bool next) {
    return TabAlong(next);
}

QWidget* frmMain::FrontChild() const {
    const QList<QMdiSubWindow*> stack = m_clientArea->subWindowList(QMdiArea::StackingOrder);
    for (auto it = stack.crbegin(); it != stack.crend(); ++it)
        if (!(*it)->isHidden() && (*it)->widget() && !(*it)->widget()->isHidden())
            return (*it)->widget();
    return nullptr;
}

// --- Docking -----------------------------------------------------------------------------

void frmMain::ucFormDock_ItemStateChange(platform::DockPane::DockedItem& item) {
    if (item.Key == QLatin1String("frmSideBar"))
        ucFormDock->DockItem(QStringLiteral("frmSideBar"));
}

void frmMain::ucFormDock_PaneSizing(platform::DockPane::Pane& pane) {
    pane.Size = 3680;
}

// --- Menus -------------------------------------------------------------------------------

void frmMain::mnuFileClose_Click() {
    if (platform::MsgBox(QStringLiteral("This will Close the Application. Are you sure?"), MsgStyle::YesNoQuestion,
                         QStringLiteral("Close Application Now?")) != platform::MsgAnswer::Yes)
        return;
    mGeneralFunctions::UnloadAllForms();
    platform::EndProcess(0);
}

void frmMain::mnuTasksAdd_Click() {
    pupTaskTodayAdd_Click();
}

void frmMain::mnuTasksEdit_Click() {
    if (mFunctions::CurrentView() == mFunctions::ViewTasks)
        mFunctions::HandleOptionBarItems(QStringLiteral("tasks"), QStringLiteral("tsk_edit"));
    else
        pupTaskTodayEdit_Click();
}

void frmMain::mnuTasksDel_Click() {
    if (mFunctions::CurrentView() == mFunctions::ViewTasks)
        mFunctions::HandleOptionBarItems(QStringLiteral("tasks"), QStringLiteral("tsk_del"));
    else
        pupTaskTodayDel_Click();
}

void frmMain::mnuTasksShowAll_Click() {
    mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QStringLiteral("sh_task"));
}

void frmMain::mnuMeetingsAdd_Click() {
    pupMeetTodayAdd_Click();
}

void frmMain::mnuMeetingsEdit_Click() {
    pupMeetTodayEdit_Click();
}

void frmMain::mnuMeetingsDel_Click() {
    pupMeetTodayDel_Click();
}

void frmMain::mnuMeetingsShowAll_Click() {
    mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QStringLiteral("sh_mtg"));
}

void frmMain::mnuHelpAbout_Click() {
    platform::Forms::Get<frmAbout>().Show();
}

void frmMain::mnuNotesAdd_Click() {
    mFunctions::HandleOptionBarItems(QStringLiteral("note"), QStringLiteral("note_add"));
}

void frmMain::mnuNotesEdit_Click() {
    mFunctions::HandleOptionBarItems(QStringLiteral("note"), QStringLiteral("note_edit"));
}

void frmMain::mnuNotesDel_Click() {
    mFunctions::HandleOptionBarItems(QStringLiteral("note"), QStringLiteral("note_del"));
}

void frmMain::mnuPasswordAdd_Click() {
    mFunctions::HandleOptionBarItems(QStringLiteral("pwd"), QStringLiteral("pwd_add"));
}

platform::ListItem* frmMain::selectedRecordRow() const {
    frmDisplay* display = platform::Forms::IfLoaded<frmDisplay>();
    return display ? display->lstData->SelectedItem() : nullptr;
}

void frmMain::mnuPasswordEdit_Click() {
    if (selectedRecordRow())
        mFunctions::HandleOptionBarItems(QStringLiteral("pwd"), QStringLiteral("pwd_edit"));
}

void frmMain::mnuPasswordDel_Click() {
    if (selectedRecordRow())
        mFunctions::HandleOptionBarItems(QStringLiteral("pwd"), QStringLiteral("pwd_del"));
}

void frmMain::passwordAction(int16_t action) {
    if (platform::ListItem* row = selectedRecordRow())
        mFunctions::PasswordItemAction(action, row);
}

void frmMain::mnuPasswordCopyU_Click() {
    passwordAction(mFunctions::CopyUserName);
}

void frmMain::mnuPasswordCopyP_Click() {
    passwordAction(mFunctions::CopyPassword);
}

void frmMain::mnuPasswordOpenURL_Click() {
    passwordAction(mFunctions::OpenUrl);
}

void frmMain::mnuPasswordShow_Click() {
    if (!selectedRecordRow())
        return;
    if (mFunctions::CurrentView() != mFunctions::ViewPasswords)
        mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QStringLiteral("sh_pwd"));
    QAction* entry = Entry(QStringLiteral("mnuPasswordShow"));
    const bool showingNow = platform::MenuChecked(entry);
    if (frmDisplay* display = platform::Forms::IfLoaded<frmDisplay>()) {
        auto rows = display->lstData->ListItems();
        for (int i = 1; i <= rows.Count(); ++i) {
            platform::ListItem* row = rows.Item(i);
            row->SetSubItems(2, showingNow ? QString(row->Tag().size(), QLatin1Char('*')) : row->Tag());
        }
    }
    platform::SetMenuChecked(entry, !showingNow);
}

// --- The task pop-up menu ----------------------------------------------------------------

platform::ListItem* frmMain::selectedTaskRow() const {
    if (mFunctions::CurrentView() == mFunctions::ViewTasks)
        return selectedRecordRow();
    frmToday* today = platform::Forms::IfLoaded<frmToday>();
    return today ? today->lstTasksToday->SelectedItem() : nullptr;
}

void frmMain::pupTaskTodayAdd_Click() {
    mFunctions::HandleOptionBarItems(QStringLiteral("tasks"), QStringLiteral("tsk_add"));
}

void frmMain::pupTaskTodayEdit_Click() {
    platform::ListItem* row = selectedTaskRow();
    if (!row)
        return;
    if (mFunctions::CurrentView() == mFunctions::ViewTasks) {
        mFunctions::HandleOptionBarItems(QStringLiteral("tasks"), QStringLiteral("tsk_edit"));
        return;
    }
    frmTasks::EditTask(row->Text(), row->SubItems(1));
}

void frmMain::pupTaskTodayDel_Click() {
    platform::ListItem* row = selectedTaskRow();
    if (!row)
        return;
    const QString day = row->Text();
    const QString title = row->SubItems(1);
    if (platform::MsgBox(QStringLiteral("Are you sure you want to Remove selected Task?"), MsgStyle::YesNoQuestion,
                         QStringLiteral("Are you sure?")) == platform::MsgAnswer::Yes)
        mTasks::DeleteTask(day, title);
}

void frmMain::pupTaskTodayChangeSOpt_Click(int16_t Index) {
    if (platform::ListItem* row = selectedTaskRow())
        mTasks::UpdateItemField(row->Text(), row->SubItems(1), 1, QString::number(Index), mTasks::KindTasks);
}

void frmMain::pupTaskTodayChangePOpt_Click(int16_t Index) {
    if (platform::ListItem* row = selectedTaskRow())
        mTasks::UpdateItemField(row->Text(), row->SubItems(1), 0, QString::number(Index), mTasks::KindTasks);
}

// --- The meeting pop-up menu -------------------------------------------------------------

platform::ListItem* frmMain::selectedMeetingRow() const {
    if (mFunctions::CurrentView() == mFunctions::ViewMeetings)
        return selectedRecordRow();
    frmToday* today = platform::Forms::IfLoaded<frmToday>();
    return today ? today->lstMeetingsToday->SelectedItem() : nullptr;
}

void frmMain::pupMeetTodayAdd_Click() {
    mFunctions::HandleOptionBarItems(QStringLiteral("mtg"), QStringLiteral("mtg_add"));
}

void frmMain::pupMeetTodayEdit_Click() {
    platform::ListItem* row = selectedMeetingRow();
    if (!row)
        return;
    if (mFunctions::CurrentView() == mFunctions::ViewMeetings) {
        mFunctions::HandleOptionBarItems(QStringLiteral("mtg"), QStringLiteral("mtg_edit"));
        return;
    }
    frmMeetings::EditMeeting(row->Text(), row->SubItems(1));
}

void frmMain::pupMeetTodayDel_Click() {
    platform::ListItem* row = selectedMeetingRow();
    if (!row)
        return;
    const QString day = row->Text();
    const QString title = row->SubItems(1);
    if (mFunctions::CurrentView() == mFunctions::ViewMeetings) {
        mFunctions::HandleOptionBarItems(QStringLiteral("mtg"), QStringLiteral("mtg_del"));
    } else if (platform::MsgBox(QStringLiteral("Are you sure you want to remove selected Meeting Schedule?"),
                                MsgStyle::YesNoQuestion, QStringLiteral("Are you sure?")) == platform::MsgAnswer::Yes) {
        mMeetings::DeleteMeeting(day, title);
    }
    if (day == platform::FormatDatePattern(platform::Today(), QStringLiteral("dd-mm-yyyy"))) {
        mNotification::StopAlertTimer();
        mNotification::ScheduleTodayAlerts();
    }
}

void frmMain::pupMeetTodayChangeMForOpt_Click(int16_t Index) {
    platform::ListItem* row = selectedMeetingRow();
    if (!row)
        return;
    const QString day = row->Text();
    // A pending alert carries the kind's text, so today's alerts are rebuilt to show the new one.
    if (mTasks::UpdateItemField(day, row->SubItems(1), 1, QString::number(Index), mTasks::KindMeetings) &&
        day == platform::FormatDatePattern(platform::Today(), QStringLiteral("dd-mm-yyyy"))) {
        mNotification::StopAlertTimer();
        mNotification::ScheduleTodayAlerts();
    }
}

void frmMain::pupMeetTodayChangePOpt_Click(int16_t Index) {
    if (platform::ListItem* row = selectedMeetingRow())
        mTasks::UpdateItemField(row->Text(), row->SubItems(1), 0, QString::number(Index), mTasks::KindMeetings);
}
