#include "WindowsFixture.h"

#include "FailingWriter.h"
#include "ModalWindows.h"
#include "UserFolders.h"
#include "controls/CDlg.h"
#include "controls/XPButton.h"
#include "data/mFunctionsServices.h"
#include "data/mINI.h"
#include "data/mNotes.h"
#include "platform/Autostart.h"
#include "platform/ui/TextBox.h"
#include "windows/frmAppPassword.h"
#include "windows/frmChangePassword.h"
#include "windows/frmNotes.h"
#include "windows/frmSysTray.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <cstring>
#include <functional>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace fixture;
namespace Forms = platform::Forms;
using platform::MsgAnswer;

namespace {

// Picks a file in the next file dialog and confirms it.
void pickNext(const QString& file) {
    testsupport::OnNextModal<QFileDialog>([file](QFileDialog* d) {
        d->selectFile(file);
        static_cast<QDialog*>(d)->accept();
    });
}

QStringList titles(const testsupport::MessageBoxResponder& r) {
    QStringList out;
    for (const auto& b : r.boxes)
        out << b.title;
    return out;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// A listening socket in place of a file: it is there, yet cannot be opened
// for reading. Returns the descriptor to close.
int bindSocket(const QString& path) {
    QFile::remove(path);
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (name.size() >= qsizetype(sizeof addr.sun_path))
        return -1;
    std::memcpy(addr.sun_path, name.constData(), size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

QString iniValue(const QString& section, const QString& key) {
    return mINI::ReadINI(section, key, QStringLiteral("?")).toString();
}

} // namespace

class MenuActionsTest : public WindowsTest {
protected:
    QTemporaryDir elsewhere;
    QString out(const char* name) const { return elsewhere.filePath(QLatin1String(name)); }
    QByteArray todaysRecords() {
        return data(day(key(today), task("Call Bob", "1", "2", "ring him") + task("Plan", "9", "x"),
                        meeting("Standup", "0", "3", "09:00:00 AM", "09:15:00 AM")),
                    note("Old", "01/03/2025", "10:00:00 AM", "kept"));
    }
};

TEST_F(MenuActionsTest, AWalkThroughTheMenus) {
    folder.writeData(todaysRecords());
    folder.write("taskexp.txt", "[##ttl##|##pr##|##st##|##desc##|##rem##|##ttl##]");
    folder.write("mtngexp.txt", "<##ttl##|##pr##|##mfor##|##stime##|##etime##|##desc##>");
    frmMain& main = openMain();

    // Today's lists through the templates: every tag, a tag twice, blank
    // fields as nothing, codes that name nothing as "- Unknown -".
    pickNext(out("tasks.txt"));
    main.mnuFileExportTaskToday_Click();
    EXPECT_EQ(QString::fromUtf8(fileBytes(out("tasks.txt"))),
              QStringLiteral("\r\n[Call Bob|High|Waiting for someone else|ring him||Call Bob]"
                             "\r\n[Plan|- Unknown -|- Unknown -|||Plan]"));
    EXPECT_EQ(r->last().text, QStringLiteral("Today's Task list is successfully exported to File."));
    pickNext(out("meetings"));
    main.mnuFileExportMeetingsToday_Click();
    EXPECT_EQ(QString::fromUtf8(fileBytes(out("meetings.txt"))),
              QStringLiteral("\r\n<Standup|Urgent|Technical Discussions|09:00:00 AM|09:15:00 AM|>"));
    EXPECT_EQ(r->last().title, QStringLiteral("Done!"));

    // A text file imported as a note goes to the note editor, which saves it;
    // exported again, it comes back as it was.
    writeFile(out("import.txt"), "First line\r\nSecond line");
    QString imported;
    bool modal = false;
    r->onModal = [&](QObject* window) {
        auto* editor = qobject_cast<frmNotes*>(window);
        ASSERT_NE(editor, nullptr);
        modal = true;
        imported = editor->txtNote->Text();
        editor->txtTitle->SetText(QStringLiteral("Imported"));
        editor->btnCreate_Click();
    };
    pickNext(out("import.txt"));
    main.mnuNotesImport_Click();
    EXPECT_EQ(imported, QStringLiteral("First line\r\nSecond line"));
    EXPECT_TRUE(modal);
    platform::ListView* notes = showRecordList("sh_note");
    selectRow(notes, notes->ListItems().Item(1)->SubItems(2) == QLatin1String("Imported") ? 1 : 2);
    pickNext(out("exported.txt"));
    main.mnuNotesExport_Click();
    EXPECT_EQ(fileBytes(out("exported.txt")), QByteArray("First line\r\nSecond line"));
    EXPECT_EQ(r->last().text, QStringLiteral("Selected Note successfully exported to Text File."));

    // The password switch: the first time it asks for a password, later it
    // asks for the stored one with "Verify".
    QAction* enable = main.Entry(QStringLiteral("mnuOptionsEnable"));
    r->onModal = [](QObject* window) {
        if (auto* set = qobject_cast<frmChangePassword*>(window)) {
            set->txtNewPassword->SetText(QStringLiteral("abcdef"));
            set->txtConfPassword->SetText(QStringLiteral("abcdef"));
            set->btnOk_Click();
        } else if (auto* prompt = qobject_cast<frmAppPassword*>(window)) {
            EXPECT_EQ(prompt->btnOk->Caption(), QStringLiteral("Verify"));
            prompt->txtPassword->SetText(QStringLiteral("abcdef"));
            prompt->btnOk_Click();
        }
    };
    main.mnuOptionsEnable_Click();
    EXPECT_TRUE(r->sawTitle(QStringLiteral("Please set Password now ...")));
    EXPECT_EQ(mFunctions::AccessAppPassword(false, QString()), QStringLiteral("abcdef"));
    EXPECT_TRUE(platform::MenuChecked(enable));
    EXPECT_EQ(iniValue("password", "enabled"), QStringLiteral("1"));
    main.mnuOptionsEnable_Click();
    EXPECT_FALSE(platform::MenuChecked(enable));
    EXPECT_EQ(iniValue("password", "enabled"), QStringLiteral("0"));
    const size_t modals = r->modalWindows.size();
    main.mnuOptionsEnable_Click();
    ASSERT_EQ(r->modalWindows.size(), modals + 1);
    EXPECT_NE(qobject_cast<frmAppPassword*>(r->modalWindows.back()), nullptr);
    EXPECT_EQ(Forms::IfLoaded<frmAppPassword>(), nullptr);
    EXPECT_NE(Forms::IfLoaded<frmMain>(), nullptr);
    r->onModal = nullptr;

    // The start-up entry on and off.
    testsupport::TempConfigFolder config;
    QAction* startup = main.Entry(QStringLiteral("mnuOptionsWinStartup"));
    main.mnuOptionsWinStartup_Click();
    EXPECT_TRUE(platform::MenuChecked(startup));
    EXPECT_EQ(iniValue("app", "startup"), QStringLiteral("1"));
    EXPECT_TRUE(QFileInfo::exists(platform::AutostartEntryPath(QStringLiteral("Zandor"))));
    main.mnuOptionsWinStartup_Click();
    EXPECT_FALSE(platform::MenuChecked(startup));
    EXPECT_EQ(iniValue("app", "startup"), QStringLiteral("0"));
    EXPECT_FALSE(QFileInfo::exists(platform::AutostartEntryPath(QStringLiteral("Zandor"))));

    // Backup, a change, then the backup restored: the program ends with the
    // backup's bytes as its data file.
    const QByteArray before = folder.readData();
    r->clear();
    main.mnuFileBackupCreate_Click();
    EXPECT_EQ(titles(*r), QStringList{"Done!"});
    const QString backup = folder.file("data070325140509.bck");
    EXPECT_EQ(fileBytes(backup), before);
    EXPECT_EQ(QFileInfo(backup).permissions(),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser)
        << "a backup holds the passwords: its owner's alone";
    mNotes::DeleteNote(QStringLiteral("Old"));
    ASSERT_NE(folder.readData(), before);
    r->answers = {MsgAnswer::Yes};
    pickNext(backup);
    EXPECT_THROW(main.mnuFileBackupRestore_Click(), platform::ProcessEnded);
    EXPECT_EQ(r->last().title, QStringLiteral("Please Restart the Application ..."));
    EXPECT_EQ(folder.readData(), before);
    EXPECT_TRUE(Forms::Loaded().empty());
}

TEST_F(MenuActionsTest, RestoreReplacesTheDataFileOnlyWithAWholeDataFile) {
    testsupport::FailingWriter disk;
    const QByteArray good =
        "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<zandor>\r\n\t<notes/>\r\n\t<passwords/>\r\n</zandor>";
    // The data file is kept under the name Create Backup would give it now,
    // or a second later when a backup already has that name.
    const QString now = QStringLiteral("data070325140509.bck"), later = QStringLiteral("data070325140510.bck");
    enum Fails { None, FirstWrite, SecondWrite };
    struct Case {
        const char* name;
        QByteArray backup;
        bool dataPresent;
        Fails fails;
        QString title;
        bool replaced;
        QString keptAs;           // the backup the data file was kept as, if any
        QString pick = QString(); // the chosen backup, when in the program folder
    } cases[] = {
        {"not XML", "hello", true, None, "Invalid Backup File!", false, {}},
        {"another root", "<other><notes/><passwords/></other>", true, None, "Invalid Backup File!", false, {}},
        {"no passwords", "<zandor><notes/></zandor>", true, None, "Invalid Backup File!", false, {}},
        {"cut short", good.left(40), true, None, "Invalid Backup File!", false, {}},
        {"data file not kept", good, true, FirstWrite, "Restore Failed!", false, {}},
        {"write fails", good, true, SecondWrite, "Restore Process Failed!", false, now},
        {"write fails, no data file", good, false, FirstWrite, "Restore Process Failed!", false, {}},
        {"no data file", good, false, None, "Please Restart the Application ...", true, {}},
        {"byte for byte", good, true, None, "Please Restart the Application ...", true, now},
        {"a backup of this second chosen", good, true, None, "Please Restart the Application ...", true, later, now},
    };
    const QByteArray old = data(QString());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempProgramFolder fresh;
        fresh.writeData(old);
        frmMain& main = openMain();
        if (!c.dataPresent)
            QFile::remove(fresh.dataFile());
        const QString pick = c.pick.isEmpty() ? out("pick.bck") : fresh.file(c.pick);
        writeFile(pick, c.backup);
        r->clear();
        r->answers = {MsgAnswer::Yes};
        QString openedIn;
        testsupport::OnNextModal<QFileDialog>([&](QFileDialog* d) {
            openedIn = d->directory().absolutePath();
            d->selectFile(pick);
            static_cast<QDialog*>(d)->accept();
        });
        if (c.fails == FirstWrite)
            disk.failNext();
        if (c.fails == SecondWrite)
            disk.afterNextReplace([&disk] { disk.failNext(); });
        if (c.replaced)
            EXPECT_THROW(main.mnuFileBackupRestore_Click(), platform::ProcessEnded);
        else
            main.mnuFileBackupRestore_Click();
        EXPECT_EQ(openedIn, QDir(fresh.path()).absolutePath()) << "the backups are in the program folder";
        EXPECT_EQ(titles(*r), (QStringList{"Restore Backup?", c.title}));
        if (c.title == QLatin1String("Restore Failed!")) {
            EXPECT_EQ(r->last().text,
                      QStringLiteral("The current Data File could not be kept, so nothing was restored."));
            EXPECT_EQ(r->last().style, platform::MsgStyle::Critical);
        }
        EXPECT_EQ(QFileInfo::exists(fresh.dataFile()), c.dataPresent || c.replaced);
        if (c.replaced || c.dataPresent) {
            EXPECT_EQ(fresh.readData(), c.replaced ? c.backup : old);
        }
        EXPECT_EQ(fileBytes(pick), c.backup) << "the chosen backup is left as it was";
        QStringList kept = QDir(fresh.path()).entryList(QStringList{"*.bck"}, QDir::Files);
        kept.removeOne(c.pick);
        EXPECT_EQ(kept, c.keptAs.isEmpty() ? QStringList{} : QStringList{c.keptAs});
        if (!c.keptAs.isEmpty()) {
            EXPECT_EQ(fileBytes(fresh.file(c.keptAs)), old);
            const QFileDevice::Permissions others =
                QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
            EXPECT_EQ(QFileInfo(fresh.file(c.keptAs)).permissions() & others, QFileDevice::Permissions())
                << "only its owner may read the kept data file";
        }
        EXPECT_EQ(QDir(fresh.path()).entryList(QStringList{".data*"}, QDir::Files | QDir::Hidden), QStringList{})
            << "no temporary file is left";
        mGeneralFunctions::UnloadAllForms();
        fixture::drain();
    }

    // Cancelled at either question: nothing happens.
    frmMain& main = openMain();
    r->clear();
    main.mnuFileBackupRestore_Click();
    EXPECT_EQ(titles(*r), QStringList{"Restore Backup?"});
}

// A restore that leaves the program running hands no folder on to the next
// save dialog: an export or a note saved opens where the dialog itself would.
TEST_F(MenuActionsTest, ASaveAfterARestoreThatWentOnOpensWhereTheDialogWould) {
    writeFile(out("bad.bck"), "hello");
    for (const bool cancelled : {true, false}) {
        SCOPED_TRACE(cancelled ? "cancelled, then a task export" : "an invalid backup, then a note saved");
        testsupport::TempProgramFolder fresh;
        fresh.writeData(todaysRecords());
        frmMain& main = openMain();
        r->answers = {MsgAnswer::Yes};
        testsupport::OnNextModal<QFileDialog>([&](QFileDialog* d) {
            d->selectFile(out("bad.bck"));
            cancelled ? d->reject() : static_cast<QDialog*>(d)->accept();
        });
        main.mnuFileBackupRestore_Click();
        if (!cancelled)
            selectRow(showRecordList("sh_note"), 1);
        QString initDir = QStringLiteral("not shown");
        testsupport::OnNextModal<QFileDialog>([&](QFileDialog* d) {
            initDir = main.CDlg1->InitDir();
            d->reject();
        });
        cancelled ? main.mnuFileExportTaskToday_Click() : main.mnuNotesExport_Click();
        EXPECT_EQ(initDir, QString());
        mGeneralFunctions::UnloadAllForms();
        fixture::drain();
    }
}

TEST_F(MenuActionsTest, DoneOnlyWhenTheFileWasWritten) {
    testsupport::FailingWriter disk;
    folder.writeData(todaysRecords());
    struct Case {
        const char* name;
        void (frmMain::*action)();
        const char* missingTemplate; // removed first
        bool pick;
        bool failWrite;
        QStringList boxes;
        const char* unreadableTemplate = nullptr; // replaced by a socket, which no one can read
    } cases[] = {
        {"backup copy fails", &frmMain::mnuFileBackupCreate_Click, nullptr, false, true, {"Backup Failed!"}},
        {"task export, template gone",
         &frmMain::mnuFileExportTaskToday_Click,
         "taskexp.txt",
         false,
         false,
         {"Export Template is Missing!"}},
        {"meeting export, template gone",
         &frmMain::mnuFileExportMeetingsToday_Click,
         "mtngexp.txt",
         false,
         false,
         {"Export Template is Missing!"}},
        {"meeting export, template unreadable",
         &frmMain::mnuFileExportMeetingsToday_Click,
         nullptr,
         false,
         false,
         {"Export Template can't be read!"},
         "mtngexp.txt"},
        {"task export fails", &frmMain::mnuFileExportTaskToday_Click, nullptr, true, true, {"Error !"}},
        {"meeting export fails", &frmMain::mnuFileExportMeetingsToday_Click, nullptr, true, true, {"Error !"}},
        {"note export fails", &frmMain::mnuNotesExport_Click, nullptr, true, true, {"Error !"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempProgramFolder fresh;
        fresh.writeData(todaysRecords());
        frmMain& main = openMain();
        if (c.action == &frmMain::mnuNotesExport_Click)
            selectRow(showRecordList("sh_note"), 1);
        if (c.missingTemplate)
            QFile::remove(fresh.file(QLatin1String(c.missingTemplate)));
        const int socketFd = c.unreadableTemplate ? bindSocket(fresh.file(QLatin1String(c.unreadableTemplate))) : -1;
        writeFile(out("x.txt"), "an earlier export");
        r->clear();
        if (c.pick) {
            pickNext(out("x.txt"));
            testsupport::OnNextModal<QMessageBox>([](QMessageBox* b) { b->button(QMessageBox::Yes)->click(); });
        }
        if (c.failWrite)
            disk.failNext();
        (main.*c.action)();
        EXPECT_EQ(titles(*r), c.boxes);
        if (socketFd >= 0) {
            EXPECT_TRUE(r->last().text.contains(QStringLiteral("could not be read")));
            ::close(socketFd);
        }
        EXPECT_EQ(fileBytes(out("x.txt")), QByteArray("an earlier export")) << "a failed export leaves it whole";
        EXPECT_EQ(QDir(fresh.path()).entryList(QStringList{"*.bck"}), QStringList{});
        mGeneralFunctions::UnloadAllForms();
        fixture::drain();
    }
}

TEST_F(MenuActionsTest, EmptyListsBlankImportsAndTheNotesViewStopAnActionEarly) {
    frmMain& main = openMain();
    main.mnuFileExportTaskToday_Click();
    main.mnuFileExportMeetingsToday_Click();
    main.mnuNotesExport_Click(); // not the notes view: nothing
    EXPECT_EQ(titles(*r), (QStringList{"No Tasks.", "No Meetings."}));

    // From the notification area the editor does not wait.
    r->onModal = [](QObject*) { ADD_FAILURE() << "the import from the tray opened a modal window"; };
    main.setWindowState(Qt::WindowMinimized);
    fixture::drain();
    ASSERT_NE(main.oSysTray, nullptr);
    writeFile(out("blank.txt"), "   ");
    writeFile(out("text.txt"), "a note");
    r->clear();
    pickNext(out("blank.txt"));
    main.oSysTray_MenuClick(7, QStringLiteral("mprt_note"));
    EXPECT_EQ(titles(*r), QStringList{"Blank File!"});
    EXPECT_EQ(platform::Forms::IfLoaded<frmNotes>(), nullptr);
    // One that cannot be read is reported as such, not as blank.
    const int socketFd = bindSocket(out("unreadable.txt"));
    ASSERT_GE(socketFd, 0);
    r->clear();
    pickNext(out("unreadable.txt"));
    main.oSysTray_MenuClick(7, QStringLiteral("mprt_note"));
    ::close(socketFd);
    EXPECT_EQ(titles(*r), QStringList{"Error !"});
    EXPECT_EQ(platform::Forms::IfLoaded<frmNotes>(), nullptr);
    pickNext(out("text.txt"));
    main.oSysTray_MenuClick(7, QStringLiteral("mprt_note"));
    frmNotes* editor = platform::Forms::IfLoaded<frmNotes>();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->txtNote->Text(), QStringLiteral("a note"));
    EXPECT_EQ(editor->ShowMode, 0);

    // With the import still open, "Add New Note" and another import ask
    // before they throw its text away; No keeps it as it is.
    QString shown = QStringLiteral("none");
    r->onModal = [&](QObject* window) {
        auto* notes = qobject_cast<frmNotes*>(window);
        shown = notes->txtNote->Text() + QLatin1Char('|') + notes->windowTitle();
        notes->close();
    };
    editor->txtTitle->SetText(QStringLiteral("typed"));
    r->clear();
    main.oSysTray_MenuClick(5, QStringLiteral("note_add"));
    pickNext(out("text.txt"));
    main.oSysTray_MenuClick(7, QStringLiteral("mprt_note"));
    EXPECT_EQ(titles(*r), (QStringList{"Are you sure?", "Are you sure?"}));
    EXPECT_EQ(r->last().text, QStringLiteral("This Action will close the Dialog without saving anything to Data "
                                             "File. Are you sure you want to Cancel?"));
    EXPECT_EQ(shown, QStringLiteral("none"));
    ASSERT_EQ(platform::Forms::IfLoaded<frmNotes>(), editor);
    EXPECT_EQ(editor->txtTitle->Text() + QLatin1Char('|') + editor->txtNote->Text(), QStringLiteral("typed|a note"));
    // Yes lets it go: an empty editor opens in add mode.
    r->answers.push_back(MsgAnswer::Yes);
    main.oSysTray_MenuClick(5, QStringLiteral("note_add"));
    EXPECT_EQ(shown, QStringLiteral("|Create New Note ..."));
}

TEST_F(MenuActionsTest, AStartUpEntryTheDesktopRefusesLeavesTheSwitchAsItWas) {
    testsupport::TempConfigFolder config;
    QDir().mkpath(platform::AutostartEntryPath(QStringLiteral("Zandor")));
    frmMain& main = openMain();
    main.mnuOptionsWinStartup_Click();
    EXPECT_EQ(titles(*r), QStringList{"Start on Windows Startup failed!"});
    EXPECT_FALSE(platform::MenuChecked(main.Entry(QStringLiteral("mnuOptionsWinStartup"))));
    EXPECT_EQ(iniValue("app", "startup"), QStringLiteral("0"));
}

TEST_F(MenuActionsTest, ASwitchTheConfigurationFileWillNotTakeKeepsItsMarkAndSaysSo) {
    testsupport::FailingWriter disk;
    testsupport::TempConfigFolder config;
    frmMain& main = openMain();
    mFunctions::AccessAppPassword(true, QStringLiteral("abcdef"));
    struct Case {
        const char* entry;
        void (frmMain::*click)();
        const char* section;
        const char* key;
    };
    const Case cases[] = {
        {"mnuOptionsEnable", &frmMain::mnuOptionsEnable_Click, "password", "enabled"},
        {"mnuOptionsWinStartup", &frmMain::mnuOptionsWinStartup_Click, "app", "startup"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        r->clear();
        r->modalWindows.clear();
        const QString before = iniValue(c.section, c.key);
        disk.failNext();
        (main.*c.click)();
        EXPECT_EQ(titles(*r), QStringList{"Setting not saved!"});
        EXPECT_FALSE(platform::MenuChecked(main.Entry(QLatin1String(c.entry))));
        EXPECT_EQ(iniValue(c.section, c.key), before);
        EXPECT_TRUE(r->modalWindows.empty());
    }
    EXPECT_FALSE(QFileInfo::exists(platform::AutostartEntryPath(QStringLiteral("Zandor"))));
}

TEST_F(MenuActionsTest, HelpContactAndWebsiteOpenTheHelpFile) {
    testsupport::FakeOpener opened;
    frmMain& main = openMain();
    for (auto action : {&frmMain::mnuHelpFile_Click, &frmMain::mnuHelpEmail_Click, &frmMain::mnuHelpWebsite_Click})
        (main.*action)();
    EXPECT_EQ(titles(*r), (QStringList{"Help File is Missing!", "Help File is Missing!", "Help File is Missing!"}));
    folder.write("Reference.chm", "ITSF");
    for (auto action : {&frmMain::mnuHelpFile_Click, &frmMain::mnuHelpEmail_Click, &frmMain::mnuHelpWebsite_Click})
        (main.*action)();
    const QString url = QUrl::fromLocalFile(folder.file("Reference.chm")).toString();
    EXPECT_EQ(opened.urls(), (QStringList{url, url, url}));
}

// When nothing opens a file or address, a box says so and what to install; a
// help file no viewer opens is shown from its pages, in the browser.
TEST_F(MenuActionsTest, WhatNothingOpensIsReportedAndHelpFallsBackToItsPages) {
    testsupport::FakeOpener opener;
    frmMain& main = openMain();
    folder.write("Reference.chm", "ITSF");
    QDir().mkpath(folder.file("help"));
    const QString chm = QUrl::fromLocalFile(folder.file("Reference.chm")).toString();
    const QString pages = QUrl::fromLocalFile(folder.file("help/index.html")).toString();
    const QString file = QUrl::fromLocalFile(folder.file("taskexp.txt")).toString();
    const QString address = QStringLiteral("https://bank.example.com/login");
    const std::function<void()> help = [&] { main.mnuHelpFile_Click(); };
    const std::function<void()> openAddress = [&] { mGeneralFunctions::ShellOpen(address, QStringLiteral("0")); };
    const std::function<void()> openFile = [&] { mGeneralFunctions::ShellOpen(folder.file("taskexp.txt"), "0"); };
    enum Opener { Opens, NoChmViewer, OpensNothing, Missing };
    const struct {
        const char* name;
        Opener opener;
        bool pages;
        const std::function<void()>& open;
        QStringList opened;
        QString box; // its title; none when empty
        QString advice;
    } cases[] = {
        {"the help file opens", Opens, true, help, {chm}, {}, {}},
        {"no CHM viewer: the pages in the browser", NoChmViewer, true, help, {chm, pages}, {}, {}},
        {"no CHM viewer and no pages", NoChmViewer, false, help, {chm}, "Help File can't be opened!", "xchm"},
        {"neither viewer nor browser",
         OpensNothing,
         true,
         help,
         {chm, pages},
         "Help File can't be opened!",
         "web browser"},
        {"an address without a browser",
         OpensNothing,
         true,
         openAddress,
         {address},
         "Address can't be opened!",
         "install a web browser"},
        {"a file nothing opens", OpensNothing, true, openFile, {file}, "File can't be opened!", "install one"},
        {"no opener at all", Missing, true, help, {}, "Help File can't be opened!", "xchm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        opener.clear();
        r->clear();
        if (c.pages)
            folder.write("help/index.html", "<html/>");
        else
            QFile::remove(folder.file("help/index.html"));
        switch (c.opener) {
        case Opens:
            break;
        case NoChmViewer:
            opener.fail(3, QStringLiteral(".chm"));
            break;
        case OpensNothing:
            opener.fail(3);
            break;
        case Missing:
            opener.remove();
            break;
        }
        c.open();
        EXPECT_EQ(opener.urls(), c.opened);
        if (c.box.isEmpty()) {
            EXPECT_TRUE(r->boxes.empty()) << r->last().title.toStdString();
            continue;
        }
        ASSERT_EQ(r->boxes.size(), 1u);
        EXPECT_EQ(r->last().title, c.box);
        EXPECT_EQ(r->last().style, platform::MsgStyle::Information);
        EXPECT_TRUE(r->last().text.contains(c.advice)) << r->last().text.toStdString();
    }
}

TEST(ExportTemplates, ShippedTemplatesHoldEveryTag) {
    const QDir assets(testsupport::AssetSource());
    const std::pair<const char*, QStringList> templates[] = {
        {"mtngexp.txt", {"##ttl##", "##pr##", "##mfor##", "##stime##", "##etime##", "##desc##"}},
        {"taskexp.txt", {"##ttl##", "##pr##", "##st##", "##desc##", "##rem##"}},
    };
    for (const auto& [name, tags] : templates) {
        const QString text = QString::fromUtf8(fileBytes(assets.filePath(QLatin1String(name))));
        for (const QString& tag : tags)
            EXPECT_TRUE(text.contains(tag)) << name << " " << tag.toStdString();
    }
}
