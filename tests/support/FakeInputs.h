#pragma once

#include "platform/Clock.h"

#include <QDateTime>
#include <QPoint>

namespace testsupport {

// Fixes the organiser's clock for the lifetime of the object.
class FakeClock {
public:
    explicit FakeClock(const QDateTime& now);
    ~FakeClock();
    void set(const QDateTime& now) { m_now = now; }
    void advanceSeconds(int seconds) { m_now = m_now.addSecs(seconds); }
    QDateTime now() const { return m_now; }

private:
    QDateTime m_now;
};

// Places the pointer where the controls will read it.
class FakeCursor {
public:
    explicit FakeCursor(const QPoint& at = QPoint(-10000, -10000));
    ~FakeCursor();
    void moveTo(const QPoint& at) { m_pos = at; }
    QPoint pos() const { return m_pos; }

private:
    QPoint m_pos;
};

} // namespace testsupport
