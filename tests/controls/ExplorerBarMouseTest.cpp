#include "EventLoop.h"
#include "ExplorerBarFixture.h"

using platform::RECT;

namespace {
QStringList take(QStringList& events) {
    QStringList out = events;
    events.clear();
    return out;
}
} // namespace

TEST_F(ExplorerBarTest, HoveringHeadersAndItemsRaisesTheirEventsAndTheHand) {
    buildGroups();
    const RECT header = group(1).HeaderRect;
    moveTo(mid(header));
    EXPECT_EQ(take(events), QStringList{"GroupHover tasks"});
    EXPECT_EQ(group(1).State, 2);
    EXPECT_EQ(ExplorerBarProbe::mousePointer(*bar), 99);

    moveTo(mid(group(1).Items[1].ItemRect));
    EXPECT_EQ(take(events), (QStringList{"GroupOut tasks", "ItemHover tasks tsk_add"}));
    EXPECT_EQ(group(1).State, 1);
    EXPECT_TRUE(group(1).Items[1].Hover);
    EXPECT_EQ(ExplorerBarProbe::mousePointer(*bar), 99);

    // Straight onto the item above: it is entered first and the one below
    // left later in the pass, which takes the hand away.
    moveTo(mid(group(1).Items[2].ItemRect));
    take(events);
    moveTo(mid(group(1).Items[1].ItemRect));
    EXPECT_EQ(take(events), (QStringList{"ItemHover tasks tsk_add", "ItemOut tasks tsk_edit"}));
    EXPECT_EQ(ExplorerBarProbe::mousePointer(*bar), 0);

    moveTo(QPointF(2, 2));
    EXPECT_EQ(take(events), QStringList{"ItemOut tasks tsk_add"});
}

TEST_F(ExplorerBarTest, APointOnALeftOrRightEdgeMissesAndOnATopOrBottomEdgeHits) {
    buildGroups(false);
    const RECT h = group(1).HeaderRect; // (8, 10, 225, 34)
    moveTo(QPointF(h.Left, 20));
    moveTo(QPointF(h.Right, 20));
    EXPECT_TRUE(events.isEmpty());
    moveTo(QPointF(100, h.Top));
    EXPECT_EQ(take(events), QStringList{"GroupHover tasks"});
    moveTo(QPointF(100, h.Bottom));
    EXPECT_TRUE(events.isEmpty());
    moveTo(QPointF(100, h.Bottom + 1));
    EXPECT_EQ(take(events), QStringList{"GroupOut tasks"});
}

TEST_F(ExplorerBarTest, APressedHeaderLeftWithTheButtonHeldClicksNothing) {
    buildGroups(false);
    const RECT h = group(1).HeaderRect;
    press(mid(h));
    EXPECT_EQ(group(1).State, 3);
    moveTo(mid(h), Qt::LeftButton);
    moveTo(mid(group(2).HeaderRect), Qt::LeftButton); // hover still follows a held button
    EXPECT_EQ(group(1).State, 1);
    EXPECT_EQ(take(events), (QStringList{"GroupHover tasks", "GroupOut tasks", "GroupHover mtg"}));
    release(QPointF(2, 300));
    EXPECT_EQ(take(events), QStringList{"GroupOut mtg"});
    EXPECT_FALSE(group(1).Expanded);
    EXPECT_FALSE(group(2).Expanded);
}

TEST_F(ExplorerBarTest, ClickingAHeaderTogglesItsGroupAndAHandlerMayOverrule) {
    buildGroups(false);
    click(mid(group(2).HeaderRect));
    EXPECT_EQ(take(events), (QStringList{"GroupClick 2 True", "GroupHover mtg"}));
    EXPECT_TRUE(group(2).Expanded);
    EXPECT_EQ(group(2).State, 2);
    EXPECT_EQ(group(3).HeaderRect.Top, group(2).HeaderRect.Bottom + group(2).BodyHeight + 6 + 10);

    QObject::connect(bar, &ExplorerBar::GroupClick, [](int g, bool& expanded) {
        if (g == 3)
            expanded = false;
    });
    click(mid(group(3).HeaderRect));
    EXPECT_FALSE(group(3).Expanded);

    // A handler that adds groups while it is told of a click does no harm.
    QObject::connect(bar, &ExplorerBar::GroupClick, [this](int g, bool& expanded) {
        if (g != 1)
            return;
        for (int i = 0; i < 40; ++i)
            bar->AddGroup(QStringLiteral("more%1").arg(i), QStringLiteral("More"));
        expanded = false;
    });
    click(mid(group(1).HeaderRect));
    EXPECT_EQ(ExplorerBarProbe::groupCount(*bar), 43);
    EXPECT_FALSE(group(1).Expanded);

    bar->AddSpecialGroup(QStringLiteral("Information Display"), QImage());
    take(events);
    click(mid(group(-1).HeaderRect));
    EXPECT_EQ(events.first(), QStringLiteral("GroupClick -1 False"));
    bar->AddDetailsGroup(QStringLiteral("Details"), QStringLiteral("T"), QStringLiteral("X"));
    take(events);
    click(mid(group(-2).HeaderRect));
    EXPECT_EQ(events.first(), QStringLiteral("GroupClick -2 False"));
}

