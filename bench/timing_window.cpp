// Benchmarks of the main window:
//  - a click that redraws the whole window (samples 0..2048 of a complete capture), from the
//    click through the decoder pass to the painted window; with a setup, and with the rows of
//    two protocol decoders over the example capture (decoded once before, as the window does);
//  - program start to the first painted frame: the main window created (its Load event draws
//    the start-up pattern), shown, and painted. Creating the QApplication is measured once and
//    reported as the counter app_init_ms, since a process can make only one. The same with the
//    translations loaded as main() loads them, for the C locale (nothing to load) and German.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "BenchSupport.h"
#include "app/LibraryEngine.h"
#include "app/Translations.h"
#include "capture/Allocator.h"
#include "timing/TimingView.h"
#include "widgets/TimingChart.h"

namespace {

double gAppInitMs = 0;

std::string CaptureFileForBench() {
    const auto path = std::filesystem::temp_directory_path() / "zq_timing_bench.txt";
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    char buf[8];
    for (unsigned a = 0; a < 2048; a += 16) {
        std::snprintf(buf, sizeof buf, "%04X", a);
        f << "S " << buf;
        for (unsigned n = a; n < a + 16; ++n) {
            std::snprintf(buf, sizeof buf, " %04X", (n * 0x9E37u) & 0xFFFFu);
            f << buf;
        }
        f << "\r\n";
    }
    return path.string();
}

// Paint events watched on the chart, so the start benchmark can wait for the first frame.
class PaintWatch : public QObject {
  public:
    bool painted = false;
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            painted = true;
            ++paints;
        }
        return false;
    }
};

// The same with a setup as a bench user keeps one: names, two hidden rows, two buses and a
// rate (times along the axis).
zq::ChannelSetup BusySetup() {
    zq::ChannelSetup s;
    s.channels[0].name = "CLK";
    s.channels[9].name = "UART TX";
    s.channels[15].name = "CHIP SELECT";
    s.channels[12].hidden = s.channels[13].hidden = true;
    s.buses = {{"COUNT", {8, 7, 6, 5, 4, 3, 2, 1}, {}}, {"HIGH", {14, 13, 12, 11}, {}}};
    s.sampleRate = 1e6;
    return s;
}

// The same setup with two decoders: the example's serial line, and the widths of its clock's
// pulses (an annotation at every edge of channel 0: 512 over the capture).
zq::ChannelSetup DecodersSetup() {
    zq::ChannelSetup s = BusySetup();
    s.decoders = {{{"uart", {{"rx", 9}}, {{"baudrate", "166667"}}, {}}},
                  {{"timing", {{"data", 0}}, {}, {}}}};
    return s;
}

enum class Rows { Channels, Setup, Decoders };

void ClickRedraws(benchmark::State& st, Rows rows) {
    zq::bench::BenchProgram p;
    p.dialogs.file =
        rows == Rows::Decoders ? ZQ_EXAMPLES_DIR "/counter-uart.txt" : CaptureFileForBench();
    zq::DecodeSession decoding(zq::LoadLibraryEngine);
    zq::TimingView view(p.capture, p.device, p.dialogs, p.host, &decoding);
    if (rows != Rows::Channels) view.UseSetup(rows == Rows::Setup ? BusySetup() : DecodersSetup());
    view.show();
    if (!QTest::qWaitForWindowExposed(&view)) {
        st.SkipWithError("window not exposed");
        return;
    }
    view.findChild<QLineEdit*>("StartPos")->setText("0");
    view.findChild<QLineEdit*>("DataLen")->setText("2048");
    view.findChild<QLineEdit*>("ZeroCentricVal")->setText("64");
    QTest::mouseClick(view.findChild<QPushButton*>("Load"), Qt::LeftButton);
    if (!p.capture.isOpen() || view.chart()->chartData().samples() != 2049) {
        st.SkipWithError("capture not loaded as a whole window");
        return;
    }
    if (rows == Rows::Decoders) {
        if (!QTest::qWaitFor([&] { return decoding.annotations() && !decoding.running(); },
                             20000) ||
            !decoding.annotations()->result().errors.empty()) {
            st.SkipWithError("the decoders did not run");
            return;
        }
        st.counters["annotations"] = static_cast<double>(decoding.annotations()->listed().size());
        st.counters["annotation_rows"] = static_cast<double>(decoding.annotations()->rowCount());
    }
    auto* check = view.findChild<QCheckBox*>("MarkZerocentricCheck");
    PaintWatch watch;
    view.chart()->installEventFilter(&watch);
    int64_t clicks = 0, marked = 0;
    for (auto _ : st) {
        QTest::mouseClick(check, Qt::LeftButton);
        view.repaint();  // the whole window, chart included, painted now
        ++clicks;
        marked += view.chart()->chartData().at(zq::kZeroCentricTrace, 64) > 0;
    }
    st.counters["samples"] = view.chart()->chartData().samples();
    // Each click must have painted the chart once and toggled the marks.
    st.counters["chart_paints_per_click"] = static_cast<double>(watch.paints) / clicks;
    st.counters["marked_share"] = static_cast<double>(marked) / clicks;
    st.counters["rows"] = static_cast<double>(view.chart()->rows().rows.size());
}

