#include "platform/ui/DateTimePickers.h"

#include "platform/Text.h"

#include <QCalendarWidget>

namespace platform {

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent) {
    setCalendarPopup(true);
    // The calendar's whole range, from the first year a date picker knew.
    setMinimumDate(QDate(1601, 1, 1));
    setMaximumDate(QDate(9999, 12, 31));
    setDisplayFormat(QStringLiteral("dd MMMM, yyyy"));
    if (QCalendarWidget* calendar = calendarWidget())
        calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
}

TimePicker::TimePicker(QWidget* parent) : QTimeEdit(parent) {
    setDisplayFormat(QStringLiteral("hh:mm:ss AP"));
}

bool TimePicker::SetValueText(const QString& text) {
    const QTime t = ParseTimeLenient(text);
    if (!t.isValid())
        return false;
    setTime(t);
    return true;
}

QString TimePicker::ValueText() const {
    return FormatSystemTime(time());
}

} // namespace platform
