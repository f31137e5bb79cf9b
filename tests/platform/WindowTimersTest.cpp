#include "platform/WindowTimers.h"
#include "EventLoop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

TEST(WindowTimers, TicksComeFromTheEventLoopWithTheirOwnIds) {
    std::vector<std::pair<int32_t, int32_t>> ticks; // id, message
    auto proc = [&](int32_t hwnd, int32_t msg, int32_t id, int32_t) {
        EXPECT_EQ(hwnd, 0);
        ticks.emplace_back(id, msg);
    };
    const int32_t a = platform::SetTimer(0, 0, 20, proc);
    const int32_t b = platform::SetTimer(0, 0, 20, proc);
    ASSERT_NE(a, 0);
    ASSERT_NE(b, 0);
    EXPECT_NE(a, b);
    EXPECT_TRUE(ticks.empty()) << "nothing ticks before the event loop runs";
    ASSERT_TRUE(testsupport::RunEventsUntil([&] {
        std::set<int32_t> seen;
        for (auto& t : ticks)
            seen.insert(t.first);
        return seen.size() == 2;
    }));
    EXPECT_EQ(ticks.front().second, platform::WM_TIMER);

    EXPECT_TRUE(platform::KillTimer(0, a));
    EXPECT_FALSE(platform::KillTimer(0, a)) << "already stopped";
    ticks.clear();
    // Due as often as b, a would tick among b's next ticks.
    ASSERT_TRUE(testsupport::RunEventsUntil(
        [&] { return std::count_if(ticks.begin(), ticks.end(), [&](auto& t) { return t.first == b; }) >= 3; }));
    for (auto& t : ticks)
        EXPECT_EQ(t.first, b) << "a stopped timer never ticks again";
    EXPECT_TRUE(platform::KillTimer(0, b));
    EXPECT_EQ(platform::SetTimer(5, 0, 20, proc), 0) << "timers without a window only";
}

TEST(WindowTimers, ACallbackCanStopItsOwnTimerAndIdsAreNotReusedWhileRunning) {
    std::set<int32_t> ids;
    std::vector<int32_t> running;
    for (int i = 0; i < 50; ++i) {
        const int32_t id = platform::SetTimer(0, 0, 100000, [](int32_t, int32_t, int32_t, int32_t) {});
        EXPECT_TRUE(ids.insert(id).second);
        running.push_back(id);
    }
    for (int32_t id : running)
        platform::KillTimer(0, id);

    int ticks = 0;
    const int32_t self = platform::SetTimer(0, 0, 10, [&](int32_t, int32_t, int32_t id, int32_t) {
        ++ticks;
        platform::KillTimer(0, id);
    });
    ASSERT_TRUE(testsupport::RunEventsUntil([&] { return ticks > 0; }));
    // Still running, it would tick again long before a timer five times as long.
    testsupport::RunEventsPastTimer(50);
    EXPECT_EQ(ticks, 1);

    // Setting a running timer's id again restarts it under the same id.
    int restarted = 0;
    const int32_t slow = platform::SetTimer(0, 0, 100000, [](int32_t, int32_t, int32_t, int32_t) {});
    EXPECT_EQ(platform::SetTimer(0, slow, 10, [&](int32_t, int32_t, int32_t, int32_t) { ++restarted; }), slow);
    EXPECT_TRUE(testsupport::RunEventsUntil([&] { return restarted > 0; }));
    EXPECT_TRUE(platform::KillTimer(0, slow));
    EXPECT_NE(self, slow);
}
