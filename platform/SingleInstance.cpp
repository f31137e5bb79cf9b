#include "platform/SingleInstance.h"

#include "platform/ProgramFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <map>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

QString canonicalFolder(const QString& folder) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QFileInfo(folder).absoluteFilePath() : canonical;
}

// The folder the data file really lies in: a data.xml that is a link is
// saved beside its target, so that is where two copies meet.
QString dataFileFolder(const QString& programFolder) {
    const QString target = QFileInfo(QDir(programFolder).filePath(QStringLiteral("data.xml"))).canonicalFilePath();
    return target.isEmpty() ? canonicalFolder(programFolder) : QFileInfo(target).absolutePath();
}

// The lock of a data file whose folder refuses a lock file (one installed
// read-only, or a copy whose user may not write there): a file in /tmp (not
// TMPDIR, which differs between users) named after the data file's folder,
// which every user's copy finds.
QString folderHash(const QString& dataFolder) {
    return QString::fromLatin1(
        QCryptographicHash::hash(dataFolder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

QString sharedLockFile(const QString& dataFolder) {
    return QStringLiteral("/tmp/veltrane-%1.lock").arg(folderHash(dataFolder));
}

// The one request a later start sends.
constexpr char kShowRequest[] = "show\n";
// A request is one short line; a sender that says more is not listened to.
constexpr qint64 kLongestRequest = 64;

// Opens a lock file, making it when `create` (readable by every user whatever
// the umask, so every copy can lock it), and takes the lock. A copy may lock a
// file it can only read (one another user made): the lock is the system's,
// not the file's content. Gives the descriptor, -1 with `heldByAnother` set
// when another holder has the lock, or -1 when the file cannot be opened. A
// link is never followed and only a file this copy has just made has its mode
// set, so a name planted in a shared folder cannot turn the lock against
// another file. `trusted`, when given, says whose existing file may serve; a
// file of anyone else is left alone, as if it could not be opened.
int lockFile(const QString& fileName, bool create, bool& heldByAnother,
             const std::function<bool(uid_t)>& trusted = {}) {
    const QByteArray name = QFile::encodeName(fileName);
    constexpr int kFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    int fd = create ? ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | kFlags, 0644) : -1;
    if (fd >= 0)
        (void)::fchmod(fd, 0644);
    else
        fd = ::open(name.constData(), O_RDONLY | kFlags);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || (trusted && !trusted(info.st_uid))) {
        ::close(fd);
        return -1;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        heldByAnother = errno == EWOULDBLOCK;
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

QString SingleInstanceLockFile(const QString& folder) {
    return QDir(dataFileFolder(folder)).filePath(QStringLiteral(".veltrane.lock"));
}

SingleInstanceLock::SingleInstanceLock(const QString& folder)
    : m_fileName(SingleInstanceLockFile(folder)), m_dataFolder(dataFileFolder(folder)),
      m_sharedFileName(sharedLockFile(m_dataFolder)) {}

SingleInstanceLock::~SingleInstanceLock() {
    unlock();
}

bool SingleInstanceLock::tryLock() {
    if (isLocked())
        return true;
    m_heldByAnother = false;
    // Each copy takes the lock it can make, then the other one if it exists:
    // a copy that may not make the folder's lock file and one that may, both
    // holding their own while they look, always meet. The shared file is only
    // made where it is needed.
    // In the shared folder anyone may make the file first: one of this user,
    // the system's or the data folder's owner's serves, another's is not
    // trusted.
    struct stat folderInfo {};
    const bool folderKnown = ::stat(QFile::encodeName(m_dataFolder).constData(), &folderInfo) == 0;
    const auto trusted = [&](uid_t owner) {
        return owner == ::geteuid() || owner == 0 || (folderKnown && owner == folderInfo.st_uid);
    };
    m_fd = lockFile(m_fileName, true, m_heldByAnother);
    if (!m_heldByAnother)
        m_sharedFd = lockFile(m_sharedFileName, m_fd < 0, m_heldByAnother, trusted);
    if (!m_heldByAnother && m_fd < 0 && m_sharedFd >= 0)
        m_fd = lockFile(m_fileName, false, m_heldByAnother);
    if (m_heldByAnother)
        unlock();
    return isLocked();
}

void SingleInstanceLock::unlock() {
    for (int* fd : {&m_fd, &m_sharedFd}) {
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    }
}

namespace {

// The process's own lock on a program folder, and whether another copy held
// it when first asked.
struct InstanceLock {
    std::unique_ptr<SingleInstanceLock> lock;
    bool another = false;
};

const InstanceLock& instanceLock() {
    // One lock per program folder; tests move the folder between cases.
    static std::map<QString, InstanceLock> locks;
    const QString folder = QFileInfo(AppPath()).absoluteFilePath();
    auto found = locks.find(folder);
    if (found == locks.end()) {
        InstanceLock taken{std::make_unique<SingleInstanceLock>(folder)};
        taken.another = !taken.lock->tryLock() && taken.lock->heldByAnother();
        found = locks.emplace(folder, std::move(taken)).first;
    }
    return found->second;
}

} // namespace

bool PrevInstance() {
    return instanceLock().another;
}

bool InstanceLockHeld() {
    return instanceLock().lock->isLocked();
}

QString InstanceChannelName(const QString& folder) {
    // The runtime folder is the user's own: no other user can take the name
    // or listen in, and it is emptied when the user's last session ends.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return QDir(runtime.isEmpty() ? QDir::tempPath() : runtime)
        .filePath(QStringLiteral("veltrane-%1.socket").arg(folderHash(dataFileFolder(folder))));
}

InstanceChannel::InstanceChannel(const QString& folder, QObject* parent)
    : QObject(parent), m_name(InstanceChannelName(folder)) {}

InstanceChannel::~InstanceChannel() = default;

bool InstanceChannel::listen() {
    if (m_server && m_server->isListening())
        return true;
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &InstanceChannel::accept);
    }
    // A socket left by a copy that was killed would refuse the name.
    QLocalServer::removeServer(m_name);
    return m_server->listen(m_name);
}

void InstanceChannel::accept() {
    while (QLocalSocket* peer = m_server->nextPendingConnection()) {
        connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        connect(peer, &QLocalSocket::readyRead, this, [this, peer]() {
            if (!peer->canReadLine()) {
                if (peer->bytesAvailable() > kLongestRequest)
                    peer->abort();
                return;
            }
            const bool show = peer->readLine(kLongestRequest) == kShowRequest;
            peer->disconnectFromServer();
            if (show)
                emit showRequested();
        });
    }
}

bool AskRunningCopyToShow(const QString& folder, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(InstanceChannelName(folder));
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(kShowRequest);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    socket.disconnectFromServer();
    return true;
}

} // namespace platform
