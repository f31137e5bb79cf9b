#include "windows/Geometry.h"

#include "platform/Twips.h"

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <QWidget>
#include <algorithm>

namespace geometry {

double ScaleWidth(const QWidget* w) {
    return platform::PixelsToTwipsX(w->contentsRect().width());
}

double ScaleHeight(const QWidget* w) {
    return platform::PixelsToTwipsY(w->contentsRect().height());
}

double ColumnsWidth(const QAbstractScrollArea* list) {
    int width = list->contentsRect().width();
    if (list->verticalScrollBar()->isVisible())
        width -= list->verticalScrollBar()->width();
    return platform::PixelsToTwipsX(std::max(0, width));
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
