// Test entry point for a high-resolution screen: the controls and windows on
// a headless 1280 x 1024 screen shown at twice the pixels a point, so the
// organiser works on a 640 x 512 desktop with a device pixel ratio of 2, in
// the program's own font.
#include "platform/ui/Fonts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QTemporaryDir config;
    const QString screens = QDir(config.path()).filePath(QStringLiteral("screens.json"));
    QFile file(screens);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(R"({"screens": [{"name": "scaled", "x": 0, "y": 0, "width": 1280, "height": 1024,
                       "logicalDpi": 96, "logicalBaseDpi": 96}]})") < 0)
        return 2;
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screens));
    qputenv("QT_SCALE_FACTOR", "2");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    platform::UseProgramFont();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
