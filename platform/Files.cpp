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

bool ReplaceFileAtomically(const QString& path, const QByteArray& bytes, QString* reason) {
    if (takeWriteFailure(reason))
        return false;
    QFileInfo target(path);
    if (target.isDir()) {
        if (reason)
            *reason = QStringLiteral("Is a directory");
        return false;
    }
    QByteArray finalName = QFile::encodeName(target.absoluteFilePath());
    QByteArray tmpl = QFile::encodeName(target.absolutePath() + QLatin1String("/.") + target.fileName()) + ".XXXXXX";
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0) {
        if (reason)
            *reason = errnoText(errno);
        return false;
    }
    // Keep the old file's permissions; a new file gets the usual ones.
    struct stat st {};
    if (::stat(finalName.constData(), &st) == 0)
        ::fchmod(fd, st.st_mode & 07777);
    else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    bool ok = writeAll(fd, bytes, reason);
    if (ok && ::fsync(fd) != 0) {
        if (reason)
            *reason = errnoText(errno);
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        if (reason)
            *reason = errnoText(errno);
        ok = false;
    }
    if (ok && ::rename(tmpl.constData(), finalName.constData()) != 0) {
        if (reason)
            *reason = errnoText(errno);
        ok = false;
    }
    if (!ok)
        ::unlink(tmpl.constData());
    return ok;
}

void FailNextWrite(const QString& reason) {
    pendingWriteFailure() = reason.isEmpty() ? QStringLiteral("Write failed") : reason;
}

} // namespace platform
