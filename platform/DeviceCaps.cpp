#include "platform/DeviceCaps.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace platform {

int GetDeviceCaps(DeviceCap cap) {
    const QScreen* screen =
        qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen() : nullptr;
    if (!screen)
        return 96;
    const qreal dpi = cap == LOGPIXELSX ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return dpi > 0 ? static_cast<int>(std::lround(dpi)) : 96;
}

} // namespace platform
