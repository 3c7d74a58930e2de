#pragma once
// TimingChart1: the timing diagram. It takes the whole grid as its data (a copy, so later
// changes to the caller's grid do not show until the next hand-over), one label per horizontal
// position and a title, and draws the 16 channels as square waves in their rows (by default
// channel 15 at the top) and the four mark traces as spikes in their fixed colours. The setup's
// rows reorder and hide channels and add bus rows, which show a bus's value in hexadecimal
// between its changes, and the decoders' annotation rows, coloured boxes over the samples each
// annotation covers with the longest of its texts that fits.
//
// Vertical layout is tied to the main window's channel labels: the row of a channel lies
// beside its label whenever the chart sits where the main window puts it.

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "chart/ChartGrid.h"
#include "view/Annotations.h"
#include "view/RowLayout.h"

class QPainter;

namespace zq {

// A bus row's values: one per sample of the grid (BusSamples), -1 where nothing is known.
struct BusTrace {
    size_t channels = 0;  // how many channels the bus reads, for the digits of its value
    std::vector<int64_t> values;

    bool operator==(const BusTrace&) const = default;
};

class TimingChart : public QWidget {
    Q_OBJECT
  public:
    // The chart's design size in twips and the chart-local places derived from it.
    static constexpr double kDesignWidthTw = 14535;
    static constexpr double kDesignHeightTw = 7125;
    // Where the trace value 0 lies and how tall one band is, in chart-local twips: with the
    // chart's top at -330 twips and the labels 330 twips apart, band c ends up centred on the
    // label "c".
    static constexpr double kValueZeroTw = 6262.5;
    static constexpr double kBandTw = 330;

    explicit TimingChart(QWidget* parent = nullptr);

    // ChartData: the whole grid, copied.
    void setChartData(const ChartGrid& grid);
    // ColumnLabel of every position, element 0 for position 1. Missing elements are empty.
    void setColumnLabels(std::vector<std::string> labels);
    // TitleText.
    void setTitleText(const std::string& title);

    // The sample of the first position, for the sample numbers of long windows and for the
    // gestures; set before the grid it belongs to.
    void setFirstSample(int32_t sample);
    int32_t firstSample() const { return firstSample_; }
    // The sample under a chart-local point and the channel whose band holds a y; nothing
    // outside the plot.
    std::optional<int32_t> sampleAt(QPointF point) const;
    std::optional<int> channelAt(double y) const;
    // The row under a y: a channel's or a bus's.
    std::optional<ChartRow> rowAt(double y) const;
    // Chart-local logical y of the top and bottom of a row.
    std::pair<double, double> rowSpan(const ChartRow& row) const;

    // The rows as the setup lays them out, and each bus row's values (set before the grid
    // they belong to, as the first sample is).
    void setRows(RowLayout layout);
    const RowLayout& rows() const { return rows_; }
    void setBusTraces(std::vector<BusTrace> buses);
    const std::vector<BusTrace>& busTraces() const { return buses_; }
    // What the decoders said, drawn in the layout's annotation rows; null: nothing.
    void setAnnotations(std::shared_ptr<const AnnotationTable> annotations);
    const std::shared_ptr<const AnnotationTable>& annotations() const { return annotations_; }
    // The cursors' samples, for their two shades and their flags "A" and "B"; drawn only where
    // the grid marks them (the cursors' check box is on).
    void setCursorSamples(std::optional<int32_t> a, std::optional<int32_t> b);
    std::pair<std::optional<int32_t>, std::optional<int32_t>> cursorSamples() const {
        return {cursorA_, cursorB_};
    }
    // With a sample rate the axis labels give each labelled sample's time below its number.
    void setSampleRate(std::optional<double> rate);
    std::optional<double> sampleRate() const { return sampleRate_; }
    // The cursor whose line lies within a few pixels of x, if one is drawn there.
    std::optional<int> cursorNear(double x) const;
    // Values at the pointer's sample beside each row's label, while the pointer is over the
    // chart; nothing clears them but another call.
    void setRowValues(std::vector<std::string> values);
    const std::vector<std::string>& rowValues() const { return rowValues_; }
    // The run under the pointer, bracketed over its row: the samples first..last of a row.
    struct Bracket {
        ChartRow row;
        int32_t first = 0, last = 0;
        bool operator==(const Bracket&) const = default;
    };
    void setBracket(std::optional<Bracket> bracket);
    const std::optional<Bracket>& bracket() const { return bracket_; }
    // Samples from .. to shaded over the plot (a range being dragged out); nothing clears it.
    void setSelection(std::optional<std::pair<int32_t, int32_t>> samples);
    // Below the axis labels: where the overview bar goes.
    QRect overviewRect() const;

    const ChartGrid& chartData() const { return grid_; }
    const std::vector<std::string>& columnLabels() const { return labels_; }
    const std::string& titleText() const { return title_; }

    // Chart-local logical y of a trace value, and the plot area, for the layout and tests.
    double valueToY(double value) const;
    QRectF plotRect() const;
    // Logical x of the centre of position i (1-based).
    double positionX(int position) const;

    static QColor channelColour(int channel);
    static QColor busColour() { return QColor(240, 200, 255); }
    // An annotation's fill: a hue for each class of each decoder.
    static QColor annotationColour(const std::string& decoder, int classIndex);
    // Cursor A keeps the design's magenta; B is a paler shade of it.
    static QColor cursorColour(int cursor);
    // Colour of a mark trace (17..20) as the chart's design fixes it.
    static QColor markColour(int trace);
    static QColor plotBackground() { return QColor(0, 0, 0); }

    // Paints into an image of the widget's size at the given device pixel ratio; paintEvent
    // shows a cached one.
    QImage renderImage(qreal devicePixelRatio) const;

  signals:
    // A new grid was handed over.
    void chartDataChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void invalidate();
    // Text over the picture (TimingChartRows.cpp).
    void drawBusValues(QPainter& p) const;
    // The annotation rows' boxes, straight into the picture, and their texts
    // (TimingChartAnnotations.cpp).
    void drawAnnotationBoxes(QImage& image, QRect plot, double dpr) const;
    void drawAnnotationTexts(QPainter& p) const;
    void drawCursorFlags(QPainter& p) const;
    void drawRowValues(QPainter& p) const;
    void drawBracket(QPainter& p) const;

    ChartGrid grid_;
    std::vector<std::string> labels_;
    std::string title_ = "Timing Diagram";
    int32_t firstSample_ = 0;
    std::optional<std::pair<int32_t, int32_t>> selection_;
    RowLayout rows_ = LayOutRows(ChannelSetup{});
    std::vector<BusTrace> buses_;
    std::shared_ptr<const AnnotationTable> annotations_;
    std::optional<int32_t> cursorA_, cursorB_;
    std::optional<double> sampleRate_;
    std::vector<std::string> rowValues_;
    std::optional<Bracket> bracket_;
    mutable QImage cache_;
};

}  // namespace zq
