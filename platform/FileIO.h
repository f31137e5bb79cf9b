#pragma once

#include "platform/StandIn.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>

namespace platform {

// The Windows file attributes a file search can match. On this system a name
// starting with a dot is what hidden means; system files do not exist.
enum FileAttribute { AttrNormal = 0, AttrReadOnly = 1, AttrHidden = 2, AttrSystem = 4, AttrDirectory = 16 };
// The attributes of an existing file or folder, or -1 when nothing is there.
int GetFileAttributes(const QString& path);

// Reads a whole file; false, with the reason when asked for, when it cannot.
bool ReadWholeFile(const QString& path, QByteArray& bytes, QString* reason = nullptr);

// Writes whole files. Every write of the organiser goes through the writer in
// use: the system's own, unless a stand-in (a test's, whose steps fail as a
// full disk, a read-only mount or another program's write at the wrong moment
// would) has put itself in use.
class FileWriter : public Replaceable<FileWriter> {
public:
    virtual ~FileWriter() = default;

    static FileWriter& current();

    // Replaces a file safely: the bytes go to a temporary file (".name.XXXXXX")
    // in the same folder, which is written whole and flushed to the disk and
    // only then renamed over the old one, and the folder is flushed after; so
    // a failed write never leaves a half-written file behind and a success
    // survives a power cut. A link is followed: the file it names is replaced
    // and keeps its mode and, where the process may, its owner; a file it
    // makes is its owner's alone (0600). A read-only file, or one the process
    // may not write, is refused.
    bool replace(const QString& path, const QByteArray& bytes, QString* reason = nullptr);
    // The same for a file made a piece at a time, so a large one is never held
    // whole: `produce` hands each piece to put, which says whether it was
    // written; the old file is replaced only once every piece was.
    using Put = std::function<bool(QByteArrayView piece)>;
    bool replace(const QString& path, const std::function<void(const Put& put)>& produce, QString* reason = nullptr);
    // Writes a file the person chose, as an exported text is: replaced as
    // above, so a failed write leaves the old file whole, but a file it makes
    // gets the ordinary permissions (0666 less the umask). Where no temporary
    // can be made beside the file (the folder may not be written, or the
    // longer name does not fit) or the file is no plain file (a pipe, a
    // device), it is written in place: a failure then can leave the file cut
    // short, though a file it makes is removed again.
    bool write(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

protected:
    // The steps of both writes, each one system call on an open file or a
    // name: 0, or the error number it failed with.
    virtual int makeTemporary(QByteArray& nameTemplate, int& fd);
    virtual int writeBytes(int fd, const char* data, size_t size);
    virtual int setMode(int fd, unsigned mode);
    virtual int flushFile(int fd);
    virtual int renameFile(const QByteArray& from, const QByteArray& to);
    virtual int flushFolder(const QByteArray& folder);

private:
    enum class Kind { OwnFile, Export };
    bool replaceFile(const QString& path, const std::function<void(const Put& put)>& produce, Kind kind,
                     QString* reason);
    bool writeInPlace(const QByteArray& name, const std::function<void(const Put& put)>& produce, QString* reason);
};

// The same through the writer in use.
inline bool ReplaceFileAtomically(const QString& path, const QByteArray& bytes, QString* reason = nullptr) {
    return FileWriter::current().replace(path, bytes, reason);
}
inline bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* reason = nullptr) {
    return FileWriter::current().write(path, bytes, reason);
}

// Removes the temporaries that saves of a file left when they were killed
// (beside the file, and beside the file a link names). Only the holder of the
// single-instance lock may call it: another copy's save may be under way.
void RemoveStaleTemporaries(const QString& path);

} // namespace platform
