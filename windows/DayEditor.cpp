#include "windows/DayEditor.h"

#include "data/Views.h"
#include "platform/Clock.h"
#include "platform/Ui.h"
#include "platform/ui/DateTimePickers.h"
#include "platform/ui/MonthView.h"
#include "platform/ui/TextBox.h"
#include "windows/EditorParts.h"
#include "windows/FormBase.h"
#include "windows/ListLoaders.h"
#include "windows/frmSideBar.h"

namespace day_editor {

namespace {

constexpr int kTextLimit = 400;

} // namespace

platform::DatePicker* DayPicker(QWidget* frame) {
    auto* picker = new platform::DatePicker(frame);
    picker->setObjectName(QStringLiteral("ucDTPicker"));
    picker->SetCustomFormat(QStringLiteral("dd MMMM, yyyy"));
    return picker;
}

platform::MultiLineTextBox* AddTextBox(QWidget* dialog, QVBoxLayout* column, const QString& caption, const char* name) {
    auto* box = editor_parts::FramedBox<platform::MultiLineTextBox>(dialog, column, caption, name, 1);
    box->SetMaxLength(kTextLimit);
    return box;
}

std::pair<XPButton*, XPButton*> AddButtons(QWidget* dialog, QVBoxLayout* column) {
    return editor_parts::AddButtons(dialog, column, "btnSave", QString(), QStringLiteral("&Cancel"), QSize(120, 28));
}

bool TitleTaken(int32_t showMode, const platform::DatePicker* ucDTPicker, const platform::TextBox* txtTitle,
                const QString& dayKey, bool (*exists)(const QString& sDate, const QString& sTitle)) {
    if (showMode != 0 && dayKey == ucDTPicker->Tag() && txtTitle->Text() == txtTitle->Tag())
        return false;
    return exists(dayKey, txtTitle->Text());
}

bool DayAccepted(const QDate& day, const QString& question) {
    return platform::Today().daysTo(day) >= 0 ||
           platform::MsgBox(question, platform::MsgStyle::YesNoQuestion, QStringLiteral("Continue with past date?")) ==
               platform::MsgAnswer::Yes;
}

void ShowDay(const QString& dayKey, const QDate& day) {
    mFunctions::LoadTodaySchedule(dayKey);
    UseForm<frmSideBar>().ucCalender->SetValue(day);
}

void ShowSaved(int32_t view, int32_t listKind, const QString& dayKey, const QDate& day) {
    if (mFunctions::CurrentView() == view)
        mFunctions::LoadScheduleList(listKind, QString());
    else
        ShowDay(dayKey, day);
}

void ConfirmCancel(FormCore& editor) {
    if (platform::MsgBox(QStringLiteral("This will close the Dialog and no information will be saved to Information "
                                        "Data File. Are you sure?"),
                         platform::MsgStyle::YesNoQuestion,
                         QStringLiteral("Are you sure?")) == platform::MsgAnswer::Yes)
        editor.unloadForm();
}

} // namespace day_editor
