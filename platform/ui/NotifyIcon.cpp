#include "platform/ui/NotifyIcon.h"

#include "platform/IconHandles.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "platform/ui/BalloonTip.h"

#include <QApplication>
#include <QMap>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <deque>
#include <initializer_list>
#include <limits>
#include <memory>
#include <utility>

namespace platform {

static_assert(sizeof(NotifyIconWideRecord) == 936, "wide record layout");
static_assert(sizeof(NotifyIconAnsiRecord) == 488, "ANSI record layout");

namespace {

constexpr std::size_t kCallsKept = 1000;
// How often a desktop without a system tray is asked whether one has come: a
// question the window system answers at once, asked only while an icon waits.
constexpr int kTrayWatchMs = 1000;

// A record's contents, read once from either layout.
struct Decoded {
    bool balloonFields;
    int32_t window;
    uint32_t id;
    uint32_t flags;
    uint32_t callbackMessage;
    int32_t icon;
    QString tip;
    QString info;
    QString infoTitle;
    uint32_t timeoutOrVersion;
    uint32_t infoFlags;
};

template <class Record, class TextOf>
std::optional<Decoded> decode(const Record& r, uint32_t firstSize, TextOf textOf, std::size_t unit) {
    if (r.cbSize != sizeof(Record) && r.cbSize != firstSize)
        return std::nullopt;
    Decoded d;
    d.balloonFields = r.cbSize == sizeof(Record);
    d.window = r.hWnd;
    d.id = r.uID;
    d.flags = r.uFlags;
    d.callbackMessage = r.uCallbackMessage;
    d.icon = r.hIcon;
    d.tip = textOf(r.szTip, d.balloonFields ? sizeof(r.szTip) : 64 * unit);
    if (d.balloonFields) {
        d.info = textOf(r.szInfo, sizeof(r.szInfo));
        d.infoTitle = textOf(r.szInfoTitle, sizeof(r.szInfoTitle));
        d.timeoutOrVersion = r.uTimeoutOrVersion;
        d.infoFlags = r.dwInfoFlags;
    } else {
        d.timeoutOrVersion = 0;
        d.infoFlags = 0;
    }
    return d;
}

BalloonTip::Kind balloonKindOf(uint32_t flags) {
    switch (flags & 0x0F) {
    case NIIF_INFO:
        return BalloonTip::Kind::Information;
    case NIIF_WARNING:
        return BalloonTip::Kind::Warning;
    case NIIF_ERROR:
        return BalloonTip::Kind::Error;
    default:
        return BalloonTip::Kind::None;
    }
}

// Where the tray has put an icon, or an empty rectangle while that is not
// known. Until a tray has taken the icon in, Qt gives the desktop's origin as
// its place, so that place counts as unknown.
QRect placeInTray(const QSystemTrayIcon& tray) {
    const QRect g = tray.geometry();
    return g.topLeft() == QPoint(0, 0) ? QRect() : g;
}

using IconKey = QPair<int32_t, uint32_t>;

class NotificationArea : public QObject {
public:
    struct Entry {
        NotifyIconState state;
        std::unique_ptr<QSystemTrayIcon> tray;
        std::unique_ptr<QTimer> balloonTimer;
        // The balloon on the screen, if any; it asks the tray icon where to
        // point, so it goes first.
        QPointer<BalloonTip> balloon;
        ~Entry() { delete balloon; }
    };

    static NotificationArea& instance() {
        // Owned by the application, so its tray icons go before the
        // application does.
        static QPointer<NotificationArea> area;
        if (!area)
            area = new NotificationArea(QCoreApplication::instance());
        return *area;
    }

    bool call(uint32_t message, const std::optional<Decoded>& record) {
        bool ok = record && apply(message, *record);
        NotifyIconCall logged;
        logged.message = message;
        if (record) {
            logged.window = record->window;
            logged.id = record->id;
            logged.flags = record->flags;
            logged.icon = record->icon;
            logged.tip = record->tip;
            logged.balloonText = record->info;
            logged.balloonTitle = record->infoTitle;
        }
        logged.succeeded = ok;
        m_calls.push_back(logged);
        while (m_calls.size() > kCallsKept)
            m_calls.pop_front();
        return ok;
    }

    std::optional<NotifyIconState> find(int32_t window, uint32_t id) const {
        auto it = m_icons.constFind(IconKey(window, id));
        if (it == m_icons.constEnd())
            return std::nullopt;
        NotifyIconState state = it.value()->state;
        if (const BalloonTip* b = it.value()->balloon; b && state.balloonShowing) {
            state.balloonFrame = b->place().frame;
            state.balloonPointsAt = b->place().tip;
        }
        return state;
    }

    std::vector<NotifyIconCall> calls() const { return {m_calls.begin(), m_calls.end()}; }
    void clearCalls() { m_calls.clear(); }

