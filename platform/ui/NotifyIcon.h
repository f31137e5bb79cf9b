#pragma once

#include "platform/StandIn.h"
#include "platform/WindowMessages.h"

#include <QEvent>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QSystemTrayIcon>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

// The notification-area icon calls of the shell, on the desktop's system tray.
// A window puts an icon there with a record naming itself (its handle), an
// identifier, an icon handle (IconHandleOf), a tip and a callback message; the
// desktop's clicks on the icon and its balloon's life come back to that window
// as NotifyIconEvents carrying the mouse or balloon message numbers below.
//
// Where the desktop has no system tray, every call is still kept and succeeds,
// so the organiser runs on; nothing is shown and no clicks come back until a
// tray appears, which then shows every icon kept so far.

// What a call asks for.
enum : uint32_t { NIM_ADD = 0, NIM_MODIFY = 1, NIM_DELETE = 2, NIM_SETVERSION = 4 };
// Which fields of the record a call uses.
enum : uint32_t { NIF_MESSAGE = 1, NIF_ICON = 2, NIF_TIP = 4, NIF_INFO = 16 };
// The balloon's icon.
enum : uint32_t { NIIF_NONE = 0, NIIF_INFO = 1, NIIF_WARNING = 2, NIIF_ERROR = 3 };
// The notifications a window receives, as its callback message's parameter
// (the callback message itself, WM_MOUSEMOVE, is among the window messages).
enum : uint32_t {
    WM_LBUTTONDOWN = 513,
    WM_LBUTTONUP = 514,
    WM_LBUTTONDBLCLK = 515,
    WM_RBUTTONDOWN = 516,
    WM_RBUTTONUP = 517,
    WM_RBUTTONDBLCLK = 518,
    WM_MBUTTONDOWN = 519,
    WM_MBUTTONUP = 520,
    NIN_BALLOONSHOW = 1026,
    NIN_BALLOONHIDE = 1027,
    NIN_BALLOONTIMEOUT = 1028,
    NIN_BALLOONUSERCLICK = 1029,
};

// The icon record in its version-2 layouts, field by field. cbSize tells the
// shell which layout it is given: 936 (wide) or 488 (ANSI) with balloon
// fields, 152 or 88 for the first layout, whose tip holds 64 characters and
// which ends after it.
//
// Wide texts are UTF-16 (little-endian) in byte fields; ANSI texts are in the
// organiser's ANSI code page. Both end at their first NUL.
struct NotifyIconWideRecord {
    uint32_t cbSize = 0;
    int32_t hWnd = 0;
    uint32_t uID = 0;
    uint32_t uFlags = 0;
    uint32_t uCallbackMessage = 0;
    int32_t hIcon = 0;
    uint8_t szTip[256] = {};
    uint32_t dwState = 0;
    uint32_t dwStateMask = 0;
    uint8_t szInfo[512] = {};
    uint32_t uTimeoutOrVersion = 0; // balloon time-out in ms, or the version for NIM_SETVERSION
    uint8_t szInfoTitle[128] = {};
    uint32_t dwInfoFlags = 0;
};
struct NotifyIconAnsiRecord {
    uint32_t cbSize = 0;
    int32_t hWnd = 0;
    uint32_t uID = 0;
    uint32_t uFlags = 0;
    uint32_t uCallbackMessage = 0;
    int32_t hIcon = 0;
    char szTip[128] = {};
    uint32_t dwState = 0;
    uint32_t dwStateMask = 0;
    char szInfo[256] = {};
    uint32_t uTimeoutOrVersion = 0;
    char szInfoTitle[64] = {};
    uint32_t dwInfoFlags = 0;
};

// The cbSize that names each first layout.
constexpr uint32_t kNotifyIconWideFirstSize = 152;
constexpr uint32_t kNotifyIconAnsiFirstSize = 88;

// A record's text field, read up to its first NUL.
QString WideFieldText(const uint8_t* field, std::size_t size);
QString AnsiFieldText(const char* field, std::size_t size);
// Writes a text into a record's field, cut to the whole characters that leave
// room for the closing NUL; the rest of the field is zeroed.
void SetWideFieldText(uint8_t* field, std::size_t size, const QString& text);
void SetAnsiFieldText(char* field, std::size_t size, const QString& text);

bool Shell_NotifyIconW(uint32_t message, const NotifyIconWideRecord& record);
bool Shell_NotifyIconA(uint32_t message, const NotifyIconAnsiRecord& record);

// A notification for a window's icon, posted to the window as the shell posts
// its callback message: message() is the record's callback message, id() the
// icon's identifier and notification() what happened (WM_LBUTTONDOWN ...
// NIN_BALLOONUSERCLICK).
class NotifyIconEvent : public QEvent {
public:
    NotifyIconEvent(uint32_t message, uint32_t id, uint32_t notification);
    static QEvent::Type eventType();

    uint32_t message() const { return m_message; }
    uint32_t id() const { return m_id; }
    uint32_t notification() const { return m_notification; }

private:
    uint32_t m_message;
    uint32_t m_id;
    uint32_t m_notification;
};

// Whether the desktop has a system tray: as the desktop says, unless a
// stand-in (a test's, which decides it) has put itself in use.
class SystemTray : public Replaceable<const SystemTray> {
public:
    virtual ~SystemTray();
    static const SystemTray& current();
    virtual bool available() const;
};

inline bool SystemTrayAvailable() {
    return SystemTray::current().available();
}

// What the notification area holds for one icon.
struct NotifyIconState {
    int32_t window = 0;
    uint32_t id = 0;
    uint32_t callbackMessage = 0;
    int32_t icon = 0;
    QString tip;
    uint32_t version = 0;
    QString balloonText;
    QString balloonTitle;
    uint32_t balloonIcon = NIIF_NONE;
    uint32_t balloonTimeout = 0;
    bool balloonShowing = false;
    // While the balloon shows: where it stands, and the point its arrow ends
    // at, on the icon or, while the tray has not said where the icon is, in
    // the corner of the screen's available area nearest the tray.
    QRect balloonFrame;
    QPoint balloonPointsAt;
    bool shownInTray = false; // false while the desktop has no system tray
};
std::optional<NotifyIconState> FindNotifyIcon(int32_t window, uint32_t id);

// The calls made, in order, with what each record said; kept for the last
// thousand calls.
struct NotifyIconCall {
    uint32_t message = 0;
    int32_t window = 0;
    uint32_t id = 0;
    uint32_t flags = 0;
    int32_t icon = 0;
    QString tip;
    QString balloonText;
    QString balloonTitle;
    bool succeeded = false;
};
std::vector<NotifyIconCall> NotifyIconCalls();
void ClearNotifyIconCalls();

// What the system tray reports about an icon and a click on its balloon; the
// tray's own signals and the balloon come here, and tests call these directly.
void NotifyIconActivated(int32_t window, uint32_t id, QSystemTrayIcon::ActivationReason reason);
void NotifyIconBalloonClicked(int32_t window, uint32_t id);

} // namespace platform
