#include "WindowsFixture.h"

#include "Keystrokes.h"
#include "controls/XPButton.h"
#include "platform/ui/TextBox.h"
#include "windows/frmAbout.h"
#include "windows/frmAppPassword.h"
#include "windows/frmChangePassword.h"
#include "windows/frmNotes.h"
#include "windows/frmPassword.h"
#include "windows/frmTasks.h"

#include <QComboBox>
#include <QPointer>
#include <functional>

using testsupport::Strike;

namespace {

QStringList titlesOf(const std::vector<testsupport::RecordedBox>& boxes) {
    QStringList out;
    for (const auto& b : boxes)
        out << b.title;
    return out;
}

} // namespace

TEST_F(WindowsTest, EnterPressesTheDialogsButtonOutsideAMultiLineBoxAndEscapeCancels) {
    openMain();
    // Where the key is struck in a freshly opened editor, and what follows.
    const struct {
        const char* what;
        std::function<void()> open;
        std::function<QWidget*(QWidget*)> field; // null: the dialog's own button with the focus
        Qt::Key key;
        QStringList boxes; // the titles of the boxes that follow, in order
        bool closes;
        QString text; // what the field holds afterwards, when it is a multi-line box
    } cases[] = {
        {"Enter in the task's title saves",
         [] { frmTasks::AddTask(); },
         [](QWidget* w) { return qobject_cast<frmTasks*>(w)->txtTitle; },
         Qt::Key_Return,
         {"Done!"},
         true,
         {}},
        {"Enter in a list saves too",
         [] { frmTasks::AddTask(); },
         [](QWidget* w) { return qobject_cast<frmTasks*>(w)->cmbPriority; },
         Qt::Key_Enter,
         {"Done!"},
         true,
         {}},
        {"Enter in the description starts a line",
         [] { frmTasks::AddTask(); },
         [](QWidget* w) { return qobject_cast<frmTasks*>(w)->txtDesc; },
         Qt::Key_Return,
         {},
         false,
         "Pack\r\n"},
        {"Escape asks before the task editor closes",
         [] { frmTasks::AddTask(); },
         [](QWidget* w) { return qobject_cast<frmTasks*>(w)->txtDesc; },
         Qt::Key_Escape,
         {"Are you sure?"},
         true,
         {}},
        {"Escape on a button is still Cancel",
         [] { frmTasks::AddTask(); },
         nullptr,
         Qt::Key_Escape,
         {"Are you sure?"},
         true,
         {}},
        {"Enter in a note's title runs its checks",
         [] { frmNotes::AddNote(); },
         [](QWidget* w) { return qobject_cast<frmNotes*>(w)->txtTitle; },
         Qt::Key_Return,
         {"Note Text?"},
         false,
         {}},
        {"Escape closes the password editor",
         [] { frmPassword::AddPassword(); },
         [](QWidget* w) { return qobject_cast<frmPassword*>(w)->txtUserName; },
         Qt::Key_Escape,
         {},
         true,
         {}},
        {"Enter in the new password checks it",
         [] { platform::Forms::Get<frmChangePassword>().ShowModal(); },
         [](QWidget* w) { return qobject_cast<frmChangePassword*>(w)->txtNewPassword; },
         Qt::Key_Return,
         {"New Password?"},
         false,
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        r->clear();
        r->answers = {platform::MsgAnswer::Yes};
        bool closed = false;
        QString text;
        r->onModal = [&](QObject* w) {
            auto* dialog = qobject_cast<QWidget*>(w);
            dialog->show();
            QWidget* field = c.field ? c.field(dialog) : dialog->findChild<XPButton*>(QStringLiteral("btnCancel"));
            if (auto* title = dialog->findChild<platform::TextBox*>(QStringLiteral("txtTitle")))
                title->SetText(QString::fromLatin1(c.what).left(40));
            if (auto* box = qobject_cast<platform::MultiLineTextBox*>(field))
                box->SetText(QStringLiteral("Pack"));
            field->setFocus();
            if (auto* box = qobject_cast<platform::MultiLineTextBox*>(field))
                box->moveCursor(QTextCursor::End);
            QPointer<QWidget> still(dialog);
            Strike(field, c.key);
            closed = !still || !still->isVisible();
            if (closed)
                return;
            if (auto* box = qobject_cast<platform::MultiLineTextBox*>(field))
                text = box->Text();
            dialog->close();
        };
        c.open();
        fixture::drain();
        EXPECT_EQ(titlesOf(r->boxes).mid(0, c.boxes.size()), c.boxes);
        EXPECT_EQ(closed, c.closes);
        if (!c.text.isEmpty()) {
            EXPECT_EQ(text, c.text);
        }
    }
}

TEST_F(WindowsTest, EscapeClosesTheAboutBoxAndThePasswordPrompt) {
    openMain();
    const struct {
        const char* what;
        std::function<FormWidget*()> open;
        std::function<bool()> loaded;
    } dialogs[] = {
        {"about box", [] { return &platform::Forms::Get<frmAbout>(); },
         [] { return platform::Forms::IfLoaded<frmAbout>() != nullptr; }},
        {"password prompt", [] { return &platform::Forms::Get<frmAppPassword>(); },
         [] { return platform::Forms::IfLoaded<frmAppPassword>() != nullptr; }},
    };
    for (const auto& d : dialogs) {
        SCOPED_TRACE(d.what);
        FormWidget* dialog = d.open();
        dialog->Show();
        fixture::drain();
        Strike(dialog->findChild<XPButton*>(QStringLiteral("btnOk")), Qt::Key_Escape);
        fixture::drain();
        EXPECT_FALSE(d.loaded());
    }
}
