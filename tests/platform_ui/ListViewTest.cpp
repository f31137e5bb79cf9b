#include "platform/ui/ListView.h"
#include "platform/RuntimeError.h"

#include "WidgetEvents.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QPixmap>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

using platform::ListItem;
using platform::ListView;

namespace {

QStringList firstColumn(ListView& list) {
    QStringList out;
    for (int i = 1; i <= list.ListItems().Count(); ++i)
        out << list.ListItems().Item(i)->Text();
    return out;
}

QIcon solidIcon(Qt::GlobalColor color) {
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return QIcon(pixmap);
}

// A list in a shown window, so it lays rows out and takes clicks.
struct ShownList {
    QWidget window;
    ListView* list = new ListView(&window);
    ShownList() {
        window.resize(600, 400);
        list->setGeometry(0, 0, 600, 400);
        list->ColumnHeaders().Add(QStringLiteral("Date"), 1500);
        list->ColumnHeaders().Add(QStringLiteral("Title"), 3000);
        window.show();
    }
    ListItem* add(const QString& day, const QString& title) {
        ListItem* row = list->ListItems().Add(day, 1, 1);
        row->SetSubItems(1, title);
        return row;
    }
    QPoint centreOf(ListItem* row) {
        list->flushPendingRows();
        return list->visualRect(list->model()->index(row->Index() - 1, 0)).center();
    }
};

struct MouseDownRecord {
    int button, shift;
    QString selected;
};

} // namespace

TEST(ListView, RowsKeepTextSubItemsTagAndIconsInTheOrderAdded) {
    ListView list;
    auto columns = list.ColumnHeaders();
    columns.Add(QStringLiteral("Title"), 1500);
    columns.Add(QStringLiteral("User Name"), 1500);
    columns.Add(QStringLiteral("Password"), 1500);
    EXPECT_EQ(columns.Count(), 3);
    EXPECT_EQ(columns.Item(2).Text(), QStringLiteral("User Name"));

    ListItem* bank = list.ListItems().Add(QStringLiteral("Bank"), 4, 4);
    bank->SetSubItems(1, QStringLiteral("jo"));
    bank->SetTag(QStringLiteral("s3cret"));
    bank->SetSubItems(2, QString(bank->Tag().size(), QLatin1Char('*')));
    ListItem* mail = list.ListItems().Add(QStringLiteral("Mail"), 4, 3);

    EXPECT_EQ(list.ListItems().Count(), 2);
    EXPECT_EQ(firstColumn(list), QStringList({"Bank", "Mail"}));
    EXPECT_EQ(list.ListItems().Item(1), bank);
    EXPECT_EQ(mail->Index(), 2);
    EXPECT_EQ(bank->SubItems(1), QStringLiteral("jo"));
    EXPECT_EQ(bank->SubItems(2), QStringLiteral("******"));
    EXPECT_EQ(bank->Tag(), QStringLiteral("s3cret"));
    EXPECT_EQ(mail->SubItems(2), QString()) << "a sub-item never written is empty";
    EXPECT_EQ(mail->Icon(), 4);
    EXPECT_EQ(mail->SmallIcon(), 3);
    EXPECT_EQ(list.ListItems().Item(0), nullptr);
    EXPECT_EQ(list.ListItems().Item(3), nullptr);

    try {
        bank->SubItems(0);
        FAIL() << "sub-item 0 is the row's text and must be refused";
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), 380);
    }

    mail->SetText(QStringLiteral("Post"));
    EXPECT_EQ(list.ListItems().Item(2)->Text(), QStringLiteral("Post"));

    list.ListItems().Clear();
    EXPECT_EQ(list.ListItems().Count(), 0);
    EXPECT_EQ(list.SelectedItem(), nullptr);
}

