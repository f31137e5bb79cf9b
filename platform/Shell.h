#pragma once

#include <QString>

namespace platform {

// Opens a file or web address with the desktop's default action, as the
// shell's "open" does. Returns whether the desktop accepted the request.
bool ShellExecuteOpen(const QString& fileOrUrl);

} // namespace platform
