#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

class clsTimer;

// Today's meetings that have not begun yet, and the once-a-second check that
// opens an alert for the first of them that starts within ten minutes.
namespace mNotification {

// One pending meeting: title, meeting-for text, start time and end time,
// joined by "###".
QStringList& PendingAlerts();

// The fields of a pending entry. The title may itself hold "###", so the
// other three are read from the right. Date is the day key the alert was
// raised for; an entry itself does not hold it.
struct AlertFields {
    QString Title;
    QString MeetFor;
    QString StartTime;
    QString EndTime;
    QString Date;
};
AlertFields SplitAlertEntry(const QString& entry);

// Seconds since midnight of a time text (a date part is ignored); -1 when the
// text holds no time.
int32_t TimeToSeconds(const QString& timeText);

// Rebuilds the pending list from today's meetings in the data file and
// (re)starts the alert timer.
void ScheduleTodayAlerts();
// One tick: drops begun meetings and unreadable entries, opens at most one
// alert, and always re-arms the timer. A new day rebuilds the list first.
void CheckMeetingAlerts();
// Stops the timer before the list is rebuilt; nothing when there is none.
void StopAlertTimer();
// A meeting removed from a day: one added later under the same title is
// alerted anew.
void ForgetAlerted(const QString& sDate, const QString& sTitle);
// A meeting of that day was changed in place or removed: the alerts that are
// open learn of it through the handler the main window hands in.
void MeetingChanged(const QString& sDate);

// The screen's work area, in pixels.
struct WorkArea {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
};
WorkArea GetWorkArea();
// Where a pop-up of that size stands, in twips: its bottom on the area's
// bottom, its right edge 75 twips in from the area's right edge.
void NotifyWindowPosition(const WorkArea& area, double widthTwips, double heightTwips, double& leftTwips,
                          double& topTwips);
// Plays a sound file without waiting; a missing file is silent.
void PlaySoundFile(const QString& path);

// The main window hands over its timer and the way it opens an alert. Another
// timer, or none, starts the alerts anew: nothing pending, nothing alerted.
void SetAlertTimer(clsTimer* timer);
clsTimer* AlertTimer();
void SetAlertWindow(std::function<void(const AlertFields& alert)> show);
void SetMeetingChangedHandler(std::function<void(const QString& sDate)> handler);

} // namespace mNotification