TEST(ListView, SortedListsOrderByTheFirstColumnsTextAndKeepItForLaterRows) {
    ListView list;
    list.ColumnHeaders().Add(QStringLiteral("Date"));
    list.ColumnHeaders().Add(QStringLiteral("Title"));
    const QStringList days = {"15-01-2025", "02-03-2025", "01-12-2024", "02-03-2025"};
    for (int i = 0; i < days.size(); ++i)
        list.ListItems().Add(days[i])->SetSubItems(1, QString::number(i));
    EXPECT_EQ(firstColumn(list), days) << "unsorted rows stay in the order added";

    list.SetSorted(true);
    list.SetSortKey(0);
    list.SetSortOrder(ListView::lvwAscending);
    // Text order, not date order: 02-03-2025 comes before 15-01-2025. Rows of
    // equal text keep the order they were added in.
    EXPECT_EQ(firstColumn(list), QStringList({"01-12-2024", "02-03-2025", "02-03-2025", "15-01-2025"}));
    EXPECT_EQ(list.ListItems().Item(2)->SubItems(1), QStringLiteral("1"));
    EXPECT_EQ(list.ListItems().Item(3)->SubItems(1), QStringLiteral("3"));

    // Rows added to a sorted list go into their place; letter case does not count.
    list.ListItems().Add(QStringLiteral("10-10-2024"));
    list.ListItems().Add(QStringLiteral("a"));
    list.ListItems().Add(QStringLiteral("B"));
    EXPECT_EQ(firstColumn(list),
              QStringList({"01-12-2024", "02-03-2025", "02-03-2025", "10-10-2024", "15-01-2025", "a", "B"}));

    list.SetSortOrder(ListView::lvwDescending);
    EXPECT_EQ(firstColumn(list).first(), QStringLiteral("B"));

    // A new fill of a sorted list is sorted again.
    list.SetSortOrder(ListView::lvwAscending);
    list.ListItems().Clear();
    list.ListItems().Add(QStringLiteral("z"));
    list.ListItems().Add(QStringLiteral("m"));
    EXPECT_EQ(firstColumn(list), QStringList({"m", "z"}));

    // A row added later goes into its place and the selected row stays selected.
    list.SetSelectedItem(list.ListItems().Item(2));
    list.ListItems().Add(QStringLiteral("a"));
    EXPECT_EQ(firstColumn(list), QStringList({"a", "m", "z"}));
    ASSERT_NE(list.SelectedItem(), nullptr);
    EXPECT_EQ(list.SelectedItem()->Text(), QStringLiteral("z"));
}

