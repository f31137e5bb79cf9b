#include "platform/WindowTimers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <limits>
#include <map>
#include <memory>

namespace platform {

namespace {

struct Running {
    std::unique_ptr<QTimer, void (*)(QTimer*)> timer{nullptr, [](QTimer* t) { t->deleteLater(); }};
    TimerProc proc;
};

std::map<int32_t, Running>& running() {
    static std::map<int32_t, Running> timers;
    return timers;
}

int32_t& lastId() {
    static int32_t id = 0;
    return id;
}

int32_t tickCount() {
    static QElapsedTimer since;
    if (!since.isValid())
        since.start();
    return static_cast<int32_t>(since.elapsed() & 0x7FFFFFFF);
}

// Ids count up so a stopped timer's id is not handed out again soon, and skip
// the ids of timers that still run.
int32_t nextFreeId() {
    int32_t& id = lastId();
    do {
        id = id == std::numeric_limits<int32_t>::max() ? 1 : id + 1;
    } while (running().count(id));
    return id;
}

void fire(int32_t id) {
    auto it = running().find(id);
    if (it == running().end())
        return;
    // The callback may stop or replace this very timer, so it runs from a copy.
    const TimerProc proc = it->second.proc;
    if (proc)
        proc(0, WM_TIMER, id, tickCount());
}

} // namespace

int32_t SetTimer(int32_t hwnd, int32_t idEvent, int32_t uElapse, TimerProc lpTimerFunc) {
    if (hwnd != 0 || !QCoreApplication::instance())
        return 0;
    tickCount();
    const int interval = uElapse < 10 ? 10 : uElapse;
    auto it = idEvent != 0 ? running().find(idEvent) : running().end();
    if (it != running().end()) {
        it->second.proc = std::move(lpTimerFunc);
        it->second.timer->start(interval);
        return idEvent;
    }
    const int32_t id = nextFreeId();
    Running& r = running()[id];
    r.timer.reset(new QTimer);
    r.proc = std::move(lpTimerFunc);
    QObject::connect(r.timer.get(), &QTimer::timeout, [id]() { fire(id); });
    r.timer->start(interval);
    return id;
}

bool KillTimer(int32_t hwnd, int32_t uIDEvent) {
    auto it = running().find(uIDEvent);
    if (hwnd != 0 || it == running().end())
        return false;
    it->second.timer->stop();
    running().erase(it);
    return true;
}

} // namespace platform
