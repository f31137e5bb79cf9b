#pragma once

#include <QString>
#include <cstdint>

// The list loaders: every list the person sees is rebuilt from the data file
// by one of these, into the Today view or the record list.
namespace mFunctions {

// The Today view's two lists for a day key ("dd-mm-yyyy"; blank: today, and
// the side bar's calendar moves to today).
void LoadTodaySchedule(const QString& sDate);
// All tasks (kind 0) or meetings (kind 1) into the record list; a day key
// keeps that day's only.
void LoadScheduleList(int32_t nKind, const QString& sDate);
// All notes into the record list; a day key keeps those created that day.
void LoadNotesList(const QString& sDate);
void LoadPasswordsList();

// Hands these loaders and the side bar's calendar to the record stores.
void InstallListLoaders();

} // namespace mFunctions
