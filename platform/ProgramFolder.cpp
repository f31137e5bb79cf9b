#include "platform/ProgramFolder.h"

#include "platform/FileIO.h"
#include "platform/Ui.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

// Where an installed copy's shipped files and modules lie, from the folder of
// its executable; the build sets both from its install folders.
#ifndef VELTRANE_SHARED_FROM_BIN
#define VELTRANE_SHARED_FROM_BIN "../share/veltrane"
#endif
#ifndef VELTRANE_MODULES_FROM_BIN
#define VELTRANE_MODULES_FROM_BIN "../lib/veltrane"
#endif

namespace platform {

namespace {

QString& appPathOverride() {
    static QString path;
    return path;
}

const ProgramFolders& runningFolders() {
    static const ProgramFolders folders = FoldersFor(QFileInfo(ExecutablePath()).absolutePath());
    return folders;
}

// The files a start reads first stand beside the executable.
bool shippedBeside(const QDir& folder) {
    return folder.exists(QStringLiteral("AppCfg.cfg")) || folder.exists(QStringLiteral("data.xml"));
}

QString errnoText() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Makes every missing folder of a path for its owner alone, as the user's
// data folder itself is to be made.
bool makePath(const QString& path, QString* reason) {
    const QByteArray name = QFile::encodeName(QDir::cleanPath(path));
    for (qsizetype slash = name.indexOf('/', 1);; slash = name.indexOf('/', slash + 1)) {
        const QByteArray part = slash < 0 ? name : name.left(slash);
        if (::mkdir(part.constData(), 0700) != 0 && errno != EEXIST) {
            *reason = errnoText();
            return false;
        }
        if (slash < 0)
            return true;
    }
}

// Copies every shipped file, subfolders included; each copy is its owner's
// alone, as every file the writer makes.
bool copyShipped(const QString& from, const QString& to, QString* reason) {
    const QDir source(from);
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString copy = QDir(to).filePath(source.relativeFilePath(file));
        QByteArray bytes;
        if (!makePath(QFileInfo(copy).absolutePath(), reason) || !ReadWholeFile(file, bytes, reason) ||
            !FileWriter::current().replace(copy, bytes, reason))
            return false;
    }
    return true;
}

void cannotMake(const QString& folder, const QString& reason) {
    ReportFailure(reason + QStringLiteral("\r\n") + folder, QStringLiteral("The program folder can't be made"));
}

// The per-user folder on an installed copy's first start. It is filled under
// a temporary name beside it and renamed into place whole, so a start that
// fails or is killed halfway leaves no half-filled folder that later starts
// would take as it is.
void makeUserFolder(const QString& folder, const QString& shipped) {
    const QByteArray name = QFile::encodeName(folder);
    struct stat st {};
    if (::lstat(name.constData(), &st) == 0)
        return;
    QString reason;
    if (!makePath(QFileInfo(folder).absolutePath(), &reason))
        return cannotMake(folder, reason);
    QByteArray temporary = name + ".XXXXXX";
    if (!::mkdtemp(temporary.data()))
        return cannotMake(folder, errnoText());
    if (copyShipped(shipped, QFile::decodeName(temporary), &reason)) {
        if (::rename(temporary.constData(), name.constData()) == 0)
            return;
        // Another copy starting at the same moment made it first.
        reason = errno == EEXIST || errno == ENOTEMPTY ? QString() : errnoText();
    }
    QDir(QFile::decodeName(temporary)).removeRecursively();
    if (!reason.isEmpty())
        cannotMake(folder, reason);
}

} // namespace

ProgramFolders FoldersFor(const QString& executableFolder) {
    const QDir beside(executableFolder);
    const QString shipped = QDir::cleanPath(beside.filePath(QStringLiteral(VELTRANE_SHARED_FROM_BIN)));
    if (shippedBeside(beside) || !QFileInfo(shipped).isDir())
        return {beside.absolutePath(), beside.absolutePath()};
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/veltrane");
    makeUserFolder(folder, shipped);
    return {folder, QDir::cleanPath(beside.filePath(QStringLiteral(VELTRANE_MODULES_FROM_BIN)))};
}

QString AppPath() {
    if (!appPathOverride().isEmpty())
        return appPathOverride();
    return runningFolders().program;
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

QString ModuleFolder() {
    return runningFolders().modules;
}

} // namespace platform
