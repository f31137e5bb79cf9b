#pragma once

#include <QDateTime>
#include <QPoint>
#include <functional>

namespace platform {

// The current date and time as the organiser reads it; tests fix it.
QDateTime Now();
inline QDate Today() {
    return Now().date();
}
void SetClockOverride(std::function<QDateTime()> clock); // empty function: the real clock

// The pointer's position on the screen, in pixels. The controls read it
// through here instead of from the window system, so tests can place it.
QPoint GetCursorPos();
void SetCursorOverride(std::function<QPoint()> cursor); // empty function: the real pointer

} // namespace platform
