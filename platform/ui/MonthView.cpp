#include "platform/ui/MonthView.h"

namespace platform {

MonthView::MonthView(QWidget* parent) : QCalendarWidget(parent) {
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setGridVisible(false);
    connect(this, &QCalendarWidget::clicked, this, &MonthView::DateClick);
}

void MonthView::SetValue(const QDate& date) {
    if (!date.isValid())
        return;
    setSelectedDate(date);
    setCurrentPage(date.year(), date.month());
}

} // namespace platform
