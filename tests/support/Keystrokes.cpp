#include "Keystrokes.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace testsupport {

void Strike(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* window = target->window();
    if (QApplication::activeWindow() != window) {
        window->activateWindow();
        QApplication::setActiveWindow(window);
    }
    QTest::keyClick(target, key, modifiers);
}

} // namespace testsupport
