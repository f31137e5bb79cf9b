#include "data/DataFile.h"
#include "data/mFunctions.h"
#include "platform/FileIO.h"
#include "platform/Text.h"

#include "FailingWriter.h"
#include "StoreFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// A data file with one odd piece in the middle of an otherwise sound file.
QByteArray around(const QByteArray& odd) {
    return "<?xml version=\"1.0\"?>\n<zandor>\n\t<notes>\n\t\t<note title=\"a\"/>\n\t</notes>\n" + odd +
           "\n\t<passwords/>\n</zandor>\n";
}

} // namespace

class DataFileLoad : public StoreTest {};

TEST_F(DataFileLoad, EveryFileThatIsNotXmlEndsTheProgram) {
    const QByteArray malformed[] = {
        around("<x>&#0;</x>"),
        around("<x>&#1;</x>"),
        around("<x>&#xD800;</x>"),
        around("<x>&#xD83D;&#xDE00;</x>"),
        around("<x>&#xFFFE;</x>"),
        around("<x>&#xFFFF;</x>"),
        around("<x>&#x110000;</x>"),
        around("<x>&#99999999999999999999;</x>"),
        around("<x t=\"&#2;\"/>"),
        around("<x>&#65</x>"),
        around("<x>&#;</x>"),
        around("<x>\x01</x>"),
        around("<x t=\"\x1F\"/>"),
        around(QByteArray("<x>a\0b</x>", 10)),
        around("<!-- \x0B -->"),
        around("<x>\xEF\xBF\xBE</x>"),
        around("<x t=\"a<b\"/>"),
        around("<x>]]></x>"),
        around("<x>a]]>b</x>"),
        around("<!-- a -- b -->"),
        around("<!-- a --->"),
        around("<?xml version=\"1.0\"?>"),
        around("<?XML x?>"),
        " <?xml version=\"1.0\"?><zandor><notes/><passwords/></zandor>",
        // No document type, well-formed or not: the organiser writes none.
        "<zandor><notes/><passwords/></zandor><!DOCTYPE zandor>",
        around("<!DOCTYPE zandor>"),
        "<!DOCTYPE zandor><zandor><notes/><passwords/></zandor>",
        "<!DOCTYPE zandor [<!ENTITY x \"y\">]><zandor><notes><note title=\"&x;\"/></notes><passwords/></zandor>",
        "<!DOCTYPE zandor [ <!broken ]><zandor><notes/><passwords/></zandor>",
        "<!DOCTYPE zandor [ \"unclosed ]><zandor><notes/><passwords/></zandor>",
        around("<x\xC3\x97/>"),
        around("<x t\xC3\xB7=\"1\"/>"),
        around("<\xCC\x80x/>"),
        around("<?p\xC3\x97 x?>"),
        around("<x a=\"1\"b=\"2\"/>"),
        around("<x a=\"1\" b=\"2\" a=\"3\"/>"),
        around("<x>&nbsp;</x>"),
        "<zandor><notes/><passwords/></zandor><![CDATA[b]]>",
        "<zandor><notes/><passwords/></zandor>text",
        "<zandor><notes/><passwords/></zandor><zandor/>",
        "<?xml version=\"2.0\"?><zandor><notes/><passwords/></zandor>",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><zandor><notes><note title=\"caf\xE9\"/></notes></zandor>",
        "\xEF\xBB\xBF<zandor><notes><note title=\"caf\xE9\"/></notes><passwords/></zandor>",
        "<?xml version=\"1.0\" encoding=\"EBCDIC-XY\"?><zandor><notes/><passwords/></zandor>",
        around(QByteArray(300, 'x').replace("x", "<x>") + QByteArray(300, 'x').replace("x", "</x>")),
    };
    int refused = 0;
    for (const QByteArray& xml : malformed) {
        folder.writeData(xml);
        boxes->clear();
        EXPECT_THROW(mFunctions::NodeExists(QStringLiteral(".//zandor/notes"), QStringLiteral("note"), QString()),
                     platform::ProcessEnded)
            << xml.constData();
        if (boxes->boxes.size() == 1 && boxes->last().title == QString::fromUtf8(kFatalTitle))
            ++refused;
        EXPECT_EQ(folder.readData(), xml) << "a refused file is never rewritten";
    }
    EXPECT_EQ(refused, static_cast<int>(std::size(malformed)));
}