TEST_F(ExplorerBarTest, ReleasingOverAnItemClicksItWhereverThePressWas) {
    buildGroups();
    bar->AddSpecialGroup(QStringLiteral("Information Display"), QImage());
    bar->AddItem(QStringLiteral("Special Group"), QStringLiteral("sh_task"), QStringLiteral("Show All Tasks"));
    press(QPointF(2, 2));
    release(mid(group(1).Items[2].ItemRect));
    EXPECT_EQ(events.first(), QStringLiteral("ItemClick tasks tsk_edit"));
    take(events);
    click(mid(group(-1).Items[1].ItemRect));
    EXPECT_EQ(events.first(), QStringLiteral("ItemClick Special Group sh_task"));

    // The items of a closed group are not there to click.
    const QPointF where = mid(group(2).Items[1].ItemRect);
    bar->ExpandGroup(I(2), false);
    take(events);
    click(where);
    EXPECT_FALSE(events.join(' ').contains(QStringLiteral("ItemClick")));

    // A click or a hover whose handler empties the bar ends quietly.
    auto hovered = QObject::connect(bar, &ExplorerBar::ItemHover, [this] { bar->ClearGroup(I(1)); });
    bar->ExpandGroup(I(1), true);
    moveTo(mid(group(1).Items[2].ItemRect));
    EXPECT_EQ(group(1).ItemCount, 0);
    QObject::disconnect(hovered);
    bar->AddItem(I(1), QStringLiteral("again"), QStringLiteral("Again"));
    QObject::connect(bar, &ExplorerBar::ItemClick, [this] { bar->ClearStructure(); });
    click(mid(group(1).Items[1].ItemRect));
    EXPECT_EQ(ExplorerBarProbe::groupCount(*bar), 0);
}

TEST_F(ExplorerBarTest, PollingNoticesThePointerComingAndGoing) {
    buildGroups();
    EXPECT_FALSE(ExplorerBarProbe::polling(*bar));
    moveTo(mid(group(1).Items[1].ItemRect));
    EXPECT_TRUE(ExplorerBarProbe::polling(*bar));
    take(events);

    // Gone before a tick saw it inside: polling goes on.
    cursor.moveTo(bar->mapToGlobal(QPoint(300, 10)));
    ExplorerBarProbe::tick(*bar);
    EXPECT_TRUE(ExplorerBarProbe::polling(*bar));
    EXPECT_FALSE(events.contains(QStringLiteral("MouseOut")));
    take(events);

    cursor.moveTo(bar->mapToGlobal(QPoint(100, 100)));
    ExplorerBarProbe::tick(*bar);
    ExplorerBarProbe::tick(*bar);
    EXPECT_EQ(take(events), QStringList{"MouseOver"});
    moveTo(mid(group(1).Items[1].ItemRect));
    take(events);

    cursor.moveTo(bar->mapToGlobal(QPoint(300, 10)));
    ExplorerBarProbe::tick(*bar);
    EXPECT_EQ(take(events), (QStringList{"MouseOut", "ItemOut tasks tsk_add"}));
    EXPECT_FALSE(ExplorerBarProbe::polling(*bar));
    EXPECT_FALSE(ExplorerBarProbe::mouseInside(*bar));
}

TEST_F(ExplorerBarTest, MovesKeepThePollingRunningWithoutStartingItAfresh) {
    buildGroups();
    moveTo(QPointF(100, 300));
    ASSERT_TRUE(ExplorerBarProbe::polling(*bar));
    const int left = ExplorerBarProbe::pollingLeft(*bar);
    ASSERT_TRUE(testsupport::RunEventsUntil([&] { return ExplorerBarProbe::pollingLeft(*bar) < left - 10; }));
    moveTo(QPointF(101, 300));
    moveTo(QPointF(102, 300));
    // A pointer that never rests still lets the ticks come.
    EXPECT_LT(ExplorerBarProbe::pollingLeft(*bar), left - 10);
}

TEST_F(ExplorerBarTest, AMoveOverAHostedControlClearsEveryHover) {
    auto* child = new QWidget(host.get());
    child->resize(100, 100);
    bar->AddGroup(QStringLiteral("calender"), QStringLiteral("Calender"));
    bar->AddGroup(QStringLiteral("tasks"), QStringLiteral("Tasks"));
    bar->SetGroupChild(I(1), child, 99);
    moveTo(mid(group(2).HeaderRect));
    take(events);
    widgetevents::move(child, QPointF(50, 50));
    EXPECT_EQ(take(events), QStringList{"GroupOut tasks"});
    EXPECT_EQ(ExplorerBarProbe::mousePointer(*bar), 0);
    EXPECT_EQ(child->cursor().shape(), Qt::BitmapCursor); // the hand it was given
}

TEST_F(ExplorerBarTest, EachWheelNotchScrolls32PixelsUnlessAKeyIsHeld) {
    buildGroups();
    host->resize(400, 120);
    QScrollBar* sb = ExplorerBarProbe::scrollBar(*bar);
    ASSERT_FALSE(sb->isHidden());
    ASSERT_GT(sb->maximum(), 64);
    auto turn = [&](QWidget* target, int delta, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        widgetevents::wheel(target, QPointF(20, 20), delta, keys);
    };
    const int top = group(1).HeaderRect.Top;
    turn(bar, 120); // already at the top
    EXPECT_EQ(sb->value(), 0);
    turn(bar, -120);
    EXPECT_EQ(sb->value(), 32);
    EXPECT_EQ(group(1).HeaderRect.Top, top - 32);
    turn(bar, -120, Qt::ControlModifier);
    turn(bar, -120, Qt::ShiftModifier);
    EXPECT_EQ(sb->value(), 32);
    for (int i = 0; i < 3; ++i)
        turn(bar, -40); // a touchpad
    EXPECT_EQ(sb->value(), 64);
    turn(sb, 120); // over the scroll bar itself
    EXPECT_EQ(sb->value(), 32);
    for (int i = 0; i < 50; ++i)
        turn(bar, -120);
    EXPECT_EQ(sb->value(), sb->maximum());
}
