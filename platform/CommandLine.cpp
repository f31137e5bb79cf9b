#include "platform/CommandLine.h"

#include <QCoreApplication>
#include <QStringList>

namespace platform {

QString Command() {
    QStringList args = QCoreApplication::arguments();
    if (!args.isEmpty())
        args.removeFirst();
    return args.join(QLatin1Char(' '));
}

} // namespace platform
