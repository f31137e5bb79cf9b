#include "data/mTasks.h"

#include "data/DataFile.h"
#include "data/Views.h"
#include "data/mFunctions.h"
#include "data/mGeneralFunctions.h"
#include "platform/Text.h"
#include "platform/Ui.h"

using platform::XmlDocument;
using platform::XmlNode;

namespace mTasks {

void ShowTaskAccessError() {
    platform::MsgBox(QStringLiteral("Error in accessing Task element(s). Either the Data file is invalid or currupt. "
                                    "Please try restoring data File from Backup or re-installing the Application to "
                                    "resolve this Error issue."),
                     platform::MsgStyle::Information, QStringLiteral("Error in accessing information in Data File."));
}

void ShowMeetingAccessError() {
    platform::MsgBox(QStringLiteral("Error in accessing Meeting Details. Either the Data file is invalid or currupt. "
                                    "Please try restoring data File from Backup or re-installing the Application to "
                                    "resolve this Error issue."),
                     platform::MsgStyle::Information, QStringLiteral("Error in accessing information in Data File."));
}

bool CreateDateNodeIn(XmlDocument& doc, const QString& sDate) {
    XmlNode root = doc.selectSingleNode(QStringLiteral(".//zandor"));
    if (!root)
        return false;
    XmlNode day = doc.createElement(QStringLiteral("date"));
    doc.setAttribute(day, QStringLiteral("d"), sDate);
    doc.appendChild(day, doc.createElement(QStringLiteral("tasks")));
    doc.appendChild(day, doc.createElement(QStringLiteral("meetings")));
    doc.appendChild(root, day);
    return true;
}

bool CreateDateNode(const QString& sDate) {
    if (!DataFile::CheckStorable(sDate, {}))
        return false;
    DataFile::EditDocument doc = DataFile::Edit();
    if (!CreateDateNodeIn(*doc, sDate))
        return false;
    return DataFile::Save(std::move(doc));
}

XmlNode FindDay(const XmlDocument& doc, const QString& sDate) {
    XmlNode root = DataFile::RootOrDie(doc);
    const QByteArray wanted = sDate.toUtf8();
    for (XmlNode c = root.firstChild(); c; c = c.nextSibling())
        // The key is compared in place first; only the one match's name is read.
        if (c.firstAttributeEquals(wanted) && c.nodeName() == QLatin1String("date"))
            return c;
    return XmlNode();
}

DayToRead ReadDay(const QString& sDate) {
    DayToRead day;
    day.doc = DataFile::Read();
    day.node = FindDay(*day.doc, sDate);
    return day;
}

XmlNode FindDateContainer(const XmlDocument& doc, const QString& sDate, int16_t nKind) {
    return FindDay(doc, sDate).child(nKind);
}

DateContainer GetDateContainer(const QString& sDate, int16_t nKind) {
    DateContainer result;
    result.doc = DataFile::Edit();
    result.node = FindDateContainer(*result.doc, sDate, nKind);
    return result;
}

XmlNode FindByTitle(XmlNode container, const QString& title) {
    const QByteArray wanted = title.toUtf8();
    for (XmlNode c = container.firstChild(); c; c = c.nextSibling())
        if (c.firstAttributeEquals(wanted))
            return c;
    return XmlNode();
}

XmlNode FindDayRecord(const XmlDocument& doc, const QString& sDate, int16_t nKind, const QString& title) {
    XmlNode container = FindDateContainer(doc, sDate, nKind);
    return container.hasChildNodes() ? FindByTitle(container, title) : XmlNode();
}

XmlNode AppendRecord(XmlDocument& doc, XmlNode container, const QString& element, const QString& title,
                     const QStringList& fieldNames) {
    XmlNode record = doc.appendChild(container, doc.createElement(element));
    doc.setAttribute(record, QStringLiteral("title"), title);
    for (const QString& name : fieldNames)
        doc.appendChild(record, doc.createElement(name));
    return record;
}

bool TaskTitleExists(const QString& sDate, const QString& sTitle) {
    const DataFile::ReadDocument doc = DataFile::Read();
    return !FindDayRecord(*doc, sDate, KindTasks, sTitle).isNull();
}

namespace {

void reloadAfterChange(int16_t nKind) {
    const int32_t view = mFunctions::CurrentView();
    if (nKind == KindTasks && view == mFunctions::ViewTasks)
        views::LoadScheduleList(KindTasks, QString());
    else if (nKind == KindMeetings && view == mFunctions::ViewMeetings)
        views::LoadScheduleList(KindMeetings, QString());
    else
        views::LoadTodaySchedule(QString());
}

void accessError(int16_t nKind) {
    if (nKind == KindMeetings)
        ShowMeetingAccessError();
    else
        ShowTaskAccessError();
}

void writeFields(XmlDocument& doc, XmlNode task, const TaskRecord& rec) {
    doc.setText(task.child(0), rec.Priority);
    doc.setText(task.child(1), rec.Status);
    doc.setText(task.child(2), rec.Desc);
    doc.setText(task.child(3), rec.Remarks);
}

} // namespace

XmlNode DayContainerForAdd(XmlDocument& doc, const QString& sDate, int16_t nKind) {
    if (!mFunctions::NodeExistsIn(doc, QStringLiteral(".//zandor"), QStringLiteral("date"), sDate))
        CreateDateNodeIn(doc, sDate);
    XmlNode container = FindDateContainer(doc, sDate, nKind);
    // A blank day, or a day element without its containers: nowhere to put
    // the record.
    if (!container)
        accessError(nKind);
    return container;
}

bool UpdateItemField(const QString& sDate, const QString& sTitle, int16_t nField, const QString& sValue,
                     int16_t nKind) {
    if (!DataFile::CheckStorable(QString(), {sValue}))
        return false;
    DataFile::EditDocument doc = DataFile::Edit();
    XmlNode record = FindDayRecord(*doc, sDate, nKind, sTitle);
    XmlNode field = record.child(nField);
    if (!field) {
        accessError(nKind);
        return false;
    }
    doc->setText(field, sValue);
    if (!DataFile::Save(std::move(doc)))
        return false;
    reloadAfterChange(nKind);
    return true;
}

bool SaveTask(const TaskRecord& rec, bool IsNew, const QString& OldTitle) {
    if (!DataFile::CheckStorable(rec.Title, {rec.Date, rec.Priority, rec.Status, rec.Desc, rec.Remarks}))
        return false;
    DataFile::EditDocument doc = DataFile::Edit();
    if (IsNew) {
        XmlNode tasks = DayContainerForAdd(*doc, rec.Date, KindTasks);
        if (!tasks)
            return false;
        writeFields(*doc,
                    AppendRecord(*doc, tasks, QStringLiteral("task"), rec.Title,
                                 {QStringLiteral("priority"), QStringLiteral("status"), QStringLiteral("desc"),
                                  QStringLiteral("remarks")}),
                    rec);
        return DataFile::Save(std::move(doc));
    }

    XmlNode task = FindDayRecord(*doc, rec.Date, KindTasks, OldTitle);
    // A damaged task without all four fields would take the edit only in part
    // while it was reported saved.
    if (!task || !task.child(3)) {
        ShowTaskAccessError();
        return false;
    }
    doc->setAttribute(task, task.attributeName(0), rec.Title);
    writeFields(*doc, task, rec);
    return DataFile::Save(std::move(doc));
}

TaskRecord GetTask(const QString& sDate, const QString& sTitle) {
    const DataFile::ReadDocument doc = DataFile::Read();
    XmlNode task = FindDayRecord(*doc, sDate, KindTasks, sTitle);
    if (!task) {
        ShowTaskAccessError();
        return TaskRecord();
    }
    TaskRecord rec;
    rec.Date = task.parentNode().parentNode().attributeText(0);
    rec.Title = task.attributeText(0);
    rec.Priority = task.child(0).text();
    rec.Status = task.child(1).text();
    rec.Desc = task.child(2).text();
    rec.Remarks = task.child(3).text();
    return rec;
}

bool DeleteTask(const QString& sDate, const QString& sTitle) {
    DataFile::EditDocument doc = DataFile::Edit();
    XmlNode task = FindDayRecord(*doc, sDate, KindTasks, sTitle);
    if (!task) {
        ShowTaskAccessError();
        return false;
    }
    doc->removeChild(task.parentNode(), task);
    // The emptied days go in the same save: the file ends as the delete and the
    // clean-up together leave it.
    mFunctions::RemoveEmptyDateNodesIn(*doc, DataFile::RootOrDie(*doc));
    if (!DataFile::Save(std::move(doc)))
        return false;
    ReloadAfterDelete(KindTasks, sDate);
    return true;
}

void ReloadAfterDelete(int16_t nKind, const QString& sDate) {
    const int32_t allView = nKind == KindMeetings ? mFunctions::ViewMeetings : mFunctions::ViewTasks;
    if (mFunctions::CurrentView() == allView) {
        views::LoadScheduleList(nKind, QString());
        return;
    }
    const QDate day = mGeneralFunctions::GetDateOnly(sDate);
    if (day.isValid()) {
        views::LoadTodaySchedule(platform::FormatDatePattern(day, QStringLiteral("dd-mm-yyyy")));
        views::SetCalendarDate(day);
    } else {
        views::LoadTodaySchedule(QString());
    }
}

} // namespace mTasks
