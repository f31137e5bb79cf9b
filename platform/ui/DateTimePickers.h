#pragma once

#include <QDate>
#include <QDateEdit>
#include <QString>
#include <QTime>
#include <QTimeEdit>

namespace platform {

// A date picker: a date box with a drop-down month calendar. Value is the
// chosen day; CustomFormat shows it, in the letters the forms use ("dd MMMM,
// yyyy": two-digit day, full month name, four-digit year).
class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);

    QDate Value() const { return date(); }
    void SetValue(const QDate& value) { setDate(value); }

    QString CustomFormat() const { return displayFormat(); }
    void SetCustomFormat(const QString& format) {
        // Setting a format lays the text out anew, even the same format.
        if (format != displayFormat())
            setDisplayFormat(format);
    }

    QString Tag() const { return m_tag; }
    void SetTag(const QString& tag) { m_tag = tag; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void preparePopup();
    QString m_tag;
    bool m_popupReady = false;
};

// A time picker: a time of day with hours, minutes and seconds, shown on the
// 12-hour clock as the organiser writes times ("02:30:00 PM").
class TimePicker : public QTimeEdit {
    Q_OBJECT
public:
    explicit TimePicker(QWidget* parent = nullptr);

    QTime Value() const { return time(); }
    void SetValue(const QTime& value) { setTime(value); }
    // Takes a stored time text, read leniently (12 or 24 hours, seconds
    // optional); a text holding no time leaves the value as it was and gives
    // false.
    bool SetValueText(const QString& text);
    // The value written as the organiser stores times.
    QString ValueText() const;

    QString Tag() const { return m_tag; }
    void SetTag(const QString& tag) { m_tag = tag; }

private:
    QString m_tag;
};

} // namespace platform
