#include "platform/ui/ThemeChange.h"

#include "platform/Theme.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace platform {

void ChangeVisualStyle(const QString& name) {
    SetCurrentVisualStyle(name);
    // A window may close others while it handles the message.
    QList<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::allWidgets())
        windows.append(w);
    for (const QPointer<QWidget>& w : windows) {
        if (!w)
            continue;
        QEvent changed(QEvent::ThemeChange);
        QCoreApplication::sendEvent(w, &changed);
    }
}

} // namespace platform
