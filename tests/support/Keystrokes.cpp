#include "Keystrokes.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace testsupport {

namespace {

void activate(QWidget* target) {
    // A child window of a window's client area counts as a window of its
    // own; the keys go to the window the desktop shows.
    QWidget* window = target->window();
    while (window->windowType() == Qt::SubWindow && window->parentWidget())
        window = window->parentWidget()->window();
    if (QApplication::activeWindow() != window) {
        window->activateWindow();
        QApplication::setActiveWindow(window);
    }
}

} // namespace

void Strike(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    activate(target);
    QTest::keyClick(target, key, modifiers);
}

void Focus(QWidget* target) {
    activate(target);
    target->setFocus(Qt::OtherFocusReason);
}

} // namespace testsupport
