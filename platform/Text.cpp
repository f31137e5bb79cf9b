#include "platform/Text.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace platform {

namespace {

// Windows-1252 code points for bytes 0x80 to 0x9F; the undefined ones map to
// the byte's own value, as the Windows conversion does.
const char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

bool IsValidUtf8(const char* data, qsizetype size) {
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    qsizetype i = 0;
    while (i < size) {
        // Plain ASCII is by far the common case: skip it eight bytes at a time.
        while (i + 8 <= size) {
            quint64 chunk;
            memcpy(&chunk, p + i, 8);
            if (chunk & 0x8080808080808080ULL)
                break;
            i += 8;
        }
        if (i >= size)
            break;
        unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra;
        char32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= size)
            return false;
        for (int k = 1; k <= extra; ++k) {
            unsigned char cc = p[i + k];
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        i += extra + 1;
    }
    return true;
}

QString FromWindows1252(const QByteArray& bytes) {
    // Only bytes 0x80 to 0x9F differ from Latin-1.
    QString out = QString::fromLatin1(bytes);
    char16_t* d = reinterpret_cast<char16_t*>(out.data());
    for (qsizetype i = 0; i < out.size(); ++i)
        if (d[i] >= 0x80 && d[i] <= 0x9F)
            d[i] = kCp1252High[d[i] - 0x80];
    return out;
}

QByteArray ToWindows1252(QStringView text, bool* complete) {
    QByteArray out(text.size(), Qt::Uninitialized);
    char* d = out.data();
    qsizetype n = 0;
    bool all = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        int byte = -1;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            byte = c;
        } else {
            for (int k = 0; k < 32; ++k)
                if (kCp1252High[k] == c)
                    byte = 0x80 + k;
        }
        if (byte < 0) {
            all = false;
            byte = '?';
            // One question mark for one character, also outside the basic plane.
            if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
        }
        d[n++] = static_cast<char>(byte);
    }
    out.truncate(n);
    if (complete)
        *complete = all;
    return out;
}

bool IsXmlText(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x20 && c < 0xD800)
            continue;
        if (c < 0x20) {
            if (c != '\t' && c != '\n' && c != '\r')
                return false;
        } else if (QChar::isSurrogate(c)) {
            if (!QChar::isHighSurrogate(c) || i + 1 >= text.size() || !text[i + 1].isLowSurrogate())
                return false;
            ++i;
        } else if (c >= 0xFFFE) {
            return false;
        }
    }
    return true;
}

QByteArray ToAnsi(const QString& text) {
    return text.toUtf8();
}

QString FromAnsi(const QByteArray& bytes) {
    // Editors mark a UTF-8 file with EF BB BF; it is no part of the text (a
    // note would start with U+FEFF, a profile's first section go unfound),
    // whatever the rest is. Only that one: the rest is decoded as it stands.
    const QByteArray text = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    if (!IsValidUtf8(text.constData(), text.size()))
        return FromWindows1252(text);
    return FromUtf8Exactly(text);
}

QString FromUtf8Exactly(QByteArrayView utf8) {
    if (!utf8.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(utf8);
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(utf8);
}

QString FormatSystemTime(const QTime& time) {
    if (!time.isValid())
        return QString();
    int h = time.hour() % 12;
    if (h == 0)
        h = 12;
    return QString::asprintf("%02d:%02d:%02d %s", h, time.minute(), time.second(), time.hour() < 12 ? "AM" : "PM");
}

QTime ParseTimeLenient(const QString& text, bool wholeText) {
    static const QRegularExpression re(QStringLiteral(
        "(\\d{1,2})\\s*[:.]\\s*(\\d{1,2})(?:\\s*[:.]\\s*(\\d{1,2}))?\\s*([AaPp]\\.?\\s*[Mm]\\.?)?\\s*$"));
    QRegularExpressionMatch m = re.match(text.trimmed());
    if (!m.hasMatch() || (wholeText && m.capturedStart() != 0))
        return QTime();
    int h = m.captured(1).toInt();
    int mi = m.captured(2).toInt();
    int s = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    QString ampm = m.captured(4);
    if (!ampm.isEmpty()) {
        if (h < 1 || h > 12)
            return QTime();
        bool pm = ampm.at(0).toUpper() == QLatin1Char('P');
        h = (h % 12) + (pm ? 12 : 0);
    }
    if (h > 23 || mi > 59 || s > 59)
        return QTime();
    return QTime(h, mi, s);
}

QString FormatDatePattern(const QDate& date, const QString& pattern) {
    QString out;
    for (qsizetype i = 0; i < pattern.size();) {
        QStringView rest = QStringView(pattern).mid(i);
        if (rest.startsWith(QLatin1String("yyyy"), Qt::CaseInsensitive)) {
            out += QString::asprintf("%04d", date.year());
            i += 4;
        } else if (rest.startsWith(QLatin1String("dd"), Qt::CaseInsensitive)) {
            out += QString::asprintf("%02d", date.day());
            i += 2;
        } else if (rest.startsWith(QLatin1String("mm"), Qt::CaseInsensitive)) {
            out += QString::asprintf("%02d", date.month());
            i += 2;
        } else if (rest.startsWith(QLatin1String("yy"), Qt::CaseInsensitive)) {
            out += QString::asprintf("%02d", date.year() % 100);
            i += 2;
        } else {
            out += pattern.at(i);
            ++i;
        }
    }
    return out;
}

QString TrimSpaces(const QString& text) {
    qsizetype b = 0, e = text.size();
    while (b < e && text.at(b) == QLatin1Char(' '))
        ++b;
    while (e > b && text.at(e - 1) == QLatin1Char(' '))
        --e;
    return text.mid(b, e - b);
}

QString WithoutAccessKeys(const QString& caption) {
    QString out;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&'))
            out += caption.at(i);
        else if (i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('&'))
            out += caption.at(++i);
    }
    return out.trimmed();
}

} // namespace platform
