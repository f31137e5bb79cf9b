#include "platform/ui/DateTimePickers.h"
#include "platform/ui/MonthView.h"

#include "WidgetEvents.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QTableView>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

using platform::DatePicker;
using platform::MonthView;
using platform::TimePicker;

namespace {

// The cell of a day of the shown month in the calendar's grid.
QModelIndex cellOf(QTableView* grid, int day) {
    QAbstractItemModel* model = grid->model();
    bool inMonth = false;
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex cell = model->index(row, column);
            bool isNumber = false;
            const int shown = cell.data().toInt(&isNumber);
            if (!isNumber)
                continue;
            if (shown == 1)
                inMonth = !inMonth;
            if (inMonth && shown == day)
                return cell;
        }
    }
    return QModelIndex();
}

} // namespace

TEST(MonthView, ADayClickRaisesDateClickButSettingValueDoesNot) {
    MonthView calendar;
    calendar.resize(300, 220);
    calendar.show();
    std::vector<QDate> clicked;
    QObject::connect(&calendar, &MonthView::DateClick, [&](const QDate& d) { clicked.push_back(d); });

    calendar.SetValue(QDate(2025, 3, 10));
    EXPECT_EQ(calendar.Value(), QDate(2025, 3, 10));
    EXPECT_EQ(calendar.monthShown(), 3);
    EXPECT_TRUE(clicked.empty());

    auto* grid = calendar.findChild<QTableView*>();
    ASSERT_NE(grid, nullptr);
    const QModelIndex cell = cellOf(grid, 15);
    ASSERT_TRUE(cell.isValid());
    widgetevents::click(grid->viewport(), grid->visualRect(cell).center());
    ASSERT_EQ(clicked.size(), 1u);
    EXPECT_EQ(clicked[0], QDate(2025, 3, 15));
    EXPECT_EQ(calendar.Value(), QDate(2025, 3, 15));

    // A value in another month turns the calendar to that month.
    calendar.SetValue(QDate(2024, 12, 31));
    EXPECT_EQ(calendar.yearShown(), 2024);
    EXPECT_EQ(calendar.monthShown(), 12);
    EXPECT_EQ(clicked.size(), 1u);
}

