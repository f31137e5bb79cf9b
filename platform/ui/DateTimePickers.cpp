#include "platform/ui/DateTimePickers.h"

#include "platform/Text.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <utility>

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

namespace {

// Long enough for "10:01:30 p.m." and a slip or two.
constexpr int kLongestTyped = 16;

bool isTimeCharacter(QChar c) {
    return c.isDigit() || QStringLiteral(":. aApPmM").contains(c);
}

bool isModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
           key == Qt::Key_AltGr || key == Qt::Key_CapsLock || key == Qt::Key_NumLock;
}

bool isSeparator(QChar c) {
    return c == QLatin1Char(':') || c == QLatin1Char('.') || c == QLatin1Char(' ');
}

// A time typed over the field: a whole time, or an hour alone that keeps the
// minutes and seconds shown and, unless another is named, the half of the day.
QTime typedTime(QString typed, const QTime& shown) {
    typed = typed.trimmed();
    // The field's own AM/PM part takes a lone "a" or "p".
    if (typed.endsWith(QLatin1Char('a'), Qt::CaseInsensitive) || typed.endsWith(QLatin1Char('p'), Qt::CaseInsensitive))
        typed += QLatin1Char('m');
    const QTime whole = ParseTimeLenient(typed, true);
    if (whole.isValid())
        return whole;
    static const QRegularExpression hourOnly(QStringLiteral("^(\\d{1,2})\\s*(?:([AaPp])[Mm])?$"));
    const QRegularExpressionMatch m = hourOnly.match(typed);
    if (!m.hasMatch())
        return QTime();
    int hour = m.captured(1).toInt();
    const QString half = m.captured(2);
    if (!half.isEmpty() || (hour >= 1 && hour <= 12)) {
        if (hour < 1 || hour > 12)
            return QTime();
        const bool pm = half.isEmpty() ? shown.hour() >= 12 : half.at(0).toUpper() == QLatin1Char('P');
        hour = hour % 12 + (pm ? 12 : 0);
    }
    return hour <= 23 ? QTime(hour, shown.minute(), shown.second()) : QTime();
}

} // namespace

TimePicker::TimePicker(QWidget* parent) : QTimeEdit(parent) {
    setDisplayFormat(QStringLiteral("hh:mm:ss AP"));
    lineEdit()->installEventFilter(this);
}

void TimePicker::SetValue(const QTime& value) {
    m_typing = false;
    setTime(value);
}

bool TimePicker::SetValueText(const QString& text) {
    const QTime t = ParseTimeLenient(text);
    if (!t.isValid())
        return false;
    SetValue(t);
    return true;
}

QString TimePicker::ValueText() const {
    return FormatSystemTime(time());
}

QValidator::State TimePicker::validate(QString& input, int& pos) const {
    // A time typed whole is read when the typing ends; on the way it need
    // not fit the parts shown.
    if (m_typing)
        return QValidator::Intermediate;
    return QTimeEdit::validate(input, pos);
}

bool TimePicker::event(QEvent* event) {
    // A key with Ctrl or Alt may be a button's access key, which acts before
    // the field hears the key: the typing ends first, so the button's action
    // reads the time typed.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
            !isModifierKey(key->key()))
            endTyping();
    }
    return QTimeEdit::event(event);
}

void TimePicker::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    const bool timeCharacter = plain && text.size() == 1 && isTimeCharacter(text.at(0));
    const bool movedOn = std::exchange(m_movedOn, false);
    if (m_typing) {
        // Shift comes before a colon or a capital.
        if (isModifierKey(event->key()))
            return;
        if (timeCharacter) {
            if (m_typed.size() < kLongestTyped)
                m_typed += text;
            showTyped();
            return;
        }
        if (plain && event->key() == Qt::Key_Backspace) {
            m_typed.chop(1);
            showTyped();
            return;
        }
        // Nothing else belongs in a time.
        if (plain && !text.isEmpty() && text.at(0).isPrint())
            return;
        endTyping();
    } else if (timeCharacter && text.at(0).isDigit() &&
               (currentSection() == HourSection || lineEdit()->selectedText() == lineEdit()->text())) {
        m_typing = true;
        m_typed = text;
        showTyped();
        return;
    } else if (timeCharacter && isSeparator(text.at(0)) && movedOn) {
        // The part was already left by its last digit; the separator that
        // follows it must not skip the next one.
        return;
    }
    const Section before = currentSection();
    QTimeEdit::keyPressEvent(event);
    m_movedOn = timeCharacter && text.at(0).isDigit() && currentSection() != before;
}

void TimePicker::showTyped() {
    // Unheard by the field, which would put its value back on the cursor's
    // first move.
    const QSignalBlocker quiet(lineEdit());
    lineEdit()->setText(m_typed);
    lineEdit()->setCursorPosition(m_typed.size());
}

void TimePicker::endTyping() {
    if (!m_typing)
        return;
    m_typing = false;
    const QTime typed = typedTime(m_typed, time());
    // Set even when unchanged: that shows the value in place of the typing.
    setTime(typed.isValid() ? typed : time());
    // Back where the typing began, for the arrow keys.
    setCurrentSection(HourSection);
}

void TimePicker::focusOutEvent(QFocusEvent* event) {
    endTyping();
    QTimeEdit::focusOutEvent(event);
}

bool TimePicker::focusNextPrevChild(bool next) {
    // Tab after a whole time leaves the field, rather than stepping to one
    // of the parts just typed.
    if (m_typing) {
        endTyping();
        return QAbstractSpinBox::focusNextPrevChild(next);
    }
    return QTimeEdit::focusNextPrevChild(next);
}

void TimePicker::mousePressEvent(QMouseEvent* event) {
    endTyping();
    QTimeEdit::mousePressEvent(event);
}

void TimePicker::wheelEvent(QWheelEvent* event) {
    endTyping();
    QTimeEdit::wheelEvent(event);
}

bool TimePicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress)
        endTyping();
    return QTimeEdit::eventFilter(watched, event);
}

} // namespace platform
