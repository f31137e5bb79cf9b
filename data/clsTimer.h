#pragma once

#include "platform/Variant.h"

#include <cstdint>
#include <functional>

// One window-system timer raising Timer at each tick. It is stopped when
// created and stops when released.
class clsTimer {
public:
    clsTimer() = default;
    ~clsTimer();
    clsTimer(const clsTimer&) = delete;
    clsTimer& operator=(const clsTimer&) = delete;

    // Milliseconds between ticks; takes effect at the next start.
    int32_t Interval = 2000;
    // Kept for the owner; the timer never reads it.
    platform::Variant Tag;

    bool Enabled() const { return m_running; }
    // True restarts a running timer and starts a stopped one; false stops it.
    void setEnabled(bool activateIt);
    // A fresh timer with the new interval, its first tick one interval away.
    void EnableTimer(int32_t mInterval);
    void Enable();
    void Disable();
    void Reset();
    void RaiseTimer_Event();

    // Raised at every tick of a timer that belongs to no group.
    std::function<void()> Timer;

    // Position inside the owning group and the group's registration number
    // (0 for a timer of its own); set by clsTimers.
    int32_t Index() const { return m_index; }
    void setIndex(int32_t index) { m_index = index; }
    int32_t ParentKey() const { return m_parentKey; }
    void setParentKey(int32_t key) { m_parentKey = key; }

private:
    bool CreateTimer();
    bool DestroyTimer();
    bool TimerExists() const;
    void DebugLog(const char* text) const;

    int32_t m_timerId = 0;
    bool m_running = false;
    int32_t m_index = 0;
    int32_t m_parentKey = 0;
};
