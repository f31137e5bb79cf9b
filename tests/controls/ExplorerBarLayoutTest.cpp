#include "ExplorerBarFixture.h"

using platform::RECT;

namespace {
RECT rect(int l, int t, int r, int b) {
    RECT x;
    platform::SetRect(x, l, t, r, b);
    return x;
}
} // namespace

TEST_F(ExplorerBarTest, AnEmptyBarNeedsNoScrollBar) {
    bar->Refresh();
    EXPECT_TRUE(ExplorerBarProbe::scrollBar(*bar)->isHidden());
    EXPECT_EQ(ExplorerBarProbe::layoutWidth(*bar), 233);
}

TEST_F(ExplorerBarTest, GroupsTakeTheirFixedShares) {
    buildGroups(false);
    // Collapsed: 10 + 24 + 12 = 46 px each.
    EXPECT_EQ(group(1).HeaderRect, rect(8, 10, 225, 34));
    EXPECT_EQ(group(2).HeaderRect.Top, 56);
    EXPECT_EQ(group(3).HeaderRect.Top, 102);

    // Expanded: 10 + 24 + 10 + each (item + 8) + 6 + 12.
    bar->ExpandGroup(I(1), true);
    const int h = lineHeight();
    EXPECT_EQ(group(1).Items[1].ItemRect.Top, 44);
    EXPECT_EQ(group(1).Items[1].ItemRect.Left, 20);
    EXPECT_EQ(group(1).Items[1].ItemRect.Bottom, 44 + h);
    EXPECT_EQ(group(1).Items[2].ItemRect.Top, 44 + h + 8);
    const int afterItems = 44 + 2 * (h + 8);
    EXPECT_EQ(group(1).BodyHeight, afterItems - 34 + 12);
    EXPECT_EQ(group(2).HeaderRect.Top, afterItems + 6 + 12 + 10);
    // An item's right edge hugs its caption.
    const int t = platform::TextWidth(ExplorerBarProbe::font(*bar), QStringLiteral("Add New Task")) + 1;
    EXPECT_EQ(group(1).Items[1].ItemRect.Right, 40 + t);

    // The special group: 16 + 24 + 6 collapsed, and its body ends 8 below the last item gap.
    bar->AddSpecialGroup(QStringLiteral("Information Display"), QImage());
    bar->ExpandGroup(I(1), false);
    bar->ExpandGroup(QStringLiteral("Special Group"), false);
    EXPECT_EQ(group(-1).HeaderRect, rect(8, 16, 225, 40));
    EXPECT_EQ(group(1).HeaderRect.Top, 46 + 10);
    bar->ExpandGroup(QStringLiteral("Special Group"), true);
    bar->AddItem(QStringLiteral("Special Group"), QStringLiteral("sh_today"), QStringLiteral("Show Today's Schedules"));
    EXPECT_EQ(group(-1).Items[1].ItemRect.Top, 50);
    EXPECT_EQ(group(-1).BodyHeight, 50 + h + 8 - 40 + 8);
    EXPECT_EQ(group(1).HeaderRect.Top, 50 + h + 8 + 6 + 6 + 10);
}

TEST_F(ExplorerBarTest, AHostedControlIsTheBodyOfItsGroup) {
    auto* child = new QWidget(host.get());
    child->resize(50, 140);
    bar->AddGroup(QStringLiteral("calender"), QStringLiteral("Calender"));
    bar->AddGroup(QStringLiteral("tasks"), QStringLiteral("Tasks"));
    bar->ExpandGroup(I(2), false);
    bar->SetGroupChild(QStringLiteral("calender"), child);
    EXPECT_EQ(group(1).BodyHeight, 140);
    EXPECT_EQ(group(2).HeaderRect.Top, 10 + 24 + 140 - 10 + 12 + 10);
    // It is laid over the body: the header's width, under the header.
    EXPECT_EQ(child->geometry(), QRect(8, 34, 217, 140));
    bar->ExpandGroup(I(1), false);
    EXPECT_TRUE(child->isHidden());
    EXPECT_EQ(group(2).HeaderRect.Top, 56);
}

TEST_F(ExplorerBarTest, LongCaptionsWrapAtTheBandsRightEdge) {
    bar->AddGroup(QStringLiteral("g"), QStringLiteral("G"));
    const QString caption = QStringLiteral("A caption far too long to stand on one line of the bar at all");
    bar->AddItem(QStringLiteral("g"), QStringLiteral("long"), caption);
    const RECT r = group(1).Items[1].ItemRect;
    EXPECT_EQ(r.Right, 233 - 16);
    const int lines = (r.Bottom - r.Top) / lineHeight();
    EXPECT_GE(lines, 2);
    EXPECT_EQ(r.Bottom - r.Top, lines * lineHeight());
}