TEST_F(DataFileLoad, FilesWrittenTheWindowsWayLoadAndAreSavedAsUtf8) {
    struct Case {
        QByteArray xml;
        QString title;
    };
    const Case cases[] = {
        // The code page, with and without its name, in Windows lines.
        {"<zandor>\r\n\t<notes>\r\n\t\t<note title=\"caf\xE9 \x80\"/>\r\n\t</notes>\r\n\t<passwords/>\r\n</zandor>\r\n",
         QString::fromUtf8("café €")},
        {"<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<zandor><notes><note title=\"Gru\xDF\x93\"/>"
         "</notes><passwords/></zandor>",
         QString::fromUtf8("Gruß“")},
        {"<?xml version='1.0' encoding='ISO-8859-1' standalone='yes'?><zandor><notes><note title=\"\x80\"/>"
         "</notes><passwords/></zandor>",
         QString::fromUtf8("€")},
        // Named, the code page wins even where its bytes happen to be UTF-8.
        {"<?xml version=\"1.0\" encoding=\"Windows-1252\"?><zandor><notes><note title=\"\xC3\xA9\"/></notes>"
         "<passwords/></zandor>",
         QString::fromUtf8("Ã©")},
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<zandor>\n<notes>\n<note title=\"\xF0\x9F\x98\x80 &#x1F600; "
         "&#233;\"/>\n</notes>\n<passwords/>\n</zandor>",
         QString::fromUtf8("😀 😀 é")},
        {"\xEF\xBB\xBF<!-- made by hand -->\n<zandor><notes><note title=\"x]>\" />"
         "<!-- \xC3\xA9 - --></notes><?pi ?><passwords/></zandor><!-- end --><?pi?>\n",
         QStringLiteral("x]>")},
    };
    for (const Case& c : cases) {
        folder.writeData(c.xml);
        boxes->clear();
        ASSERT_TRUE(mFunctions::NodeExists(QStringLiteral(".//zandor/notes"), QStringLiteral("note"), c.title))
            << c.xml.constData();
        // A save writes UTF-8 that reads back the same.
        ASSERT_TRUE(DataFile::Save(DataFile::Edit()));
        EXPECT_TRUE(platform::IsValidUtf8(folder.readData().constData(), folder.readData().size()));
        folder.rewriteData();
        EXPECT_TRUE(mFunctions::NodeExists(QStringLiteral(".//zandor/notes"), QStringLiteral("note"), c.title))
            << folder.readData().constData();
    }
}

class DataFileSave : public StoreTest {
protected:
    bool save() {
        DataFile::EditDocument doc = DataFile::Edit();
        doc->appendChild(DataFile::RootOrDie(*doc).child(0), doc->createElement(QStringLiteral("note")));
        return DataFile::Save(std::move(doc));
    }
    QStringList hiddenFiles(const QString& dir) const {
        return QDir(dir).entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden | QDir::System);
    }
};

TEST_F(DataFileSave, WhatMayNotBeWrittenIsNotAndTheSaveSaysWhy) {
    const QByteArray file = QFile::encodeName(folder.dataFile());
    const QByteArray dir = QFile::encodeName(folder.path());
    struct Case {
        const char* what;
        std::function<void()> arrange, undo;
        QString reason;
        QString title = QStringLiteral("note");
    };
    std::vector<Case> cases = {
        {"a read-only file", [&] { ::chmod(file, 0444); }, [&] { ::chmod(file, 0644); },
         QStringLiteral("The file is read-only")},
        {"a text XML cannot hold", [] {}, [] {}, QStringLiteral("cannot hold"), QStringLiteral("a\x01b")},
        {"a text of half a character pair", [] {}, [] {}, QStringLiteral("cannot hold"), QString(QChar(0xD800))},
    };
    // The system lets its administrator write anywhere; only a person is refused.
    if (::geteuid() != 0)
        cases.push_back({"a folder the person may not write", [&] { ::chmod(dir, 0555); }, [&] { ::chmod(dir, 0755); },
                         QStringLiteral("Permission denied")});
    for (const Case& c : cases) {
        const QByteArray before = folder.readData();
        c.arrange();
        struct stat was {};
        ASSERT_EQ(::stat(file, &was), 0);
        boxes->clear();
        DataFile::EditDocument doc = DataFile::Edit();
        const platform::XmlNode note =
            doc->appendChild(DataFile::RootOrDie(*doc).child(0), doc->createElement(QStringLiteral("note")));
        doc->setAttribute(note, QStringLiteral("title"), c.title);
        EXPECT_FALSE(DataFile::Save(std::move(doc))) << c.what;
        ASSERT_EQ(boxes->boxes.size(), 1u) << c.what;
        EXPECT_EQ(boxes->last().title, QStringLiteral("Data File could not be saved!"));
        EXPECT_TRUE(boxes->last().text.contains(c.reason)) << boxes->last().text.toStdString();
        struct stat now {};
        ASSERT_EQ(::stat(file, &now), 0);
        EXPECT_EQ(now.st_mode, was.st_mode) << c.what;
        c.undo();
        EXPECT_EQ(folder.readData(), before) << c.what;
        EXPECT_TRUE(hiddenFiles(folder.path()).isEmpty()) << "no temporary file is left";
    }
}

