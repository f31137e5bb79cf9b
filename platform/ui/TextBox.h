#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>

namespace platform {

// Text boxes as the organiser's forms use them. MaxLength limits what the user
// can type, paste or drop (0: no limit); text set by code is never cut, so a
// stored value longer than the limit survives an edit of another field.
// Control characters the user types, pastes or drops are dropped, all but tab
// in a single-line box and all but tab, CR and LF in a multi-line one.

// A single-line text box.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    QString Text() const { return text(); }
    void SetText(const QString& text);

    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int maxLength);

    // The masking character: empty shows the text, any other hides it.
    QString PasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(const QString& mask);

    // Hidden text of the form's own.
    QString Tag() const { return m_tag; }
    void SetTag(const QString& tag) { m_tag = tag; }

private:
    class Limit;
    friend class Limit;

    int m_maxLength = 0;
    QString m_passwordChar;
    QString m_tag;
    // The text before the edit being checked, and whether code is setting it.
    QString m_lastText;
    bool m_settingByCode = false;
};

// A multi-line text box. Its text is handed out with CR LF line breaks, and
// text given to it may break lines with CR LF, LF or CR alone. A line break
// counts as two characters towards MaxLength, as CR LF.
class MultiLineTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MultiLineTextBox(QWidget* parent = nullptr);

    QString Text() const;
    void SetText(const QString& text);
    // The length of Text().
    int TextLength() const;

    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int maxLength) { m_maxLength = maxLength < 0 ? 0 : maxLength; }

    QString Tag() const { return m_tag; }
    void SetTag(const QString& tag) { m_tag = tag; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // What of an insertion fits in place of the selection.
    QString fitting(const QString& insertion) const;

    int m_maxLength = 0;
    QString m_tag;
};

} // namespace platform
