#pragma once

#include <QString>
#include <functional>

namespace platform {

// Opens a file or web address with the desktop's default action, as the
// shell's "open" does: the desktop's opener (xdg-open) runs as a process of
// its own and the call returns at once, false when nothing could be started.
// The opener's status is watched, as asking the desktop's services would not
// (they report success once the opener starts): onFailure runs when the
// opener is missing (at once) or ends with a failure, such as no program for
// that kind of file or address (from the event loop, once it ends). While it
// runs, the opener's process is a child of the application object.
bool ShellExecuteOpen(const QString& fileOrUrl, std::function<void()> onFailure = {});

} // namespace platform
