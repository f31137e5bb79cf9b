#include "windows/frmNotification.h"

#include "data/mGeneralFunctions.h"
#include "data/mMeetings.h"
#include "platform/ProgramFolder.h"
#include "platform/Twips.h"
#include "platform/Ui.h"
#include "windows/DialogKeys.h"
#include "windows/LinkLabel.h"
#include "windows/Pictures.h"
#include "windows/frmMeetings.h"

#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <cmath>

namespace {

QList<QPointer<frmNotification>>& openAlerts() {
    static QList<QPointer<frmNotification>> alerts;
    return alerts;
}

QLabel* label(QWidget* parent, const char* name, int x, int y, int w, int h, bool bold = false) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(x, y, w, h);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

// How much taller and wider than its client area a pop-up's frame is, title
// bar and borders included, as the pop-ups already up show it; a new one is
// framed alike. Nothing is known before the first one is framed.
QSize frameExtra(const QList<frmNotification*>& alerts) {
    QSize extra(0, 0);
    for (const frmNotification* a : alerts)
        extra = extra.expandedTo(a->frameGeometry().size() - a->geometry().size());
    return extra;
}

} // namespace

frmNotification::frmNotification() : FormWidget(QStringLiteral("frmNotification")) {
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowIcon(ProgramIcon());
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 225));
    setPalette(pal);

    // Laid out from the top: while the window grows upwards, its top shows
    // first.
    imgImage1 = label(this, "imgImage1", 10, 10, 32, 32);
    imgImage1->setPixmap(ProgramPicture(QStringLiteral("veltrane-32.png")));
    lblInfo = label(this, "lblInfo", 52, 8, 260, 18);
    lblInfo->setText(QStringLiteral("This meeting starts soon:"));
    lblTitle = label(this, "lblTitle", 52, 28, 260, 36, true);
    lblTitle->setWordWrap(true);
    auto* startCaption = label(this, "lblStartCaption", 52, 68, 70, 18);
    startCaption->setText(QStringLiteral("Starts at:"));
    lblStartTime = label(this, "lblStartTime", 124, 68, 180, 18);
    auto* endCaption = label(this, "lblEndCaption", 52, 88, 70, 18);
    endCaption->setText(QStringLiteral("Ends at:"));
    lblEndTime = label(this, "lblEndTime", 124, 88, 180, 18);
    lblShowDetails = new LinkLabel(QStringLiteral("Show Details"), this);
    lblShowDetails->setObjectName(QStringLiteral("lblShowDetails"));
    lblShowDetails->setGeometry(52, 112, 120, 18);
    connect(lblShowDetails, &LinkLabel::Click, this, &frmNotification::lblShowDetails_Click);
    dialog_keys::Bind(this, nullptr, [this]() { close(); });

    tmrAnimate = new QTimer(this);
    connect(tmrAnimate, &QTimer::timeout, this, &frmNotification::tmrAnimate_Timer);
    resize(platform::TwipsToPixelsX(kDesignedWidth), platform::TwipsToPixelsY(kDesignedHeight));
}

frmNotification::~frmNotification() {
    openAlerts().removeAll(QPointer<frmNotification>(this));
}

frmNotification* frmNotification::ShowAlert(const mNotification::AlertFields& alert) {
    auto* w = new frmNotification();
    w->m_meeting = alert;
    w->setWindowTitle(QStringLiteral("Meeting Schedule Alert for ") + alert.MeetFor);
    w->lblTitle->setText(alert.Title);
    w->lblStartTime->setText(alert.StartTime);
    w->lblEndTime->setText(alert.EndTime);
    w->Show();
    return w;
}

QList<frmNotification*> frmNotification::OpenAlerts() {
    QList<frmNotification*> out;
    for (const QPointer<frmNotification>& a : openAlerts())
        if (a && !a->isUnloaded())
            out << a.data();
    return out;
}

void frmNotification::MeetingChanged(const QString& sDate) {
    for (frmNotification* alert : OpenAlerts())
        if (alert->m_meeting.Date == sDate)
            alert->checkMeeting();
}

