#pragma once

#include <QString>

// One password entry as the editor and the store hand it over; UserName,
// Password and Notes stay enciphered (blank ones as typed), URL is plain.
struct PasswordRecord {
    QString Title;
    QString UserName;
    QString Password;
    QString URL;
    QString Notes;

    bool operator==(const PasswordRecord& o) const {
        return Title == o.Title && UserName == o.UserName && Password == o.Password && URL == o.URL && Notes == o.Notes;
    }
};

// The password entries of the data file, filed by title.
namespace mPasswords {

// Returns whether the entry was saved; a failed save has been reported and
// the list is not reloaded.
bool SavePassword(const PasswordRecord& rec, bool IsNew, const QString& OldTitle);
PasswordRecord GetPassword(const QString& Title);
// True when an entry was removed and the file saved.
bool DeletePassword(const QString& Title);

} // namespace mPasswords
