#include "data/DataFile.h"

#include "data/mGeneralFunctions.h"
#include "platform/Files.h"
#include "platform/LargeMemory.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "platform/XmlWellFormed.h"

#include <QDir>
#include <QFile>
#include <cstdlib>
#include <pthread.h>
#include <sched.h>
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

// data.xml judged well-formed whole without building its tree: its bytes and
// where each day stands in them, by key, the first of a key only.
struct Outline {
    platform::LargeBytes bytes;
    QHash<QByteArray, QByteArrayView> days;
};

struct Kept {
    Document doc;
    QByteArray path;
    FileIdentity id;
    // The file's bytes are still to be compared with `digest` before the
    // document is trusted (see mayChangeUnseen).
    bool unconfirmed = false;
    quint64 digest = 0;
    // Only for the document read ahead, while nothing but reading was done
    // with it: taking the document to change it, or keeping another, drops
    // the index.
    std::unique_ptr<const DayIndex> days;
    // Instead of a document, only from the read ahead: the first load parses
    // the file and drops it.
    std::unique_ptr<const Outline> outline;

    void forget() {
        doc.reset();
        days.reset();
        outline.reset();
    }
};

// data.xml read on a thread of its own while the windows are being built.
// Everything here is the thread's until it is joined, which only the thread
// that asks for the kept document does.
struct Ahead {
    pthread_t worker{};
    bool running = false;
    QByteArray path;
    FileIdentity id;
    Document doc;
    // Judged as the identity was taken: whether the file's times were already
    // behind the file clock then (see mayChangeUnseen).
    bool settled = false;
    std::unique_ptr<const DayIndex> days;
    std::unique_ptr<const Outline> outline;
};

Ahead& ahead() {
    // Never destroyed: the process may end while the read is still running.
    static Ahead* a = new Ahead;
    return *a;
}

Kept& kept() {
    static Kept k;
    Ahead& a = ahead();
    if (a.running) {
        pthread_join(a.worker, nullptr);
        a.running = false;
        if ((a.doc || a.outline) && a.settled) {
            k.doc = std::move(a.doc);
            k.days = std::move(a.days);
            k.outline = std::move(a.outline);
            k.path = a.path;
            k.id = a.id;
            k.unconfirmed = false;
        }
        a.doc.reset();
        a.days.reset();
        a.outline.reset();
    }
    return k;
}

// Keeps a document just read from the file. One another program had only just
// written when its identity was taken (settled false, judged before the read)
// is kept with the digest of the bytes it was built from, to be compared with
// the file before it is used: a write within the same tick after that moment
// would leave the identity as it was.
void keepRead(const Document& doc, const QByteArray& path, const FileIdentity& id, bool settled, quint64 digest) {
    Kept& k = kept();
    k.forget();
    k.doc = doc;
    k.path = path;
    k.id = id;
    k.unconfirmed = !settled;
    k.digest = digest;
}

// Keeps a document just saved, with the digest of the bytes written, so the
// list reload after the save need not parse the file. Another program may have
// written the file since the rename, within the same tick of the file clock:
// the bytes are compared once before the document is used, at a time its
// identity can no longer hide a change.
void keepSaved(const Document& doc, const QByteArray& path, const FileIdentity& id, quint64 digest) {
    Kept& k = kept();
    k.forget();
    k.doc = doc;
    k.path = path;
    k.id = id;
    k.unconfirmed = true;
    k.digest = digest;
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
    if (k.unconfirmed) {
        // Judged before the bytes are read: a change after that read is only
        // sure to change the identity when the file clock had already moved on.
        const bool settled = !mayChangeUnseen(id);
        quint64 digest = 0;
        if (!platform::ContentDigest::ofFile(QFile::decodeName(path), digest) || digest != k.digest) {
            k.forget();
            return nullptr;
        }
        k.unconfirmed = !settled;
    }
    return k.doc;
}

Document load(const QByteArray& path, const FileIdentity& id, QString* error) {
    const bool settled = id.size >= 0 && !mayChangeUnseen(id);
    auto doc = std::make_shared<platform::XmlDocument>();
    quint64 digest = 0;
    if (!doc->load(QFile::decodeName(path), settled ? nullptr : &digest)) {
        if (error)
            *error = doc->lastError();
        return nullptr;
    }
    // The identity was taken before the read, so a change during it shows as
    // a different file next time.
    if (id.size >= 0)
        keepRead(doc, path, id, settled, digest);
    return doc;
}

