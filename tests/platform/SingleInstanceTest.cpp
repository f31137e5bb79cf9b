#include "platform/SingleInstance.h"
#include "EventLoop.h"
#include "ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using platform::SingleInstanceLock;

TEST(SingleInstance, OneLockPerProgramFolderWhateverItIsReachedBy) {
    QTemporaryDir folder;
    SingleInstanceLock first(folder.path());
    EXPECT_EQ(QFileInfo(first.fileName()).absolutePath(), QFileInfo(folder.path()).canonicalFilePath());
    ASSERT_TRUE(first.tryLock());
    EXPECT_TRUE(first.tryLock()) << "taking a held lock again is no failure";

    // The same folder through a link is the same data file.
    QTemporaryDir links;
    const QString link = links.filePath(QStringLiteral("organiser"));
    ASSERT_TRUE(QFile::link(folder.path(), link));
    SingleInstanceLock second(link);
    EXPECT_EQ(second.fileName(), first.fileName());
    EXPECT_FALSE(second.tryLock());
    EXPECT_TRUE(second.heldByAnother());

    // A copy of the organiser in another folder has a data file of its own.
    QTemporaryDir other;
    SingleInstanceLock elsewhere(other.path());
    EXPECT_TRUE(elsewhere.tryLock());

    first.unlock();
    EXPECT_TRUE(second.tryLock()) << "free again once the first copy ends";
}

TEST(SingleInstance, TheFirstCopyIsNotAPreviousInstanceOfItself) {
    testsupport::TempProgramFolder folder;
    EXPECT_FALSE(platform::PrevInstance());
    EXPECT_FALSE(platform::PrevInstance()) << "the same answer every time";
    EXPECT_TRUE(platform::InstanceLockHeld());
    SingleInstanceLock second(folder.path());
    EXPECT_FALSE(second.tryLock());
    EXPECT_TRUE(second.heldByAnother());
}

TEST(SingleInstance, TwoProcessesOnOneDataFile) {
    // How the other copy reaches the data file, and where this copy starts.
    enum Setup { SameFolder, FolderRefusesLockFile, DataFileLinkedFromAnotherFolder };
    const auto sharedLocks = [] {
        return QDir(QStringLiteral("/tmp"), QStringLiteral("veltrane-*.lock")).entryList(QDir::Files | QDir::System);
    };
    const QStringList sharedBefore = sharedLocks();
    for (Setup setup : {SameFolder, FolderRefusesLockFile, DataFileLinkedFromAnotherFolder}) {
        SCOPED_TRACE(setup);
        testsupport::TempProgramFolder folder;
        QTemporaryDir otherFolder;
        QString theirs = folder.path();
        if (setup == FolderRefusesLockFile) {
            // A lock file no one can open, whatever their rights.
            ASSERT_TRUE(QFile::link(folder.file(QStringLiteral("missing/lock")), folder.file(".veltrane.lock")));
        } else if (setup == DataFileLinkedFromAnotherFolder) {
            ASSERT_TRUE(QFile::link(folder.dataFile(), QDir(otherFolder.path()).filePath("data.xml")));
            theirs = otherFolder.path();
        }
        QTemporaryDir otherRuntime;
        QProcess other;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // Another user's runtime and temporary folders, as from sudo or a remote shell.
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), otherRuntime.path());
        env.insert(QStringLiteral("TMPDIR"), otherRuntime.path());
        other.setProcessEnvironment(env);
        other.start(QStringLiteral(VELTRANE_LOCK_HOLDER), {theirs});
        ASSERT_TRUE(other.waitForStarted());
        QByteArray out;
        while (!out.contains("holding\n") && other.waitForReadyRead(10000))
            out += other.readAllStandardOutput();
        ASSERT_TRUE(out.contains("holding\n")) << out.constData();

        EXPECT_TRUE(platform::PrevInstance()) << "this copy is the second one on the data file";
        SingleInstanceLock mine(folder.path());
        EXPECT_FALSE(mine.tryLock());
        EXPECT_TRUE(mine.heldByAnother());

        // Killed, the other copy leaves nothing that blocks.
        other.kill();
        ASSERT_TRUE(other.waitForFinished());
        EXPECT_TRUE(mine.tryLock());
    }
    // The shared lock files of these temporary folders serve no one now.
    for (const QString& name : sharedLocks())
        if (!sharedBefore.contains(name))
            QFile::remove(QStringLiteral("/tmp/") + name);
}

