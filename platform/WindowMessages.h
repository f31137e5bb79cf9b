#pragma once

#include <cstdint>

namespace platform {

// Window messages the organiser's windows and controls listen for, with their
// numbers; one list, so every piece that names one agrees on it.
enum WindowMessageNumber : int32_t {
    WM_NULL = 0,
    WM_SYSCOLORCHANGE = 21,
    WM_TIMER = 275,
    WM_CTLCOLORSCROLLBAR = 311,
    WM_MOUSEMOVE = 512,
    WM_MOUSEWHEEL = 522,
    WM_MOUSEHOVER = 673,
    WM_MOUSELEAVE = 675,
    WM_THEMECHANGED = 794,
};

} // namespace platform