TEST_F(ExplorerBarTest, TooMuchContentShowsTheScrollBarAndLaysOutAgainNarrower) {
    buildGroups();
    // A caption that fits one line at the full width but not beside the scroll bar.
    const QFont font = ExplorerBarProbe::font(*bar);
    QString caption = QStringLiteral("Wide");
    while (platform::TextWidth(font, caption + QStringLiteral(" x")) + 1 < 233 - 56 - 8)
        caption += QStringLiteral(" x");
    bar->AddItem(QStringLiteral("note"), QStringLiteral("wide"), caption);
    const int fullBottom = group(3).Items[1].ItemRect.Bottom - group(3).Items[1].ItemRect.Top;
    EXPECT_EQ(fullBottom, lineHeight());
    EXPECT_TRUE(ExplorerBarProbe::scrollBar(*bar)->isHidden());

    host->resize(400, 150); // the bar is docked: it takes its host's height
    QScrollBar* sb = ExplorerBarProbe::scrollBar(*bar);
    ASSERT_FALSE(sb->isHidden());
    const int narrow = 233 - sb->width();
    EXPECT_EQ(ExplorerBarProbe::layoutWidth(*bar), narrow);
    EXPECT_EQ(group(1).HeaderRect.Right, narrow - 8);
    EXPECT_EQ(group(3).Items[1].ItemRect.Bottom - group(3).Items[1].ItemRect.Top, 2 * lineHeight());
    EXPECT_EQ(sb->geometry(), QRect(narrow, 0, sb->width(), 150));
    const int contentBottom = group(3).HeaderRect.Bottom + group(3).BodyHeight + 6;
    EXPECT_EQ(sb->maximum(), contentBottom - 150);
    EXPECT_EQ(sb->pageStep(), 150);

    // Scrolled down by k, everything is k higher; the first header leaves the top.
    const int before = group(1).HeaderRect.Top;
    sb->setValue(20);
    EXPECT_EQ(ExplorerBarProbe::scrollOffset(*bar), 20);
    EXPECT_EQ(group(1).HeaderRect.Top, before - 20);
    EXPECT_LT(group(1).HeaderRect.Top, 0);

    // Room again: the bar goes, the offset with it, and the width comes back.
    host->resize(400, 600);
    EXPECT_TRUE(sb->isHidden());
    EXPECT_EQ(ExplorerBarProbe::scrollOffset(*bar), 0);
    EXPECT_EQ(group(1).HeaderRect.Top, 10);
    EXPECT_EQ(group(1).HeaderRect.Right, 225);
}

TEST_F(ExplorerBarTest, TheDetailsPictureKeepsRoomAboveTheText) {
    bar->AddDetailsGroup(QStringLiteral("Details"), QStringLiteral("Title"), QStringLiteral("Some text"));
    const RECT without = ExplorerBarProbe::detailsTextRect(*bar);
    EXPECT_EQ(group(-2).HeaderRect, rect(8, 8, 225, 32));
    EXPECT_EQ(without.Left, 20);
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(Qt::green);
    bar->SetDetailsImage(picture);
    const RECT with = ExplorerBarProbe::detailsTextRect(*bar);
    EXPECT_EQ(with.Top - without.Top, 233 - 128 + 12);
    EXPECT_EQ(group(-2).BodyHeight, with.Bottom - 32 - 12);

    // Narrower than 116 px the room is negative: the text moves up instead.
    bar->resize(100, 600);
    const RECT narrowWith = ExplorerBarProbe::detailsTextRect(*bar);
    bar->SetDetailsImage(QImage());
    const RECT narrowWithout = ExplorerBarProbe::detailsTextRect(*bar);
    EXPECT_EQ(narrowWith.Top - narrowWithout.Top, 100 - 128 + 12);
}

TEST_F(ExplorerBarTest, ThePointerIsOverTheWindowUpToAndOnItsRightAndBottomEdges) {
    const QPoint origin = bar->mapToGlobal(QPoint(0, 0));
    cursor.moveTo(origin + QPoint(233, 600));
    EXPECT_TRUE(ExplorerBarProbe::overWindow(*bar));
    cursor.moveTo(origin);
    EXPECT_TRUE(ExplorerBarProbe::overWindow(*bar));
    cursor.moveTo(origin + QPoint(234, 10));
    EXPECT_FALSE(ExplorerBarProbe::overWindow(*bar));
    cursor.moveTo(origin + QPoint(10, -1));
    EXPECT_FALSE(ExplorerBarProbe::overWindow(*bar));
}
