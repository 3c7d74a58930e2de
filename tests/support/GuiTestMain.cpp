// Window tests run offscreen unless a platform is asked for explicitly.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    // A desktop-sized screen at 96 dpi: the default offscreen screen (800 x 600) is smaller
    // than the windows' design, which would then scroll; tests of that size their own windows.
    QTemporaryDir screenDir;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen") {
        QFile config(screenDir.filePath("screen.json"));
        if (config.open(QIODevice::WriteOnly))
            config.write(R"({"screens": [{"name": "TestScreen", "x": 0, "y": 0, "width": 1920,
                "height": 1200, "logicalDpi": 96, "logicalBpi": 96, "dpr": 1}]})");
        config.close();
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toLocal8Bit());
    }
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
