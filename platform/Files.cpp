#include "platform/Files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

bool takeWriteFailure(QString* reason) {
    QString& pending = pendingWriteFailure();
    if (pending.isEmpty())
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
    QString dir = QCoreApplication::applicationDirPath();
    if (dir.isEmpty())
        dir = QFileInfo(ExecutablePath()).absolutePath();
    return dir;
}

void SetAppPath(const QString& folder) {
    appPathOverride() = folder;
}

QString ExecutablePath() {
    QString path = QCoreApplication::applicationFilePath();
    if (path.isEmpty())
        path = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return path;
}

QString ProgramFile(const QString& fileName) {
    return QDir(AppPath()).filePath(fileName);
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

bool ReadWholeFile(const QString& path, QByteArray& bytes, QString* reason) {
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
    QByteArray out;
    out.resize(static_cast<qsizetype>(st.st_size));
    qsizetype got = 0;
    for (;;) {
        if (got == out.size())
            out.resize(out.size() + 65536);
        ssize_t n = ::read(fd, out.data() + got, static_cast<size_t>(out.size() - got));
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
        got += n;
    }
    ::close(fd);
    out.resize(got);
    bytes = std::move(out);
    return true;
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

AtomicFileWriter::AtomicFileWriter(const QString& path) {
    if (takeWriteFailure(&m_error))
        return;
    QFileInfo target(path);
    if (target.isDir()) {
        m_error = QStringLiteral("Is a directory");
        return;
    }
    m_finalName = QFile::encodeName(target.absoluteFilePath());
    m_tempName = QFile::encodeName(target.absolutePath() + QLatin1String("/.") + target.fileName()) + ".XXXXXX";
    m_fd = ::mkstemp(m_tempName.data());
    if (m_fd < 0) {
        m_error = errnoText(errno);
        return;
    }
    // Keep the old file's permissions; a new file gets the usual ones.
    struct stat st {};
    if (::stat(m_finalName.constData(), &st) == 0) {
        ::fchmod(m_fd, st.st_mode & 07777);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(m_fd, 0666 & ~mask);
    }
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
        // The rename only replaces the old file once every byte has reached the
        // system, so a failure at any point leaves the old file whole.
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

void FailNextWrite(const QString& reason) {
    pendingWriteFailure() = reason.isEmpty() ? QStringLiteral("Write failed") : reason;
}

} // namespace platform
