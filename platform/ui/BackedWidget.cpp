#include "platform/ui/BackedWidget.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace platform {

BackedWidget::BackedWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage& BackedWidget::surface() {
    // As many pixels as the screen shows the widget with, so text drawn on it
    // is as sharp as the screen allows.
    const qreal ratio = devicePixelRatio();
    const QSize units = size().expandedTo(QSize(1, 1));
    const QSize want(static_cast<int>(std::ceil(units.width() * ratio)),
                     static_cast<int>(std::ceil(units.height() * ratio)));
    if (m_surface.size() != want || m_surface.devicePixelRatio() != ratio) {
        QImage grown(want, QImage::Format_RGB32);
        grown.setDevicePixelRatio(ratio);
        grown.fill(m_fill);
        if (!m_surface.isNull()) {
            QPainter p(&grown);
            p.drawImage(QPointF(0, 0), m_surface);
        }
        m_surface = std::move(grown);
    }
    return m_surface;
}

void BackedWidget::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QImage& img = surface();
    const qreal ratio = img.devicePixelRatio();
    // Rectangle by rectangle: a region with holes (where children stand)
    // would have every pixel blended through the painter's general path; a
    // plain rectangle is copied line by line.
    for (const QRect& r : event->region()) {
        p.setClipRect(r);
        p.drawImage(QRectF(r), img, QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
    }
}

QWidget* WindowFromPoint(const QPoint& screenPos) {
    const auto tops = QApplication::topLevelWidgets();
    // Later windows are in front of earlier ones; the active window first.
    QWidget* active = QApplication::activeWindow();
    auto hit = [&](QWidget* top) -> QWidget* {
        if (!top || !top->isVisible() || !top->frameGeometry().contains(screenPos))
            return nullptr;
        QWidget* child = top->childAt(top->mapFromGlobal(screenPos));
        return child ? child : top;
    };
    if (QWidget* w = hit(active))
        return w;
    for (auto it = tops.crbegin(); it != tops.crend(); ++it)
        if (QWidget* w = hit(*it))
            return w;
    return nullptr;
}

QRect GetWindowRect(const QWidget* widget) {
    if (!widget)
        return QRect();
    if (widget->isWindow())
        return widget->frameGeometry();
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

void DoEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace platform
