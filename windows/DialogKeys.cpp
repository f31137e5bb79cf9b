#include "windows/DialogKeys.h"

#include "controls/XPButton.h"

#include <QKeyEvent>
#include <QPointer>
#include <QShortcut>
#include <QWidget>

namespace dialog_keys {

namespace {

// Sees the Enter keys the focused field let go up to the dialog.
class EnterKey : public QObject {
public:
    EnterKey(QWidget* dialog, XPButton* act) : QObject(dialog), m_act(act) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!enter || (key->modifiers() & ~Qt::KeypadModifier) || !m_act || !m_act->isVisible())
            return false;
        m_act->Press();
        return true;
    }

private:
    QPointer<XPButton> m_act;
};

} // namespace

void Bind(QWidget* dialog, XPButton* act, std::function<void()> escape) {
    if (act)
        dialog->installEventFilter(new EnterKey(dialog, act));
    // A shortcut, not a key handler: the buttons keep every key they are given.
    auto* cancel = new QShortcut(QKeySequence(Qt::Key_Escape), dialog);
    QObject::connect(cancel, &QShortcut::activated, dialog, std::move(escape));
}

void Bind(QWidget* dialog, XPButton* act, XPButton* cancel) {
    QPointer<XPButton> button(cancel);
    Bind(dialog, act, [button]() {
        if (button)
            button->Press();
    });
}

} // namespace dialog_keys
