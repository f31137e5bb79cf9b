#pragma once

#include "platform/XmlDocument.h"

#include <QString>
#include <initializer_list>
#include <memory>

// Access to data.xml shared by every record store: loaded whole and saved
// whole. The document last read or written is kept with a digest of the exact
// bytes it was built from or written as, and used again only while the file
// still holds those bytes, so the steps of one user action (its checks, the
// store, the list reload) parse the file once. Any change by another program
// shows at the next operation.
namespace DataFile {

// A document to read from; it may be shared with the next reader.
using ReadDocument = std::shared_ptr<const platform::XmlDocument>;
// A document of the caller's own, to change and hand to Save.
using EditDocument = std::unique_ptr<platform::XmlDocument>;

// The data file's path, rebuilt for every load and save.
QString Path();

// data.xml as it is on disk now. A missing or malformed file is the fatal
// data-file failure, so this returns only with a document.
ReadDocument Read();
// The same, but a file that cannot be loaded gives null, with the reason in
// *error when asked for.
ReadDocument TryRead(QString* error = nullptr);

// data.xml as it is on disk now, to change and then hand to Save. A document
// left unsaved is simply dropped.
EditDocument Edit();
// The same, but a file that cannot be loaded gives null.
EditDocument TryEdit();

// Saves the document over data.xml. When the file cannot be written, the
// person is told so, the previous file is left as it was and false comes back.
bool Save(EditDocument doc);

// The fatal data-file failure: the critical message, every window unloaded,
// the process ended.
[[noreturn]] void Fatal();

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
platform::XmlNode RootOrDie(const platform::XmlDocument& doc);

} // namespace DataFile
