#include "windows/frmMeetings.h"

#include "controls/XPButton.h"
#include "data/Views.h"
#include "data/cRC4.h"
#include "data/mFunctions.h"
#include "data/mGeneralFunctions.h"
#include "data/mMeetings.h"
#include "data/mNotification.h"
#include "platform/Clock.h"
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

void selectCode(QComboBox* list, int16_t code) {
    list->setCurrentIndex(code >= 0 && code < list->count() ? code : -1);
}

int16_t codeOf(const QComboBox* list, int16_t stored) {
    return list->currentIndex() >= 0 ? static_cast<int16_t>(list->currentIndex()) : stored;
}

QString todayKey() {
    return platform::FormatDatePattern(platform::Today(), QStringLiteral("dd-mm-yyyy"));
}

QString dayKeyOf(const platform::DatePicker* picker) {
    return platform::FormatDatePattern(picker->Value(), QStringLiteral("dd-mm-yyyy"));
}

} // namespace

frmMeetings::frmMeetings() : FormWidget(QStringLiteral("frmMeetings")) {
    makeFixedDialog();

    auto* layout = new QVBoxLayout(this);

    txtTitle = editor_parts::FramedBox<platform::TextBox>(this, layout, QStringLiteral("&Title ... "), "txtTitle", 0);

    auto* row = new QHBoxLayout;
    auto* dateFrame = new QGroupBox(QStringLiteral("D&ate ... "), this);
    ucDTPicker = day_editor::DayPicker(dateFrame);
    ucStartTime = new platform::TimePicker(dateFrame);
    ucStartTime->setObjectName(QStringLiteral("ucStartTime"));
    ucEndTime = new platform::TimePicker(dateFrame);
    ucEndTime->setObjectName(QStringLiteral("ucEndTime"));
    auto* dateLayout = new QGridLayout(dateFrame);
    dateLayout->addWidget(editor_parts::InfoLabel(QStringLiteral("Select Date for Task:"), dateFrame, ucDTPicker), 0, 0,
                          1, 2);
    dateLayout->addWidget(ucDTPicker, 1, 0, 1, 2);
    dateLayout->addWidget(editor_parts::InfoLabel(QStringLiteral("Start Time:"), dateFrame, ucStartTime), 2, 0);
    dateLayout->addWidget(ucStartTime, 2, 1);
    dateLayout->addWidget(editor_parts::InfoLabel(QStringLiteral("End Time:"), dateFrame, ucEndTime), 3, 0);
    dateLayout->addWidget(ucEndTime, 3, 1);
    dateLayout->setColumnStretch(1, 1);
    row->addWidget(dateFrame, 1);

    auto* detailsFrame = new QGroupBox(QStringLiteral("D&etails ... "), this);
    cmbMeetFor = editor_parts::CodeList(detailsFrame, "cmbMeetFor", mFunctions::GetMeetingForText, 6);
    cmbPriority = editor_parts::CodeList(detailsFrame, "cmbPriority", mFunctions::GetPriorityText, 4);
    auto* detailsLayout = new QVBoxLayout(detailsFrame);
    detailsLayout->addWidget(editor_parts::InfoLabel(QStringLiteral("Meeting for ..."), detailsFrame, cmbMeetFor));
    detailsLayout->addWidget(cmbMeetFor);
    detailsLayout->addWidget(editor_parts::InfoLabel(QStringLiteral("Priority:"), detailsFrame, cmbPriority));
    detailsLayout->addWidget(cmbPriority);
    detailsLayout->addStretch(1);
    row->addWidget(detailsFrame, 1);
    layout->addLayout(row);

    txtDesc = day_editor::AddTextBox(this, layout, QStringLiteral("&Description ... "), "txtDesc");
    std::tie(btnSave, btnCancel) = day_editor::AddButtons(this, layout);

    connect(btnSave, &XPButton::Click, this, &frmMeetings::btnSave_Click);
    connect(btnCancel, &XPButton::Click, this, &frmMeetings::btnCancel_Click);
    resize(540, 480);
}

void frmMeetings::AddMeeting() {
    day_editor::Open(0, &frmMeetings::MeetingDate, &frmMeetings::MeetingTitle);
}

void frmMeetings::EditMeeting(const QString& sDate, const QString& sTitle) {
    day_editor::Open(1, &frmMeetings::MeetingDate, &frmMeetings::MeetingTitle, sDate, sTitle);
}

void frmMeetings::Form_Load() {
    if (ShowMode != 0) {
        setWindowTitle(QStringLiteral("Reschedule Meeting ..."));
        btnSave->setCaption(QStringLiteral("&Save Changes"));
        LoadMeetingData(MeetingDate, MeetingTitle);
        return;
    }
    setWindowTitle(QStringLiteral("Create New Meeting Schedule ..."));
    btnSave->setCaption(QStringLiteral("&Save Schedule"));
    cmbMeetFor->setCurrentIndex(0);
    cmbPriority->setCurrentIndex(2);
    ucDTPicker->SetValue(UseForm<frmSideBar>().ucCalender->Value());
    ucStartTime->SetValue(platform::Now().time());
    ucEndTime->SetValue(platform::Now().time());
}

