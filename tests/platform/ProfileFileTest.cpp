#include "platform/ProfileFile.h"
#include "FailingWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::GetPrivateProfileString;
using platform::WritePrivateProfileString;

namespace {

class ProfileFile : public ::testing::Test {
protected:
    QString path(const QString& name = QStringLiteral("AppCfg.cfg")) const { return dir.filePath(name); }
    void write(const QByteArray& bytes) {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read() const {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString get(const QString& section, const QString& key, const QString& def = QStringLiteral("<default>"),
                int size = 5000) {
        QString out;
        const int n = GetPrivateProfileString(section, key, def, out, size, path());
        EXPECT_EQ(n, out.size());
        return out;
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(ProfileFile, ReadsNamesWithoutRegardToCaseAndTrimsValues) {
    write("; settings\r\n[Password]\r\n  Enabled =  1  \r\nquoted= \" a b \" \r\nhalf=\"open\r\n"
          "empty=\r\n[app]\r\nstartup=0\r\n[password]\r\nenabled=second section\r\n");
    EXPECT_EQ(get("password", "ENABLED"), QStringLiteral("1"));
    EXPECT_EQ(get("PASSWORD", "quoted"), QStringLiteral(" a b ")) << "one pair of quotes goes";
    EXPECT_EQ(get("password", "half"), QStringLiteral("\"open"));
    EXPECT_EQ(get("password", "empty"), QString());
    EXPECT_EQ(get("app", "startup"), QStringLiteral("0"));
    EXPECT_EQ(get("app", "enabled"), QStringLiteral("<default>")) << "keys belong to their section";
    EXPECT_EQ(get("missing", "startup"), QStringLiteral("<default>"));
    EXPECT_EQ(get("app", "missing"), QStringLiteral("<default>"));
    EXPECT_EQ(get("app", "startup", QString(), 1), QString()) << "cut to the buffer size less one";
    EXPECT_EQ(get("password", "quoted", QString(), 3), QStringLiteral(" a"));
    EXPECT_EQ(get("app", "x", QStringLiteral("abcdef"), 4), QStringLiteral("abc"));
    QString out;
    EXPECT_EQ(GetPrivateProfileString("app", "startup", "d", out, 10, path("none.cfg")), 1);
    EXPECT_EQ(out, QStringLiteral("d")) << "a missing file gives the default";
}

TEST_F(ProfileFile, WritingKeepsEveryOtherLineAsItWas) {
    const QByteArray original = "; keep me\r\n[password]\r\nenabled = 1 \r\n\r\n[app]\r\nstartup=0\r\n\r\n"
                                "caf\xE9=1252 bytes\r\n";
    write(original);
    ASSERT_TRUE(WritePrivateProfileString("PASSWORD", "Enabled", "0", path()));
    ASSERT_TRUE(WritePrivateProfileString("password", "password", "ABCD", path()));
    ASSERT_TRUE(WritePrivateProfileString("new", "key", "value", path()));
    EXPECT_EQ(read(), QByteArray("; keep me\r\n[password]\r\nEnabled=0\r\npassword=ABCD\r\n\r\n[app]\r\nstartup=0"
                                 "\r\n\r\ncaf\xE9=1252 bytes\r\n[new]\r\nkey=value\r\n"));

    // A new file; a last line without a line break gets one before more follows.
    ASSERT_TRUE(WritePrivateProfileString("app", "startup", "1", path("fresh.cfg")));
    QFile fresh(path("fresh.cfg"));
    ASSERT_TRUE(fresh.open(QIODevice::ReadOnly));
    EXPECT_EQ(fresh.readAll(), QByteArray("[app]\nstartup=1\n"));
    write("[app]\nstartup=0");
    ASSERT_TRUE(WritePrivateProfileString("app", "other", "x", path()));
    EXPECT_EQ(read(), QByteArray("[app]\nstartup=0\nother=x\n"));

    // A file an editor saved with a byte-order mark: its first section is found, the mark kept.
    write("\xEF\xBB\xBF[app]\r\nstartup=0\r\n");
    EXPECT_EQ(get("app", "startup"), QStringLiteral("0"));
    ASSERT_TRUE(WritePrivateProfileString("app", "startup", "1", path()));
    EXPECT_EQ(read(), QByteArray("\xEF\xBB\xBF[app]\r\nstartup=1\r\n"));
}

TEST_F(ProfileFile, AFailedOrRefusedWriteLeavesTheFileWhole) {
    write("[app]\nstartup=0\n");
    testsupport::FailingWriter disk;
    disk.failNext();
    EXPECT_FALSE(WritePrivateProfileString("app", "startup", "1", path()));
    EXPECT_FALSE(WritePrivateProfileString("app", "startup", "1\n[x]", path()));
    EXPECT_FALSE(WritePrivateProfileString("app\r", "startup", "1", path()));
    EXPECT_FALSE(WritePrivateProfileString("app", "a=b", "1", path()));
    EXPECT_FALSE(WritePrivateProfileString("", "startup", "1", path()));
    EXPECT_EQ(read(), QByteArray("[app]\nstartup=0\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"AppCfg.cfg"})
        << "no temporary file is left behind";
}
