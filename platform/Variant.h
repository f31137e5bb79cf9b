#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace platform {

// A tagged value standing in for the run time's Variant: only the kinds the
// organiser passes around. The kind numbers are the run time's own, because
// some callers check the exact kind of an argument (a 16-bit integer group
// index is accepted where a 32-bit one is refused).
class Variant {
public:
    enum Kind { Empty = 0, Integer = 2, Long = 3, String = 8, ByteArray = 8209 };

    Variant() = default;
    static Variant fromInteger(int16_t v);
    static Variant fromLong(int32_t v);
    Variant(const QString& text);
    Variant(const char* text);
    Variant(const QByteArray& bytes);

    Kind kind() const { return m_kind; }
    bool isEmpty() const { return m_kind == Empty; }
    bool isNumeric() const { return m_kind == Integer || m_kind == Long; }

    int16_t toInteger() const; // converts; throws RuntimeError 6 on overflow, 13 on text that is no number
    int32_t toLong() const;    // converts; throws RuntimeError 13 on text that is no number
    QString toString() const;  // numbers in plain decimal
    QByteArray toByteArray() const;

    bool operator==(const Variant& other) const;
    bool operator!=(const Variant& other) const { return !(*this == other); }

private:
    Kind m_kind = Empty;
    int32_t m_number = 0;
    QString m_text;
    QByteArray m_bytes;
};

} // namespace platform
