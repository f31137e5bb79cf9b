#include "platform/ProgramFolder.h"

#include "platform/FileIO.h"
#include "platform/Ui.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <utility>

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

// The folder a stand-in put in use, if any.
QString& standInFolder() {
    static QString path;
    return path;
}

const ProgramFolders& runningFolders() {
    // Not a guarded static: a start whose folder cannot be made ends the
    // process from inside FoldersFor.
    static std::optional<ProgramFolders> folders;
    if (!folders)
        folders = FoldersFor(QFileInfo(ExecutablePath()).absolutePath());
    return *folders;
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

// The shipped files a person changes: their first versions are copied to the
// per-user folder. Each copy is its owner's alone, as every file the writer
// makes.
bool copyPersonal(const QString& from, const QString& to, QString* reason) {
    for (const char* name : {"data.xml", "AppCfg.cfg", "mtngexp.txt", "taskexp.txt"}) {
        const QString file = QDir(from).filePath(QLatin1String(name));
        if (!QFileInfo::exists(file))
            continue;
        QByteArray bytes;
        if (!ReadWholeFile(file, bytes, reason)) {
            // The fault is the install's, not the person's folder.
            *reason = file + QStringLiteral(": ") + *reason;
            return false;
        }
        if (!FileWriter::current().replace(QDir(to).filePath(QLatin1String(name)), bytes, reason))
            return false;
    }
    return true;
}

// Whoever started the program learns why it cannot go on before it ends,
// rather than meeting a missing settings file next.
[[noreturn]] void cannotMake(const QString& folder, const QString& reason) {
    const QString text = reason + QStringLiteral("\r\n") + folder;
    const QString title = QStringLiteral("The program folder can't be made");
    ReportFailure(text, title);
    MsgBox(text, MsgStyle::Critical, title);
    EndProcess(EXIT_FAILURE);
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
        cannotMake(folder, reason);
    QByteArray temporary = name + ".XXXXXX";
    if (!::mkdtemp(temporary.data()))
        cannotMake(folder, errnoText());
    if (copyPersonal(shipped, QFile::decodeName(temporary), &reason)) {
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
        return {beside.absolutePath(), beside.absolutePath(), beside.absolutePath()};
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/veltrane");
    makeUserFolder(folder, shipped);
    return {folder, shipped, QDir::cleanPath(beside.filePath(QStringLiteral(VELTRANE_MODULES_FROM_BIN)))};
}

QString AppPath() {
    if (!standInFolder().isEmpty())
        return standInFolder();
    return runningFolders().program;
}

QString ProgramFolderStandIn::install(const QString& folder) {
    return std::exchange(standInFolder(), folder);
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

QString ShippedFile(const QString& fileName) {
    const QString& folder = standInFolder().isEmpty() ? runningFolders().shipped : standInFolder();
    return QDir(folder).filePath(fileName);
}

QString ModuleFolder() {
    return runningFolders().modules;
}

} // namespace platform
