#include "FailingWriter.h"
#include "FakeInputs.h"
#include "FileRoot.h"
#include "StoreFixture.h"
#include "data/mFunctions.h"
#include "data/mPasswords.h"

#include <QFile>

using platform::XmlDocument;
using platform::XmlNode;

namespace {

const QByteArray kTwoOfOneTitle = "<zandor><notes/><passwords>"
                                  "<password title=\"Bank\"><uname>11</uname><pwd>22</pwd><url>a.example</url>"
                                  "<anote>33</anote></password>"
                                  "<password title=\"Bank\"><uname>44</uname><pwd>55</pwd><url>b.example</url>"
                                  "<anote>66</anote></password>"
                                  "</passwords></zandor>";

} // namespace

using PasswordStore = StoreTest;

TEST_F(PasswordStore, BlankOptionalFieldsAreStoredAsTyped) {
    mFunctions::SetCurrentView(mFunctions::ViewPasswords);
    const PasswordRecord rec{"Mail", "  ", "ABCDEF", "https://mail.example/?a=1&b=<2>", ""};
    ASSERT_TRUE(mPasswords::SavePassword(rec, true, QString()));
    EXPECT_EQ(calls, (QStringList{"passwords()"}));

    XmlDocument doc;
    XmlNode entry = fileRoot(doc, folder).child(1).child(0);
    EXPECT_EQ(entry.attributeText(0), QStringLiteral("Mail"));
    ASSERT_EQ(entry.childCount(), 4);
    const char* names[] = {"uname", "pwd", "url", "anote"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(entry.child(i).nodeName(), QString::fromLatin1(names[i]));
    EXPECT_EQ(entry.child(0).text(), QStringLiteral("  "));
    EXPECT_EQ(mPasswords::GetPassword("Mail"), rec);
}

TEST_F(PasswordStore, EditRenamesInPlaceAndTheFirstOfTwoTitlesWins) {
    folder.writeData(kTwoOfOneTitle);
    ASSERT_TRUE(mPasswords::SavePassword({"Bank (old)", "77", "88", "c.example", ""}, false, "Bank"));
    EXPECT_TRUE(calls.isEmpty()) << "the passwords list is not showing";
    EXPECT_EQ(mPasswords::GetPassword("Bank (old)"), (PasswordRecord{"Bank (old)", "77", "88", "c.example", ""}));
    EXPECT_EQ(mPasswords::GetPassword("Bank").Password, QStringLiteral("55"));
    ASSERT_TRUE(mPasswords::SavePassword({"Bank", "1", "2", "3", "4"}, false, "Bank (old)"));
    ASSERT_TRUE(mPasswords::DeletePassword("Bank"));
    EXPECT_EQ(mPasswords::GetPassword("Bank").Password, QStringLiteral("55"));
    EXPECT_TRUE(boxes->boxes.empty());
}

TEST_F(PasswordStore, AMissingEntryIsReportedInTheNoteWording) {
    folder.writeData(kTwoOfOneTitle);
    EXPECT_FALSE(mPasswords::SavePassword({"X", "1", "2", "3", "4"}, false, "Gone"));
    EXPECT_EQ(boxes->last().text,
              QStringLiteral("Selected Note found missing! Changes to selected Note can not be saved."));
    EXPECT_EQ(boxes->last().title, QStringLiteral("Edit Note process failed!"));
    EXPECT_EQ(folder.readData(), kTwoOfOneTitle);

    EXPECT_EQ(mPasswords::GetPassword("Gone"), PasswordRecord());
    EXPECT_EQ(boxes->last().text, QStringLiteral("Selected Note found missing!"));
    EXPECT_EQ(boxes->last().title, QStringLiteral("Action execution failed!"));
    EXPECT_EQ(boxes->boxes.size(), 2u);

    QFile::remove(folder.dataFile());
    EXPECT_EQ(mPasswords::GetPassword("Bank"), PasswordRecord()) << "a file that does not load reads as no entry";
    EXPECT_EQ(boxes->boxes.size(), 2u);
}

TEST_F(PasswordStore, DeletingReloadsTheShowingListUnlessTheListWasEmpty) {
    mFunctions::SetCurrentView(mFunctions::ViewPasswords);
    ASSERT_TRUE(mPasswords::SavePassword({"Only", "", "99", "", ""}, true, QString()));
    calls.clear();

    // A title that does not exist: false, the file rewritten unchanged, the list reloaded.
    const QByteArray before = folder.readData();
    EXPECT_FALSE(mPasswords::DeletePassword("Gone"));
    EXPECT_EQ(folder.readData(), before);
    EXPECT_EQ(calls, (QStringList{"passwords()"}));

    // The last entry goes and the reloaded list is empty.
    bool emptyAtReload = false;
    views::Loaders l;
    l.loadPasswordsList = [&]() {
        calls << QStringLiteral("passwords()");
        emptyAtReload = !mFunctions::NodeExists(".//zandor/passwords", "password", "");
    };
    views::InstallLoaders(l);
    EXPECT_TRUE(mPasswords::DeletePassword("Only"));
    EXPECT_TRUE(emptyAtReload);

    // An empty list is neither saved nor reloaded.
    calls.clear();
    const QByteArray empty = "<zandor> <notes/> <passwords/> </zandor>";
    folder.writeData(empty);
    EXPECT_FALSE(mPasswords::DeletePassword("Only"));
    EXPECT_EQ(folder.readData(), empty);
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_TRUE(boxes->boxes.empty());
}

TEST_F(PasswordStore, AFailedSaveIsReportedAndTheListIsNotReloaded) {
    testsupport::FailingWriter disk;
    folder.writeData(kTwoOfOneTitle);
    mFunctions::SetCurrentView(mFunctions::ViewPasswords);
    disk.failNext();
    EXPECT_FALSE(mPasswords::SavePassword({"New", "", "1", "", ""}, true, QString()));
    disk.failNext();
    EXPECT_FALSE(mPasswords::DeletePassword("Bank"));
    ASSERT_EQ(boxes->boxes.size(), 2u);
    EXPECT_EQ(boxes->last().title, QStringLiteral("Data File could not be saved!"));
    EXPECT_EQ(folder.readData(), kTwoOfOneTitle);
    EXPECT_TRUE(calls.isEmpty());

    folder.writeData("<zandor><notes/></zandor>");
    EXPECT_THROW(mPasswords::SavePassword({"New", "", "1", "", ""}, true, QString()), platform::ProcessEnded);
    EXPECT_TRUE(boxes->sawTitle("Data File is missing or invalid!"));
}
