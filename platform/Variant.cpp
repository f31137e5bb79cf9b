#include "platform/Variant.h"

#include "platform/RuntimeError.h"

#include <cmath>

namespace platform {

Variant Variant::fromInteger(int16_t v) {
    Variant r;
    r.m_kind = Integer;
    r.m_number = v;
    return r;
}

Variant Variant::fromLong(int32_t v) {
    Variant r;
    r.m_kind = Long;
    r.m_number = v;
    return r;
}

Variant::Variant(const QString& text) : m_kind(String), m_text(text) {}
Variant::Variant(const char* text) : m_kind(String), m_text(QString::fromUtf8(text)) {}
Variant::Variant(const QByteArray& bytes) : m_kind(ByteArray), m_bytes(bytes) {}

int32_t Variant::toLong() const {
    switch (m_kind) {
    case Empty:
        return 0;
    case Integer:
    case Long:
        return m_number;
    case String: {
        bool ok = false;
        double d = m_text.trimmed().toDouble(&ok);
        if (!ok)
            throw RuntimeError::fromNumber(13);
        if (d < -2147483648.0 || d > 2147483647.0)
            throw RuntimeError::fromNumber(6);
        return static_cast<int32_t>(std::nearbyint(d));
    }
    case ByteArray:
        break;
    }
    throw RuntimeError::fromNumber(13);
}

int16_t Variant::toInteger() const {
    int32_t v = toLong();
    if (v < INT16_MIN || v > INT16_MAX)
        throw RuntimeError::fromNumber(6);
    return static_cast<int16_t>(v);
}

QString Variant::toString() const {
    switch (m_kind) {
    case Empty:
        return QString();
    case Integer:
    case Long:
        return QString::number(m_number);
    case String:
        return m_text;
    case ByteArray:
        return QString::fromLatin1(m_bytes);
    }
    return QString();
}

QByteArray Variant::toByteArray() const {
    if (m_kind == ByteArray)
        return m_bytes;
    if (m_kind == String)
        return m_text.toUtf8();
    throw RuntimeError::fromNumber(13);
}

bool Variant::operator==(const Variant& o) const {
    if (m_kind != o.m_kind)
        return false;
    switch (m_kind) {
    case Empty:
        return true;
    case Integer:
    case Long:
        return m_number == o.m_number;
    case String:
        return m_text == o.m_text;
    case ByteArray:
        return m_bytes == o.m_bytes;
    }
    return false;
}

} // namespace platform
