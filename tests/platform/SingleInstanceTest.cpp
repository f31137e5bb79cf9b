#include "platform/SingleInstance.h"
#include "UserFolders.h"
#include "platform/Files.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::SingleInstanceLock;

TEST(SingleInstance, ASecondLockOnOneProgramFailsWhileTheFirstIsHeld) {
    testsupport::TempRuntimeFolder runtime;
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
    testsupport::TempRuntimeFolder runtime;
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
    testsupport::TempRuntimeFolder runtime;
    EXPECT_FALSE(platform::PrevInstance());
    EXPECT_FALSE(platform::PrevInstance()) << "the same answer every time";
    // And it holds the lock that stops a second copy.
    SingleInstanceLock second(platform::ExecutablePath());
    EXPECT_FALSE(second.tryLock());
    EXPECT_TRUE(second.heldByAnother());
}
