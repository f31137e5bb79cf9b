#include "platform/ui/NotifyIcon.h"
#include "platform/IconHandles.h"
#include "platform/Ui.h"

#include "EventLoop.h"
#include "FakeSystemTray.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

using namespace platform;

namespace {

// A hidden window that receives its icon's notifications.
class Receiver : public QObject {
public:
    std::vector<uint32_t> notifications;
    uint32_t lastMessage = 0;

protected:
    bool event(QEvent* e) override {
        if (e->type() == NotifyIconEvent::eventType()) {
            auto* n = static_cast<NotifyIconEvent*>(e);
            notifications.push_back(n->notification());
            lastMessage = n->message();
            return true;
        }
        return QObject::event(e);
    }
};

void putWide(uint8_t* field, std::size_t size, const QString& text) {
    std::memset(field, 0, size);
    for (qsizetype i = 0; i < text.size() && std::size_t(i * 2 + 1) < size - 2; ++i) {
        field[i * 2] = static_cast<uint8_t>(text.at(i).unicode() & 0xFF);
        field[i * 2 + 1] = static_cast<uint8_t>(text.at(i).unicode() >> 8);
    }
}

NotifyIconWideRecord wideRecord(int32_t window, uint32_t flags, const QString& tip = QString()) {
    NotifyIconWideRecord r;
    r.cbSize = sizeof(r);
    r.hWnd = window;
    r.uID = 7;
    r.uFlags = flags;
    r.uCallbackMessage = WM_MOUSEMOVE;
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::darkBlue);
    r.hIcon = IconHandleOf(QIcon(pixmap));
    putWide(r.szTip, sizeof(r.szTip), tip);
    return r;
}

void balloon(NotifyIconWideRecord& r, const QString& text, const QString& title, uint32_t timeout) {
    r.uFlags = NIF_INFO;
    putWide(r.szInfo, sizeof(r.szInfo), text);
    putWide(r.szInfoTitle, sizeof(r.szInfoTitle), title);
    r.uTimeoutOrVersion = timeout;
    r.dwInfoFlags = NIIF_INFO;
}

void settle() {
    QCoreApplication::processEvents();
}

} // namespace

TEST(NotifyIcon, ClicksOnTheIconComeBackAsTheShellsMouseMessages) {
    testsupport::FakeSystemTray tray(true);
    Receiver window;
    const int32_t handle = HandleOf(&window);
    NotifyIconWideRecord r = wideRecord(handle, NIF_MESSAGE | NIF_ICON | NIF_TIP, QStringLiteral("Veltrane"));
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, r));
    ASSERT_TRUE(FindNotifyIcon(handle, 7).has_value());
    EXPECT_TRUE(FindNotifyIcon(handle, 7)->shownInTray);

    NotifyIconActivated(handle, 7, QSystemTrayIcon::Trigger);
    NotifyIconActivated(handle, 7, QSystemTrayIcon::DoubleClick);
    NotifyIconActivated(handle, 7, QSystemTrayIcon::Context);
    NotifyIconActivated(handle, 7, QSystemTrayIcon::Unknown);
    NotifyIconActivated(handle, 99, QSystemTrayIcon::Trigger); // no such icon
    EXPECT_TRUE(window.notifications.empty()) << "posted, as the shell posts them";
    settle();
    EXPECT_EQ(window.notifications, (std::vector<uint32_t>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP,
                                                           WM_RBUTTONDOWN, WM_RBUTTONUP}));
    EXPECT_EQ(window.lastMessage, uint32_t(WM_MOUSEMOVE)) << "under the record's callback message";

    // A changed callback message is used from then on.
    r.uFlags = NIF_MESSAGE;
    r.uCallbackMessage = 0x8001;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, r));
    NotifyIconActivated(handle, 7, QSystemTrayIcon::Trigger);
    settle();
    EXPECT_EQ(window.lastMessage, 0x8001u);

    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, r));
    window.notifications.clear();
    NotifyIconActivated(handle, 7, QSystemTrayIcon::Trigger);
    settle();
    EXPECT_TRUE(window.notifications.empty()) << "a deleted icon reports nothing";
}

