#pragma once

#include "platform/Gdi.h"

#include <QString>
#include <cstdint>

namespace platform {

// Format flags of DrawTextA, with the window system's values.
enum DrawTextFormat : uint32_t {
    DT_TOP = 0x0,
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_END_ELLIPSIS = 0x8000,
    DT_MODIFYSTRING = 0x10000,
    DT_WORD_ELLIPSIS = 0x40000,
};

// Writes text into a rectangle of the context's surface in its font and text
// colour, as the window system's DrawTextA does for the flags above:
// - lines break at line ends and, with DT_WORDBREAK, between words; a word
//   wider than the rectangle stays whole on its own line;
// - DT_SINGLELINE keeps one line, which DT_VCENTER centres vertically and
//   DT_WORD_ELLIPSIS or DT_END_ELLIPSIS cuts with "..." at a word;
// - "&" underlines the next character and "&&" shows one "&", unless
//   DT_NOPREFIX;
// - DT_CALCRECT draws nothing and sets the rectangle's right and bottom to
//   what the text needs.
// `count` is the number of characters to use, -1 for all. Returns the height
// of the text; with DT_VCENTER or DT_BOTTOM the distance from the top of the
// rectangle to the bottom of the text. Nothing is drawn outside the rectangle
// unless DT_NOCLIP.
int DrawTextA(const DeviceContext& dc, const QString& text, int count, RECT& rect, uint32_t format);

// The width of a text on one line in a font, as a control's TextWidth gives it.
int TextWidth(const QFont& font, const QString& text);

} // namespace platform
