#include "platform/ui/DockPane.h"
#include "platform/Ui.h"

#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QMainWindow>
#include <gtest/gtest.h>

using platform::DockPane;

namespace {

void settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

} // namespace

TEST(DockPane, TheMainWindowsThreeCallsDockTheFormFixedAtTheLeft) {
    QMainWindow host;
    host.setCentralWidget(new QLabel(QStringLiteral("main area")));
    host.resize(900, 600);
    host.show();
    auto* sideBar = new QWidget;
    sideBar->setWindowTitle(QStringLiteral("Options"));

    DockPane pane;
    std::vector<QString> sized;
    QObject::connect(&pane, &DockPane::PaneSizing, [&](DockPane::Pane& p) {
        sized.push_back(p.Key);
        p.Size = 3680;
    });
    QObject label;
    EXPECT_FALSE(pane.Attach(platform::HandleOf(&label))) << "not a main window";
    ASSERT_TRUE(pane.Attach(platform::HandleOf(&host)));
    pane.AddForm(sideBar, 1, 3, QStringLiteral("frmSideBar"), 38);
    EXPECT_EQ(pane.dockOf(QStringLiteral("frmSideBar")), nullptr) << "docked only when laid out";
    pane.ApplyLayout();
    settle();

    QDockWidget* dock = pane.dockOf(QStringLiteral("frmSideBar"));
    ASSERT_NE(dock, nullptr);
    EXPECT_EQ(sized, std::vector<QString>{QStringLiteral("frmSideBar")});
    EXPECT_EQ(dock->widget(), sideBar);
    EXPECT_EQ(dock->windowTitle(), QStringLiteral("Options"));
    EXPECT_EQ(host.dockWidgetArea(dock), Qt::LeftDockWidgetArea);
    EXPECT_EQ(dock->width(), 3680 / 15) << "the size the handler set, in twips";
    EXPECT_EQ(dock->features(), QDockWidget::NoDockWidgetFeatures) << "it neither floats nor closes";
    EXPECT_FALSE(dock->isFloating());
    EXPECT_TRUE(sideBar->isVisible());

    // Resizing the main window leaves the pane's width alone.
    host.resize(1200, 700);
    settle();
    EXPECT_EQ(dock->width(), 3680 / 15);
}

TEST(DockPane, AnItemThatLeavesItsPlaceIsReportedAndPutBack) {
    QMainWindow host;
    host.setCentralWidget(new QLabel);
    host.resize(800, 600);
    host.show();
    DockPane pane;
    ASSERT_TRUE(pane.Attach(platform::HandleOf(&host)));
    pane.AddForm(new QWidget, 1, 3, QStringLiteral("frmSideBar"), 38);
    pane.ApplyLayout();
    settle();

    std::vector<QString> reported;
    QObject::connect(&pane, &DockPane::ItemStateChange, [&](DockPane::DockedItem& item) {
        reported.push_back(item.Key);
        if (item.Key == QLatin1String("frmSideBar"))
            pane.DockItem(item.Key);
    });
    QDockWidget* dock = pane.dockOf(QStringLiteral("frmSideBar"));
    dock->hide(); // as the main window's own dock menu would
    settle();
    EXPECT_EQ(reported, std::vector<QString>{QStringLiteral("frmSideBar")});
    EXPECT_TRUE(dock->isVisible());
    EXPECT_EQ(host.dockWidgetArea(dock), Qt::LeftDockWidgetArea);

    dock->setFloating(true);
    settle();
    EXPECT_EQ(reported.size(), 2u);
    EXPECT_FALSE(dock->isFloating());

    // Hiding the main window (minimised to the tray) is no reason to report.
    host.hide();
    settle();
    EXPECT_EQ(reported.size(), 2u);
}
