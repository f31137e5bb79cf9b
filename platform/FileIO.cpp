#include "platform/FileIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

QString errnoText(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}

bool failed(int err, QString* reason) {
    if (reason)
        *reason = errnoText(err);
    return false;
}

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
        if (!target.startsWith('/'))
            target = current.left(current.lastIndexOf('/') + 1) + target;
        current = target;
    }
    return current;
}

// What a file made with 0666 gets. The umask can only be read by setting it,
// so it is put back at once; no other thread makes files meanwhile.
mode_t ordinaryMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

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
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return failed(errno, reason);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        const int err = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        return failed(err, reason);
    }
    // One byte more than the file holds, so the read that finds its end needs
    // no larger buffer; a file that grows meanwhile is read to its new end.
    QByteArray out(static_cast<qsizetype>(st.st_size) + 1, Qt::Uninitialized);
    qsizetype got = 0;
    for (;;) {
        if (got == out.size())
            out.resize(out.size() + 65536);
        const ssize_t n = ::read(fd, out.data() + got, static_cast<size_t>(out.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            return failed(err, reason);
        }
        if (n == 0)
            break;
        got += n;
    }
    ::close(fd);
    out.truncate(got);
    bytes = std::move(out);
    return true;
}

// ---- FileWriter ----

FileWriter& FileWriter::current() {
    static FileWriter system;
    return inUseOr(system);
}

int FileWriter::makeTemporary(QByteArray& nameTemplate, int& fd) {
    fd = ::mkstemp(nameTemplate.data());
    return fd >= 0 ? 0 : errno;
}

int FileWriter::writeBytes(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return 0;
}

int FileWriter::setMode(int fd, unsigned mode) {
    return ::fchmod(fd, static_cast<mode_t>(mode)) == 0 ? 0 : errno;
}

int FileWriter::flushFile(int fd) {
    return ::fsync(fd) == 0 ? 0 : errno;
}

int FileWriter::renameFile(const QByteArray& from, const QByteArray& to) {
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

int FileWriter::flushFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int err = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return err;
}

bool FileWriter::write(const QString& path, const QByteArray& bytes, QString* reason) {
    return replaceFile(
        path, [&](const Put& put) { put(bytes); }, Kind::Export, reason);
}

bool FileWriter::writeInPlace(const QByteArray& name, const std::function<void(const Put& put)>& produce,
                              QString* reason) {
    const bool existed = ::access(name.constData(), F_OK) == 0;
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return failed(errno, reason);
    int err = 0;
    produce([&](QByteArrayView piece) {
        if (err == 0)
            err = writeBytes(fd, piece.data(), static_cast<size_t>(piece.size()));
        return err == 0;
    });
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0)
        return true;
    // A file the write made is not left behind half-written.
    if (!existed)
        ::unlink(name.constData());
    return failed(err, reason);
}

bool FileWriter::replace(const QString& path, const QByteArray& bytes, QString* reason) {
    return replace(
        path, [&](const Put& put) { put(bytes); }, reason);
}

bool FileWriter::replace(const QString& path, const std::function<void(const Put& put)>& produce, QString* reason) {
    return replaceFile(path, produce, Kind::OwnFile, reason);
}

bool FileWriter::replaceFile(const QString& path, const std::function<void(const Put& put)>& produce, Kind kind,
                             QString* reason) {
    const QFileInfo target(path);
    if (target.isDir())
        return failed(EISDIR, reason);
    const QByteArray finalName = followLinks(QFile::encodeName(target.absoluteFilePath()));
    const qsizetype slash = finalName.lastIndexOf('/');
    const QByteArray folder = slash > 0 ? finalName.left(slash) : QByteArray("/");
    // A file the person may not write, or one marked read-only, is not
    // replaced, even where the folder would allow the rename.
    struct stat old {};
    const bool exists = ::stat(finalName.constData(), &old) == 0;
    if (exists && (old.st_mode & 0222) == 0) {
        if (reason)
            *reason = QStringLiteral("The file is read-only");
        return false;
    }
    if (exists && ::access(finalName.constData(), W_OK) != 0)
        return failed(errno, reason);
    // A pipe or a device the person chose is written to, never replaced by a
    // plain file.
    if (kind == Kind::Export && exists && !S_ISREG(old.st_mode))
        return writeInPlace(finalName, produce, reason);
    QByteArray tempName = finalName.left(slash + 1) + '.' + finalName.mid(slash + 1) + ".XXXXXX";
    int fd = -1;
    int err = makeTemporary(tempName, fd);
    // A file the person chose and may write is still written where its
    // folder takes no new name: in place, as it was asked for.
    if (kind == Kind::Export && (err == EACCES || err == EPERM || err == ENAMETOOLONG))
        return writeInPlace(finalName, produce, reason);
    if (err != 0)
        return failed(err, reason);
    // The old file's permissions and, where the process may, its owner: a
    // person may have set them on purpose. A new file of the organiser's own
    // is the owner's alone, whatever the umask: those files hold the passwords
    // under one key every copy knows; an exported one gets what any program's
    // new file gets. A mode that cannot be set fails the save: the temporary
    // file's 0600 must not silently replace a file others could read.
    const mode_t mode = exists ? (old.st_mode & 07777) : kind == Kind::Export ? ordinaryMode() : 0600;
    err = setMode(fd, mode);
    if (err == 0 && exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
        ::fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    // The rename replaces the old file only once every byte is on the disk, so
    // a failure or a power cut at any point leaves one whole file.
    if (err == 0)
        produce([&](QByteArrayView piece) {
            if (err == 0)
                err = writeBytes(fd, piece.data(), static_cast<size_t>(piece.size()));
            return err == 0;
        });
    if (err == 0)
        err = flushFile(fd);
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0)
        err = renameFile(tempName, finalName);
    if (err != 0) {
        ::unlink(tempName.constData());
        return failed(err, reason);
    }
    // The new name is durable only once the folder is flushed. Once renamed,
    // the new file is in place and the old one gone, so a failed flush cannot
    // be reported as the old file standing: the save stands.
    (void)flushFolder(folder);
    return true;
}

void RemoveStaleTemporaries(const QString& path) {
    const QByteArray link = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    QList<QByteArray> files{link};
    if (const QByteArray target = followLinks(link); target != link)
        files.append(target);
    for (const QByteArray& file : files) {
        const QFileInfo info(QFile::decodeName(file));
        QDir folder(info.absolutePath());
        // Exactly the name a save makes: the file's own name, in its own case
        // (in another case it is another file's), and the six letters or
        // digits mkstemp puts after it.
        const QString prefix = QLatin1Char('.') + info.fileName() + QLatin1Char('.');
        const auto made = [](QChar c) { return c.unicode() < 0x80 && c.isLetterOrNumber(); };
        const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
        for (const QString& name : names)
            if (name.size() == prefix.size() + 6 && name.startsWith(prefix) &&
                std::all_of(name.cend() - 6, name.cend(), made))
                folder.remove(name);
    }
}

} // namespace platform
