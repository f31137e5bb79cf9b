#pragma once

#include <QString>

// A value an editor read from the file, with its control's text once shown.
// While the person leaves that text as it was, the value goes back exactly as
// read: written anew it could differ ("9:00:00 AM" comes out "09:00:00 AM", a
// field enciphered from bytes or line breaks of another program's choosing
// comes out enciphered otherwise).
class ReadValue {
public:
    ReadValue() = default;
    ReadValue(const QString& stored, const QString& shown) : m_stored(stored), m_shown(shown), m_read(true) {}
    // The value to store for the control's text now: as read while that is
    // the text first shown, else `fresh`.
    QString StoredFor(const QString& now, const QString& fresh) const {
        return m_read && now == m_shown ? m_stored : fresh;
    }

private:
    QString m_stored;
    QString m_shown;
    bool m_read = false;
};
