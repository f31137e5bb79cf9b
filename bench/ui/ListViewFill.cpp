// Filling a shown list of 10,000 rows the way the list loaders do: clear,
// then one Add per row with its sub-items, in a sorted list, until the list
// is painted. Its floor is Qt's own item list: the same rows built as bare
// tree items, put in with one call, sorted and painted.
#include "../PaintWait.h"
#include "../PairedRun.h"
#include "platform/ui/ListView.h"

#include <QApplication>
#include <QHeaderView>
#include <QPixmap>
#include <QTreeWidget>

namespace {

constexpr int kRows = 10000;
const char* const kColumns[] = {"Date", "Title", "Status", "Priority", "Description"};

QString dayOf(int i) {
    return QStringLiteral("%1-%2-2025")
        .arg(i % 28 + 1, 2, 10, QLatin1Char('0'))
        .arg(i % 12 + 1, 2, 10, QLatin1Char('0'));
}

QIcon icon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::darkGreen);
    return QIcon(pixmap);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    paired::PaintWatch watch;

    platform::ListView list;
    list.SetImageList({icon()});
    for (const char* caption : kColumns)
        list.ColumnHeaders().Add(QString::fromLatin1(caption), 1500);
    list.SetSorted(true);
    list.resize(800, 600);
    list.show();

    QTreeWidget tree;
    tree.setRootIsDecorated(false);
    tree.setUniformRowHeights(true);
    tree.setHeaderLabels({kColumns[0], kColumns[1], kColumns[2], kColumns[3], kColumns[4]});
    for (int column = 0; column < 5; ++column)
        tree.header()->resizeSection(column, 100);
    tree.resize(800, 600);
    tree.show();
    watch.settle();

    const QIcon rowIcon = icon();
    const paired::Size rows = {"10k", 0, 21};
    paired::add(rows,
                {"list of 10,000 rows filled (to painted)", "Qt's tree widget, same rows", paired::ratioAtMost(1.5),
                 [] {},
                 [&] {
                     return watch.timeInput([&](const QWidget* w) { return w == list.viewport(); },
                                            [&] {
                                                list.ListItems().Clear();
                                                for (int i = 0; i < kRows; ++i) {
                                                    platform::ListItem* row = list.ListItems().Add(dayOf(i), 1, 1);
                                                    row->SetSubItems(1, QStringLiteral("Task number %1").arg(i));
                                                    row->SetSubItems(2, QStringLiteral("Not Started"));
                                                    row->SetSubItems(3, QStringLiteral("Normal"));
                                                    row->SetSubItems(4, QStringLiteral("A short description ..."));
                                                }
                                            });
                 },
                 [&] {
                     return watch.timeInput([&](const QWidget* w) { return w == tree.viewport(); },
                                            [&] {
                                                tree.clear();
                                                QList<QTreeWidgetItem*> items;
                                                items.reserve(kRows);
                                                for (int i = 0; i < kRows; ++i) {
                                                    auto* row = new QTreeWidgetItem;
                                                    row->setText(0, dayOf(i));
                                                    row->setIcon(0, rowIcon);
                                                    row->setText(1, QStringLiteral("Task number %1").arg(i));
                                                    row->setText(2, QStringLiteral("Not Started"));
                                                    row->setText(3, QStringLiteral("Normal"));
                                                    row->setText(4, QStringLiteral("A short description ..."));
                                                    items.append(row);
                                                }
                                                tree.addTopLevelItems(items);
                                                tree.sortItems(0, Qt::AscendingOrder);
                                            });
                 }});
    return paired::run(argc, argv);
}
