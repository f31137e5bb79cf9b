#include "data/DataFile.h"

#include "data/mGeneralFunctions.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "platform/Ui.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <sys/stat.h>
#include <time.h>

namespace DataFile {

namespace {

// What tells one file from another without reading it. A program that writes
// the file in place keeps the inode and may keep the size, so the times count
// to the nanosecond; the change time also catches a writer that puts the
// modification time back.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    timespec modified{};
    timespec changed{};

    bool operator==(const FileIdentity& o) const {
        return device == o.device && inode == o.inode && size == o.size && modified.tv_sec == o.modified.tv_sec &&
               modified.tv_nsec == o.modified.tv_nsec && changed.tv_sec == o.changed.tv_sec &&
               changed.tv_nsec == o.changed.tv_nsec;
    }
};

bool identityOf(const QByteArray& path, FileIdentity& id) {
    struct stat st {};
    if (::stat(path.constData(), &st) != 0)
        return false;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    id.size = st.st_size;
    id.modified = st.st_mtim;
    id.changed = st.st_ctim;
    return true;
}

bool before(const timespec& a, const timespec& b) {
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

// File times come from a clock that moves in ticks of a few milliseconds. A
// file whose times are not yet behind that clock may be written again within
// the same tick, in place and to the same size, without its identity changing;
// such a file is only trusted again after its bytes were compared. File
// systems that keep whole seconds (or two, as FAT does) show it by times
// without nanoseconds: there the tick is taken as two seconds.
bool mayChangeUnseen(const FileIdentity& id) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
    if (id.modified.tv_nsec == 0 && id.changed.tv_nsec == 0)
        now.tv_sec -= 2;
    return !before(id.modified, now) || !before(id.changed, now);
}

size_t contentHash(const QByteArray& path, bool& ok) {
    QByteArray bytes;
    ok = platform::ReadWholeFile(QFile::decodeName(path), bytes);
    return ok ? qHash(bytes, 0x5eed) : 0;
}

struct Kept {
    Document doc;
    QByteArray path;
    FileIdentity id;
    bool recent = false; // see mayChangeUnseen
    size_t hash = 0;     // of the file's bytes, while recent
};

Kept& kept() {
    static Kept k;
    return k;
}

void keep(const Document& doc, const QByteArray& path, const FileIdentity& id, bool saved) {
    Kept& k = kept();
    k.doc = doc;
    k.path = path;
    k.id = id;
    k.recent = mayChangeUnseen(id);
    // A file another program has only just written is read again next time
    // rather than read twice now; one this program has just saved is read back
    // once, so the list reload after the save need not parse it.
    if (k.recent && !saved) {
        k.doc.reset();
    } else if (k.recent) {
        bool ok = false;
        k.hash = contentHash(path, ok);
        FileIdentity after;
        // Changed while it was read: nothing is known about it.
        if (!ok || !identityOf(path, after) || !(after == id))
            k.doc.reset();
    }
}

// The kept document when data.xml is still the file it was read from or
// written to.
Document keptIfCurrent(const QByteArray& path, FileIdentity& id) {
    Kept& k = kept();
    if (!identityOf(path, id)) {
        id = FileIdentity();
        return nullptr;
    }
    if (!k.doc || k.path != path || !(k.id == id))
        return nullptr;
    if (k.recent) {
        bool ok = false;
        if (contentHash(path, ok) != k.hash || !ok) {
            k.doc.reset();
            return nullptr;
        }
        k.recent = mayChangeUnseen(id);
    }
    return k.doc;
}

Document load(const QByteArray& path, const FileIdentity& id, QString* error) {
    auto doc = std::make_shared<platform::XmlDocument>();
    if (!doc->load(QFile::decodeName(path))) {
        if (error)
            *error = doc->lastError();
        return nullptr;
    }
    // The identity was taken before the read, so a change during it shows as
    // a different file next time.
    if (id.size >= 0)
        keep(doc, path, id, false);
    return doc;
}

Document editable(QString* error) {
    const QByteArray path = QFile::encodeName(Path());
    FileIdentity id;
    Document doc = keptIfCurrent(path, id);
    // The kept document becomes the caller's only while no reader holds it;
    // either way nothing is kept until the save, since its tree is changing.
    if (doc && doc.use_count() == 2) {
        kept().doc.reset();
        return doc;
    }
    doc = load(path, id, error);
    if (doc)
        kept().doc.reset();
    return doc;
}

} // namespace

QString Path() {
    return QDir::toNativeSeparators(platform::ProgramFile(QStringLiteral("data.xml")));
}

void Fatal() {
    platform::MsgBox(
        QStringLiteral("Datebase File is missing or invalid. Please try installing the Applcation to solve "
                       "this error issue.\r\n\r\nApplication can not work without Data file or with "
                       "invalid Data File. Hence Application will terminate now."),
        platform::MsgStyle::Critical, QStringLiteral("Data File is missing or invalid!"));
    mGeneralFunctions::UnloadAllForms();
    platform::EndProcess(0);
}

Document TryRead(QString* error) {
    const QByteArray path = QFile::encodeName(Path());
    FileIdentity id;
    if (Document doc = keptIfCurrent(path, id))
        return doc;
    return load(path, id, error);
}

Document Read() {
    Document doc = TryRead();
    if (!doc)
        Fatal();
    return doc;
}

Document TryEdit() {
    return editable(nullptr);
}

Document Edit() {
    Document doc = editable(nullptr);
    if (!doc)
        Fatal();
    return doc;
}

bool Save(const Document& doc) {
    const QByteArray path = QFile::encodeName(Path());
    kept().doc.reset();
    platform::FileId written;
    if (doc->save(Path(), &written)) {
        // Kept only while the name still stands for the file written: another
        // program may have put its own in place since the rename.
        FileIdentity id;
        if (identityOf(path, id) && written == platform::FileId{id.device, id.inode})
            keep(doc, path, id, true);
        return true;
    }
    platform::MsgBox(QStringLiteral("Your changes could not be written to the Data File:\r\n") + Path() +
                         QStringLiteral("\r\n") + doc->lastError() +
                         QStringLiteral("\r\n\r\nThe Data File was left as it was before this change."),
                     platform::MsgStyle::Critical, QStringLiteral("Data File could not be saved!"));
    return false;
}

bool CheckStorable(QStringView title, std::initializer_list<QStringView> values) {
    QString what;
    if (!platform::IsXmlText(title))
        what = QStringLiteral("The title");
    else
        for (QStringView value : values)
            if (!platform::IsXmlText(value))
                what = QStringLiteral("One of the fields");
    if (what.isEmpty())
        return true;
    platform::MsgBox(what + QStringLiteral(" holds a character that can not be stored in the Data File, such as a "
                                           "control character. Please remove it and try again."),
                     platform::MsgStyle::Information, QStringLiteral("Changes can not be saved!"));
    return false;
}

void RemoveStaleTemporaries() {
    platform::RemoveStaleTemporaries(Path());
}

platform::XmlNode RootOrDie(platform::XmlDocument& doc) {
    platform::XmlNode root = doc.selectSingleNode(QStringLiteral(".//zandor"));
    if (!root)
        Fatal();
    return root;
}

void ForgetKeptDocument() {
    kept().doc.reset();
}

} // namespace DataFile
