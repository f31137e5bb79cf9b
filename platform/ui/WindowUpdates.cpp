#include "platform/ui/WindowUpdates.h"

#include <QPointer>
#include <QWidget>

namespace platform {

namespace {
QPointer<QWidget>& locked() {
    static QPointer<QWidget> window;
    return window;
}
} // namespace

bool LockWindowUpdate(QWidget* window) {
    QPointer<QWidget>& held = locked();
    if (!window) {
        if (!held)
            return false;
        QWidget* w = held;
        held = nullptr;
        w->setUpdatesEnabled(true);
        w->update();
        return true;
    }
    if (held)
        return false;
    held = window;
    window->setUpdatesEnabled(false);
    return true;
}

QWidget* LockedWindow() {
    return locked();
}

} // namespace platform
