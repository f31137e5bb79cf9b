// Test entry point for libraries without widgets: a headless GUI application
// with an English locale, so day and month names are fixed, and the program's
// own font, so text measures as in the organiser whatever fonts are installed.
#include "platform/ProgramFont.h"

#include <QGuiApplication>
#include <QLocale>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QGuiApplication app(argc, argv);
    QGuiApplication::setFont(platform::ProgramFont());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
