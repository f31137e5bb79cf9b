#include "platform/SingleInstance.h"

#include "platform/Files.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <memory>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

namespace {

QString canonicalFolder(const QString& folder) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QFileInfo(folder).absoluteFilePath() : canonical;
}

// Where a folder that refuses the lock file (installed read-only) is locked
// instead: the runtime folder, under a name made from the program folder.
QString fallbackLockFile(const QString& folder) {
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    const QByteArray hash =
        QCryptographicHash::hash(canonicalFolder(folder).toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir(runtime).filePath(QStringLiteral("veltrane-%1.lock").arg(QString::fromLatin1(hash)));
}

} // namespace

QString SingleInstanceLockFile(const QString& folder) {
    return QDir(canonicalFolder(folder)).filePath(QStringLiteral(".veltrane.lock"));
}

SingleInstanceLock::SingleInstanceLock(const QString& folder) : m_fileName(SingleInstanceLockFile(folder)) {}

SingleInstanceLock::~SingleInstanceLock() {
    unlock();
}

bool SingleInstanceLock::lockFile(const QString& fileName) {
    const QByteArray name = QFile::encodeName(fileName);
    // A copy may lock a file it can only read (one another user made): the
    // lock is the system's, not the file's content.
    int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_heldByAnother = errno == EWOULDBLOCK;
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_fileName = fileName;
    return true;
}

bool SingleInstanceLock::tryLock() {
    if (m_fd >= 0)
        return true;
    m_heldByAnother = false;
    if (lockFile(m_fileName) || m_heldByAnother)
        return m_fd >= 0;
    return lockFile(fallbackLockFile(QFileInfo(m_fileName).absolutePath()));
}

void SingleInstanceLock::unlock() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

bool PrevInstance() {
    // One lock per program folder; tests move the folder between cases.
    static std::map<QString, std::pair<std::unique_ptr<SingleInstanceLock>, bool>> locks;
    const QString folder = QFileInfo(AppPath()).absoluteFilePath();
    auto found = locks.find(folder);
    if (found == locks.end()) {
        auto lock = std::make_unique<SingleInstanceLock>(folder);
        const bool another = !lock->tryLock() && lock->heldByAnother();
        found = locks.emplace(folder, std::make_pair(std::move(lock), another)).first;
    }
    return found->second.second;
}

} // namespace platform