TEST(MonthView, EnterAndSpaceShowTheHighlightedDayAndADoubleClickShowsItOnce) {
    using Input = std::function<void(QTableView*)>;
    auto keys = [](std::vector<int> strokes) -> Input {
        return [strokes](QTableView* grid) {
            for (int k : strokes)
                widgetevents::key(grid, k, k == Qt::Key_Space ? QStringLiteral(" ") : QString());
        };
    };
    auto onThe15th = [](bool twice) -> Input {
        return [twice](QTableView* grid) {
            const QPointF at = grid->visualRect(cellOf(grid, 15)).center();
            twice ? widgetevents::doubleClick(grid->viewport(), at) : widgetevents::click(grid->viewport(), at);
        };
    };
    const struct {
        const char* what;
        Input input;
        std::vector<QDate> shown;
        QDate value;
    } cases[] = {
        {"the arrows only move the highlight", keys({Qt::Key_Right, Qt::Key_Right, Qt::Key_Down}), {}, {2025, 3, 19}},
        {"Enter", keys({Qt::Key_Right, Qt::Key_Return}), {{2025, 3, 11}}, {2025, 3, 11}},
        {"the keypad's Enter", keys({Qt::Key_Left, Qt::Key_Enter}), {{2025, 3, 9}}, {2025, 3, 9}},
        {"Space", keys({Qt::Key_Down, Qt::Key_Space}), {{2025, 3, 17}}, {2025, 3, 17}},
        {"a double click", onThe15th(true), {{2025, 3, 15}}, {2025, 3, 15}},
        {"a click, then Enter",
         [&](QTableView* grid) {
             onThe15th(false)(grid);
             keys({Qt::Key_Return})(grid);
         },
         {{2025, 3, 15}, {2025, 3, 15}},
         {2025, 3, 15}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MonthView calendar;
        calendar.resize(300, 220);
        calendar.show();
        calendar.SetValue(QDate(2025, 3, 10));
        std::vector<QDate> shown;
        QObject::connect(&calendar, &MonthView::DateClick, [&](const QDate& d) { shown.push_back(d); });
        auto* grid = calendar.findChild<QTableView*>();
        ASSERT_NE(grid, nullptr);
        c.input(grid);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(calendar.Value(), c.value);
    }
}

TEST(DateTimePickers, ValuesAndTheirTexts) {
    DatePicker date;
    date.SetValue(QDate(2025, 3, 5));
    EXPECT_EQ(date.text(), QStringLiteral("05 March, 2025"));
    EXPECT_EQ(date.Value(), QDate(2025, 3, 5));
    // Every day a stored day key can name is a value.
    date.SetValue(QDate(1700, 1, 1));
    EXPECT_EQ(date.Value(), QDate(1700, 1, 1));

    TimePicker time;
    EXPECT_TRUE(time.SetValueText(QStringLiteral("2:30 PM")));
    EXPECT_EQ(time.Value(), QTime(14, 30, 0));
    EXPECT_EQ(time.ValueText(), QStringLiteral("02:30:00 PM"));
    EXPECT_EQ(time.text(), QStringLiteral("02:30:00 PM"));
    EXPECT_TRUE(time.SetValueText(QStringLiteral("09:05:07 AM")));
    EXPECT_EQ(time.Value(), QTime(9, 5, 7));
    EXPECT_FALSE(time.SetValueText(QStringLiteral("soon")));
    EXPECT_EQ(time.Value(), QTime(9, 5, 7)) << "a text with no time leaves the value";
    time.SetValue(QTime(0, 0, 0));
    EXPECT_EQ(time.ValueText(), QStringLiteral("12:00:00 AM"));
}

TEST(DateTimePickers, ATimeTypedWholeOrInPartsIsTakenAndNonsenseIsNot) {
    enum Start { Whole, Hour, Minute, Home }; // Home: the key, struck on the minutes
    const struct {
        Start start;
        const char* typed; // "<" is Backspace
        const char* shown;
        QTime value = QTime(9, 0, 1);
        Qt::Key end = Qt::Key_Return;
    } cases[] = {
        {Hour, "", "10:00:01 AM", QTime(9, 0, 1), Qt::Key_Up},
        {Minute, "", "09:01:01 AM", QTime(9, 0, 1), Qt::Key_Up},
        {Hour, "10:01:30 AM", "10:01:30 AM", QTime(9, 0, 1), Qt::Key_Tab},
        // An arrow ends the typing and steps the hour, where the typing began.
        {Whole, "10:01:30 AM", "11:01:30 AM", QTime(9, 0, 1), Qt::Key_Up},
        {Whole, "10:01:30 AM", "10:01:30 AM"},
        {Whole, "10:01:30AM", "10:01:30 AM"},
        {Whole, "10:01:30", "10:01:30 AM", QTime(21, 0, 1)},
        {Hour, "10:01:30 AM", "10:01:30 AM"},
        {Hour, "14:01:30", "02:01:30 PM"},
        {Hour, "2:30 pm", "02:30:00 PM"},
        {Hour, "10:01:30 p", "10:01:30 PM"},
        {Hour, "10:02<1", "10:01:00 AM"},
        {Home, "3:15pm", "03:15:00 PM"},
        // An hour alone keeps the rest, and the half of the day unless named.
        {Hour, "11", "11:00:01 PM", QTime(21, 0, 1)},
        {Hour, "3 am", "03:00:01 AM", QTime(21, 0, 1)},
        // Typing from another part changes it, its separators moving on once.
        {Minute, "15", "09:15:01 AM"},
        {Minute, "15:30 PM", "09:15:30 PM"},
        {Minute, "1:3", "09:01:03 AM"},
        {Whole, "25:00", "09:00:01 AM"},
        {Whole, "10:61", "09:00:01 AM"},
        {Whole, "13:00 pm", "09:00:01 AM"},
        {Whole, "91:1:2:3", "09:00:01 AM"},
        {Hour, "10:01:30 AMx", "10:01:30 AM"},
        {Hour, "1", "01:00:01 AM"},
        {Hour, ":", "09:00:01 AM"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " from part " + std::to_string(c.start));
        QWidget window;
        auto* picker = new TimePicker(&window);
        window.show();
        QApplication::setActiveWindow(&window);
        picker->setFocus();
        picker->SetValue(c.value);
        if (c.start == Whole)
            picker->selectAll();
        else
            picker->setSelectedSection(c.start == Hour ? QDateTimeEdit::HourSection : QDateTimeEdit::MinuteSection);
        if (c.start == Home)
            QTest::keyClick(picker, Qt::Key_Home);
        // Typed as on a keyboard, where Shift goes down before a colon or a capital.
        for (QChar ch : QString::fromLatin1(c.typed)) {
            const bool shifted = ch == QLatin1Char(':') || ch.isUpper();
            if (shifted)
                QTest::keyPress(picker, Qt::Key_Shift);
            if (ch == QLatin1Char('<'))
                QTest::keyClick(picker, Qt::Key_Backspace);
            else
                QTest::keyClicks(picker, ch, shifted ? Qt::ShiftModifier : Qt::NoModifier);
            if (shifted)
                QTest::keyRelease(picker, Qt::Key_Shift, Qt::ShiftModifier);
        }
        QTest::keyClick(picker, c.end);
        EXPECT_EQ(picker->ValueText().toStdString(), c.shown);
        EXPECT_EQ(picker->text().toStdString(), c.shown);
    }
}

TEST(DateTimePickers, TheDropDownCalendarShowsNoWeekNumbers) {
    DatePicker date;
    date.resize(200, 24);
    date.show();
    date.SetValue(QDate(2025, 3, 5));
    // Pressed on its arrow, as a person opens it.
    widgetevents::press(&date, QPointF(date.width() - 6, date.height() / 2.0));
    QCalendarWidget* calendar = date.calendarWidget();
    ASSERT_NE(calendar, nullptr);
    EXPECT_TRUE(calendar->isVisible());
    EXPECT_EQ(calendar->verticalHeaderFormat(), QCalendarWidget::NoVerticalHeader);
    EXPECT_EQ(calendar->selectedDate(), QDate(2025, 3, 5));
}
