#pragma once

#include "windows/FormBase.h"

class QLabel;
class XPButton;
namespace platform {
class StatusBar;
class TextBox;
} // namespace platform

// Asks for the access password: at start-up before the main window opens, and
// once more when protection is switched on from the main window, where its
// button reads "Verify".
class frmAppPassword : public FormWidget {
    Q_OBJECT
public:
    frmAppPassword();

    platform::TextBox* txtPassword = nullptr;
    XPButton* btnOk = nullptr;
    QLabel* lblInfo = nullptr;
    platform::StatusBar* ucSBarPassword = nullptr;

    void btnOk_Click();

protected:
    void Form_Load() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
