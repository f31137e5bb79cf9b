#include "data/cRC4.h"

#include "data/mGeneralFunctions.h"
#include "platform/Files.h"
#include "platform/Text.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>

void cRC4::setKey(const QString& New_Value) {
    if (New_Value == m_key)
        return;
    m_key = New_Value;
    QByteArray k = platform::ToAnsi(New_Value);
    const int L = static_cast<int>(New_Value.size());
    for (int i = 0; i < 256; ++i)
        m_table[i] = static_cast<uint16_t>(i);
    if (L == 0 || k.isEmpty())
        return;
    int j = 0;
    for (int i = 0; i < 256; ++i) {
        j = (j + m_table[i] + static_cast<unsigned char>(k[(i % L) % k.size()])) % 256;
        std::swap(m_table[i], m_table[j]);
    }
}

void cRC4::EncryptByte(QByteArray& byteArray, const QString& key) {
    if (!key.isEmpty())
        setKey(key);
    std::array<uint16_t, 256> s = m_table;
    const qsizetype n = byteArray.size();
    char* data = byteArray.data();
    int i = 0, j = 0;
    int32_t current = 0;
    double next = 0;
    for (qsizetype o = 0; o < n; ++o) {
        i = (i + 1) % 256;
        j = (j + s[i]) % 256;
        std::swap(s[i], s[j]);
        data[o] = static_cast<char>(static_cast<unsigned char>(data[o]) ^ (s[(s[i] + s[j]) % 256] & 0xFF));
        if (static_cast<double>(o) >= next) {
            current = static_cast<int32_t>(std::floor(static_cast<double>(o) / static_cast<double>(n) * 100.0));
            next = std::nearbyint((current + 1) / 100.0 * static_cast<double>(n) + 1.0);
            if (Progress) {
                int32_t percent = current;
                Progress(percent);
            }
        }
    }
    if (current != 100 && Progress) {
        int32_t percent = 100;
        Progress(percent);
    }
}

void cRC4::DecryptByte(QByteArray& byteArray, const QString& key) {
    EncryptByte(byteArray, key);
}

QString cRC4::EnHex(const QByteArray& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    QString out;
    out.resize(bytes.size() * 2);
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        d[2 * i] = QLatin1Char(digits[b >> 4]);
        d[2 * i + 1] = QLatin1Char(digits[b & 0x0F]);
    }
    return out;
}

QByteArray cRC4::DeHex(const QString& text) {
    auto digit = [](QChar c) -> int {
        ushort u = c.unicode();
        if (u >= '0' && u <= '9')
            return u - '0';
        if (u >= 'a' && u <= 'f')
            return u - 'a' + 10;
        if (u >= 'A' && u <= 'F')
            return u - 'A' + 10;
        return -1;
    };
    QByteArray out;
    out.reserve(text.size() / 2 + 1);
    for (qsizetype p = 0; p < text.size(); p += 2) {
        // Reading stops at the first character that is not a hex digit.
        int value = 0;
        for (qsizetype k = p; k < p + 2 && k < text.size(); ++k) {
            int d = digit(text.at(k));
            if (d < 0)
                break;
            value = value * 16 + d;
        }
        out.append(static_cast<char>(value));
    }
    return out;
}

QString cRC4::EncryptString(const QString& Text, const QString& key, bool OutputInHex) {
    QByteArray bytes = platform::ToAnsi(Text);
    EncryptByte(bytes, key);
    if (OutputInHex)
        return EnHex(bytes);
    return platform::FromAnsi(bytes);
}

QString cRC4::DecryptString(const QString& Text, const QString& key, bool IsTextInHex) {
    QByteArray bytes = IsTextInHex ? DeHex(Text) : platform::ToAnsi(Text);
    DecryptByte(bytes, key);
    return platform::FromAnsi(bytes);
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
    mGeneralFunctions::oRC4 = std::make_unique<cRC4>();
    return mGeneralFunctions::oRC4->DecryptString(hexText, kDataKey, true);
}

QString EncipherOptionalField(const QString& text) {
    return mGeneralFunctions::IsBlank(text) ? text : EncipherField(text);
}

QString DecipherOptionalField(const QString& stored) {
    return mGeneralFunctions::IsBlank(stored) ? stored : DecipherField(stored);
}
