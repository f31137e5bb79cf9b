#pragma once

#include <QCalendarWidget>
#include <QDate>

namespace platform {

// A month calendar: the chosen day is Value; a click on a day raises
// DateClick with that day. Setting Value from code raises nothing.
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
};

} // namespace platform
