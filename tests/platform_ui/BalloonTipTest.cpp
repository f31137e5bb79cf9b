#include "platform/ui/BalloonTip.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <iterator>

using namespace platform;

TEST(BalloonTip, PointsAtTheIconOrElseStandsInTheCornerNearestTheTray) {
    const QRect screen(0, 0, 1024, 768);
    const QRect second(1024, 0, 1280, 1024);
    const QRect panelBelow(0, 0, 1024, 744);
    const QRect panelAbove(0, 24, 1024, 744);
    const QRect panelLeft(30, 0, 994, 768);
    const struct {
        const char* how;
        QRect icon; // empty: not known
        QRect screen;
        QRect available;
        bool above;
        QPoint corner; // for an unknown icon: the corner of the available area the balloon stands in
    } cases[] = {
        {"tray at the bottom right", {1001, 745, 22, 22}, screen, panelBelow, true, {}},
        {"tray at the top left", {2, 1, 22, 22}, screen, panelAbove, false, {}},
        {"icon against the right edge", {1002, 1, 22, 22}, screen, panelAbove, false, {}},
        {"panel on the left, icon low", {4, 700, 22, 22}, screen, panelLeft, true, {}},
        {"icon on a second screen", {2250, 1000, 22, 22}, second, second, true, {}},
        {"unknown, no panel", {}, screen, screen, true, {1023, 767}},
        {"unknown, panel below", {}, screen, panelBelow, true, {1023, 743}},
        {"unknown, panel above", {}, screen, panelAbove, false, {1023, 24}},
        {"unknown, panel on the left", {}, screen, panelLeft, true, {30, 767}},
        {"unknown, panels on the left and above", {}, screen, QRect(30, 24, 994, 744), false, {30, 24}},
    };
    const QSize body(300, 80);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        const BalloonPlace p = PlaceBalloon(body, c.icon, c.screen, c.available);
        EXPECT_EQ(p.above, c.above);
        EXPECT_EQ(p.frame.size(), QSize(300, 80 + kBalloonArrow));
        // The arrow leaves the body on the side of what it points at.
        EXPECT_EQ(p.tip.y(), c.above ? p.frame.bottom() : p.frame.top());
        EXPECT_GE(p.tip.x(), p.frame.left() + kBalloonArrowInset);
        EXPECT_LE(p.tip.x(), p.frame.right() - kBalloonArrowInset);
        if (!c.icon.isEmpty()) {
            EXPECT_TRUE(c.screen.contains(p.frame));
            EXPECT_EQ(p.tip.y(), c.above ? c.icon.top() : c.icon.bottom());
            EXPECT_GE(p.tip.x(), c.icon.left());
            EXPECT_LE(p.tip.x(), c.icon.right());
        } else {
            EXPECT_TRUE(c.available.contains(p.frame));
            const QPoint corners[] = {p.frame.topLeft(), p.frame.topRight(), p.frame.bottomLeft(),
                                      p.frame.bottomRight()};
            EXPECT_NE(std::find(std::begin(corners), std::end(corners), c.corner), std::end(corners));
        }
    }
}
