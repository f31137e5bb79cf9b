#include "ExplorerBarFixture.h"
#include "Keystrokes.h"

#include <vector>

using testsupport::Strike;

namespace {

// Whether any pixel of a rectangle's outline has the colour.
bool outlined(const QImage& surface, const QRect& r, QRgb colour) {
    for (int x = r.left(); x <= r.right(); ++x)
        if (surface.pixel(x, r.top()) == colour || surface.pixel(x, r.bottom()) == colour)
            return true;
    for (int y = r.top(); y <= r.bottom(); ++y)
        if (surface.pixel(r.left(), y) == colour || surface.pixel(r.right(), y) == colour)
            return true;
    return false;
}

} // namespace

TEST_F(ExplorerBarTest, KeysMoveAlongHeadersAndItemsAndActAsClicks) {
    // Tasks open with two items, Meetings closed with one, Notes empty.
    buildGroups();
    bar->ExpandGroup(I(2), false);
    bar->setFocus(Qt::TabFocusReason);
    const struct {
        const char* what;
        std::vector<Qt::Key> keys;
        QStringList events;
    } cases[] = {
        {"Tab lands on the first header", {Qt::Key_Space, Qt::Key_Space}, {"GroupClick 1 False", "GroupClick 1 True"}},
        {"Down goes from a header to its items", {Qt::Key_Down, Qt::Key_Return}, {"ItemClick tasks tsk_add"}},
        {"and on across groups", {Qt::Key_Down, Qt::Key_Down, Qt::Key_Space}, {"GroupClick 2 True"}},
        {"Left on an open header closes it", {Qt::Key_Left}, {"GroupClick 2 False"}},
        {"Right opens a closed one", {Qt::Key_Right}, {"GroupClick 2 True"}},
        {"Down then reaches its item", {Qt::Key_Down, Qt::Key_Enter}, {"ItemClick mtg mtg_add"}},
        {"Left on an item goes to its header", {Qt::Key_Left, Qt::Key_Space}, {"GroupClick 2 False"}},
        {"End is the last header, Down stops there",
         {Qt::Key_End, Qt::Key_Down, Qt::Key_Space},
         {"GroupClick 3 False"}},
        {"Home is the first, Up stops there",
         {Qt::Key_Home, Qt::Key_Up, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return},
         {"ItemClick tasks tsk_edit"}},
        {"other keys do nothing", {Qt::Key_A, Qt::Key_Escape}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        events.clear();
        for (Qt::Key k : c.keys)
            Strike(bar, k);
        EXPECT_EQ(events.join(QLatin1Char('|')).toStdString(), c.events.join(QLatin1Char('|')).toStdString());
    }
}

TEST_F(ExplorerBarTest, TheSpotWithTheFocusIsOutlinedOnlyWhileTheBarHasIt) {
    buildGroups();
    const QRgb highlight = platform::ToQColor(platform::GetSysColor(platform::COLOR_HIGHLIGHT)).rgb();
    const QRect item = group(1).Items[1].ItemRect.toQRect().adjusted(-2, -2, 1, 1);
    EXPECT_EQ(bar->focusPolicy(), Qt::TabFocus) << "Tab reaches the bar; a click does not take the focus";
    bar->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(outlined(surface(), item, highlight));
    Strike(bar, Qt::Key_Down);
    EXPECT_TRUE(outlined(surface(), item, highlight));
    Strike(bar, Qt::Key_Down);
    EXPECT_FALSE(outlined(surface(), item, highlight)) << "the outline moves with the spot";
    Strike(bar, Qt::Key_Up);
    bar->clearFocus();
    EXPECT_FALSE(outlined(surface(), item, highlight));
    // Coming back, the focus is where it was left.
    bar->setFocus(Qt::BacktabFocusReason);
    events.clear();
    Strike(bar, Qt::Key_Return);
    EXPECT_EQ(events.join(QLatin1Char('|')).toStdString(), "ItemClick tasks tsk_add");
}
