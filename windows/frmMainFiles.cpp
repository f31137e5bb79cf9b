// The main window's menu entries that do their own work: backup and restore of
// the data file, export of the Today view's lists, note import and export, the
// Options switches and the Help entries.
#include "controls/CDlg.h"
#include "data/cRC4.h"
#include "data/mFunctions.h"
#include "data/mFunctionsServices.h"
#include "data/mGeneralFunctions.h"
#include "data/mINI.h"
#include "data/mMeetings.h"
#include "data/mNotes.h"
#include "data/mTasks.h"
#include "platform/Clock.h"
#include "platform/FileIO.h"
#include "platform/ProgramFolder.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "platform/XmlDocument.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Menus.h"
#include "windows/frmAppPassword.h"
#include "windows/frmChangePassword.h"
#include "windows/frmDisplay.h"
#include "windows/frmMain.h"
#include "windows/frmNotes.h"
#include "windows/frmToday.h"
#include "windows/mMain.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>

#ifndef VELTRANE_CONTACT_URL
#define VELTRANE_CONTACT_URL ""
#endif
#ifndef VELTRANE_WEBSITE_URL
#define VELTRANE_WEBSITE_URL ""
#endif

using platform::MsgStyle;

namespace {

constexpr int32_t kFileMustExist = 4096;
constexpr int32_t kAskBeforeOverwrite = 2;

QString dataFile() {
    return platform::ProgramFile(QStringLiteral("data.xml"));
}

QString handleText(QObject* window) {
    return QString::number(platform::HandleOf(window));
}

// Whether bytes are a data file the organiser can work with: well-formed,
// with the root "zandor" holding "notes" and "passwords".
bool isDataFile(const QByteArray& bytes) {
    platform::XmlDocument doc;
    if (!doc.loadXml(bytes))
        return false;
    const platform::XmlNode root = doc.documentElement();
    if (root.nodeName() != QLatin1String("zandor"))
        return false;
    bool notes = false, passwords = false;
    for (platform::XmlNode n = root.firstChild(); n; n = n.nextSibling()) {
        notes = notes || (n.isElement() && n.nodeName() == QLatin1String("notes"));
        passwords = passwords || (n.isElement() && n.nodeName() == QLatin1String("passwords"));
    }
    return notes && passwords;
}

// A stored code's text; a code that is no number names no entry.
QString codeText(const QString& stored, QString (*text)(int16_t)) {
    bool ok = false;
    const int code = stored.trimmed().toInt(&ok);
    return text(ok && code >= 0 && code <= 0x7fff ? static_cast<int16_t>(code) : -1);
}

QString optionalText(const QString& stored) {
    return mGeneralFunctions::IsBlank(stored) ? QString() : DecipherField(stored);
}

void templateMissing(const QString& name) {
    platform::MsgBox(QStringLiteral("The Export Template File \"") + name +
                         QStringLiteral("\" is missing from the Application folder, so nothing was exported. Please "
                                        "reinstall the Application to resolve this issue."),
                     MsgStyle::Critical, QStringLiteral("Export Template is Missing!"));
}

// Reads an export template, saying why when it cannot: gone, or there but
// unreadable.
bool readTemplate(const QString& path, const QString& name, QByteArray& bytes) {
    QString reason;
    if (platform::ReadWholeFile(path, bytes, &reason))
        return true;
    if (!mGeneralFunctions::FileExists(path)) {
        templateMissing(name);
        return false;
    }
    platform::MsgBox(QStringLiteral("The Export Template File \"") + name +
                         QStringLiteral("\" could not be read, so nothing was exported:\r\n") + reason,
                     MsgStyle::Critical, QStringLiteral("Export Template can't be read!"));
    return false;
}

// The file the person picks to read, the dialog opening in a folder when one
// is given; empty when they cancel.
QString chooseFileToOpen(CDlg* dialog, const QString& title, const QString& filter, const QString& folder = QString()) {
    dialog->setDialogTitle(title);
    dialog->setInitDir(folder);
    dialog->setFilename(QString());
    dialog->setFlags(kFileMustExist);
    dialog->setFilter(filter);
    dialog->ShowOpen();
    return dialog->Filename();
}

// The text file the person names to write, asked before an existing one is
// replaced; empty when they cancel. The dialog opens where it would by
// itself, not in the folder the last restore asked for.
QString chooseTextFileToSave(CDlg* dialog, const QString& title) {
    dialog->setDialogTitle(title);
    dialog->setInitDir(QString());
    dialog->setDefaultExt(QStringLiteral("txt"));
    dialog->setFilename(QString());
    dialog->setFlags(kAskBeforeOverwrite);
    dialog->setFilter(QStringLiteral("Text Files|*.txt"));
    dialog->ShowSave();
    return dialog->Filename();
}

// The backup Create Backup makes at a moment: "data", the day as "ddmmyy",
// the time as "hhmmss" and ".bck", in the program folder.
QString backupFile(const QDateTime& at) {
    return platform::ProgramFile(QStringLiteral("data") +
                                 platform::FormatDatePattern(at.date(), QStringLiteral("ddmmyy")) +
                                 at.time().toString(QStringLiteral("HHmmss")) + QStringLiteral(".bck"));
}

// Keeps the data file as a backup before a restore replaces it, so the records
// made since the chosen backup are never lost for good. Only its owner may
// read the copy. A name already taken (a backup made within the same second,
// perhaps the very one being restored) is left alone: the copy takes the name
// of the next free second.
bool keepDataFile() {
    QByteArray bytes;
    if (!platform::ReadWholeFile(dataFile(), bytes))
        return false;
    QDateTime at = platform::Now();
    while (QFileInfo::exists(backupFile(at)))
        at = at.addSecs(1);
    const QString copy = backupFile(at);
    if (!platform::ReplaceFileAtomically(copy, bytes))
        return false;
    if (QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return true;
    QFile::remove(copy);
    return false;
}

// Fills one template with one record's fields, the tags in their fixed order.
QString fillTemplate(QString text, const std::vector<std::pair<const char*, QString>>& tags) {
    for (const auto& [tag, value] : tags)
        text.replace(QLatin1String(tag), value);
    return text;
}

} // namespace

// --- Configuration -----------------------------------------------------------------------

void frmMain::configurationCheck() {
    const QString config = platform::ProgramFile(QStringLiteral("AppCfg.cfg"));
    if (!mGeneralFunctions::FileExists(config)) {
        const QString text = QStringLiteral("Application configuration File is Missing! Please reinstall the "
                                            "Application to resolve this error issue.");
        const QString title = QStringLiteral("Configuration File Missing!");
        platform::ReportFailure(text + QStringLiteral("\r\n") + config, title);
        platform::MsgBox(text, MsgStyle::Critical, title);
        mGeneralFunctions::UnloadAllForms();
        platform::EndProcess(EXIT_FAILURE);
    }
    mINI::SetINI(config, 5000);
}

// --- Backup and restore ------------------------------------------------------------------

void frmMain::mnuFileBackupCreate_Click() {
    const QString source = dataFile();
    if (!mGeneralFunctions::FileExists(source)) {
        const QString text = QStringLiteral("Application Database File is missing! Please try reinstalling the "
                                            "Application to solve this error issue.");
        const QString title = QStringLiteral("Data File Missing!");
        platform::ReportFailure(text + QStringLiteral("\r\n") + source, title);
        platform::MsgBox(text, MsgStyle::Critical, title);
        platform::MsgBox(QStringLiteral("Application can not work withtout Database File. Application will terminate "
                                        "now. If you think this is an error; then please contact our Support Center "
                                        "for assistance."),
                         MsgStyle::Critical, QStringLiteral("Application will Terminate now!"));
        mGeneralFunctions::UnloadAllForms();
        platform::EndProcess(EXIT_FAILURE);
    }
    const QString backup = backupFile(platform::Now());
    QByteArray bytes;
    QString reason;
    // Written through a temporary file, so a failed copy never leaves half a
    // backup under the backup's name.
    if (!platform::ReadWholeFile(source, bytes, &reason) || !platform::ReplaceFileAtomically(backup, bytes, &reason)) {
        platform::MsgBox(QStringLiteral("Backup of your Veltrane Data File could not be created:\r\n") + backup +
                             QStringLiteral("\r\n") + reason,
                         MsgStyle::Critical, QStringLiteral("Backup Failed!"));
        return;
    }
    platform::MsgBox(QStringLiteral("Backup of your Veltrane Data File is created successfully!"),
                     MsgStyle::Information, QStringLiteral("Done!"));
}

void frmMain::mnuFileBackupRestore_Click() {
    if (platform::MsgBox(QStringLiteral("Are you sure you want to Restore Information Data file from Backup?"),
                         MsgStyle::YesNoQuestion, QStringLiteral("Restore Backup?")) != platform::MsgAnswer::Yes)
        return;
    // The backups are in the program folder, whatever folder the program was
    // started from.
    const QString chosen = chooseFileToOpen(CDlg1, QStringLiteral("Select Information Database Backup File ..."),
                                            QStringLiteral("Zandor Backup File|*.bck"), platform::AppPath());
    if (mGeneralFunctions::IsBlank(chosen))
        return;

    // The backup is checked whole before anything is touched, and its bytes
    // take the data file's place in one rename: the old file stays until the
    // new one is complete, and a wrong or damaged file never replaces it.
    QByteArray bytes;
    if (!platform::ReadWholeFile(chosen, bytes) || !isDataFile(bytes)) {
        platform::MsgBox(QStringLiteral("The selected File is not a valid Information Data file Backup, or it can "
                                        "not be read:\r\n") +
                             chosen + QStringLiteral("\r\n\r\nYour current Information Data file is left unchanged."),
                         MsgStyle::Information, QStringLiteral("Invalid Backup File!"));
        return;
    }
    const bool hadDataFile = mGeneralFunctions::FileExists(dataFile());
    if (hadDataFile && !keepDataFile()) {
        platform::MsgBox(QStringLiteral("The current Data File could not be kept, so nothing was restored."),
                         MsgStyle::Critical, QStringLiteral("Restore Failed!"));
        return;
    }
    if (platform::ReplaceFileAtomically(dataFile(), bytes)) {
        platform::MsgBox(QStringLiteral("Information Data file is restored successfully from selected Backup File. "
                                        "Please re-start the Application to complete the Restore Backup Process. "
                                        "Process will terminate now ..."),
                         MsgStyle::Information, QStringLiteral("Please Restart the Application ..."));
        mGeneralFunctions::UnloadAllForms();
        platform::EndProcess(0);
    }
    if (hadDataFile)
        platform::MsgBox(QStringLiteral("Restore Application Information Data file process failed. Your current "
                                        "Information Data file will be replaced back to its place without any "
                                        "changes.\r\n\r\nIf you were restoring Data file because it was currupt then "
                                        "please try re-installing the Application to resolve the Information Data "
                                        "File problem."),
                         MsgStyle::Information, QStringLiteral("Restore Process Failed!"));
    else
        platform::MsgBox(QStringLiteral("Restore Application Information Data file process failed. If you were "
                                        "restoring Data file because it was currupt then please try re-installing the "
                                        "Application to resolve the Information Data File problem."),
                         MsgStyle::Information, QStringLiteral("Restore Process Failed!"));
}

// --- Export of the Today view's lists ----------------------------------------------------

void frmMain::mnuFileExportTaskToday_Click() {
    exportToday(false);
}

void frmMain::mnuFileExportMeetingsToday_Click() {
    exportToday(true);
}

void frmMain::exportToday(bool meetings) {
    if (!mGeneralFunctions::IsFormLoadedVisible(QStringLiteral("frmToday")))
        platform::Forms::Get<frmToday>().Show();
    frmToday* today = platform::Forms::IfLoaded<frmToday>();
    if (!today)
        return;
    platform::ListView* list = meetings ? today->lstMeetingsToday : today->lstTasksToday;
    auto rows = list->ListItems();
    if (rows.Count() == 0) {
        if (meetings)
            platform::MsgBox(QStringLiteral("No Meetings for Today!"), MsgStyle::Information,
                             QStringLiteral("No Meetings."));
        else
            platform::MsgBox(QStringLiteral("No Tasks for Today!"), MsgStyle::Information, QStringLiteral("No Tasks."));
        return;
    }
    const QString templateName = meetings ? QStringLiteral("mtngexp.txt") : QStringLiteral("taskexp.txt");
    const QString templatePath = platform::ProgramFile(templateName);
    QByteArray templateBytes;
    if (!readTemplate(templatePath, templateName, templateBytes))
        return;
    const QString target = chooseTextFileToSave(CDlg1, meetings ? QStringLiteral("Export Today's Meetings as ...")
                                                                : QStringLiteral("Export Today's Tasks as ..."));
    if (mGeneralFunctions::IsBlank(target))
        return;

    QString output;
    for (int i = 1; i <= rows.Count(); ++i) {
        const QString day = rows.Item(i)->Text();
        const QString title = rows.Item(i)->SubItems(1);
        std::vector<std::pair<const char*, QString>> tags;
        if (meetings) {
            const MeetingRecord rec = mMeetings::GetMeetingDetails(day, title);
            tags = {{"##ttl##", rec.Title},
                    {"##pr##", mFunctions::GetPriorityText(rec.Priority)},
                    {"##mfor##", mFunctions::GetMeetingForText(rec.MeetFor)},
                    {"##stime##", rec.StartTime},
                    {"##etime##", rec.EndTime},
                    {"##desc##", optionalText(rec.Desc)}};
        } else {
            const TaskRecord rec = mTasks::GetTask(day, title);
            tags = {{"##ttl##", rec.Title},
                    {"##pr##", codeText(rec.Priority, mFunctions::GetPriorityText)},
                    {"##st##", codeText(rec.Status, mFunctions::GetTaskStatusText)},
                    {"##desc##", optionalText(rec.Desc)},
                    {"##rem##", optionalText(rec.Remarks)}};
        }
        // Read for every record, so a template edited meanwhile is used as it
        // now stands; one that has gone stops the export before anything is
        // written.
        if (!readTemplate(templatePath, templateName, templateBytes))
            return;
        output += QStringLiteral("\r\n") + fillTemplate(platform::FromAnsi(templateBytes), tags);
    }
    if (!mGeneralFunctions::WriteTextFile(target, output))
        return;
    if (meetings)
        platform::MsgBox(QStringLiteral("Today's Meeting Schedule list is successfully exported to File."),
                         MsgStyle::Information, QStringLiteral("Done!"));
    else
        platform::MsgBox(QStringLiteral("Today's Task list is successfully exported to File."), MsgStyle::Information,
                         QStringLiteral("Done!"));
}

// --- Notes import and export -------------------------------------------------------------

void frmMain::mnuNotesImport_Click() {
    importNote(false);
}

void frmMain::importNote(bool fromTray) {
    const QString chosen = chooseFileToOpen(CDlg1, QStringLiteral("Select Text file to Import as Note ..."),
                                            QStringLiteral("Text Files|*.txt"));
    if (mGeneralFunctions::IsBlank(chosen) || !mGeneralFunctions::FileExists(chosen))
        return;
    const QString text = mGeneralFunctions::ReadTextFile(chosen);
    if (mGeneralFunctions::IsBlank(text)) {
        // Nothing also comes back from a file that could not be read; that
        // has been reported already, and the file is not known to be blank.
        if (QByteArray bytes; !platform::ReadWholeFile(chosen, bytes))
            return;
        platform::MsgBox(QStringLiteral("You have selected a Blank File. Can not Create Empty Note."),
                         MsgStyle::Information, QStringLiteral("Blank File!"));
        return;
    }
    frmNotes::ImportNote(text, !fromTray);
}

void frmMain::mnuNotesExport_Click() {
    if (mFunctions::CurrentView() != mFunctions::ViewNotes)
        return;
    platform::ListItem* row = selectedRecordRow();
    if (!row)
        return;
    const NoteRecord note = mNotes::GetNote(row->SubItems(2));
    // A note that has gone was reported by the store; there is nothing to write.
    if (note.Title.isEmpty())
        return;
    const QString target = chooseTextFileToSave(CDlg1, QStringLiteral("Save Selected Zandor Note as ..."));
    if (mGeneralFunctions::IsBlank(target))
        return;
    if (!mGeneralFunctions::WriteTextFile(target, DecipherField(note.Text)))
        return;
    platform::MsgBox(QStringLiteral("Selected Note successfully exported to Text File."), MsgStyle::Information,
                     QStringLiteral("Done!"));
}

// --- Options -----------------------------------------------------------------------------

void frmMain::mnuOptionsChangePass_Click() {
    platform::Forms::Get<frmChangePassword>().ShowModal();
}

namespace {

// Writes an Options switch; one the configuration file would not take is
// reported, and the switch's mark shows what the file still holds.
bool writeSwitch(QAction* entry, bool was, const QString& section, const QString& key, const platform::Variant& value) {
    if (mINI::WriteINI(section, key, value))
        return true;
    platform::SetMenuChecked(entry, was);
    platform::MsgBox(QStringLiteral("The setting could not be written to the Application Configuration File:\r\n") +
                         platform::ProgramFile(QStringLiteral("AppCfg.cfg")),
                     MsgStyle::Critical, QStringLiteral("Setting not saved!"));
    return false;
}

} // namespace

void frmMain::mnuOptionsEnable_Click() {
    configurationCheck();
    QAction* entry = Entry(QStringLiteral("mnuOptionsEnable"));
    const bool on = !platform::MenuChecked(entry);
    platform::SetMenuChecked(entry, on);
    if (!writeSwitch(entry, !on, QStringLiteral("password"), QStringLiteral("enabled"),
                     on ? QStringLiteral("1") : QStringLiteral("0")) ||
        !on)
        return;
    if (mGeneralFunctions::IsBlank(mFunctions::AccessAppPassword(false, QString()))) {
        mMain::AskForFirstPassword();
        platform::Forms::Get<frmChangePassword>().ShowModal();
    } else {
        platform::Forms::Get<frmAppPassword>().ShowModal();
    }
}

void frmMain::mnuOptionsWinStartup_Click() {
    configurationCheck();
    QAction* entry = Entry(QStringLiteral("mnuOptionsWinStartup"));
    const bool was = platform::MenuChecked(entry);
    const platform::Variant previous =
        mINI::ReadINI(QStringLiteral("app"), QStringLiteral("startup"), QStringLiteral("0"));
    platform::SetMenuChecked(entry, !was);
    if (!writeSwitch(entry, was, QStringLiteral("app"), QStringLiteral("startup"),
                     was ? QStringLiteral("0") : QStringLiteral("1")))
        return;
    try {
        mFunctions::SetWindowsStartup(QStringLiteral("Zandor"), was);
    } catch (const platform::RuntimeError& err) {
        // The switch shows what is true: the entry did not change, so neither
        // does the check mark nor the configuration key.
        platform::MsgBox(QString::number(err.number()) + QStringLiteral(" : \r\n\r\n") + err.description(),
                         MsgStyle::Critical, QStringLiteral("Start on Windows Startup failed!"));
        platform::SetMenuChecked(entry, was);
        writeSwitch(entry, was, QStringLiteral("app"), QStringLiteral("startup"), previous);
    }
}

// --- Help --------------------------------------------------------------------------------

void frmMain::mnuHelpFile_Click() {
    const QString help = platform::ShippedFile(QStringLiteral("Reference.chm"));
    if (mGeneralFunctions::FileExists(help)) {
        mGeneralFunctions::ShellOpen(help, handleText(this));
        return;
    }
    platform::MsgBox(QStringLiteral("Application Help File is missing! Please reinstall the Application to resolve "
                                    "this issue."),
                     MsgStyle::Information, QStringLiteral("Help File is Missing!"));
}

void frmMain::openProductPage(const QString& address) {
    if (mGeneralFunctions::IsBlank(address))
        mnuHelpFile_Click();
    else
        mGeneralFunctions::ShellOpen(address, handleText(this));
}

void frmMain::mnuHelpEmail_Click() {
    openProductPage(QStringLiteral(VELTRANE_CONTACT_URL));
}

void frmMain::mnuHelpWebsite_Click() {
    openProductPage(QStringLiteral(VELTRANE_WEBSITE_URL));
}
