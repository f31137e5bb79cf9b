#include "platform/FileIO.h"
#include "FailingWriter.h"
#include "platform/ContentDigest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
using Step = testsupport::FailingWriter::Step;

// An exported file is replaced as the organiser's own files are, so a failed
// export never cuts short the file it was to replace.
TEST(Files, ReplacingAFileIsAllOrNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.xml"));
    using Write = bool (*)(const QString&, const QByteArray&, QString*);
    // A failure before the rename leaves the old file and says why; one after
    // it (the folder flush) cannot bring the old file back: the save stands.
    const struct {
        Step step;
        bool saved;
    } failures[] = {{Step::Temporary, false}, {Step::Write, false},  {Step::Mode, false},
                    {Step::Flush, false},     {Step::Rename, false}, {Step::FolderFlush, true}};
    testsupport::FailingWriter disk;
    QString reason;
    QByteArray got;
    for (const Write write : {&ReplaceFileAtomically, &WriteWholeFile}) {
        for (const auto& failure : failures) {
            SCOPED_TRACE(testing::Message() << (write == &WriteWholeFile ? "export, step " : "save, step ")
                                            << static_cast<int>(failure.step));
            ASSERT_TRUE(write(path, "first", nullptr));
            reason.clear();
            disk.failNext(failure.step);
            EXPECT_EQ(write(path, "second", &reason), failure.saved);
            EXPECT_EQ(reason, failure.saved ? QString() : QStringLiteral("No space left on device"));
            ASSERT_TRUE(ReadWholeFile(path, got));
            EXPECT_EQ(got, QByteArray(failure.saved ? "second" : "first"));
            EXPECT_TRUE(write(path, "third", nullptr)) << "only the next write fails";
        }
    }
    // An export that fails says why, and makes no file.
    disk.failNext();
    EXPECT_FALSE(WriteWholeFile(dir.filePath(QStringLiteral("export.txt")), "text", &reason));
    EXPECT_EQ(reason, QStringLiteral("No space left on device"));

    // A folder standing where the file should be is reported, never replaced.
    QDir(dir.path()).mkdir(QStringLiteral("taken"));
    EXPECT_FALSE(ReplaceFileAtomically(dir.filePath(QStringLiteral("taken")), "x", &reason));
    EXPECT_FALSE(WriteWholeFile(dir.filePath(QStringLiteral("taken")), "x", &reason));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("taken"))).isDir());
    EXPECT_FALSE(ReplaceFileAtomically(dir.filePath(QStringLiteral("missing/data.xml")), "x", &reason));
    EXPECT_FALSE(reason.isEmpty());
    // No temporary or half-written file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"data.xml"}));
}

// The person chose where an export goes: where its folder takes no temporary
// (it may not be written, or the longer name does not fit) or it is a pipe, it
// is still written, in place. The organiser's own files never are.
TEST(Files, AnExportThatCannotBeReplacedIsWrittenInPlace) {
    QTemporaryDir dir;
    testsupport::FailingWriter disk;
    QByteArray got;
    const QString path = dir.filePath(QStringLiteral("export.txt"));
    ASSERT_TRUE(WriteWholeFile(path, "old"));
    disk.failNext(Step::Temporary, EACCES);
    EXPECT_FALSE(ReplaceFileAtomically(path, "own"));
    disk.failNext(Step::Temporary, EACCES);
    EXPECT_TRUE(WriteWholeFile(path, "new"));
    ASSERT_TRUE(ReadWholeFile(path, got));
    EXPECT_EQ(got, QByteArray("new"));
    if (::geteuid() != 0) { // the administrator may write in any folder
        ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
        EXPECT_FALSE(ReplaceFileAtomically(path, "own"));
        EXPECT_TRUE(WriteWholeFile(path, "in place"));
        ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    }

    // In place, a failed write cuts the file short, but a file it made goes.
    const QString longName = dir.filePath(QString(250, QLatin1Char('n')));
    EXPECT_FALSE(ReplaceFileAtomically(longName, "own"));
    disk.failNext();
    EXPECT_FALSE(WriteWholeFile(longName, "text"));
    EXPECT_FALSE(QFileInfo::exists(longName));
    EXPECT_TRUE(WriteWholeFile(longName, "text"));
    ASSERT_TRUE(ReadWholeFile(longName, got));
    EXPECT_EQ(got, QByteArray("text"));

    const QByteArray pipe = QFile::encodeName(dir.filePath(QStringLiteral("pipe")));
    ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
    const int reader = ::open(pipe.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(WriteWholeFile(QFile::decodeName(pipe), "through"));
    char buffer[16] = {};
    EXPECT_EQ(::read(reader, buffer, sizeof buffer), 7) << "the pipe itself was written, not replaced";
    ::close(reader);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files | QDir::System),
              QStringList({"export.txt", QString(250, QLatin1Char('n')), "pipe"}));
}

