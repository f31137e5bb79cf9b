#include "platform/XmlLoader.h"

#include "platform/Text.h"

#include <QString>

namespace platform {

namespace {

enum class Mark { None, Utf8, Utf16LittleEndian, Utf16BigEndian };

// What the first bytes say of the encoding: a byte-order mark, or the
// zero byte beside the first '<' that UTF-16 without a mark has.
Mark byteOrderMark(const QByteArray& bytes) {
    const auto* u = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    if (n >= 3 && u[0] == 0xEF && u[1] == 0xBB && u[2] == 0xBF)
        return Mark::Utf8;
    if (n >= 2 && ((u[0] == 0xFF && u[1] == 0xFE) || (u[0] == '<' && u[1] == 0)))
        return Mark::Utf16LittleEndian;
    if (n >= 2 && ((u[0] == 0xFE && u[1] == 0xFF) || (u[0] == 0 && u[1] == '<')))
        return Mark::Utf16BigEndian;
    return Mark::None;
}

// UTF-16 as UTF-8; false when it is not whole UTF-16.
bool wideToUtf8(const QByteArray& bytes, bool bigEndian, QByteArray* out) {
    const auto* u = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype skip = (u[0] == 0xFF || u[0] == 0xFE) ? 2 : 0;
    if ((bytes.size() - skip) % 2 != 0)
        return false;
    QString text(static_cast<qsizetype>((bytes.size() - skip) / 2), Qt::Uninitialized);
    char16_t* d = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = skip, k = 0; i < bytes.size(); i += 2, ++k)
        d[k] = bigEndian ? static_cast<char16_t>(u[i] << 8 | u[i + 1]) : static_cast<char16_t>(u[i + 1] << 8 | u[i]);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return false;
    }
    *out = text.toUtf8();
    return true;
}

enum class Charset { Utf8, Windows1252, Unknown };

// The declared encodings a file of this program may carry. Latin-1 and ASCII
// files written on Windows are in its code page, of which both are subsets.
Charset charsetNamed(const QByteArray& declared) {
    const QByteArray name = declared.toLower();
    if (name.isEmpty() || name == "utf-8" || name == "utf8")
        return Charset::Utf8;
    for (const char* known : {"windows-1252", "cp1252", "iso-8859-1", "iso8859-1", "latin1", "us-ascii", "ascii"})
        if (name == known)
            return Charset::Windows1252;
    return Charset::Unknown;
}

XmlText refused(const QString& why) {
    XmlText text;
    text.check.error = why;
    return text;
}

XmlCheck check(const XmlText& text) {
    return CheckWellFormed(text.utf8.constData() + text.start, text.utf8.constData() + text.utf8.size());
}

} // namespace

XmlText ReadXmlText(QByteArray bytes) {
    XmlText text;
    const Mark mark = byteOrderMark(bytes);
    const bool wide = mark == Mark::Utf16LittleEndian || mark == Mark::Utf16BigEndian;
    if (wide && !wideToUtf8(bytes, mark == Mark::Utf16BigEndian, &bytes))
        return refused(QStringLiteral("The file is not whole UTF-16"));
    text.utf8 = std::move(bytes);
    // The pass reads up to the zero after the last byte, which only a buffer
    // of its own is sure to hold.
    text.utf8.data();
    text.start = mark == Mark::Utf8 ? 3 : 0;
    text.check = check(text);
    // A wide file was decoded whole above, whatever its declaration says.
    const Charset declared = wide ? Charset::Utf8 : charsetNamed(text.check.declaredEncoding);
    if (declared == Charset::Unknown)
        return refused(
            QStringLiteral("Unsupported encoding '%1'").arg(QString::fromLatin1(text.check.declaredEncoding)));
    const bool codePage = declared == Charset::Windows1252 ||
                          (text.check.notUtf8 && mark == Mark::None && text.check.declaredEncoding.isEmpty());
    if (codePage && mark == Mark::Utf8)
        return refused(QStringLiteral("A UTF-8 byte-order mark before another declared encoding"));
    if (codePage) {
        text.utf8 = FromWindows1252(text.utf8).toUtf8();
        text.check = check(text);
    }
    return text;
}

} // namespace platform
