// The organiser: a widget application started by mMain.Main.
#include "platform/Forms.h"
#include "platform/ui/ExitWhenShown.h"
#include "platform/ui/QtUi.h"
#include "windows/mMain.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Veltrane"));
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
    mMain::Main();
    if (platform::Forms::Loaded().empty())
        return 0;
    return app.exec();
}
