#pragma once
// The timing diagram as the main window lays it out: the chart TimingChart1 and the column of
// channel labels "0" to "15" beside its bands. The picture export builds the same area, so an
// exported picture matches the window.

#include <QSize>
#include <array>

#include "widgets/Geometry.h"

class QLabel;
class QWidget;

namespace zq {

class TimingChart;

struct ChartArea {
    TimingChart* chart = nullptr;
    std::array<QLabel*, 16> channelLabels{};  // index = channel

    // Size of the part of a parent widget that the area covers (the chart's top lies above
    // its parent's top edge and is cut off there, as in the main window).
    static QSize VisibleSize(const TwipScale& scale);
};

// Creates the chart and the channel labels as children of parent, at their design places.
ChartArea BuildChartArea(QWidget* parent, const TwipScale& scale);

// Object name and top (twips) of the label of a channel.
const char* ChannelLabelName(int channel);
int ChannelLabelTop(int channel);

}  // namespace zq
