#pragma once

#include "platform/XmlDocument.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <initializer_list>
#include <memory>

// Access to data.xml shared by every record store: loaded whole and saved
// whole. The document last read or written is kept with the identity of the
// file it came from, and used again while the file on disk is still that file,
// so one user action (its checks, the store, the list reload) parses the file
// at most once. Any change by another program shows at the next load.
namespace DataFile {

using Document = std::shared_ptr<platform::XmlDocument>;

// The data file's path, rebuilt for every load and save.
QString Path();

// data.xml as it is on disk now, to read from and never to change: it may be
// the kept document, shared with the next reader, and looked up through an
// index of its days that a change would leave pointing at removed elements. A
// missing or malformed file is the fatal data-file failure, so this returns
// only with a document.
Document Read();
// The same, but a file that cannot be loaded gives null, with the reason in
// *error when asked for.
Document TryRead(QString* error = nullptr);

// data.xml as it is on disk now, as a document of the caller's own to change
// and then hand to Save. A document left unsaved is simply dropped; the next
// load reads the file again.
Document Edit();
// The same, but a file that cannot be loaded gives null.
Document TryEdit();

// The fatal data-file failure: the critical message, every window unloaded,
// the process ended.
[[noreturn]] void Fatal();

// Saves doc over data.xml; after success it is the document of the file on
// disk and must not be changed again unless saved again. When the file cannot
// be written, the person is told so, the previous file is left as it was and
// false comes back.
bool Save(const Document& doc);

// Whether a record's title and its clear-text values can all be written: a
// character XML cannot hold (a control character other than tab, CR and LF,
// half of a surrogate pair, U+FFFE or U+FFFF) would make the whole file
// unreadable. When one can not, the person is told and false comes back;
// nothing is to be written then.
bool CheckStorable(QStringView title, std::initializer_list<QStringView> values);

// Starts reading data.xml on a thread of its own, so the file is parsed while
// the windows are being built. The first load waits for it and takes its
// document when the file on disk is still the one read; a read that failed
// leaves the load to read the file again and report why.
void ReadAhead();

// Removes the temporary files that saves killed half-way left beside
// data.xml. Called once at start, by the copy that holds the single-instance lock.
void RemoveStaleTemporaries();

// The root ".//zandor", or the fatal failure when the file has none.
platform::XmlNode RootOrDie(platform::XmlDocument& doc);

// The days of a document by their key: for each key, the first element named
// "date" under the root whose first attribute holds it.
using DayIndex = QHash<QByteArray, platform::XmlNode>;
// The days of doc when it is the document read ahead and still kept, so read
// and never changed since; null for any other document. The reading thread
// makes it, sparing the first views their walks over every day.
const DayIndex* KeptDays(const platform::XmlDocument& doc);

// The bytes of the first day with this key, as data.xml holds it on disk now,
// when the read ahead judged the file whole without building its tree: the
// first views then parse only their day, and the first load the whole file.
// Empty when the file has no such day. False when there is no such judgement
// to go by, and the caller loads the file.
bool KeptDayBytes(const QByteArray& key, QByteArray* element);

// Forgets the kept document, so the next load parses the file. Tests use it.
void ForgetKeptDocument();

} // namespace DataFile
