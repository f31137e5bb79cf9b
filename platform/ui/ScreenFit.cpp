#include "platform/ui/ScreenFit.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace platform {

namespace {

// The room the window manager's frame takes around the window.
QMargins frameOf(const QWidget* window) {
    const QRect outer = window->frameGeometry(), inner = window->geometry();
    if (outer != inner)
        return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                        outer.bottom() - inner.bottom());
    const int edge = window->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    return QMargins(edge, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + edge, edge, edge);
}

} // namespace

void FitOnScreen(QWidget* window) {
    QScreen* screen = window ? window->screen() : nullptr;
    if (!screen || !window->isWindow())
        return;
    const QRect area = screen->availableGeometry();
    const QMargins frame = frameOf(window);
    const QSize room = area.size().shrunkBy(frame);
    const QSize fitted =
        window->size().boundedTo(room).expandedTo(window->minimumSize()).expandedTo(window->minimumSizeHint());
    if (fitted != window->size())
        window->resize(fitted);
    // A window's position is its frame's top left; the frame is kept inside
    // the area as far as the window fits.
    const QSize outer = fitted.grownBy(frame);
    const QPoint at(std::max(area.left(), std::min(window->x(), area.right() + 1 - outer.width())),
                    std::max(area.top(), std::min(window->y(), area.bottom() + 1 - outer.height())));
    if (at != window->pos())
        window->move(at);
}

} // namespace platform