TEST(SingleInstance, TheSharedLockFileTrustsNoPlantedNameOrStrangersFile) {
    // What stands at the shared name before this copy looks, its folder
    // refusing a lock file of its own.
    enum Planted { Nothing, LinkElsewhere, StrangersFile, OwnPrivateFile, FolderOwnersFile };
    constexpr uid_t kStranger = 54321, kFolderOwner = 54322;
    for (Planted planted : {Nothing, LinkElsewhere, StrangersFile, OwnPrivateFile, FolderOwnersFile}) {
        SCOPED_TRACE(planted);
        if (::geteuid() != 0 && (planted == StrangersFile || planted == FolderOwnersFile))
            continue; // only the system's user may give a file away
        QTemporaryDir folder, elsewhere;
        ASSERT_TRUE(
            QFile::link(QDir(folder.path()).filePath("missing/lock"), QDir(folder.path()).filePath(".veltrane.lock")));
        SingleInstanceLock lock(folder.path());
        const QByteArray shared = QFile::encodeName(lock.sharedFileName());
        const QString target = QDir(elsewhere.path()).filePath(QStringLiteral("victim"));
        if (planted == LinkElsewhere) {
            ASSERT_TRUE(QFile::link(target, lock.sharedFileName()));
        } else if (planted != Nothing) {
            QFile made(lock.sharedFileName());
            ASSERT_TRUE(made.open(QIODevice::WriteOnly));
            ASSERT_EQ(::chmod(shared.constData(), 0600), 0);
            if (planted == StrangersFile)
                ASSERT_EQ(::chown(shared.constData(), kStranger, kStranger), 0);
            if (planted == FolderOwnersFile) {
                ASSERT_EQ(::chown(QFile::encodeName(folder.path()).constData(), kFolderOwner, kFolderOwner), 0);
                ASSERT_EQ(::chown(shared.constData(), kFolderOwner, kFolderOwner), 0);
            }
        }
        const mode_t mask = ::umask(077);
        const bool locked = lock.tryLock();
        ::umask(mask);
        EXPECT_EQ(locked, planted == Nothing || planted == OwnPrivateFile || planted == FolderOwnersFile);
        EXPECT_FALSE(lock.heldByAnother());
        EXPECT_FALSE(QFileInfo::exists(target)) << "nothing is made through a link";
        struct stat info {};
        if (planted != LinkElsewhere && ::lstat(shared.constData(), &info) == 0)
            EXPECT_EQ(info.st_mode & 0777, planted == Nothing ? 0644u : 0600u) << "only a new file gets its mode";
        lock.unlock();
        QFile::remove(lock.sharedFileName());
    }
}

TEST(SingleInstance, NoLockFileAtAllIsNoOtherCopyButNoLockHeld) {
    testsupport::TempProgramFolder folder;
    ASSERT_TRUE(QFile::link(folder.file(QStringLiteral("missing/lock")), folder.file(".veltrane.lock")));
    const QString shared = SingleInstanceLock(folder.path()).sharedFileName();
    ASSERT_TRUE(QFile::link(folder.file(QStringLiteral("missing/shared")), shared));
    EXPECT_FALSE(platform::PrevInstance()) << "the organiser still starts";
    EXPECT_FALSE(platform::InstanceLockHeld()) << "so it must not clean up as the only copy";
    QFile::remove(shared);
}

namespace {

// Says something else to the running copy, as another program might.
bool say(const QString& socketName, const QByteArray& words) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(socketName);
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool said = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0 &&
                      ::write(fd, words.constData(), static_cast<size_t>(words.size())) == words.size();
    ::close(fd);
    return said;
}

} // namespace

// What Qt warns of while a test runs.
QStringList& warnings() {
    static QStringList said;
    return said;
}

void noteWarning(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg)
        warnings() << message;
}

TEST(InstanceChannel, OnlyAShowRequestOnTheSameDataFileReachesTheRunningCopy) {
    warnings().clear();
    const QtMessageHandler before = qInstallMessageHandler(noteWarning);
    QTemporaryDir folder, links, other;
    const QString link = links.filePath(QStringLiteral("organiser"));
    ASSERT_TRUE(QFile::link(folder.path(), link));
    platform::InstanceChannel running(folder.path());
    ASSERT_TRUE(running.listen());
    int asked = 0;
    QObject::connect(&running, &platform::InstanceChannel::showRequested, [&] { ++asked; });

    const struct {
        const char* how;
        QString folder;
        QByteArray request; // empty: the program's own request
        bool reaches;
    } cases[] = {
        {"the same folder", folder.path(), {}, true},
        {"the same data file through a link", link, {}, true},
        {"another data file", other.path(), {}, false},
        {"another request", folder.path(), "quit\n", false},
        {"a request without its line end", folder.path(), "show", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        asked = 0;
        if (c.request.isEmpty()) {
            EXPECT_EQ(platform::AskRunningCopyToShow(c.folder, 500), c.reaches);
        } else {
            ASSERT_TRUE(say(platform::InstanceChannelName(c.folder), c.request));
        }
        if (c.reaches)
            testsupport::RunEventsUntil([&] { return asked > 0; });
        else
            testsupport::RunEventsPastTimer(100);
        EXPECT_EQ(asked, c.reaches ? 1 : 0);
    }

    // What a copy that was killed left under the name does not stop the next one.
    QFile left(platform::InstanceChannelName(other.path()));
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.close();
    platform::InstanceChannel next(other.path());
    EXPECT_TRUE(next.listen());
    qInstallMessageHandler(before);
    const QString warned = warnings().join(QLatin1Char('\n'));
    EXPECT_FALSE(warned.contains(QLatin1String("QSocketNotifier"))) << warned.toStdString();
}
