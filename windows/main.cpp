// The organiser: a widget application started by mMain.Main.
#include "platform/CommandLine.h"
#include "platform/Forms.h"
#include "platform/ui/ExitWhenShown.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/QtUi.h"
#include "windows/mMain.h"

#include "data/mGeneralFunctions.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] = "Usage: veltrane [/s]\n"
                      "       veltrane --help | --version\n"
                      "\n"
                      "Veltrane, a desktop organiser: tasks and meetings filed by day, notes and\n"
                      "password entries filed by title.\n"
                      "\n"
                      "  /s          wait in the notification area instead of opening the window\n"
                      "  --help      print this text and end\n"
                      "  --version   print the version and end\n"
                      "\n"
                      "The records (data.xml), the settings (AppCfg.cfg) and the backups are kept\n"
                      "beside the program when its shipped files stand there; an installed copy\n"
                      "keeps them in $XDG_DATA_HOME/veltrane (by default ~/.local/share/veltrane).\n";

// Answers --help and --version before anything needs a display; -1 when the
// command line asks for the organiser itself.
int answerWithoutWindow(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Veltrane %s\n", qPrintable(mGeneralFunctions::ApplicationBuild(false, false)));
            return 0;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    if (const int status = answerWithoutWindow(argc, argv); status >= 0)
        return status;
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Veltrane"));
    // Matches the installed launcher, so the desktop shows its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.veltrane.Veltrane"));
    // The program ends when its last window is unloaded, not when the last
    // visible one closes: the main window may be waiting hidden in the
    // notification area while a dialog opened from there closes.
    app.setQuitOnLastWindowClosed(false);
    // With VELTRANE_EXIT_WHEN_SHOWN set the program ends once its window is
    // first shown: the start-up benchmark times that.
    platform::ExitWhenShown exitWhenShown;
    if (!qEnvironmentVariableIsEmpty("VELTRANE_EXIT_WHEN_SHOWN"))
        app.installEventFilter(&exitWhenShown);
    platform::InstallQtUi();
    platform::UseProgramFont();
    mMain::Main(platform::Command());
    if (platform::Forms::Loaded().empty())
        return 0;
    return app.exec();
}
