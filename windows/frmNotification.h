#pragma once

#include "data/mNotification.h"
#include "windows/FormBase.h"

class LinkLabel;
class QLabel;
class QTimer;

// The meeting alert: opens above every window at the bottom right of the work
// area, grows upwards and offers the meeting's details. Each alert is a window
// of its own; one opening while others are up stands above them. An alert
// belongs to one meeting of one day and closes when that meeting is moved,
// renamed or removed. It opens without taking the focus; once the person
// turns to it, Tab reaches "Show Details", and Escape closes it.
class frmNotification : public FormWidget {
    Q_OBJECT
public:
    frmNotification();
    ~frmNotification() override;

    // Opens a new alert for a meeting of the day alert.Date names.
    static frmNotification* ShowAlert(const mNotification::AlertFields& alert);
    // The alerts on the screen, oldest first.
    static QList<frmNotification*> OpenAlerts();
    // A meeting of that day was changed or removed: each alert of the day
    // looks its meeting up again.
    static void MeetingChanged(const QString& sDate);

    QLabel* lblTitle = nullptr;
    QLabel* lblStartTime = nullptr;
    QLabel* lblEndTime = nullptr;
    QLabel* lblInfo = nullptr;
    LinkLabel* lblShowDetails = nullptr;
    QLabel* imgImage1 = nullptr;
    QTimer* tmrAnimate = nullptr;

    // The designed height, and the height reached so far, in twips.
    static constexpr double kDesignedHeight = 2055;
    static constexpr double kDesignedWidth = 4800;
    double HeightTwips() const { return m_heightTwips; }
    // The work area the alert stands on: the screen's, or above the alerts
    // already up.
    mNotification::WorkArea Area() const { return m_area; }
    // Places the window for its current height on a work area.
    void PlaceNotifyWindow(const mNotification::WorkArea& area);

    void tmrAnimate_Timer();
    void lblShowDetails_Click();

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    // Closes the alert when its meeting is gone or starts at another time;
    // a changed end time is shown.
    void checkMeeting();

    mNotification::AlertFields m_meeting;
    mNotification::WorkArea m_area;
    double m_targetHeight = kDesignedHeight;
    double m_heightTwips = kDesignedHeight;
};
