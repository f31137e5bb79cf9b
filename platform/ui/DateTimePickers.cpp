#include "platform/ui/DateTimePickers.h"

#include "platform/Text.h"

#include <QCalendarWidget>

namespace platform {

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent) {
    setCalendarPopup(true);
    // Days from 1601 on, as the forms' date pickers take them; Qt's own range starts in 1752.
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
