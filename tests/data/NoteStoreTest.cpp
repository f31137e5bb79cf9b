#include "FailingWriter.h"
#include "FakeInputs.h"
#include "FileRoot.h"
#include "StoreFixture.h"
#include "data/mFunctions.h"
#include "data/mNotes.h"

#include <QFile>

using platform::XmlDocument;
using platform::XmlNode;

namespace {

NoteRecord note(const QString& title, const QString& text) {
    return NoteRecord{title, text, QStringLiteral("01/02/2006"), QStringLiteral("08:15:00 AM"), QString()};
}

// A data file laid out by hand, so any rewrite of it shows in its bytes.
const QByteArray kHandWritten = "<?xml version=\"1.0\"?>\n<zandor><notes>"
                                "<note title=\"Same\"><date>01/01/2006</date><time>01:00:00 AM</time>"
                                "<lastedit>01/01/2006; 01:00:00 AM</lastedit><text>AA</text></note>"
                                "<note title=\"Same\"><date>02/01/2006</date><time>02:00:00 AM</time>"
                                "<lastedit>02/01/2006; 02:00:00 AM</lastedit><text>BB</text></note>"
                                "</notes><passwords/></zandor>";

} // namespace

class NoteStore : public StoreTest {
protected:
    testsupport::FakeClock clock{QDateTime(QDate(2006, 7, 5), QTime(14, 30, 5))};
};

TEST_F(NoteStore, ANewNoteIsStampedAndShowsInTheReloadedList) {
    mFunctions::SetCurrentView(mFunctions::ViewNotes);
    bool listedAtReload = false;
    views::Loaders l;
    l.loadNotesList = [&](const QString& d) {
        calls << QStringLiteral("notes(%1)").arg(d);
        listedAtReload = mFunctions::NodeExists(".//zandor/notes", "note", "Plans");
    };
    views::InstallLoaders(l);
    ASSERT_TRUE(mNotes::SaveNote(note("Plans", "C0FFEE"), true, QString()));
    EXPECT_EQ(calls, (QStringList{"notes()"}));
    EXPECT_TRUE(listedAtReload);

    XmlDocument doc;
    XmlNode n = fileRoot(doc, folder).child(0).child(0);
    EXPECT_EQ(n.attributeText(0), QStringLiteral("Plans"));
    EXPECT_EQ(n.childCount(), 4);
    EXPECT_EQ(n.child(0).nodeName(), QStringLiteral("date"));
    EXPECT_EQ(n.child(2).text(), QStringLiteral("05/07/2006; 02:30:05 PM"));
    EXPECT_EQ(n.child(3).nodeName(), QStringLiteral("text"));

    const NoteRecord read = mNotes::GetNote("Plans");
    EXPECT_EQ(read, (NoteRecord{"Plans", "C0FFEE", "01/02/2006", "08:15:00 AM", "05/07/2006; 02:30:05 PM"}));
}

TEST_F(NoteStore, EditingKeepsTheCreationStampAndActsOnTheFirstOfTwoTitles) {
    folder.writeData(kHandWritten);
    clock.set(QDateTime(QDate(2007, 12, 31), QTime(0, 5, 0)));
    ASSERT_TRUE(mNotes::SaveNote(note("Renamed", "CC"), false, "Same"));
    EXPECT_TRUE(calls.isEmpty()) << "the notes list is not showing";

    const NoteRecord first = mNotes::GetNote("Renamed");
    EXPECT_EQ(first, (NoteRecord{"Renamed", "CC", "01/01/2006", "01:00:00 AM", "31/12/2007; 12:05:00 AM"}));
    EXPECT_EQ(mNotes::GetNote("Same").Text, QStringLiteral("BB")) << "the second note is untouched";

    // A rename is never checked against the other titles.
    ASSERT_TRUE(mNotes::SaveNote(note("Same", "DD"), false, "Renamed"));
    EXPECT_EQ(mNotes::GetNote("Same").Text, QStringLiteral("DD"));
    ASSERT_TRUE(mNotes::DeleteNote("Same"));
    EXPECT_EQ(mNotes::GetNote("Same").Text, QStringLiteral("BB"));
    EXPECT_TRUE(boxes->boxes.empty());
}

