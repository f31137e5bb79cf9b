#include "platform/Clock.h"

#include <QCursor>

namespace platform {

namespace {
std::function<QDateTime()>& clockOverride() {
    static std::function<QDateTime()> f;
    return f;
}
std::function<QPoint()>& cursorOverride() {
    static std::function<QPoint()> f;
    return f;
}
} // namespace

QDateTime Now() {
    return clockOverride() ? clockOverride()() : QDateTime::currentDateTime();
}
void SetClockOverride(std::function<QDateTime()> clock) {
    clockOverride() = std::move(clock);
}

QPoint GetCursorPos() {
    return cursorOverride() ? cursorOverride()() : QCursor::pos();
}
void SetCursorOverride(std::function<QPoint()> cursor) {
    cursorOverride() = std::move(cursor);
}

} // namespace platform
