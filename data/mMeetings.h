#pragma once

#include <QString>
#include <cstdint>

// One meeting as the editor and the store hand it over; Desc stays enciphered
// (or blank as typed).
struct MeetingRecord {
    QString Date;
    QString Title;
    QString Desc;
    QString StartTime;
    QString EndTime;
    int16_t MeetFor = 0;
    int16_t Priority = 0;

    bool operator==(const MeetingRecord& o) const {
        return Date == o.Date && Title == o.Title && Desc == o.Desc && StartTime == o.StartTime &&
               EndTime == o.EndTime && MeetFor == o.MeetFor && Priority == o.Priority;
    }
};

// The meetings of each day in the data file, beside the tasks.
namespace mMeetings {

bool MeetingTitleExists(const QString& sDate, const QString& sTitle);
// Returns whether the meeting was saved.
bool SaveMeeting(const MeetingRecord& rec, bool IsNew, const QString& OldTitle);
MeetingRecord GetMeetingDetails(const QString& sDate, const QString& sTitle);
// Returns whether the meeting was removed.
bool DeleteMeeting(const QString& sDate, const QString& sTitle);

} // namespace mMeetings
