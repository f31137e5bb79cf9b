// Filling a list of 10,000 rows the way the list loaders do: clear, then one
// Add per row with its sub-items, in a sorted list. Compared with Qt's own
// item list: the same rows built as bare tree items and put in with one call.
#include "platform/ui/ListView.h"

#include <QApplication>
#include <QHeaderView>
#include <QPixmap>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 10000;

QString dayOf(int i) {
    return QStringLiteral("%1-%2-2025")
        .arg(i % 28 + 1, 2, 10, QLatin1Char('0'))
        .arg(i % 12 + 1, 2, 10, QLatin1Char('0'));
}

void prepare(platform::ListView& list) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::darkGreen);
    list.SetImageList({QIcon(pixmap)});
    for (const char* caption : {"Date", "Title", "Status", "Priority", "Description"})
        list.ColumnHeaders().Add(QString::fromLatin1(caption), 1500);
    list.SetSorted(true);
    list.resize(800, 600);
    list.show();
}

void BM_ListViewFill(benchmark::State& state) {
    platform::ListView list;
    prepare(list);
    for (auto _ : state) {
        list.ListItems().Clear();
        for (int i = 0; i < kRows; ++i) {
            platform::ListItem* row = list.ListItems().Add(dayOf(i), 1, 1);
            row->SetSubItems(1, QStringLiteral("Task number %1").arg(i));
            row->SetSubItems(2, QStringLiteral("Not Started"));
            row->SetSubItems(3, QStringLiteral("Normal"));
            row->SetSubItems(4, QStringLiteral("A short description ..."));
        }
        benchmark::DoNotOptimize(list.ListItems().Count());
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ListViewFill)->Unit(benchmark::kMillisecond);

void BM_BareTreeFill(benchmark::State& state) {
    QTreeWidget list;
    list.setRootIsDecorated(false);
    list.setUniformRowHeights(true);
    list.setHeaderLabels({"Date", "Title", "Status", "Priority", "Description"});
    for (int column = 0; column < 5; ++column)
        list.header()->resizeSection(column, 100);
    list.resize(800, 600);
    list.show();
    for (auto _ : state) {
        list.clear();
        QList<QTreeWidgetItem*> rows;
        rows.reserve(kRows);
        for (int i = 0; i < kRows; ++i) {
            auto* row = new QTreeWidgetItem;
            row->setText(0, dayOf(i));
            row->setText(1, QStringLiteral("Task number %1").arg(i));
            row->setText(2, QStringLiteral("Not Started"));
            row->setText(3, QStringLiteral("Normal"));
            row->setText(4, QStringLiteral("A short description ..."));
            rows.append(row);
        }
        list.addTopLevelItems(rows);
        list.sortItems(0, Qt::AscendingOrder);
        benchmark::DoNotOptimize(list.topLevelItemCount());
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BareTreeFill)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
