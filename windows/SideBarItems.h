#pragma once

// The side bar's command items: the group key as the item is added to the pane,
// the item key, the caption and the picture in the side bar's image list. The
// keys are the command vocabulary of the whole program.
struct SideBarItem {
    const char* group;
    const char* key;
    const char* caption;
    int icon;
};

inline constexpr SideBarItem kSideBarItems[] = {
    {"Special Group", "sh_today", "Show Today's Schedules", 12},
    {"Special Group", "sh_task", "Show All Tasks", 13},
    {"Special Group", "sh_mtg", "Show All Meeting Schedules", 14},
    {"Special Group", "sh_note", "Show All Notes", 15},
    {"Special Group", "sh_pwd", "Show All Passwords", 16},
    {"tasks", "tsk_add", "Add New Task", 1},
    {"tasks", "tsk_edit", "Edit selected Task Details", 2},
    {"tasks", "tsk_del", "Remove selected Task", 3},
    {"mtg", "mtg_add", "Add New Meeting Schedule", 5},
    {"mtg", "mtg_edit", "Reschedule selected Meeting", 6},
    {"mtg", "mtg_del", "Remove selected Meeting", 4},
    {"note", "note_add", "Create New Note", 7},
    {"note", "note_edit", "Edit selected Note", 8},
    {"note", "note_del", "Remove selected Note", 4},
    {"pwd", "pwd_add", "Add New Password", 9},
    {"pwd", "pwd_edit", "Edit Selected Password Details", 10},
    {"pwd", "pwd_del", "Remove Selected Password", 4},
};
