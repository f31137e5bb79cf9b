#include "platform/ui/ScreenFit.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace platform {

namespace {

// The room the window manager's frame takes around the window, once it has
// framed it; none before.
QMargins knownFrame(const QWidget* window) {
    const QRect outer = window->frameGeometry(), inner = window->geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

// The frame's room, or before the window is framed what a title bar and an
// edge of the style's sizes would take.
QMargins roomForFrame(const QWidget* window) {
    const QMargins known = knownFrame(window);
    if (!known.isNull())
        return known;
    const int edge = window->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    return QMargins(edge, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + edge, edge, edge);
}

} // namespace

void FitOnScreen(QWidget* window) {
    QScreen* screen = window ? window->screen() : nullptr;
    if (!screen || !window->isWindow())
        return;
    const QRect area = screen->availableGeometry();
    const QSize room = area.size().shrunkBy(roomForFrame(window));
    const QSize fitted =
        window->size().boundedTo(room).expandedTo(window->minimumSize()).expandedTo(window->minimumSizeHint());
    if (fitted != window->size())
        window->resize(fitted);
    // A window's position is its frame's top left; the frame is kept inside
    // the area as far as the window fits. A window not framed yet is only
    // kept inside itself: one that places itself against the area's edge
    // stays where it put itself.
    const QSize outer = fitted.grownBy(knownFrame(window));
    const QPoint at(std::max(area.left(), std::min(window->x(), area.right() + 1 - outer.width())),
                    std::max(area.top(), std::min(window->y(), area.bottom() + 1 - outer.height())));
    if (at != window->pos())
        window->move(at);
}

} // namespace platform
