#include "platform/ui/DockPane.h"

#include "platform/Twips.h"
#include "platform/Ui.h"

#include <QDockWidget>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>

namespace platform {

namespace {

Qt::DockWidgetArea areaOf(int side) {
    switch (side) {
    case DockPane::dockRight:
        return Qt::RightDockWidgetArea;
    case DockPane::dockTop:
        return Qt::TopDockWidgetArea;
    case DockPane::dockBottom:
        return Qt::BottomDockWidgetArea;
    default:
        return Qt::LeftDockWidgetArea;
    }
}

bool isAcross(int side) {
    return side == DockPane::dockTop || side == DockPane::dockBottom;
}

} // namespace

DockPane::DockPane(QObject* parent) : QObject(parent) {}

bool DockPane::Attach(int32_t windowHandle) {
    m_host = qobject_cast<QMainWindow*>(ObjectFromHandle(windowHandle));
    return !m_host.isNull();
}

void DockPane::AddForm(QWidget* form, int side, int state, const QString& key, int options) {
    Q_UNUSED(state);
    Q_UNUSED(options);
    if (!form)
        return;
    if (!m_entries.contains(key))
        m_order.append(key);
    Entry& entry = m_entries[key];
    entry.form = form;
    entry.side = side >= dockLeft && side <= dockBottom ? side : dockLeft;
}

void DockPane::ApplyLayout() {
    if (!m_host)
        return;
    for (const QString& key : m_order)
        layOut(key, m_entries[key]);
}

void DockPane::layOut(const QString& key, Entry& entry) {
    if (!entry.form || !m_host)
        return;
    const Qt::DockWidgetArea area = areaOf(entry.side);
    if (!entry.dock) {
        auto* dock = new QDockWidget(entry.form->windowTitle(), m_host);
        dock->setObjectName(key);
        dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
        dock->setAllowedAreas(area);
        dock->setWidget(entry.form);
        dock->installEventFilter(this);
        connect(dock, &QDockWidget::topLevelChanged, this, [this, key](bool floating) {
            if (floating)
                reportLeftPlace(key);
        });
        entry.dock = dock;
    }
    QDockWidget* dock = entry.dock;
    // Moving the dock hides it for a moment; that is no leaving of its place.
    m_layingOut = true;
    dock->setFloating(false);
    if (!m_placed.contains(key) || m_host->dockWidgetArea(dock) != area) {
        m_host->addDockWidget(area, dock);
        m_placed.insert(key);
    }
    entry.form->show();
    dock->show();
    m_layingOut = false;

    Pane pane;
    pane.Key = key;
    pane.Size = isAcross(entry.side) ? PixelsToTwipsY(dock->height()) : PixelsToTwipsX(dock->width());
    emit PaneSizing(pane);
    if (isAcross(entry.side))
        dock->setFixedHeight(std::max(0, TwipsToPixelsY(pane.Size)));
    else
        dock->setFixedWidth(std::max(0, TwipsToPixelsX(pane.Size)));
}

void DockPane::DockItem(const QString& key) {
    auto it = m_entries.find(key);
    if (it != m_entries.end())
        layOut(key, it.value());
}

QDockWidget* DockPane::dockOf(const QString& key) const {
    auto it = m_entries.constFind(key);
    return it == m_entries.constEnd() ? nullptr : it.value().dock.data();
}

void DockPane::reportLeftPlace(const QString& key) {
    // Raised once the toolkit is done moving the dock, so the handler's call
    // to DockItem does not act in the middle of it; one move that both hides
    // and floats the dock is one report.
    if (m_reportsDue.contains(key))
        return;
    m_reportsDue.insert(key);
    QTimer::singleShot(0, this, [this, key]() {
        m_reportsDue.remove(key);
        DockedItem item;
        item.Key = key;
        emit ItemStateChange(item);
    });
}

bool DockPane::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide) {
        auto* dock = qobject_cast<QDockWidget*>(watched);
        // Hidden on its own, not because the main window was hidden or minimised.
        if (dock && !m_layingOut && dock->isHidden() && m_host && m_host->isVisible())
            reportLeftPlace(dock->objectName());
    }
    return QObject::eventFilter(watched, event);
}

} // namespace platform
