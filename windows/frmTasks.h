#pragma once

#include "windows/FormBase.h"
#include "windows/ReadValue.h"

#include <QString>
#include <cstdint>

class QComboBox;
class XPButton;
namespace platform {
class DatePicker;
class MultiLineTextBox;
class TextBox;
} // namespace platform

// The dialog that adds a task, or edits the task of a day and title. The
// opener sets ShowMode (0 add, 1 edit) and, to edit, TaskDate and TaskTitle,
// then shows it modally.
class frmTasks : public FormWidget {
    Q_OBJECT
public:
    frmTasks();

    int32_t ShowMode = 0;
    QString TaskDate;
    QString TaskTitle;

    // Shows the default editor modally: empty, to add a task, or on a stored
    // task of a day and title.
    static void AddTask();
    static void EditTask(const QString& sDate, const QString& sTitle);

    // Fills the fields from the stored task.
    void LoadTaskDetails(const QString& sDate, const QString& sTitle);

    platform::TextBox* txtTitle = nullptr;
    platform::DatePicker* ucDTPicker = nullptr;
    QComboBox* cmbPriority = nullptr;
    QComboBox* cmbStatus = nullptr;
    platform::MultiLineTextBox* txtDesc = nullptr;
    platform::MultiLineTextBox* txtRemarks = nullptr;
    XPButton* btnSave = nullptr;
    XPButton* btnCancel = nullptr;

    void btnSave_Click();
    void btnCancel_Click();

protected:
    void Form_Load() override;

private:
    // What edit mode read, so the values the person leaves as they were are
    // saved as read; a code that names no list entry among them.
    struct {
        ReadValue day, title, desc, remarks, priority, status;
    } m_read;
};
