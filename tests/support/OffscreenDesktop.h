#pragma once
// Windows drawn without a display, for the window tests, the window benchmarks and the
// screenshot programs: offscreen, unless another platform is asked for, on a desktop-sized
// screen at 96 dpi. The offscreen platform's own screen (800 x 600) is smaller than the main
// window's design, which would then be drawn smaller and scroll. Make one before the
// QApplication and keep it while the application runs: its folder holds the screen's file.

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

namespace zq::test {

class OffscreenDesktop {
  public:
    OffscreenDesktop() {
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        if (!platform.isEmpty() && platform != "offscreen") return;
        QFile config(folder_.filePath("screen.json"));
        if (config.open(QIODevice::WriteOnly))
            config.write(R"({"screens": [{"name": "Desktop", "x": 0, "y": 0, "width": 1920,
                "height": 1200, "logicalDpi": 96, "logicalBpi": 96, "dpr": 1}]})");
        config.close();
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toLocal8Bit());
    }

  private:
    QTemporaryDir folder_;
};

}  // namespace zq::test
