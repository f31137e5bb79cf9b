#pragma once

// Helpers for driving the controls in tests: real Qt events sent to the
// widgets, shown windows, pixels read back as the organiser's colours, and
// modal dialogs answered from zero-delay timers.

#include "platform/SysColors.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace kit {

inline platform::OleColor At(const QImage& image, int x, int y) {
    return platform::FromQColor(image.pixelColor(x, y));
}

// Lets events run until the condition holds or the time is up.
inline bool WaitFor(const std::function<bool()>& condition, int ms = 2000) {
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > ms)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// Shows a top-level window and makes it the active one, so focus, shortcuts
// and the window under the pointer behave as on a desktop.
inline void ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    WaitFor([&] { return QApplication::activeWindow() == &window; });
}

inline void Mouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held,
                  Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, held, mods);
    QApplication::sendEvent(w, &e);
}
inline void Press(QWidget* w, QPoint pos, Qt::MouseButton b = Qt::LeftButton) {
    Mouse(w, QEvent::MouseButtonPress, pos, b, b);
}
inline void Release(QWidget* w, QPoint pos, Qt::MouseButton b = Qt::LeftButton) {
    Mouse(w, QEvent::MouseButtonRelease, pos, b, Qt::NoButton);
}
inline void Move(QWidget* w, QPoint pos, Qt::MouseButtons held = Qt::NoButton) {
    Mouse(w, QEvent::MouseMove, pos, Qt::NoButton, held);
}

inline void Key(QWidget* w, QEvent::Type type, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
                const QString& text = QString()) {
    QKeyEvent e(type, key, mods, text);
    QApplication::sendEvent(w, &e);
}
inline void KeyDown(QWidget* w, int key, const QString& text = QString(), Qt::KeyboardModifiers m = {}) {
    Key(w, QEvent::KeyPress, key, m, text);
}
inline void KeyUp(QWidget* w, int key, const QString& text = QString(), Qt::KeyboardModifiers m = {}) {
    Key(w, QEvent::KeyRelease, key, m, text);
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
