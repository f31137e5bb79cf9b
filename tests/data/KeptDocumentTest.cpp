// The document kept between loads is used only while data.xml is still the
// file it came from: every way another program may change the file shows at
// the next operation, however quickly and however little it changes.
#include "data/DataFile.h"
#include "data/mTasks.h"

#include "FakeInputs.h"
#include "StoreFixture.h"

#include <QFile>
#include <QThread>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kDay = QStringLiteral("05-07-2006");

TaskRecord task(const QString& title) {
    return TaskRecord{kDay, title, QString(), QStringLiteral("0"), QStringLiteral("2"), QString()};
}

bool exists(const char* title) {
    return mTasks::TaskTitleExists(kDay, QString::fromLatin1(title));
}

timespec modifiedTime(const QByteArray& path) {
    struct stat st {};
    ::stat(path.constData(), &st);
    return st.st_mtim;
}

void setModifiedTime(const QByteArray& path, const timespec& t) {
    const timespec times[2] = {t, t};
    ::utimensat(AT_FDCWD, path.constData(), times, 0);
}

// The same bytes with one title changed, to the same length.
QByteArray renamed(const QByteArray& bytes) {
    QByteArray out = bytes;
    return out.replace("title=\"Aaaa\"", "title=\"Bbbb\"");
}

void inPlace(const QByteArray& path) {
    QFile f(QFile::decodeName(path));
    f.open(QIODevice::ReadWrite);
    const QByteArray bytes = renamed(f.readAll());
    f.seek(0);
    f.write(bytes);
}

enum class Writer { InPlace, InPlaceTimeKept, RenamedOverTimeKept };

struct Case {
    const char* name;
    Writer writer;
    bool settled; // the program's last access is older than a tick of the file clock
    bool lastWasSave;
    // The file the program last read was put there by another program.
    bool theirs = false;
};

} // namespace

class KeptDocument : public StoreTest {};

TEST_F(KeptDocument, AnotherWritersChangeShowsAtTheNextOperation) {
    const Case cases[] = {
        {"in place, right after a save", Writer::InPlace, false, true},
        {"in place, right after a read", Writer::InPlace, false, false},
        {"in place, later", Writer::InPlace, true, false},
        {"in place, time put back, right after a save", Writer::InPlaceTimeKept, false, true},
        {"in place, time put back, later", Writer::InPlaceTimeKept, true, false},
        {"renamed over, time put back", Writer::RenamedOverTimeKept, false, false},
        {"renamed over, time put back, later", Writer::RenamedOverTimeKept, true, true},
        {"in place, right after a read of their file", Writer::InPlace, false, false, true},
        {"in place, time put back, right after a read of their file", Writer::InPlaceTimeKept, false, false, true},
        {"in place, time put back, a read of their file later", Writer::InPlaceTimeKept, true, false, true},
    };
    const QByteArray path = QFile::encodeName(folder.dataFile());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        folder.writeData("<?xml version=\"1.0\"?>\n<zandor><notes/><passwords/></zandor>\n");
        ASSERT_TRUE(mTasks::SaveTask(task(QStringLiteral("Aaaa")), true, QString()));
        if (c.theirs) {
            const QByteArray bytes = folder.readData();
            DataFile::ForgetKeptDocument();
            folder.writeData(bytes);
        }
        if (c.settled)
            QThread::msleep(30);
        if (!c.lastWasSave)
            ASSERT_TRUE(exists("Aaaa"));
        const timespec before = modifiedTime(path);
        switch (c.writer) {
        case Writer::InPlace:
            inPlace(path);
            break;
        case Writer::InPlaceTimeKept:
            inPlace(path);
            setModifiedTime(path, before);
            break;
        case Writer::RenamedOverTimeKept: {
            QByteArray bytes = renamed(folder.readData());
            folder.write(QStringLiteral("other.xml"), bytes);
            ::rename(QFile::encodeName(folder.file(QStringLiteral("other.xml"))).constData(), path.constData());
            setModifiedTime(path, before);
            break;
        }
        }
        EXPECT_TRUE(exists("Bbbb"));
        EXPECT_FALSE(exists("Aaaa"));
        // And a change made through the kept document lands on the changed file.
        ASSERT_TRUE(mTasks::SaveTask(task(QStringLiteral("Cccc")), true, QString()));
        EXPECT_TRUE(folder.readData().contains("title=\"Bbbb\""));
        EXPECT_TRUE(folder.readData().contains("title=\"Cccc\""));
    }
}

