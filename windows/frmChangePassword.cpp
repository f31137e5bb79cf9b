#include "windows/frmChangePassword.h"

#include "controls/XPButton.h"
#include "data/mFunctionsServices.h"
#include "data/mGeneralFunctions.h"
#include "platform/Ui.h"
#include "platform/ui/TextBox.h"
#include "windows/EditorParts.h"
#include "windows/frmMain.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <tuple>

using platform::MsgStyle;

namespace {

constexpr int kMinimumLength = 6;

bool isError(const QString& reply) {
    return reply.startsWith(QLatin1String("ERR#"));
}

QString errorText(const QString& reply) {
    return reply.mid(reply.indexOf(QLatin1Char('#')) + 1);
}

void inform(const QString& text, const QString& title) {
    platform::MsgBox(text, MsgStyle::Information, title);
}

} // namespace

frmChangePassword::frmChangePassword() : FormWidget(QStringLiteral("frmChangePassword")) {
    makeFixedDialog();
    setWindowTitle(QStringLiteral("Veltrane :: Application Access Password"));

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const char* captions[] = {"&Current Password:", "&New Password:", "C&onfirm New Password:"};
    const char* names[] = {"txtOldPassword", "txtNewPassword", "txtConfPassword"};
    platform::TextBox* boxes[3];
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(QString::fromUtf8(captions[i]), this);
        label->setObjectName(QStringLiteral("lblInfo"));
        boxes[i] = new platform::TextBox(this);
        boxes[i]->setObjectName(QLatin1String(names[i]));
        boxes[i]->SetPasswordChar(QStringLiteral("*"));
        label->setBuddy(boxes[i]);
        editor_parts::NameAfter(boxes[i], label->text());
        grid->addWidget(label, i, 0);
        grid->addWidget(boxes[i], i, 1);
        lblInfo.append(label);
    }
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    txtOldPassword = boxes[0];
    txtNewPassword = boxes[1];
    txtConfPassword = boxes[2];

    std::tie(btnOk, btnCancel) = editor_parts::AddButtons(this, layout, "btnOk", QStringLiteral("&Change"),
                                                          QStringLiteral("C&ancel"), QSize(100, 26));

    connect(btnOk, &XPButton::Click, this, &frmChangePassword::btnOk_Click);
    connect(btnCancel, &XPButton::Click, this, &frmChangePassword::btnCancel_Click);
    resize(400, 170);
}

void frmChangePassword::Form_Load() {
    if (!mGeneralFunctions::IsBlank(mFunctions::AccessAppPassword(false, QString())))
        return;
    lblInfo[0]->setEnabled(false);
    txtOldPassword->setEnabled(false);
    btnOk->setCaption(QStringLiteral("Done!"));
    FirstTime = true;
}

void frmChangePassword::btnCancel_Click() {
    unloadForm();
}

bool frmChangePassword::storeAndVerify(const QString& password, QString& readBack) {
    const QString stored = mFunctions::AccessAppPassword(true, password);
    if (isError(stored)) {
        platform::MsgBox(errorText(stored), MsgStyle::Critical, QStringLiteral("Password not saved!"));
        return false;
    }
    readBack = mFunctions::AccessAppPassword(false, QString());
    if (!isError(readBack) && readBack == password)
        return true;
    // What the file now holds would not open the program: the password it
    // held before goes back, so the person is never locked out.
    const QString before = FirstTime ? QString() : txtOldPassword->Text();
    const bool putBack = !isError(mFunctions::AccessAppPassword(true, before)) &&
                         mFunctions::AccessAppPassword(false, QString()) == before;
    QString text = isError(readBack) ? errorText(readBack)
                                     : QStringLiteral("The Application Access Password could not be stored as you "
                                                      "typed it: the Password read back from the Application "
                                                      "Configuration File differs.");
    if (!putBack)
        text += QStringLiteral(" The Password held before could not be written back either, so the Application "
                               "Configuration File may now hold a Password that nobody typed.");
    else if (!isError(readBack))
        text += QStringLiteral(" Your Password is not changed.");
    platform::MsgBox(text, MsgStyle::Critical, QStringLiteral("Password not saved!"));
    return false;
}

void frmChangePassword::btnOk_Click() {
    const QString newPassword = txtNewPassword->Text();
    if (txtOldPassword->isEnabled()) {
        if (mGeneralFunctions::IsBlank(txtOldPassword->Text())) {
            inform(QStringLiteral("Please enter your existing Password."), QStringLiteral("Current Password?"));
            return;
        }
        if (txtOldPassword->Text() != mFunctions::AccessAppPassword(false, QString())) {
            inform(QStringLiteral("The current Password which you have specified is incorrect."),
                   QStringLiteral("Wrong Password!"));
            return;
        }
    }
    if (mGeneralFunctions::IsBlank(newPassword)) {
        inform(QStringLiteral("Please specify New Password."), QStringLiteral("New Password?"));
        return;
    }
    if (newPassword.size() < kMinimumLength) {
        inform(QStringLiteral("Please specify password of minimum 6 character in length."),
               QStringLiteral("Too small Password!"));
        return;
    }
    if (mGeneralFunctions::IsBlank(txtConfPassword->Text())) {
        inform(QStringLiteral("Please specify the same New Password once again for confirmation."),
               QStringLiteral("Retype Password for Confirmation ..."));
        return;
    }
    if (newPassword != txtConfPassword->Text()) {
        inform(QStringLiteral("The Password which you have specified as New Password and the one specified for "
                              "Confirmation does not match."),
               QStringLiteral("Password Confirmation failed!"));
        return;
    }

    QString readBack;
    if (!storeAndVerify(newPassword, readBack))
        return;
    if (FirstTime) {
        inform(QStringLiteral("You have successfully set Application Access Password! Now, your Application Access "
                              "Password is: ") +
                   readBack,
               QStringLiteral("Done!"));
        if (!mGeneralFunctions::IsFormLoadedVisible(QStringLiteral("frmMain")))
            platform::Forms::Get<frmMain>().Show();
    } else {
        inform(QStringLiteral("You Application Access Password changed successfully. Now, your Application Access "
                              "Password is: ") +
                   readBack,
               QStringLiteral("Done!"));
    }
    unloadForm();
}
