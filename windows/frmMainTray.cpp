// The main window and the notification area: hiding into it, coming back
// from it, its icon's menu, and a later start's request to come forward.
#include "windows/frmMain.h"

#include "data/mGeneralFunctions.h"
#include "platform/IconHandles.h"
#include "platform/Ui.h"
#include "platform/ui/NotifyIcon.h"
#include "windows/CommandDispatcher.h"
#include "windows/frmMeetings.h"
#include "windows/frmNotes.h"
#include "windows/frmPassword.h"
#include "windows/frmSysTray.h"
#include "windows/frmTasks.h"

#include <QAction>
#include <QApplication>

// However the window comes and goes (its own minimise button, the tray, a
// later start), the tray's first entry says what choosing it will do.
void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    followShownState();
}

void frmMain::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    followShownState();
}

void frmMain::MDIForm_Resize() {
    if (!(windowState() & Qt::WindowMinimized) || isUnloaded())
        return;
    if (!oSysTray) {
        oSysTray = new frmSysTray();
        connect(oSysTray, &frmSysTray::MenuClick, this, &frmMain::oSysTray_MenuClick);
        connect(oSysTray, &frmSysTray::SysTrayDoubleClick, this, &frmMain::oSysTray_SysTrayDoubleClick);
        connect(oSysTray, &frmSysTray::SysTrayMouseDown, this, &frmMain::oSysTray_SysTrayMouseDown);
        oSysTray->AddMenuItem(QStringLiteral("Show"), QStringLiteral("show"), true);
        oSysTray->AddMenuItem(QStringLiteral("-"), QStringLiteral("line1"));
        oSysTray->AddMenuItem(QStringLiteral("Add New Task"), QStringLiteral("tsk_add"));
        oSysTray->AddMenuItem(QStringLiteral("Add New Meeting Schedule"), QStringLiteral("mtg_add"));
        oSysTray->AddMenuItem(QStringLiteral("Add New Note"), QStringLiteral("note_add"));
        oSysTray->AddMenuItem(QStringLiteral("Add New Password"), QStringLiteral("pwd_add"));
        oSysTray->AddMenuItem(QStringLiteral("-"), QStringLiteral("line2"));
        oSysTray->AddMenuItem(QStringLiteral("Import File as Note"), QStringLiteral("mprt_note"));
        oSysTray->AddMenuItem(QStringLiteral("-"), QStringLiteral("line3"));
        oSysTray->AddMenuItem(QStringLiteral("Close Application"), QStringLiteral("close"));
        oSysTray->SetIconHandle(platform::IconHandleOf(windowIcon()));
        const QString tip = QStringLiteral("Veltrane ") + mGeneralFunctions::ApplicationBuild(false, false);
        oSysTray->SetToolTip(tip);
        oSysTray->ShowBalloonTip(QStringLiteral("Application is minized here. Double-click this Icon to restore "
                                                "Application Window or Right-click to see different Options."),
                                 tip, 1, 3000);
    }
    hideToTray();
}

bool frmMain::iconInTray() const {
    if (!oSysTray || !platform::SystemTrayAvailable())
        return false;
    const auto icon = platform::FindNotifyIcon(platform::HandleOf(oSysTray), oSysTray->iconId());
    return icon && icon->shownInTray;
}

void frmMain::hideToTray() {
    // While a window waits for an answer the tray icon takes no clicks, so a
    // window hidden then could not be brought back: it stays on the task bar.
    if (iconInTray() && !FormCore::ModalOpen())
        hide();
}

void frmMain::bringForward() {
    if (isUnloaded())
        return;
    if (!isVisible() && oSysTray)
        restoreFromTray();
    else if (!isVisible())
        showNormal();
    else if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
    // A dialog waiting for an answer stays in front of the window it belongs to.
    FormCore::BringModalToFront();
}

// --- Notification area ---------------------------------------------------------------

void frmMain::oSysTray_MenuClick(int32_t Index, const QString& Key) {
    // The tray menu stays reachable while a dialog waits for an answer; an
    // editor opened then would run inside that dialog's wait, or take over
    // the very editor that is waiting. The waiting dialog comes to the front
    // instead, so the person sees what holds the request up.
    static const QStringList opensEditor{QStringLiteral("tsk_add"), QStringLiteral("mtg_add"),
                                         QStringLiteral("note_add"), QStringLiteral("pwd_add"),
                                         QStringLiteral("mprt_note")};
    if (opensEditor.contains(Key) && FormCore::ModalOpen()) {
        FormCore::BringModalToFront();
        return;
    }
    if (Key == QLatin1String("show")) {
        if (!oSysTray->mnuSysTray.value(Index))
            return;
        // The entry's caption follows the window, so the window itself says
        // which way to go: a caption could lag behind a change made elsewhere.
        if (!shownOnScreen()) {
            showMaximized();
            raise();
            activateWindow();
        } else {
            hideToTray();
        }
        followShownState();
    } else if (Key == QLatin1String("tsk_add")) {
        frmTasks::AddTask();
    } else if (Key == QLatin1String("mtg_add")) {
        frmMeetings::AddMeeting();
    } else if (Key == QLatin1String("note_add")) {
        frmNotes::AddNote();
    } else if (Key == QLatin1String("pwd_add")) {
        frmPassword::AddPassword();
    } else if (Key == QLatin1String("mprt_note")) {
        importNote(true);
    } else if (Key == QLatin1String("close")) {
        mnuFileClose_Click();
    }
    // The separators do nothing.
}

void frmMain::oSysTray_SysTrayDoubleClick(int Button) {
    m_pendingRestore.stop();
    oSysTray_MenuClick(0, QStringLiteral("show"));
}

void frmMain::oSysTray_SysTrayMouseDown(int Button) {
    if (Button == 2)
        oSysTray->ShowMenu();
    // Some notification areas report one activation and never a double
    // click; a single click on the icon of a hidden window brings it back
    // once no double click has followed.
    if (Button == 1 && !shownOnScreen())
        m_pendingRestore.start(QApplication::doubleClickInterval());
}

void frmMain::restoreFromTray() {
    if (shownOnScreen() || isUnloaded() || !oSysTray)
        return;
    oSysTray_MenuClick(0, QStringLiteral("show"));
}

bool frmMain::shownOnScreen() const {
    return isVisible() && !isMinimized();
}

void frmMain::followShownState() {
    if (!oSysTray || isUnloaded())
        return;
    if (QAction* item = oSysTray->mnuSysTray.value(0))
        item->setText(shownOnScreen() ? QStringLiteral("Hide") : QStringLiteral("Show"));
}
