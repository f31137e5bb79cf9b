#pragma once

#include <QString>
#include <QStringList>
#include <array>

// What the note store and the password store share: records filed by title
// under one container element, each with a title attribute and four fields
// read by position. Both report a missing record with the same messages.
namespace TitledStore {

using Fields = std::array<QString, 4>;

struct Kind {
    QString containerPath;  // ".//zandor/notes"
    QString element;        // "note"
    QStringList fieldNames; // four
};

// Adds a record, or renames the record titled OldTitle in place and rewrites
// the fields whose flag in `rewrite` is set. Returns whether it was saved.
bool Save(const Kind& kind, const QString& title, const Fields& values, bool IsNew, const QString& OldTitle,
          const std::array<bool, 4>& rewrite);

// Reads the record's title and fields as stored; false (after the message)
// when no record has the title, or silently when the file does not load.
bool Get(const Kind& kind, const QString& title, QString& storedTitle, Fields& values);

enum class DeleteResult { Empty, NotFound, Removed, SaveFailed };
// Removes the first record with the title. An empty container is left alone;
// otherwise the file is saved, also when nothing matched.
DeleteResult Delete(const Kind& kind, const QString& title);

} // namespace TitledStore
