#include "data/mTimerFunctions.h"

#include "data/clsTimer.h"
#include "data/clsTimers.h"
#include "platform/RuntimeError.h"
#include "platform/WindowTimers.h"

namespace mTimerFunctions {

namespace {
int32_t g_timerClassCount = 0;
}

QMap<QString, clsTimer*>& TimerObjects() {
    static QMap<QString, clsTimer*> objects;
    return objects;
}

QMap<QString, clsTimers*>& TimerClasses() {
    static QMap<QString, clsTimers*> classes;
    return classes;
}

int32_t TimerClassCount() {
    return g_timerClassCount;
}

QString TimerKey(int32_t id) {
    return QStringLiteral("id:") + QString::number(id);
}

QString ClassKey(int32_t key) {
    return QStringLiteral("key:") + QString::number(key);
}

int32_t RegisterTimersClass(clsTimers* group) {
    ++g_timerClassCount;
    TimerClasses().insert(ClassKey(g_timerClassCount), group);
    return g_timerClassCount;
}

void UnregisterTimersClass(int32_t key) {
    TimerClasses().remove(ClassKey(key));
}

void TimerProc(int32_t hwnd, int32_t uMsg, int32_t idEvent, int32_t dwTime) {
    Q_UNUSED(hwnd);
    Q_UNUSED(uMsg);
    Q_UNUSED(dwTime);
    clsTimer* timer = TimerObjects().value(TimerKey(idEvent));
    if (!timer) {
        // A timer nobody owns any more stops here.
        platform::KillTimer(0, idEvent);
        return;
    }
    try {
        if (timer->ParentKey() > 0) {
            clsTimers* group = TimerClasses().value(ClassKey(timer->ParentKey()));
            if (!group) {
                platform::KillTimer(0, idEvent);
                return;
            }
            group->RaiseTimerEvent(timer->Index());
        } else {
            timer->RaiseTimer_Event();
        }
    } catch (const platform::RuntimeError&) {
        // An error in a handler ends this tick only; the timer runs on unless
        // the handler stopped it.
    }
}

} // namespace mTimerFunctions
