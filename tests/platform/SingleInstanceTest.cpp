#include "platform/SingleInstance.h"
#include "platform/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::SingleInstanceLock;

namespace {

// Points the user's runtime folder at a fresh folder for one test, so tests
// running side by side never see each other's locks.
class RuntimeFolder {
public:
    RuntimeFolder() : m_previous(qgetenv("XDG_RUNTIME_DIR")) {
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", m_dir.path().toUtf8());
    }
    ~RuntimeFolder() {
        if (m_previous.isEmpty())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", m_previous);
    }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
};

} // namespace

TEST(SingleInstance, ASecondLockOnOneProgramFailsWhileTheFirstIsHeld) {
    RuntimeFolder runtime;
    const QString program = QStringLiteral("/opt/veltrane/bin/veltrane");
    SingleInstanceLock first(program);
    EXPECT_EQ(QFileInfo(first.fileName()).absolutePath(), QFileInfo(runtime.path()).absoluteFilePath());
    ASSERT_TRUE(first.tryLock());
    EXPECT_TRUE(first.tryLock()) << "taking a held lock again is no failure";

    SingleInstanceLock second(program);
    EXPECT_EQ(second.fileName(), first.fileName());
    EXPECT_FALSE(second.tryLock());
    EXPECT_TRUE(second.heldByAnother());

    // A copy of the program in another folder is another program.
    SingleInstanceLock elsewhere(QStringLiteral("/home/jo/veltrane/veltrane"));
    EXPECT_NE(elsewhere.fileName(), first.fileName());
    EXPECT_TRUE(elsewhere.tryLock());

    first.unlock();
    EXPECT_TRUE(second.tryLock()) << "free again once the first copy ends";
}

TEST(SingleInstance, OneProgramReachedThroughALinkIsStillOneProgram) {
    RuntimeFolder runtime;
    QTemporaryDir install;
    const QString program = install.filePath(QStringLiteral("veltrane"));
    QFile file(program);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString link = install.filePath(QStringLiteral("organiser"));
    ASSERT_TRUE(QFile::link(program, link));
    EXPECT_EQ(platform::SingleInstanceLockFile(link), platform::SingleInstanceLockFile(program));
}

TEST(SingleInstance, TheFirstCopyIsNotAPreviousInstanceOfItself) {
    RuntimeFolder runtime;
    EXPECT_FALSE(platform::PrevInstance());
    EXPECT_FALSE(platform::PrevInstance()) << "the same answer every time";
    // And it holds the lock that stops a second copy.
    SingleInstanceLock second(platform::ExecutablePath());
    EXPECT_FALSE(second.tryLock());
    EXPECT_TRUE(second.heldByAnother());
}