TEST(NotifyIcon, BalloonsReportShownTimedOutClickedAndHidden) {
    testsupport::FakeSystemTray tray(true);
    Receiver window;
    const int32_t handle = HandleOf(&window);
    NotifyIconWideRecord r = wideRecord(handle, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, r));

    balloon(r, QStringLiteral("Application is minized here."), QStringLiteral("Veltrane 1.0"), 30);
    ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, r));
    const NotifyIconState shown = *FindNotifyIcon(handle, 7);
    EXPECT_TRUE(shown.balloonShowing);
    EXPECT_EQ(shown.balloonText, QStringLiteral("Application is minized here."));
    EXPECT_EQ(shown.balloonTitle, QStringLiteral("Veltrane 1.0"));
    EXPECT_EQ(shown.balloonIcon, uint32_t(NIIF_INFO));
    EXPECT_TRUE(testsupport::RunEventsUntil([&] { return window.notifications.size() >= 2; }));
    EXPECT_EQ(window.notifications, (std::vector<uint32_t>{NIN_BALLOONSHOW, NIN_BALLOONTIMEOUT}));
    EXPECT_FALSE(FindNotifyIcon(handle, 7)->balloonShowing);

    // A click ends the balloon; its time-out then never comes.
    window.notifications.clear();
    balloon(r, QStringLiteral("again"), QString(), 50);
    ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, r));
    NotifyIconBalloonClicked(handle, 7);
    testsupport::RunEventsPastTimer(200);
    EXPECT_EQ(window.notifications, (std::vector<uint32_t>{NIN_BALLOONSHOW, NIN_BALLOONUSERCLICK}));

    // Deleting the icon takes a showing balloon down with it.
    window.notifications.clear();
    balloon(r, QStringLiteral("last"), QString(), 10000);
    ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, r));
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, r));
    settle();
    EXPECT_EQ(window.notifications, (std::vector<uint32_t>{NIN_BALLOONSHOW, NIN_BALLOONHIDE}));
}

// A balloon taken down goes only when the event loop gets round to it, which
// may be after its icon has gone; meanwhile it must not ask that icon where it
// stands.
TEST(NotifyIcon, ABalloonTakenDownOutlivesItsIconSafely) {
    testsupport::FakeSystemTray tray(true);
    Receiver window;
    const int32_t handle = HandleOf(&window);
    NotifyIconWideRecord r = wideRecord(handle, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, r));
    for (const char* text : {"first", "replaces the first"}) {
        balloon(r, QString::fromLatin1(text), QString(), 10000);
        ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, r));
    }
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, r));
    testsupport::RunEventsPastTimer(300);
    EXPECT_EQ(window.notifications,
              (std::vector<uint32_t>{NIN_BALLOONSHOW, NIN_BALLOONHIDE, NIN_BALLOONSHOW, NIN_BALLOONHIDE}));
}

TEST(NotifyIcon, ABalloonWhoseIconsPlaceIsUnknownStandsInTheCornerNearestTheTray) {
    testsupport::FakeSystemTray tray(true);
    Receiver window;
    const int32_t handle = HandleOf(&window);
    NotifyIconWideRecord r = wideRecord(handle, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, r));
    balloon(r, QStringLiteral("Application is minized here."), QStringLiteral("Veltrane 1.0"), 50);
    ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, r));

    // This desktop's tray never says where the icon is, and no panel cuts
    // the screen: the bottom right corner.
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const NotifyIconState shown = *FindNotifyIcon(handle, 7);
    EXPECT_TRUE(available.contains(shown.balloonFrame));
    EXPECT_EQ(shown.balloonFrame.bottomRight(), available.bottomRight());
    EXPECT_EQ(shown.balloonPointsAt.y(), available.bottom());
    EXPECT_TRUE(shown.balloonFrame.contains(shown.balloonPointsAt));

    EXPECT_TRUE(testsupport::RunEventsUntil([&] { return !FindNotifyIcon(handle, 7)->balloonShowing; }));
    EXPECT_TRUE(FindNotifyIcon(handle, 7)->balloonFrame.isNull()) << "gone with its time-out";
    EXPECT_TRUE(Shell_NotifyIconW(NIM_DELETE, r));
}

