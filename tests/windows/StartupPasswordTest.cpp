#include "WindowsFixture.h"

#include "FailingWriter.h"
#include "WidgetEvents.h"

#include "controls/XPButton.h"
#include "data/mFunctionsServices.h"
#include "platform/ui/TextBox.h"
#include "windows/frmAppPassword.h"
#include "windows/frmChangePassword.h"
#include "windows/mMain.h"

#include <QFile>
#include <QLabel>

namespace Forms = platform::Forms;
using platform::MsgAnswer;

namespace {

QByteArray config(const char* enabledLine, const QString& password = QString()) {
    const QString stored = password.isEmpty() ? QString() : EncipherField(password);
    return QStringLiteral("[password]\n%1password=%2\n\n[app]\nstartup=0\n")
        .arg(QLatin1String(enabledLine), stored)
        .toUtf8();
}

QStringList titles(const testsupport::MessageBoxResponder& r) {
    QStringList out;
    for (const auto& b : r.boxes)
        out << b.title;
    return out;
}

// Which of the three start-up windows is loaded.
QString openWindow() {
    QStringList names;
    for (platform::Form* f : Forms::Loaded())
        if (f->formName() == QLatin1String("frmMain") || f->formName() == QLatin1String("frmAppPassword") ||
            f->formName() == QLatin1String("frmChangePassword"))
            names << f->formName();
    return names.join(QLatin1Char(','));
}

} // namespace

TEST_F(WindowsTest, StartUpOpensOneWindowByTheConfiguration) {
    struct Case {
        const char* name;
        bool configPresent;
        const char* enabledLine;
        QString password;
        QString window;
        QStringList boxes;
    } cases[] = {
        {"no configuration", false, "", {}, "", {"Application can't be Started!"}},
        {"switch missing counts as on", true, "", {}, "frmChangePassword", {"Please set Password now ..."}},
        {"on without password", true, "enabled=1\n", {}, "frmChangePassword", {"Please set Password now ..."}},
        {"on with password", true, "enabled=1\n", "secret1", "frmAppPassword", {}},
        {"off", true, "enabled=0\n", "secret1", "frmMain", {}},
        {"True in any case is on", true, "enabled=tRUE\n", "secret1", "frmAppPassword", {}},
        {"False in any case is off", true, "enabled= false\n", "secret1", "frmMain", {}},
        {"another word counts as on", true, "enabled=yes\n", "secret1", "frmAppPassword", {}},
        {"a number other than 0 is on", true, "enabled=-1\n", "secret1", "frmAppPassword", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.configPresent)
            folder.write("AppCfg.cfg", config(c.enabledLine, c.password));
        else
            QFile::remove(folder.file("AppCfg.cfg"));
        r->clear();
        if (c.configPresent)
            mMain::Main();
        else
            EXPECT_THROW(mMain::Main(), platform::ProcessEnded);
        EXPECT_EQ(openWindow(), c.window);
        EXPECT_EQ(titles(*r), c.boxes);
        mGeneralFunctions::UnloadAllForms();
        fixture::drain();
    }
}

