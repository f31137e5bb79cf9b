#pragma once

namespace platform {

// The program's text font: the desktop's size and style in DejaVu Sans, the
// face its own drawn controls use, falling back to Noto's fonts for the
// scripts and the emoji DejaVu Sans does not cover (Chinese, Japanese,
// Korean), so a title in any of them shows its letters, not boxes. Lists,
// text boxes and labels take it from the application.
void UseProgramFont();

} // namespace platform
