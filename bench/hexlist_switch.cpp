// Switching between the two windows over a whole capture: "Text List" (the listing replaces the
// diagram) and "Show Graph" (the diagram replaces the listing), each until the new window has
// painted and the old one is gone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <string>

#include "BenchSupport.h"
#include "app/AppWindows.h"
#include "capture/Allocator.h"
#include "session/Dialogs.h"

namespace {

using Session = zq::bench::WholeCaptureSession;

// The new window painted, the old one deleted.
void Settle(zq::AppWindows& windows) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    windows.current()->repaint();
}

void BM_SwitchToListing(benchmark::State& st) {
    Session s;
    zq::AppWindows windows(s.capture, s.device, s.dialogs);
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
    zq::AppWindows windows(s.capture, s.device, s.dialogs);
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

int main(int argc, char** argv) { return zq::bench::RunWindowBenchmarks(argc, argv, false); }
