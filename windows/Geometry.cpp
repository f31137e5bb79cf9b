#include "windows/Geometry.h"

#include "platform/Twips.h"

#include <QWidget>
#include <algorithm>

namespace geometry {

double ScaleWidth(const QWidget* w) {
    return platform::PixelsToTwipsX(w->contentsRect().width());
}

double ScaleHeight(const QWidget* w) {
    return platform::PixelsToTwipsY(w->contentsRect().height());
}

double Height(const QWidget* w) {
    return platform::PixelsToTwipsY(w->height());
}

double Top(const QWidget* w) {
    return platform::PixelsToTwipsY(w->y());
}

void Move(QWidget* w, double left, double top, double width, double height) {
    w->setGeometry(platform::TwipsToPixelsX(left), platform::TwipsToPixelsY(top),
                   std::max(0, platform::TwipsToPixelsX(width)), std::max(0, platform::TwipsToPixelsY(height)));
}

void SetLeft(QWidget* w, double left) {
    w->move(platform::TwipsToPixelsX(left), w->y());
}

} // namespace geometry
