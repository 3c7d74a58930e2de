#pragma once
// Stand-ins for the seams the window benchmarks and the README screenshots do not use, and a
// whole capture to measure on.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <iostream>
#include <string>

#include "capture/Allocator.h"
#include "session/CaptureSession.h"
#include "session/DeviceSession.h"
#include "session/Dialogs.h"
#include "session/QtEndTimer.h"
#include "session/TtySerialPort.h"
#include "session/WindowHost.h"
#include "support/CancelledAsks.h"
#include "support/CaptureText.h"
#include "support/OffscreenDesktop.h"

namespace zq::bench {

// Answers the open dialog with a fixed file; reports go to standard error.
class ScriptedDialogs : public test::CancelledAsks {
  public:
    std::string file;
    int MessageBox(const std::string& text, Buttons, Icon, const std::string&) override {
        std::cerr << text << "\n";
        return AnswerOk;
    }
    bool ShowOpen(OpenLogSettings& settings) override {
        if (file.empty()) return false;
        settings.FileName = file;
        return true;
    }
    bool ShowSave(OpenLogSettings& settings) override { return ShowOpen(settings); }
    void Beep() override {}
};

class NoHost : public WindowHost {
  public:
    void showHexList() override {}
    void showTimingView() override {}
    void openCapture(const std::string&) override {}
};

// The program's state as main() makes it; no benchmark reads from the device.
struct BenchProgram {
    CaptureSession capture;
    ScriptedDialogs dialogs;
    QtEndTimer timer{1000};
    DeviceSession device{capture, dialogs, timer, [](const std::string& path) {
                             return std::make_unique<TtySerialPort>(path);
                         }};
    NoHost host;
};

// A complete capture open as the current capture, its report already shown, and the whole
// window with every mark stored in SavedView: every listed line gets a colour to set.
struct WholeCaptureSession : BenchProgram {
    WholeCaptureSession() {
        const std::string path = dir.filePath("whole.log").toStdString();
        test::WriteFile(path, test::CaptureText());
        std::string error;
        capture.open(path, error);
        capture.reportOnce("", dialogs);
        SavedView v;
        v.StartPos = 0;
        v.DataLen = 2048;
        v.TrigCentricVal = 8;
        v.ZeroCentricVal = 3;
        v.MarkCursorA = 100;
        v.MarkCursorB = 1900;
        v.MarkTrig = v.MarkTrigcentric = v.MarkZerocentric = v.MarkCursors = 1;
        capture.setSavedView(v);
    }
    QTemporaryDir dir;
};

// The main() of the window benchmarks: offscreen unless a platform is asked for, with freed
// memory kept as the program keeps it from its start.
inline int RunWindowBenchmarks(int argc, char** argv, bool quitOnLastWindowClosed = true) {
    KeepFreedMemoryForRedraws();
    const test::OffscreenDesktop screen;
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(quitOnLastWindowClosed);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace zq::bench