TEST(ListView, TellsWhenAnotherRowOrNoneIsSelected) {
    ListView list;
    list.ColumnHeaders().Add(QStringLiteral("Title"));
    for (const char* title : {"b", "a"})
        list.ListItems().Add(QLatin1String(title));
    QStringList told;
    QObject::connect(&list, &ListView::SelectedItemChanged,
                     [&](ListItem* row) { told << (row ? row->Text() : QStringLiteral("none")); });
    const struct {
        const char* what;
        std::function<void()> act;
        QStringList told;
    } steps[] = {
        {"selected by code", [&] { list.SetSelectedItem(list.ListItems().Item(1)); }, {"b"}},
        {"the same row again", [&] { list.SetSelectedItem(list.ListItems().Item(1)); }, {}},
        {"sorted, the row moves", [&] { list.SetSorted(true); }, {}},
        {"a key", [&] { widgetevents::key(&list, Qt::Key_Up); }, {"a"}},
        {"the list cleared", [&] { list.ListItems().Clear(); }, {"none"}},
        {"an empty list cleared", [&] { list.ListItems().Clear(); }, {}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        told.clear();
        step.act();
        EXPECT_EQ(told, step.told);
    }
}

TEST(ListView, RebuildingTheColumnsKeepsTheRowsAndWidthsAreInTwips) {
    ListView list;
    // Columns are rebuilt on every resize of the record list, rows and all.
    auto columns = list.ColumnHeaders();
    for (const char* caption : {"Date", "Title", "Status", "Priority", "Description"})
        columns.Add(QString::fromLatin1(caption), 1500);
    ListItem* row = list.ListItems().Add(QStringLiteral("01-01-2025"));
    row->SetSubItems(4, QStringLiteral("desc"));
    ListItem* other = list.ListItems().Add(QStringLiteral("02-01-2025"));
    list.SetSelectedItem(other);

    columns.Clear();
    EXPECT_EQ(list.SelectedItem(), other) << "the selected row stays selected without columns";
    EXPECT_EQ(columns.Count(), 0);
    EXPECT_FALSE(columns.Item(1).isValid());
    EXPECT_EQ(columns.Item(1).Width(), 0);
    columns.Add(QStringLiteral("Date"), 3000);
    columns.Add(QStringLiteral("Time"), 1000.4);
    columns.Add(QStringLiteral("Title"), 0);
    EXPECT_EQ(row->SubItems(4), QStringLiteral("desc"));
    EXPECT_EQ(list.SelectedItem(), other);
    for (int column = 0; column < 3; ++column)
        EXPECT_TRUE(list.selectionModel()->isSelected(list.model()->index(1, column)))
            << "the selected row shows selected in the new column " << column;
    EXPECT_EQ(list.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Date"));
    EXPECT_EQ(list.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Title"));

    // At 15 twips per pixel widths land on whole pixels; a width of 0 is a
    // column that takes no room.
    EXPECT_EQ(columns.Item(1).Width(), 3000);
    EXPECT_EQ(columns.Item(2).Width(), 1005);
    EXPECT_EQ(columns.Item(3).Width(), 0);
    columns.Item(1).SetWidth(1500);
    EXPECT_EQ(list.header()->sectionSize(0), 100);

    // A sub-item written beyond the columns shows once its column exists.
    row->SetSubItems(3, QStringLiteral("later"));
    list.flushPendingRows();
    EXPECT_FALSE(list.model()->index(0, 3).isValid());
    columns.Add(QStringLiteral("Last Saved"));
    EXPECT_EQ(list.model()->index(0, 3).data().toString(), QStringLiteral("later"));

    list.Move(150, 300, 4500, 3000);
    EXPECT_EQ(list.geometry(), QRect(10, 20, 300, 200));
    EXPECT_EQ(list.Width(), 4500);
}

TEST(ListView, TheHeadingRunsOnPastTheLastColumnToTheListsEdge) {
    ShownList shown;
    QHeaderView* header = shown.list->header();
    const QImage heading = header->grab().toImage();
    // Past the last column the heading looks as a column's heading does where
    // no caption reaches, all the way down, not as a gap.
    const int last = header->count() - 1;
    const int inLastColumn = header->sectionViewportPosition(last) + header->sectionSize(last) - 10;
    ASSERT_LT(inLastColumn + 10, heading.width() - 10);
    for (int y = 0; y < heading.height(); ++y)
        EXPECT_EQ(heading.pixel(heading.width() - 10, y), heading.pixel(inLastColumn, y)) << "row " << y;
}

TEST(ListView, BoldColourAndIconsApplyToTheWholeRow) {
    ListView list;
    list.SetImageList({solidIcon(Qt::red), solidIcon(Qt::blue)});
    list.ColumnHeaders().Add(QStringLiteral("Date"));
    ListItem* urgent = list.ListItems().Add(QStringLiteral("01-01-2025"), 2, 2);
    ListItem* plain = list.ListItems().Add(QStringLiteral("01-01-2025"), 1, 1);
    ListItem* noIcon = list.ListItems().Add(QStringLiteral("01-01-2025"), 5, 5);
    urgent->SetBold(true);
    urgent->SetForeColor(1127859); // RGB(179, 53, 17)
    list.ColumnHeaders().Add(QStringLiteral("Title"));
    urgent->SetSubItems(1, QStringLiteral("Pay rent"));
    plain->SetSubItems(1, QStringLiteral("Water plants"));

    list.flushPendingRows();
    auto* model = list.model();
    for (int column = 0; column < 2; ++column) {
        EXPECT_TRUE(model->index(0, column).data(Qt::FontRole).value<QFont>().bold()) << column;
        EXPECT_EQ(model->index(0, column).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(179, 53, 17))
            << column;
        EXPECT_FALSE(model->index(1, column).data(Qt::FontRole).value<QFont>().bold()) << column;
        EXPECT_FALSE(model->index(1, column).data(Qt::ForegroundRole).isValid()) << column;
    }
    EXPECT_TRUE(urgent->Bold());
    EXPECT_EQ(urgent->ForeColor(), 1127859);
    EXPECT_EQ(plain->ForeColor(), platform::GetSysColor(platform::COLOR_WINDOWTEXT));

    const QIcon blue = model->index(0, 0).data(Qt::DecorationRole).value<QIcon>();
    EXPECT_EQ(blue.pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::blue));
    EXPECT_FALSE(model->index(0, 1).data(Qt::DecorationRole).isValid()) << "only the first column has the icon";
    EXPECT_FALSE(model->index(2, 0).data(Qt::DecorationRole).isValid()) << "an icon beyond the image list";
    EXPECT_EQ(noIcon->SmallIcon(), 5);

    urgent->SetBold(false);
    EXPECT_FALSE(model->index(0, 1).data(Qt::FontRole).value<QFont>().bold());
}

TEST(ListView, ClicksSelectTheRowBeforeMouseDownWhateverKeysAreHeld) {
    ShownList shown;
    ListView& list = *shown.list;
    ListItem* first = shown.add(QStringLiteral("01-01-2025"), QStringLiteral("one"));
    ListItem* second = shown.add(QStringLiteral("02-01-2025"), QStringLiteral("two"));
    EXPECT_EQ(list.SelectedItem(), nullptr) << "a fresh fill has no selected row";

    std::vector<MouseDownRecord> downs;
    std::vector<ListItem*> clicks;
    int doubleClicks = 0;
    QObject::connect(&list, &ListView::MouseDown, [&](int button, int shift, int, int) {
        ListItem* selected = list.SelectedItem();
        downs.push_back({button, shift, selected ? selected->SubItems(1) : QString()});
    });
    QObject::connect(&list, &ListView::ItemClick, [&](ListItem* item) { clicks.push_back(item); });
    QObject::connect(&list, &ListView::DblClick, [&]() { ++doubleClicks; });

    QWidget* viewport = list.viewport();
    widgetevents::click(viewport, shown.centreOf(second), Qt::LeftButton, Qt::ControlModifier);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].button, ListView::vbLeftButton);
    EXPECT_EQ(downs[0].shift, ListView::vbCtrlMask);
    EXPECT_EQ(downs[0].selected, QStringLiteral("two"));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], second);

    // A second Ctrl+click on the selected row keeps it selected, and so do
    // Alt and Shift clicks.
    widgetevents::click(viewport, shown.centreOf(second), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(list.SelectedItem(), second);
    widgetevents::click(viewport, shown.centreOf(first), Qt::LeftButton, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(list.SelectedItem(), first);
    EXPECT_EQ(downs.back().shift, ListView::vbAltMask | ListView::vbShiftMask);

    // A right click selects the row under the pointer too, and is no item click.
    clicks.clear();
    widgetevents::click(viewport, shown.centreOf(second), Qt::RightButton);
    EXPECT_EQ(downs.back().button, ListView::vbRightButton);
    EXPECT_EQ(downs.back().selected, QStringLiteral("two"));
    EXPECT_TRUE(clicks.empty());

    // MouseDown reports the position in twips within the list.
    int x = -1, y = -1;
    QObject::connect(&list, &ListView::MouseDown, [&](int, int, int atX, int atY) {
        x = atX;
        y = atY;
    });
    const QPoint at = shown.centreOf(first);
    widgetevents::click(viewport, at);
    const QPoint inList = viewport->mapTo(&list, at);
    EXPECT_EQ(x, inList.x() * 15);
    EXPECT_EQ(y, inList.y() * 15);

    widgetevents::doubleClick(viewport, shown.centreOf(first));
    EXPECT_EQ(doubleClicks, 1);

    // Moving with the keyboard selects and reports the new row.
    clicks.clear();
    list.setFocus();
    widgetevents::key(&list, Qt::Key_Down);
    EXPECT_EQ(list.SelectedItem(), second);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], second);

    list.SetSelectedItem(nullptr);
    EXPECT_EQ(list.SelectedItem(), nullptr);
    list.SetSelectedItem(first);
    EXPECT_EQ(list.SelectedItem(), first);
}

