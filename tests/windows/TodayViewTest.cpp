#include "WindowsFixture.h"

#include "platform/ProgramFolder.h"
#include "platform/Twips.h"
#include "platform/ui/BackedWidget.h"
#include "platform/ui/TextBox.h"
#include "windows/CommandDispatcher.h"
#include "windows/Geometry.h"

#include "platform/ui/MonthView.h"
#include "windows/HeaderStrip.h"
#include "windows/ListLoaders.h"
#include "windows/frmSideBar.h"
#include "windows/frmTasks.h"
#include "windows/frmToday.h"
#include <QTimer>

#include <QFontDatabase>
#include <QGlyphRun>
#include <QLabel>
#include <QPainter>
#include <QTextLayout>

using namespace fixture;
namespace Forms = platform::Forms;

namespace {
const platform::OleColor kEmphasis = 1127859; // RGB(179, 53, 17)
}

TEST_F(WindowsTest, StartShowsTodaysScheduleUnderTheLiveClock) {
    folder.writeData(
        data(day(QStringLiteral("07-03-2025"),
                 task(QStringLiteral("Urgent one"), "0", "1") + task(QStringLiteral("High one"), "1", "4") +
                     task(QStringLiteral("Normal one"), "2", "0") + task(QStringLiteral("Low one"), "3", "5") +
                     task(QStringLiteral("Odd one"), "7", "9"),
                 meeting(QStringLiteral("Stand-up"), "0", "3", QStringLiteral("09:00:00 AM"),
                         QStringLiteral("09:15:00 AM"))) +
             day(QStringLiteral("08-03-2025"), task(QStringLiteral("Tomorrow"), "2", "0"))));
    frmMain& main = openMain();

    frmToday* todayView = Forms::IfLoaded<frmToday>();
    ASSERT_NE(todayView, nullptr);
    EXPECT_EQ(main.FrontChild(), todayView);
    EXPECT_EQ(mFunctions::CurrentView(), mFunctions::ViewToday);
    EXPECT_EQ(todayView->DisplayDate(), QStringLiteral("07-03-2025"));
    EXPECT_EQ(todayView->lblInfo[0]->text(), QStringLiteral("Today's Tasks on List ... "));
    EXPECT_EQ(todayView->lblInfo[1]->text(), QStringLiteral("Today's Scheduled Meetings ..."));
    EXPECT_EQ(todayView->lblHeader->text(), QStringLiteral("Veltrane :: Friday, 07 March 2025 ; 02:05:09 PM"));
    EXPECT_EQ(Forms::IfLoaded<frmSideBar>()->ucCalender->Value(), today);

    EXPECT_EQ(rows(todayView->lstTasksToday, 3),
              (QStringList{"07-03-2025|Urgent one|Urgent|In Progress", "07-03-2025|High one|High|Completed",
                           "07-03-2025|Normal one|Normal|Not Started", "07-03-2025|Low one|Low|Deferred",
                           "07-03-2025|Odd one|- Unknown -|- Unknown -"}));
    EXPECT_EQ(rows(todayView->lstMeetingsToday, 4),
              QStringList{"07-03-2025|Stand-up|Technical Discussions|09:00:00 AM|09:15:00 AM"});
    EXPECT_EQ(todayView->lstTasksToday->ListItems().Item(1)->SmallIcon(), 1);
    EXPECT_EQ(todayView->lstMeetingsToday->ListItems().Item(1)->Icon(), 2);
    // The rows' pictures are read when first shown, and are the files' own.
    for (auto [list, file] : {std::pair{todayView->lstTasksToday, "list-task.png"},
                              std::pair{todayView->lstMeetingsToday, "list-meeting.png"}}) {
        const QIcon icon = list->model()->index(0, 0).data(Qt::DecorationRole).value<QIcon>();
        ASSERT_FALSE(icon.isNull()) << file;
        EXPECT_EQ(icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32),
                  QImage(platform::ProgramFile(QLatin1String(file))).convertToFormat(QImage::Format_ARGB32))
            << file;
    }

    // Urgent rows are bold and coloured, high rows coloured, the rest plain.
    auto items = todayView->lstTasksToday->ListItems();
    EXPECT_TRUE(items.Item(1)->Bold());
    EXPECT_EQ(items.Item(1)->ForeColor(), kEmphasis);
    EXPECT_FALSE(items.Item(2)->Bold());
    EXPECT_EQ(items.Item(2)->ForeColor(), kEmphasis);
    for (int i : {3, 4, 5}) {
        EXPECT_FALSE(items.Item(i)->Bold());
        EXPECT_NE(items.Item(i)->ForeColor(), kEmphasis);
    }
    EXPECT_TRUE(todayView->lstMeetingsToday->ListItems().Item(1)->Bold());

    // The clock ticks on.
    clock.advanceSeconds(61);
    todayView->tmrClock_Timer();
    EXPECT_EQ(todayView->lblHeader->text(), QStringLiteral("Veltrane :: Friday, 07 March 2025 ; 02:06:10 PM"));
    EXPECT_TRUE(todayView->tmrClock->isActive());
}

