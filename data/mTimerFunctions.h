#pragma once

#include <QMap>
#include <QString>
#include <cstdint>

class clsTimer;
class clsTimers;

// Routes the window system's timer callback to the timer object it belongs to.
namespace mTimerFunctions {

// Running timers under "id:" and the system's timer id, and live groups under
// "key:" and their registration number. Neither keeps its objects alive: a
// timer is stopped and unregistered when it is released.
QMap<QString, clsTimer*>& TimerObjects();
QMap<QString, clsTimers*>& TimerClasses();
// The last registration number handed out.
int32_t TimerClassCount();

int32_t RegisterTimersClass(clsTimers* group);
void UnregisterTimersClass(int32_t key);

// The callback handed to the window system for every timer.
void TimerProc(int32_t hwnd, int32_t uMsg, int32_t idEvent, int32_t dwTime);

QString TimerKey(int32_t id);
QString ClassKey(int32_t key);

} // namespace mTimerFunctions
