#include "platform/Files.h"

#include "platform/LargeMemory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHashFunctions>
#include <QLibrary>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

QString& appPathOverride() {
    static QString path;
    return path;
}

QString& pendingWriteFailure() {
    static QString reason;
    return reason;
}

std::function<void()>& pendingAfterReplace() {
    static std::function<void()> action;
    return action;
}

WriteStep& pendingWriteFailureStep() {
    static WriteStep step = WriteStep::Start;
    return step;
}

bool takeWriteFailure(QString* reason, WriteStep step = WriteStep::Start) {
    QString& pending = pendingWriteFailure();
    if (pending.isEmpty() || pendingWriteFailureStep() != step)
        return false;
    if (reason)
        *reason = pending;
    pending.clear();
    return true;
}

QString errnoText(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}

bool writeAll(int fd, const QByteArray& bytes, QString* reason) {
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (reason)
                *reason = errnoText(errno);
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

} // namespace

QString AppPath() {
    if (!appPathOverride().isEmpty())
        return appPathOverride();
    // The data file may be read before the application object exists; the
    // executable's own link names the folder then.
    QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    if (dir.isEmpty())
        dir = QFileInfo(ExecutablePath()).absolutePath();
    return dir;
}

void SetAppPath(const QString& folder) {
    appPathOverride() = folder;
}

QString ExecutablePath() {
    QString path = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    if (path.isEmpty())
        path = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return path;
}

QString ProgramFile(const QString& fileName) {
    return QDir(AppPath()).filePath(fileName);
}

void* ModuleFunction(const QString& module, const char* function) {
    // Beside the executable even where tests move the program folder: the
    // modules are built, not copied with the assets.
    QLibrary library(QCoreApplication::applicationDirPath() + QLatin1Char('/') + module);
    return reinterpret_cast<void*>(library.resolve(function));
}

int GetFileAttributes(const QString& path) {
    QFileInfo info(path);
    if (!info.exists())
        return -1;
    int attrs = AttrNormal;
    if (info.isDir())
        attrs |= AttrDirectory;
    if (info.fileName().startsWith(QLatin1Char('.')))
        attrs |= AttrHidden;
    if (!info.isWritable())
        attrs |= AttrReadOnly;
    return attrs;
}

namespace {

// Reads a whole file through grow(n), which makes the buffer n bytes long,
// keeping what it holds, and gives where it starts (null when memory ran out).
// The buffer ends as long as the file.
bool readAll(const QString& path, const std::function<char*(size_t)>& grow, QString* reason) {
    QByteArray name = QFile::encodeName(path);
    int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (reason)
            *reason = errnoText(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        if (reason)
            *reason = S_ISDIR(st.st_mode) ? QStringLiteral("Is a directory") : errnoText(errno);
        ::close(fd);
        return false;
    }
    // One byte more than the file holds, so the read that finds its end needs
    // no larger buffer.
    size_t size = static_cast<size_t>(st.st_size) + 1;
    char* data = grow(size);
    size_t got = 0;
    for (;;) {
        if (got == size)
            data = grow(size += 65536);
        if (!data) {
            if (reason)
                *reason = errnoText(ENOMEM);
            ::close(fd);
            return false;
        }
        ssize_t n = ::read(fd, data + got, size - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (reason)
                *reason = errnoText(errno);
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    grow(got);
    return true;
}

} // namespace

bool ReadWholeFile(const QString& path, QByteArray& bytes, QString* reason) {
    QByteArray out;
    const bool read = readAll(
        path,
        [&](size_t n) {
            out.resize(static_cast<qsizetype>(n));
            return out.data();
        },
        reason);
    if (read)
        bytes = std::move(out);
    return read;
}

bool ReadWholeFile(const QString& path, LargeBytes& bytes, QString* reason) {
    LargeBytes out;
    const bool read = readAll(
        path, [&](size_t n) { return out.resize(n) ? out.data() : nullptr; }, reason);
    if (read)
        bytes = std::move(out);
    return read;
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* reason) {
    if (takeWriteFailure(reason))
        return false;
    QByteArray name = QFile::encodeName(path);
    int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (reason)
            *reason = errnoText(errno);
        return false;
    }
    bool ok = writeAll(fd, bytes, reason);
    if (::close(fd) != 0 && ok) {
        if (reason)
            *reason = errnoText(errno);
        ok = false;
    }
    return ok;
}

namespace {

// The file a path names, following symbolic links however many (a link to a
// file not yet made included), so a save replaces the file and keeps the link.
QByteArray followLinks(const QByteArray& path) {
    QByteArray current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        QByteArray target(static_cast<qsizetype>(st.st_size > 0 ? st.st_size : 4096), '\0');
        const ssize_t n = ::readlink(current.constData(), target.data(), static_cast<size_t>(target.size()));
        if (n < 0)
            return current;
        target.truncate(n);
        if (!target.startsWith('/')) {
            const qsizetype slash = current.lastIndexOf('/');
            target = current.left(slash + 1) + target;
        }
        current = target;
    }
    return current;
}

// Flushes a folder's entries to the disk, so a rename in it survives a power cut.
void syncFolder(const QByteArray& file) {
    const qsizetype slash = file.lastIndexOf('/');
    const QByteArray folder = slash > 0 ? file.left(slash) : QByteArray(slash == 0 ? "/" : ".");
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    ::close(fd);
}

} // namespace

