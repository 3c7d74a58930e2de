// Switching between the two windows over a whole capture: "Text List" (the listing replaces the
// diagram) and "Show Graph" (the diagram replaces the listing), each until the new window has
// painted and the old one is gone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/AppWindows.h"
#include "app/Dialogs.h"
#include "app/ProgramState.h"

namespace {

class SilentDialogs : public zq::Dialogs {
  public:
    int MessageBox(const std::string&, zq::Buttons, zq::Icon, const std::string&) override {
        return zq::AnswerOk;
    }
    bool ShowOpen(zq::OpenLogSettings&) override { return false; }
    void Beep() override {}
};

struct Session {
    Session() {
        std::string text;
        char buf[8];
        for (unsigned a = 0; a < 2048; a += 16) {
            std::snprintf(buf, sizeof buf, "%04X", a);
            text += std::string("S ") + buf;
            for (unsigned n = a; n < a + 16; ++n) {
                std::snprintf(buf, sizeof buf, " %04X", (n * 0x0101u ^ 0x5A00u) & 0xFFFFu);
                text += buf;
            }
            text += "\r\n";
        }
        const std::string path = dir.filePath("whole.log").toStdString();
        std::ofstream(path, std::ios::binary) << text;
        std::string error;
        state.CaptureHandle = zq::CaptureFile::open(path, error);
        state.CurrentFile = path;
        state.ReportShown = true;
        zq::SavedView& v = state.savedView;
        v.StartPos = 0;
        v.DataLen = 2048;
        v.TrigCentricVal = 8;
        v.ZeroCentricVal = 3;
        v.MarkCursorA = 100;
        v.MarkCursorB = 1900;
        v.MarkTrig = v.MarkTrigcentric = v.MarkZerocentric = v.MarkCursors = 1;
    }
    QTemporaryDir dir;
    zq::ProgramState state;
    SilentDialogs dialogs;
};

// The new window painted, the old one deleted.
void Settle(zq::AppWindows& windows) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    windows.current()->repaint();
}

void BM_SwitchToListing(benchmark::State& st) {
    Session s;
    zq::AppWindows windows(s.state, s.dialogs);
    for (auto _ : st) {
        st.PauseTiming();
        windows.showTimingView();
        Settle(windows);
        st.ResumeTiming();
        windows.showHexList();
        Settle(windows);
    }
}
BENCHMARK(BM_SwitchToListing)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_SwitchToDiagram(benchmark::State& st) {
    Session s;
    zq::AppWindows windows(s.state, s.dialogs);
    for (auto _ : st) {
        st.PauseTiming();
        windows.showHexList();
        Settle(windows);
        st.ResumeTiming();
        windows.showTimingView();
        Settle(windows);
    }
}
BENCHMARK(BM_SwitchToDiagram)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
