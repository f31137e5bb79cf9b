#pragma once

#include <QString>
#include <functional>

namespace platform {

// Starts playing a sound file and returns at once; a file that cannot be
// played stays silent.
void PlaySoundAsync(const QString& path);
// Tests catch what would be played instead (empty function: play for real).
void SetSoundOverride(std::function<void(const QString& path)> player);

} // namespace platform
