#pragma once
// The chart as a waveform viewer: the wheel zooms around the pointer, a drag pans, a Ctrl+drag
// zooms to the dragged range, a click sets a cursor, the keys step and zoom, and an overview
// bar below the axis shows where the window lies in the capture. It changes nothing itself: it
// asks for a window, a step, a cursor or an edge in samples, and the window fills its boxes and
// runs its buttons' handlers with them. Hovering writes a read-out of the sample and channel
// under the pointer from the decoded capture, without a decoder pass.

#include <QObject>
#include <QPointF>
#include <optional>

#include "capture/DecodedCapture.h"
#include "view/RowLayout.h"
#include "view/Setup.h"
#include "view/ViewGestures.h"
#include "widgets/TimingChart.h"

class QKeyEvent;
class QMouseEvent;
class QScrollBar;
class QWheelEvent;

class QLabel;

namespace zq {

// Every gesture of the chart and its labels, as Help > Keyboard and Mouse lists them; the
// chart's tooltip gives the same.
inline constexpr const char* kGesturesHelp = QT_TRANSLATE_NOOP(
    "zq::ChartGestures",
    "On the chart\n"
    "  Wheel: zoom in or out around the pointer\n"
    "  Shift+wheel or sideways wheel: step the window back or forward\n"
    "  Drag: pan the window\n"
    "  Ctrl+drag: zoom to the dragged range\n"
    "  Click: put cursor A there\n"
    "  Right-click or Shift+click: put cursor B there\n"
    "  Drag a cursor's line: move that cursor\n"
    "  Pointer: the pulse, bus value or annotation under it, beside it\n"
    "\n"
    "Keys, with the chart focused (Tab to it, or click it)\n"
    "  Left, Right: step the window back or forward\n"
    "  +, -: zoom in or out\n"
    "  Home, End: the capture's start or end\n"
    "  N, Shift+N: cursor A to the next or previous edge of the channel under the pointer\n"
    "  Enter in a box: apply it; Esc: stop a device read\n"
    "\n"
    "On the channel labels\n"
    "  Drag a label up or down: move its row\n"
    "\n"
    "Ctrl+O opens a capture, Ctrl+Q quits.");

class ChartGestures : public QObject {
    Q_OBJECT
  public:
    explicit ChartGestures(TimingChart* chart);

    // The capture the read-out reads from; null when none is open. Must outlive its use.
    void setCapture(const DecodedCapture* capture);
    // The setup's sample rate: with one, the pulse under the pointer is measured in time, and
    // the axis gives times.
    void setSampleRate(std::optional<double> rate);
    // The setup's buses, for the read-out over a bus row and the values beside the labels.
    void setSetup(const ChannelSetup& setup);
    // The window the chart shows now.
    SampleWindow shown() const;
    QScrollBar* overview() const { return overview_; }

  signals:
    // Fill StartPos and DataLen with these and run "Go !".
    void windowRequested(int start, int length);
    // Run ">" (+1) or "<" (-1).
    void stepRequested(int direction);
    // Put cursor 0 (A) or 1 (B) on a sample and redraw as the cursor check box does.
    void cursorRequested(int cursor, int sample);
    // Put cursor A on the next (+1) or previous (-1) edge of a channel.
    void edgeRequested(int channel, int direction);
    void readoutChanged(const QString& text);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class Drag { None, Pending, Pan, Range, Cursor };

    void press(QMouseEvent* e);
    void move(QMouseEvent* e);
    void release(QMouseEvent* e);
    bool wheel(QWheelEvent* e);
    bool key(QKeyEvent* e);
    void hover(std::optional<QPointF> pos);
    // The read-out beside the pointer, above or below the band it measures, never over it.
    void placePointerReadout(QPointF pos, std::optional<ChartRow> row);
    // What the pointer's row says beside the pointer, below the sample's line.
    QString rowMeasurement(int32_t sample, const ChartRow& row) const;
    void showRowValues(std::optional<int32_t> sample);
    // The run under the pointer, for its bracket on the chart.
    std::optional<TimingChart::Bracket> bracketAt(int32_t sample, const ChartRow& row) const;
    void zoom(int steps, std::optional<QPointF> around);
    void request(SampleWindow w);
    void syncOverview();

    TimingChart* chart_;
    QScrollBar* overview_;
    const DecodedCapture* capture_ = nullptr;
    bool syncing_ = false;

    Drag drag_ = Drag::None;
    bool pressRight_ = false, pressShift_ = false;
    QPointF pressPos_;
    SampleWindow pressWindow_;
    std::optional<int32_t> pressSample_;
    std::optional<QPointF> pointer_;  // the pointer over the chart
    QString readout_;
    QLabel* pointerReadout_;
    std::optional<double> sampleRate_;
    ChannelSetup setup_;
    int dragCursor_ = 0;  // the cursor a Drag::Cursor moves
    int wheelRest_ = 0;   // angle a high-resolution wheel turned short of a step
};

}  // namespace zq
