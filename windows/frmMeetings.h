#pragma once

#include "windows/FormBase.h"
#include "windows/ReadValue.h"

#include <QString>
#include <cstdint>

class QComboBox;
class XPButton;
namespace platform {
class DatePicker;
class MultiLineTextBox;
class TextBox;
class TimePicker;
} // namespace platform

// The dialog that schedules a meeting, or reschedules the meeting of a day
// and title. The opener sets ShowMode (0 add, 1 reschedule) and, to
// reschedule, MeetingDate and MeetingTitle, then shows it modally.
class frmMeetings : public FormWidget {
    Q_OBJECT
public:
    frmMeetings();

    int32_t ShowMode = 0;
    QString MeetingDate;
    QString MeetingTitle;

    // Shows the default editor modally: empty, to add a meeting, or on a
    // stored meeting of a day and title.
    static void AddMeeting();
    static void EditMeeting(const QString& sDate, const QString& sTitle);

    // Fills the fields from the stored meeting.
    void LoadMeetingData(const QString& sDate, const QString& sTitle);

    platform::TextBox* txtTitle = nullptr;
    platform::DatePicker* ucDTPicker = nullptr;
    platform::TimePicker* ucStartTime = nullptr;
    platform::TimePicker* ucEndTime = nullptr;
    QComboBox* cmbMeetFor = nullptr;
    QComboBox* cmbPriority = nullptr;
    platform::MultiLineTextBox* txtDesc = nullptr;
    XPButton* btnSave = nullptr;
    XPButton* btnCancel = nullptr;

    void btnSave_Click();
    void btnCancel_Click();

protected:
    void Form_Load() override;

private:
    // Codes read from a meeting whose stored code names no list entry; saved
    // back as they were unless a list entry is chosen.
    int16_t m_storedMeetFor = 0;
    int16_t m_storedPriority = 2;
    // What edit mode read, so the values the person leaves as they were are
    // saved as read: a time stored as "9:00:00 AM" stays so.
    struct {
        ReadValue day, title, desc, start, end;
    } m_read;
};
