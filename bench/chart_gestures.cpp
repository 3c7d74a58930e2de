// Benchmarks of the chart's gestures on the main window, each from the event to the painted
// window, on a whole window of a complete capture:
//  - a wheel step (zoom in, then out again: 2049 and 1025 samples by turns);
//  - a pan step: a drag by one sample on a window of 2048 samples (start 0 and 1 by turns);
//  - a cursor click (cursor A on two samples by turns);
//  - the hover read-out for a pointer move, read-out painted; counts the redraws it caused,
//    which must be none (the read-out reads the capture decoded at the last redraw).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>
#include <memory>

#include "BenchSupport.h"
#include "capture/Allocator.h"
#include "timing/TimingView.h"
#include "widgets/TimingChart.h"

namespace {

// The main window with a complete capture loaded, showing samples start .. start + length.
struct Window {
    zq::bench::WholeCaptureSession p;
    std::unique_ptr<zq::TimingView> view;
    zq::TimingChart* chart = nullptr;

    Window(const char* start, const char* length, benchmark::State& st) {
        view = std::make_unique<zq::TimingView>(p.capture, p.device, p.dialogs, p.host);
        view->show();
        if (!QTest::qWaitForWindowExposed(view.get())) st.SkipWithError("window not exposed");
        chart = view->chart();
        view->findChild<QLineEdit*>("StartPos")->setText(start);
        view->findChild<QLineEdit*>("DataLen")->setText(length);
        QTest::mouseClick(view->findChild<QPushButton*>("Update"), Qt::LeftButton);
        view->repaint();
    }
    QPointF at(int sample) const {
        return {chart->positionX(sample - chart->firstSample() + 1), chart->valueToY(8.5)};
    }
    void send(QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, pos, chart->mapToGlobal(pos), button, held, Qt::NoModifier);
        QApplication::sendEvent(chart, &e);
    }
    std::string box(const char* name) const {
        return view->findChild<QLineEdit*>(name)->text().toStdString();
    }
};

void BM_WheelStep(benchmark::State& st) {
    Window w("0", "2048", st);
    int64_t steps = 0, changed = 0;
    for (auto _ : st) {
        const QPointF p = w.at(1024);
        const std::string before = w.box("DataLen");
        QWheelEvent e(p, w.chart->mapToGlobal(p), QPoint(), QPoint(0, steps % 2 ? -120 : 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w.chart, &e);
        w.view->repaint();
        changed += w.box("DataLen") != before;
        ++steps;
    }
    st.counters["changed_share"] = static_cast<double>(changed) / steps;
}
BENCHMARK(BM_WheelStep)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_PanStep(benchmark::State& st) {
    Window w("0", "2047", st);
    const QPointF from = w.at(1000);
    const double pitch = w.chart->plotRect().width() / w.chart->chartData().samples();
    w.send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    // Past the drag distance first; from then on every move is a pan step.
    w.send(QEvent::MouseMove, from + QPointF(20, 0), Qt::NoButton, Qt::LeftButton);
    int64_t steps = 0, changed = 0;
    for (auto _ : st) {
        const std::string before = w.box("StartPos");
        w.send(QEvent::MouseMove, from - QPointF(steps % 2 ? 0 : 1.5 * pitch, 0), Qt::NoButton,
               Qt::LeftButton);
        w.view->repaint();
        changed += w.box("StartPos") != before;
        ++steps;
    }
    w.send(QEvent::MouseButtonRelease, from, Qt::LeftButton, Qt::NoButton);
    st.counters["samples"] = w.chart->chartData().samples();
    st.counters["changed_share"] = static_cast<double>(changed) / steps;
}
BENCHMARK(BM_PanStep)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_CursorClick(benchmark::State& st) {
    Window w("0", "2048", st);
    int64_t clicks = 0, changed = 0;
    for (auto _ : st) {
        const QPointF p = w.at(clicks % 2 ? 700 : 1300);
        const std::string before = w.box("MarkCursorA");
        w.send(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
        w.send(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
        w.view->repaint();
        changed += w.box("MarkCursorA") != before;
        ++clicks;
    }
    st.counters["samples"] = w.chart->chartData().samples();
    st.counters["changed_share"] = static_cast<double>(changed) / clicks;
}
BENCHMARK(BM_CursorClick)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_HoverReadout(benchmark::State& st) {
    Window w("0", "2048", st);
    auto* readout = w.view->findChild<QLabel*>("Readout");
    int redraws = 0;
    QObject::connect(w.chart, &zq::TimingChart::chartDataChanged, [&] { ++redraws; });
    int64_t moves = 0, changed = 0;
    for (auto _ : st) {
        const QString before = readout->text();
        w.send(QEvent::MouseMove, w.at(static_cast<int>(100 + moves % 1800)), Qt::NoButton,
               Qt::NoButton);
        readout->repaint();
        changed += readout->text() != before;
        ++moves;
    }
    st.counters["redraws_per_move"] = static_cast<double>(redraws) / moves;
    st.counters["changed_share"] = static_cast<double>(changed) / moves;
}
BENCHMARK(BM_HoverReadout)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) { return zq::bench::RunWindowBenchmarks(argc, argv); }
