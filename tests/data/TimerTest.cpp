#include "EventLoop.h"
#include "data/clsTimer.h"
#include "data/clsTimers.h"
#include "data/mTimerFunctions.h"
#include "platform/ObjectError.h"
#include "platform/RuntimeError.h"
#include "platform/WindowTimers.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The system id under which the registry knows a running timer.
int32_t idOf(const clsTimer& timer) {
    const auto& objects = mTimerFunctions::TimerObjects();
    for (auto it = objects.begin(); it != objects.end(); ++it)
        if (it.value() == &timer)
            return it.key().mid(3).toInt();
    return 0;
}

void expectUserError(const std::function<void()>& f, const QString& source, const QString& description) {
    try {
        f();
        ADD_FAILURE() << "no error raised";
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::kUserErrorBase);
        EXPECT_EQ(e.source(), source);
        EXPECT_EQ(e.description(), description);
    }
}

} // namespace

TEST(Timers, ATimerStartsStoppedAndRestartsWithANewSystemTimer) {
    clsTimer timer;
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.Interval, 2000);
    timer.setEnabled(false);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_TRUE(mTimerFunctions::TimerObjects().isEmpty());

    int ticks = 0;
    timer.Timer = [&] { ++ticks; };
    timer.EnableTimer(20);
    ASSERT_TRUE(timer.Enabled());
    const int32_t first = idOf(timer);
    ASSERT_NE(first, 0);
    ASSERT_TRUE(testsupport::RunEventsUntil([&] { return ticks >= 2; }));

    timer.EnableTimer(20);
    const int32_t second = idOf(timer);
    ASSERT_NE(second, 0);
    EXPECT_NE(second, first);
    EXPECT_FALSE(platform::KillTimer(0, first)) << "the old system timer was stopped";
    EXPECT_EQ(mTimerFunctions::TimerObjects().size(), 1);

    timer.setEnabled(true); // restarts
    EXPECT_TRUE(timer.Enabled());
    timer.setEnabled(false);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_TRUE(mTimerFunctions::TimerObjects().isEmpty());

    timer.Interval = 0;
    timer.Enable();
    EXPECT_FALSE(timer.Enabled()) << "no timer without an interval";
}

TEST(Timers, TicksReachTheirOwnObjectOrGroup) {
    clsTimer a, b;
    clsTimers group;
    int aTicks = 0, bTicks = 0;
    std::vector<int32_t> groupTicks;
    a.Timer = [&] { ++aTicks; };
    b.Timer = [&] { ++bTicks; };
    group.Timer = [&](int32_t index) { groupTicks.push_back(index); };
    group.Add();
    group.Add();
    a.EnableTimer(100000);
    b.EnableTimer(100000);
    group.Item(2).EnableTimer(100000);

    mTimerFunctions::TimerProc(0, platform::WM_TIMER, idOf(b), 0);
    mTimerFunctions::TimerProc(0, platform::WM_TIMER, idOf(group.Item(2)), 0);
    EXPECT_EQ(aTicks, 0);
    EXPECT_EQ(bTicks, 1);
    EXPECT_EQ(groupTicks, std::vector<int32_t>{2});
    EXPECT_EQ(group.Item(2).ParentKey(), group.RegistrationKey());
    EXPECT_EQ(mTimerFunctions::TimerClasses().value(mTimerFunctions::ClassKey(group.RegistrationKey())), &group);

    // Ticks nobody owns stop their system timer.
    const int32_t orphan = platform::SetTimer(0, 0, 100000, &mTimerFunctions::TimerProc);
    mTimerFunctions::TimerProc(0, platform::WM_TIMER, orphan, 0);
    EXPECT_FALSE(platform::KillTimer(0, orphan));
    clsTimer lost;
    lost.setParentKey(9999);
    lost.EnableTimer(100000);
    const int32_t lostId = idOf(lost);
    mTimerFunctions::TimerProc(0, platform::WM_TIMER, lostId, 0);
    EXPECT_FALSE(platform::KillTimer(0, lostId)) << "a timer whose group is gone stops";

    // The real event loop routes the same way.
    a.EnableTimer(10);
    ASSERT_TRUE(testsupport::RunEventsUntil([&] { return aTicks > 0; }));
}

TEST(Timers, AnErrorInAHandlerEndsOnlyThatTickAndAHandlerMayReleaseItsTimer) {
    auto timer = std::make_unique<clsTimer>();
    int ticks = 0;
    timer->Timer = [&] {
        ++ticks;
        throw platform::RuntimeError::fromNumber(5);
    };
    timer->EnableTimer(10);
    ASSERT_TRUE(testsupport::RunEventsUntil([&] { return ticks >= 3; })) << "the timer runs on after a failing tick";

    timer->Timer = [&] {
        ++ticks;
        timer.reset();
    };
    ticks = 0;
    ASSERT_TRUE(testsupport::RunEventsUntil([&] { return !timer; }));
    EXPECT_EQ(ticks, 1);
    EXPECT_TRUE(mTimerFunctions::TimerObjects().isEmpty()) << "a released timer is stopped and forgotten";
}

TEST(Timers, GroupsLoadInBulkWithinBounds) {
    clsTimers group;
    EXPECT_EQ(group.Count(), 0);
    group.BulkLoad(3);
    EXPECT_EQ(group.Count(), 4) << "one more than asked";
    EXPECT_EQ(group.Item(4).Index(), 4);
    expectUserError([&] { group.BulkLoad(0); }, "clsTimers.BulkLoad", "No more than 200 times allowed per class");
    expectUserError([&] { group.BulkLoad(200); }, "clsTimers.BulkLoad", "No more than 200 times allowed per class");
    expectUserError([&] { group.Item(5); }, "clsTimers.Item", "Index does not Exist");
    EXPECT_THROW(group.Item(0), platform::RuntimeError);

    clsTimers big;
    big.BulkLoad(199);
    EXPECT_EQ(big.Count(), 200);
    EXPECT_NE(big.RegistrationKey(), group.RegistrationKey());

    const int32_t key = big.RegistrationKey();
    {
        clsTimers gone;
        EXPECT_EQ(gone.RegistrationKey(), key + 1);
        gone.Add();
        gone.Item(1).EnableTimer(100000);
    }
    EXPECT_FALSE(mTimerFunctions::TimerClasses().contains(mTimerFunctions::ClassKey(key + 1)));
    EXPECT_TRUE(mTimerFunctions::TimerObjects().isEmpty()) << "a released group stops its timers";
}
