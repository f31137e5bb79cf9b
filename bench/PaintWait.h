#pragma once

// When a person sees the answer to an input: once the widgets it changed have
// been painted through the event loop and nothing paints any more. Shared by
// the organiser's measures and the plain programs of their floors, so both
// end the same way.
#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace paired {

class PaintWatch : public QObject {
public:
    using Clock = std::chrono::steady_clock;
    // The widgets whose paint shows the change, e.g. a list's viewport.
    using Watched = std::function<bool(const QWidget*)>;

    PaintWatch() { qApp->installEventFilter(this); }
    ~PaintWatch() override { qApp->removeEventFilter(this); }

    // Seconds from the input until a watched widget has painted and then no
    // widget has painted for a while, to the end of the last pass of the
    // event loop that painted. Nothing painted within a minute ends the
    // program: a measure that never shows its answer measures nothing.
    double timeInput(const Watched& watched, const std::function<void()>& input) {
        m_watched = watched;
        m_watchedPaints = 0;
        const Clock::time_point start = Clock::now();
        int seen = m_paints;
        input();
        Clock::time_point lastPaint = Clock::now();
        for (;;) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            // Windows unloaded by the input are deleted as the event loop would.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            const Clock::time_point now = Clock::now();
            if (m_paints != seen) {
                seen = m_paints;
                lastPaint = now;
            }
            if ((m_watchedPaints > 0 || !m_watched) && now - lastPaint >= kQuiet)
                break;
            if (now - start > std::chrono::minutes(1)) {
                std::fprintf(stderr, "the changed widgets were never painted\n");
                std::abort();
            }
        }
        m_watched = nullptr;
        return std::chrono::duration<double>(lastPaint - start).count();
    }

    // Lets whatever is pending run and paint, untimed.
    void settle() {
        timeInput(nullptr, [] {});
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            ++m_paints;
            if (m_watched && m_watched(static_cast<QWidget*>(watched)))
                ++m_watchedPaints;
        }
        return false;
    }

private:
    // Longer than any repaint the window system holds back, so a paint still
    // to come is waited for; not part of the time given.
    static constexpr std::chrono::milliseconds kQuiet{60};
    Watched m_watched;
    int m_paints = 0;
    int m_watchedPaints = 0;
};

// Whether w is the viewport (or any part) of a widget of type T.
template <class T> bool inside(const QWidget* w) {
    for (const QWidget* p = w; p; p = p->parentWidget())
        if (qobject_cast<const T*>(p))
            return true;
    return false;
}

} // namespace paired
