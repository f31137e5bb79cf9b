#include "WindowsFixture.h"

#include "Keystrokes.h"
#include "controls/ABar.h"
#include "platform/ui/MonthView.h"
#include "windows/frmSideBar.h"
#include "windows/frmTasks.h"
#include "windows/frmToday.h"

#include <QApplication>

using testsupport::Focus;
using testsupport::Strike;

namespace {

// The stop the focus is at: the named control that is it or holds it.
QString focusStop() {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (w->objectName().startsWith(QLatin1String("uc")) || w->objectName().startsWith(QLatin1String("lst")))
            return w->objectName();
    return QStringLiteral("(none)");
}

} // namespace

TEST_F(WindowsTest, TabGoesRoundTheSideBarTheCalendarAndTheListsBothWays) {
    openMain();
    frmToday& today = *platform::Forms::IfLoaded<frmToday>();
    const struct {
        const char* how;
        Qt::KeyboardModifiers modifiers;
        QStringList stops;
    } ways[] = {
        {"Tab", Qt::NoModifier, {"lstMeetingsToday", "ucOptionBar", "ucCalender", "lstTasksToday"}},
        {"Shift+Tab", Qt::ShiftModifier, {"ucCalender", "ucOptionBar", "lstMeetingsToday", "lstTasksToday"}},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        Focus(today.lstTasksToday);
        QStringList seen;
        for (int i = 0; i < way.stops.size(); ++i) {
            Strike(QApplication::focusWidget(), Qt::Key_Tab, way.modifiers);
            seen << focusStop();
        }
        EXPECT_EQ(seen, way.stops);
    }
    // The record list takes the lists' place when it shows.
    showRecordList("sh_task");
    Focus(platform::Forms::IfLoaded<frmSideBar>()->ucCalender);
    Strike(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(focusStop(), QStringLiteral("lstData"));
    Strike(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(focusStop(), QStringLiteral("ucOptionBar"));
}

TEST_F(WindowsTest, FromTheSideBarTheKeyboardOpensTheTaskEditor) {
    openMain();
    frmToday& today = *platform::Forms::IfLoaded<frmToday>();
    Focus(today.lstMeetingsToday);
    Strike(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(focusStop(), QStringLiteral("ucOptionBar"));
    ExplorerBar* bar = platform::Forms::IfLoaded<frmSideBar>()->ucOptionBar;
    // The views' group is first, then the calendar's header, then Tasks,
    // closed: it opens, and its first item adds a task.
    for (int i = 0; i < 7; ++i)
        Strike(bar, Qt::Key_Down);
    Strike(bar, Qt::Key_Right);
    Strike(bar, Qt::Key_Down);
    r->onModal = [](QObject* w) { qobject_cast<QWidget*>(w)->close(); };
    Strike(bar, Qt::Key_Return);
    ASSERT_EQ(r->modalWindows.size(), 1u);
    EXPECT_EQ(r->modalWindows.front()->objectName(), QStringLiteral("frmTasks"));
}

TEST_F(WindowsTest, TheCalendarsArrowsMoveTheHighlightAndEnterOrSpaceShowsThatDay) {
    openMain();
    frmToday& today = *platform::Forms::IfLoaded<frmToday>();
    Focus(platform::Forms::IfLoaded<frmSideBar>()->ucCalender);
    const struct {
        Qt::Key key;
        const char* shown;
    } strokes[] = {
        {Qt::Key_Right, "07-03-2025"}, {Qt::Key_Right, "07-03-2025"}, {Qt::Key_Return, "09-03-2025"},
        {Qt::Key_Down, "09-03-2025"},  {Qt::Key_Space, "16-03-2025"},
    };
    for (const auto& s : strokes) {
        Strike(QApplication::focusWidget(), s.key);
        EXPECT_EQ(today.DisplayDate(), QLatin1String(s.shown)) << QKeySequence(s.key).toString().toStdString();
    }
}