void frmNotification::checkMeeting() {
    // Read only once it is known to be there: a meeting that is gone is no
    // fault of the data file, so the store's message about one does not fit.
    if (mMeetings::MeetingTitleExists(m_meeting.Date, m_meeting.Title)) {
        const MeetingRecord stored = mMeetings::GetMeetingDetails(m_meeting.Date, m_meeting.Title);
        // A meeting that starts at another time is alerted again for that time.
        if (mNotification::TimeToSeconds(stored.StartTime) == mNotification::TimeToSeconds(m_meeting.StartTime)) {
            m_meeting.EndTime = stored.EndTime;
            lblEndTime->setText(stored.EndTime);
            return;
        }
    }
    unloadForm();
}

void frmNotification::Form_Load() {
    const mNotification::WorkArea full = mNotification::GetWorkArea();
    m_targetHeight = std::round(kDesignedHeight);
    m_heightTwips = 0;
    // A new alert stands above the ones already up, its frame's bottom on
    // the top of theirs, so none hides another's title bar; a column that has
    // no room left starts another to its left, and when the area is full
    // across, the corner is used again.
    const QList<frmNotification*> others = OpenAlerts();
    const QSize frame = frameExtra(others);
    const double perPixelY = platform::TwipsPerPixelY();
    const double perPixelX = platform::TwipsPerPixelX();
    const double grown = std::ceil(m_targetHeight / 100) * 100;
    const int32_t columnStep = platform::TwipsToPixelsX(kDesignedWidth + 75) + frame.width();
    m_area = full;
    for (int32_t right = full.Right;; right -= columnStep) {
        if (right != full.Right &&
            double(right - frame.width()) * perPixelX - kDesignedWidth - 75 < double(full.Left) * perPixelX)
            break;
        int32_t bottom = full.Bottom;
        for (frmNotification* other : others) {
            if (other->m_area.Right != right)
                continue;
            const double grownTop =
                double(other->m_area.Bottom) * perPixelY - std::ceil(other->m_targetHeight / 100) * 100;
            bottom = std::min<int32_t>(bottom, std::floor(grownTop / perPixelY) - frame.height());
        }
        if (double(bottom - frame.height() - full.Top) * perPixelY >= grown) {
            m_area.Right = right;
            m_area.Bottom = bottom;
            break;
        }
    }
    openAlerts() << QPointer<frmNotification>(this);
    PlaceNotifyWindow(m_area);
    // Putting it on top shows it: only now that it stands in its corner with
    // no height yet, so it never flashes up whole anywhere else.
    mGeneralFunctions::SetTopMost(platform::HandleOf(this), true);
    mNotification::PlaySoundFile(platform::ShippedFile(QStringLiteral("ntfy.wav")));
    tmrAnimate->setInterval(20);
    tmrAnimate->start();
}

void frmNotification::Form_Unload() {
    tmrAnimate->stop();
    openAlerts().removeAll(QPointer<frmNotification>(this));
}

void frmNotification::PlaceNotifyWindow(const mNotification::WorkArea& area) {
    double left = 0;
    double top = 0;
    mNotification::NotifyWindowPosition(area, kDesignedWidth, m_heightTwips, left, top);
    setGeometry(platform::TwipsToPixelsX(left), platform::TwipsToPixelsY(top), platform::TwipsToPixelsX(kDesignedWidth),
                std::max(1, platform::TwipsToPixelsY(m_heightTwips)));
}

void frmNotification::tmrAnimate_Timer() {
    if (m_heightTwips < m_targetHeight) {
        m_heightTwips += 100;
        PlaceNotifyWindow(m_area);
    } else {
        tmrAnimate->stop();
    }
}

void frmNotification::lblShowDetails_Click() {
    // The meeting of the day the alert was raised for, also after midnight.
    if (!mMeetings::MeetingTitleExists(m_meeting.Date, m_meeting.Title)) {
        platform::MsgBox(QStringLiteral("This meeting is no longer in the Data File."), platform::MsgStyle::Information,
                         QStringLiteral("Meeting not found"));
        unloadForm();
        return;
    }
    frmMeetings::EditMeeting(m_meeting.Date, m_meeting.Title);
}
