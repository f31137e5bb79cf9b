#pragma once

// Synthetic input for tests of widgets: mouse presses, releases, moves,
// clicks, wheel turns and key strokes sent straight to a widget, as the
// window system would deliver them. Positions are the widget's own; they may
// fall between pixels.

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

namespace widgetevents {

// One mouse event; `held` is what is down once the event has happened.
inline void mouse(QWidget* target, QEvent::Type type, const QPointF& pos, Qt::MouseButton button, Qt::MouseButtons held,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, held, modifiers);
    QApplication::sendEvent(target, &event);
}

inline void press(QWidget* target, const QPointF& pos, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    mouse(target, QEvent::MouseButtonPress, pos, button, button, modifiers);
}

inline void release(QWidget* target, const QPointF& pos, Qt::MouseButton button = Qt::LeftButton,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    mouse(target, QEvent::MouseButtonRelease, pos, button, Qt::NoButton, modifiers);
}

inline void move(QWidget* target, const QPointF& pos, Qt::MouseButtons held = Qt::NoButton,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    mouse(target, QEvent::MouseMove, pos, Qt::NoButton, held, modifiers);
}

inline void click(QWidget* target, const QPointF& pos, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    press(target, pos, button, modifiers);
    release(target, pos, button, modifiers);
}

// A click, then the second press as the window system reports it, and its release.
inline void doubleClick(QWidget* target, const QPointF& pos) {
    click(target, pos);
    mouse(target, QEvent::MouseButtonDblClick, pos, Qt::LeftButton, Qt::LeftButton);
    release(target, pos);
}

// A turn of the vertical wheel; 120 is one notch away from the user.
inline void wheel(QWidget* target, const QPointF& pos, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWheelEvent event(pos, target->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

inline void keyDown(QWidget* target, int key, const QString& text = QString(),
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &event);
}

inline void keyUp(QWidget* target, int key, const QString& text = QString(),
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &event);
}

// A key pressed and released.
inline void key(QWidget* target, int key, const QString& text = QString(),
                Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    keyDown(target, key, text, modifiers);
    keyUp(target, key, text, modifiers);
}

// Types a text one character at a time; a line break is the Enter key.
inline void type(QWidget* target, const QString& text) {
    for (QChar c : text) {
        if (c == QLatin1Char('\n'))
            key(target, Qt::Key_Return, QStringLiteral("\r"));
        else
            key(target, c.toUpper().unicode(), QString(c));
    }
}

} // namespace widgetevents
