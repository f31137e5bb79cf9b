#pragma once

// Helpers for driving the controls in tests: shown windows, pixels read back
// as the organiser's colours, and modal dialogs answered from zero-delay
// timers.

#include "EventLoop.h"
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

// Runs act on the next modal window of type T once it shows; the dialog
// under test is running its own event loop by then.
template <class T = QWidget> void OnNextModal(std::function<void(T*)> act, int tries = 2000) {
    QTimer::singleShot(0, [act, tries]() {
        auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
        if (w && w->isVisible())
            act(w);
        else if (tries > 0)
            OnNextModal<T>(act, tries - 1);
    });
}

// Confirms a dialog, as its OK button does (some dialogs hide accept()).
inline void Accept(QDialog* dialog) {
    dialog->accept();
}

} // namespace kit
