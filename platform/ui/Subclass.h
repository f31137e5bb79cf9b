#pragma once

#include "platform/WindowMessages.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

namespace platform {

// Key and button flags of mouse messages' wParam.
enum MouseKeyFlags : int32_t { MK_LBUTTON = 1, MK_RBUTTON = 2, MK_SHIFT = 4, MK_CONTROL = 8, MK_MBUTTON = 0x10 };

// One wheel notch.
constexpr int32_t WHEEL_DELTA = 120;

// When a message is handed to the callback: after or before the window's own
// handling (both bits may be set).
enum SubclassWhen { MSG_AFTER = 1, MSG_BEFORE = 2 };

inline int32_t MakeLParam(int low, int high) {
    return static_cast<int32_t>((static_cast<uint32_t>(high & 0xFFFF) << 16) | static_cast<uint32_t>(low & 0xFFFF));
}

// Hooks a window's messages, as replacing its window procedure would: chosen
// messages reach a callback before the window's own handling (which the
// callback can skip, or feed with a changed message) and after it. The
// window's Qt events are translated into the messages the window system would
// have sent: mouse move, mouse leave, mouse hover (the pointer resting),
// wheel, theme change, system colour (palette) change, and the colour request
// of a child scroll bar about to draw. Wheel turns are gathered into notches
// of WHEEL_DELTA, so a touchpad's small steps scroll as a wheel's notches do;
// a wheel turned over a child scroll bar goes to the window, as the scroll
// bar passes it on to its parent.
class WindowSubclass : public QObject {
public:
    // bBefore; then by reference bHandled, lReturn, hWnd, uMsg, wParam, lParam.
    using Callback = std::function<void(bool, bool&, int32_t&, int32_t&, int32_t&, int32_t&, int32_t&)>;
    // The window's own handling of a (possibly changed) message; returns its result.
    using Procedure = std::function<int32_t(int32_t uMsg, int32_t wParam, int32_t lParam)>;

    explicit WindowSubclass(Callback callback, QObject* parent = nullptr);
    ~WindowSubclass() override;

    // Starts hooking the window; true when it is hooked.
    bool Subclass_Start(QWidget* window);
    // Hands a message (-1: every message) to the callback at the given time(s).
    void Subclass_AddMsg(int32_t uMsg, int when);
    // Stops handing a message (-1: any) at the given time(s).
    void Subclass_DelMsg(int32_t uMsg, int when);
    // Unhooks the window; later messages go straight to its own handling.
    void Subclass_Stop();

    // Runs one message through the before pass, the window's own handling and
    // the after pass, and returns the result.
    int32_t Dispatch(int32_t hWnd, int32_t uMsg, int32_t wParam, int32_t lParam, const Procedure& previous);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static bool listed(const std::vector<int32_t>& table, int count, int32_t uMsg);
    static void add(std::vector<int32_t>& table, int& count, int32_t uMsg);
    static void remove(std::vector<int32_t>& table, int& count, int32_t uMsg);
    void watchScrollBar(QObject* child);
    bool windowEvent(QEvent* event);
    bool wheel(QWidget* target, QEvent* event);
    int32_t deliver(QEvent* original, int32_t uMsg, int32_t wParam, int32_t lParam, int32_t origMsg, int32_t origW,
                    int32_t origL);

    Callback m_callback;
    QPointer<QWidget> m_window;
    std::vector<int32_t> m_before, m_after;
    int m_beforeCount = 0;
    int m_afterCount = 0;
    int m_wheelGathered = 0;
};

} // namespace platform
