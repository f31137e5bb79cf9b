#pragma once

// Ends the program once its first window is on screen and painted, so a
// start-up can be timed: the organiser under VELTRANE_EXIT_WHEN_SHOWN and the
// bare program its start-up is measured against use the same one. Header
// only, so the bare program links nothing of ours.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>

namespace platform {

class ExitWhenShown : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && watched->isWindowType() && static_cast<QWindow*>(watched)->isExposed() &&
            !m_done) {
            m_done = true;
            // Queued, so the expose's own paint runs first.
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }

private:
    bool m_done = false;
};

} // namespace platform
