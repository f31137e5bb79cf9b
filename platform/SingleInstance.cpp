#include "platform/SingleInstance.h"

#include "platform/Files.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace platform {

QString SingleInstanceLockFile(const QString& programPath) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    // One program reached through a link or a relative path is still one program.
    QString canonical = QFileInfo(programPath).canonicalFilePath();
    if (canonical.isEmpty())
        canonical = QFileInfo(programPath).absoluteFilePath();
    const QByteArray hash = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir(folder).filePath(QStringLiteral("veltrane-%1.lock").arg(QString::fromLatin1(hash)));
}

SingleInstanceLock::SingleInstanceLock(const QString& programPath)
    : m_fileName(SingleInstanceLockFile(programPath)), m_lock(std::make_unique<QLockFile>(m_fileName)) {
    // A lock is stale only when its process is gone, never because it is old:
    // the organiser runs for days.
    m_lock->setStaleLockTime(0);
}

SingleInstanceLock::~SingleInstanceLock() = default;

bool SingleInstanceLock::tryLock() {
    if (m_lock->isLocked())
        return true;
    QDir().mkpath(QFileInfo(m_fileName).absolutePath());
    return m_lock->tryLock(0);
}

bool SingleInstanceLock::heldByAnother() const {
    return !m_lock->isLocked() && m_lock->error() == QLockFile::LockFailedError;
}

bool SingleInstanceLock::isLocked() const {
    return m_lock->isLocked();
}

void SingleInstanceLock::unlock() {
    m_lock->unlock();
}

bool PrevInstance() {
    static SingleInstanceLock lock(ExecutablePath());
    static const bool another = !lock.tryLock() && lock.heldByAnother();
    return another;
}

} // namespace platform
