// The listing window over a whole capture: the build alone, the build with the widget filled,
// and with the window painted; and opening the window (half of a switch between the windows).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "app/Dialogs.h"
#include "app/ProgramState.h"
#include "app/WindowHost.h"
#include "hexlist/HexList.h"
#include "hexlist/Listing.h"

namespace {

class SilentDialogs : public zq::Dialogs {
  public:
    int MessageBox(const std::string&, zq::Buttons, zq::Icon, const std::string&) override {
        return zq::AnswerOk;
    }
    bool ShowOpen(zq::OpenLogSettings&) override { return false; }
    void Beep() override {}
};

class NoHost : public zq::WindowHost {
  public:
    void showHexList() override {}
    void showTimingView() override {}
};

// A complete capture, every mark on, the whole window: every line coloured by its mark.
struct WholeCapture {
    WholeCapture() {
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
    NoHost host;
};

void BM_ListingLinesOnly(benchmark::State& st) {
    WholeCapture c;
    size_t lines = 0;
    for (auto _ : st) {
        const zq::ListingBuild b =
            zq::BuildListing(c.state.savedView, c.state.CurrentFile, c.state.CaptureHandle.get());
        lines = b.lines.size();
        benchmark::DoNotOptimize(b.lines.data());
    }
    st.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_ListingLinesOnly)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_ListingWindowBuild(benchmark::State& st) {
    WholeCapture c;
    zq::HexList window(c.state, c.dialogs, c.host);
    window.show();
    auto* list = window.findChild<QPlainTextEdit*>("HexListText");
    for (auto _ : st) window.Load();
    st.counters["lines"] = list->document()->blockCount() - 1;
}
BENCHMARK(BM_ListingWindowBuild)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_ListingWindowBuildAndPaint(benchmark::State& st) {
    WholeCapture c;
    zq::HexList window(c.state, c.dialogs, c.host);
    window.show();
    for (auto _ : st) {
        window.Load();
        benchmark::DoNotOptimize(window.grab());  // paints every control, the list included
    }
}
BENCHMARK(BM_ListingWindowBuildAndPaint)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_ListingWindowOpen(benchmark::State& st) {
    WholeCapture c;
    for (auto _ : st) {
        auto window = std::make_unique<zq::HexList>(c.state, c.dialogs, c.host);
        window->show();
        benchmark::DoNotOptimize(window->grab());
    }
}
BENCHMARK(BM_ListingWindowOpen)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