    void activated(int32_t window, uint32_t id, QSystemTrayIcon::ActivationReason reason) {
        // Each activation is a press and release as the shell reports them;
        // a double click is the second press.
        switch (reason) {
        case QSystemTrayIcon::Trigger:
            notify(window, id, {WM_LBUTTONDOWN, WM_LBUTTONUP});
            break;
        case QSystemTrayIcon::DoubleClick:
            notify(window, id, {WM_LBUTTONDBLCLK, WM_LBUTTONUP});
            break;
        case QSystemTrayIcon::Context:
            notify(window, id, {WM_RBUTTONDOWN, WM_RBUTTONUP});
            break;
        case QSystemTrayIcon::MiddleClick:
            notify(window, id, {WM_MBUTTONDOWN, WM_MBUTTONUP});
            break;
        default:
            break;
        }
    }

    void balloonClicked(int32_t window, uint32_t id) {
        Entry* e = entry(window, id);
        if (!e || !e->state.balloonShowing)
            return;
        endBalloon(*e, NIN_BALLOONUSERCLICK);
    }

private:
    explicit NotificationArea(QObject* parent) : QObject(parent) {
        m_trayWatch.setInterval(kTrayWatchMs);
        connect(&m_trayWatch, &QTimer::timeout, this, &NotificationArea::lookForTray);
    }

    // Qt tells nobody when a system tray appears, so while an icon has none
    // the desktop is asked now and then; the icons go into the tray as soon
    // as it is there.
    void watchForTray() {
        if (!m_trayWatch.isActive())
            m_trayWatch.start();
    }

    void lookForTray() {
        const bool waiting =
            std::any_of(m_icons.cbegin(), m_icons.cend(), [](const std::shared_ptr<Entry>& e) { return !e->tray; });
        if (!waiting) {
            m_trayWatch.stop();
            return;
        }
        if (!SystemTrayAvailable())
            return;
        m_trayWatch.stop();
        for (const std::shared_ptr<Entry>& e : std::as_const(m_icons)) {
            if (e->tray)
                continue;
            putInTray(*e);
            e->tray->setIcon(IconFromHandle(e->state.icon));
            e->tray->setToolTip(e->state.tip);
            e->tray->show();
        }
    }

    Entry* entry(int32_t window, uint32_t id) {
        auto it = m_icons.find(IconKey(window, id));
        return it == m_icons.end() ? nullptr : it.value().get();
    }

    void notify(int32_t window, uint32_t id, std::initializer_list<uint32_t> notifications) {
        Entry* e = entry(window, id);
        if (!e)
            return;
        QObject* target = ObjectFromHandle(window);
        if (!target)
            return;
        for (uint32_t n : notifications)
            QCoreApplication::postEvent(target, new NotifyIconEvent(e->state.callbackMessage, id, n));
    }

    bool apply(uint32_t message, const Decoded& r) {
        Entry* e = entry(r.window, r.id);
        switch (message) {
        case NIM_ADD: {
            if (e)
                return false;
            auto created = std::make_unique<Entry>();
            created->state.window = r.window;
            created->state.id = r.id;
            e = created.get();
            m_icons.insert(IconKey(r.window, r.id), std::shared_ptr<Entry>(std::move(created)));
            if (SystemTrayAvailable())
                putInTray(*e);
            else
                watchForTray();
            change(*e, r);
            if (e->tray)
                e->tray->show();
            return true;
        }
        case NIM_MODIFY:
            if (!e)
                return false;
            change(*e, r);
            return true;
        case NIM_DELETE:
            if (!e)
                return false;
            if (e->state.balloonShowing)
                endBalloon(*e, NIN_BALLOONHIDE);
            m_icons.remove(IconKey(r.window, r.id));
            return true;
        case NIM_SETVERSION:
            if (!e)
                return false;
            e->state.version = r.timeoutOrVersion;
            return true;
        default:
            return false;
        }
    }

    void putInTray(Entry& e) {
        e.tray = std::make_unique<QSystemTrayIcon>();
        const int32_t window = e.state.window;
        const uint32_t id = e.state.id;
        connect(e.tray.get(), &QSystemTrayIcon::activated, this,
                [this, window, id](QSystemTrayIcon::ActivationReason reason) { activated(window, id, reason); });
        e.state.shownInTray = true;
    }

    void change(Entry& e, const Decoded& r) {
        if (r.flags & NIF_MESSAGE)
            e.state.callbackMessage = r.callbackMessage;
        if (r.flags & NIF_ICON) {
            e.state.icon = r.icon;
            if (e.tray)
                e.tray->setIcon(IconFromHandle(r.icon));
        }
        if (r.flags & NIF_TIP) {
            e.state.tip = r.tip;
            if (e.tray)
                e.tray->setToolTip(r.tip);
        }
        // The first layout has no balloon fields, so it cannot ask for one.
        if ((r.flags & NIF_INFO) && r.balloonFields)
            showBalloon(e, r);
    }

