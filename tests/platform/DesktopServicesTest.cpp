#include "platform/Clipboard.h"
#include "platform/IconHandles.h"
#include "platform/Sound.h"
#include "platform/SystemVersion.h"
#include "platform/Twips.h"

#include <QCoreApplication>
#include <QFile>
#include <QPixmap>
#include <dlfcn.h>
#include <gtest/gtest.h>

using namespace platform;

TEST(Twips, FifteenToThePixelRoundingHalvesToEven) {
    ASSERT_EQ(TwipsPerPixelX(), 15) << "the headless screen has 96 dots per inch";
    ASSERT_EQ(TwipsPerPixelY(), 15);
    EXPECT_EQ(TwipsToPixelsX(3680), 245);
    EXPECT_EQ(TwipsToPixelsX(3500), 233);
    EXPECT_EQ(TwipsToPixelsY(112.5), 8) << "7.5 pixels";
    EXPECT_EQ(TwipsToPixelsY(127.5), 8) << "8.5 pixels";
    EXPECT_EQ(TwipsToPixelsX(-22.5), -2);
    EXPECT_EQ(PixelsToTwipsX(245), 3675);
    EXPECT_EQ(PixelsToTwipsY(-2), -30);
}

TEST(Clipboard, ClearThenPlainText) {
    ClipboardSetText(QStringLiteral("jo@example.org"));
    EXPECT_EQ(ClipboardGetText(), QStringLiteral("jo@example.org"));
    ClipboardSetText(QStringLiteral("p\u00e4ss word"));
    EXPECT_EQ(ClipboardGetText(), QStringLiteral("p\u00e4ss word"));
    ClipboardClear();
    EXPECT_EQ(ClipboardGetText(), QString());
}

TEST(IconHandles, OneIconOneHandle) {
    QPixmap red(16, 16), blue(16, 16);
    red.fill(Qt::red);
    blue.fill(Qt::blue);
    const QIcon redIcon(red);
    const QIcon sameIcon = redIcon;
    const int32_t h = IconHandleOf(redIcon);
    EXPECT_NE(h, 0);
    EXPECT_EQ(IconHandleOf(sameIcon), h);
    EXPECT_NE(IconHandleOf(QIcon(blue)), h);
    EXPECT_EQ(IconFromHandle(h).cacheKey(), redIcon.cacheKey());
    EXPECT_EQ(IconHandleOf(QIcon()), 0);
    EXPECT_TRUE(IconFromHandle(0).isNull());
    EXPECT_TRUE(IconFromHandle(12345).isNull());
}

TEST(SystemVersion, AnNtFamilySystemWithBalloonTips) {
    const uint32_t v = GetVersion();
    EXPECT_EQ(v & 0x80000000u, 0u) << "NT family";
    EXPECT_GE(v & 0xFF, 5u) << "major version";
    EXPECT_EQ((v >> 8) & 0xFF, 1u) << "minor version";
}

// The player module is loaded by the first sound, not before: the organiser
// starts without the multimedia libraries. A file that is not there stays
// silent: nothing is made that would open the audio output.
TEST(Sound, PlayerModuleLoadedByTheFirstSound) {
    const QByteArray module = QFile::encodeName(QCoreApplication::applicationDirPath() + "/libveltrane_sound.so");
    auto loaded = [&module] {
        void* handle = dlopen(module.constData(), RTLD_LAZY | RTLD_NOLOAD);
        if (handle)
            dlclose(handle);
        return handle != nullptr;
    };
    ASSERT_TRUE(QFile::exists(QString::fromLocal8Bit(module)));
    EXPECT_FALSE(loaded());
    platform::SoundPlayer::current().play(QCoreApplication::applicationDirPath() + "/no such sound.wav");
    EXPECT_TRUE(loaded());
    for (const QObject* o : QCoreApplication::instance()->findChildren<QObject*>())
        EXPECT_STRNE(o->metaObject()->className(), "QSoundEffect");
}
