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
// 12-hour clock as the organiser writes times ("02:30:00 PM"). The arrow keys
// step the part under the cursor. Typing that starts on the hour, or over the
// whole text, types a whole time ("10:01:30 AM", "10:01:30am", "10:01:30" on
// the 24-hour clock) or an hour alone; the field takes it when the typing
// ends (Enter, Tab, an arrow key, a click, leaving the field), and goes back
// to its value when what was typed is no time. Typing that starts on another
// part changes that part only.
class TimePicker : public QTimeEdit {
    Q_OBJECT
public:
    explicit TimePicker(QWidget* parent = nullptr);

    QTime Value() const { return time(); }
    void SetValue(const QTime& value);
    // Takes a stored time text, read leniently (12 or 24 hours, seconds
    // optional); a text holding no time leaves the value as it was and gives
    // false.
    bool SetValueText(const QString& text);
    // The value written as the organiser stores times.
    QString ValueText() const;

    QString Tag() const { return m_tag; }
    void SetTag(const QString& tag) { m_tag = tag; }

    QValidator::State validate(QString& input, int& pos) const override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showTyped();
    // The field takes the time typed, or shows its value again.
    void endTyping();

    QString m_tag;
    QString m_typed;
    bool m_typing = false;
    // The last digit typed filled its part and moved on to the next.
    bool m_movedOn = false;
};

} // namespace platform
