#include "MessageBoxResponder.h"
#include "ProgramFolder.h"
#include "data/cRC4.h"
#include "data/mFunctionsServices.h"
#include "data/mINI.h"
#include "platform/RuntimeError.h"

#include <QFile>
#include <gtest/gtest.h>

using platform::Variant;

namespace {

const QString kNotValid = QStringLiteral("ERR#Application Configuration File is not valid! Please try reinstalling "
                                         "the Application to solve this error issue.");

class Configuration : public ::testing::Test {
protected:
    void SetUp() override {
        folder.write("AppCfg.cfg", "[password]\r\nenabled=0\r\npassword=\r\n[app]\r\nstartup=0\r\n");
        mINI::SetINI(cfg(), 5000);
    }
    QString cfg() const { return folder.file("AppCfg.cfg"); }

    testsupport::TempProgramFolder folder;
    testsupport::ScopedResponder ui;
};

long errorNumberOf(const std::function<void()>& f, QString* description = nullptr) {
    try {
        f();
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.source(), QStringLiteral("INIReadWrite"));
        if (description)
            *description = e.description();
        return e.number();
    }
    return 0;
}

} // namespace

TEST_F(Configuration, ReadingOrWritingBeforeTheFileIsNamedRaises670) {
    QString description;
    mINI::SetINI(cfg(), 0);
    EXPECT_EQ(errorNumberOf([] { mINI::ReadINI("app", "startup", "0"); }, &description), 670);
    EXPECT_EQ(description, QStringLiteral("Buffer size not set"));
    mINI::SetINI(QString(), 5000);
    EXPECT_EQ(errorNumberOf([] { mINI::WriteINI("app", "startup", "1"); }, &description), 670);
    EXPECT_EQ(description, QStringLiteral("Filename not set"));
}

TEST_F(Configuration, KeysRoundTripWithLineBreaksAndDefaults) {
    EXPECT_EQ(mINI::ReadINI("password", "enabled", "1").toString(), QStringLiteral("0"));
    EXPECT_EQ(mINI::ReadINI("PASSWORD", "Enabled", "1").toString(), QStringLiteral("0"));
    EXPECT_EQ(mINI::ReadINI("app", "missing", "dflt").toString(), QStringLiteral("dflt"));
    EXPECT_EQ(mINI::ReadINI("nosection", "startup", "1").toLong(), 1);
    EXPECT_EQ(mINI::ReadINI("password", "password", "x").toString(), QString()) << "present but empty";

    mINI::WriteINI("app", "startup", Variant::fromInteger(1));
    EXPECT_EQ(mINI::ReadINI("app", "startup", "0").toLong(), 1);

    mINI::WriteINI("notes", "text", "first line\r\nsecond line");
    EXPECT_TRUE(folder.read("AppCfg.cfg").contains("text=first line%%&&Chr(13)&&%%second line"));
    EXPECT_EQ(mINI::ReadINI("notes", "text", "").toString(), QStringLiteral("first line\r\nsecond line"));

    // A lone line break would open a line of its own in the file and could
    // pose as another key; such a value is not written.
    const QByteArray before = folder.read("AppCfg.cfg");
    mINI::WriteINI("app", "startup", "0\n[password]\npassword=forged");
    EXPECT_EQ(folder.read("AppCfg.cfg"), before);

    // Values are cut to the buffer size less one.
    mINI::WriteINI("app", "long", QString(6000, QLatin1Char('x')));
    EXPECT_EQ(mINI::ReadINI("app", "long", "").toString().size(), 4999);
    EXPECT_TRUE(ui->boxes.empty());
}

TEST_F(Configuration, SectionHeadersMustMatchExactly) {
    folder.write("other.cfg", "; comment\n[Password]\n[ app ]\n[app ]\r\n[data]");
    const QString other = folder.file("other.cfg");
    EXPECT_FALSE(mINI::INISectionExists(other, "password")) << "letter case differs";
    EXPECT_FALSE(mINI::INISectionExists(other, "app")) << "spaces inside the brackets";
    EXPECT_TRUE(mINI::INISectionExists(other, "app "));
    EXPECT_TRUE(mINI::INISectionExists(other, "data")) << "last line without a line break";
    folder.write("marked.cfg", "\xEF\xBB\xBF[app]\r\nstartup=1\r\n");
    EXPECT_TRUE(mINI::INISectionExists(folder.file("marked.cfg"), "app")) << "after a byte-order mark";
    EXPECT_TRUE(ui->boxes.empty());

    EXPECT_FALSE(mINI::INISectionExists(folder.file("none.cfg"), "app"));
    ASSERT_EQ(ui->boxes.size(), 1u);
    EXPECT_EQ(ui->last().text, folder.file("none.cfg") + QStringLiteral(" not found."));
    EXPECT_EQ(ui->last().title, QStringLiteral("File Not Found"));
    EXPECT_EQ(ui->last().style, platform::MsgStyle::Critical);
}

TEST_F(Configuration, TheAccessPasswordIsStoredEnciphered) {
    EXPECT_EQ(mFunctions::AccessAppPassword(false, QString()), QString()) << "none set yet";
    EXPECT_EQ(mFunctions::AccessAppPassword(true, QStringLiteral("s3cret ü")), QString());
    const QString stored = mINI::ReadINI("password", "password", "").toString();
    EXPECT_EQ(stored, EncipherField(QStringLiteral("s3cret ü")));
    EXPECT_EQ(mFunctions::AccessAppPassword(false, QString()), QStringLiteral("s3cret ü"));

    // A blank stored value comes back as it stands, not deciphered.
    folder.write("AppCfg.cfg", "[password]\npassword=\"   \"\n");
    EXPECT_EQ(mFunctions::AccessAppPassword(false, QString()), QStringLiteral("   "));
    EXPECT_TRUE(ui->boxes.empty());
}

TEST_F(Configuration, AFileWithoutThePasswordSectionGivesTheErrorTextInBothModes) {
    folder.write("AppCfg.cfg", "[app]\nstartup=0\n");
    EXPECT_EQ(mFunctions::AccessAppPassword(false, QString()), kNotValid);
    EXPECT_EQ(mFunctions::AccessAppPassword(true, QStringLiteral("new")), kNotValid);
    EXPECT_EQ(folder.read("AppCfg.cfg"), QByteArray("[app]\nstartup=0\n")) << "nothing is written";
    EXPECT_TRUE(ui->boxes.empty());

    QFile::remove(cfg());
    EXPECT_EQ(mFunctions::AccessAppPassword(false, QString()), kNotValid);
    EXPECT_TRUE(ui->sawTitle("File Not Found"));
}
