// The floor of the organiser's start-up: a bare Qt program built the same way
// that shows the same kinds of widgets, empty: a menu bar with the same
// menus, a status bar, a dock, a calendar and two list views. Like the
// organiser under VELTRANE_EXIT_WHEN_SHOWN, it ends once its window is first
// on screen and painted.
#include "platform/ui/ExitWhenShown.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDockWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QTreeWidget* list(QWidget* parent, int columns) {
    auto* view = new QTreeWidget(parent);
    view->setRootIsDecorated(false);
    view->setColumnCount(columns);
    return view;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::ExitWhenShown exitWhenShown;
    app.installEventFilter(&exitWhenShown);

    QMainWindow window;
    // The organiser's menus, with as many entries each.
    const std::pair<const char*, int> menus[] = {{"&File", 9},      {"&Tasks", 8},   {"&Meetings", 8}, {"&Notes", 6},
                                                 {"&Password", 10}, {"&Options", 4}, {"&Help", 6}};
    for (const auto& [caption, entries] : menus) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromUtf8(caption));
        for (int i = 0; i < entries; ++i)
            menu->addAction(QStringLiteral("Entry %1").arg(i));
    }
    window.statusBar()->showMessage(QStringLiteral("Ready"));

    auto* dock = new QDockWidget(&window);
    auto* side = new QWidget(dock);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->addWidget(new QCalendarWidget(side));
    sideLayout->addStretch();
    dock->setWidget(side);
    window.addDockWidget(Qt::LeftDockWidgetArea, dock);

    auto* centre = new QWidget(&window);
    auto* layout = new QVBoxLayout(centre);
    layout->addWidget(list(centre, 4));
    layout->addWidget(list(centre, 5));
    window.setCentralWidget(centre);
    window.resize(1000, 700);
    window.show();
    return app.exec();
}
