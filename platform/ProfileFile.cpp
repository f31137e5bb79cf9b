#include "platform/ProfileFile.h"

#include "platform/FileIO.h"
#include "platform/Text.h"

#include <QFileInfo>
#include <vector>

namespace platform {

namespace {

// One line of the file: its bytes as they stand and its line break, so lines
// that are not changed are written back exactly.
struct Line {
    QByteArray bytes;
    QByteArray end;
};

std::vector<Line> splitLines(const QByteArray& data) {
    std::vector<Line> lines;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype nl = data.indexOf('\n', start);
        if (nl < 0) {
            lines.push_back({data.mid(start), QByteArray()});
            break;
        }
        qsizetype textEnd = nl;
        if (textEnd > start && data.at(textEnd - 1) == '\r')
            --textEnd;
        lines.push_back({data.mid(start, textEnd - start), data.mid(textEnd, nl + 1 - textEnd)});
        start = nl + 1;
    }
    return lines;
}

// The name of a "[name]" line, or a null string for any other line.
QString sectionName(const QString& line) {
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return QString();
    qsizetype close = t.indexOf(QLatin1Char(']'));
    return t.mid(1, close < 0 ? -1 : close - 1).trimmed();
}

// Splits a "key=value" line; false for comments and lines without "=".
bool keyLine(const QString& line, QString& key, QString& value) {
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char(';')))
        return false;
    qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    key = t.left(eq).trimmed();
    value = t.mid(eq + 1).trimmed();
    return true;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a section and a key stand in the file: indexes of lines, -1 when
// missing. `sectionEnd` is the line after the section's last non-blank line.
struct Place {
    int section = -1;
    int key = -1;
    int sectionEnd = -1;
};

Place locate(const std::vector<Line>& lines, const QString& section, const QString& key, QString* value) {
    Place place;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        const QString text = FromAnsi(lines[i].bytes);
        const QString name = sectionName(text);
        if (!name.isNull()) {
            if (place.section >= 0)
                break; // only the first section of that name counts
            if (sameName(name, section)) {
                place.section = i;
                place.sectionEnd = i + 1;
            }
            continue;
        }
        if (place.section < 0)
            continue;
        if (!text.trimmed().isEmpty())
            place.sectionEnd = i + 1;
        QString k, v;
        if (place.key < 0 && keyLine(text, k, v) && sameName(k, key)) {
            place.key = i;
            if (value)
                *value = v;
        }
    }
    return place;
}

QString unquote(const QString& value) {
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        return value.mid(1, value.size() - 2);
    return value;
}

bool holdsLineBreak(const QString& text) {
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

// Cuts a text to at most n characters without splitting a surrogate pair.
QString cut(const QString& text, qsizetype n) {
    if (text.size() <= n)
        return text;
    if (n > 0 && text.at(n - 1).isHighSurrogate())
        --n;
    return text.left(n);
}

} // namespace

int32_t GetPrivateProfileString(const QString& section, const QString& key, const QString& defaultValue,
                                QString& returned, int32_t size, const QString& fileName) {
    QString value = defaultValue;
    QByteArray data;
    if (ReadWholeFile(fileName, data)) {
        QString found;
        if (locate(splitLines(data), section, key, &found).key >= 0)
            value = unquote(found);
    }
    returned = size > 0 ? cut(value, size - 1) : QString();
    return static_cast<int32_t>(returned.size());
}

bool WritePrivateProfileString(const QString& section, const QString& key, const QString& value,
                               const QString& fileName) {
    if (section.trimmed().isEmpty() || key.trimmed().isEmpty() || holdsLineBreak(section) || holdsLineBreak(key) ||
        holdsLineBreak(value) || key.contains(QLatin1Char('=')) || section.contains(QLatin1Char(']')))
        return false;
    QByteArray data;
    if (QFileInfo::exists(fileName) && !ReadWholeFile(fileName, data))
        return false; // never replace a file that could not be read
    std::vector<Line> lines = splitLines(data);
    QByteArray lineEnd = "\n";
    for (const Line& l : lines)
        if (!l.end.isEmpty()) {
            lineEnd = l.end;
            break;
        }
    const QByteArray keyBytes = ToAnsi(key) + '=' + ToAnsi(value);

    const Place place = locate(lines, section, key, nullptr);
    if (place.key >= 0) {
        lines[place.key].bytes = keyBytes;
    } else {
        if (!lines.empty() && lines.back().end.isEmpty())
            lines.back().end = lineEnd;
        if (place.section >= 0) {
            lines.insert(lines.begin() + place.sectionEnd, Line{keyBytes, lineEnd});
        } else {
            lines.push_back({'[' + ToAnsi(section) + ']', lineEnd});
            lines.push_back({keyBytes, lineEnd});
        }
    }

    QByteArray out;
    for (const Line& l : lines)
        out += l.bytes + l.end;
    return ReplaceFileAtomically(fileName, out);
}

} // namespace platform
