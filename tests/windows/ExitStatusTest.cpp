#include "WindowsFixture.h"

#include "StandardError.h"

#include "data/mNotes.h"
#include "windows/mMain.h"

#include <QFile>
#include <QProcess>
#include <functional>

namespace Forms = platform::Forms;
using platform::MsgAnswer;

// A run that cannot go on says why on standard error before its box is shown,
// and ends with a failure status; an end the person asked for is a success.
TEST_F(WindowsTest, AnEndThatIsAFailureSaysWhyOnStandardErrorFirstAndFailsTheStatus) {
    const QByteArray shippedConfig = [] {
        QFile f(testsupport::AssetSource() + QStringLiteral("/AppCfg.cfg"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    const QByteArray damaged = "<?xml version=\"1.0\"?>\n<zandor><notes>";
    struct Case {
        const char* name;
        std::function<void()> act;
        const char* title;
        int status;
    } cases[] = {
        {"a start without its configuration file",
         [&] {
             QFile::remove(folder.file("AppCfg.cfg"));
             mMain::Main();
         },
         "Application can't be Started!", EXIT_FAILURE},
        {"a start on a damaged data file",
         [&] {
             folder.writeData(damaged);
             mMain::Main();
         },
         "Data File is missing or invalid!", EXIT_FAILURE},
        {"the main window without its configuration file",
         [&] {
             QFile::remove(folder.file("AppCfg.cfg"));
             Forms::Get<frmMain>().Show();
         },
         "Configuration File Missing!", EXIT_FAILURE},
        {"a later operation on a data file damaged meanwhile",
         [&] {
             openMain();
             folder.writeData(damaged);
             mNotes::DeleteNote(QStringLiteral("Plans"));
         },
         "Data File is missing or invalid!", EXIT_FAILURE},
        {"a backup of a data file gone meanwhile",
         [&] {
             frmMain& main = openMain();
             QFile::remove(folder.dataFile());
             main.mnuFileBackupCreate_Click();
         },
         "Data File Missing!", EXIT_FAILURE},
        {"Close, answered Yes",
         [&] {
             frmMain& main = openMain();
             r->answers = {MsgAnswer::Yes};
             main.mnuFileClose_Click();
         },
         "Close Application Now?", EXIT_SUCCESS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        folder.write("AppCfg.cfg", shippedConfig);
        folder.writeData(fixture::data(QString()));
        r->clear();
        testsupport::CapturedStandardError err;
        QString saidBeforeTheBox;
        r->onBox = [&](const testsupport::RecordedBox&) {
            if (r->boxes.size() == 1)
                saidBeforeTheBox = err.text();
        };
        int status = -1;
        try {
            c.act();
        } catch (const platform::ProcessEnded& end) {
            status = end.exitCode;
        }
        r->onBox = nullptr;
        EXPECT_EQ(status, c.status);
        ASSERT_FALSE(r->boxes.empty());
        EXPECT_EQ(r->boxes.front().title, QLatin1String(c.title));
        if (c.status == EXIT_SUCCESS) {
            EXPECT_FALSE(err.text().contains(QLatin1String("veltrane: "))) << err.text().toStdString();
        } else {
            EXPECT_TRUE(saidBeforeTheBox.contains(QStringLiteral("veltrane: ") + QLatin1String(c.title) + '\n'))
                << saidBeforeTheBox.toStdString();
            EXPECT_TRUE(saidBeforeTheBox.contains(r->boxes.front().text.section(QLatin1Char('\r'), 0, 0)));
        }
        if (r->boxes.front().title == QLatin1String("Data File is missing or invalid!")) {
            EXPECT_EQ(folder.readData(), damaged) << "a damaged file is left as it was";
        }
        EXPECT_TRUE(Forms::Loaded().empty());
        mGeneralFunctions::UnloadAllForms();
        fixture::drain();
    }
}

// --help and --version answer without a window, so without a display too.
TEST(CommandLine, HelpAndVersionAnswerWithoutADisplay) {
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/veltrane");
    ASSERT_TRUE(QFile::exists(program));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    const struct {
        const char* argument;
        QStringList lines;
    } cases[] = {
        {"--version", {QStringLiteral("Veltrane ") + mGeneralFunctions::ApplicationBuild(false, false)}},
        {"--help", {"Usage: veltrane [/s]", "  /s  ", "  --help  ", "  --version  "}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument);
        QProcess run;
        run.setProcessEnvironment(env);
        run.start(program, {QLatin1String(c.argument)});
        ASSERT_TRUE(run.waitForFinished(10000));
        EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(run.exitCode(), 0);
        const QString out = QString::fromUtf8(run.readAllStandardOutput());
        for (const QString& line : c.lines)
            EXPECT_TRUE(out.contains(line)) << out.toStdString();
        EXPECT_EQ(run.readAllStandardError(), QByteArray());
    }
}
