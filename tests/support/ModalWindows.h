#pragma once

// Modal dialogs answered from zero-delay timers: the dialog under test is
// running its own event loop by the time the answer comes.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace testsupport {

// Runs act on the next modal window of type T once it shows.
template <class T = QWidget> void OnNextModal(std::function<void(T*)> act, int tries = 2000) {
    QTimer::singleShot(0, [act, tries]() {
        auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
        if (w && w->isVisible())
            act(w);
        else if (tries > 0)
            OnNextModal<T>(act, tries - 1);
    });
}

} // namespace testsupport
