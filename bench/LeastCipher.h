#pragma once

// The least enciphering and deciphering there can be of a field: the data
// key's schedule made once and copied for each field, the digits read and
// written through a table, and the bytes taken as text. Only the key comes
// from the organiser.
#include "data/cRC4.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstring>
#include <utility>

namespace paired {

class LeastCipher {
public:
    LeastCipher() {
        const QByteArray key = kDataKey.toLatin1();
        for (int i = 0; i < 256; ++i)
            m_initial[i] = static_cast<unsigned char>(i);
        for (int i = 0, j = 0; i < 256; ++i) {
            j = (j + m_initial[i] + static_cast<unsigned char>(key[i % key.size()])) & 255;
            std::swap(m_initial[i], m_initial[j]);
        }
        std::memset(m_hex, 0xFF, sizeof m_hex);
        for (int c = 0; c < 10; ++c)
            m_hex['0' + c] = static_cast<unsigned char>(c);
        for (int c = 0; c < 6; ++c)
            m_hex['A' + c] = m_hex['a' + c] = static_cast<unsigned char>(10 + c);
    }

    // The clear text of a field, or of its first `most` bytes.
    QString decipher(const char* hex, size_t most = static_cast<size_t>(-1)) const {
        unsigned char s[256];
        std::memcpy(s, m_initial, 256);
        const size_t n = std::min(std::strlen(hex) / 2, most);
        QByteArray out(static_cast<qsizetype>(n), Qt::Uninitialized);
        unsigned i = 0, j = 0;
        for (size_t k = 0; k < n; ++k) {
            const unsigned char b = static_cast<unsigned char>(m_hex[static_cast<unsigned char>(hex[2 * k])] << 4 |
                                                               m_hex[static_cast<unsigned char>(hex[2 * k + 1])]);
            i = (i + 1) & 255;
            j = (j + s[i]) & 255;
            std::swap(s[i], s[j]);
            out[static_cast<qsizetype>(k)] = static_cast<char>(b ^ s[(s[i] + s[j]) & 255]);
        }
        return QString::fromLatin1(out);
    }

    // A text of Latin-1 characters as a field holds it.
    QString encipher(const QString& text) const {
        static const char digits[] = "0123456789ABCDEF";
        unsigned char s[256];
        std::memcpy(s, m_initial, 256);
        const QByteArray clear = text.toLatin1();
        QString out(clear.size() * 2, Qt::Uninitialized);
        QChar* o = out.data();
        unsigned i = 0, j = 0;
        for (const char c : clear) {
            i = (i + 1) & 255;
            j = (j + s[i]) & 255;
            std::swap(s[i], s[j]);
            const unsigned char b = static_cast<unsigned char>(c) ^ s[(s[i] + s[j]) & 255];
            *o++ = QLatin1Char(digits[b >> 4]);
            *o++ = QLatin1Char(digits[b & 15]);
        }
        return out;
    }

private:
    unsigned char m_initial[256];
    unsigned char m_hex[256];
};

} // namespace paired
