// Window tests run offscreen, on a desktop-sized screen, unless a platform is asked for.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "support/OffscreenDesktop.h"

int main(int argc, char** argv) {
    const zq::test::OffscreenDesktop screen;
    QApplication app(argc, argv);
    // Remembered settings (recent files, geometry, folders) go to a folder of the run's own,
    // never to the user's.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QCoreApplication::setOrganizationName("zq350-tests");
    QCoreApplication::setApplicationName("zq350-tests");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
