#pragma once

// Synthetic input for the platform windows' tests: mouse presses, clicks and
// key strokes sent straight to a widget, as the window system would.

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace uievents {

inline void mouse(QWidget* target, QEvent::Type type, const QPoint& pos, Qt::MouseButton button,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(pos), QPointF(target->mapToGlobal(pos)), button, held, modifiers);
    QApplication::sendEvent(target, &event);
}

inline void press(QWidget* target, const QPoint& pos, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    mouse(target, QEvent::MouseButtonPress, pos, button, modifiers);
}

inline void click(QWidget* target, const QPoint& pos, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    mouse(target, QEvent::MouseButtonPress, pos, button, modifiers);
    mouse(target, QEvent::MouseButtonRelease, pos, button, modifiers);
}

inline void doubleClick(QWidget* target, const QPoint& pos) {
    click(target, pos);
    mouse(target, QEvent::MouseButtonDblClick, pos, Qt::LeftButton);
    mouse(target, QEvent::MouseButtonRelease, pos, Qt::LeftButton);
}

inline void key(QWidget* target, int key, const QString& text = QString(),
                Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent down(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &up);
}

// Types a text one character at a time.
inline void type(QWidget* target, const QString& text) {
    for (QChar c : text) {
        if (c == QLatin1Char('\n'))
            key(target, Qt::Key_Return, QStringLiteral("\r"));
        else
            key(target, c.toUpper().unicode(), QString(c));
    }
}

} // namespace uievents
