#include "data/cRC4.h"

#include "data/mGeneralFunctions.h"
#include "platform/FileIO.h"
#include "platform/Text.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QVarLengthArray>
#include <algorithm>
#include <cstring>

namespace {

using Table = std::array<uint8_t, 256>;

const QByteArray kUtf8Mark = QByteArrayLiteral("\xEF\xBB\xBF");

Table schedule(const QString& key) {
    Table s;
    for (int i = 0; i < 256; ++i)
        s[i] = static_cast<uint8_t>(i);
    // A Western key is taken in Windows-1252, any other in UTF-8; the key's
    // length in characters says how many of its bytes take part.
    bool western = false;
    QByteArray k = platform::ToWindows1252(key, &western);
    if (!western)
        k = key.toUtf8();
    const qsizetype L = key.size();
    if (L == 0 || k.isEmpty())
        return s;
    unsigned j = 0;
    for (int i = 0; i < 256; ++i) {
        j = (j + s[i] + static_cast<unsigned char>(k[(i % L) % k.size()])) & 0xFF;
        std::swap(s[i], s[j]);
    }
    return s;
}

// Every field is enciphered under the data key, so its schedule is made once.
const Table& dataKeySchedule() {
    static const Table table = schedule(kDataKey);
    return table;
}

struct HexDigits {
    char16_t pair[256][2];
    int8_t value[128];
};

constexpr HexDigits makeHexDigits() {
    HexDigits h{};
    const char digits[] = "0123456789ABCDEF";
    for (int b = 0; b < 256; ++b) {
        h.pair[b][0] = static_cast<char16_t>(digits[b >> 4]);
        h.pair[b][1] = static_cast<char16_t>(digits[b & 0x0F]);
    }
    for (int c = 0; c < 128; ++c)
        h.value[c] = -1;
    for (int d = 0; d < 10; ++d)
        h.value['0' + d] = static_cast<int8_t>(d);
    for (int d = 0; d < 6; ++d) {
        h.value['A' + d] = static_cast<int8_t>(10 + d);
        h.value['a' + d] = static_cast<int8_t>(10 + d);
    }
    return h;
}

constexpr HexDigits kHex = makeHexDigits();

int hexValue(QChar c) {
    const char16_t u = c.unicode();
    return u < 128 ? kHex.value[u] : -1;
}

// The byte of the hex digits at t, of which there are one or two. Reading
// stops at the first character that is not a hex digit, so a pair that starts
// with one reads 0.
unsigned char hexByte(const QChar* t, bool pair) {
    const int high = hexValue(t[0]);
    if (!pair)
        return static_cast<unsigned char>(std::max(high, 0));
    const int low = hexValue(t[1]);
    return static_cast<unsigned char>((high | low) >= 0 ? high * 16 + low : std::max(high, 0));
}

} // namespace

void cRC4::setKey(const QString& New_Value) {
    if (New_Value == m_key)
        return;
    m_key = New_Value;
    m_table = New_Value == kDataKey ? dataKeySchedule() : schedule(New_Value);
}

void cRC4::EncryptByte(QByteArray& byteArray, const QString& key) {
    if (!key.isEmpty())
        setKey(key);
    Table s = m_table;
    uint8_t i = 0, j = 0;
    auto run = [&](unsigned char* p, qsizetype count) {
        for (qsizetype o = 0; o < count; ++o) {
            ++i;
            j = static_cast<uint8_t>(j + s[i]);
            std::swap(s[i], s[j]);
            p[o] ^= s[static_cast<uint8_t>(s[i] + s[j])];
        }
    };
    const qsizetype n = byteArray.size();
    auto* data = reinterpret_cast<unsigned char*>(byteArray.data());
    if (!Progress) {
        run(data, n);
        return;
    }
    // The event comes after byte 0 and then each time another whole percent
    // is done; the bytes between two events run in one stretch.
    int32_t current = 0;
    qint64 next = 0;
    qsizetype o = 0;
    while (o < n) {
        const qsizetype hit = static_cast<qsizetype>(std::max<qint64>(o, next));
        if (hit >= n) {
            run(data + o, n - o);
            break;
        }
        run(data + o, hit + 1 - o);
        o = hit + 1;
        current = static_cast<int32_t>(static_cast<qint64>(hit) * 100 / n);
        // ((current + 1) / 100) * n + 1, rounded half to even.
        const qint64 q = static_cast<qint64>(current + 1) * n + 100;
        next = q / 100;
        if (q % 100 > 50 || (q % 100 == 50 && (next & 1)))
            ++next;
        int32_t percent = current;
        Progress(percent);
    }
    if (current != 100) {
        int32_t percent = 100;
        Progress(percent);
    }
}

