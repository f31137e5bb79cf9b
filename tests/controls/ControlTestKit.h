#pragma once

// Helpers for driving the controls in tests: shown windows, pixels read back
// as the organiser's colours, and modal dialogs answered from zero-delay
// timers.

#include "EventLoop.h"
#include "ModalWindows.h"
#include "platform/SysColors.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace kit {

inline platform::OleColor At(const QImage& image, int x, int y) {
    return platform::FromQColor(image.pixelColor(x, y));
}

// Shows a top-level window and makes it the active one, so focus, shortcuts
// and the window under the pointer behave as on a desktop.
inline void ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    testsupport::RunEventsUntil([&] { return QApplication::activeWindow() == &window; });
}

using testsupport::OnNextModal;

// Confirms a dialog, as its OK button does (some dialogs hide accept()).
inline void Accept(QDialog* dialog) {
    dialog->accept();
}

} // namespace kit