TEST_F(KeptDocument, AFailedSaveLeavesNothingOfTheChangeBehind) {
    ASSERT_TRUE(mTasks::SaveTask(task(QStringLiteral("Aaaa")), true, QString()));
    ASSERT_TRUE(exists("Aaaa"));
    testsupport::FailNextFileWrite();
    EXPECT_FALSE(mTasks::SaveTask(task(QStringLiteral("Bbbb")), true, QString()));
    EXPECT_FALSE(exists("Bbbb"));
    EXPECT_TRUE(exists("Aaaa"));
}

TEST_F(KeptDocument, WhatWasReadAheadIsUsedOnlyWhileTheFileIsTheOneRead) {
    enum class Change { None, InPlaceTimeKept, RenamedOver, WrittenAfterMissing, MendedAfterMalformed };
    const struct {
        const char* name;
        Change change;
        const char* title; // the title the first operation must see
    } cases[] = {
        {"unchanged", Change::None, "Aaaa"},
        {"changed in place, time put back", Change::InPlaceTimeKept, "Bbbb"},
        {"renamed over", Change::RenamedOver, "Bbbb"},
        {"missing while read, then written", Change::WrittenAfterMissing, "Aaaa"},
        {"malformed while read, then mended", Change::MendedAfterMalformed, "Aaaa"},
    };
    const QByteArray path = QFile::encodeName(folder.dataFile());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        folder.writeData("<?xml version=\"1.0\"?>\n<zandor><notes/><passwords/></zandor>\n");
        ASSERT_TRUE(mTasks::SaveTask(task(QStringLiteral("Aaaa")), true, QString()));
        const QByteArray saved = folder.readData();
        // Old enough to be trusted once read.
        QThread::msleep(30);
        DataFile::ForgetKeptDocument();
        if (c.change == Change::WrittenAfterMissing)
            ::unlink(path.constData());
        if (c.change == Change::MendedAfterMalformed)
            folder.writeData("<zandor><notes></zandor>");
        DataFile::ReadAhead();
        // Long enough for a file this small to be read whole.
        QThread::msleep(30);
        const timespec before = modifiedTime(path);
        switch (c.change) {
        case Change::None:
            break;
        case Change::InPlaceTimeKept:
            inPlace(path);
            setModifiedTime(path, before);
            break;
        case Change::RenamedOver:
            folder.write(QStringLiteral("other.xml"), renamed(saved));
            ::rename(QFile::encodeName(folder.file(QStringLiteral("other.xml"))).constData(), path.constData());
            setModifiedTime(path, before);
            break;
        case Change::WrittenAfterMissing:
        case Change::MendedAfterMalformed:
            folder.writeData(saved);
            break;
        }
        EXPECT_TRUE(exists(c.title));
        EXPECT_EQ(exists("Aaaa"), qstrcmp(c.title, "Aaaa") == 0);
        EXPECT_TRUE(boxes->boxes.empty());
        // A change made through what was read lands on the file as it is now.
        ASSERT_TRUE(mTasks::SaveTask(task(QStringLiteral("Cccc")), true, QString()));
        EXPECT_TRUE(folder.readData().contains(QByteArray("title=\"") + c.title + "\""));
        EXPECT_TRUE(folder.readData().contains("title=\"Cccc\""));
    }
}