AtomicFileWriter::AtomicFileWriter(const QString& path) {
    if (takeWriteFailure(&m_error))
        return;
    QFileInfo target(path);
    if (target.isDir()) {
        m_error = QStringLiteral("Is a directory");
        return;
    }
    m_finalName = followLinks(QFile::encodeName(target.absoluteFilePath()));
    const qsizetype slash = m_finalName.lastIndexOf('/');
    m_tempName = m_finalName.left(slash + 1) + '.' + m_finalName.mid(slash + 1) + ".XXXXXX";
    // A file the person may not write, or one marked read-only, is not
    // replaced, even where the folder would allow the rename.
    struct stat old {};
    const bool exists = ::stat(m_finalName.constData(), &old) == 0;
    if (exists && (old.st_mode & 0222) == 0) {
        m_error = QStringLiteral("The file is read-only");
        return;
    }
    if (exists && ::access(m_finalName.constData(), W_OK) != 0) {
        m_error = errnoText(errno);
        return;
    }
    m_fd = ::mkstemp(m_tempName.data());
    if (m_fd < 0) {
        m_error = errnoText(errno);
        return;
    }
    // Keep the old file's permissions and, where the process may, its owner;
    // a new file gets the usual ones.
    // A mode that cannot be set fails the save: the temporary file's 0600
    // must not silently replace a file others could read.
    mode_t mode = old.st_mode & 07777;
    if (!exists) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (takeWriteFailure(&m_error, WriteStep::Mode) || ::fchmod(m_fd, mode) != 0) {
        if (m_error.isEmpty())
            m_error = errnoText(errno);
        ::close(m_fd);
        m_fd = -1;
        ::unlink(m_tempName.constData());
        return;
    }
    if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
        ::fchown(m_fd, old.st_uid, old.st_gid) != 0)
        (void)::fchown(m_fd, static_cast<uid_t>(-1), old.st_gid);
}

AtomicFileWriter::~AtomicFileWriter() {
    if (m_fd >= 0) {
        ::close(m_fd);
        ::unlink(m_tempName.constData());
    }
}

bool AtomicFileWriter::write(const char* data, size_t size) {
    if (m_fd < 0 || !m_error.isEmpty())
        return false;
    return writeAll(m_fd, QByteArray::fromRawData(data, static_cast<qsizetype>(size)), &m_error);
}

