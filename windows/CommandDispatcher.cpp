#include "windows/CommandDispatcher.h"

#include "data/Views.h"
#include "data/mGeneralFunctions.h"
#include "data/mMeetings.h"
#include "data/mNotes.h"
#include "data/mNotification.h"
#include "data/mPasswords.h"
#include "data/mTasks.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "platform/ui/ListView.h"
#include "windows/EditorParts.h"
#include "windows/HeaderStrip.h"
#include "windows/ListLoaders.h"
#include "windows/frmDisplay.h"
#include "windows/frmMeetings.h"
#include "windows/frmNotes.h"
#include "windows/frmPassword.h"
#include "windows/frmTasks.h"
#include "windows/frmToday.h"

#include <QRegularExpression>
#include <QUrl>

using platform::MsgStyle;

namespace mFunctions {

namespace {

// The record list's selected row; a command that needs one and finds none
// fails as the run time does when it reaches for a missing object.
platform::ListItem* selectedRow() {
    frmDisplay* display = platform::Forms::IfLoaded<frmDisplay>();
    platform::ListItem* row = display ? display->lstData->SelectedItem() : nullptr;
    if (!row)
        throw platform::RuntimeError::fromNumber(91);
    return row;
}

bool confirmed(const QString& question) {
    return platform::MsgBox(question, MsgStyle::YesNoQuestion, QStringLiteral("Are you sure?")) ==
           platform::MsgAnswer::Yes;
}

void showList(int32_t view, const QString& header) {
    SetCurrentView(view);
    frmDisplay& display = platform::Forms::Get<frmDisplay>();
    display.Show();
    display.picHeader->setCaption(header);
    // The list is read out by what it holds: the header's last part.
    editor_parts::NameAfter(display.lstData, header.section(QStringLiteral(" :: "), -1));
}

void switchView(const QString& item, const QString& day) {
    if (frmToday* today = platform::Forms::IfLoaded<frmToday>())
        today->unloadForm();
    if (frmDisplay* display = platform::Forms::IfLoaded<frmDisplay>())
        display->unloadForm();
    if (item == QLatin1String("sh_today")) {
        SetCurrentView(ViewToday);
        platform::Forms::Get<frmToday>().Show();
    } else if (item == QLatin1String("sh_task")) {
        showList(ViewTasks, QStringLiteral("Veltrane :: Tasks"));
        LoadScheduleList(0, day);
    } else if (item == QLatin1String("sh_mtg")) {
        showList(ViewMeetings, QStringLiteral("Veltrane :: Meetings"));
        LoadScheduleList(1, day);
    } else if (item == QLatin1String("sh_note")) {
        showList(ViewNotes, QStringLiteral("Veltrane :: Notes"));
        LoadNotesList(day);
    } else if (item == QLatin1String("sh_pwd")) {
        showList(ViewPasswords, QStringLiteral("Veltrane :: Passwords"));
        LoadPasswordsList();
    }
}

void taskCommand(const QString& item) {
    if (item == QLatin1String("tsk_add")) {
        frmTasks::AddTask();
        return;
    }
    if (CurrentView() != ViewTasks)
        return;
    if (item == QLatin1String("tsk_edit")) {
        platform::ListItem* row = selectedRow();
        frmTasks::EditTask(row->Text(), row->SubItems(1));
    } else if (item == QLatin1String("tsk_del")) {
        if (!confirmed(QStringLiteral("Are you sure you want to Remove selected Task?")))
            return;
        platform::ListItem* row = selectedRow();
        mTasks::DeleteTask(row->Text(), row->SubItems(1));
    }
}

// An add stands before the view check: it acts in every view.
void meetingCommand(const QString& item) {
    if (item == QLatin1String("mtg_add")) {
        frmMeetings::AddMeeting();
        return;
    }
    if (CurrentView() != ViewMeetings)
        return;
    if (item == QLatin1String("mtg_edit")) {
        platform::ListItem* row = selectedRow();
        frmMeetings::EditMeeting(row->Text(), row->SubItems(1));
    } else if (item == QLatin1String("mtg_del")) {
        if (!confirmed(QStringLiteral("Are you sure you want to remove selected Meeting Schedule?")))
            return;
        platform::ListItem* row = selectedRow();
        const QString day = row->Text();
        mMeetings::DeleteMeeting(day, row->SubItems(1));
        // A meeting of today that is gone must not be alerted.
        if (day == platform::FormatDatePattern(platform::Today(), QStringLiteral("dd-mm-yyyy"))) {
            mNotification::StopAlertTimer();
            mNotification::ScheduleTodayAlerts();
        }
    }
}

void noteCommand(const QString& item) {
    if (item == QLatin1String("note_add")) {
        frmNotes::AddNote();
        return;
    }
    if (CurrentView() != ViewNotes)
        return;
    if (item == QLatin1String("note_edit")) {
        frmNotes::EditNote(selectedRow()->SubItems(2));
    } else if (item == QLatin1String("note_del")) {
        if (!confirmed(QStringLiteral("Are you sure you want to Delete selected Note?")))
            return;
        mNotes::DeleteNote(selectedRow()->SubItems(2));
        LoadNotesList(QString());
    }
}

void passwordCommand(const QString& item) {
    if (item == QLatin1String("pwd_add")) {
        frmPassword::AddPassword();
        return;
    }
    if (CurrentView() != ViewPasswords)
        return;
    if (item == QLatin1String("pwd_edit")) {
        frmPassword::EditPassword(selectedRow()->Text());
    } else if (item == QLatin1String("pwd_del")) {
        if (!confirmed(QStringLiteral("Are you sure you want to Delete selected Password Information?")))
            return;
        mPasswords::DeletePassword(selectedRow()->Text());
    }
}

} // namespace

void HandleOptionBarItems(const QString& sGroupKey, const QString& sItemKey, const QString& sDate) {
    const QString group = sGroupKey.toLower();
    const QString item = sItemKey.toLower();
    try {
        if (group == QLatin1String("special group"))
            switchView(item, sDate);
        else if (group == QLatin1String("tasks"))
            taskCommand(item);
        else if (group == QLatin1String("mtg"))
            meetingCommand(item);
        else if (group == QLatin1String("note"))
            noteCommand(item);
        else if (group == QLatin1String("pwd"))
            passwordCommand(item);
    } catch (const platform::RuntimeError& err) {
        platform::MsgBox(QString::number(err.number()) + QStringLiteral(" : \r\n\r\n") + err.description(),
                         MsgStyle::Information, QStringLiteral("Error::HandleOptionBarItems)"));
    }
}

namespace {

// Only web and mail addresses are opened: anything else handed to the
// desktop could start a program. A text without a scheme is a web address;
// the address to open comes back in address.
bool isWebOrMailAddress(const QString& text, QString& address) {
    static const QRegularExpression schemePattern(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):(.?)"));
    static const QStringList allowed = {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("ftp"),
                                        QStringLiteral("mailto")};
    const QString trimmed = text.trimmed();
    const QRegularExpressionMatch m = schemePattern.match(trimmed);
    // "host:8080/path" is a host and a port, not a scheme.
    const bool hasScheme = m.hasMatch() && !(m.captured(2).size() == 1 && m.captured(2).at(0).isDigit());
    if (hasScheme) {
        if (!allowed.contains(m.captured(1).toLower()))
            return false;
        address = trimmed;
    } else {
        if (trimmed.startsWith(QLatin1Char('/')) || trimmed.startsWith(QLatin1Char('~')) ||
            trimmed.startsWith(QLatin1Char('.')) || trimmed.contains(QLatin1Char('\\')))
            return false;
        address = QStringLiteral("http://") + trimmed;
    }
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid())
        return false;
    return url.scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) == 0 ? !url.path().isEmpty()
                                                                                   : !url.host().isEmpty();
}

} // namespace

void PasswordItemAction(int16_t action, platform::ListItem* item) {
    if (CurrentView() != ViewPasswords || !mGeneralFunctions::IsFormLoadedVisible(QStringLiteral("frmDisplay")) ||
        !item)
        return;
    const QString text = action == CopyPassword ? item->Tag() : item->SubItems(action);
    if (mGeneralFunctions::IsBlank(text))
        return;
    if (action == OpenUrl) {
        QString address;
        if (!isWebOrMailAddress(text, address)) {
            platform::MsgBox(QStringLiteral("Only web and mail addresses (http, https, ftp or mailto) can be opened "
                                            "from the Password list. This URL was not opened:\r\n\r\n") +
                                 text,
                             MsgStyle::Information, QStringLiteral("URL can not be opened!"));
            return;
        }
        frmDisplay* display = platform::Forms::IfLoaded<frmDisplay>();
        mGeneralFunctions::ShellOpen(address, QString::number(platform::HandleOf(display)));
        return;
    }
    platform::ClipboardClear();
    platform::ClipboardSetText(text);
}

} // namespace mFunctions