void cRC4::DecryptByte(QByteArray& byteArray, const QString& key) {
    EncryptByte(byteArray, key);
}

QString cRC4::EnHex(const QByteArray& bytes) {
    QString out(bytes.size() * 2, Qt::Uninitialized);
    auto* d = reinterpret_cast<char16_t*>(out.data());
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        d[2 * i] = kHex.pair[b[i]][0];
        d[2 * i + 1] = kHex.pair[b[i]][1];
    }
    return out;
}

QByteArray cRC4::DeHex(const QString& text) {
    const qsizetype size = text.size();
    QByteArray out((size + 1) / 2, Qt::Uninitialized);
    char* d = out.data();
    const QChar* t = text.constData();
    for (qsizetype p = 0; p < size; p += 2)
        d[p / 2] = static_cast<char>(hexByte(t + p, p + 1 < size));
    return out;
}

QByteArray cRC4::TextBytes(const QString& text) {
    bool western = false;
    QByteArray bytes = platform::ToWindows1252(text, &western);
    // Western text that would itself begin with the mark's three bytes goes
    // marked too, or it would read back as UTF-8.
    if (western && !bytes.startsWith(kUtf8Mark))
        return bytes;
    return kUtf8Mark + text.toUtf8();
}

QString cRC4::BytesText(const QByteArray& bytes) {
    if (!bytes.startsWith(kUtf8Mark))
        return platform::FromWindows1252(bytes);
    // Only the mark is dropped: a U+FEFF the text itself begins with stays.
    QStringDecoder utf8(QStringConverter::Utf8,
                        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return utf8.decode(QByteArrayView(bytes).sliced(kUtf8Mark.size()));
}

QString cRC4::EncryptString(const QString& Text, const QString& key, bool OutputInHex) {
    QByteArray bytes = TextBytes(Text);
    EncryptByte(bytes, key);
    if (OutputInHex)
        return EnHex(bytes);
    // Every byte has its own character in Windows-1252, so the text form
    // carries the cipher bytes unchanged.
    return platform::FromWindows1252(bytes);
}

QString cRC4::DecryptString(const QString& Text, const QString& key, bool IsTextInHex) {
    QByteArray bytes = IsTextInHex ? DeHex(Text) : platform::ToWindows1252(Text);
    DecryptByte(bytes, key);
    return BytesText(bytes);
}

bool cRC4::FileExist(const QString& path) {
    QFileInfo info(path);
    return info.exists() && info.isFile();
}

bool cRC4::cryptFile(const QString& InFile, const QString& OutFile, bool Overwrite, const QString& key) {
    if (!FileExist(InFile))
        return false;
    if (FileExist(OutFile) && !Overwrite)
        return false;
    QByteArray bytes;
    if (!platform::ReadWholeFile(InFile, bytes) || bytes.isEmpty())
        return false;
    EncryptByte(bytes, key);
    if (QFileInfo::exists(OutFile) && !QFile::remove(OutFile))
        return false;
    return platform::WriteWholeFile(OutFile, bytes);
}

bool cRC4::EncryptFile(const QString& InFile, const QString& OutFile, bool Overwrite, const QString& key) {
    return cryptFile(InFile, OutFile, Overwrite, key);
}

bool cRC4::DecryptFile(const QString& InFile, const QString& OutFile, bool Overwrite, const QString& key) {
    return cryptFile(InFile, OutFile, Overwrite, key);
}

QString EncipherField(const QString& text) {
    mGeneralFunctions::oRC4 = std::make_unique<cRC4>();
    return mGeneralFunctions::oRC4->EncryptString(text, kDataKey, true);
}

QString DecipherField(const QString& hexText) {
    return DecipherFieldStart(hexText, -1);
}

struct FieldDecipher {
    static QString text(const QByteArray& bytes) { return cRC4::BytesText(bytes); }
};

namespace {

// Windows-1252 by byte, so a field's clear text is made without a byte array
// between.
struct Cp1252 {
    char16_t unit[256];
    Cp1252() {
        QByteArray all(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            all[b] = static_cast<char>(b);
        const QString text = platform::FromWindows1252(all);
        for (int b = 0; b < 256; ++b)
            unit[b] = text.at(b).unicode();
    }
};

char16_t digitOf(QChar c) {
    return c.unicode();
}
char16_t digitOf(char c) {
    return static_cast<unsigned char>(c);
}

// Lists decipher a field for every row: the digits are read and the bytes
// deciphered in one loop, from a copy of the data key's initial state.
template <class Digit> QString decipherStart(const Digit* t, qsizetype size, int characters) {
    qsizetype count = (size + 1) / 2;
    QVarLengthArray<unsigned char, 128> bytes(count);
    unsigned char* d = bytes.data();
    Table s = dataKeySchedule();
    uint8_t i = 0, j = 0;
    auto run = [&](qsizetype from, qsizetype to) {
        for (qsizetype k = from; k < to; ++k) {
            ++i;
            j = static_cast<uint8_t>(j + s[i]);
            std::swap(s[i], s[j]);
            const char16_t high = digitOf(t[2 * k]);
            const int h = high < 128 ? kHex.value[high] : -1;
            int value = std::max(h, 0);
            if (2 * k + 1 < size) {
                const char16_t low = digitOf(t[2 * k + 1]);
                const int l = low < 128 ? kHex.value[low] : -1;
                if ((h | l) >= 0)
                    value = h * 16 + l;
            }
            d[k] = static_cast<unsigned char>(value) ^ s[static_cast<uint8_t>(s[i] + s[j])];
        }
    };
    const qsizetype mark = kUtf8Mark.size();
    run(0, std::min(count, mark));
    const bool utf8 = count >= mark && std::memcmp(d, kUtf8Mark.constData(), static_cast<size_t>(mark)) == 0;
    if (characters >= 0 && count > mark) {
        // A character takes one byte in the Windows code page, at most four
        // after the UTF-8 mark.
        count = std::min(count,
                         utf8 ? mark + 4 * static_cast<qsizetype>(characters) : std::max<qsizetype>(mark, characters));
    }
    run(mark, count);
    if (utf8)
        return FieldDecipher::text(QByteArray(reinterpret_cast<const char*>(d), count));
    static const Cp1252 cp1252;
    // A start is what a list shows; there is room for the " ..." it may add.
    QString out;
    out.reserve(count + (characters >= 0 ? 4 : 0));
    out.resize(count);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    for (qsizetype k = 0; k < count; ++k)
        o[k] = cp1252.unit[d[k]];
    return out;
}

} // namespace

QString DecipherFieldStart(const QString& hexText, int characters) {
    return decipherStart(hexText.constData(), hexText.size(), characters);
}

QString DecipherFieldStart(QByteArrayView hexUtf8, int characters) {
    // Digits are ASCII, one unit each in either form, so the bytes are read
    // as they are when those that can be deciphered are ASCII: past them, any
    // text only says there is more. Anything else is read as the text form
    // reads it.
    const qsizetype size = hexUtf8.size();
    const qsizetype used = characters < 0 ? size : std::min<qsizetype>(size, 2 * (3 + 4 * qsizetype(characters)));
    const char* p = hexUtf8.data();
    quint64 high = 0;
    qsizetype k = 0;
    for (; k + 8 <= used; k += 8) {
        quint64 word;
        std::memcpy(&word, p + k, 8);
        high |= word;
    }
    for (; k < used; ++k)
        high |= static_cast<unsigned char>(p[k]);
    if (high & 0x8080808080808080ULL)
        return DecipherFieldStart(QString::fromUtf8(hexUtf8), characters);
    return decipherStart(p, size, characters);
}

QString EncipherOptionalField(const QString& text) {
    return mGeneralFunctions::IsBlank(text) ? text : EncipherField(text);
}

QString DecipherOptionalField(const QString& stored) {
    return mGeneralFunctions::IsBlank(stored) ? stored : DecipherField(stored);
}