void frmMeetings::LoadMeetingData(const QString& sDate, const QString& sTitle) {
    const MeetingRecord rec = mMeetings::GetMeetingDetails(sDate, sTitle);
    const QDate day = mGeneralFunctions::GetDateOnly(rec.Date);
    if (!day.isValid()) {
        // The meeting is gone; the store has said so. There is nothing to edit.
        unloadForm();
        return;
    }
    txtTitle->SetText(rec.Title);
    txtTitle->SetTag(rec.Title);
    txtDesc->SetText(DecipherOptionalField(rec.Desc));
    ucDTPicker->SetValue(day);
    ucDTPicker->SetTag(rec.Date);
    ucStartTime->SetValueText(rec.StartTime);
    ucEndTime->SetValueText(rec.EndTime);
    m_storedMeetFor = rec.MeetFor;
    m_storedPriority = rec.Priority;
    selectCode(cmbMeetFor, rec.MeetFor);
    selectCode(cmbPriority, rec.Priority);
    m_read.day = {rec.Date, dayKeyOf(ucDTPicker)};
    m_read.title = {rec.Title, txtTitle->Text()};
    m_read.desc = {rec.Desc, txtDesc->Text()};
    m_read.start = {rec.StartTime, ucStartTime->ValueText()};
    m_read.end = {rec.EndTime, ucEndTime->ValueText()};
}

void frmMeetings::btnSave_Click() {
    if (editor_parts::TitleMissing(txtTitle, QStringLiteral("Please specify Title for the Meeting ...")))
        return;
    if (!day_editor::DayAccepted(
            ucDTPicker->Value(),
            QStringLiteral("You have selected a Past Date to add new Meeting Schedule. Are you sure?")))
        return;
    if (!mFunctions::IsTimeAfter(ucStartTime->ValueText(), ucEndTime->ValueText())) {
        platform::MsgBox(QStringLiteral("Please check the Start and End Time you have set for Meeting Schedule. It's "
                                        "not correct."),
                         MsgStyle::Information, QStringLiteral("Please check Meeting Timing ..."));
        return;
    }
    const QString dayKey = m_read.day.StoredFor(dayKeyOf(ucDTPicker), dayKeyOf(ucDTPicker));
    if (day_editor::TitleTaken(ShowMode, ucDTPicker, txtTitle, dayKey, mMeetings::MeetingTitleExists)) {
        platform::MsgBox(QStringLiteral("Meeting with same title already exists in Information Database."),
                         MsgStyle::Information, QStringLiteral("Duplicate Title!"));
        return;
    }

    MeetingRecord rec;
    rec.Date = dayKey;
    rec.Title = m_read.title.StoredFor(txtTitle->Text(), txtTitle->Text());
    rec.Desc = m_read.desc.StoredFor(txtDesc->Text(), EncipherOptionalField(txtDesc->Text()));
    rec.StartTime = m_read.start.StoredFor(ucStartTime->ValueText(), ucStartTime->ValueText());
    rec.EndTime = m_read.end.StoredFor(ucEndTime->ValueText(), ucEndTime->ValueText());
    rec.MeetFor = codeOf(cmbMeetFor, m_storedMeetFor);
    rec.Priority = codeOf(cmbPriority, m_storedPriority);

    const QString oldDay = ShowMode == 0 ? dayKey : ucDTPicker->Tag();
    bool changed = false;
    const bool stored = day_editor::Store(ShowMode, rec, oldDay, txtTitle->Tag(), mMeetings::SaveMeeting,
                                          mMeetings::DeleteMeeting, mMeetings::MeetingTitleExists, changed);
    if (stored) {
        platform::MsgBox(ShowMode == 0 ? QStringLiteral("New Meeting Schedule added Successfully!")
                                       : QStringLiteral("Meeting Schedule changed Successfully!"),
                         MsgStyle::Information, QStringLiteral("Done!"));
        day_editor::ShowSaved(mFunctions::ViewMeetings, 1, dayKey, ucDTPicker->Value());
    }
    // A meeting that comes to today or leaves it changes today's alerts,
    // even when only half of a move could be written.
    if (changed && (dayKey == todayKey() || oldDay == todayKey())) {
        mNotification::StopAlertTimer();
        mNotification::ScheduleTodayAlerts();
    }
    if (stored)
        unloadForm();
}

void frmMeetings::btnCancel_Click() {
    day_editor::ConfirmCancel(*this);
}
