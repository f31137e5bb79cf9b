#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTime>

namespace platform {

// The organiser's "ANSI code page". New text is always encoded as UTF-8, so no
// letter is ever lost; text from older files that is not valid UTF-8 is read
// as Windows-1252, the code page those files were written in.
QByteArray ToAnsi(const QString& text);
QString FromAnsi(const QByteArray& bytes);
QString FromWindows1252(const QByteArray& bytes);
bool IsValidUtf8(const char* data, qsizetype size);

// The system's time format: 12-hour clock, two digits, "02:30:00 PM".
QString FormatSystemTime(const QTime& time);
// Reads a time leniently: 12 or 24 hour, one or two digits, seconds optional,
// an optional date part in front is ignored. Returns an invalid QTime when the
// text holds no time.
QTime ParseTimeLenient(const QString& text);

// Writes a date with a pattern made of dd, mm, yyyy and literal separators, as
// in "dd/mm/yyyy" or "dd-mm-yyyy"; the separators are never localised.
QString FormatDatePattern(const QDate& date, const QString& pattern);

// Trims blanks (spaces only) from both ends, as the organiser's blank test does.
QString TrimSpaces(const QString& text);

} // namespace platform
