#include "platform/Clock.h"

#include <QCursor>

namespace platform {

Clock::~Clock() = default;

const Clock& Clock::current() {
    static const Clock system{};
    return inUseOr(system);
}

QDateTime Clock::now() const {
    return QDateTime::currentDateTime();
}

Pointer::~Pointer() = default;

const Pointer& Pointer::current() {
    static const Pointer system{};
    return inUseOr(system);
}

QPoint Pointer::position() const {
    return QCursor::pos();
}

} // namespace platform
