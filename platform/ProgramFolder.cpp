#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {

QString& appPathOverride() {
    static QString path;
    return path;
}

} // namespace

QString AppPath() {
    if (!appPathOverride().isEmpty())
        return appPathOverride();
    return QFileInfo(ExecutablePath()).absolutePath();
}

void SetAppPath(const QString& folder) {
    appPathOverride() = folder;
}

QString ExecutablePath() {
    // Asked before the application object exists too, as a failed start may be.
    QString path = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    if (path.isEmpty())
        path = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return path;
}

QString ProgramFile(const QString& fileName) {
    return QDir(AppPath()).filePath(fileName);
}

} // namespace platform
