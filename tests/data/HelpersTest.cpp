#include "data/mFunctions.h"
#include "data/mGeneralFunctions.h"
#include "platform/Forms.h"

#include "FailingWriter.h"
#include "FakeInputs.h"
#include "MessageBoxResponder.h"
#include "ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace mGeneralFunctions;

namespace {

class FakeForm : public platform::Form {
public:
    FakeForm(QString name, bool visible, QStringList* log) : m_name(std::move(name)), m_visible(visible), m_log(log) {}
    QString formName() const override { return m_name; }
    bool isFormVisible() const override { return m_visible; }
    bool unloadForm() override {
        *m_log << m_name;
        leaveRegistry();
        return true;
    }

private:
    QString m_name;
    bool m_visible;
    QStringList* m_log;
};

} // namespace

TEST(Helpers, BlankMeansOnlySpaces) {
    EXPECT_TRUE(IsBlank(QString()));
    EXPECT_TRUE(IsBlank(QStringLiteral("    ")));
    EXPECT_FALSE(IsBlank(QStringLiteral("  word  ")));
    EXPECT_FALSE(IsBlank(QStringLiteral("\t"))) << "only spaces are trimmed";
}

TEST(Helpers, ApplicationBuildJoinsTheProjectVersion) {
    const QString dotted = ApplicationBuild(false, true);
    const QStringList parts = dotted.split(QLatin1Char('.'));
    ASSERT_EQ(parts.size(), 3);
    EXPECT_EQ(ApplicationBuild(true, false), dotted);
    EXPECT_EQ(ApplicationBuild(true, true), parts[0] + "." + parts[1] + "; build: " + parts[2]);
}

TEST(Helpers, FilesExistWhenTheyAreFilesHiddenOrNot) {
    testsupport::TempProgramFolder folder;
    testsupport::ScopedResponder boxes;
    folder.write(QStringLiteral(".hidden"), "x");
    QDir(folder.path()).mkdir(QStringLiteral("sub"));
    EXPECT_TRUE(FileExists(folder.file(QStringLiteral(".hidden"))));
    EXPECT_TRUE(FileExists(folder.dataFile()));
    EXPECT_FALSE(FileExists(folder.file(QStringLiteral("sub"))));
    EXPECT_FALSE(FileExists(folder.file(QStringLiteral("missing.txt"))));
    EXPECT_TRUE(FileExists(folder.file(QStringLiteral("*.xml"))));
    EXPECT_FALSE(FileExists(folder.file(QStringLiteral("su?"))));
    EXPECT_TRUE(boxes->boxes.empty());
}

TEST(Helpers, TextFilesReportTheirFailuresInABox) {
    testsupport::FailingWriter disk;
    testsupport::TempProgramFolder folder;
    testsupport::ScopedResponder boxes;
    folder.write(QStringLiteral("empty.txt"), QByteArray());
    EXPECT_EQ(ReadTextFile(folder.file(QStringLiteral("empty.txt"))), QString());
    EXPECT_TRUE(boxes->boxes.empty());

    EXPECT_EQ(ReadTextFile(folder.file(QStringLiteral("missing.txt"))), QString());
    ASSERT_EQ(boxes->boxes.size(), 1u);
    EXPECT_EQ(boxes->last().title, QStringLiteral("Error !"));
    EXPECT_EQ(boxes->last().text, QStringLiteral("53 : \r\n\r\nFile not found"));

    EXPECT_FALSE(WriteTextFile(folder.file(QStringLiteral("no/such/folder.txt")), QStringLiteral("x")));
    EXPECT_EQ(boxes->last().title, QStringLiteral("Error !"));
    EXPECT_EQ(boxes->last().text, QStringLiteral("76 : \r\n\r\nPath not found"));

    disk.failNext();
    EXPECT_FALSE(WriteTextFile(folder.file(QStringLiteral("full.txt")), QStringLiteral("x")));
    EXPECT_EQ(boxes->last().text, QStringLiteral("61 : \r\n\r\nDisk full"));

    const QString text = QStringLiteral("Line 1\r\nZażółć ΑΒΓ 中文");
    ASSERT_TRUE(WriteTextFile(folder.file(QStringLiteral("out.txt")), text));
    EXPECT_EQ(ReadTextFile(folder.file(QStringLiteral("out.txt"))), text);
    folder.write(QStringLiteral("old.txt"), "caf\xE9 \x80");
    EXPECT_EQ(ReadTextFile(folder.file(QStringLiteral("old.txt"))), QString::fromUtf8("café €"))
        << "text in the Windows code page still reads";
}