TEST(NotifyIcon, CallsSucceedOnlyForTheIconsThereAre) {
    testsupport::FakeSystemTray tray(false);
    Receiver window;
    const int32_t handle = HandleOf(&window);
    NotifyIconWideRecord r = wideRecord(handle, NIF_MESSAGE | NIF_ICON | NIF_TIP, QStringLiteral("tip"));
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, r)) << "no icon to change yet";
    EXPECT_FALSE(Shell_NotifyIconW(NIM_SETVERSION, r));
    EXPECT_TRUE(Shell_NotifyIconW(NIM_ADD, r));
    EXPECT_FALSE(Shell_NotifyIconW(NIM_ADD, r)) << "one icon per window and identifier";
    r.uTimeoutOrVersion = 3;
    EXPECT_TRUE(Shell_NotifyIconW(NIM_SETVERSION, r));
    EXPECT_EQ(FindNotifyIcon(handle, 7)->version, 3u);
    EXPECT_FALSE(Shell_NotifyIconW(3, r)) << "no such call";
    NotifyIconWideRecord badSize = r;
    badSize.cbSize = 100;
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, badSize));
    EXPECT_TRUE(Shell_NotifyIconW(NIM_DELETE, r));
    EXPECT_FALSE(Shell_NotifyIconW(NIM_DELETE, r));
    EXPECT_FALSE(FindNotifyIcon(handle, 7).has_value());
}

TEST(NotifyIcon, WithoutASystemTrayCallsAreKeptAndSucceedButNothingComesBack) {
    testsupport::FakeSystemTray tray(false);
    ClearNotifyIconCalls();
    Receiver window;
    const int32_t handle = HandleOf(&window);
    NotifyIconWideRecord r = wideRecord(handle, NIF_MESSAGE | NIF_ICON | NIF_TIP, QStringLiteral("Veltrane"));
    EXPECT_TRUE(Shell_NotifyIconW(NIM_ADD, r));
    const NotifyIconState added = *FindNotifyIcon(handle, 7);
    EXPECT_FALSE(added.shownInTray);
    EXPECT_EQ(added.tip, QStringLiteral("Veltrane"));
    EXPECT_EQ(added.icon, r.hIcon);

    balloon(r, QStringLiteral("hello"), QStringLiteral("title"), 10);
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, r));
    EXPECT_EQ(FindNotifyIcon(handle, 7)->balloonText, QStringLiteral("hello"));
    EXPECT_FALSE(FindNotifyIcon(handle, 7)->balloonShowing);
    testsupport::RunEventsPastTimer(100);
    EXPECT_TRUE(window.notifications.empty()) << "no balloon was shown, so none is reported";

    EXPECT_TRUE(Shell_NotifyIconW(NIM_DELETE, r));
    const std::vector<NotifyIconCall> calls = NotifyIconCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].message, uint32_t(NIM_ADD));
    EXPECT_EQ(calls[0].window, handle);
    EXPECT_EQ(calls[0].flags, uint32_t(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(calls[0].tip, QStringLiteral("Veltrane"));
    EXPECT_EQ(calls[1].balloonTitle, QStringLiteral("title"));
    EXPECT_EQ(calls[2].message, uint32_t(NIM_DELETE));
    for (const NotifyIconCall& c : calls)
        EXPECT_TRUE(c.succeeded);
}

TEST(NotifyIcon, RecordsAreReadByTheirLayout) {
    testsupport::FakeSystemTray tray(false);
    Receiver window;
    const int32_t handle = HandleOf(&window);

    // The first wide layout ends after a tip of 64 characters and cannot ask
    // for a balloon.
    NotifyIconWideRecord first = wideRecord(handle, NIF_TIP | NIF_INFO, QString(100, QLatin1Char('t')));
    first.cbSize = 152;
    putWide(first.szInfo, sizeof(first.szInfo), QStringLiteral("ignored"));
    EXPECT_TRUE(Shell_NotifyIconW(NIM_ADD, first));
    EXPECT_EQ(FindNotifyIcon(handle, 7)->tip, QString(64, QLatin1Char('t')));
    EXPECT_EQ(FindNotifyIcon(handle, 7)->balloonText, QString());
    EXPECT_TRUE(Shell_NotifyIconW(NIM_DELETE, first));

    // A wide tip ends at its first NUL.
    NotifyIconWideRecord wide = wideRecord(handle, NIF_TIP, QStringLiteral("short"));
    wide.szTip[20] = 'x';
    EXPECT_TRUE(Shell_NotifyIconW(NIM_ADD, wide));
    EXPECT_EQ(FindNotifyIcon(handle, 7)->tip, QStringLiteral("short"));
    EXPECT_TRUE(Shell_NotifyIconW(NIM_DELETE, wide));

    // ANSI records carry the organiser's ANSI texts, in both of their sizes.
    NotifyIconAnsiRecord ansi;
    ansi.cbSize = sizeof(ansi);
    ansi.hWnd = handle;
    ansi.uID = 9;
    ansi.uFlags = NIF_TIP;
    const QByteArray tip = QStringLiteral("Caf\u00e9 \u20ac").toUtf8();
    std::memcpy(ansi.szTip, tip.constData(), static_cast<std::size_t>(tip.size()));
    EXPECT_TRUE(Shell_NotifyIconA(NIM_ADD, ansi));
    EXPECT_EQ(FindNotifyIcon(handle, 9)->tip, QStringLiteral("Caf\u00e9 \u20ac"));
    ansi.cbSize = 88;
    std::memset(ansi.szTip, 'a', sizeof(ansi.szTip) - 1);
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, ansi));
    EXPECT_EQ(FindNotifyIcon(handle, 9)->tip, QString(64, QLatin1Char('a')));
    ansi.cbSize = 500;
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, ansi));
    ansi.cbSize = sizeof(ansi);
    EXPECT_TRUE(Shell_NotifyIconA(NIM_DELETE, ansi));
}