void BM_ClickRedrawsWholeWindow(benchmark::State& st) { ClickRedraws(st, Rows::Channels); }
BENCHMARK(BM_ClickRedrawsWholeWindow)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_ClickRedrawsWholeWindowWithNamesHiddenRowsAndBuses(benchmark::State& st) {
    ClickRedraws(st, Rows::Setup);
}
BENCHMARK(BM_ClickRedrawsWholeWindowWithNamesHiddenRowsAndBuses)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_ClickRedrawsWholeWindowWithTwoDecodersRows(benchmark::State& st) {
    ClickRedraws(st, Rows::Decoders);
}
BENCHMARK(BM_ClickRedrawsWholeWindowWithTwoDecodersRows)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void StartToFirstPaintedFrame(benchmark::State& st, const char* language, bool keptDecoders) {
    for (auto _ : st) {
        if (language) zq::InstallTranslations(QLocale(language));
        zq::bench::BenchProgram p;
        // The library is loaded only after the first frame: none of it is measured here.
        zq::DecodeSession decoding(zq::LoadLibraryEngine);
        if (keptDecoders) {
            zq::ChannelSetup s;
            s.sampleRate = 1e6;
            s.decoders = DecodersSetup().decoders;
            p.capture.setSetup(s);
        }
        PaintWatch watch;
        auto view =
            std::make_unique<zq::TimingView>(p.capture, p.device, p.dialogs, p.host, &decoding);
        view->chart()->installEventFilter(&watch);
        view->show();
        while (!watch.painted) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        st.PauseTiming();
        view.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        zq::RemoveTranslations();
        st.ResumeTiming();
    }
    st.counters["app_init_ms"] = gAppInitMs;
}

void BM_StartToFirstPaintedFrame(benchmark::State& st) {
    StartToFirstPaintedFrame(st, nullptr, false);
}
BENCHMARK(BM_StartToFirstPaintedFrame)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_StartToFirstPaintedFrameTranslationsC(benchmark::State& st) {
    StartToFirstPaintedFrame(st, "C", false);
}
BENCHMARK(BM_StartToFirstPaintedFrameTranslationsC)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_StartToFirstPaintedFrameTranslationsGerman(benchmark::State& st) {
    StartToFirstPaintedFrame(st, "de_DE", false);
}
BENCHMARK(BM_StartToFirstPaintedFrameTranslationsGerman)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_StartToFirstPaintedFrameWithKeptDecoders(benchmark::State& st) {
    StartToFirstPaintedFrame(st, nullptr, true);
}
BENCHMARK(BM_StartToFirstPaintedFrameWithKeptDecoders)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    zq::KeepFreedMemoryForRedraws();  // as the program does at start
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const auto t0 = std::chrono::steady_clock::now();
    QApplication app(argc, argv);
    gAppInitMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
