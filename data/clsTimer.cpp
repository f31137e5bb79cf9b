#include "data/clsTimer.h"

#include "data/mTimerFunctions.h"
#include "platform/WindowTimers.h"

clsTimer::~clsTimer() {
    DestroyTimer();
}

void clsTimer::setEnabled(bool activateIt) {
    if (activateIt) {
        if (m_running)
            Reset();
        else
            Enable();
    } else if (m_running) {
        Disable();
    }
}

void clsTimer::EnableTimer(int32_t mInterval) {
    if (m_running && Interval == mInterval)
        Disable();
    Interval = mInterval;
    Enable();
}

void clsTimer::Enable() {
    if (m_running)
        DestroyTimer();
    CreateTimer();
}

void clsTimer::Disable() {
    DestroyTimer();
}

void clsTimer::Reset() {
    DestroyTimer();
    CreateTimer();
}

void clsTimer::RaiseTimer_Event() {
    // The handler may release this timer, so it runs from a copy.
    const std::function<void()> handler = Timer;
    if (handler)
        handler();
}

bool clsTimer::CreateTimer() {
    if (Interval <= 0) {
        DebugLog("interval not above 0; not started");
        return false;
    }
    m_timerId = platform::SetTimer(0, 0, Interval, &mTimerFunctions::TimerProc);
    if (m_timerId == 0) {
        m_running = false;
        DebugLog("the window system refused the timer");
        return false;
    }
    mTimerFunctions::TimerObjects().insert(mTimerFunctions::TimerKey(m_timerId), this);
    m_running = true;
    return true;
}

bool clsTimer::DestroyTimer() {
    if (!TimerExists())
        return false;
    platform::KillTimer(0, m_timerId);
    mTimerFunctions::TimerObjects().remove(mTimerFunctions::TimerKey(m_timerId));
    // Forget the id: the window system may give it to another timer later.
    m_timerId = 0;
    m_running = false;
    return true;
}

bool clsTimer::TimerExists() const {
    return m_timerId != 0 && mTimerFunctions::TimerObjects().value(mTimerFunctions::TimerKey(m_timerId)) == this;
}

void clsTimer::DebugLog(const char*) const {}
