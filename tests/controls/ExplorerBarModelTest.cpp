#include "ExplorerBarFixture.h"

#include "platform/PropertyBag.h"

using platform::MsgStyle;
using platform::Variant;

namespace {

// A picture source of the other kind: known by its type name, drawing itself.
class AltImageList : public QObject {
    Q_OBJECT
public:
    int drawn = 0;
    Q_INVOKABLE int ImageCount() { return 4; }
    Q_INVOKABLE void DrawImage(int icon, QImage* surface, int x, int y) {
        ++drawn;
        surface->setPixel(x, y, qRgb(icon, 1, 2));
    }
};

const QString kError = QStringLiteral("An Error has ocurred!\n");

} // namespace

TEST_F(ExplorerBarTest, GroupArgumentsAreIndexesOrKeysAndNothingElse) {
    buildGroups();
    EXPECT_EQ(ExplorerBarProbe::resolve(*bar, I(2)), 2);
    EXPECT_EQ(ExplorerBarProbe::resolve(*bar, I(99)), 99); // no range check here
    EXPECT_EQ(ExplorerBarProbe::resolve(*bar, QStringLiteral("note")), 3);
    EXPECT_EQ(ExplorerBarProbe::resolve(*bar, QStringLiteral("NOTE")), -3);
    EXPECT_EQ(ExplorerBarProbe::resolve(*bar, QStringLiteral("Special Group")), -1);
    EXPECT_EQ(ExplorerBarProbe::resolve(*bar, QStringLiteral("Details")), -2);
    EXPECT_EQ(ExplorerBarProbe::resolve(*bar, QStringLiteral("Details Group")), -3);
    EXPECT_TRUE(boxes->boxes.empty());

    EXPECT_EQ(ExplorerBarProbe::resolve(*bar, L(2)), -3);
    ASSERT_EQ(boxes->boxes.size(), 1u);
    EXPECT_EQ(boxes->last().text, kError + "GetGroupsByKeyN: sGroupKey not of required Type (String or Integer)!");
    EXPECT_EQ(boxes->last().title, QStringLiteral("ExplorerBar"));
    EXPECT_EQ(boxes->last().style, MsgStyle::Critical);

    // A normal group may take the special group's key, and is found first.
    bar->AddGroup(QStringLiteral("Special Group"), QStringLiteral("Odd"));
    EXPECT_EQ(ExplorerBarProbe::resolve(*bar, QStringLiteral("Special Group")), 4);
}

TEST_F(ExplorerBarTest, ItemArgumentsFollowTheirRulesAndTheirBoxes) {
    buildGroups();
    EXPECT_EQ(ExplorerBarProbe::itemIndex(*bar, 1, QStringLiteral("tsk_edit")), 2);
    EXPECT_EQ(ExplorerBarProbe::itemIndex(*bar, 1, I(1)), 1);
    EXPECT_TRUE(boxes->boxes.empty());

    const struct {
        int group;
        Variant item;
        const char* message;
    } refused[] = {
        {3, I(1), "GetItemIndex: There are no Items in this group!"},
        {1, QStringLiteral("TSK_ADD"), "GetItemIndex/String: Item specified not found!"},
        {1, I(3), "GetItemIndex/Integer: Item specified not found!"},
        {1, I(0), "GetItemIndex/Integer: Item specified not found!"},
        {1, L(1), "GetItemIndex: Item must contain String or Integer!"},
    };
    for (const auto& r : refused) {
        boxes->clear();
        EXPECT_EQ(ExplorerBarProbe::itemIndex(*bar, r.group, r.item), 0);
        ASSERT_EQ(boxes->boxes.size(), 1u);
        EXPECT_EQ(boxes->last().text, kError + QString::fromLatin1(r.message));
    }
}

TEST_F(ExplorerBarTest, IconArgumentsLookInTheImageList) {
    // Without an image list every number is no icon, silently.
    EXPECT_EQ(ExplorerBarProbe::iconIndex(*bar, I(1)), -1);
    EXPECT_TRUE(boxes->boxes.empty());

    platform::ImageList list;
    list.Add(QImage(16, 16, QImage::Format_ARGB32), QStringLiteral("add"));
    list.Add(QImage(16, 16, QImage::Format_ARGB32), QStringLiteral("edit"));
    bar->SetImageList(&list);
    EXPECT_EQ(ExplorerBarProbe::imageListKind(*bar), 1);
    EXPECT_EQ(ExplorerBarProbe::iconIndex(*bar, I(2)), 2);
    EXPECT_EQ(ExplorerBarProbe::iconIndex(*bar, QStringLiteral("edit")), 2);
    EXPECT_EQ(ExplorerBarProbe::iconIndex(*bar, I(0)), -1);
    EXPECT_EQ(ExplorerBarProbe::iconIndex(*bar, I(3)), -1);
    EXPECT_TRUE(boxes->boxes.empty());
    EXPECT_EQ(ExplorerBarProbe::iconIndex(*bar, QStringLiteral("del")), -1);
    EXPECT_EQ(boxes->last().text, kError + "GetIconIndex: icon with key del doesn't exist!");
    EXPECT_EQ(ExplorerBarProbe::iconIndex(*bar, L(1)), -1);
    EXPECT_EQ(boxes->last().text, kError + "GetIconIndex: iIcon not of required Type (String or Integer)!");

    AltImageList alt;
    bar->SetImageList(&alt);
    EXPECT_EQ(ExplorerBarProbe::imageListKind(*bar), 2);
    EXPECT_EQ(ExplorerBarProbe::iconIndex(*bar, I(4)), 4);
    boxes->clear();
    EXPECT_EQ(ExplorerBarProbe::iconIndex(*bar, QStringLiteral("add")), -1); // it has no keys to ask
    EXPECT_TRUE(boxes->boxes.empty());
    QObject other;
    bar->SetImageList(&other);
    EXPECT_EQ(ExplorerBarProbe::imageListKind(*bar), 0);
}

