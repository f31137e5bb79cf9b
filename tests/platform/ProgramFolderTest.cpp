#include "platform/ProgramFolder.h"

#include "FailingWriter.h"
#include "StandardError.h"
#include "UserFolders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

void put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

mode_t modeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

// Every file under a folder, as "relative path=bytes", in a fixed order.
QStringList contents(const QString& folder) {
    QStringList out;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        out << QDir(folder).relativeFilePath(file) + QLatin1Char('=') + QString::fromUtf8(f.readAll());
    }
    out.sort();
    return out;
}

} // namespace

// The build tree and an unpacked copy keep their files beside the program; an
// installed one, in a folder of each user's own, made and filled on the first
// start and taken as it is after that.
TEST(ProgramFolder, BesideTheProgramOrInstalledInTheUsersOwnFolder) {
    enum Layout { BuildTree, Installed, Neither };
    enum UserFolder { Missing, MissingAndTheCopyFails, Present, CannotBeMade };
    const struct {
        const char* name;
        Layout layout;
        UserFolder user;
        bool perUser;
    } cases[] = {
        {"a build tree", BuildTree, Missing, false},
        {"an installed copy's first start", Installed, Missing, true},
        {"an installed copy's later start", Installed, Present, true},
        {"an installed copy whose first copy fails", Installed, MissingAndTheCopyFails, true},
        {"an installed copy whose folder cannot be made", Installed, CannotBeMade, true},
        {"a program with nothing beside it", Neither, Missing, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir prefix;
        testsupport::TempUserFolder dataHome("XDG_DATA_HOME");
        const QString bin = prefix.filePath(QStringLiteral("bin"));
        QDir().mkpath(bin);
        const QString shipped = prefix.filePath(QStringLiteral("share/veltrane"));
        if (c.layout != Neither) {
            const QString folder = c.layout == BuildTree ? bin : shipped;
            put(folder + QStringLiteral("/AppCfg.cfg"), "[password]\nenabled=0\n");
            put(folder + QStringLiteral("/data.xml"), "<zandor><notes/><passwords/></zandor>");
            put(folder + QStringLiteral("/help/index.html"), "<html/>");
        }
        QString expected = dataHome.file(QStringLiteral("veltrane"));
        if (c.user == Present)
            put(expected + QStringLiteral("/data.xml"), "mine");
        if (c.user == CannotBeMade) {
            put(dataHome.file(QStringLiteral("taken")), "a file, not a folder");
            qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.file(QStringLiteral("taken"))));
            expected = dataHome.file(QStringLiteral("taken/veltrane"));
        }

        testsupport::FailingWriter disk;
        if (c.user == MissingAndTheCopyFails)
            disk.failNext();
        testsupport::CapturedStandardError err;
        const platform::ProgramFolders folders = platform::FoldersFor(bin);
        if (!c.perUser) {
            EXPECT_EQ(folders.program, bin);
            EXPECT_EQ(folders.modules, bin);
            EXPECT_EQ(QDir(dataHome.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
            continue;
        }
        EXPECT_EQ(folders.program, expected);
        EXPECT_EQ(folders.modules, prefix.filePath(QStringLiteral("lib/veltrane")));
        switch (c.user) {
        case Missing:
            EXPECT_EQ(contents(expected), contents(shipped));
            EXPECT_EQ(modeOf(expected), 0700u);
            EXPECT_EQ(modeOf(expected + QStringLiteral("/help")), 0700u);
            for (const char* file : {"AppCfg.cfg", "data.xml", "help/index.html"})
                EXPECT_EQ(modeOf(expected + QLatin1Char('/') + QLatin1String(file)), 0600u) << file;
            break;
        case Present:
            EXPECT_EQ(contents(expected), QStringList{"data.xml=mine"}) << "a file gone is not brought back";
            break;
        case MissingAndTheCopyFails:
            // Nothing half-filled is left for the next start to take as it is;
            // the next start fills it.
            EXPECT_EQ(QDir(dataHome.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
            EXPECT_TRUE(err.text().contains(QStringLiteral("No space left on device"))) << err.text().toStdString();
            EXPECT_EQ(platform::FoldersFor(bin).program, expected);
            EXPECT_EQ(contents(expected), contents(shipped));
            break;
        case CannotBeMade:
            EXPECT_FALSE(QFileInfo::exists(expected));
            EXPECT_TRUE(err.text().contains(expected)) << err.text().toStdString();
            break;
        }
        EXPECT_EQ(contents(shipped).size(), 3) << "the shipped files are only read";
    }
}
