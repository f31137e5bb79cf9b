#include "platform/ui/Ambient.h"

#include "platform/PropertyBag.h"

#include <QApplication>
#include <QWidget>

namespace platform {

QFont AmbientFont(const QWidget* control) {
    const QWidget* host = control ? control->parentWidget() : nullptr;
    return host ? host->font() : QApplication::font();
}

OleColor AmbientForeColor(const QWidget* control) {
    const QWidget* host = control ? control->parentWidget() : nullptr;
    const QPalette palette = host ? host->palette() : QApplication::palette();
    const QPalette::ColorRole role = host ? host->foregroundRole() : QPalette::WindowText;
    return FromQColor(palette.color(role));
}

QString AmbientDisplayName(QWidget* control, const QString& defaultStem) {
    if (!control)
        return QString();
    if (!control->objectName().isEmpty())
        return control->objectName();
    QList<QObject*> siblings;
    if (QWidget* host = control->parentWidget()) {
        siblings = host->children();
    } else {
        for (QWidget* top : QApplication::topLevelWidgets())
            siblings.append(top);
    }
    for (int n = 1;; ++n) {
        const QString candidate = defaultStem + QString::number(n);
        bool taken = false;
        for (const QObject* s : siblings)
            if (s != control && s->objectName() == candidate) {
                taken = true;
                break;
            }
        if (!taken) {
            control->setObjectName(candidate);
            return candidate;
        }
    }
}

bool AmbientUserMode(const QWidget* control) {
    const QWidget* host = control ? control->parentWidget() : nullptr;
    if (host) {
        const QVariant mode = host->property("UserMode");
        if (mode.isValid())
            return mode.toBool();
    }
    return AmbientUserMode();
}

} // namespace platform