TEST_F(ExplorerBarTest, AltImageListDrawsItemIconsItself) {
    AltImageList alt;
    bar->SetImageList(&alt);
    bar->AddGroup(QStringLiteral("tasks"), QStringLiteral("Tasks"));
    bar->AddItem(QStringLiteral("tasks"), QStringLiteral("a"), QStringLiteral("A"), I(3));
    const platform::RECT r = group(1).Items[1].ItemRect;
    EXPECT_GT(alt.drawn, 0);
    EXPECT_EQ(pixel(r.Left, r.Top), qRgb(3, 1, 2));
}

TEST_F(ExplorerBarTest, AddItemFilesItemsUnderTheGroupArgument) {
    buildGroups();
    bar->AddItem(I(2), QStringLiteral("mtg_edit"), QStringLiteral("Reschedule"));
    EXPECT_EQ(group(2).ItemCount, 2);
    EXPECT_EQ(group(2).Items[2].GroupKey, QStringLiteral("2"));
    EXPECT_EQ(group(2).Items[2].Index, 2);
    EXPECT_EQ(group(1).Items[2].GroupKey, QStringLiteral("tasks"));

    bar->AddItem(QStringLiteral("Special Group"), QStringLiteral("sh_today"), QStringLiteral("Today"));
    EXPECT_EQ(group(-1).ItemCount, 1);
    EXPECT_EQ(group(-1).Items[1].GroupKey, QStringLiteral("Special Group"));

    // Unknown key, index 0, the details group: nothing added, nothing asked.
    bar->AddItem(QStringLiteral("nope"), QStringLiteral("x"), QStringLiteral("X"));
    bar->AddItem(I(0), QStringLiteral("x"), QStringLiteral("X"));
    bar->AddItem(QStringLiteral("Details"), QStringLiteral("x"), QStringLiteral("X"));
    EXPECT_EQ(group(1).ItemCount + group(2).ItemCount + group(3).ItemCount + group(-1).ItemCount, 5);
    EXPECT_EQ(group(-2).ItemCount, 0);
    EXPECT_TRUE(boxes->boxes.empty());
}

TEST_F(ExplorerBarTest, ChangingItemsReportsWhatCannotBeChanged) {
    buildGroups();
    bar->SetItemText(QStringLiteral("tasks"), QStringLiteral("missing"), QStringLiteral("New"));
    EXPECT_EQ(boxes->last().text, kError + "GetItemIndex/String: Item specified not found!");
    EXPECT_EQ(group(1).Items[1].Caption, QStringLiteral("Add New Task"));

    bar->SetItemText(QStringLiteral("Details"), I(1), QStringLiteral("New"));
    EXPECT_EQ(boxes->last().text, kError + "Details Group hasn't Child Items!");
    bar->SetItemText(QStringLiteral("xyz"), I(1), QStringLiteral("New"));
    EXPECT_EQ(boxes->last().text, kError + "The Group 'xyz' doesn't exist");
    bar->SetItemText(I(7), I(1), QStringLiteral("New"));
    EXPECT_EQ(boxes->last().text, kError + "The Group '7' doesn't exist");

    boxes->clear();
    bar->SetItemText(I(1), QStringLiteral("tsk_edit"), QStringLiteral("Edit"));
    EXPECT_EQ(group(1).Items[2].Caption, QStringLiteral("Edit"));
    platform::ImageList list;
    list.Add(QImage(16, 16, QImage::Format_ARGB32));
    list.Add(QImage(16, 16, QImage::Format_ARGB32));
    bar->SetImageList(&list);
    bar->SetItemIcon(QStringLiteral("tasks"), I(2), I(2), false);
    EXPECT_EQ(group(1).Items[2].Icon, 2);
    bar->AddItem(QStringLiteral("Special Group"), QStringLiteral("sh"), QStringLiteral("Show"));
    bar->SetItemIcon(QStringLiteral("Special Group"), QStringLiteral("sh"), I(1), true);
    EXPECT_EQ(group(-1).Items[1].Icon, 1);
    EXPECT_TRUE(boxes->boxes.empty());
}

