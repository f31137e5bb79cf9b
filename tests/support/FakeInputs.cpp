#include "FakeInputs.h"

namespace testsupport {

FakeClock::FakeClock(const QDateTime& now) : m_now(now), m_previous(install(this)) {}
FakeClock::~FakeClock() {
    install(m_previous);
}

FakeCursor::FakeCursor(const QPoint& at) : m_pos(at), m_previous(install(this)) {}
FakeCursor::~FakeCursor() {
    install(m_previous);
}

} // namespace testsupport
