#include "platform/ContentDigest.h"
#include "platform/FileIO.h"
#include "FailingWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;
using Step = testsupport::FailingWriter::Step;

TEST(Files, ReplacingAFileIsAllOrNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.xml"));
    ASSERT_TRUE(ReplaceFileAtomically(path, "first"));
    QByteArray got;
    ASSERT_TRUE(ReadWholeFile(path, got));
    EXPECT_EQ(got, QByteArray("first"));

    // A failure before the rename leaves the old file and says why; one after
    // it (the folder flush) cannot bring the old file back: the save stands.
    const struct {
        Step step;
        bool saved;
    } failures[] = {{Step::Write, false},
                    {Step::Mode, false},
                    {Step::Flush, false},
                    {Step::Rename, false},
                    {Step::FolderFlush, true}};
    testsupport::FailingWriter disk;
    QString reason;
    for (const auto& failure : failures) {
        SCOPED_TRACE(static_cast<int>(failure.step));
        ASSERT_TRUE(ReplaceFileAtomically(path, "first"));
        reason.clear();
        disk.failNext(failure.step);
        EXPECT_EQ(ReplaceFileAtomically(path, "second", &reason), failure.saved);
        EXPECT_EQ(reason, failure.saved ? QString() : QStringLiteral("No space left on device"));
        ASSERT_TRUE(ReadWholeFile(path, got));
        EXPECT_EQ(got, QByteArray(failure.saved ? "second" : "first"));
        EXPECT_TRUE(ReplaceFileAtomically(path, "third")) << "only the next write fails";
    }
    // A write in place says why it failed too, and takes back a file it made.
    disk.failNext();
    EXPECT_FALSE(WriteWholeFile(dir.filePath(QStringLiteral("export.txt")), "text", &reason));
    EXPECT_EQ(reason, QStringLiteral("No space left on device"));

    // A folder standing where the file should be is reported, never replaced.
    QDir(dir.path()).mkdir(QStringLiteral("taken"));
    EXPECT_FALSE(ReplaceFileAtomically(dir.filePath(QStringLiteral("taken")), "x", &reason));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("taken"))).isDir());
    EXPECT_FALSE(ReplaceFileAtomically(dir.filePath(QStringLiteral("missing/data.xml")), "x", &reason));
    EXPECT_FALSE(reason.isEmpty());
    // No temporary or half-written file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"data.xml"}));
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

TEST(ContentDigest, AnyChangedOrAddedByteIsAnotherDigest) {
    QByteArray whole(200 * 1024 + 17, Qt::Uninitialized);
    for (qsizetype i = 0; i < whole.size(); ++i)
        whole[i] = static_cast<char>(i * 31 + i / 7);
    const quint64 expected = ContentDigest(whole);
    EXPECT_EQ(ContentDigest(QByteArray(whole)), expected) << "the same bytes elsewhere";
    for (const qsizetype at : {qsizetype(0), qsizetype(64 * 1024), whole.size() - 1}) {
        QByteArray changed = whole;
        changed[at] = static_cast<char>(changed[at] ^ 1);
        EXPECT_NE(ContentDigest(changed), expected) << at;
    }
    EXPECT_NE(ContentDigest(whole + '\0'), expected);
    EXPECT_NE(ContentDigest(whole.left(whole.size() - 1)), expected);
}
