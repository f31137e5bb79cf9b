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
}

void DatePicker::preparePopup() {
    // The drop-down calendar costs more to make than the rest of an editor,
    // so it is made when the person first reaches for the picker.
    if (m_popupReady || !calendarPopup())
        return;
    m_popupReady = true;
    if (QCalendarWidget* calendar = calendarWidget())
        calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
}

void DatePicker::mousePressEvent(QMouseEvent* event) {
    preparePopup();
    QDateEdit::mousePressEvent(event);
}

void DatePicker::keyPressEvent(QKeyEvent* event) {
    preparePopup();
    QDateEdit::keyPressEvent(event);
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