TEST_F(WindowsTest, AnotherDayInTheCalendarDropsTodaysFromTheCaptions) {
    folder.writeData(data(day(QStringLiteral("10-03-2025"), task(QStringLiteral("Dentist"), "1", "0"))));
    openMain();
    frmSideBar& bar = *Forms::IfLoaded<frmSideBar>();
    bar.ucCalender->SetValue(QDate(2025, 3, 10));
    bar.ucCalender_DateClick(QDate(2025, 3, 10));

    frmToday& todayView = *Forms::IfLoaded<frmToday>();
    EXPECT_EQ(todayView.DisplayDate(), QStringLiteral("10-03-2025"));
    EXPECT_EQ(todayView.lblInfo[0]->text(), QStringLiteral("Tasks on List ... "));
    EXPECT_EQ(todayView.lblInfo[1]->text(), QStringLiteral("Scheduled Meetings ..."));
    EXPECT_EQ(todayView.lblHeader->text(), QStringLiteral("Veltrane :: Monday, 10 March 2025 ; 02:05:09 PM"));
    EXPECT_EQ(rows(todayView.lstTasksToday, 1), QStringList{"10-03-2025|Dentist"});
    EXPECT_EQ(todayView.lstMeetingsToday->ListItems().Count(), 0);
    EXPECT_EQ(bar.ucCalender->Value(), QDate(2025, 3, 10));

    // A day with nothing filed empties both lists and still names the day.
    bar.ucCalender_DateClick(QDate(2025, 3, 11));
    EXPECT_EQ(todayView.lstTasksToday->ListItems().Count(), 0);
    EXPECT_EQ(todayView.lblHeader->text(), QStringLiteral("Veltrane :: Tuesday, 11 March 2025 ; 02:05:09 PM"));

    // A given day leaves the calendar alone; a blank one brings it to today.
    mFunctions::LoadTodaySchedule(QStringLiteral("12-03-2025"));
    EXPECT_EQ(bar.ucCalender->Value(), QDate(2025, 3, 10));
    mFunctions::LoadTodaySchedule(QString());
    EXPECT_EQ(bar.ucCalender->Value(), today);
    EXPECT_EQ(todayView.lblInfo[0]->text(), QStringLiteral("Today's Tasks on List ... "));

    // Clicking a day in the passwords view changes nothing.
    mFunctions::HandleOptionBarItems(QStringLiteral("Special Group"), QStringLiteral("sh_pwd"));
    bar.ucCalender_DateClick(QDate(2025, 3, 10));
    EXPECT_EQ(mFunctions::CurrentView(), mFunctions::ViewPasswords);
    EXPECT_EQ(Forms::IfLoaded<frmToday>(), nullptr);
}

TEST_F(WindowsTest, TodayViewLaysItsPartsOutInTwips) {
    openMain();
    frmToday& v = *Forms::IfLoaded<frmToday>();
    v.resize(800, 600);
    using platform::PixelsToTwipsX;
    using platform::PixelsToTwipsY;
    const int headerTwips = PixelsToTwipsY(v.picHeader->height());
    EXPECT_EQ(v.picTasksContaiter->geometry(),
              QRect(platform::TwipsToPixelsX(50), platform::TwipsToPixelsY(headerTwips + 50), 800, 300));
    // The second container's top comes from the first one's height alone.
    EXPECT_EQ(v.picMeetingsContainer->y(), platform::TwipsToPixelsY(PixelsToTwipsY(300) + 200));
    EXPECT_EQ(v.picGradLine[0]->geometry(),
              QRect(8, platform::TwipsToPixelsY(PixelsToTwipsY(v.lblInfo[0]->height()) + 100), 640, 3));
    EXPECT_EQ(v.lstTasksToday->geometry(), QRect(8, v.picGradLine[0]->y() + 13, 760, 210));
    // The columns share the list's inside: the meetings' fill it without
    // needing to scroll sideways.
    const double inside = geometry::ColumnsWidth(v.lstMeetingsToday);
    EXPECT_LT(inside, platform::PixelsToTwipsX(760));
    EXPECT_NEAR(v.lstTasksToday->ColumnHeaders().Item(2).Width(), inside * 0.45, 15);
    int total = 0;
    for (int i = 1; i <= 5; ++i)
        total += v.lstMeetingsToday->ColumnHeaders().Item(i).Width();
    EXPECT_LE(total, inside);
    EXPECT_NEAR(total, inside, 5 * 15);

    // The header's caption stays centred across it.
    QLabel* label = v.lblHeader;
    EXPECT_NEAR(label->x() + label->width() / 2.0, v.picHeader->width() / 2.0, 1.0);
    v.resize(1000, 600);
    EXPECT_NEAR(label->x() + label->width() / 2.0, v.picHeader->width() / 2.0, 1.0);
}

