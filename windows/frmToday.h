#pragma once

#include "windows/FormBase.h"

#include <QString>

class QLabel;
class QTimer;
class HeaderStrip;
namespace platform {
class BackedWidget;
class ListView;
} // namespace platform

// One day at a glance: a header with the day and a live clock, and the day's
// tasks and meetings, each list under a caption and a gradient rule.
class frmToday : public MdiChildForm {
    Q_OBJECT
public:
    frmToday();

    // The day shown, "dd-mm-yyyy"; empty until first written. Writing it sets
    // the header and the captions, not the lists.
    QString DisplayDate() const { return m_displayDate; }
    void SetDisplayDate(const QString& dayKey);

    HeaderStrip* picHeader = nullptr;
    QLabel* lblHeader = nullptr;
    QTimer* tmrClock = nullptr;
    QWidget* picTasksContaiter = nullptr;
    QWidget* picMeetingsContainer = nullptr;
    QLabel* lblInfo[2] = {};
    platform::BackedWidget* picGradLine[2] = {};
    platform::ListView* lstTasksToday = nullptr;
    platform::ListView* lstMeetingsToday = nullptr;

    // The width, in twips, a time column needs to show a time in bold whole.
    static double BoldTimeColumnWidth(const QWidget* list);

    // The header text for the day shown, at the current time.
    QString HeaderText() const;

    void tmrClock_Timer();
    void lstTasksToday_DblClick();
    void lstTasksToday_MouseDown(int Button, int Shift, int x, int y);
    void lstMeetingsToday_DblClick();
    void lstMeetingsToday_MouseDown(int Button, int Shift, int x, int y);

protected:
    void Form_Load() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Resize();

    QString m_displayDate;
};