TEST_F(KeptDocument, DaysFoundThroughWhatWasReadAheadAreTheOnesAWalkFinds) {
    folder.writeData("<?xml version=\"1.0\"?>\n<zandor><notes>"
                     "<date d=\"05-01-2020\"><tasks><task title=\"not at the root\"/></tasks><meetings/></date>"
                     "</notes><passwords/>"
                     "<date d=\"01-01-2020\"><tasks><task title=\"first\"/></tasks><meetings/></date>"
                     "<other d=\"02-01-2020\"><tasks><task title=\"not a day\"/></tasks><meetings/></other>"
                     "<date d=\"02-01-2020\"><tasks><task title=\"second\"/></tasks><meetings/></date>"
                     "<date d=\"01-01-2020\"><tasks><task title=\"repeated\"/></tasks><meetings/></date>"
                     "<date><tasks><task title=\"no key\"/></tasks><meetings/></date>"
                     "<date d=\"\"><tasks><task title=\"empty key\"/></tasks><meetings/></date>"
                     "<date d=\"&#233;t&#xE9; a&amp;b\"><tasks><task title=\"escaped\"/></tasks><meetings/></date>"
                     "<date key=\"03-01-2020\" d=\"x\"><tasks><task title=\"third\"/></tasks><meetings/></date>"
                     "</zandor>\n");
    const struct {
        const char* key;   // UTF-8
        const char* title; // of the day's first task; empty when no day has the key
    } cases[] = {
        {"01-01-2020", "first"},
        {"02-01-2020", "second"},
        {"03-01-2020", "third"},
        {"", "empty key"},
        {"\xC3\xA9t\xC3\xA9 a&b", "escaped"},
        {"x", ""},
        {"04-01-2020", ""},
        {"05-01-2020", ""},
    };
    const auto firstTask = [](const char* key) {
        const DataFile::Document doc = DataFile::Read();
        const platform::XmlNode day = mTasks::FindDay(*doc, QString::fromUtf8(key));
        return day ? day.child(0).child(0).attributeText(0) : QString();
    };
    // Old enough to be trusted once read.
    QThread::msleep(30);
    for (const bool ahead : {true, false}) {
        SCOPED_TRACE(ahead ? "read ahead" : "walked");
        DataFile::ForgetKeptDocument();
        if (ahead)
            DataFile::ReadAhead();
        EXPECT_EQ(DataFile::KeptDays(*DataFile::Read()) != nullptr, ahead);
        for (const auto& c : cases) {
            SCOPED_TRACE(c.key);
            EXPECT_EQ(firstTask(c.key), QString::fromUtf8(c.title));
        }
    }

    // A day added through the document read ahead is found after the save.
    DataFile::ForgetKeptDocument();
    DataFile::ReadAhead();
    ASSERT_EQ(firstTask("01-01-2020"), QStringLiteral("first"));
    ASSERT_TRUE(mTasks::SaveTask(TaskRecord{QStringLiteral("04-01-2020"), QStringLiteral("fourth"), QString(),
                                            QStringLiteral("0"), QStringLiteral("2"), QString()},
                                 true, QString()));
    EXPECT_EQ(firstTask("04-01-2020"), QStringLiteral("fourth"));

    // Another program's file put in place of the one read ahead, while that
    // document is still in use, has its own days found.
    QThread::msleep(30);
    DataFile::ForgetKeptDocument();
    DataFile::ReadAhead();
    const DataFile::Document held = DataFile::Read();
    ASSERT_NE(DataFile::KeptDays(*held), nullptr);
    folder.writeData("<?xml version=\"1.0\"?>\n<zandor><notes/><passwords/>"
                     "<date d=\"01-01-2020\"><tasks><task title=\"replaced\"/></tasks><meetings/></date></zandor>\n");
    QThread::msleep(30);
    EXPECT_EQ(firstTask("01-01-2020"), QStringLiteral("replaced"));
    EXPECT_EQ(firstTask("02-01-2020"), QString());
    EXPECT_TRUE(boxes->boxes.empty());
}

