// The organiser: a widget application whose one window is the main window.
#include "platform/ui/QtUi.h"
#include "windows/frmMain.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Veltrane"));
    // The program ends when its last window is unloaded, not when the last
    // visible one closes: the main window may be waiting hidden in the
    // notification area while a dialog opened from there closes.
    app.setQuitOnLastWindowClosed(false);
    platform::InstallQtUi();
    platform::Forms::Get<frmMain>().Show();
    if (platform::Forms::Loaded().empty())
        return 0;
    return app.exec();
}
