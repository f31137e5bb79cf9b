#include "platform/ui/MonthView.h"

#include <QLocale>
#include <QResizeEvent>

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

void MonthView::resizeEvent(QResizeEvent* event) {
    QCalendarWidget::resizeEvent(event);
    // A calendar as narrow as the side bar's has no room for "Wed"; it then
    // names the days by their first letter rather than cutting the names off.
    int widest = 0;
    for (int day = Qt::Monday; day <= Qt::Sunday; ++day)
        widest = std::max(widest, fontMetrics().horizontalAdvance(QLocale().dayName(day, QLocale::ShortFormat)));
    const int cell = event->size().width() / 7;
    const int margin = 2 * fontMetrics().averageCharWidth();
    setHorizontalHeaderFormat(widest + margin <= cell ? QCalendarWidget::ShortDayNames
                                                      : QCalendarWidget::SingleLetterDayNames);
}

} // namespace platform
