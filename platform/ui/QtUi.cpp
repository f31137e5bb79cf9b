#include "platform/ui/QtUi.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <cstdlib>

namespace platform {

namespace {

// Ends a local event loop once the watched window is hidden or destroyed.
class ModalWatcher : public QObject {
public:
    ModalWatcher(QWidget* window, QEventLoop* loop) : m_loop(loop) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide || event->type() == QEvent::Close)
            QMetaObject::invokeMethod(m_loop, "quit", Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }

private:
    QEventLoop* m_loop;
};

} // namespace

MsgAnswer QtUiHandler::messageBox(const QString& text, MsgStyle style, const QString& title) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    switch (style) {
    case MsgStyle::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgStyle::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgStyle::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgStyle::YesNoQuestion:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgStyle::OkOnly:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    if (style == MsgStyle::YesNoQuestion) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    int r = box.exec();
    if (style == MsgStyle::YesNoQuestion)
        return r == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
    return MsgAnswer::Ok;
}

void RunModal(QWidget* window) {
    if (!window)
        return;
    QPointer<QWidget> guard(window);
    QEventLoop loop;
    ModalWatcher watcher(window, &loop);
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    window->raise();
    window->activateWindow();
    if (guard && guard->isVisible())
        loop.exec(QEventLoop::DialogExec);
    if (guard)
        guard->setWindowModality(Qt::NonModal);
}

void QtUiHandler::showModal(QObject* window) {
    RunModal(qobject_cast<QWidget*>(window));
}

void QtUiHandler::endProcess(int exitCode) {
    // The organiser's fatal paths have already shown their message and unloaded
    // every window; nothing is left to save.
    std::exit(exitCode);
}

void QtUiHandler::setTopMost(int32_t windowHandle, bool onTop) {
    auto* w = qobject_cast<QWidget*>(ObjectFromHandle(windowHandle));
    if (!w)
        return;
    // Changing the flag hides the window; it is shown again, as the call also
    // shows the window.
    w->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    w->show();
}

void InstallQtUi() {
    InstallUiHandler(std::make_shared<QtUiHandler>());
}

} // namespace platform
