#pragma once

class QWidget;

namespace platform {

// Holds back the screen updates of one window while it is drawn in many small
// steps, so it shows the finished picture at once. Only one window can be
// locked at a time: locking another one while a lock is held fails (false).
// Null releases the lock and lets the window show what was drawn.
bool LockWindowUpdate(QWidget* window);
// The window whose updates are held back, or null.
QWidget* LockedWindow();

} // namespace platform
