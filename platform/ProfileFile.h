#pragma once

#include <QString>
#include <cstdint>

// Sectioned key files ("[section]" lines followed by "key=value" lines), read
// and written the way the organiser's configuration file expects.
namespace platform {

// The value of a key, or the default when the file, the section or the key is
// missing. Section and key names match without regard to case; the value is
// trimmed of surrounding blanks and of one pair of surrounding double quotes,
// and cut to size - 1 characters. Returns the length of what was put into
// `returned`.
int32_t GetPrivateProfileString(const QString& section, const QString& key, const QString& defaultValue,
                                QString& returned, int32_t size, const QString& fileName);

// Writes "key=value" into the section, creating the file, the section and the
// key as needed and keeping every other line exactly as it was. The file is
// replaced through a temporary file and a rename. Names or values holding a
// line break could not be read back as written, so they are refused.
bool WritePrivateProfileString(const QString& section, const QString& key, const QString& value,
                               const QString& fileName);

} // namespace platform
