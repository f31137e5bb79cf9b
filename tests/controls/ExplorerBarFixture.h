#pragma once

#include "FakeInputs.h"
#include "MessageBoxResponder.h"
#include "WidgetEvents.h"
#include "controls/ABar.h"
#include "platform/DrawText.h"
#include "platform/ImageList.h"
#include "platform/Theme.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScrollBar>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

// Reaches the bar's records and private steps, which tests check directly.
struct ExplorerBarProbe {
    static ExplorerGroup& group(ExplorerBar& b, int i) {
        return i == -1 ? b.m_SpecialGroup : i == -2 ? b.m_DetailsGroup : b.m_Groups[static_cast<size_t>(i)];
    }
    static int groupCount(ExplorerBar& b) { return b.m_GroupCount; }
    static int resolve(ExplorerBar& b, const platform::Variant& g) { return b.GetGroupsByKeyN(g); }
    static int itemIndex(ExplorerBar& b, int g, const platform::Variant& item) {
        return b.GetItemIndex(group(b, g), item);
    }
    static int iconIndex(ExplorerBar& b, const platform::Variant& icon) { return b.GetIconIndex(icon); }
    static int imageListKind(ExplorerBar& b) { return b.m_ImageListKind; }
    static int32_t layoutWidth(ExplorerBar& b) { return b.m_LayoutWidth; }
    static QScrollBar* scrollBar(ExplorerBar& b) { return b.m_ScrollBar; }
    static int scrollOffset(ExplorerBar& b) { return b.m_ScrollOffset; }
    static bool updatesEnabled(ExplorerBar& b) { return b.m_UpdatesEnabled; }
    static bool showSpecial(ExplorerBar& b) { return b.m_ShowSpecial; }
    static bool showDetails(ExplorerBar& b) { return b.m_ShowDetails; }
    static int mousePointer(ExplorerBar& b) { return b.m_MousePointer; }
    static platform::OleColor foreColor(ExplorerBar& b) { return b.m_ForeColor; }
    static QString colorName(ExplorerBar& b) { return b.m_ThemeColorName; }
    static platform::RECT detailsTextRect(ExplorerBar& b) { return b.m_DetailsTextRect; }
    static QFont font(ExplorerBar& b) { return b.CurrentFont(); }
    static bool polling(ExplorerBar& b) { return b.m_timUpdate.isActive(); }
    static int pollingLeft(ExplorerBar& b) { return b.m_timUpdate.remainingTime(); }
    static bool mouseInside(ExplorerBar& b) { return b.m_MouseInside; }
    static void tick(ExplorerBar& b) { b.timUpdate_Timer(); }
    // The polling runs as before but ticks only when the test says so; the
    // time it has left is exact to the millisecond.
    static void holdPolling(ExplorerBar& b) {
        b.m_timUpdate.setInterval(24 * 3600 * 1000);
        b.m_timUpdate.setTimerType(Qt::PreciseTimer);
    }
    static bool overWindow(ExplorerBar& b) { return b.IsMouseOverWindow(&b); }
    static void chevron(ExplorerBar& b, int x, int y, bool expanded, platform::OleColor c) {
        b.DrawChevron(x, y, expanded, c);
    }
    static void drawItem(ExplorerBar& b, int g, int i, int state) { b.DrawItem(g, i, state); }
    static void placeholder(ExplorerBar& b) { b.DrawDesignPlaceholder(); }
};

// A bar docked on a shown host of a fixed size, with the pointer under the
// test's control and the message boxes answered.
class ExplorerBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetCurrentVisualStyle(QStringLiteral("NormalColor"));
        host = std::make_unique<QWidget>();
        host->resize(400, 600);
        bar = new ExplorerBar(host.get());
        bar->resize(233, 600);
        bar->ReadProperties(platform::PropertyBag());
        ExplorerBarProbe::holdPolling(*bar);
        host->show();
        record();
    }
    void TearDown() override { host.reset(); }

    // Every event of the bar as a line of text, in the order raised.
    void record() {
        QObject::connect(bar, &ExplorerBar::MouseOver, [this] { events << QStringLiteral("MouseOver"); });
        QObject::connect(bar, &ExplorerBar::MouseOut, [this] { events << QStringLiteral("MouseOut"); });
        QObject::connect(bar, &ExplorerBar::GroupHover, [this](const QString& g) { events << "GroupHover " + g; });
        QObject::connect(bar, &ExplorerBar::GroupOut, [this](const QString& g) { events << "GroupOut " + g; });
        QObject::connect(bar, &ExplorerBar::ItemHover,
                         [this](const QString& g, const QString& i) { events << "ItemHover " + g + " " + i; });
        QObject::connect(bar, &ExplorerBar::ItemOut,
                         [this](const QString& g, const QString& i) { events << "ItemOut " + g + " " + i; });
        QObject::connect(bar, &ExplorerBar::ItemClick,
                         [this](const QString& g, const QString& i) { events << "ItemClick " + g + " " + i; });
        QObject::connect(bar, &ExplorerBar::GroupClick, [this](int g, bool& e) {
            events << QStringLiteral("GroupClick %1 %2").arg(g).arg(e ? "True" : "False");
        });
    }

    static platform::Variant I(int v) { return platform::Variant::fromInteger(static_cast<int16_t>(v)); }
    static platform::Variant L(int v) { return platform::Variant::fromLong(v); }
    ExplorerGroup& group(int i) { return ExplorerBarProbe::group(*bar, i); }
    int lineHeight() { return QFontMetrics(ExplorerBarProbe::font(*bar)).height(); }
    QImage& surface() { return bar->surface(); }
    QRgb pixel(int x, int y) { return surface().pixel(x, y); }

    // The pointer goes where the bar's own events say it is.
    void send(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers keys = Qt::NoModifier) {
        cursor.moveTo(bar->mapToGlobal(at.toPoint()));
        widgetevents::mouse(bar, type, at, button, buttons, keys);
    }
    void moveTo(QPointF at, Qt::MouseButtons held = Qt::NoButton) { send(QEvent::MouseMove, at, Qt::NoButton, held); }
    void press(QPointF at) { send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton); }
    void release(QPointF at) { send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); }
    void click(QPointF at) {
        press(at);
        release(at);
    }
    // The centre of a rectangle.
    static QPointF mid(const platform::RECT& r) { return QPointF((r.Left + r.Right) / 2.0, (r.Top + r.Bottom) / 2.0); }

    // The side bar's record groups: three groups, items in the first two.
    void buildGroups(bool expanded = true) {
        bar->AddGroup(QStringLiteral("tasks"), QStringLiteral("Tasks"));
        bar->AddGroup(QStringLiteral("mtg"), QStringLiteral("Meetings"));
        bar->AddGroup(QStringLiteral("note"), QStringLiteral("Notes"));
        bar->AddItem(QStringLiteral("tasks"), QStringLiteral("tsk_add"), QStringLiteral("Add New Task"));
        bar->AddItem(QStringLiteral("tasks"), QStringLiteral("tsk_edit"), QStringLiteral("Edit selected Task Details"));
        bar->AddItem(QStringLiteral("mtg"), QStringLiteral("mtg_add"), QStringLiteral("Add New Meeting Schedule"));
        for (int g = 1; g <= 3; ++g)
            bar->ExpandGroup(I(g), expanded);
    }

    testsupport::ScopedResponder boxes;
    testsupport::FakeCursor cursor{QPoint(-1000, -1000)};
    std::unique_ptr<QWidget> host;
    ExplorerBar* bar = nullptr;
    QStringList events;
};
