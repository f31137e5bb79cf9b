#include "EventLoop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

namespace testsupport {

bool RunEventsUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer elapsed;
    elapsed.start();
    // The wait blocks until an event comes. Some conditions change with no
    // event to wake it, though: time passing (a timer's time left) or a flag
    // another thread sets. This beat wakes the wait to look at those, and
    // at the bound, without spinning.
    QTimer beat;
    beat.start(10);
    while (!done() && elapsed.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

void RunEventsPastTimer(int ms) {
    bool fired = false;
    QTimer later;
    later.setSingleShot(true);
    later.setTimerType(Qt::PreciseTimer);
    QObject::connect(&later, &QTimer::timeout, [&fired] { fired = true; });
    later.start(ms);
    if (!RunEventsUntil([&fired] { return fired; }, ms + 10000))
        ADD_FAILURE() << "a timer of " << ms << " ms never fired";
}

} // namespace testsupport