Document editable(QString* error) {
    const QByteArray path = QFile::encodeName(Path());
    FileIdentity id;
    Document doc = keptIfCurrent(path, id);
    // The kept document becomes the caller's only while no reader holds it;
    // either way nothing is kept until the save, since its tree is changing.
    if (doc && doc.use_count() == 2) {
        kept().forget();
        return doc;
    }
    doc = load(path, id, error);
    if (doc)
        kept().forget();
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
    kept().forget();
    platform::FileId written;
    quint64 digest = 0;
    if (doc->save(Path(), &written, &digest)) {
        // Kept only while the name still stands for the file written: another
        // program may have put its own in place since the rename.
        FileIdentity id;
        if (identityOf(path, id) && written == platform::FileId{id.device, id.inode})
            keepSaved(doc, path, id, digest);
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

namespace {

std::unique_ptr<const DayIndex> indexDays(const platform::XmlDocument& doc) {
    auto days = std::make_unique<DayIndex>();
    const platform::XmlNode root = doc.selectSingleNode(QStringLiteral(".//zandor"));
    for (platform::XmlNode c = root.firstChild(); c; c = c.nextSibling())
        if (c.attributeCount() > 0 && c.nodeNameIs("date")) {
            // The first day with a key keeps it, as the walk finds it first.
            platform::XmlNode& first = (*days)[c.attributeInPlace(0).toByteArray()];
            if (!first)
                first = c;
        }
    return days;
}

// The usual file is judged whole in one pass over its bytes, and only the
// day a view asks for is parsed; null for any other, which is loaded whole.
std::unique_ptr<const Outline> outlineOf(const QByteArray& path) {
    auto outline = std::make_unique<Outline>();
    if (!platform::ReadWholeFile(QFile::decodeName(path), outline->bytes))
        return nullptr;
    const char* end = outline->bytes.data() + outline->bytes.size();
    const char* text = platform::Utf8TextStart(outline->bytes.data(), end);
    platform::XmlCheck check;
    platform::XmlOutline found;
    if (!text || !platform::QuickCheckWhole(text, end, &check, &found) || found.rootName != "zandor")
        return nullptr;
    for (const platform::XmlOutline::Element& e : found.children) {
        if (!e.valued || e.name != "date")
            continue;
        // Keys as a parsed file holds them: a reference or whitespace the
        // parse would turn into a space needs the whole document.
        for (char c : e.value)
            if (c == '&' || c == '\t' || c == '\n' || c == '\r')
                return nullptr;
        QByteArrayView& day = outline->days[e.value.toByteArray()];
        if (day.isNull())
            day = e.bytes;
    }
    return outline;
}

void* readAhead(void* what) {
    Ahead& a = *static_cast<Ahead*>(what);
    if (!identityOf(a.path, a.id))
        return nullptr;
    a.settled = !mayChangeUnseen(a.id);
    if (a.settled && (a.outline = outlineOf(a.path)))
        return nullptr;
    auto doc = std::make_shared<platform::XmlDocument>();
    if (doc->load(QFile::decodeName(a.path))) {
        // A document read while the file may still change is not kept.
        if (a.settled)
            a.days = indexDays(*doc);
        a.doc = std::move(doc);
    }
    return nullptr;
}

} // namespace

void ReadAhead() {
    Ahead& a = ahead();
    if (a.running)
        return;
    a.path = QFile::encodeName(Path());
    a.doc.reset();
    a.days.reset();
    a.outline.reset();
    a.settled = false;
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0)
        return;
    // A new thread waits on the processor of the thread that made it until
    // the scheduler next spreads the load, taking its time from building the
    // windows meanwhile; the reader starts on any other processor.
    cpu_set_t others;
    const int here = sched_getcpu();
    if (here >= 0 && sched_getaffinity(0, sizeof others, &others) == 0) {
        CPU_CLR(here, &others);
        if (CPU_COUNT(&others) > 0)
            pthread_attr_setaffinity_np(&attributes, sizeof others, &others);
    }
    // With no thread to spare the first load reads the file itself.
    a.running = pthread_create(&a.worker, &attributes, &readAhead, &a) == 0 ||
                pthread_create(&a.worker, nullptr, &readAhead, &a) == 0;
    pthread_attr_destroy(&attributes);
    // A process that ends before its first load waits for the read rather
    // than tearing down what the thread still uses.
    static const bool joinAtExit = std::atexit([] {
                                       Ahead& a = ahead();
                                       if (a.running) {
                                           pthread_join(a.worker, nullptr);
                                           a.running = false;
                                       }
                                   }) == 0;
    (void)joinAtExit;
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

bool KeptDayBytes(const QByteArray& key, QByteArray* element) {
    const Kept& k = kept();
    if (!k.outline)
        return false;
    const QByteArray path = QFile::encodeName(Path());
    FileIdentity id;
    if (k.path != path || !identityOf(path, id) || !(k.id == id))
        return false;
    const auto day = k.outline->days.constFind(key);
    *element = day == k.outline->days.cend() ? QByteArray() : day->toByteArray();
    return true;
}

const DayIndex* KeptDays(const platform::XmlDocument& doc) {
    const Kept& k = kept();
    return k.days && k.doc.get() == &doc ? k.days.get() : nullptr;
}

void ForgetKeptDocument() {
    kept().forget();
}

} // namespace DataFile