TEST(NotifyIcon, FieldTextsAreCutToWholeCharactersBeforeTheirNul) {
    NotifyIconWideRecord wide;
    std::memset(wide.szTip, 0xFF, sizeof(wide.szTip));
    SetWideFieldText(wide.szTip, sizeof(wide.szTip), QString(200, QChar(0x20AC)));
    EXPECT_EQ(WideFieldText(wide.szTip, sizeof(wide.szTip)), QString(127, QChar(0x20AC)));
    EXPECT_EQ(wide.szTip[254], 0);
    EXPECT_EQ(wide.szTip[255], 0);
    SetWideFieldText(wide.szTip, sizeof(wide.szTip), QStringLiteral("ab"));
    EXPECT_EQ(WideFieldText(wide.szTip, sizeof(wide.szTip)), QStringLiteral("ab"));
    EXPECT_EQ(wide.szTip[4], 0) << "the rest of a longer old text is gone";
    EXPECT_EQ(wide.szTip[100], 0);

    // An ANSI field never ends in part of a character: after the "a", twenty
    // euro signs of three bytes each fill 61 of the title's 63 text bytes, and
    // a twenty-first would not fit whole.
    NotifyIconAnsiRecord ansi;
    SetAnsiFieldText(ansi.szInfoTitle, sizeof(ansi.szInfoTitle), QStringLiteral("a") + QString(30, QChar(0x20AC)));
    EXPECT_EQ(AnsiFieldText(ansi.szInfoTitle, sizeof(ansi.szInfoTitle)),
              QStringLiteral("a") + QString(20, QChar(0x20AC)));
    EXPECT_EQ(ansi.szInfoTitle[61], '\0');
    std::memset(ansi.szTip, 'z', sizeof(ansi.szTip));
    EXPECT_EQ(AnsiFieldText(ansi.szTip, sizeof(ansi.szTip)), QString(128, QLatin1Char('z')))
        << "a field without a NUL is read to its end";
}