bool AtomicFileWriter::commit(QString* reason) {
    bool ok = m_fd >= 0 && m_error.isEmpty();
    if (m_fd >= 0) {
        // The rename replaces the old file only once every byte is on the disk,
        // so a failure or a power cut at any point leaves one whole file.
        if (ok && ::fsync(m_fd) != 0) {
            m_error = errnoText(errno);
            ok = false;
        }
        struct stat info {};
        if (ok && ::fstat(m_fd, &info) == 0)
            m_written = {static_cast<quint64>(info.st_dev), static_cast<quint64>(info.st_ino)};
        if (::close(m_fd) != 0 && ok) {
            m_error = errnoText(errno);
            ok = false;
        }
        m_fd = -1;
        if (ok && ::rename(m_tempName.constData(), m_finalName.constData()) != 0) {
            m_error = errnoText(errno);
            ok = false;
        }
        if (!ok)
            ::unlink(m_tempName.constData());
        else if (std::function<void()> action = std::exchange(pendingAfterReplace(), {}))
            action();
        // The new name itself is durable only once the folder is flushed. Once
        // renamed, the new file is in place and the old one gone, so a failed
        // flush cannot be reported as the old file standing: the save stands.
        QString ignored;
        if (ok && !takeWriteFailure(&ignored, WriteStep::FolderFlush))
            syncFolder(m_finalName);
    }
    if (!ok && reason)
        *reason = m_error;
    return ok;
}

bool ReplaceFileAtomically(const QString& path, const QByteArray& bytes, QString* reason) {
    AtomicFileWriter writer(path);
    writer.write(bytes.constData(), static_cast<size_t>(bytes.size()));
    return writer.commit(reason);
}

void RemoveStaleTemporaries(const QString& path) {
    const QByteArray link = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    QList<QByteArray> files{link};
    if (const QByteArray target = followLinks(link); target != link)
        files.append(target);
    for (const QByteArray& file : files) {
        const QFileInfo info(QFile::decodeName(file));
        QDir folder(info.absolutePath());
        // The name with any six characters after it, compared as a name
        // filter does, without building a pattern for it.
        const QString prefix = QLatin1Char('.') + info.fileName() + QLatin1Char('.');
        const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
        for (const QString& name : names)
            if (name.size() == prefix.size() + 6 && name.startsWith(prefix, Qt::CaseInsensitive))
                folder.remove(name);
    }
}

void AfterNextReplace(std::function<void()> action) {
    pendingAfterReplace() = std::move(action);
}

void FailNextWrite(const QString& reason, WriteStep step) {
    pendingWriteFailure() = reason.isEmpty() ? QStringLiteral("Write failed") : reason;
    pendingWriteFailureStep() = step;
}

namespace {

// Blocks of a fixed size, so the pieces the bytes come in do not matter.
constexpr qsizetype kDigestBlock = 64 * 1024;

} // namespace

void ContentDigest::block(const char* data, size_t size) {
    m_value = qHashBits(data, size, static_cast<size_t>(m_value));
}

void ContentDigest::add(const char* data, size_t size) {
    if (!m_partial.isEmpty()) {
        const size_t take = std::min(size, static_cast<size_t>(kDigestBlock - m_partial.size()));
        m_partial.append(data, static_cast<qsizetype>(take));
        data += take;
        size -= take;
        if (m_partial.size() < kDigestBlock)
            return;
        block(m_partial.constData(), static_cast<size_t>(kDigestBlock));
        m_partial.clear();
    }
    for (; size >= static_cast<size_t>(kDigestBlock); data += kDigestBlock, size -= kDigestBlock)
        block(data, static_cast<size_t>(kDigestBlock));
    m_partial.append(data, static_cast<qsizetype>(size));
}

quint64 ContentDigest::finish() {
    block(m_partial.constData(), static_cast<size_t>(m_partial.size()));
    m_partial.clear();
    return m_value;
}

bool ContentDigest::ofFile(const QString& path, quint64& digest) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // Read through one small buffer that stays in the cache, a block at a time.
    static thread_local std::unique_ptr<char[]> buffer(new char[kDigestBlock]);
    ContentDigest d;
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, buffer.get(), kDigestBlock);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        d.add(buffer.get(), static_cast<size_t>(n));
    }
    ::close(fd);
    if (ok)
        digest = d.finish();
    return ok;
}

quint64 ContentDigest::of(QByteArrayView bytes) {
    ContentDigest digest;
    digest.add(bytes.data(), static_cast<size_t>(bytes.size()));
    return digest.finish();
}

} // namespace platform
