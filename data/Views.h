#pragma once

#include <QDate>
#include <QString>
#include <cstdint>
#include <functional>

// The few places where the record stores reach into the windows: the current
// view code and the list loaders the windows fill in. Until the windows
// install their loaders, the calls do nothing.
namespace views {

struct Loaders {
    std::function<void(const QString& dayKey)> loadTodaySchedule;
    std::function<void(int kind, const QString& dayKey)> loadScheduleList;
    std::function<void(const QString& dayKey)> loadNotesList;
    std::function<void()> loadPasswordsList;
    // Moves the side bar's calendar to a day.
    std::function<void(const QDate& day)> setCalendarDate;
};

void InstallLoaders(Loaders loaders);

void LoadTodaySchedule(const QString& dayKey);
void LoadScheduleList(int kind, const QString& dayKey);
void LoadNotesList(const QString& dayKey);
void LoadPasswordsList();
void SetCalendarDate(const QDate& day);

} // namespace views

namespace mFunctions {

// What the main area shows: 0 Today, 1 all tasks, 2 all meetings, 3 notes,
// 4 password entries.
enum ViewCode { ViewToday = 0, ViewTasks = 1, ViewMeetings = 2, ViewNotes = 3, ViewPasswords = 4 };
int32_t CurrentView();
void SetCurrentView(int32_t view);

} // namespace mFunctions
