#pragma once

#include <QIcon>
#include <cstdint>

namespace platform {

// Numeric handles for icons, standing in for the icon handles the organiser
// passes to the notification area. One icon always gets the same handle; the
// icon is kept while the process runs, as a window's own icon is. Handle 0 is
// never given out.
int32_t IconHandleOf(const QIcon& icon);
// The icon of a handle, or a null icon for 0 and unknown handles.
QIcon IconFromHandle(int32_t handle);

} // namespace platform
