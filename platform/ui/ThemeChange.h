#pragma once

#include <QString>

namespace platform {

// Switches the visual style (see platform/Theme.h) and tells every window, as
// the window system does with its theme-changed message.
void ChangeVisualStyle(const QString& name);

} // namespace platform
