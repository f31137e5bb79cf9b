#include "platform/ui/TextBox.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>
#include <QValidator>
#include <algorithm>
#include <limits>

namespace platform {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool isBreak(QChar c) {
    return c == QLatin1Char('\n') || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

// Length as the text is handed out: every line break is CR LF, two characters.
int handedOutLength(const QString& text) {
    int n = 0;
    for (QChar c : text)
        n += isBreak(c) ? 2 : 1;
    return n;
}

// The longest start of an insertion that fits into room characters; a line
// break is never split.
QString cutToRoom(const QString& insertion, int room) {
    int used = 0;
    qsizetype i = 0;
    for (; i < insertion.size(); ++i) {
        const int need = isBreak(insertion.at(i)) ? 2 : 1;
        if (used + need > room)
            break;
        used += need;
    }
    return insertion.left(i);
}

int roomLeft(int maxLength, int remaining) {
    if (maxLength <= 0)
        return std::numeric_limits<int>::max();
    return std::max(0, maxLength - remaining);
}

// Control characters are dropped from whatever the user types, pastes or
// drops: most of them cannot be stored in the data file at all. Tab stays, and
// CR and LF stay where lines may break.
bool isDropped(QChar c, bool multiLine) {
    if (c.category() != QChar::Other_Control || c == QLatin1Char('\t'))
        return false;
    return !multiLine || (c != QLatin1Char('\r') && c != QLatin1Char('\n'));
}

QString withoutControls(QString text, bool multiLine) {
    text.removeIf([multiLine](QChar c) { return isDropped(c, multiLine); });
    return text;
}

bool holdsControls(const QString& text, bool multiLine) {
    return std::any_of(text.begin(), text.end(), [multiLine](QChar c) { return isDropped(c, multiLine); });
}

// Line breaks of any kind become the editor's own.
QString toEditorBreaks(QString text) {
    text.replace(kCrLf, QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

// --- TextBox -----------------------------------------------------------------

// Checks every change the user makes, typed, pasted or dropped: control
// characters are taken out of the inserted part, which is then cut to the
// room MaxLength leaves, as a text box with a limit does with a paste that
// does not fit.
class TextBox::Limit : public QValidator {
public:
    explicit Limit(TextBox* box) : QValidator(box), m_box(box) {}

    State validate(QString& input, int& pos) const override {
        if (m_box->m_settingByCode)
            return Acceptable;
        const QString& before = m_box->m_lastText;
        const qsizetype shorter = std::min(before.size(), input.size());
        qsizetype prefix = 0;
        while (prefix < shorter && before.at(prefix) == input.at(prefix))
            ++prefix;
        qsizetype suffix = 0;
        while (suffix < shorter - prefix &&
               before.at(before.size() - 1 - suffix) == input.at(input.size() - 1 - suffix))
            ++suffix;
        const qsizetype kept = prefix + suffix;
        const QString inserted = input.mid(prefix, input.size() - kept);
        QString fits = withoutControls(inserted, false);
        const int room = roomLeft(m_box->m_maxLength, static_cast<int>(kept));
        if (fits.size() > room)
            fits.truncate(room);
        if (fits.size() < inserted.size()) {
            input = input.left(prefix) + fits + input.right(suffix);
            pos = static_cast<int>(prefix + fits.size());
        }
        return Acceptable;
    }

private:
    TextBox* m_box;
};

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    // The line edit's own limit cuts text set by code; the box keeps its own.
    QLineEdit::setMaxLength(std::numeric_limits<int>::max());
    setValidator(new Limit(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& now) { m_lastText = now; });
}

void TextBox::SetText(const QString& text) {
    m_settingByCode = true;
    setText(text);
    m_settingByCode = false;
    m_lastText = this->text();
}

void TextBox::SetMaxLength(int maxLength) {
    m_maxLength = maxLength < 0 ? 0 : maxLength;
}

void TextBox::SetPasswordChar(const QString& mask) {
    m_passwordChar = mask.left(1);
    setEchoMode(m_passwordChar.isEmpty() ? QLineEdit::Normal : QLineEdit::Password);
}

// --- MultiLineTextBox ----------------------------------------------------------

MultiLineTextBox::MultiLineTextBox(QWidget* parent) : QPlainTextEdit(parent) {
    // Tab moves on to the next control, as in the organiser's other boxes.
    setTabChangesFocus(true);
}

QString MultiLineTextBox::Text() const {
    // The raw text keeps characters the plain-text export would change (a
    // no-break space stays one).
    QString raw = document()->toRawText();
    QString out;
    out.reserve(raw.size() + raw.size() / 16);
    for (QChar c : raw) {
        if (isBreak(c))
            out += kCrLf;
        else
            out += c;
    }
    return out;
}

void MultiLineTextBox::SetText(const QString& text) {
    setPlainText(toEditorBreaks(text));
}

int MultiLineTextBox::TextLength() const {
    return handedOutLength(document()->toRawText());
}

QString MultiLineTextBox::fitting(const QString& insertion) const {
    if (m_maxLength <= 0)
        return insertion;
    const int selected = handedOutLength(textCursor().selectedText());
    const int room = roomLeft(m_maxLength, TextLength() - selected);
    return cutToRoom(insertion, room);
}

void MultiLineTextBox::keyPressEvent(QKeyEvent* event) {
    // A key whose text starts with a control character inserts nothing (it is
    // Backspace, Return, a shortcut...); any other text is inserted whole, so
    // its control characters are taken out first.
    const QString text = event->text();
    const bool inserts = !text.isEmpty() && (text.at(0).category() != QChar::Other_Control || text.at(0) == '\t');
    if (inserts && (holdsControls(text, true) || text.contains(QLatin1Char('\r')))) {
        const QString kept = toEditorBreaks(withoutControls(text, true));
        QKeyEvent filtered(event->type(), event->key(), event->modifiers(), kept, event->isAutoRepeat(),
                           static_cast<ushort>(kept.size()));
        keyPressEvent(&filtered);
        event->setAccepted(filtered.isAccepted());
        return;
    }
    if (m_maxLength > 0 && !isReadOnly()) {
        QString typed;
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            typed = QStringLiteral("\n");
        else if (!event->text().isEmpty() && event->text().at(0).isPrint() &&
                 !(event->modifiers() & Qt::ControlModifier))
            typed = event->text();
        if (!typed.isEmpty() && fitting(typed).size() < typed.size()) {
            const QString fits = fitting(typed);
            if (fits.isEmpty() || typed == QStringLiteral("\n")) {
                event->accept();
                return;
            }
            QKeyEvent shortened(event->type(), event->key(), event->modifiers(), fits, event->isAutoRepeat(),
                                static_cast<ushort>(fits.size()));
            QPlainTextEdit::keyPressEvent(&shortened);
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void MultiLineTextBox::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (commit.isEmpty()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    const QString fits = fitting(toEditorBreaks(withoutControls(commit, true)));
    if (fits == commit) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent shortened(event->preeditString(), event->attributes());
    shortened.setCommitString(fits, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&shortened);
}

void MultiLineTextBox::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText() || isReadOnly()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    const QString fits = fitting(toEditorBreaks(withoutControls(source->text(), true)));
    if (fits.isEmpty())
        return;
    QTextCursor cursor = textCursor();
    cursor.insertText(fits);
    setTextCursor(cursor);
    ensureCursorVisible();
}

} // namespace platform
