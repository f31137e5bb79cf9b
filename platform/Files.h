#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>

namespace platform {

class LargeBytes;

// The program folder: the executable's folder, where data.xml, AppCfg.cfg and
// the other assets live. Tests point it at a temporary folder.
QString AppPath();
void SetAppPath(const QString& folder);
// The path of the running executable.
QString ExecutablePath();

// The Windows file attributes a file search can match. On this system a name
// starting with a dot is what hidden means; system files do not exist.
enum FileAttribute { AttrNormal = 0, AttrReadOnly = 1, AttrHidden = 2, AttrSystem = 4, AttrDirectory = 16 };
// The attributes of an existing file or folder, or -1 when nothing is there.
int GetFileAttributes(const QString& path);

// Whole-file reading and writing. Errors are reported through the returned
// flag and the optional reason text.
bool ReadWholeFile(const QString& path, QByteArray& bytes, QString* reason = nullptr);
// The same into memory made for large files (see LargeMemory.h).
bool ReadWholeFile(const QString& path, LargeBytes& bytes, QString* reason = nullptr);
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

// A digest of a file's bytes, taken piece by piece as they are written and
// the same for the same bytes read back whole: it tells whether a file still
// holds what was written without keeping a copy of it.
class ContentDigest {
public:
    void add(const char* data, size_t size);
    quint64 finish();
    static quint64 of(QByteArrayView bytes);
    // The digest of a file's bytes as they are now; false when it cannot be read.
    static bool ofFile(const QString& path, quint64& digest);

private:
    void block(const char* data, size_t size);
    QByteArray m_partial;
    quint64 m_value = 0x5eed;
};

// Replaces a file safely: the bytes go to a temporary file (".name.XXXXXX") in
// the same folder, which is written whole and flushed to the disk and only then
// renamed over the old one, and the folder is flushed after; so a failed write
// never leaves a half-written file behind and a success survives a power cut.
// A link is followed: the file it names is replaced and keeps its mode and,
// where the process may, its owner. A read-only file, or one the process may
// not write, is refused.
bool ReplaceFileAtomically(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

// The same, for writers that produce the file piece by piece: the pieces go to
// the temporary file, and commit() renames it over the old file only when every
// piece was written. Destroying an uncommitted writer removes the temporary file.
// Which file on the disk a name stands for: a file replaced under the same
// name is another file.
struct FileId {
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const FileId& o) const { return device == o.device && inode == o.inode; }
};

class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const QString& path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool write(const char* data, size_t size);
    bool commit(QString* reason = nullptr);
    // After a commit: the file written, as it was before the rename. Whether
    // the name still stands for it is the caller's to check.
    FileId written() const { return m_written; }

private:
    int m_fd = -1;
    FileId m_written;
    QByteArray m_tempName;
    QByteArray m_finalName;
    QString m_error;
};

// Removes the temporaries that saves of a file left when they were killed
// (beside the file, and beside the file a link names). Only the holder of the
// single-instance lock may call it: another copy's save may be under way.
void RemoveStaleTemporaries(const QString& path);

// Makes the next file write (whole-file or atomic) fail with the given reason,
// as a full disk would, at the given step of an atomic replace: at its start,
// setting the new file's mode, or flushing the folder after the rename. Used
// by tests.
enum class WriteStep { Start, Mode, FolderFlush };
// Runs the action once, right after the next atomic replace has put its file
// in place, as another program writing the same file then would. Used by tests.
void AfterNextReplace(std::function<void()> action);

void FailNextWrite(const QString& reason = QStringLiteral("No space left on device"),
                   WriteStep step = WriteStep::Start);

// Joins a folder and a file name with the separator the organiser writes, a
// backslash, turned into this system's separator.
QString ProgramFile(const QString& fileName);
// A function of one of the program's own modules, which the build puts beside
// the executable, loaded on first use; null when the module or the function is
// missing.
void* ModuleFunction(const QString& module, const char* function);

} // namespace platform
