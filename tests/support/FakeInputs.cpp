#include "FakeInputs.h"

namespace testsupport {

FakeClock::FakeClock(const QDateTime& now) : m_now(now) {
    platform::SetClockOverride([this]() { return m_now; });
}
FakeClock::~FakeClock() {
    platform::SetClockOverride({});
}

FakeCursor::FakeCursor(const QPoint& at) : m_pos(at) {
    platform::SetCursorOverride([this]() { return m_pos; });
}
FakeCursor::~FakeCursor() {
    platform::SetCursorOverride({});
}

} // namespace testsupport