TEST_F(DataFileSave, TheFileKeepsItsModeAndALinkKeepsPointingWhereItDid) {
    // The owner too, where the process may give a file away.
    const bool mayChown = ::geteuid() == 0;
    if (mayChown) {
        ASSERT_EQ(::chown(QFile::encodeName(folder.dataFile()).constData(), 4321, 4321), 0);
    }
    for (mode_t mode : {0600, 0640, 0664}) {
        ASSERT_EQ(::chmod(QFile::encodeName(folder.dataFile()).constData(), mode), 0);
        ASSERT_TRUE(save());
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(folder.dataFile()).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
        if (mayChown) {
            EXPECT_EQ(st.st_uid, 4321u);
        }
    }
    // data.xml as a link to a file kept elsewhere, by a relative path.
    QTemporaryDir elsewhere;
    QDir(elsewhere.path()).mkdir(QStringLiteral("kept"));
    const QString target = elsewhere.filePath(QStringLiteral("kept/organiser.xml"));
    ASSERT_TRUE(QFile::rename(folder.dataFile(), target));
    ASSERT_TRUE(QFile::link(QDir(folder.path()).relativeFilePath(target), folder.dataFile()));
    const qsizetype notes = folder.readData().count("<note ");
    ASSERT_TRUE(save());
    EXPECT_EQ(QFileInfo(folder.dataFile()).symLinkTarget(), QFileInfo(target).canonicalFilePath());
    EXPECT_EQ(folder.readData().count("<note "), notes + 1);
    EXPECT_TRUE(hiddenFiles(folder.path()).isEmpty());
    EXPECT_TRUE(hiddenFiles(QFileInfo(target).absolutePath()).isEmpty());
}

TEST_F(DataFileSave, TemporariesOfKilledSavesAreRemovedAtStart) {
    folder.write(QStringLiteral(".data.xml.a1B2c3"), "half a file");
    folder.write(QStringLiteral(".data.xml.zzzzzz"), "");
    // Another file's, or of a name only like this one: not ours to judge.
    QStringList others = {".AppCfg.cfg.a1B2c3", ".DATA.XML.a1B2c3",  ".Data.xml.zzzzzz",
                          ".data.xml.a1B2c",    ".data.xml.a1B2c3d", ".data.xml.a1-2c3"};
    for (const QString& name : others)
        folder.write(name, "theirs");
    folder.write(QStringLiteral("data.xml.bck"), "a backup");
    DataFile::RemoveStaleTemporaries();
    QStringList left = hiddenFiles(folder.path());
    left.sort();
    others.sort();
    EXPECT_EQ(left, others);
    EXPECT_TRUE(QFileInfo::exists(folder.file(QStringLiteral("data.xml.bck"))));
    EXPECT_TRUE(QFileInfo::exists(folder.dataFile()));
}

TEST_F(DataFileSave, AFilePutInPlaceRightAfterTheSaveIsReadNotTheSavedDocument) {
    const QByteArray theirs = "<?xml version=\"1.0\"?>\n<zandor><notes><note title=\"theirs\"/></notes>"
                              "<passwords/></zandor>\n";
    const QString other = folder.file(QStringLiteral("other.xml"));
    testsupport::FailingWriter disk;
    disk.afterNextReplace([&] {
        ASSERT_TRUE(platform::WriteWholeFile(other, theirs));
        ASSERT_EQ(::rename(QFile::encodeName(other).constData(), QFile::encodeName(folder.dataFile()).constData()), 0);
    });
    ASSERT_TRUE(save());
    ASSERT_EQ(folder.readData(), theirs);
    EXPECT_TRUE(
        mFunctions::NodeExists(QStringLiteral(".//zandor/notes"), QStringLiteral("note"), QStringLiteral("theirs")));
}
