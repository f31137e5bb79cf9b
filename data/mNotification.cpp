#include "data/mNotification.h"

#include "data/DataFile.h"
#include "data/clsTimer.h"
#include "data/mFunctions.h"
#include "data/mGeneralFunctions.h"
#include "data/mTasks.h"
#include "platform/Clock.h"
#include "platform/RuntimeError.h"
#include "platform/Sound.h"
#include "platform/Text.h"
#include "platform/Twips.h"
#include "platform/Ui.h"
#include "platform/XmlDocument.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSet>

namespace mNotification {

namespace {

constexpr int32_t kAlertWindowSeconds = 600;
constexpr int32_t kTickMs = 1000;
const QString kSeparator = QStringLiteral("###");

clsTimer* g_timer = nullptr;
std::function<void(const AlertFields&)> g_showAlert;
std::function<void(const QString&)> g_meetingChanged;
// The day the pending list was built for; a tick on another day rebuilds it.
QDate g_builtFor;
// The meetings of that day already alerted, by title and start second: a
// rebuild after a save must not alert them again, unless their start moved.
QSet<QString> g_alerted;

QString alertedKey(const QString& title, int32_t start) {
    return title + kSeparator + QString::number(start);
}

int32_t secondsNow() {
    const QTime now = platform::Now().time();
    return now.hour() * 3600 + now.minute() * 60 + now.second();
}

QString meetForText(const QString& stored) {
    bool ok = false;
    const int code = stored.trimmed().toInt(&ok);
    return mFunctions::GetMeetingForText(ok && code >= INT16_MIN && code <= INT16_MAX ? static_cast<int16_t>(code)
                                                                                      : int16_t(-1));
}

void armTimer() {
    if (g_timer)
        g_timer->EnableTimer(kTickMs);
}

void buildPending() {
    const QDate today = platform::Today();
    const QString dayKey = platform::FormatDatePattern(today, QStringLiteral("dd-mm-yyyy"));
    if (today != g_builtFor)
        g_alerted.clear();
    QStringList pending;
    const DayToRead day = mTasks::ReadDay(dayKey);
    const int32_t now = secondsNow();
    const platform::XmlNode meetings = day.node.child(mTasks::KindMeetings);
    for (platform::XmlNode m = meetings ? meetings.firstChild() : platform::XmlNode(); m; m = m.nextSibling()) {
        const QString start = m.child(2).text();
        if (TimeToSeconds(start) < now || g_alerted.contains(alertedKey(m.attributeText(0), TimeToSeconds(start))))
            continue;
        pending << QStringList{m.attributeText(0), meetForText(m.child(1).text()), start, m.child(3).text()}.join(
            kSeparator);
    }
    PendingAlerts() = pending;
    g_builtFor = today;
}

// Restarts the timer when the tick ends, however it ends.
struct Rearm {
    ~Rearm() { armTimer(); }
};

} // namespace

QStringList& PendingAlerts() {
    static QStringList pending;
    return pending;
}

AlertFields SplitAlertEntry(const QString& entry) {
    QStringList parts = entry.split(kSeparator);
    AlertFields f;
    if (parts.size() < 4)
        return f;
    f.EndTime = parts.takeLast();
    f.StartTime = parts.takeLast();
    f.MeetFor = parts.takeLast();
    f.Title = parts.join(kSeparator);
    return f;
}

int32_t TimeToSeconds(const QString& timeText) {
    const QTime t = platform::ParseTimeLenient(timeText);
    return t.isValid() ? t.hour() * 3600 + t.minute() * 60 + t.second() : -1;
}

void ScheduleTodayAlerts() {
    buildPending();
    armTimer();
}

void StopAlertTimer() {
    if (g_timer)
        g_timer->setEnabled(false);
}

void ForgetAlerted(const QString& sDate, const QString& sTitle) {
    if (sDate != platform::FormatDatePattern(g_builtFor, QStringLiteral("dd-mm-yyyy")))
        return;
    const QString prefix = sTitle + kSeparator;
    for (auto it = g_alerted.begin(); it != g_alerted.end();) {
        // The rest of the key is the start second, so a title holding the separator cannot match another's key.
        bool isStart = false;
        if (it->startsWith(prefix))
            (void)QStringView(*it).mid(prefix.size()).toInt(&isStart);
        it = isStart ? g_alerted.erase(it) : std::next(it);
    }
}

void MeetingChanged(const QString& sDate) {
    if (g_meetingChanged)
        g_meetingChanged(sDate);
}

void CheckMeetingAlerts() {
    StopAlertTimer();
    // A failing tick must not end every alert for the rest of the day.
    const Rearm rearm;
    try {
        if (platform::Today() != g_builtFor)
            buildPending();
        QStringList& pending = PendingAlerts();
        const int32_t now = secondsNow();
        for (int i = 0; i < pending.size();) {
            const AlertFields f = SplitAlertEntry(pending[i]);
            const int32_t start = TimeToSeconds(f.StartTime);
            if (start < 0 || start < now) {
                pending.removeAt(i);
                continue;
            }
            if (start - now <= kAlertWindowSeconds) {
                pending.removeAt(i);
                g_alerted.insert(alertedKey(f.Title, start));
                AlertFields raised = f;
                raised.Date = platform::FormatDatePattern(g_builtFor, QStringLiteral("dd-mm-yyyy"));
                if (g_showAlert)
                    g_showAlert(raised);
                break;
            }
            ++i;
        }
    } catch (const std::exception&) {
    }
}

WorkArea GetWorkArea() {
    WorkArea area;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        platform::MsgBox(QStringLiteral("Error! 0"), platform::MsgStyle::OkOnly, QStringLiteral("Veltrane"));
        return area;
    }
    const QRect r = screen->availableGeometry();
    area.Left = r.left();
    area.Top = r.top();
    area.Right = r.x() + r.width();
    area.Bottom = r.y() + r.height();
    return area;
}

void NotifyWindowPosition(const WorkArea& area, double widthTwips, double heightTwips, double& leftTwips,
                          double& topTwips) {
    leftTwips = double(area.Right) * platform::TwipsPerPixelX() - widthTwips - 75;
    topTwips = double(area.Bottom) * platform::TwipsPerPixelY() - heightTwips;
}

void PlaySoundFile(const QString& path) {
    if (mGeneralFunctions::FileExists(path))
        platform::SoundPlayer::current().play(path);
}

void SetAlertTimer(clsTimer* timer) {
    if (timer == g_timer)
        return;
    // The alerts belong to the main window whose timer runs them: another
    // window's start with nothing pending and nothing alerted yet.
    g_timer = timer;
    PendingAlerts().clear();
    g_alerted.clear();
    g_builtFor = QDate();
}

clsTimer* AlertTimer() {
    return g_timer;
}

void SetAlertWindow(std::function<void(const AlertFields& alert)> show) {
    g_showAlert = std::move(show);
}

void SetMeetingChangedHandler(std::function<void(const QString& sDate)> handler) {
    g_meetingChanged = std::move(handler);
}

} // namespace mNotification