TEST_F(ExplorerBarTest, GroupsOpenCloseAndEmptyByTheirArguments) {
    buildGroups(false);
    bar->AddDetailsGroup(QStringLiteral("Details"), QStringLiteral("Title"), QStringLiteral("Text"));
    bar->ExpandGroup(QStringLiteral("Details"), false);
    EXPECT_FALSE(group(-2).Expanded);
    bar->ExpandGroup(QStringLiteral("Details Group"), true); // names no group
    EXPECT_FALSE(group(-2).Expanded);
    bar->SetDetailsText(QStringLiteral("More"));
    EXPECT_TRUE(group(-2).Expanded);

    bar->SetGroupCaption(QStringLiteral("mtg"), QStringLiteral("Meetings!"));
    EXPECT_EQ(group(2).Caption, QStringLiteral("Meetings!"));
    bar->SetGroupCaption(QStringLiteral("nothing"), QStringLiteral("X"));

    bar->AddSpecialGroup(QStringLiteral("Information Display"), QImage());
    bar->AddItem(QStringLiteral("Special Group"), QStringLiteral("a"), QStringLiteral("A"));
    bar->AddItem(QStringLiteral("Special Group"), QStringLiteral("b"), QStringLiteral("B"));
    bar->ClearGroup(QStringLiteral("Special Group"));
    EXPECT_EQ(group(-1).ItemCount, 0);
    bar->ClearGroup(I(1));
    EXPECT_EQ(group(1).ItemCount, 0);
    EXPECT_EQ(group(2).ItemCount, 1);

    bar->HideSpecialGroup();
    EXPECT_FALSE(ExplorerBarProbe::showSpecial(*bar));
    bar->HideDetailsGroup();
    EXPECT_FALSE(ExplorerBarProbe::showDetails(*bar));
    EXPECT_TRUE(boxes->boxes.empty());
}

TEST_F(ExplorerBarTest, ClearStructurePaintsEvenWhileUpdatesAreDisabled) {
    buildGroups();
    auto* child = new QWidget(host.get());
    child->setObjectName(QStringLiteral("picContainer"));
    child->resize(100, 80);
    bar->AddGroup(QStringLiteral("calender"), QStringLiteral("Calender"));
    bar->SetGroupChild(QStringLiteral("calender"), child, 99);
    EXPECT_TRUE(child->isVisible());
    EXPECT_EQ(child->parentWidget(), bar);
    bar->SetHandCur(true);

    bar->DisableUpdates(true);
    surface().fill(Qt::red);
    bar->AddGroup(QStringLiteral("x"), QStringLiteral("X")); // draws nothing
    EXPECT_EQ(pixel(1, 1), qRgb(255, 0, 0));

    bar->ClearStructure();
    EXPECT_NE(pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_FALSE(ExplorerBarProbe::updatesEnabled(*bar));
    EXPECT_EQ(ExplorerBarProbe::groupCount(*bar), 0);
    EXPECT_TRUE(child->isHidden());
    EXPECT_EQ(ExplorerBarProbe::mousePointer(*bar), 0);

    surface().fill(Qt::red);
    bar->DisableUpdates(false);
    EXPECT_NE(pixel(1, 1), qRgb(255, 0, 0));
}

TEST_F(ExplorerBarTest, SettingsAreReadWrittenAndDockTheBar) {
    EXPECT_EQ(bar->geometry(), QRect(0, 0, 233, 600));
    host->resize(400, 500);
    EXPECT_EQ(bar->height(), 500);

    platform::PropertyBag bag;
    bar->WriteProperties(bag);
    EXPECT_FALSE(bag.contains(QStringLiteral("FontName")));
    EXPECT_FALSE(bag.contains(QStringLiteral("UxThemeText")));
    EXPECT_FALSE(bag.contains(QStringLiteral("EnableAltIml")));
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("FontCharset")).toInt(), 0);

    bag.WriteProperty(QStringLiteral("FontName"), QStringLiteral("Tahoma"));
    bag.WriteProperty(QStringLiteral("FontCharset"), 238);
    bag.WriteProperty(QStringLiteral("UxThemeText"), false);
    ExplorerBar other(host.get());
    other.ReadProperties(bag);
    EXPECT_FALSE(other.UseUxThemeText());
    platform::PropertyBag again;
    other.WriteProperties(again);
    EXPECT_EQ(again.ReadProperty(QStringLiteral("FontName")).toString(), QStringLiteral("Tahoma"));
    EXPECT_EQ(again.ReadProperty(QStringLiteral("FontCharset")).toInt(), 238);
    EXPECT_EQ(again.ReadProperty(QStringLiteral("UxThemeText"), true).toBool(), false);
    // A font that is not installed is drawn in the fallback.
    EXPECT_EQ(other.Font().family(), QStringLiteral("DejaVu Sans"));

    EXPECT_EQ(bar->GetControlVersion(), QStringLiteral("1.91"));
    EXPECT_TRUE(bar->EnableAltImagelist(true).isEmpty());
    bar->About();
    EXPECT_EQ(boxes->last().title, QStringLiteral("About ..."));
    EXPECT_EQ(boxes->last().style, MsgStyle::Information);
}

#include "ExplorerBarModelTest.moc"
