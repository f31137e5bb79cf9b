#pragma once

#include <QRegion>

class QWidget;

namespace platform {

// Gives a window the shape of a region, in its own pixel coordinates: only the
// pixels inside show and take the mouse; clicks elsewhere fall through to the
// window behind. An empty region gives the whole rectangle back. With redraw
// the window is repainted in its new shape.
void SetWindowRgn(QWidget* window, const QRegion& region, bool redraw);

} // namespace platform
