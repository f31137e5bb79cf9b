#pragma once

#include "platform/XmlDocument.h"

#include <QString>
#include <initializer_list>

// Access to data.xml shared by every record store: one fresh document per
// operation, loaded whole and saved whole.
namespace DataFile {

// The data file's path, rebuilt for every load and save.
QString Path();

// Loads data.xml into doc; a missing or malformed file is the fatal data-file
// failure, so this returns only on success.
void LoadOrDie(platform::XmlDocument& doc);

// The fatal data-file failure: the critical message, every window unloaded,
// the process ended.
[[noreturn]] void Fatal();

// Saves doc over data.xml. When the file cannot be written, the person is told
// so, the previous file is left as it was and false comes back.
bool Save(platform::XmlDocument& doc);

// Whether a record's title and its clear-text values can all be written: a
// character XML cannot hold (a control character other than tab, CR and LF,
// half of a surrogate pair, U+FFFE or U+FFFF) would make the whole file
// unreadable. When one can not, the person is told and false comes back;
// nothing is to be written then.
bool CheckStorable(QStringView title, std::initializer_list<QStringView> values);

// Removes the temporary files that saves killed half-way left beside
// data.xml. Called once at start, by the copy that holds the single-instance lock.
void RemoveStaleTemporaries();

// The root ".//zandor", or the fatal failure when the file has none.
platform::XmlNode RootOrDie(platform::XmlDocument& doc);

} // namespace DataFile
