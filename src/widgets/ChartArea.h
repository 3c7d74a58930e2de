#pragma once
// The timing diagram as the main window lays it out: the chart TimingChart1 and the column of
// channel labels "0" to "15" beside its bands. The picture export builds the same area, so an
// exported picture matches the window.

#include <QImage>
#include <QSize>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/ChartGrid.h"
#include "view/Annotations.h"
#include "view/RowLayout.h"
#include "view/Setup.h"
#include "widgets/Geometry.h"

class QLabel;
class QWidget;

namespace zq {

class ChartGestures;
class TimingChart;
struct BusTrace;

struct ChartArea {
    TimingChart* chart = nullptr;
    // The chart's mouse and keyboard gestures and its overview bar below the axis.
    ChartGestures* gestures = nullptr;
    std::array<QLabel*, 16> channelLabels{};  // index = channel
    std::vector<QLabel*> busLabels;           // index = the bus's in the setup
    std::vector<QLabel*> annotationLabels;    // index = the row's in the decoders' result
    TwipScale scale;
    int designChartHeight = 0;  // in pixels: the labels follow the chart's bands as it grows
    // How much wider than the design the labels' column is, in pixels, so that names fit;
    // the chart gives up as much on its left.
    int labelExtra = 0;

    // Size of the part of a parent widget that the area covers (the chart's top lies above
    // its parent's top edge and is cut off there, as in the main window).
    static QSize VisibleSize(const TwipScale& scale);
};

// Creates the chart with its gestures and the channel labels as children of parent, at their design
// places.
ChartArea BuildChartArea(QWidget* parent, const TwipScale& scale);

// Lays the rows out as the setup says: the chart's rows, the channels' labels with their names
// (hidden ones hidden), a label for each bus; and the annotation rows of what the decoders
// said, each with its label, drawn by the chart.
void ShowRows(ChartArea& area, const ChannelSetup& setup,
              std::shared_ptr<const AnnotationTable> annotations = {});
// Puts every shown label beside its row for the chart's present height.
void PlaceRowLabels(const ChartArea& area);

// Every bus's values over count samples from first; none without a capture.
std::vector<BusTrace> BusTraces(const ChannelSetup& setup, const DecodedCapture* model,
                                int32_t first, int count);
// A cursor's sample as the chart marks it: a cursor box holding no whole number marks none.
std::optional<int32_t> CursorSample(std::optional<double> cursor);

// What a picture of the area shows.
struct ChartPicture {
    int32_t firstSample = 0;
    ChartGrid grid;
    std::vector<std::string> labels;
    std::string title;
    ChannelSetup setup;
    std::vector<BusTrace> buses;
    std::optional<int32_t> cursorA, cursorB;
    std::shared_ptr<const AnnotationTable> annotations;
};

// The area as a picture at its design size and 96 dpi, whatever the window's size: the same
// picture File > Export > PNG and zq350-inspect render give for the same view.
QImage ChartAreaPicture(const ChartPicture& what);

// Object name and top (twips) of the label of a channel.
const char* ChannelLabelName(int channel);
int ChannelLabelTop(int channel);

}  // namespace zq
