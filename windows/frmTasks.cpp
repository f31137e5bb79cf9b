#include "windows/frmTasks.h"

#include "controls/XPButton.h"
#include "data/Views.h"
#include "data/cRC4.h"
#include "data/mFunctions.h"
#include "data/mGeneralFunctions.h"
#include "data/mTasks.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "platform/ui/DateTimePickers.h"
#include "platform/ui/MonthView.h"
#include "platform/ui/TextBox.h"
#include "windows/DayEditor.h"
#include "windows/EditorParts.h"
#include "windows/frmSideBar.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <tuple>

using platform::MsgStyle;

namespace {

// A stored code as the list's entry, or no entry when it names none.
void selectCode(QComboBox* list, const QString& stored) {
    bool ok = false;
    const int code = stored.trimmed().toInt(&ok);
    list->setCurrentIndex(ok && code >= 0 && code < list->count() ? code : -1);
}

// The list's entry as a code's text; "-1" while it shows none.
QString codeShown(const QComboBox* list) {
    return QString::number(list->currentIndex());
}

QString dayKeyOf(const platform::DatePicker* picker) {
    return platform::FormatDatePattern(picker->Value(), QStringLiteral("dd-mm-yyyy"));
}

} // namespace

frmTasks::frmTasks() : FormWidget(QStringLiteral("frmTasks")) {
    makeFixedDialog();

    auto* layout = new QVBoxLayout(this);

    txtTitle = editor_parts::FramedBox<platform::TextBox>(this, layout, QStringLiteral("&Title ... "), "txtTitle", 0);

    auto* row = new QHBoxLayout;
    QGroupBox* dateFrame = new QGroupBox(QStringLiteral("D&ate ... "), this);
    ucDTPicker = day_editor::DayPicker(dateFrame);
    auto* dateLayout = new QVBoxLayout(dateFrame);
    dateLayout->addWidget(editor_parts::InfoLabel(QStringLiteral("Select Date for Task:"), dateFrame, ucDTPicker));
    dateLayout->addWidget(ucDTPicker);
    dateLayout->addStretch(1);
    row->addWidget(dateFrame, 1);

    QGroupBox* detailsFrame = new QGroupBox(QStringLiteral("D&etails ... "), this);
    cmbPriority = editor_parts::CodeList(detailsFrame, "cmbPriority", mFunctions::GetPriorityText, 4);
    cmbStatus = editor_parts::CodeList(detailsFrame, "cmbStatus", mFunctions::GetTaskStatusText, 6);
    auto* detailsLayout = new QGridLayout(detailsFrame);
    detailsLayout->addWidget(editor_parts::InfoLabel(QStringLiteral("Priority:"), detailsFrame, cmbPriority), 0, 0);
    detailsLayout->addWidget(cmbPriority, 0, 1);
    detailsLayout->addWidget(editor_parts::InfoLabel(QStringLiteral("Status:"), detailsFrame, cmbStatus), 1, 0);
    detailsLayout->addWidget(cmbStatus, 1, 1);
    detailsLayout->setColumnStretch(1, 1);
    row->addWidget(detailsFrame, 1);
    layout->addLayout(row);

    txtDesc = day_editor::AddTextBox(this, layout, QStringLiteral("&Description ... "), "txtDesc");
    txtRemarks = day_editor::AddTextBox(this, layout, QStringLiteral("&Remarks ... "), "txtRemarks");
    std::tie(btnSave, btnCancel) = day_editor::AddButtons(this, layout);

    connect(btnSave, &XPButton::Click, this, &frmTasks::btnSave_Click);
    connect(btnCancel, &XPButton::Click, this, &frmTasks::btnCancel_Click);
    resize(520, 560);
}

void frmTasks::AddTask() {
    day_editor::Open(0, &frmTasks::TaskDate, &frmTasks::TaskTitle);
}

void frmTasks::EditTask(const QString& sDate, const QString& sTitle) {
    day_editor::Open(1, &frmTasks::TaskDate, &frmTasks::TaskTitle, sDate, sTitle);
}

