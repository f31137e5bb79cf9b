#include "platform/SingleInstance.h"

#include "platform/ProgramFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <map>
#include <memory>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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

namespace {

// The address of a socket path; false when the path is too long for one.
bool addressOf(const QString& name, sockaddr_un& address) {
    const QByteArray path = QFile::encodeName(name);
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    if (path.size() >= static_cast<qsizetype>(sizeof(address.sun_path)))
        return false;
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    return true;
}

} // namespace

// One later start, heard until it has said its line.
struct InstanceChannel::Caller {
    int fd = -1;
    QSocketNotifier* notifier = nullptr;
    QByteArray said;
};

InstanceChannel::InstanceChannel(const QString& folder, QObject* parent)
    : QObject(parent), m_name(InstanceChannelName(folder)) {}

// Each descriptor is heard no more before it is closed: the system gives its
// number to the next one opened at once.
InstanceChannel::~InstanceChannel() {
    for (auto& caller : m_callers) {
        delete caller->notifier;
        ::close(caller->fd);
    }
    if (m_fd >= 0) {
        delete m_listening;
        ::close(m_fd);
        ::unlink(QFile::encodeName(m_name).constData());
    }
}

bool InstanceChannel::listen() {
    if (m_fd >= 0)
        return true;
    sockaddr_un address;
    if (!addressOf(m_name, address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    // A socket left by a copy that was killed would refuse the name; only the
    // lock's holder gets here, so no running copy's socket is taken away.
    ::unlink(address.sun_path);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return false;
    }
    (void)::chmod(address.sun_path, 0600);
    m_fd = fd;
    m_listening = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_listening, &QSocketNotifier::activated, this, &InstanceChannel::accept);
    return true;
}

void InstanceChannel::accept() {
    for (;;) {
        const int fd = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0)
            return;
        auto caller = std::make_unique<Caller>();
        caller->fd = fd;
        caller->notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(caller->notifier, &QSocketNotifier::activated, this, [this, fd]() { hear(fd); });
        m_callers.push_back(std::move(caller));
    }
}

void InstanceChannel::hear(int fd) {
    auto it = std::find_if(m_callers.begin(), m_callers.end(), [fd](const auto& c) { return c->fd == fd; });
    if (it == m_callers.end())
        return;
    Caller& caller = **it;
    char buffer[kLongestRequest];
    const ssize_t got = ::read(fd, buffer, sizeof(buffer));
    if (got < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (got > 0)
        caller.said.append(buffer, got);
    const bool ended = got <= 0 || caller.said.contains('\n') || caller.said.size() >= kLongestRequest;
    if (!ended)
        return;
    const bool show = caller.said == kShowRequest;
    // Its own signal is running: it can only be deleted later.
    caller.notifier->setEnabled(false);
    caller.notifier->deleteLater();
    ::close(fd);
    m_callers.erase(it);
    if (show)
        emit showRequested();
}

bool AskRunningCopyToShow(const QString& folder, int timeoutMs) {
    sockaddr_un address;
    if (!addressOf(InstanceChannelName(folder), address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    // A local connection is made at once or refused; it waits only while the
    // running copy has calls queued that it has not taken yet.
    bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    if (!connected && (errno == EAGAIN || errno == EINPROGRESS)) {
        pollfd ready{fd, POLLOUT, 0};
        int error = 0;
        socklen_t size = sizeof(error);
        connected = ::poll(&ready, 1, timeoutMs) == 1 && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 &&
                    error == 0;
    }
    const qsizetype length = static_cast<qsizetype>(sizeof(kShowRequest) - 1);
    const bool sent = connected && ::send(fd, kShowRequest, static_cast<size_t>(length), MSG_NOSIGNAL) == length;
    ::close(fd);
    return sent;
}

} // namespace platform
