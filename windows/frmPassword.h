#pragma once

#include "windows/FormBase.h"
#include "windows/ReadValue.h"

#include <QList>
#include <QString>
#include <cstdint>

class QLabel;
class XPButton;
namespace platform {
class MultiLineTextBox;
class StatusBar;
class TextBox;
} // namespace platform

// The dialog that adds a password entry or edits the entry of a title. The
// opener sets ShowMode (0 add, any other value edit) and, to edit,
// PasswordTitle, then shows it modally.
class frmPassword : public FormWidget {
    Q_OBJECT
public:
    frmPassword();

    int32_t ShowMode = 0;
    QString PasswordTitle;

    // Shows the default editor modally, empty or on a stored entry.
    static void AddPassword();
    static void EditPassword(const QString& sTitle);

    // Fills the fields from the stored entry titled PasswordTitle.
    void LoadPasswordData();

    platform::TextBox* txtTitle = nullptr;
    platform::TextBox* txtUserName = nullptr;
    platform::TextBox* txtPassword = nullptr;
    platform::TextBox* txtURL = nullptr;
    platform::MultiLineTextBox* txtNotes = nullptr;
    // 0 "User Name:", 1 "Password:".
    QList<QLabel*> lblInfo;
    XPButton* btnCreate = nullptr;
    XPButton* btnCancel = nullptr;
    platform::StatusBar* ucSBarNotes = nullptr;

    void btnCreate_Click();
    void btnCancel_Click();
    void lblInfo_Click(int16_t Index);

protected:
    void Form_Load() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setPasswordMask(const QString& mask);

    // What edit mode read, so the values the person leaves as they were are
    // saved as read.
    struct {
        ReadValue title, userName, password, url, notes;
    } m_read;
};
