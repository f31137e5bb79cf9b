#pragma once

#include "platform/Variant.h"

#include <QString>
#include <cstdint>

// Keys of the configuration file AppCfg.cfg.
namespace mINI {

// Names the file and the read-buffer size for the reads and writes that
// follow; values are at most bufferSize - 1 characters long.
void SetINI(const QString& fileName, int32_t bufferSize);
// The key's value as text, or Default when the key or the section is missing.
// Raises error 670 ("INIReadWrite") before SetINI.
platform::Variant ReadINI(const QString& Section, const QString& Key, const platform::Variant& Default);
// Writes the value as text, creating the section and the key when needed;
// false when the file could not be written. Raises error 670
// ("INIReadWrite") before SetINI.
bool WriteINI(const QString& Section, const QString& Key, const platform::Variant& Value);
// Whether the file has the exact header line "[sectionName]"; a missing file
// is reported in a message box.
bool INISectionExists(const QString& fileName, const QString& sectionName);

} // namespace mINI
