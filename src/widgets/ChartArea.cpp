#include "widgets/ChartArea.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "view/RowLayout.h"
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
    area.scale = scale;
    area.designChartHeight = scale.rect(kChartLeft, kChartTop, kChartWidth, kChartHeight).height();
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

namespace {

// Where the label of row r goes at the design size, in twips, and the trace value at the row's
// centre. At the design's pitch these are the design's places of the labels "15" to "0".
QRect RowLabelRect(const TwipScale& scale, const RowLayout& layout, size_t r) {
    const double pitchTw = kLabelPitch * layout.pitch;
    const double centre = kTopOfChannel15 + kLabelHeight / 2.0 + static_cast<double>(r) * pitchTw;
    const double height = std::min<double>(kLabelHeight, pitchTw);
    return scale.rect(0, static_cast<int>(std::lround(centre - height / 2)), kLabelWidth,
                      static_cast<int>(std::lround(height)));
}

// Names wider than the design's column (which holds two digits) widen it, up to a limit; a name
// still too wide is elided there, its tooltip holding it whole.
constexpr int kMaxLabelExtraTw = 1800;

int LabelExtra(const QFont& font, const std::vector<QString>& names, const TwipScale& scale) {
    const QFontMetricsF fm(font);
    double widest = 0;
    for (const QString& n : names) widest = std::max(widest, fm.horizontalAdvance(n) + 4);
    const int room = scale.toPixels(kLabelWidth);
    return std::clamp(static_cast<int>(std::ceil(widest)) - room, 0,
                      scale.toPixels(kMaxLabelExtraTw));
}

}  // namespace

namespace {

// Labels made and removed to match a count; the ones kept are reused.
void KeepLabels(std::vector<QLabel*>& labels, size_t count, QWidget* parent, const char* name) {
    while (labels.size() > count) {
        delete labels.back();
        labels.pop_back();
    }
    while (labels.size() < count) {
        auto* label = new QLabel(parent);
        label->setObjectName(QString("%1%2").arg(name).arg(labels.size()));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->show();
        labels.push_back(label);
    }
}

}  // namespace

void ShowRows(ChartArea& area, const ChannelSetup& setup,
              std::shared_ptr<const AnnotationTable> annotations) {
    const size_t annotationRows = annotations ? annotations->rowCount() : 0;
    RowLayout layout = LayOutRows(setup, annotationRows);
    QWidget* parent = area.channelLabels[0]->parentWidget();
    std::vector<QString> names;
    for (const ChartRow& row : layout.rows)
        names.push_back(QString::fromStdString(
            row.isBus()          ? setup.buses[static_cast<size_t>(row.bus)].name
            : row.isAnnotation() ? annotations->row(static_cast<size_t>(row.annotation)).desc
                                 : setup.RowLabel(row.channel)));
    const int extra = LabelExtra(parent->font(), names, area.scale);
    const int labelWidth = area.scale.toPixels(kLabelWidth) + extra - 4;
    // The chart keeps its right edge and gives up its left to the labels.
    QRect chart = area.chart->geometry();
    chart.setLeft(chart.left() - area.labelExtra + extra);
    area.labelExtra = extra;
    area.chart->setGeometry(chart);
    for (int c = 0; c < kChannels; ++c) {
        QLabel* label = area.channelLabels[static_cast<size_t>(c)];
        const QString name = QString::fromStdString(setup.RowLabel(c));
        label->setText(QFontMetrics(parent->font()).elidedText(name, Qt::ElideRight, labelWidth));
        label->setVisible(layout.rowOfChannel(c).has_value());
    }
    KeepLabels(area.busLabels, setup.buses.size(), parent, "BusLabel");
    for (size_t b = 0; b < setup.buses.size(); ++b) {
        const QString name = QString::fromStdString(setup.buses[b].name);
        area.busLabels[b]->setText(
            QFontMetrics(parent->font()).elidedText(name, Qt::ElideRight, labelWidth));
        const QString bus = QCoreApplication::translate("zq::ChartArea", "Bus %1").arg(name);
        area.busLabels[b]->setToolTip(bus);
        area.busLabels[b]->setAccessibleName(bus);
    }
    KeepLabels(area.annotationLabels, annotationRows, parent, "AnnotationLabel");
    for (size_t r = 0; r < annotationRows; ++r) {
        const QString name = QString::fromStdString(annotations->row(r).desc);
        QLabel* label = area.annotationLabels[r];
        label->setText(QFontMetrics(parent->font()).elidedText(name, Qt::ElideRight, labelWidth));
        label->setToolTip(name);
        label->setAccessibleName(
            QCoreApplication::translate("zq::ChartArea", "Annotations %1").arg(name));
    }
    area.chart->setRows(std::move(layout));
    area.chart->setAnnotations(std::move(annotations));
    PlaceRowLabels(area);
}

void PlaceRowLabels(const ChartArea& area) {
    const RowLayout& layout = area.chart->rows();
    const int height = area.chart->height();
    // A label moves as far as its row's centre does when the chart grows.
    const auto centre = [&](double value, int h) {
        return (TimingChart::kValueZeroTw - value * TimingChart::kBandTw) * h /
               TimingChart::kDesignHeightTw;
    };
    for (size_t r = 0; r < layout.rows.size(); ++r) {
        const ChartRow& row = layout.rows[r];
        const auto at = [](const std::vector<QLabel*>& labels, int i) {
            return static_cast<size_t>(i) < labels.size() ? labels[static_cast<size_t>(i)]
                                                          : nullptr;
        };
        QLabel* label = row.isBus()          ? at(area.busLabels, row.bus)
                        : row.isAnnotation() ? at(area.annotationLabels, row.annotation)
                                             : area.channelLabels[static_cast<size_t>(row.channel)];
        if (!label) continue;
        const double value = layout.bottom(r) + layout.pitch / 2;
        QRect rect = RowLabelRect(area.scale, layout, r);
        rect.setWidth(rect.width() + area.labelExtra);
        rect.translate(0, static_cast<int>(std::lround(centre(value, height) -
                                                       centre(value, area.designChartHeight))));
        if (label->geometry() != rect) label->setGeometry(rect);
    }
}

std::vector<BusTrace> BusTraces(const ChannelSetup& setup, const DecodedCapture* model,
                                int32_t first, int count) {
    std::vector<BusTrace> traces;
    if (!model) return traces;
    for (const Bus& bus : setup.buses)
        traces.push_back({bus.channels.size(), BusSamples(*model, bus.channels, first, count)});
    return traces;
}

std::optional<int32_t> CursorSample(std::optional<double> cursor) {
    if (!cursor || *cursor != std::floor(*cursor) || std::fabs(*cursor) > 1e9) return std::nullopt;
    return static_cast<int32_t>(*cursor);
}

QImage ChartAreaPicture(const ChartPicture& what) {
    const TwipScale scale(96);
    QWidget canvas;
    ApplyDesignFont(&canvas);
    ChartArea area = BuildChartArea(&canvas, scale);
    canvas.resize(ChartArea::VisibleSize(scale));
    ShowRows(area, what.setup, what.annotations);
    area.chart->setSampleRate(what.setup.sampleRate);
    area.chart->setCursorSamples(what.cursorA, what.cursorB);
    area.chart->setFirstSample(what.firstSample);
    area.chart->setBusTraces(what.buses);
    area.chart->setChartData(what.grid);
    area.chart->setColumnLabels(what.labels);
    area.chart->setTitleText(what.title);
    return canvas.grab().toImage();
}

}  // namespace zq
