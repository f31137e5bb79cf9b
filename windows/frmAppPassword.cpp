#include "windows/frmAppPassword.h"

#include "controls/XPButton.h"
#include "data/mFunctionsServices.h"
#include "data/mGeneralFunctions.h"
#include "platform/Ui.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/TextBox.h"
#include "windows/DialogKeys.h"
#include "windows/TitledEditor.h"
#include "windows/frmMain.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <cstdlib>

using platform::MsgStyle;

frmAppPassword::frmAppPassword() : FormWidget(QStringLiteral("frmAppPassword")) {
    makeFixedDialog();
    setWindowTitle(QStringLiteral("Veltrane :: Application Password"));

    // The status bar stands at the dialog's foot, across its whole width.
    QVBoxLayout* outer = nullptr;
    QVBoxLayout* layout = titled_editor::ContentColumn(this, outer);
    lblInfo = new QLabel(QStringLiteral("This Application is protected by an Access Password. Please enter the "
                                        "Password to continue (Passwords are case sensitive):"),
                         this);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    lblInfo->setWordWrap(true);
    layout->addWidget(lblInfo);

    auto* row = new QHBoxLayout;
    txtPassword = new platform::TextBox(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->SetPasswordChar(QStringLiteral("*"));
    txtPassword->installEventFilter(this);
    // The sentence above the box is its description; its name is short.
    txtPassword->setAccessibleName(QStringLiteral("Application Access Password"));
    txtPassword->setAccessibleDescription(lblInfo->text());
    row->addWidget(txtPassword, 1);
    btnOk = new XPButton(this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setCaption(QStringLiteral("&OK"));
    btnOk->setFixedSize(100, 26);
    row->addWidget(btnOk);
    layout->addLayout(row);

    layout->addStretch(1);
    ucSBarPassword = new platform::StatusBar(this);
    ucSBarPassword->setObjectName(QStringLiteral("ucSBarPassword"));
    ucSBarPassword->setSizeGripEnabled(false);
    ucSBarPassword->AddPanel(QStringLiteral("Veltrane"), 1440, platform::StatusBar::sbrSpring);
    outer->addWidget(ucSBarPassword);

    connect(btnOk, &XPButton::Click, this, &frmAppPassword::btnOk_Click);
    // Escape is the close box: the prompt has no Cancel button.
    dialog_keys::Bind(this, btnOk, [this]() { close(); });
    resize(420, 130);
}

void frmAppPassword::Form_Load() {
    if (mGeneralFunctions::IsFormLoadedVisible(QStringLiteral("frmMain")))
        btnOk->setCaption(QStringLiteral("Verify"));
}

bool frmAppPassword::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtPassword && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            btnOk_Click();
            return true;
        }
    }
    return FormWidget::eventFilter(watched, event);
}

namespace {

// A start the prompt cannot let go on: why, on standard error and in the box,
// then the program ends with a failure status.
[[noreturn]] void endStart(const QString& text, const QString& title) {
    platform::ReportFailure(text, title);
    platform::MsgBox(text, MsgStyle::Critical, title);
    mGeneralFunctions::UnloadAllForms();
    platform::EndProcess(EXIT_FAILURE);
}

} // namespace

void frmAppPassword::btnOk_Click() {
    const QString typed = txtPassword->Text();
    if (mGeneralFunctions::IsBlank(typed)) {
        platform::MsgBox(QStringLiteral("Please specify Application Access Password. Also, note that Password is cAsE "
                                        "SenSiTive."),
                         MsgStyle::Information, QStringLiteral("Password?"));
        return;
    }
    const QString stored = mFunctions::AccessAppPassword(false, QString());
    if (stored.startsWith(QLatin1String("ERR#"))) {
        endStart(stored.mid(stored.indexOf(QLatin1Char('#')) + 1),
                 QStringLiteral("Authentication can't be processed!"));
    }
    if (typed != stored) {
        if (platform::MsgBox(QStringLiteral("The Password which you have entered is not correct. Please note that "
                                            "Passwords are case sensitive. Would you like to try again?"),
                             MsgStyle::YesNoQuestion, QStringLiteral("Wrong Password!")) == platform::MsgAnswer::Yes)
            return;
        endStart(QStringLiteral("Application access-level Authentication failed! Application can not be started."),
                 QStringLiteral("Authentication Failed!"));
    }
    // The main window opens before the prompt goes, so the program never
    // finds itself without a window in between.
    if (!mGeneralFunctions::IsFormLoadedVisible(QStringLiteral("frmMain")))
        platform::Forms::Get<frmMain>().Show();
    unloadForm();
}
