#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QTime>

namespace platform {

// The organiser's "ANSI code page" for plain text: files it reads and writes,
// profile and registry values. New text is always encoded as UTF-8, so no
// letter is ever lost; text from older files that is not valid UTF-8 is read
// as Windows-1252, the code page those files were written in. One leading
// UTF-8 byte-order mark is dropped. (Enciphered fields have their own byte
// form; see cRC4.)
QByteArray ToAnsi(const QString& text);
QString FromAnsi(const QByteArray& bytes);
// Windows-1252 one byte a character, both ways; the five bytes the code page
// leaves undefined stand for U+0081, U+008D, U+008F, U+0090 and U+009D.
QString FromWindows1252(const QByteArray& bytes);
// A character without a byte there becomes '?' and makes *complete false.
QByteArray ToWindows1252(QStringView text, bool* complete = nullptr);
bool IsValidUtf8(const char* data, qsizetype size);
// UTF-8 as text, every character kept: Qt's own conversion drops a U+FEFF
// that stands first, which in a stored text is part of it.
QString FromUtf8Exactly(QByteArrayView utf8);

// Whether an XML 1.0 document can hold the text: no control character other
// than tab, CR and LF, no half of a surrogate pair alone, neither U+FFFE nor
// U+FFFF.
bool IsXmlText(QStringView text);

// The system's time format: 12-hour clock, two digits, "02:30:00 PM".
QString FormatSystemTime(const QTime& time);
// Reads a time leniently: 12 or 24 hour, one or two digits, seconds optional,
// an optional date part in front is ignored unless the time must be the whole
// text. Returns an invalid QTime when the text holds no time.
QTime ParseTimeLenient(const QString& text, bool wholeText = false);

// Writes a date with a pattern made of dd, mm, yyyy and literal separators, as
// in "dd/mm/yyyy" or "dd-mm-yyyy"; the separators are never localised.
QString FormatDatePattern(const QDate& date, const QString& pattern);

// A caption as it is read out: without its access-key marks ("&&" stands for
// one "&"), and without blanks at either end.
QString WithoutAccessKeys(const QString& caption);

// Trims blanks (spaces only) from both ends, as the organiser's blank test does.
QString TrimSpaces(const QString& text);

} // namespace platform
