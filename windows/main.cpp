// The organiser: a widget application started by mMain.Main.
#include "platform/Forms.h"
#include "platform/ui/QtUi.h"
#include "windows/mMain.h"

#include <QApplication>
#include <QTimer>
#include <QWindow>

namespace {

// With VELTRANE_EXIT_WHEN_SHOWN set, the program ends as soon as its main
// window is first on screen and painted: the start-up benchmark times that.
class ExitWhenShown : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && watched->isWindowType() && static_cast<QWindow*>(watched)->isExposed() &&
            !m_done) {
            m_done = true;
            // Queued, so the expose's own paint runs first.
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }

private:
    bool m_done = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Veltrane"));
    // The program ends when its last window is unloaded, not when the last
    // visible one closes: the main window may be waiting hidden in the
    // notification area while a dialog opened from there closes.
    app.setQuitOnLastWindowClosed(false);
    ExitWhenShown exitWhenShown;
    if (!qEnvironmentVariableIsEmpty("VELTRANE_EXIT_WHEN_SHOWN"))
        app.installEventFilter(&exitWhenShown);
    platform::InstallQtUi();
    mMain::Main();
    if (platform::Forms::Loaded().empty())
        return 0;
    return app.exec();
}
