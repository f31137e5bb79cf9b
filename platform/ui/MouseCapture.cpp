#include "platform/ui/MouseCapture.h"

#include <QWidget>

namespace platform {

void SetCapture(QWidget* window) {
    if (window && window->isVisible())
        window->grabMouse();
}

void ReleaseCapture() {
    if (QWidget* holder = QWidget::mouseGrabber())
        holder->releaseMouse();
}

QWidget* GetCapture() {
    return QWidget::mouseGrabber();
}

} // namespace platform
