#pragma once

#include "data/DataFile.h"

#include <QString>
#include <QStringList>
#include <cstdint>

// One task as the editor and the store hand it over; Desc and Remarks stay
// enciphered (or blank as typed).
struct TaskRecord {
    QString Date;
    QString Title;
    QString Desc;
    QString Status;
    QString Priority;
    QString Remarks;

    bool operator==(const TaskRecord& o) const {
        return Date == o.Date && Title == o.Title && Desc == o.Desc && Status == o.Status && Priority == o.Priority &&
               Remarks == o.Remarks;
    }
};

// A day's tasks or meetings container, inside the document that was loaded to
// find it; the caller changes and saves that same document.
struct DateContainer {
    DataFile::EditDocument doc;
    platform::XmlNode node; // null when the day is not in the file
};

// A day to read from, with the document that holds it.
struct DayToRead {
    DataFile::ReadDocument doc;
    platform::XmlNode node; // null when the day is not in the file
};

// The tasks of each day in the data file.
namespace mTasks {

enum ContainerKind : int16_t { KindTasks = 0, KindMeetings = 1 };

bool CreateDateNode(const QString& sDate);
DateContainer GetDateContainer(const QString& sDate, int16_t nKind);
bool TaskTitleExists(const QString& sDate, const QString& sTitle);
// Returns whether the field was changed and saved.
bool UpdateItemField(const QString& sDate, const QString& sTitle, int16_t nField, const QString& sValue, int16_t nKind);
// Returns whether the task was saved.
bool SaveTask(const TaskRecord& rec, bool IsNew, const QString& OldTitle);
TaskRecord GetTask(const QString& sDate, const QString& sTitle);
bool DeleteTask(const QString& sDate, const QString& sTitle);

// After a delete: the all-tasks (or all-meetings) list when it is showing,
// otherwise the Today view and the calendar at the deleted record's day.
void ReloadAfterDelete(int16_t nKind, const QString& sDate);

// The task-access message shown when a task cannot be found.
void ShowTaskAccessError();
// The meeting-access message, shared with the meeting store.
void ShowMeetingAccessError();

// The same steps on a document the operation has already loaded.
bool CreateDateNodeIn(platform::XmlDocument& doc, const QString& sDate);
// The first day element with this date.
platform::XmlNode FindDay(const platform::XmlDocument& doc, const QString& sDate);
// The first day element with this date in data.xml as it is on disk now, to
// read from.
DayToRead ReadDay(const QString& sDate);
// That day's tasks (nKind 0) or meetings (1).
platform::XmlNode FindDateContainer(const platform::XmlDocument& doc, const QString& sDate, int16_t nKind);
// The first child of a container whose first attribute is the title.
platform::XmlNode FindByTitle(platform::XmlNode container, const QString& title);
// The record of a day's tasks (nKind 0) or meetings (1) with this title, or a
// null node when the day, its container or the record is missing.
platform::XmlNode FindDayRecord(const platform::XmlDocument& doc, const QString& sDate, int16_t nKind,
                                const QString& title);
// The day's container of a kind for a record being added, the day added first
// when the file has none; a null node, after the kind's access message, when
// there is nowhere to put the record.
platform::XmlNode DayContainerForAdd(platform::XmlDocument& doc, const QString& sDate, int16_t nKind);
// Appends a record to a container: an element with the title as its first
// attribute and empty fields of these names, in this order.
platform::XmlNode AppendRecord(platform::XmlDocument& doc, platform::XmlNode container, const QString& element,
                               const QString& title, const QStringList& fieldNames);

} // namespace mTasks
