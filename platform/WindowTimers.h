#pragma once

#include "platform/WindowMessages.h"

#include <cstdint>
#include <functional>

// Window-system timers with a callback and no window, run by the Qt event
// loop of the thread that made them.
namespace platform {

// Called on every tick with no window, WM_TIMER, the timer's id and the
// milliseconds since the program started.
using TimerProc = std::function<void(int32_t hwnd, int32_t uMsg, int32_t idEvent, int32_t dwTime)>;

// Starts a timer and returns its id, never 0 and never one of a running timer.
// An idEvent of a running timer restarts that timer with the new interval and
// callback and keeps its id. Intervals below 10 ms run at 10 ms. Returns 0
// when no timer can run (no window: hwnd must be 0; no Qt application).
int32_t SetTimer(int32_t hwnd, int32_t idEvent, int32_t uElapse, TimerProc lpTimerFunc);

// Stops a timer; false when no running timer has that id. A callback may stop
// its own timer.
bool KillTimer(int32_t hwnd, int32_t uIDEvent);

} // namespace platform
