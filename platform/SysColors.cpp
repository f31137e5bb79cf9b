#include "platform/SysColors.h"

namespace platform {

OleColor GetSysColor(int index) {
    switch (index) {
    case COLOR_SCROLLBAR:
        return RGB(212, 208, 200);
    case COLOR_BACKGROUND:
        return RGB(58, 110, 165);
    case COLOR_ACTIVECAPTION:
        return RGB(10, 36, 106);
    case COLOR_INACTIVECAPTION:
        return RGB(128, 128, 128);
    case COLOR_MENU:
        return RGB(212, 208, 200);
    case COLOR_WINDOW:
        return RGB(255, 255, 255);
    case COLOR_WINDOWFRAME:
        return RGB(0, 0, 0);
    case COLOR_MENUTEXT:
        return RGB(0, 0, 0);
    case COLOR_WINDOWTEXT:
        return RGB(0, 0, 0);
    case COLOR_CAPTIONTEXT:
        return RGB(255, 255, 255);
    case COLOR_ACTIVEBORDER:
        return RGB(212, 208, 200);
    case COLOR_INACTIVEBORDER:
        return RGB(212, 208, 200);
    case COLOR_APPWORKSPACE:
        return RGB(128, 128, 128);
    case COLOR_HIGHLIGHT:
        return RGB(10, 36, 106);
    case COLOR_HIGHLIGHTTEXT:
        return RGB(255, 255, 255);
    case COLOR_BTNFACE:
        return RGB(212, 208, 200);
    case COLOR_BTNSHADOW:
        return RGB(128, 128, 128);
    case COLOR_GRAYTEXT:
        return RGB(128, 128, 128);
    case COLOR_BTNTEXT:
        return RGB(0, 0, 0);
    case COLOR_INACTIVECAPTIONTEXT:
        return RGB(212, 208, 200);
    case COLOR_BTNHIGHLIGHT:
        return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW:
        return RGB(64, 64, 64);
    case COLOR_3DLIGHT:
        return RGB(212, 208, 200);
    case COLOR_INFOTEXT:
        return RGB(0, 0, 0);
    case COLOR_INFOBK:
        return RGB(255, 255, 225);
    case COLOR_HOTLIGHT:
        return RGB(0, 0, 128);
    case COLOR_GRADIENTACTIVECAPTION:
        return RGB(166, 202, 240);
    case COLOR_GRADIENTINACTIVECAPTION:
        return RGB(192, 192, 192);
    case COLOR_MENUHILIGHT:
        return RGB(10, 36, 106);
    case COLOR_MENUBAR:
        return RGB(212, 208, 200);
    default:
        return 0;
    }
}

OleColor OleTranslateColor(OleColor color) {
    if (color < 0)
        return GetSysColor(color & 0xFF);
    return color & 0xFFFFFF;
}

} // namespace platform
