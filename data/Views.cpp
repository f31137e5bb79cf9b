#include "data/Views.h"

namespace views {

namespace {
Loaders& installed() {
    static Loaders l;
    return l;
}
} // namespace

void InstallLoaders(Loaders loaders) {
    installed() = std::move(loaders);
}

void LoadTodaySchedule(const QString& dayKey) {
    if (installed().loadTodaySchedule)
        installed().loadTodaySchedule(dayKey);
}

void LoadScheduleList(int kind, const QString& dayKey) {
    if (installed().loadScheduleList)
        installed().loadScheduleList(kind, dayKey);
}

void LoadNotesList(const QString& dayKey) {
    if (installed().loadNotesList)
        installed().loadNotesList(dayKey);
}

void LoadPasswordsList() {
    if (installed().loadPasswordsList)
        installed().loadPasswordsList();
}

void SetCalendarDate(const QDate& day) {
    if (installed().setCalendarDate)
        installed().setCalendarDate(day);
}

} // namespace views

namespace mFunctions {

namespace {
int32_t g_currentView = ViewToday;
}

int32_t CurrentView() {
    return g_currentView;
}
void SetCurrentView(int32_t view) {
    g_currentView = view;
}

} // namespace mFunctions
