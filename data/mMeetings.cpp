#include "data/mMeetings.h"

#include "data/DataFile.h"
#include "data/mFunctions.h"
#include "data/mNotification.h"
#include "data/mTasks.h"

using platform::XmlDocument;
using platform::XmlNode;

namespace mMeetings {

namespace {

// A code read back from the file. Anything that is not a 16-bit number reads
// as -1, which every code text shows as "- Unknown -", rather than passing for
// a real code.
int16_t codeFromText(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < INT16_MIN || value > INT16_MAX)
        return -1;
    return static_cast<int16_t>(value);
}

// Times go to the file as handed over: the system's time format has no one
// pattern, and a time the person left alone keeps the form it was read in.
void writeFields(XmlDocument& doc, XmlNode meeting, const MeetingRecord& rec, bool isNew) {
    // An edit leaves a code's text that already reads as the code, so a code
    // the person did not change keeps its text (" 2", or one that names no
    // code and reads as -1).
    auto setCode = [&](XmlNode field, int16_t code) {
        if (isNew || codeFromText(field.text()) != code)
            doc.setText(field, QString::number(code));
    };
    setCode(meeting.child(0), rec.Priority);
    setCode(meeting.child(1), rec.MeetFor);
    doc.setText(meeting.child(2), rec.StartTime);
    doc.setText(meeting.child(3), rec.EndTime);
    doc.setText(meeting.child(4), rec.Desc);
}

// The day's meeting of that title, or a null node.
XmlNode findMeeting(const XmlDocument& doc, const QString& sDate, const QString& sTitle) {
    return mTasks::FindDayRecord(doc, sDate, mTasks::KindMeetings, sTitle);
}

} // namespace

bool MeetingTitleExists(const QString& sDate, const QString& sTitle) {
    const DataFile::ReadDocument doc = DataFile::Read();
    return !findMeeting(*doc, sDate, sTitle).isNull();
}

bool SaveMeeting(const MeetingRecord& rec, bool IsNew, const QString& OldTitle) {
    if (!DataFile::CheckStorable(rec.Title, {rec.Date, rec.StartTime, rec.EndTime, rec.Desc}))
        return false;
    DataFile::EditDocument doc = DataFile::Edit();
    if (IsNew) {
        XmlNode meetings = mTasks::DayContainerForAdd(*doc, rec.Date, mTasks::KindMeetings);
        if (!meetings)
            return false;
        writeFields(*doc,
                    mTasks::AppendRecord(*doc, meetings, QStringLiteral("meeting"), rec.Title,
                                         {QStringLiteral("priority"), QStringLiteral("m_for"), QStringLiteral("s_time"),
                                          QStringLiteral("e_time"), QStringLiteral("desc")}),
                    rec, true);
        return DataFile::Save(std::move(doc));
    }

    XmlNode meeting = findMeeting(*doc, rec.Date, OldTitle);
    // A damaged meeting without all five fields would take the edit only in
    // part while it was reported saved.
    if (!meeting || !meeting.child(4)) {
        mTasks::ShowMeetingAccessError();
        return false;
    }
    doc->setAttribute(meeting, meeting.attributeName(0), rec.Title);
    writeFields(*doc, meeting, rec, false);
    if (!DataFile::Save(std::move(doc)))
        return false;
    mNotification::MeetingChanged(rec.Date);
    return true;
}

MeetingRecord GetMeetingDetails(const QString& sDate, const QString& sTitle) {
    const DataFile::ReadDocument doc = DataFile::Read();
    XmlNode meeting = findMeeting(*doc, sDate, sTitle);
    if (!meeting) {
        mTasks::ShowMeetingAccessError();
        return MeetingRecord();
    }
    MeetingRecord rec;
    rec.Date = meeting.parentNode().parentNode().attributeText(0);
    rec.Title = meeting.attributeText(0);
    rec.Priority = codeFromText(meeting.child(0).text());
    rec.MeetFor = codeFromText(meeting.child(1).text());
    rec.StartTime = meeting.child(2).text();
    rec.EndTime = meeting.child(3).text();
    rec.Desc = meeting.child(4).text();
    return rec;
}

bool DeleteMeeting(const QString& sDate, const QString& sTitle) {
    DataFile::EditDocument doc = DataFile::Edit();
    bool removed = false;
    if (mFunctions::NodeExistsIn(*doc, QStringLiteral(".//zandor"), QStringLiteral("date"), sDate)) {
        XmlNode meeting = findMeeting(*doc, sDate, sTitle);
        if (!meeting) {
            mTasks::ShowMeetingAccessError();
            return false;
        }
        doc->removeChild(meeting.parentNode(), meeting);
        // The emptied days go in the same save, as after a task delete.
        mFunctions::RemoveEmptyDateNodesIn(*doc, DataFile::RootOrDie(*doc));
        if (!DataFile::Save(std::move(doc)))
            return false;
        removed = true;
        mNotification::ForgetAlerted(sDate, sTitle);
        mNotification::MeetingChanged(sDate);
    }
    // A day that is not in the file shows no message, yet the view still
    // moves to it as after a delete.
    mTasks::ReloadAfterDelete(mTasks::KindMeetings, sDate);
    return removed;
}

} // namespace mMeetings
