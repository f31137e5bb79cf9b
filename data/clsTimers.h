#pragma once

#include "data/clsTimer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// A group of timers that share one event, Timer(Index).
class clsTimers {
public:
    clsTimers();
    ~clsTimers();
    clsTimers(const clsTimers&) = delete;
    clsTimers& operator=(const clsTimers&) = delete;

    int32_t Count() const { return m_count; }
    // Adds a stopped timer and returns its index (from 1).
    int32_t Add();
    // Adds num + 1 timers for num from 1 to 199; any other num raises the
    // user error base, "No more than 200 times allowed per class".
    void BulkLoad(int32_t num);
    // The timer at the index (from 1); an index above Count raises "Index
    // does not Exist".
    clsTimer& Item(int32_t Index);

    void RaiseTimerEvent(int32_t Index);
    std::function<void(int32_t Index)> Timer;

    int32_t RegistrationKey() const { return m_key; }

private:
    std::vector<std::unique_ptr<clsTimer>> m_members;
    int32_t m_count = 0;
    int32_t m_key = 0;
};