    void showBalloon(Entry& e, const Decoded& r) {
        if (e.state.balloonShowing)
            endBalloon(e, NIN_BALLOONHIDE);
        e.state.balloonText = r.info;
        e.state.balloonTitle = r.infoTitle;
        e.state.balloonIcon = r.infoFlags & 0x0F;
        e.state.balloonTimeout = r.timeoutOrVersion;
        // An empty text takes the balloon down; and with no tray there is
        // nothing to show, so nothing comes back either.
        if (r.info.isEmpty() || !e.tray)
            return;
        // Qt's own balloon points where the icon was when it was asked for,
        // which before the tray has taken the icon in is the desktop's
        // origin; this one follows the icon. A balloon taken down is deleted
        // later, so it may outlive the icon.
        QPointer<QSystemTrayIcon> tray = e.tray.get();
        e.balloon = new BalloonTip(balloonKindOf(r.infoFlags), r.infoTitle, r.info,
                                   [tray]() { return tray ? placeInTray(*tray) : QRect(); });
        const int32_t window = e.state.window;
        const uint32_t id = e.state.id;
        connect(e.balloon, &BalloonTip::clicked, this, [this, window, id]() { balloonClicked(window, id); });
        e.balloon->showAtIcon();
        e.state.balloonShowing = true;
        notify(e.state.window, e.state.id, {NIN_BALLOONSHOW});
        if (!e.balloonTimer) {
            e.balloonTimer = std::make_unique<QTimer>();
            e.balloonTimer->setSingleShot(true);
            connect(e.balloonTimer.get(), &QTimer::timeout, this, [this, window, id]() {
                if (Entry* timedOut = entry(window, id); timedOut && timedOut->state.balloonShowing)
                    endBalloon(*timedOut, NIN_BALLOONTIMEOUT);
            });
        }
        e.balloonTimer->start(
            static_cast<int>(std::min<uint32_t>(r.timeoutOrVersion, std::numeric_limits<int>::max())));
    }

    void endBalloon(Entry& e, uint32_t how) {
        e.state.balloonShowing = false;
        if (e.balloonTimer)
            e.balloonTimer->stop();
        // Deleted later: a click on the balloon ends it from the balloon's own
        // handler.
        if (e.balloon) {
            e.balloon->hide();
            e.balloon->deleteLater();
        }
        notify(e.state.window, e.state.id, {how});
    }

    QMap<IconKey, std::shared_ptr<Entry>> m_icons;
    std::deque<NotifyIconCall> m_calls;
    QTimer m_trayWatch;
};

} // namespace

QString WideFieldText(const uint8_t* field, std::size_t size) {
    QString out;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const char16_t unit = static_cast<char16_t>(field[i] | (field[i + 1] << 8));
        if (unit == 0)
            break;
        out.append(QChar(unit));
    }
    return out;
}

QString AnsiFieldText(const char* field, std::size_t size) {
    return FromAnsi(QByteArray(field, static_cast<qsizetype>(strnlen(field, size))));
}

void SetWideFieldText(uint8_t* field, std::size_t size, const QString& text) {
    std::memset(field, 0, size);
    const qsizetype units = std::min<qsizetype>(text.size(), static_cast<qsizetype>(size / 2) - 1);
    for (qsizetype i = 0; i < units; ++i) {
        const char16_t unit = text.at(i).unicode();
        field[2 * i] = static_cast<uint8_t>(unit & 0xFF);
        field[2 * i + 1] = static_cast<uint8_t>(unit >> 8);
    }
}

void SetAnsiFieldText(char* field, std::size_t size, const QString& text) {
    if (size == 0)
        return;
    QString cut = text;
    QByteArray bytes = ToAnsi(cut);
    while (bytes.size() > static_cast<qsizetype>(size) - 1) {
        cut.chop(1);
        bytes = ToAnsi(cut);
    }
    std::memset(field, 0, size);
    std::memcpy(field, bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool Shell_NotifyIconW(uint32_t message, const NotifyIconWideRecord& record) {
    return NotificationArea::instance().call(message, decode(record, kNotifyIconWideFirstSize, WideFieldText, 2));
}

bool Shell_NotifyIconA(uint32_t message, const NotifyIconAnsiRecord& record) {
    return NotificationArea::instance().call(message, decode(record, kNotifyIconAnsiFirstSize, AnsiFieldText, 1));
}

NotifyIconEvent::NotifyIconEvent(uint32_t message, uint32_t id, uint32_t notification)
    : QEvent(eventType()), m_message(message), m_id(id), m_notification(notification) {}

QEvent::Type NotifyIconEvent::eventType() {
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

SystemTray::~SystemTray() = default;

const SystemTray& SystemTray::current() {
    static const SystemTray desktop{};
    return inUseOr(desktop);
}

bool SystemTray::available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

std::optional<NotifyIconState> FindNotifyIcon(int32_t window, uint32_t id) {
    return NotificationArea::instance().find(window, id);
}

std::vector<NotifyIconCall> NotifyIconCalls() {
    return NotificationArea::instance().calls();
}

void ClearNotifyIconCalls() {
    NotificationArea::instance().clearCalls();
}

void NotifyIconActivated(int32_t window, uint32_t id, QSystemTrayIcon::ActivationReason reason) {
    NotificationArea::instance().activated(window, id, reason);
}

void NotifyIconBalloonClicked(int32_t window, uint32_t id) {
    NotificationArea::instance().balloonClicked(window, id);
}

} // namespace platform
