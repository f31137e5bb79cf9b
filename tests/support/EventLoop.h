#pragma once

#include <functional>

namespace testsupport {

// Runs the Qt event loop until the condition holds or the time is up; returns
// whether it holds. Timers and queued events are delivered meanwhile. The
// bound is only there so a fault fails the test instead of hanging it.
bool RunEventsUntil(const std::function<bool()>& done, int ms = 10000);
// Runs the event loop until a timer of ms, started now, has fired. Every timer
// due sooner has fired by then, so a test can check that one did not: give
// the checked timer a clear margin, as timers may fire a little late.
void RunEventsPastTimer(int ms);

} // namespace testsupport
