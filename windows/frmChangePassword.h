#pragma once

#include "windows/FormBase.h"

#include <QList>

class QLabel;
class XPButton;
namespace platform {
class TextBox;
}

// Sets the first access password, or changes the stored one after the
// current one is typed.
class frmChangePassword : public FormWidget {
    Q_OBJECT
public:
    frmChangePassword();

    platform::TextBox* txtOldPassword = nullptr;
    platform::TextBox* txtNewPassword = nullptr;
    platform::TextBox* txtConfPassword = nullptr;
    // Element 0 labels the current-password box.
    QList<QLabel*> lblInfo;
    XPButton* btnOk = nullptr;
    XPButton* btnCancel = nullptr;

    void btnOk_Click();
    void btnCancel_Click();

protected:
    void Form_Load() override;

private:
    // Stores the password and reads it back; false, after saying why, when the
    // configuration file did not take it.
    bool storeAndVerify(const QString& password, QString& readBack);

    bool FirstTime = false;
};
