#include "platform/ui/Menus.h"
#include "PopupMenuAnswers.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

using namespace platform;

namespace {

// The task pop-up menu's shape: entries, a separator, an option array and a
// submenu holding another option array.
QMenu* taskMenu(QWidget* owner) {
    auto* menu = new QMenu(owner);
    menu->setObjectName(QStringLiteral("pupTaskToday"));
    AddMenuEntry(menu, QStringLiteral("Add New Task"), QStringLiteral("pupTaskTodayAdd"));
    AddMenuEntry(menu, QStringLiteral("Edit Task Details"), QStringLiteral("pupTaskTodayEdit"));
    AddMenuEntry(menu, QStringLiteral("-"), QStringLiteral("pupTaskTodayLine1"));
    const QStringList statuses = {"Not Started", "In Progress", "Waiting for someone else"};
    for (int i = statuses.size() - 1; i >= 0; --i) // out of order on purpose
        AddMenuEntry(menu, statuses[i], QStringLiteral("pupTaskTodayChangeSOpt"), i);
    QMenu* priority = AddSubmenu(menu, QStringLiteral("Change Priority"), QStringLiteral("pupTaskTodayChangeP"));
    for (const char* caption : {"Urgent", "High"})
        AddMenuEntry(priority, QString::fromLatin1(caption), QStringLiteral("pupTaskTodayChangePOpt"),
                     static_cast<int>(MenuEntryArray(menu, QStringLiteral("pupTaskTodayChangePOpt")).size()));
    return menu;
}

} // namespace

TEST(Menus, EntriesAndOptionArraysAreFoundByName) {
    QWidget owner;
    QMenu* menu = taskMenu(&owner);
    QAction* edit = FindMenuEntry(&owner, QStringLiteral("pupTaskTodayEdit"));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), QStringLiteral("Edit Task Details"));
    EXPECT_TRUE(FindMenuEntry(menu, QStringLiteral("pupTaskTodayLine1"))->isSeparator());
    EXPECT_EQ(FindMenuEntry(menu, QStringLiteral("nothing")), nullptr);

    const QList<QAction*> statuses = MenuEntryArray(menu, QStringLiteral("pupTaskTodayChangeSOpt"));
    ASSERT_EQ(statuses.size(), 3);
    EXPECT_EQ(statuses[0]->text(), QStringLiteral("Not Started"));
    EXPECT_EQ(statuses[2]->text(), QStringLiteral("Waiting for someone else"));
    EXPECT_EQ(MenuEntryIndex(statuses[1]), 1);
    EXPECT_EQ(FindMenuEntry(menu, QStringLiteral("pupTaskTodayChangeSOpt"), 1), statuses[1]);
    EXPECT_EQ(FindMenuEntry(menu, QStringLiteral("pupTaskTodayChangeSOpt")), nullptr)
        << "an option array's elements are found by their index";
    EXPECT_EQ(MenuEntryIndex(edit), -1);

    // Entries of a submenu are found from the top; hiding the submenu's entry
    // hides it in its parent.
    const QList<QAction*> priorities = MenuEntryArray(&owner, QStringLiteral("pupTaskTodayChangePOpt"));
    ASSERT_EQ(priorities.size(), 2);
    EXPECT_EQ(MenuEntryIndex(priorities[1]), 1);
    QAction* submenu = FindMenuEntry(&owner, QStringLiteral("pupTaskTodayChangeP"));
    ASSERT_NE(submenu, nullptr);
    EXPECT_NE(submenu->menu(), nullptr);
    EXPECT_TRUE(menu->actions().contains(submenu));
    submenu->setVisible(false);
    EXPECT_FALSE(submenu->isVisible());
    EXPECT_EQ(FindMenuEntry(menu, QStringLiteral("pupTaskToday")), menu->menuAction());
}

TEST(Menus, OnlyCodeChangesACheckMark) {
    QWidget owner;
    QMenu* menu = taskMenu(&owner);
    QAction* progress = FindMenuEntry(menu, QStringLiteral("pupTaskTodayChangeSOpt"), 1);
    bool seenInHandler = false;
    QObject::connect(progress, &QAction::triggered, [&]() { seenInHandler = MenuChecked(progress); });

    EXPECT_FALSE(MenuChecked(progress));
    progress->trigger();
    EXPECT_FALSE(MenuChecked(progress)) << "choosing an unchecked entry does not check it";

    SetMenuChecked(progress, true);
    EXPECT_TRUE(MenuChecked(progress));
    progress->trigger();
    EXPECT_TRUE(seenInHandler) << "the handler sees the mark as it was";
    EXPECT_TRUE(MenuChecked(progress));
    SetMenuChecked(progress, false);
    EXPECT_FALSE(MenuChecked(progress));
    EXPECT_FALSE(progress->isCheckable()) << "an unchecked entry draws no box";
}

TEST(Menus, PopupMenuGoesThroughThePopupInUse) {
    QWidget owner;
    QMenu* menu = taskMenu(&owner);
    QMenu* shown = nullptr;
    QPoint at;
    int edits = 0;
    QObject::connect(FindMenuEntry(menu, QStringLiteral("pupTaskTodayEdit")), &QAction::triggered, [&]() { ++edits; });
    testsupport::PopupMenuAnswers answers([&](QMenu* m, const QPoint& p) {
        shown = m;
        at = p;
        FindMenuEntry(m, QStringLiteral("pupTaskTodayEdit"))->trigger();
    });
    PopupMenu(menu, QPoint(40, 50));
    EXPECT_EQ(shown, menu);
    EXPECT_EQ(at, QPoint(40, 50));
    EXPECT_EQ(edits, 1) << "the chosen entry's handler has run when PopupMenu returns";
}
