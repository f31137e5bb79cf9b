#include "platform/Shell.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace platform {

bool ShellExecuteOpen(const QString& fileOrUrl, std::function<void()> onFailure) {
    QString target = fileOrUrl.trimmed();
    if (target.isEmpty())
        return false;
    QUrl url;
    if (QFileInfo::exists(target))
        url = QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    else if (target.contains(QLatin1String("://")) || target.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        url = QUrl(target);
    else if (target.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        url = QUrl(QStringLiteral("http://") + target);
    else
        url = QUrl::fromUserInput(target);
    if (!url.isValid())
        return false;
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty() || !QCoreApplication::instance()) {
        if (onFailure)
            onFailure();
        return false;
    }
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProgram(opener);
    process->setArguments({url.toString(QUrl::FullyEncoded)});
    process->setStandardInputFile(QProcess::nullDevice());
    // What the opener and the program it starts say goes where ours goes.
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    // The end is handled once, however it is signalled.
    auto ended = [process, onFailure = std::move(onFailure)](bool failed) {
        QObject::disconnect(process, nullptr, process, nullptr);
        process->deleteLater();
        if (failed && onFailure)
            onFailure();
    };
    QObject::connect(process, &QProcess::finished, process, [ended](int code, QProcess::ExitStatus status) {
        ended(status != QProcess::NormalExit || code != 0);
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [ended](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            ended(true);
    });
    process->start();
    return true;
}

} // namespace platform
