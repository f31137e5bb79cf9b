#include "platform/Clock.h"

#include <QCursor>
#include <utility>

namespace platform {

namespace {
const Clock* clockInUse = nullptr;
const Pointer* pointerInUse = nullptr;
} // namespace

Clock::~Clock() = default;

const Clock& Clock::current() {
    static const Clock system{};
    return clockInUse ? *clockInUse : system;
}

QDateTime Clock::now() const {
    return QDateTime::currentDateTime();
}

const Clock* Clock::install(const Clock* clock) {
    return std::exchange(clockInUse, clock);
}

Pointer::~Pointer() = default;

const Pointer& Pointer::current() {
    static const Pointer system{};
    return pointerInUse ? *pointerInUse : system;
}

QPoint Pointer::position() const {
    return QCursor::pos();
}

const Pointer* Pointer::install(const Pointer* pointer) {
    return std::exchange(pointerInUse, pointer);
}

} // namespace platform
