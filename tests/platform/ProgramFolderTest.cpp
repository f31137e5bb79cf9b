#include "platform/ProgramFolder.h"

#include "FailingWriter.h"
#include "MessageBoxResponder.h"
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

// The build tree and an unpacked copy keep their files beside the program. An
// installed one reads its shipped files where they lie and keeps the person's
// own in a folder of theirs, made with the files they change on the first start
// and taken as it is after that; a start that cannot make it says why and ends.
TEST(ProgramFolder, BesideTheProgramOrInstalledWithThePersonsFilesInTheirOwnFolder) {
    enum Layout { BuildTree, Installed, Coinciding, Neither };
    enum UserFolder { Missing, MissingAndTheCopyFails, Present, CannotBeMade, ShippedUnreadable };
    const struct {
        const char* name;
        Layout layout;
        UserFolder user;
        bool perUser;
        const char* reason = nullptr; // in the box of a start that cannot go on
    } cases[] = {
        {"a build tree", BuildTree, Missing, false},
        {"an installed copy's first start", Installed, Missing, true},
        {"a later start on a folder an earlier version filled", Installed, Present, true},
        {"installed into the person's own folder", Coinciding, Present, true},
        {"an installed copy whose first copy fails", Installed, MissingAndTheCopyFails, true,
         "No space left on device"},
        {"an installed copy whose folder cannot be made", Installed, CannotBeMade, true, "Not a directory"},
        {"an installed copy whose shipped data file is unreadable", Installed, ShippedUnreadable, true, "data.xml: "},
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
            if (c.user == ShippedUnreadable)
                QDir().mkpath(folder + QStringLiteral("/data.xml"));
            else
                put(folder + QStringLiteral("/data.xml"), "<zandor><notes/><passwords/></zandor>");
            put(folder + QStringLiteral("/taskexp.txt"), "##ttl##");
            put(folder + QStringLiteral("/help/index.html"), "<html/>");
        }
        QString expected = dataHome.file(QStringLiteral("veltrane"));
        if (c.layout == Coinciding) {
            qputenv("XDG_DATA_HOME", QFile::encodeName(prefix.filePath(QStringLiteral("share"))));
            expected = shipped;
        } else if (c.user == Present) {
            put(expected + QStringLiteral("/data.xml"), "mine");
            put(expected + QStringLiteral("/help/index.html"), "stale");
        }
        if (c.user == CannotBeMade) {
            put(dataHome.file(QStringLiteral("taken")), "a file, not a folder");
            qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.file(QStringLiteral("taken"))));
            expected = dataHome.file(QStringLiteral("taken/veltrane"));
        }
        const QStringList before = contents(expected), shippedBefore = contents(shipped);

        testsupport::ScopedResponder r;
        testsupport::FailingWriter disk;
        if (c.user == MissingAndTheCopyFails)
            disk.failNext();
        testsupport::CapturedStandardError err;
        QString saidBeforeTheBox;
        r->onBox = [&](const testsupport::RecordedBox&) { saidBeforeTheBox = err.text(); };
        platform::ProgramFolders folders;
        try {
            folders = platform::FoldersFor(bin);
            EXPECT_EQ(c.reason, nullptr) << "went on";
        } catch (const platform::ProcessEnded& end) {
            EXPECT_EQ(end.exitCode, EXIT_FAILURE);
        }
        EXPECT_EQ(contents(shipped), shippedBefore) << "the shipped files are only read";
        if (c.reason) {
            ASSERT_EQ(r->boxes.size(), 1u);
            EXPECT_EQ(r->last().title, QStringLiteral("The program folder can't be made"));
            EXPECT_TRUE(r->last().text.contains(QLatin1String(c.reason))) << r->last().text.toStdString();
            EXPECT_TRUE(r->last().text.contains(expected)) << r->last().text.toStdString();
            EXPECT_TRUE(saidBeforeTheBox.contains(r->last().text.section(QLatin1Char('\r'), 0, 0)));
            // Nothing half-filled is left for the next start to take as it is.
            EXPECT_FALSE(QFileInfo::exists(expected));
            EXPECT_EQ(QDir(dataHome.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
                      c.user == CannotBeMade ? 1 : 0);
            if (c.user == MissingAndTheCopyFails) {
                EXPECT_EQ(platform::FoldersFor(bin).program, expected) << "the next start makes it";
            }
            continue;
        }
        EXPECT_TRUE(r->boxes.empty());
        if (!c.perUser) {
            EXPECT_EQ(folders.program, bin);
            EXPECT_EQ(folders.shipped, bin);
            EXPECT_EQ(folders.modules, bin);
            EXPECT_EQ(QDir(dataHome.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
            continue;
        }
        EXPECT_EQ(folders.program, expected);
        EXPECT_EQ(folders.shipped, shipped);
        EXPECT_EQ(folders.modules, prefix.filePath(QStringLiteral("lib/veltrane")));
        if (c.user == Present) {
            EXPECT_EQ(contents(expected), before) << "a file gone is not brought back, a stale copy not removed";
            continue;
        }
        EXPECT_EQ(contents(expected),
                  (QStringList{"AppCfg.cfg=[password]\nenabled=0\n", "data.xml=<zandor><notes/><passwords/></zandor>",
                               "taskexp.txt=##ttl##"}));
        EXPECT_EQ(modeOf(expected), 0700u);
        for (const char* file : {"AppCfg.cfg", "data.xml", "taskexp.txt"})
            EXPECT_EQ(modeOf(expected + QLatin1Char('/') + QLatin1String(file)), 0600u) << file;
    }
}