// The caption shows whole in a 640 x 480 window and wider ones, made smaller
// only where it would not fit; a still narrower strip cuts it at both ends,
// in the smallest type.
TEST_F(WindowsTest, TheHeaderClockShowsWholeInANarrowWindow) {
    frmMain& main = openMain();
    frmToday& v = *Forms::IfLoaded<frmToday>();
    v.SetDisplayDate(QStringLiteral("27-09-2028")); // a Wednesday of September: a long caption
    QLabel* label = v.lblHeader;
    const QFont designed = label->font();
    const struct {
        QSize window;
        int viewWidth; // 0: as the window lays it out
        bool whole;
        bool smaller;
    } cases[] = {
        {{1024, 768}, 0, true, false},
        {{640, 480}, 0, true, true},
        {{640, 480}, 300, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.window.width() << " wide, view " << c.viewWidth);
        main.resize(c.window);
        fixture::drain();
        if (c.viewWidth)
            v.resize(c.viewWidth, v.height());
        const int strip = v.picHeader->width();
        EXPECT_EQ(label->fontMetrics().horizontalAdvance(label->text()) <= strip, c.whole) << strip;
        EXPECT_EQ(label->font().pointSizeF() < designed.pointSizeF(), c.smaller);
        EXPECT_NEAR(label->x() + label->width() / 2.0, strip / 2.0, 1.0);
    }
    EXPECT_EQ(label->font().pointSizeF(), 8) << "the smallest type";
}

TEST_F(WindowsTest, HeaderPictureCarriesOnAcrossAnyWidth) {
    // The picture is read in two parts, the second only once the strip is
    // wider than the first; at any width the strip shows the whole picture
    // as far as it reaches, its last column carried on beyond it.
    const QImage left(platform::ProgramFile(QStringLiteral("header.png")));
    const QImage wide(platform::ProgramFile(QStringLiteral("header-wide.png")));
    ASSERT_FALSE(left.isNull());
    ASSERT_FALSE(wide.isNull());
    HeaderStrip strip;
    const int whole = left.width() + wide.width();
    for (int width : {left.width() - 200, left.width(), left.width() + 300, whole, whole + 250}) {
        strip.resize(width, strip.height());
        const QImage shown = strip.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QImage expected(width, strip.height(), QImage::Format_RGB32);
        QPainter p(&expected);
        p.drawImage(0, 0, left);
        p.drawImage(left.width(), 0, wide);
        for (int x = whole; x < width; ++x)
            p.drawImage(x, 0, wide, wide.width() - 1, 0, 1, wide.height());
        p.end();
        EXPECT_EQ(shown, expected) << width;
    }
}

// A title in Chinese with an emoji shows its letters in the lists and in the
// editors: the Latin ones in DejaVu Sans, as the side bar draws, the others
// from the Noto fonts.
TEST_F(WindowsTest, TitlesInOtherScriptsAndEmojiShowTheirLetters) {
    for (const char* family : {"DejaVu Sans", "Noto Sans CJK SC", "Noto Color Emoji"})
        if (!QFontDatabase::hasFamily(QLatin1String(family)))
            GTEST_SKIP() << family << " is not installed; ./build.sh run installs it";
    openMain();
    const QWidget* shown[] = {Forms::IfLoaded<frmToday>()->lstTasksToday, Forms::Get<frmTasks>().txtTitle};
    for (const QWidget* widget : shown) {
        SCOPED_TRACE(widget->objectName().toStdString());
        QTextLayout layout(QString::fromUtf8("Plan \xE4\xBC\x9A\xE8\xAE\xAE \xF0\x9F\x93\x85"), widget->font());
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        QStringList families;
        int missing = 0;
        for (const QGlyphRun& run : layout.glyphRuns()) {
            families << run.rawFont().familyName();
            missing += static_cast<int>(run.glyphIndexes().count(0));
        }
        families.sort();
        EXPECT_EQ(families, (QStringList{"DejaVu Sans", "Noto Color Emoji", "Noto Sans CJK SC"}));
        EXPECT_EQ(missing, 0);
    }
}