TEST(Helpers, DayKeysBecomeDates) {
    EXPECT_EQ(GetDateOnly(QStringLiteral("05-07-2006")), QDate(2006, 7, 5));
    EXPECT_EQ(GetDateOnly(QStringLiteral("31-12-1999")), QDate(1999, 12, 31));
    EXPECT_EQ(GetDateOnly(QStringLiteral("32-01-2006")), QDate(2006, 2, 1)) << "days past the month carry over";
    EXPECT_FALSE(GetDateOnly(QStringLiteral("05/07/2006")).isValid());
    EXPECT_FALSE(GetDateOnly(QStringLiteral("aa-bb-cccc")).isValid());
}

TEST(Helpers, LoadedFormsAreFoundByExactNameAndUnloadedInLoadOrder) {
    QStringList log;
    auto* a = new FakeForm(QStringLiteral("frmMain"), true, &log);
    auto* b = new FakeForm(QStringLiteral("frmHidden"), false, &log);
    auto* c = new FakeForm(QStringLiteral("frmToday"), true, &log);
    EXPECT_TRUE(IsFormLoadedVisible(QStringLiteral("frmMain")));
    EXPECT_FALSE(IsFormLoadedVisible(QStringLiteral("frmmain")));
    EXPECT_FALSE(IsFormLoadedVisible(QStringLiteral("frmHidden")));
    EXPECT_FALSE(IsFormLoadedVisible(QStringLiteral("frmNotLoaded")));
    UnloadAllForms();
    EXPECT_EQ(log, QStringList({"frmMain", "frmHidden", "frmToday"}));
    EXPECT_TRUE(platform::Forms::Loaded().empty());
    EXPECT_FALSE(IsFormLoadedVisible(QStringLiteral("frmMain")));
    delete a;
    delete b;
    delete c;
}

TEST(Vocabulary, CodesHaveTheirTexts) {
    EXPECT_EQ(mFunctions::GetPriorityText(0), QStringLiteral("Urgent"));
    EXPECT_EQ(mFunctions::GetPriorityText(3), QStringLiteral("Low"));
    EXPECT_EQ(mFunctions::GetPriorityText(4), QStringLiteral("- Unknown -"));
    EXPECT_EQ(mFunctions::GetPriorityText(-1), QStringLiteral("- Unknown -"));
    EXPECT_EQ(mFunctions::GetTaskStatusText(2), QStringLiteral("Waiting for someone else"));
    EXPECT_EQ(mFunctions::GetTaskStatusText(5), QStringLiteral("Deferred"));
    EXPECT_EQ(mFunctions::GetTaskStatusText(6), QStringLiteral("- Unknown -"));
    EXPECT_EQ(mFunctions::GetMeetingForText(5), QStringLiteral("Resource Planning"));
    EXPECT_EQ(mFunctions::GetMeetingForText(6), QStringLiteral("- Unknown -"));
}

TEST(Vocabulary, PreviewsCutAtThirtyCharacters) {
    const QString t29 = QString(29, QLatin1Char('x'));
    const QString t30 = QString(30, QLatin1Char('y'));
    EXPECT_EQ(mFunctions::ShortenText(QString()), QString());
    EXPECT_EQ(mFunctions::ShortenText(t29), t29);
    EXPECT_EQ(mFunctions::ShortenText(t30), t30 + " ...");
    EXPECT_EQ(mFunctions::ShortenText(t30 + "zzz").size(), 34);
    // Characters, not bytes: thirty letters outside the basic plane stay whole.
    QString wide;
    for (int i = 0; i < 31; ++i)
        wide += QString::fromUcs4(U"😀", 1);
    EXPECT_EQ(mFunctions::ShortenText(wide), wide.left(60) + " ...");
}

TEST(Vocabulary, MeetingEndsMustFollowStarts) {
    using mFunctions::IsTimeAfter;
    EXPECT_FALSE(IsTimeAfter(QStringLiteral("10:00:00"), QStringLiteral("10:00:00")));
    EXPECT_TRUE(IsTimeAfter(QStringLiteral("10:00:00"), QStringLiteral("10:00:01")));
    EXPECT_FALSE(IsTimeAfter(QStringLiteral("23:00:00"), QStringLiteral("01:00:00")));
    EXPECT_TRUE(IsTimeAfter(QStringLiteral("11:59:59 AM"), QStringLiteral("12:00:00 PM")));
    EXPECT_TRUE(IsTimeAfter(QStringLiteral("12:30:00 AM"), QStringLiteral("01:00"))) << "12:30 AM is after midnight";
    EXPECT_TRUE(IsTimeAfter(QStringLiteral("05/07/2006 09:00:00 AM"), QStringLiteral("01/01/2000 9:30")))
        << "dates are ignored";
}