TEST(ListView, AHandlerThatRefillsTheListGetsNoClickOfAnOldRow) {
    ShownList shown;
    ListView& list = *shown.list;
    ListItem* row = shown.add(QStringLiteral("01-01-2025"), QStringLiteral("one"));
    int clicks = 0;
    QObject::connect(&list, &ListView::MouseDown, [&](int, int, int, int) {
        list.ListItems().Clear();
        shown.add(QStringLiteral("01-01-2025"), QStringLiteral("fresh"));
    });
    QObject::connect(&list, &ListView::ItemClick, [&](ListItem*) { ++clicks; });
    widgetevents::click(list.viewport(), shown.centreOf(row));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(list.ListItems().Item(1)->SubItems(1), QStringLiteral("fresh"));
}

TEST(ListView, TenThousandRowsGoInAtOnceAndAreSortedOnce) {
    ShownList shown;
    ListView& list = *shown.list;
    list.SetSorted(true);
    int insertions = 0;
    int reorders = 0;
    QObject::connect(list.model(), &QAbstractItemModel::rowsInserted, [&]() { ++insertions; });
    QObject::connect(list.model(), &QAbstractItemModel::layoutChanged, [&]() { ++reorders; });

    list.ListItems().Clear();
    for (int i = 10000; i > 0; --i) {
        ListItem* row = list.ListItems().Add(QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0')), 1, 1);
        row->SetSubItems(1, QStringLiteral("Task %1").arg(i));
    }
    EXPECT_EQ(insertions, 0) << "nothing is laid out while the fill runs";
    QCoreApplication::processEvents();
    EXPECT_EQ(insertions, 1);
    EXPECT_EQ(reorders, 0) << "the rows go in already in order";
    EXPECT_EQ(list.ListItems().Count(), 10000);
    EXPECT_EQ(list.ListItems().Item(1)->Text(), QStringLiteral("00001"));
    EXPECT_EQ(list.ListItems().Item(10000)->SubItems(1), QStringLiteral("Task 10000"));

    // Emptying the list is one reset, not a removal per row.
    list.SetSelectedItem(list.ListItems().Item(5000));
    int resets = 0;
    int removals = 0;
    QObject::connect(list.model(), &QAbstractItemModel::modelReset, [&]() { ++resets; });
    QObject::connect(list.model(), &QAbstractItemModel::rowsRemoved, [&]() { ++removals; });
    list.ListItems().Clear();
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(removals, 0);
    EXPECT_EQ(list.model()->rowCount(), 0);
    EXPECT_EQ(list.SelectedItem(), nullptr);
}

TEST(ListView, TextsShownAreTheRowsOwnAndChangesReachTheView) {
    ShownList shown;
    ListView& list = *shown.list;
    ListItem* row = list.ListItems().Add(QStringLiteral("07-03-2025"));
    row->SetSubItems(1, QStringLiteral("Buy milk"));
    QCoreApplication::processEvents();
    const QModelIndex title = list.model()->index(0, 1);
    EXPECT_EQ(list.model()->data(title).toString(), QStringLiteral("Buy milk"));

    // A change made once the row is shown reaches the view, to its text and
    // to its sub-items alike.
    int changes = 0;
    QObject::connect(list.model(), &QAbstractItemModel::dataChanged, [&]() { ++changes; });
    row->SetSubItems(1, QStringLiteral("Buy bread"));
    EXPECT_EQ(list.model()->data(title).toString(), QStringLiteral("Buy bread"));
    EXPECT_EQ(changes, 1);
    row->SetText(QStringLiteral("08-03-2025"));
    EXPECT_EQ(list.model()->index(0, 0).data().toString(), QStringLiteral("08-03-2025"));
    EXPECT_EQ(row->Text(), QStringLiteral("08-03-2025"));
    EXPECT_EQ(changes, 2);
    row->SetSubItems(1, QStringLiteral("Buy bread"));
    EXPECT_EQ(changes, 2) << "an unchanged text is no change";
}

namespace {

int textsMade = 0;
// The bytes backwards, so a made text is told from its source.
QString backwards(QByteArrayView source) {
    ++textsMade;
    if (source.isNull())
        return QString();
    QString text = QString::fromUtf8(source);
    std::reverse(text.begin(), text.end());
    return text;
}

} // namespace

TEST(ListView, TextsMadeLaterAreMadeForTheRowsShownAndReadAsIfSetAtOnce) {
    ShownList shown;
    ListView& list = *shown.list;
    textsMade = 0;
    for (int i = 0; i < 1000; ++i) {
        ListItem* row = list.ListItems().Add(QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0')));
        QByteArray source = QByteArray::number(1000 - i).rightJustified(4, '0');
        row->SetSubItemsLater(1, source, backwards);
        source.fill('x'); // the list keeps its own copy
    }
    QCoreApplication::processEvents();
    shown.window.repaint();
    EXPECT_GT(textsMade, 0) << "the rows shown are made";
    EXPECT_LT(textsMade, 100) << "the rows not shown are not";

    // Read, the text is the one made, and made once.
    ListItem* last = list.ListItems().Item(1000);
    const int before = textsMade;
    EXPECT_EQ(last->SubItems(1), QStringLiteral("1000"));
    EXPECT_EQ(last->SubItems(1), QStringLiteral("1000"));
    EXPECT_EQ(textsMade, before + 1);
    EXPECT_EQ(list.model()->data(list.model()->index(999, 1)).toString(), QStringLiteral("1000"));

    // Sorted on that column, every text is made and the rows follow them.
    list.SetSortKey(1);
    list.SetSorted(true);
    EXPECT_EQ(list.ListItems().Item(1)->SubItems(1), QStringLiteral("0001"));
    EXPECT_EQ(list.ListItems().Item(1)->Text(), QStringLiteral("0000"));

    // A text set over one not yet made replaces it and reaches the view;
    // a null source is a null text.
    ListItem* row = list.ListItems().Add(QStringLiteral("9999"));
    row->SetSubItemsLater(2, QByteArrayView(), backwards);
    EXPECT_TRUE(row->SubItems(2).isNull());
    row->SetSubItemsLater(1, "cba", backwards);
    QCoreApplication::processEvents();
    int changes = 0;
    QObject::connect(list.model(), &QAbstractItemModel::dataChanged, [&]() { ++changes; });
    row->SetSubItems(1, QStringLiteral("new"));
    EXPECT_EQ(row->SubItems(1), QStringLiteral("new"));
    EXPECT_EQ(changes, 1);
}