// The organiser's files hold the passwords under a key every copy knows: a
// file a save makes is the owner's alone whatever the umask. An exported file
// it makes gets what any program's new file gets. One that is there keeps the
// mode its owner gave it.
TEST(Files, AFileMadeIsTheOwnersAloneAndOneThereKeepsItsMode) {
    const struct {
        mode_t umask;
        int existing; // -1: no file yet
        mode_t saved, exported;
    } cases[] = {{022, -1, 0600, 0644},   {0, -1, 0600, 0666},     {077, -1, 0600, 0600},
                 {022, 0644, 0644, 0644}, {077, 0664, 0664, 0664}, {0, 0640, 0640, 0640}};
    for (const auto& c : cases) {
        for (const bool exported : {false, true}) {
            SCOPED_TRACE(testing::Message() << std::oct << "umask " << c.umask << ", file " << c.existing
                                            << (exported ? ", exported" : ""));
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("AppCfg.cfg"));
            const QByteArray name = QFile::encodeName(path);
            if (c.existing >= 0) {
                ASSERT_TRUE(ReplaceFileAtomically(path, "old"));
                ASSERT_EQ(::chmod(name.constData(), static_cast<mode_t>(c.existing)), 0);
            }
            const mode_t mask = ::umask(c.umask);
            const bool saved = exported ? WriteWholeFile(path, "new") : ReplaceFileAtomically(path, "new");
            ::umask(mask);
            ASSERT_TRUE(saved);
            struct stat st {};
            ASSERT_EQ(::stat(name.constData(), &st), 0);
            EXPECT_EQ(st.st_mode & 07777, exported ? c.exported : c.saved);
        }
    }
}

TEST(Files, AttributesOfFilesAndFolders) {
    QTemporaryDir dir;
    QFile(dir.filePath(QStringLiteral(".hidden"))).open(QIODevice::WriteOnly);
    EXPECT_EQ(GetFileAttributes(dir.filePath(QStringLiteral("nothing"))), -1);
    EXPECT_TRUE(GetFileAttributes(dir.filePath(QStringLiteral(".hidden"))) & AttrHidden);
    EXPECT_TRUE(GetFileAttributes(dir.path()) & AttrDirectory);
    QByteArray bytes;
    EXPECT_FALSE(ReadWholeFile(dir.path(), bytes)) << "a folder is not a file";
}

TEST(ContentDigest, PiecesOfAnySizeOrTheFileGiveTheDigestOfTheWhole) {
    QByteArray whole(200 * 1024 + 17, Qt::Uninitialized);
    for (qsizetype i = 0; i < whole.size(); ++i)
        whole[i] = static_cast<char>(i * 31 + i / 7);
    const quint64 expected = ContentDigest::of(whole);
    for (const qsizetype piece : {qsizetype(1000), qsizetype(64 * 1024), qsizetype(64 * 1024 + 1), whole.size()}) {
        SCOPED_TRACE(piece);
        ContentDigest digest;
        for (qsizetype at = 0; at < whole.size(); at += piece)
            digest.add(QByteArrayView(whole).sliced(at, std::min(piece, whole.size() - at)));
        EXPECT_EQ(digest.finish(), expected);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.xml"));
    ASSERT_TRUE(WriteWholeFile(path, whole));
    quint64 read = 0;
    ASSERT_TRUE(ContentDigest::ofFile(path, read));
    EXPECT_EQ(read, expected);
    EXPECT_FALSE(ContentDigest::ofFile(dir.filePath(QStringLiteral("none.xml")), read));
    // One byte changed anywhere, one more or one fewer, is another digest.
    for (const qsizetype at : {qsizetype(0), qsizetype(64 * 1024), whole.size() - 1}) {
        QByteArray changed = whole;
        changed[at] = static_cast<char>(changed[at] ^ 1);
        EXPECT_NE(ContentDigest::of(changed), expected) << at;
    }
    EXPECT_NE(ContentDigest::of(whole + '\0'), expected);
    EXPECT_NE(ContentDigest::of(whole.left(whole.size() - 1)), expected);
}
