#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

// The key every record field and the access password are enciphered with.
inline const QString kDataKey = QStringLiteral("5Q8T3H6K1B9X4C7V2F0J5R8N3W6Z1");

// The RC4 stream cipher over a text's bytes, with the enciphered bytes written
// as upper-case hexadecimal digits. Every call starts the key stream afresh, so
// equal texts give equal results.
//
// A text's bytes are Windows-1252 when every character has a byte there, so
// Western text is stored byte for byte as older files store it; any other
// text is the UTF-8 mark EF BB BF followed by UTF-8, so nothing is ever lost.
// Reading goes by that mark alone.
class cRC4 {
public:
    bool EncryptFile(const QString& InFile, const QString& OutFile, bool Overwrite, const QString& key);
    bool DecryptFile(const QString& InFile, const QString& OutFile, bool Overwrite, const QString& key);
    void DecryptByte(QByteArray& byteArray, const QString& key);
    QString EncryptString(const QString& Text, const QString& key, bool OutputInHex);
    QString DecryptString(const QString& Text, const QString& key, bool IsTextInHex);
    void EncryptByte(QByteArray& byteArray, const QString& key);
    // Write-only: schedules a new key; the same key again keeps the table.
    void setKey(const QString& New_Value);

    // Raised with the percentage done while bytes are enciphered.
    std::function<void(int32_t& Percent)> Progress;

private:
    bool cryptFile(const QString& InFile, const QString& OutFile, bool Overwrite, const QString& key);
    static bool FileExist(const QString& path);
    // The hex forms work on the cipher bytes themselves, two digits a byte, so
    // a character of several bytes is never split or joined on the way.
    static QString EnHex(const QByteArray& bytes);
    static QByteArray DeHex(const QString& text);
    static QByteArray TextBytes(const QString& text);
    static QString BytesText(const QByteArray& bytes);
    friend struct FieldDecipher;

    QString m_key;
    std::array<uint8_t, 256> m_table{};
};

// Enciphers or deciphers one field with the data key, as every editor and
// list does; a field always starts from the key's initial state.
QString EncipherField(const QString& text);
QString DecipherField(const QString& hexText);
// The same for the optional fields: a blank value is stored and shown exactly
// as typed, never enciphered.
QString EncipherOptionalField(const QString& text);
QString DecipherOptionalField(const QString& stored);
// The start of a field's clear text, at least its first `characters`
// characters (or all of it): what a list shows of a long text, without
// deciphering the rest.
QString DecipherFieldStart(const QString& hexText, int characters);
// The same from the field's stored UTF-8, as a document holds it.
QString DecipherFieldStart(QByteArrayView hexUtf8, int characters);
