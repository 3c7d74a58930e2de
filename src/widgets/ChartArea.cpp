#include "widgets/ChartArea.h"

#include <QLabel>
#include <QWidget>

#include "widgets/ChartGestures.h"
#include "widgets/Controls.h"
#include "widgets/TimingChart.h"

namespace zq {

namespace {

constexpr int kChartLeft = 360, kChartTop = -330, kChartWidth = 14535, kChartHeight = 7125;
constexpr int kLabelWidth = 345, kLabelHeight = 255;
constexpr int kLabelPitch = 330;
constexpr int kTopOfChannel15 = 690;

// Names of the labels of channels 0..15; the numbering is the design's, not the channels'.
constexpr const char* kLabelNames[16] = {
    "Label1",  "Label2",  "Label3",  "Label4",  "Label5",  "Label9", "Label8",  "Label7",
    "Label16", "Label15", "Label14", "Label13", "Label12", "Label6", "Label10", "Label11"};

}  // namespace

const char* ChannelLabelName(int channel) { return kLabelNames[channel]; }

int ChannelLabelTop(int channel) { return kTopOfChannel15 + (15 - channel) * kLabelPitch; }

QSize ChartArea::VisibleSize(const TwipScale& scale) {
    return QSize(scale.toPixels(kChartLeft + kChartWidth),
                 scale.toPixels(kChartTop + kChartHeight));
}

ChartArea BuildChartArea(QWidget* parent, const TwipScale& scale) {
    ChartArea area;
    for (int c = 0; c < 16; ++c) {
        auto* label = new QLabel(QString::number(c), parent);
        label->setObjectName(ChannelLabelName(c));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(scale.rect(0, ChannelLabelTop(c), kLabelWidth, kLabelHeight));
        area.channelLabels[static_cast<size_t>(c)] = label;
    }
    area.chart = new TimingChart(parent);
    area.chart->setGeometry(scale.rect(kChartLeft, kChartTop, kChartWidth, kChartHeight));
    area.gestures = new ChartGestures(area.chart);
    return area;
}

QImage ChartAreaPicture(int32_t firstSample, const ChartGrid& grid,
                        std::vector<std::string> labels, const std::string& title) {
    const TwipScale scale(96);
    QWidget canvas;
    ApplyDesignFont(&canvas);
    const ChartArea area = BuildChartArea(&canvas, scale);
    canvas.resize(ChartArea::VisibleSize(scale));
    area.chart->setFirstSample(firstSample);
    area.chart->setChartData(grid);
    area.chart->setColumnLabels(std::move(labels));
    area.chart->setTitleText(title);
    return canvas.grab().toImage();
}

}  // namespace zq
