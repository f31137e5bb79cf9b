#include "platform/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

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
        WriteStep step;
        bool saved;
    } failures[] = {{WriteStep::Start, false}, {WriteStep::Mode, false}, {WriteStep::FolderFlush, true}};
    QString reason;
    for (const auto& failure : failures) {
        SCOPED_TRACE(static_cast<int>(failure.step));
        ASSERT_TRUE(ReplaceFileAtomically(path, "first"));
        reason.clear();
        FailNextWrite(QStringLiteral("No space left on device"), failure.step);
        EXPECT_EQ(ReplaceFileAtomically(path, "second", &reason), failure.saved);
        EXPECT_EQ(reason, failure.saved ? QString() : QStringLiteral("No space left on device"));
        ASSERT_TRUE(ReadWholeFile(path, got));
        EXPECT_EQ(got, QByteArray(failure.saved ? "second" : "first"));
        EXPECT_TRUE(ReplaceFileAtomically(path, "third")) << "only the next write fails";
    }

    // A folder standing where the file should be is reported, never replaced.
    QDir(dir.path()).mkdir(QStringLiteral("taken"));
    EXPECT_FALSE(ReplaceFileAtomically(dir.filePath(QStringLiteral("taken")), "x", &reason));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("taken"))).isDir());
    EXPECT_FALSE(ReplaceFileAtomically(dir.filePath(QStringLiteral("missing/data.xml")), "x", &reason));
    EXPECT_FALSE(reason.isEmpty());
    // No temporary file is left behind.
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

TEST(ContentDigest, PiecesOfAnySizeGiveTheDigestOfTheWhole) {
    QByteArray whole(200 * 1024 + 17, Qt::Uninitialized);
    for (qsizetype i = 0; i < whole.size(); ++i)
        whole[i] = static_cast<char>(i * 31 + i / 7);
    const quint64 expected = platform::ContentDigest::of(whole);
    for (const qsizetype piece :
         {qsizetype(1000), qsizetype(64 * 1024), qsizetype(64 * 1024 + 1), qsizetype(256 * 1024)}) {
        SCOPED_TRACE(piece);
        platform::ContentDigest digest;
        for (qsizetype at = 0; at < whole.size(); at += piece)
            digest.add(whole.constData() + at, static_cast<size_t>(std::min(piece, whole.size() - at)));
        EXPECT_EQ(digest.finish(), expected);
    }
    // Read back from a file, the same.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.xml"));
    ASSERT_TRUE(WriteWholeFile(path, whole));
    quint64 read = 0;
    ASSERT_TRUE(platform::ContentDigest::ofFile(path, read));
    EXPECT_EQ(read, expected);
    EXPECT_FALSE(platform::ContentDigest::ofFile(dir.filePath(QStringLiteral("none.xml")), read));
    // One byte changed anywhere, or one more byte, is another digest.
    for (const qsizetype at : {qsizetype(0), qsizetype(64 * 1024), whole.size() - 1}) {
        QByteArray changed = whole;
        changed[at] = static_cast<char>(changed[at] ^ 1);
        EXPECT_NE(platform::ContentDigest::of(changed), expected) << at;
    }
    EXPECT_NE(platform::ContentDigest::of(whole + '\0'), expected);
}
