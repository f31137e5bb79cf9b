#pragma once

#include <QtCore/qnamespace.h>
#include <cstdint>

class QKeyEvent;

namespace platform {

// The numbers the organiser's controls hand their hosts for keys, modifier
// keys and mouse buttons: the Windows virtual-key codes (13 Enter, 32 Space,
// 37 to 40 the arrows, 65 to 90 the letters, ...), the shift mask (1 Shift,
// 2 Ctrl, 4 Alt) and the button mask (1 left, 2 right, 4 middle).

// The virtual-key code of a key event; 0 for a key that has none.
int16_t VirtualKeyCode(const QKeyEvent* event);
int16_t ShiftMask(Qt::KeyboardModifiers modifiers);
int16_t ButtonMask(Qt::MouseButtons buttons);

enum VirtualKey : int16_t {
    VK_BACK = 8,
    VK_TAB = 9,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_MENU = 18,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
};

} // namespace platform
