#include "platform/CommandLine.h"

#include <QCoreApplication>
#include <QStringList>

namespace platform {

namespace {
std::optional<QString>& commandOverride() {
    static std::optional<QString> value;
    return value;
}
} // namespace

QString Command() {
    if (commandOverride())
        return *commandOverride();
    QStringList args = QCoreApplication::arguments();
    if (!args.isEmpty())
        args.removeFirst();
    return args.join(QLatin1Char(' '));
}

void SetCommandOverride(std::optional<QString> commandLine) {
    commandOverride() = std::move(commandLine);
}

} // namespace platform
