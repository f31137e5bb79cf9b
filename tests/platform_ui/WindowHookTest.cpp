#include "platform/Theme.h"
#include "platform/ui/Extender.h"
#include "platform/ui/Subclass.h"
#include "platform/ui/ThemeChange.h"

#include "WidgetEvents.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <vector>

using namespace platform;

namespace {

// A window that counts what reaches its own handling.
class Window : public QWidget {
public:
    int moves = 0;
    QPoint lastMove;
    int wheels = 0;

protected:
    void mouseMoveEvent(QMouseEvent* e) override {
        ++moves;
        lastMove = e->position().toPoint();
    }
    void wheelEvent(QWheelEvent* e) override {
        ++wheels;
        e->accept();
    }
};

struct Seen {
    bool before;
    int32_t msg, wParam;
};

} // namespace

TEST(WindowHook, PassesBeforeAndAfterTheWindowsOwnHandlingAndCanSwallowOrRewrite) {
    Window w;
    w.resize(100, 100);
    w.setMouseTracking(true);
    std::vector<Seen> seen;
    bool swallow = false, rewrite = false;
    WindowSubclass hook([&](bool before, bool& handled, int32_t&, int32_t&, int32_t& msg, int32_t& wp, int32_t& lp) {
        seen.push_back({before, msg, wp});
        if (before && swallow)
            handled = true;
        if (before && rewrite)
            lp = MakeLParam(7, 9);
    });
    ASSERT_TRUE(hook.Subclass_Start(&w));
    hook.Subclass_AddMsg(WM_MOUSEMOVE, MSG_BEFORE | MSG_AFTER);

    widgetevents::move(&w, QPoint(10, 20), Qt::LeftButton);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_TRUE(seen[0].before);
    EXPECT_FALSE(seen[1].before);
    EXPECT_EQ(seen[0].msg, WM_MOUSEMOVE);
    EXPECT_EQ(seen[0].wParam, MK_LBUTTON);
    EXPECT_EQ(w.moves, 1);

    swallow = true;
    widgetevents::move(&w, QPoint(11, 20));
    EXPECT_EQ(w.moves, 1);
    EXPECT_EQ(seen.size(), 3u); // no after pass for a swallowed message
    swallow = false;

    rewrite = true;
    widgetevents::move(&w, QPoint(30, 30));
    EXPECT_EQ(w.moves, 2);
    EXPECT_EQ(w.lastMove, QPoint(7, 9));
    rewrite = false;

    // A removed message's slot is reused; -1 takes every message.
    hook.Subclass_DelMsg(WM_MOUSEMOVE, MSG_BEFORE | MSG_AFTER);
    seen.clear();
    widgetevents::move(&w, QPoint(1, 1));
    EXPECT_TRUE(seen.empty());
    hook.Subclass_AddMsg(-1, MSG_AFTER);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&w, &leave);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].msg, WM_MOUSELEAVE);

    hook.Subclass_Stop();
    seen.clear();
    widgetevents::move(&w, QPoint(2, 2));
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(w.moves, 4);
}

TEST(WindowHook, WheelTurnsArriveAsWholeNotchesWithTheirKeys) {
    Window w;
    w.resize(100, 100);
    auto* bar = new QScrollBar(Qt::Vertical, &w);
    bar->setRange(0, 100);
    std::vector<Seen> seen;
    WindowSubclass hook([&](bool before, bool&, int32_t&, int32_t&, int32_t& msg, int32_t& wp, int32_t&) {
        seen.push_back({before, msg, wp});
    });
    hook.Subclass_Start(&w);
    hook.Subclass_AddMsg(WM_MOUSEWHEEL, MSG_AFTER);

    widgetevents::wheel(&w, QPointF(5, 5), 120);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].wParam, 7864320);
    EXPECT_EQ(w.wheels, 1);

    // A touchpad's small steps make one notch once they add up to it.
    seen.clear();
    widgetevents::wheel(&w, QPointF(5, 5), -40);
    widgetevents::wheel(&w, QPointF(5, 5), -40);
    EXPECT_TRUE(seen.empty());
    widgetevents::wheel(&w, QPointF(5, 5), -40);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].wParam, -7864320);

    seen.clear();
    widgetevents::wheel(&w, QPointF(5, 5), 240, Qt::ControlModifier);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].wParam, MakeLParam(MK_CONTROL, 120));

    // Turned over the window's scroll bar, the wheel is the window's.
    seen.clear();
    widgetevents::wheel(bar, QPointF(5, 5), 120);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(bar->value(), 0);
}

TEST(WindowHook, ThemeAndColourChangesReachEveryWindow) {
    Window w;
    std::vector<int32_t> msgs;
    WindowSubclass hook(
        [&](bool, bool&, int32_t&, int32_t&, int32_t& msg, int32_t&, int32_t&) { msgs.push_back(msg); });
    hook.Subclass_Start(&w);
    hook.Subclass_AddMsg(WM_THEMECHANGED, MSG_AFTER);
    hook.Subclass_AddMsg(WM_SYSCOLORCHANGE, MSG_AFTER);
    ChangeVisualStyle(QStringLiteral("Metallic"));
    EXPECT_EQ(CurrentVisualStyle(), QStringLiteral("Metallic"));
    QEvent palette(QEvent::ApplicationPaletteChange);
    QApplication::sendEvent(&w, &palette);
    EXPECT_EQ(msgs, (std::vector<int32_t>{WM_THEMECHANGED, WM_SYSCOLORCHANGE}));
}

TEST(Extender, LeftAlignedControlSpansItsHostsHeightAndFollowsIt) {
    QWidget host;
    host.resize(400, 300);
    auto* control = new QWidget(&host);
    control->setGeometry(50, 60, 120, 40);
    SetAlign(control, vbAlignLeft);
    host.show();
    EXPECT_EQ(Align(control), vbAlignLeft);
    EXPECT_EQ(control->geometry(), QRect(0, 0, 120, 300));
    host.resize(500, 450);
    EXPECT_EQ(control->geometry(), QRect(0, 0, 120, 450));
    control->resize(90, 10);
    EXPECT_EQ(control->geometry(), QRect(0, 0, 90, 450));
    host.hide();
    EXPECT_TRUE(ExtenderVisible(control)); // not on screen, but not hidden by its host
    control->hide();
    EXPECT_FALSE(ExtenderVisible(control));
}
