#pragma once

#include "platform/StandIn.h"

#include <QDateTime>
#include <QPoint>

namespace platform {

// The current date and time as the organiser reads it: the system's, unless a
// stand-in (a test's fixed clock) has put itself in use.
class Clock : public Replaceable<const Clock> {
public:
    virtual ~Clock();
    static const Clock& current();
    virtual QDateTime now() const;
};

inline QDateTime Now() {
    return Clock::current().now();
}
inline QDate Today() {
    return Now().date();
}

// The pointer's position on the screen, in pixels, as the controls read it:
// the window system's, unless a stand-in has put itself in use.
class Pointer : public Replaceable<const Pointer> {
public:
    virtual ~Pointer();
    static const Pointer& current();
    virtual QPoint position() const;
};

inline QPoint GetCursorPos() {
    return Pointer::current().position();
}

} // namespace platform
