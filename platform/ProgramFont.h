#pragma once

#include <QFont>

namespace platform {

// The program's text font: the application's size and style in DejaVu Sans,
// the face its own drawn controls use, falling back to Noto's fonts for the
// scripts and the emoji DejaVu Sans does not cover (Chinese, Japanese,
// Korean), so a title in any of them shows its letters, not boxes. Every
// program that shows or measures the organiser's text sets it as the
// application font (platform::UseProgramFont for one with windows).
QFont ProgramFont();

} // namespace platform
