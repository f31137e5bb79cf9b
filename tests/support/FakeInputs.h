#pragma once

#include "platform/Clock.h"

#include <QDateTime>
#include <QPoint>

namespace testsupport {

// The organiser's clock while the object lives, fixed where the test sets it.
class FakeClock : public platform::Clock {
public:
    explicit FakeClock(const QDateTime& now);
    ~FakeClock() override;
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    void set(const QDateTime& now) { m_now = now; }
    void advanceSeconds(int seconds) { m_now = m_now.addSecs(seconds); }
    QDateTime now() const override { return m_now; }

private:
    QDateTime m_now;
    const platform::Clock* m_previous;
};

// The pointer as the controls read it while the object lives, where the test
// places it.
class FakeCursor : public platform::Pointer {
public:
    explicit FakeCursor(const QPoint& at = QPoint(-10000, -10000));
    ~FakeCursor() override;
    FakeCursor(const FakeCursor&) = delete;
    FakeCursor& operator=(const FakeCursor&) = delete;

    void moveTo(const QPoint& at) { m_pos = at; }
    QPoint position() const override { return m_pos; }

private:
    QPoint m_pos;
    const platform::Pointer* m_previous;
};

} // namespace testsupport
