// The document kept between operations is used only while data.xml holds the
// very bytes it was read from or written as: every way another program may
// change the file shows at the next operation, however quickly and however
// little it changes.
#include "data/DataFile.h"
#include "data/mTasks.h"

#include "FailingWriter.h"
#include "StoreFixture.h"

#include <QFile>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

const QString kDay = QStringLiteral("05-07-2006");

TaskRecord task(const QString& title) {
    return TaskRecord{kDay, title, QString(), QStringLiteral("0"), QStringLiteral("2"), QString()};
}

bool exists(const char* title) {
    return mTasks::TaskTitleExists(kDay, QString::fromLatin1(title));
}

// The same bytes with one title changed, to the same length.
QByteArray renamed(const QByteArray& bytes) {
    QByteArray out = bytes;
    return out.replace("title=\"Aaaa\"", "title=\"Bbbb\"");
}

enum class Writer { InPlace, InPlaceTimeKept, RenamedOverTimeKept };

} // namespace

class KeptDocument : public StoreTest {};

TEST_F(KeptDocument, AnotherWritersChangeShowsAtTheNextOperation) {
    // Every change lands within the same second as the program's own access,
    // to the same size; two of them put the file's times back as they were.
    const struct {
        const char* name;
        Writer writer;
        bool lastWasSave;
    } cases[] = {
        {"in place, right after a save", Writer::InPlace, true},
        {"in place, right after a read", Writer::InPlace, false},
        {"in place, time put back, right after a save", Writer::InPlaceTimeKept, true},
        {"in place, time put back, right after a read", Writer::InPlaceTimeKept, false},
        {"renamed over, time put back, right after a save", Writer::RenamedOverTimeKept, true},
        {"renamed over, time put back, right after a read", Writer::RenamedOverTimeKept, false},
    };
    const QByteArray path = QFile::encodeName(folder.dataFile());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        folder.writeData("<?xml version=\"1.0\"?>\n<zandor><notes/><passwords/></zandor>\n");
        ASSERT_TRUE(mTasks::SaveTask(task(QStringLiteral("Aaaa")), true, QString()));
        if (!c.lastWasSave)
            ASSERT_TRUE(exists("Aaaa"));
        struct stat before {};
        ASSERT_EQ(::stat(path.constData(), &before), 0);
        const QByteArray theirs = renamed(folder.readData());
        if (c.writer == Writer::RenamedOverTimeKept) {
            folder.write(QStringLiteral("other.xml"), theirs);
            ASSERT_EQ(
                ::rename(QFile::encodeName(folder.file(QStringLiteral("other.xml"))).constData(), path.constData()), 0);
        } else {
            QFile f(folder.dataFile());
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            ASSERT_EQ(f.write(theirs), theirs.size());
        }
        if (c.writer != Writer::InPlace) {
            const timespec times[2] = {before.st_atim, before.st_mtim};
            ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);
        }
        EXPECT_TRUE(exists("Bbbb"));
        EXPECT_FALSE(exists("Aaaa"));
        // And a change lands on the changed file.
        ASSERT_TRUE(mTasks::SaveTask(task(QStringLiteral("Cccc")), true, QString()));
        EXPECT_TRUE(folder.readData().contains("title=\"Bbbb\""));
        EXPECT_TRUE(folder.readData().contains("title=\"Cccc\""));
    }
}

TEST_F(KeptDocument, ReusedOnlyWhileTheBytesAreTheSame) {
    const DataFile::ReadDocument first = DataFile::Read();
    EXPECT_EQ(DataFile::Read(), first) << "the same bytes: the document read before";
    folder.writeData(folder.readData());
    EXPECT_EQ(DataFile::Read(), first) << "written again unchanged";
    folder.rewriteData();
    const DataFile::ReadDocument changed = DataFile::Read();
    EXPECT_NE(changed, first) << "changed in layout only, still read anew";

    // A change is made on a tree of the editor's own, never on one a reader
    // holds; the saved tree is what the next read finds.
    DataFile::EditDocument edit = DataFile::Edit();
    const platform::XmlDocument* saved = edit.get();
    EXPECT_NE(saved, changed.get());
    edit->appendChild(DataFile::RootOrDie(*edit).child(0), edit->createElement(QStringLiteral("note")));
    EXPECT_FALSE(DataFile::RootOrDie(*changed).child(0).hasChildNodes());
    ASSERT_TRUE(DataFile::Save(std::move(edit)));
    EXPECT_EQ(DataFile::Read().get(), saved);
    EXPECT_TRUE(DataFile::RootOrDie(*DataFile::Read()).child(0).hasChildNodes());
}

TEST_F(KeptDocument, AFailedSaveLeavesNothingOfTheChangeBehind) {
    ASSERT_TRUE(mTasks::SaveTask(task(QStringLiteral("Aaaa")), true, QString()));
    ASSERT_TRUE(exists("Aaaa"));
    testsupport::FailingWriter disk;
    disk.failNext();
    EXPECT_FALSE(mTasks::SaveTask(task(QStringLiteral("Bbbb")), true, QString()));
    EXPECT_FALSE(exists("Bbbb"));
    EXPECT_TRUE(exists("Aaaa"));
}
