#include "platform/ui/Regions.h"

#include <QWidget>

namespace platform {

void SetWindowRgn(QWidget* window, const QRegion& region, bool redraw) {
    if (!window)
        return;
    // Controls hand over the same shape at every redraw; reshaping only when it
    // changes spares the window system the work.
    if (region.isEmpty()) {
        if (!window->mask().isEmpty())
            window->clearMask();
    } else if (window->mask() != region) {
        window->setMask(region);
    }
    if (redraw)
        window->update();
}

} // namespace platform
