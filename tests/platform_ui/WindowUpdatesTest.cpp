#include "platform/ui/WindowUpdates.h"

#include <QWidget>
#include <gtest/gtest.h>

TEST(WindowUpdates, OneWindowAtATime) {
    QWidget a, b;
    EXPECT_TRUE(platform::LockWindowUpdate(&a));
    EXPECT_FALSE(a.updatesEnabled());
    EXPECT_FALSE(platform::LockWindowUpdate(&b)) << "a lock is already held";
    EXPECT_TRUE(b.updatesEnabled());
    EXPECT_TRUE(platform::LockWindowUpdate(nullptr));
    EXPECT_TRUE(a.updatesEnabled());
    EXPECT_FALSE(platform::LockWindowUpdate(nullptr)) << "nothing left to release";
    EXPECT_EQ(platform::LockedWindow(), nullptr);
}