TEST_F(WindowsTest, ThePromptLetsOnlyTheExactPasswordIn) {
    struct Case {
        const char* name;
        QString typed;
        std::deque<MsgAnswer> answers;
        QStringList boxes;
        QString window;
    } cases[] = {
        {"blank", "   ", {}, {"Password?"}, "frmAppPassword"},
        {"one letter's case, try again", "Secret1", {MsgAnswer::Yes}, {"Wrong Password!"}, "frmAppPassword"},
        {"wrong, give up", "nope", {MsgAnswer::No}, {"Wrong Password!", "Authentication Failed!"}, ""},
        {"right", "secret1", {}, {}, "frmMain"},
    };
    folder.write("AppCfg.cfg", config("enabled=1\n", "secret1"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mMain::Main();
        frmAppPassword& prompt = UseForm<frmAppPassword>();
        EXPECT_EQ(prompt.btnOk->Caption(), QStringLiteral("&OK"));
        r->clear();
        r->answers = c.answers;
        prompt.txtPassword->SetText(c.typed);
        // Enter in the box is the button's click. A refusal ends the start,
        // with a failure status.
        if (c.window.isEmpty()) {
            try {
                prompt.btnOk_Click();
                ADD_FAILURE() << "the start went on";
            } catch (const platform::ProcessEnded& ended) {
                EXPECT_EQ(ended.exitCode, EXIT_FAILURE);
            }
        } else {
            widgetevents::key(prompt.txtPassword, Qt::Key_Return, QStringLiteral("\r"));
        }
        EXPECT_EQ(titles(*r), c.boxes);
        EXPECT_EQ(openWindow(), c.window);
        if (c.window == QLatin1String("frmAppPassword")) {
            EXPECT_EQ(prompt.txtPassword->Text(), c.typed) << "the typed text stays";
        }
        mGeneralFunctions::UnloadAllForms();
        fixture::drain();
    }

    // A configuration file without its password section cannot be checked
    // against: the program ends.
    folder.write("AppCfg.cfg", "[app]\nstartup=0\n");
    UseForm<frmAppPassword>().txtPassword->SetText(QStringLiteral("secret1"));
    r->clear();
    EXPECT_THROW(UseForm<frmAppPassword>().btnOk_Click(), platform::ProcessEnded);
    EXPECT_EQ(titles(*r), QStringList{"Authentication can't be processed!"});
    EXPECT_EQ(r->last().text, QStringLiteral("Application Configuration File is not valid! Please try reinstalling "
                                             "the Application to solve this error issue."));
    EXPECT_TRUE(Forms::Loaded().empty());
}

TEST_F(WindowsTest, SettingAndChangingThePasswordChecksInOrderAndReportsWhatWasStored) {
    testsupport::FailingWriter disk;
    struct Case {
        const char* name;
        QString stored; // before; empty: first time
        QString current, fresh, confirm;
        bool failWrite;
        QString title;
        QString storedAfter;
    } cases[] = {
        {"current blank", "secret1", " ", "abcdef", "abcdef", false, "Current Password?", "secret1"},
        {"current differs in case", "secret1", "Secret1", "abcdef", "abcdef", false, "Wrong Password!", "secret1"},
        {"six blanks are blank", "", "", "      ", "      ", false, "New Password?", ""},
        {"five characters", "", "", "abcde", "abcde", false, "Too small Password!", ""},
        {"confirmation blank", "", "", "abcdef", "", false, "Retype Password for Confirmation ...", ""},
        {"confirmation differs", "", "", "abcdef", "abcdeF", false, "Password Confirmation failed!", ""},
        {"blanks around count", "", "", " abcd ", " abcd ", false, "Done!", " abcd "},
        {"changed", "secret1", "secret1", "newpass", "newpass", false, "Done!", "newpass"},
        // A configuration file that cannot be written keeps the old password
        // and the dialog, and says so.
        {"write fails", "secret1", "secret1", "newpass", "newpass", true, "Password not saved!", "secret1"},
        {"first write fails", "", "", "abcdef", "abcdef", true, "Password not saved!", ""},
        // Too long for the file's value buffer: read back cut, so the old
        // password goes back rather than one nobody typed.
        {"read back differs", "secret1", "secret1", QString(2600, 'p'), QString(2600, 'p'), false,
         "Password not saved!", "secret1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        folder.write("AppCfg.cfg", config("enabled=1\n", c.stored));
        frmChangePassword& dialog = UseForm<frmChangePassword>();
        EXPECT_EQ(dialog.txtOldPassword->isEnabled(), !c.stored.isEmpty());
        EXPECT_EQ(dialog.lblInfo[0]->isEnabled(), !c.stored.isEmpty());
        EXPECT_EQ(dialog.btnOk->Caption(), c.stored.isEmpty() ? QStringLiteral("Done!") : QStringLiteral("&Change"));
        dialog.txtOldPassword->SetText(c.current);
        dialog.txtNewPassword->SetText(c.fresh);
        dialog.txtConfPassword->SetText(c.confirm);
        r->clear();
        if (c.failWrite)
            disk.failNext();
        dialog.btnOk_Click();
        EXPECT_EQ(titles(*r), QStringList{c.title});
        EXPECT_EQ(mFunctions::AccessAppPassword(false, QString()), c.storedAfter);
        const bool done = c.title == QLatin1String("Done!");
        EXPECT_EQ(Forms::IfLoaded<frmChangePassword>() == nullptr, done);
        if (done) {
            EXPECT_TRUE(r->last().text.endsWith(QStringLiteral("Password is: ") + c.storedAfter));
        }
        mGeneralFunctions::UnloadAllForms();
        fixture::drain();
    }
}

TEST_F(WindowsTest, TheFirstPasswordSetAtStartUpOpensTheMainWindowAndCancelEndsTheProgram) {
    folder.write("AppCfg.cfg", config("enabled=1\n"));
    mMain::Main();
    UseForm<frmChangePassword>().btnCancel_Click();
    EXPECT_TRUE(Forms::Loaded().empty());

    mMain::Main();
    frmChangePassword& dialog = UseForm<frmChangePassword>();
    dialog.txtNewPassword->SetText(QStringLiteral("abcdef"));
    dialog.txtConfPassword->SetText(QStringLiteral("abcdef"));
    r->clear();
    dialog.btnOk_Click();
    EXPECT_EQ(r->last().text, QStringLiteral("You have successfully set Application Access Password! Now, your "
                                             "Application Access Password is: abcdef"));
    EXPECT_EQ(openWindow(), QStringLiteral("frmMain"));
}
