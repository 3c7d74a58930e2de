#pragma once
// The screen the window benchmarks and the screenshot programs draw on.

#include <QByteArray>
#include <QDir>
#include <QFile>

namespace zq::bench {

// Offscreen unless a platform is asked for, on a desktop-sized screen at 96 dpi: the default
// offscreen screen (800 x 600) is smaller than the main window's design, which would then be
// drawn smaller and scroll.
inline void UseOffscreenDesktop() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return;
    const QString path = QDir::temp().filePath("zq350-bench-screen.json");
    QFile config(path);
    if (config.open(QIODevice::WriteOnly))
        config.write(R"({"screens": [{"name": "BenchScreen", "x": 0, "y": 0, "width": 1920,
            "height": 1200, "logicalDpi": 96, "logicalBpi": 96, "dpr": 1}]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + path).toLocal8Bit());
}

}  // namespace zq::bench
