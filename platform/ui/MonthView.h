#pragma once

#include <QCalendarWidget>
#include <QDate>

class QTableView;

namespace platform {

// A month calendar: the chosen day is Value; a click on a day raises
// DateClick with that day, and so do Enter and Space on the highlighted day.
// The arrow keys only move the highlight. Setting Value from code raises
// nothing.
class MonthView : public QCalendarWidget {
    Q_OBJECT
public:
    explicit MonthView(QWidget* parent = nullptr);

    QDate Value() const { return selectedDate(); }
    // Chooses the day and shows its month.
    void SetValue(const QDate& date);

signals:
    void DateClick(const QDate& date);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* m_days = nullptr;
    // The last key or button the grid of days was given was the mouse's.
    bool m_byMouse = false;
};

} // namespace platform
