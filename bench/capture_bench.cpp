// The decoder pass, the listing lines and the measurements over a complete capture, whole window
// (0..2047), read through an open file as the windows read it.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "capture/Allocator.h"
#include "chart/ChartData.h"
#include "chart/Listing.h"
#include "support/CaptureText.h"
#include "view/Measure.h"

namespace {

std::unique_ptr<zq::CaptureFile> OpenCapture() {
    const std::string path = "/tmp/zq350_bench_capture.txt";
    zq::test::WriteFile(path, zq::test::CaptureText());
    std::string error;
    return zq::CaptureFile::open(path, error);
}

// Opening a capture: the whole file decoded into its model, with its report.
void BM_OpenCaptureDecodeAndReport(benchmark::State& state) {
    auto file = OpenCapture();
    zq::DecodedCapture model;
    for (auto _ : state) {
        zq::ByteCursor in = file->cursor();
        zq::DecodeCapture(in, file->length(), model);
        benchmark::DoNotOptimize(model.report.data());
    }
}
BENCHMARK(BM_OpenCaptureDecodeAndReport)->Unit(benchmark::kMicrosecond);

// The wrong file picked by mistake: 16 MiB of "S", every one a line start. Its box (no capture
// worth the name, the report bounded) must come within a blink.
void BM_OpenSixteenMebibytesOfS(benchmark::State& state) {
    const std::string path = "/tmp/zq350_bench_s.txt";
    zq::test::WriteFile(path, std::string(16u << 20, 'S'));
    std::string error;
    auto file = zq::CaptureFile::open(path, error);
    for (auto _ : state) {
        const zq::DecodedCapture model = zq::DecodeCapture(*file);
        benchmark::DoNotOptimize(model.report.data());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_OpenSixteenMebibytesOfS)->Unit(benchmark::kMillisecond)->Iterations(5);

// A redraw's pass: the grid of the whole window filled from the model, no file read.
void BM_DecoderPassWholeWindow(benchmark::State& state) {
    auto file = OpenCapture();
    const zq::DecodedCapture model = zq::DecodeCapture(*file);
    for (auto _ : state) {
        zq::ViewBoxes boxes;
        boxes.StartPos = "0";
        boxes.DataLen = "2048";
        boxes.MarkZerocentricCheck = zq::Checked;
        boxes.MarkTrigcentricCheck = zq::Checked;
        auto r = zq::CalcDataPass(boxes, &model);
        benchmark::DoNotOptimize(r.grid.row(1));
    }
}
BENCHMARK(BM_DecoderPassWholeWindow)->Unit(benchmark::kMicrosecond);

void BM_ListingLinesWholeWindow(benchmark::State& state) {
    auto file = OpenCapture();
    const zq::DecodedCapture model = zq::DecodeCapture(*file);
    zq::ViewBoxes boxes;
    boxes.StartPos = "0";
    boxes.DataLen = "2048";
    boxes.MarkZerocentricCheck = zq::Checked;
    const zq::SavedView saved = zq::StoreView(boxes);
    for (auto _ : state) {
        auto b = zq::BuildListing(saved, "/tmp/zq350_bench_capture.txt", &model);
        benchmark::DoNotOptimize(b.lines.data());
    }
}
BENCHMARK(BM_ListingLinesWholeWindow)->Unit(benchmark::kMicrosecond);

// The pointer over the diagram: one pulse measured per move, over channels and samples alike
// (the high channels' pulses run for hundreds of samples, each scanned both ways).
void BM_PulseAtHover(benchmark::State& state) {
    auto file = OpenCapture();
    const zq::DecodedCapture model = zq::DecodeCapture(*file);
    int32_t k = 0;
    for (auto _ : state) {
        auto p = zq::PulseAt(model, k % 16, (k * 37) % zq::kCaptureSamples);
        benchmark::DoNotOptimize(p);
        ++k;
    }
}
BENCHMARK(BM_PulseAtHover)->Unit(benchmark::kMicrosecond);

// Every channel's statistics over the whole capture, as a table of all channels would show them.
void BM_ChannelStatsAll16(benchmark::State& state) {
    auto file = OpenCapture();
    const zq::DecodedCapture model = zq::DecodeCapture(*file);
    for (auto _ : state) {
        for (int c = 0; c < 16; ++c) {
            auto s = zq::ChannelStats(model, c);
            benchmark::DoNotOptimize(s);
        }
    }
}
BENCHMARK(BM_ChannelStatsAll16)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    zq::KeepFreedMemoryForRedraws();  // as the program does at start
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
