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

#include "BenchSupport.h"
#include "capture/Allocator.h"
#include "chart/Listing.h"
#include "hexlist/HexList.h"
#include "session/Dialogs.h"
#include "session/WindowHost.h"

namespace {

using WholeCapture = zq::bench::WholeCaptureSession;

void BM_ListingLinesOnly(benchmark::State& st) {
    WholeCapture c;
    size_t lines = 0;
    for (auto _ : st) {
        const zq::ListingBuild b =
            zq::BuildListing(c.capture.savedView(), c.capture.currentFile(), c.capture.model());
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
    zq::HexList window(c.capture, c.dialogs, c.host);
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
    zq::HexList window(c.capture, c.dialogs, c.host);
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
        auto window = std::make_unique<zq::HexList>(c.capture, c.dialogs, c.host);
        window->show();
        benchmark::DoNotOptimize(window->grab());
    }
}
BENCHMARK(BM_ListingWindowOpen)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) { return zq::bench::RunWindowBenchmarks(argc, argv); }
