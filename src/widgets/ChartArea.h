#pragma once
// The timing diagram as the main window lays it out: the chart TimingChart1 and the column of
// channel labels "0" to "15" beside its bands. The picture export builds the same area, so an
// exported picture matches the window.

#include <QImage>
#include <QSize>
#include <array>
#include <string>
#include <vector>

#include "chart/ChartGrid.h"
#include "widgets/Geometry.h"

class QLabel;
class QWidget;

namespace zq {

class ChartGestures;
class TimingChart;

struct ChartArea {
    TimingChart* chart = nullptr;
    // The chart's mouse and keyboard gestures and its overview bar below the axis.
    ChartGestures* gestures = nullptr;
    std::array<QLabel*, 16> channelLabels{};  // index = channel

    // Size of the part of a parent widget that the area covers (the chart's top lies above
    // its parent's top edge and is cut off there, as in the main window).
    static QSize VisibleSize(const TwipScale& scale);
};

// Creates the chart with its gestures and the channel labels as children of parent, at their design
// places.
ChartArea BuildChartArea(QWidget* parent, const TwipScale& scale);

// The area as a picture at its design size and 96 dpi, whatever the window's size: the same
// picture File > Export > PNG and zq350-inspect render give for the same view.
QImage ChartAreaPicture(int32_t firstSample, const ChartGrid& grid, std::vector<std::string> labels,
                        const std::string& title);

// Object name and top (twips) of the label of a channel.
const char* ChannelLabelName(int channel);
int ChannelLabelTop(int channel);

}  // namespace zq
