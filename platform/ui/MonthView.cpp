#include "platform/ui/MonthView.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QResizeEvent>
#include <QTableView>
#include <QToolButton>

namespace platform {

MonthView::MonthView(QWidget* parent) : QCalendarWidget(parent) {
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setGridVisible(false);
    connect(this, &QCalendarWidget::clicked, this, &MonthView::DateClick);
    // Enter on the highlighted day, or on a day typed in, activates it. A
    // double click activates the day too, but its first click has already
    // shown it.
    connect(this, &QCalendarWidget::activated, this, [this](const QDate& date) {
        if (!m_byMouse)
            emit DateClick(date);
    });
    m_days = findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
    if (m_days) {
        m_days->installEventFilter(this);
        m_days->viewport()->installEventFilter(this);
    }
    // The month buttons show only arrows.
    if (auto* previous = findChild<QToolButton*>(QStringLiteral("qt_calendar_prevmonth")))
        previous->setAccessibleName(QStringLiteral("Previous Month"));
    if (auto* next = findChild<QToolButton*>(QStringLiteral("qt_calendar_nextmonth")))
        next->setAccessibleName(QStringLiteral("Next Month"));
}

void MonthView::SetValue(const QDate& date) {
    if (!date.isValid())
        return;
    setSelectedDate(date);
    setCurrentPage(date.year(), date.month());
}

bool MonthView::eventFilter(QObject* watched, QEvent* event) {
    if (!m_days)
        return QCalendarWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        if (watched == m_days->viewport())
            m_byMouse = true;
        break;
    case QEvent::KeyPress:
        if (watched == m_days) {
            m_byMouse = false;
            auto* key = static_cast<QKeyEvent*>(event);
            // Space does what Enter does; left to the calendar, it would
            // start typing a date.
            if (key->key() == Qt::Key_Space && !(key->modifiers() & ~Qt::KeypadModifier)) {
                QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                QCoreApplication::sendEvent(m_days, &enter);
                return true;
            }
        }
        break;
    default:
        break;
    }
    return QCalendarWidget::eventFilter(watched, event);
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
