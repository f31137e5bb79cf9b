#pragma once

#include <functional>

namespace testsupport {

// Runs the Qt event loop until the condition holds or the time is up; returns
// whether it holds. Timers and queued events are delivered meanwhile.
bool RunEventsUntil(const std::function<bool()>& done, int ms = 3000);
// Runs the event loop for a while.
void RunEventsFor(int ms);

} // namespace testsupport
