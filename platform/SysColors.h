#pragma once

#include <QColor>
#include <cstdint>

namespace platform {

// Windows colour indexes the organiser names.
enum SysColorIndex {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
    COLOR_HOTLIGHT = 26,
    COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28,
    COLOR_MENUHILIGHT = 29,
    COLOR_MENUBAR = 30,
};

// A colour as the organiser stores it: 0x00BBGGRR, or with the top bit set a
// reference to a system colour by index.
using OleColor = int32_t;

inline OleColor RGB(int r, int g, int b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}
inline int RedOf(OleColor c) {
    return c & 0xFF;
}
inline int GreenOf(OleColor c) {
    return (c >> 8) & 0xFF;
}
inline int BlueOf(OleColor c) {
    return (c >> 16) & 0xFF;
}
inline QColor ToQColor(OleColor c) {
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}
inline OleColor FromQColor(const QColor& c) {
    return RGB(c.red(), c.green(), c.blue());
}

// The classic Windows scheme, which is what the organiser's drawing was made
// for. Unknown indexes give black.
OleColor GetSysColor(int index);
// Turns a system colour reference (top bit set) into its colour; other values
// are returned unchanged.
OleColor OleTranslateColor(OleColor color);

} // namespace platform
