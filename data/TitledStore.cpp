#include "data/TitledStore.h"

#include "data/DataFile.h"
#include "data/mTasks.h"
#include "platform/Ui.h"

using platform::XmlDocument;
using platform::XmlNode;

namespace TitledStore {

namespace {

XmlNode containerOrDie(const XmlDocument& doc, const Kind& kind) {
    XmlNode container = doc.selectSingleNode(kind.containerPath);
    if (!container)
        DataFile::Fatal();
    return container;
}

} // namespace

bool Save(const Kind& kind, const QString& title, const Fields& values, bool IsNew, const QString& OldTitle,
          const std::array<bool, 4>& rewrite) {
    if (!DataFile::CheckStorable(title, {values[0], values[1], values[2], values[3]}))
        return false;
    DataFile::EditDocument doc = DataFile::Edit();
    XmlNode container = containerOrDie(*doc, kind);
    if (IsNew) {
        XmlNode record = mTasks::AppendRecord(*doc, container, kind.element, title, kind.fieldNames);
        for (size_t i = 0; i < values.size(); ++i)
            doc->setText(record.child(static_cast<int>(i)), values[i]);
    } else {
        XmlNode record = mTasks::FindByTitle(container, OldTitle);
        // A damaged record without all four fields would take the edit only in
        // part while it was reported saved.
        if (!record || !record.child(static_cast<int>(values.size()) - 1)) {
            platform::MsgBox(QStringLiteral("Selected Note found missing! Changes to selected Note can not be saved."),
                             platform::MsgStyle::Information, QStringLiteral("Edit Note process failed!"));
            return false;
        }
        doc->setAttribute(record, record.attributeName(0), title);
        for (size_t i = 0; i < values.size(); ++i)
            if (rewrite[i])
                doc->setText(record.child(static_cast<int>(i)), values[i]);
    }
    return DataFile::Save(std::move(doc));
}

bool Get(const Kind& kind, const QString& title, QString& storedTitle, Fields& values) {
    const DataFile::ReadDocument doc = DataFile::TryRead();
    if (!doc)
        return false;
    XmlNode record = mTasks::FindByTitle(containerOrDie(*doc, kind), title);
    if (!record) {
        platform::MsgBox(QStringLiteral("Selected Note found missing!"), platform::MsgStyle::Information,
                         QStringLiteral("Action execution failed!"));
        return false;
    }
    storedTitle = record.attributeText(0);
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = record.child(static_cast<int>(i)).text();
    return true;
}

DeleteResult Delete(const Kind& kind, const QString& title) {
    DataFile::EditDocument doc = DataFile::Edit();
    XmlNode container = containerOrDie(*doc, kind);
    if (!container.hasChildNodes())
        return DeleteResult::Empty;
    XmlNode record = mTasks::FindByTitle(container, title);
    const bool found = !record.isNull();
    if (found)
        doc->removeChild(container, record);
    if (!DataFile::Save(std::move(doc)))
        return DeleteResult::SaveFailed;
    return found ? DeleteResult::Removed : DeleteResult::NotFound;
}

} // namespace TitledStore
