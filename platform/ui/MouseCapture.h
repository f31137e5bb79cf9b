#pragma once

class QWidget;

namespace platform {

// Sends every mouse event to one window until the capture is released, even
// while the pointer is outside it. A hidden window cannot take the capture.
void SetCapture(QWidget* window);
// Ends the capture, whichever window holds it.
void ReleaseCapture();
// The window holding the capture, or null.
QWidget* GetCapture();

} // namespace platform
