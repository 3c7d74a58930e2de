#pragma once
// TimingChart1: the timing diagram. It takes the whole grid as its data (a copy, so later
// changes to the caller's grid do not show until the next hand-over), one label per horizontal
// position and a title, and draws the 16 channels as square waves in their bands (channel 15 at
// the top) and the four mark traces as spikes in their fixed colours.
//
// Vertical layout is tied to the main window's channel labels: the band of channel c lies
// beside the label "c" whenever the chart sits where the main window puts it.

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QWidget>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "chart/ChartGrid.h"

namespace zq {

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
    void changeEvent(QEvent* event) override;

  private:
    void invalidate();

    ChartGrid grid_;
    std::vector<std::string> labels_;
    std::string title_ = "Timing Diagram";
    int32_t firstSample_ = 0;
    std::optional<std::pair<int32_t, int32_t>> selection_;
    mutable QImage cache_;
};

}  // namespace zq