void frmTasks::Form_Load() {
    if (ShowMode != 0) {
        setWindowTitle(QStringLiteral("Edit Task Details ..."));
        btnSave->setCaption(QStringLiteral("&Save Changes"));
        LoadTaskDetails(TaskDate, TaskTitle);
        return;
    }
    setWindowTitle(QStringLiteral("Add New Task ..."));
    btnSave->setCaption(QStringLiteral("&Save Task"));
    ucDTPicker->SetValue(UseForm<frmSideBar>().ucCalender->Value());
    cmbPriority->setCurrentIndex(2);
    cmbStatus->setCurrentIndex(0);
}

void frmTasks::LoadTaskDetails(const QString& sDate, const QString& sTitle) {
    const TaskRecord rec = mTasks::GetTask(sDate, sTitle);
    const QDate day = mGeneralFunctions::GetDateOnly(rec.Date);
    if (!day.isValid()) {
        // The task is gone; the store has said so. There is nothing to edit.
        unloadForm();
        return;
    }
    txtTitle->SetText(rec.Title);
    txtTitle->SetTag(rec.Title);
    txtDesc->SetText(DecipherOptionalField(rec.Desc));
    txtRemarks->SetText(DecipherOptionalField(rec.Remarks));
    selectCode(cmbPriority, rec.Priority);
    selectCode(cmbStatus, rec.Status);
    ucDTPicker->SetValue(day);
    ucDTPicker->SetTag(rec.Date);
    m_read.day = {rec.Date, dayKeyOf(ucDTPicker)};
    m_read.title = {rec.Title, txtTitle->Text()};
    m_read.desc = {rec.Desc, txtDesc->Text()};
    m_read.remarks = {rec.Remarks, txtRemarks->Text()};
    m_read.priority = {rec.Priority, codeShown(cmbPriority)};
    m_read.status = {rec.Status, codeShown(cmbStatus)};
}

void frmTasks::btnSave_Click() {
    if (editor_parts::TitleMissing(txtTitle, QStringLiteral("Please specify Title for the Task ...")))
        return;
    if (!day_editor::DayAccepted(ucDTPicker->Value(),
                                 QStringLiteral("You have selected a Past Date to add new Task. Are you sure you want "
                                                "to add Task for this past date?")))
        return;
    const QString dayKey = m_read.day.StoredFor(dayKeyOf(ucDTPicker), dayKeyOf(ucDTPicker));
    if (day_editor::TitleTaken(ShowMode, ucDTPicker, txtTitle, dayKey, mTasks::TaskTitleExists)) {
        platform::MsgBox(QStringLiteral("Task with same title already exists in Information Database."),
                         MsgStyle::Information, QStringLiteral("Duplicate Title!"));
        return;
    }

    TaskRecord rec;
    rec.Date = dayKey;
    rec.Title = m_read.title.StoredFor(txtTitle->Text(), txtTitle->Text());
    rec.Desc = m_read.desc.StoredFor(txtDesc->Text(), EncipherOptionalField(txtDesc->Text()));
    rec.Status = m_read.status.StoredFor(codeShown(cmbStatus), codeShown(cmbStatus));
    rec.Priority = m_read.priority.StoredFor(codeShown(cmbPriority), codeShown(cmbPriority));
    rec.Remarks = m_read.remarks.StoredFor(txtRemarks->Text(), EncipherOptionalField(txtRemarks->Text()));

    bool changed = false;
    if (!day_editor::Store(ShowMode, rec, ucDTPicker->Tag(), txtTitle->Tag(), mTasks::SaveTask, mTasks::DeleteTask,
                           mTasks::TaskTitleExists, changed))
        return;
    if (ShowMode == 0) {
        platform::MsgBox(QStringLiteral("New Task added Successfully!"), MsgStyle::Information,
                         QStringLiteral("Done!"));
        day_editor::ShowSaved(mFunctions::ViewTasks, 0, dayKey, ucDTPicker->Value());
    } else {
        platform::MsgBox(QStringLiteral("Task Details changed Successfully!"), MsgStyle::Information,
                         QStringLiteral("Done!"));
        day_editor::ShowDay(dayKey, ucDTPicker->Value());
    }
    unloadForm();
}

void frmTasks::btnCancel_Click() {
    day_editor::ConfirmCancel(*this);
}