// A view of one day finds the day the whole file holds, however the file was
// read at start: judged whole with only that day parsed, read ahead as a
// tree, or not read ahead at all.
TEST_F(KeptDocument, ADayReadAloneIsTheDayTheWholeFileHolds) {
    const QByteArray days =
        "<notes><date d=\"05-01-2020\"><tasks><task title=\"not at the root\"/></tasks><meetings/></date></notes>"
        "<passwords/>"
        "<date d=\"01-01-2020\">\n\t<tasks>\n\t\t<task title=\"first\">x &amp; y</task></tasks><meetings/></date>"
        "<other d=\"02-01-2020\"><tasks><task title=\"not a day\"/></tasks><meetings/></other>"
        "<date d='02-01-2020' ><tasks><task title=\"second\"/></tasks><meetings/></date >"
        "<date d=\"01-01-2020\"><tasks><task title=\"repeated\"/></tasks><meetings/></date>"
        "<date><tasks><task title=\"no key\"/></tasks><meetings/></date>"
        "<date d=\"\"><tasks><task title=\"empty key\"/></tasks><meetings/></date>"
        "<date d=\"caf\xC3\xA9\"><tasks><task title=\"wide\"/></tasks><meetings/></date>"
        "<date d=\"06-01-2020\"/>";
    const struct {
        const char* name;
        const char* more; // put before the days
        bool ahead;
        bool judgedWhole;
    } modes[] = {
        {"judged whole", "", true, true},
        {"read ahead as a tree", "<!-- a comment -->", true, false},
        {"a key the parse decodes", "<date d=\"a&amp;b\"><tasks><task title=\"escaped\"/></tasks></date>", true, false},
        {"not read ahead", "", false, false},
    };
    const struct {
        const char* key;   // UTF-8
        const char* title; // of the day's first task; empty when no day has the key or the day has none
    } cases[] = {
        {"01-01-2020", "first"}, {"02-01-2020", "second"}, {"", "empty key"},  {"caf\xC3\xA9", "wide"},
        {"05-01-2020", ""},      {"04-01-2020", ""},       {"06-01-2020", ""},
    };
    for (const auto& m : modes) {
        SCOPED_TRACE(m.name);
        folder.writeData("<?xml version=\"1.0\"?>\n<zandor>" + QByteArray(m.more) + days + "</zandor>\n");
        // Old enough to be trusted once read.
        QThread::msleep(30);
        DataFile::ForgetKeptDocument();
        if (m.ahead)
            DataFile::ReadAhead();
        QByteArray element;
        EXPECT_EQ(DataFile::KeptDayBytes("01-01-2020", &element), m.judgedWhole);
        for (const auto& c : cases) {
            SCOPED_TRACE(c.key);
            const DayToRead day = mTasks::ReadDay(QString::fromUtf8(c.key));
            const platform::XmlNode first = day.node.child(0).child(0);
            EXPECT_EQ(first.attributeText(0), QString::fromUtf8(c.title));
            if (qstrcmp(c.title, "first") == 0) {
                EXPECT_EQ(first.text(), QStringLiteral("x & y"));
            }
        }
        // The first whole load parses the file and leaves nothing of the
        // judgement behind.
        EXPECT_TRUE(mTasks::TaskTitleExists(QStringLiteral("02-01-2020"), QStringLiteral("second")));
        EXPECT_FALSE(DataFile::KeptDayBytes("01-01-2020", &element));
    }

    // Another program's file put in place of the one judged, its times kept,
    // has its own days found.
    folder.writeData("<?xml version=\"1.0\"?>\n<zandor>" + days + "</zandor>\n");
    QThread::msleep(30);
    DataFile::ForgetKeptDocument();
    DataFile::ReadAhead();
    const QByteArray path = QFile::encodeName(folder.dataFile());
    QByteArray element;
    ASSERT_TRUE(DataFile::KeptDayBytes("01-01-2020", &element));
    const timespec before = modifiedTime(path);
    folder.write(QStringLiteral("other.xml"),
                 "<?xml version=\"1.0\"?>\n<zandor><notes/><passwords/>"
                 "<date d=\"01-01-2020\"><tasks><task title=\"replaced\"/></tasks><meetings/></date></zandor>\n");
    ::rename(QFile::encodeName(folder.file(QStringLiteral("other.xml"))).constData(), path.constData());
    setModifiedTime(path, before);
    EXPECT_EQ(mTasks::ReadDay(QStringLiteral("01-01-2020")).node.child(0).child(0).attributeText(0),
              QStringLiteral("replaced"));
    EXPECT_TRUE(mTasks::ReadDay(QStringLiteral("02-01-2020")).node.isNull());
    EXPECT_TRUE(boxes->boxes.empty());
}
