#pragma once

#include "platform/ui/NotifyIcon.h"

namespace testsupport {

// While it lives, the desktop has a system tray or not as the test says.
class FakeSystemTray : public platform::SystemTray {
public:
    explicit FakeSystemTray(bool available) : m_available(available), m_previous(install(this)) {}
    ~FakeSystemTray() override { install(m_previous); }
    FakeSystemTray(const FakeSystemTray&) = delete;
    FakeSystemTray& operator=(const FakeSystemTray&) = delete;

    void set(bool available) { m_available = available; }
    bool available() const override { return m_available; }

private:
    bool m_available;
    const platform::SystemTray* m_previous;
};

} // namespace testsupport