TEST_F(NoteStore, AMissingNoteIsReportedAndNothingIsSaved) {
    folder.writeData(kHandWritten);
    mFunctions::SetCurrentView(mFunctions::ViewNotes);
    EXPECT_FALSE(mNotes::SaveNote(note("New", "EE"), false, "Gone"));
    ASSERT_EQ(boxes->boxes.size(), 1u);
    EXPECT_EQ(boxes->last().text,
              QStringLiteral("Selected Note found missing! Changes to selected Note can not be saved."));
    EXPECT_EQ(boxes->last().title, QStringLiteral("Edit Note process failed!"));
    EXPECT_EQ(boxes->last().style, platform::MsgStyle::Information);
    EXPECT_EQ(folder.readData(), kHandWritten);
    EXPECT_TRUE(calls.isEmpty());

    EXPECT_EQ(mNotes::GetNote("Gone"), NoteRecord());
    EXPECT_EQ(boxes->last().text, QStringLiteral("Selected Note found missing!"));
    EXPECT_EQ(boxes->last().title, QStringLiteral("Action execution failed!"));
}

TEST_F(NoteStore, DeletingFromAnEmptyListLeavesTheFileAndAMissingTitleRewritesIt) {
    const QByteArray empty = "<zandor>  <notes/>  <passwords/></zandor>";
    folder.writeData(empty);
    EXPECT_FALSE(mNotes::DeleteNote("Anything"));
    EXPECT_EQ(folder.readData(), empty) << "an empty notes list is not saved";
    const QByteArray laidOut = "<zandor>\r\n  <notes>\r\n  </notes>\r\n  <passwords>\r\n  </passwords>\r\n</zandor>";
    folder.writeData(laidOut);
    EXPECT_FALSE(mNotes::DeleteNote("Anything"));
    EXPECT_EQ(folder.readData(), laidOut) << "however its file was laid out";

    folder.writeData(kHandWritten);
    EXPECT_FALSE(mNotes::DeleteNote("Gone"));
    const QByteArray rewritten = folder.readData();
    EXPECT_NE(rewritten, kHandWritten) << "the file is saved even when nothing matched";
    XmlDocument before, after;
    ASSERT_TRUE(before.loadXml(kHandWritten));
    ASSERT_TRUE(after.loadXml(rewritten));
    EXPECT_EQ(after.xml(), before.xml()) << "and holds the same records";
    EXPECT_TRUE(boxes->boxes.empty());
    EXPECT_TRUE(calls.isEmpty()) << "the caller reloads the notes list";
}

TEST_F(NoteStore, ReadingFailsQuietlyOnAMissingFileButNotWithoutTheNotesList) {
    QFile::remove(folder.dataFile());
    EXPECT_EQ(mNotes::GetNote("Plans"), NoteRecord());
    EXPECT_TRUE(boxes->boxes.empty());

    folder.writeData("<zandor><passwords/></zandor>");
    EXPECT_THROW(mNotes::GetNote("Plans"), platform::ProcessEnded);
    EXPECT_THROW(mNotes::DeleteNote("Plans"), platform::ProcessEnded);
    EXPECT_EQ(boxes->boxes.size(), 2u);
    EXPECT_TRUE(boxes->sawTitle("Data File is missing or invalid!"));
}

TEST_F(NoteStore, AFailedSaveIsReportedAndTheListIsNotReloaded) {
    testsupport::FailingWriter disk;
    folder.writeData(kHandWritten);
    mFunctions::SetCurrentView(mFunctions::ViewNotes);
    disk.failNext();
    EXPECT_FALSE(mNotes::SaveNote(note("New", "EE"), true, QString()));
    disk.failNext();
    EXPECT_FALSE(mNotes::DeleteNote("Same"));
    ASSERT_EQ(boxes->boxes.size(), 2u);
    EXPECT_EQ(boxes->last().title, QStringLiteral("Data File could not be saved!"));
    EXPECT_EQ(folder.readData(), kHandWritten);
    EXPECT_TRUE(calls.isEmpty());
}
