#include "WindowsFixture.h"

#include "controls/ABar.h"
#include "controls/XPButton.h"
#include "platform/ui/MonthView.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/TextBox.h"
#include "windows/frmChangePassword.h"
#include "windows/frmMeetings.h"
#include "windows/frmNotes.h"
#include "windows/frmPassword.h"
#include "windows/frmSideBar.h"
#include "windows/frmTasks.h"
#include "windows/frmToday.h"

#include <QAccessible>
#include <QApplication>
#include <QToolButton>
#include <functional>

namespace {

QAccessibleInterface* of(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

QString nameOf(QAccessibleInterface* i) {
    return i ? i->text(QAccessible::Name) : QStringLiteral("(none)");
}

QStringList childNames(QAccessibleInterface* parent, int count) {
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << nameOf(parent->child(i));
    return out;
}

// The child of a parent by its name.
QAccessibleInterface* named(QAccessibleInterface* parent, const QString& name) {
    for (int i = 0; i < parent->childCount(); ++i)
        if (nameOf(parent->child(i)) == name)
            return parent->child(i);
    return nullptr;
}

void press(QAccessibleInterface* i) {
    ASSERT_TRUE(i && i->actionInterface());
    ASSERT_TRUE(i->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    i->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

} // namespace

TEST_F(WindowsTest, ScreenReadersWalkTheSideBarsGroupsAndItemsAndPressThem) {
    openMain();
    ExplorerBar* pane = platform::Forms::IfLoaded<frmSideBar>()->ucOptionBar;
    QAccessibleInterface* bar = of(pane);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->role(), QAccessible::Pane);
    // The groups come first, in reading order; the calendar they hold after them.
    const QStringList groups{"Information Display", "Calender", "Tasks", "Meetings", "Notes", "Passwords"};
    ASSERT_GT(bar->childCount(), groups.size());
    EXPECT_EQ(childNames(bar, static_cast<int>(groups.size())), groups);

    QAccessibleInterface* views = named(bar, QStringLiteral("Information Display"));
    EXPECT_EQ(views->role(), QAccessible::Grouping);
    EXPECT_TRUE(views->state().expanded);
    EXPECT_EQ(childNames(views, views->childCount()),
              (QStringList{"Show Today's Schedules", "Show All Tasks", "Show All Meeting Schedules", "Show All Notes",
                           "Show All Passwords"}));
    const QRect barArea(pane->mapToGlobal(QPoint(0, 0)), pane->size());
    QRect above;
    for (int i = 0; i < views->childCount(); ++i) {
        QAccessibleInterface* item = views->child(i);
        SCOPED_TRACE(nameOf(item).toStdString());
        EXPECT_EQ(item->role(), QAccessible::Link);
        EXPECT_EQ(item->parent(), views);
        EXPECT_EQ(views->indexOfChild(item), i);
        EXPECT_TRUE(barArea.contains(item->rect()));
        EXPECT_TRUE(views->rect().contains(item->rect()));
        EXPECT_GT(item->rect().top(), above.bottom()) << "each item on a line of its own";
        EXPECT_EQ(bar->childAt(item->rect().center().x(), item->rect().center().y()), views);
        above = item->rect();
    }

    // A closed group shows no items until it is pressed open; an item's
    // press is its click.
    QAccessibleInterface* tasks = named(bar, QStringLiteral("Tasks"));
    EXPECT_TRUE(tasks->state().collapsed);
    EXPECT_EQ(tasks->childCount(), 0);
    press(tasks);
    EXPECT_TRUE(tasks->state().expanded);
    EXPECT_EQ(childNames(tasks, tasks->childCount()),
              (QStringList{"Add New Task", "Edit selected Task Details", "Remove selected Task"}));
    r->onModal = [](QObject* w) { qobject_cast<QWidget*>(w)->close(); };
    press(named(tasks, QStringLiteral("Add New Task")));
    ASSERT_EQ(r->modalWindows.size(), 1u);
    EXPECT_EQ(r->modalWindows.front()->objectName(), QStringLiteral("frmTasks"));

    // Where the keyboard stands is the focused child.
    QApplication::setActiveWindow(pane->window());
    QAccessibleInterface* showNotes = named(views, QStringLiteral("Show All Notes"));
    showNotes->actionInterface()->doAction(QAccessibleActionInterface::setFocusAction());
    EXPECT_EQ(bar->focusChild(), showNotes);
    EXPECT_TRUE(showNotes->state().focused);
}

TEST_F(WindowsTest, FlatButtonsListsAndBoxesAreNamedAfterWhatTheyShow) {
    frmMain& main = openMain();
    frmToday& today = *platform::Forms::IfLoaded<frmToday>();
    EXPECT_EQ(nameOf(of(today.lstTasksToday)), QStringLiteral("Today's Tasks on List"));
    EXPECT_EQ(nameOf(of(today.lstMeetingsToday)), QStringLiteral("Today's Scheduled Meetings"));
    EXPECT_EQ(nameOf(of(main.ucStatusBar)), QStringLiteral("Ready"));
    const platform::MonthView* calendar = platform::Forms::IfLoaded<frmSideBar>()->ucCalender;
    EXPECT_EQ(nameOf(of(calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_prevmonth")))),
              QStringLiteral("Previous Month"));
    EXPECT_EQ(nameOf(of(calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_nextmonth")))),
              QStringLiteral("Next Month"));
    EXPECT_EQ(nameOf(of(showRecordList("sh_pwd"))), QStringLiteral("Passwords"));
    showRecordList("sh_note");
    EXPECT_EQ(nameOf(of(platform::Forms::IfLoaded<frmDisplay>()->txtQuickDesc)), QStringLiteral("Note Description"));

    // Each editor's fields by their own labels, and its buttons by caption.
    const struct {
        const char* editor;
        std::function<void()> open;
        QStringList names; // field=name, in the order of the form
    } editors[] = {
        {"task",
         [] { frmTasks::AddTask(); },
         {"txtTitle=Title", "ucDTPicker=Select Date for Task", "cmbPriority=Priority", "cmbStatus=Status",
          "txtDesc=Description", "txtRemarks=Remarks", "btnSave=Save Task", "btnCancel=Cancel"}},
        {"meeting",
         [] { frmMeetings::AddMeeting(); },
         {"ucStartTime=Start Time", "ucEndTime=End Time", "cmbMeetFor=Meeting for", "btnSave=Save Schedule"}},
        {"note", [] { frmNotes::AddNote(); }, {"txtTitle=Title", "txtNote=Note", "btnCreate=Create New Note"}},
        {"password",
         [] { frmPassword::AddPassword(); },
         {"txtTitle=Title", "txtUserName=User Name", "txtPassword=Password", "txtURL=URL", "txtNotes=Additional Notes",
          "btnCreate=Save Details"}},
        {"change password",
         [] { platform::Forms::Get<frmChangePassword>().ShowModal(); },
         {"txtOldPassword=Current Password", "txtNewPassword=New Password", "txtConfPassword=Confirm New Password"}},
    };
    for (const auto& e : editors) {
        SCOPED_TRACE(e.editor);
        QStringList seen, wanted;
        r->onModal = [&](QObject* w) {
            EXPECT_EQ(of(w)->role(), QAccessible::Dialog);
            for (const QString& pair : e.names) {
                const QString field = pair.section(QLatin1Char('='), 0, 0);
                QAccessibleInterface* i = of(w->findChild<QWidget*>(field));
                seen << field + QLatin1Char('=') + nameOf(i);
                if (qobject_cast<XPButton*>(w->findChild<QWidget*>(field))) {
                    EXPECT_EQ(i->role(), QAccessible::Button) << field.toStdString();
                }
            }
            qobject_cast<QWidget*>(w)->close();
        };
        e.open();
        fixture::drain();
        EXPECT_EQ(seen, e.names);
    }

    // A flat button's press is its click.
    r->onModal = [](QObject* w) {
        QAccessibleInterface* save = of(w->findChild<XPButton*>(QStringLiteral("btnSave")));
        press(save);
        EXPECT_EQ(save->text(QAccessible::Accelerator),
                  QKeySequence(Qt::ALT | Qt::Key_S).toString(QKeySequence::NativeText));
        qobject_cast<QWidget*>(w)->close();
    };
    r->clear();
    frmTasks::AddTask();
    EXPECT_TRUE(r->sawTitle(QStringLiteral("Title?")));
}
