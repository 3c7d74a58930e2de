// Pixel tests on grabs of the chart as the main window lays it out, channel labels included.

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QWidget>

#include "view/Annotations.h"
#include "widgets/ChartArea.h"
#include "widgets/TimingChart.h"

namespace zq {
namespace {

class ChartPixels : public ::testing::Test {
  protected:
    void SetUp() override {
        area = BuildChartArea(&host, TwipScale(96));
        host.resize(ChartArea::VisibleSize(TwipScale(96)));
    }
    QImage grab() { return host.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // Rows (host coordinates) where column x has exactly the colour.
    static std::vector<int> rowsOf(const QImage& img, int x, QColor colour, int y0, int y1) {
        std::vector<int> rows;
        for (int y = std::max(0, y0); y <= std::min(img.height() - 1, y1); ++y)
            if (img.pixel(x, y) == colour.rgb()) rows.push_back(y);
        return rows;
    }
    int hostX(double chartX) const { return area.chart->x() + static_cast<int>(chartX); }

    QWidget host;
    ChartArea area;
};

TEST_F(ChartPixels, EachChannelsLevelsLieBesideItsLabel) {
    // Every channel low over the first half of the window, high over the second.
    ChartGrid grid(63);
    TraceLevels lv;
    for (int t = 1; t <= 16; ++t)
        for (int s = 0; s <= 63; ++s)
            grid.at(t, s) = ChannelOfTrace(t) + lv.LevelBase + (s >= 32 ? lv.LevelSwing : 0.0f);
    area.chart->setChartData(grid);
    const QImage img = grab();
    const int xLow = hostX(area.chart->positionX(10)), xHigh = hostX(area.chart->positionX(50));

    for (int c = 0; c < 16; ++c) {
        const QLabel* label = area.channelLabels[static_cast<size_t>(c)];
        ASSERT_EQ(label->text(), QString::number(c));
        const int mid = label->geometry().center().y();
        const int halfPitch = 11;  // labels stand 22 pixels apart at 96 dpi
        const QColor colour = TimingChart::channelColour(c);
        const auto low = rowsOf(img, xLow, colour, mid - halfPitch, mid + halfPitch);
        const auto high = rowsOf(img, xHigh, colour, mid - halfPitch, mid + halfPitch);
        ASSERT_FALSE(low.empty()) << "channel " << c << " low level not beside its label";
        ASSERT_FALSE(high.empty()) << "channel " << c << " high level not beside its label";
        EXPECT_GT(low.front(), mid) << "channel " << c;  // low below the label's middle
        EXPECT_LT(high.back(), mid) << "channel " << c;  // high above it
        EXPECT_GE(low.front() - high.back(), 12) << "channel " << c;
    }
}

TEST_F(ChartPixels, MarksHaveTheirColoursAndReachAboveTheChannels) {
    ChartGrid grid(64);
    const int traces[] = {kCursorTrace, kTrigTrace, kTrigCentricTrace, kZeroCentricTrace};
    for (int i = 0; i < 4; ++i) grid.at(traces[i], 10 + 12 * i) = kMarkLevel;
    area.chart->setChartData(grid);
    const QImage img = grab();
    const int topOfChannel15 = area.channelLabels[15]->geometry().top();
    const QColor expected[] = {QColor(255, 64, 255), QColor(255, 160, 160), QColor(64, 255, 255),
                               QColor(138, 255, 138)};
    for (int i = 0; i < 4; ++i) {
        const int x = hostX(area.chart->positionX(11 + 12 * i));
        const auto rows = rowsOf(img, x, expected[i], 0, img.height() - 1);
        ASSERT_FALSE(rows.empty()) << "mark trace " << traces[i];
        EXPECT_LT(rows.front(), topOfChannel15) << "mark trace " << traces[i] << " below 16";
        // A spike runs from the bottom of the channels to the top.
        EXPECT_GT(rows.back(), area.channelLabels[0]->geometry().center().y());
    }
}

// Where the file holds no word there is no trace, not a level of 0, and a band says why; past
// the capture there is no mark either.
TEST_F(ChartPixels, AbsentSamplesHaveNoTraceAndSamplesPastTheCaptureNoMark) {
    ChartGrid grid(63);
    TraceLevels lv;
    for (int t = 1; t <= 16; ++t)
        for (int s = 0; s <= 63; ++s) grid.at(t, s) = ChannelOfTrace(t) + lv.LevelBase;
    for (int s = 20; s < 30; ++s) grid.setPresence(s, Presence::Absent);
    grid.at(kCursorTrace, 25) = kMarkLevel;  // a cursor on a missing sample still shows
    grid.at(kCursorTrace, 63) = kMarkLevel;
    grid.setPresence(63, Presence::Beyond);
    area.chart->setChartData(grid);
    const QImage img = grab();
    const QColor channel0 = TimingChart::channelColour(0);
    const auto rowsAt = [&](int position, QColor colour) {
        return rowsOf(img, hostX(area.chart->positionX(position)), colour, 0, img.height() - 1);
    };
    EXPECT_FALSE(rowsAt(11, channel0).empty());
    EXPECT_TRUE(rowsAt(25, channel0).empty());
    // Missing samples are shaded as a band over the channels, not only left blank.
    EXPECT_GT(rowsAt(25, QColor(72, 40, 40)).size(), 100u);
    EXPECT_TRUE(rowsAt(11, QColor(72, 40, 40)).empty());
    EXPECT_FALSE(rowsAt(26, TimingChart::markColour(kCursorTrace)).empty());
    EXPECT_TRUE(rowsAt(64, TimingChart::markColour(kCursorTrace)).empty());
}

TEST_F(ChartPixels, OneSampleGlitchesStayVisibleWhenSamplesOutnumberPixels) {
    ChartGrid grid(2047);
    TraceLevels lv;
    const int ch0 = TraceOfChannel(0), ch9 = TraceOfChannel(9);
    for (int s = 0; s <= 2047; ++s) {
        grid.at(ch0, s) = lv.LevelBase;                      // low, one high sample
        grid.at(ch9, s) = 9 + lv.LevelBase + lv.LevelSwing;  // high, one low sample
    }
    grid.at(ch0, 1001) = lv.LevelBase + lv.LevelSwing;
    grid.at(ch9, 1501) = 9 + lv.LevelBase;
    grid.at(kCursorTrace, 601) = kMarkLevel;
    area.chart->setChartData(grid);
    ASSERT_LT(area.chart->plotRect().width(), 2048);
    const QImage img = grab();

    const auto columnsReaching = [&](int channel, bool high, int fromX, int toX) {
        const int mid = area.channelLabels[static_cast<size_t>(channel)]->geometry().center().y();
        int found = 0;
        for (int x = fromX; x <= toX; ++x) {
            const auto rows =
                rowsOf(img, x, TimingChart::channelColour(channel), mid - 11, mid + 11);
            if (!rows.empty() && (high ? rows.front() < mid - 4 : rows.back() > mid + 4)) ++found;
        }
        return found;
    };
    const int left = hostX(area.chart->plotRect().left());
    const int right = hostX(area.chart->plotRect().right()) - 1;
    EXPECT_GE(columnsReaching(0, true, left, right), 1) << "high glitch of channel 0 lost";
    EXPECT_LE(columnsReaching(0, true, left, right), 3);
    EXPECT_GE(columnsReaching(9, false, left, right), 1) << "low glitch of channel 9 lost";
    EXPECT_LE(columnsReaching(9, false, left, right), 3);

    int markColumns = 0;
    for (int x = left; x <= right; ++x)
        if (!rowsOf(img, x, TimingChart::markColour(kCursorTrace), 0, img.height() - 1).empty())
            ++markColumns;
    EXPECT_GE(markColumns, 1) << "one-sample cursor mark lost";
}

TEST_F(ChartPixels, HighDensityScreensDrawAtTheirOwnResolution) {
    ChartGrid grid(2047);
    const int ch0 = TraceOfChannel(0);
    for (int s = 0; s <= 2047; ++s) grid.at(ch0, s) = 0.1f;
    grid.at(ch0, 1001) = 0.9f;
    area.chart->setChartData(grid);
    const QImage img = area.chart->renderImage(2.0).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(img.width(), area.chart->width() * 2);
    // The glitch is one device column wide at its top: 1 px lines at double density.
    const int yHigh = static_cast<int>(area.chart->valueToY(0.9) * 2);
    int columns = 0;
    for (int x = 0; x < img.width(); ++x)
        if (img.pixel(x, yHigh) == TimingChart::channelColour(0).rgb()) ++columns;
    EXPECT_GE(columns, 2);
    EXPECT_LE(columns, 4);
}

TEST_F(ChartPixels, TitleAndLabelsAreKeptAsHandedOver) {
    ChartGrid grid(3);
    area.chart->setChartData(grid);
    area.chart->setColumnLabels({"1022", "1023", "Trig", "1025"});
    area.chart->setTitleText("/tmp/x.txt - Timing Diagram");
    grid.at(1, 0) = 5;  // the chart holds its own copy
    EXPECT_EQ(area.chart->chartData().at(1, 0), 0.0f);
    EXPECT_EQ(area.chart->columnLabels()[2], "Trig");
    EXPECT_EQ(area.chart->titleText(), "/tmp/x.txt - Timing Diagram");
    // Something dark (the title) is drawn in the visible strip above the plot.
    const QImage img = grab();
    const int plotTop = area.chart->y() + static_cast<int>(area.chart->plotRect().top());
    int dark = 0;
    for (int y = 0; y < plotTop; ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 80) ++dark;
    EXPECT_GT(dark, 50);
}

// An annotation row under the channels, beside its label: each box starts and ends where its
// samples' columns do, in its class's colour; one over damage is hatched in red.
TEST_F(ChartPixels, AnnotationBoxesCoverTheirSamplesBesideTheirLabel) {
    decode::DecodeResult r;
    r.rows = {{"uart-1", "uart", 0, "UART: RX"}};
    r.annotations = {{10, 30, "uart-1", "uart", 0, 0, {"Data: 5A", "5A"}, false},
                     {40, 50, "uart-1", "uart", 0, 0, {"5B"}, true}};
    ShowRows(area, ChannelSetup{}, std::make_shared<const AnnotationTable>(std::move(r)));
    ChartGrid grid(63);
    area.chart->setChartData(grid);
    const QImage img = grab();
    const QLabel* label = area.annotationLabels.at(0);
    EXPECT_EQ(label->text(), "UART: RX");
    const int y = label->geometry().center().y() + 3;  // below the text's middle: the fill
    const QColor fill = TimingChart::annotationColour("uart", 0);
    std::vector<int> filled;
    const auto edgeX = [&](int sample) {  // where a sample's column begins
        return hostX(area.chart->positionX(sample + 1) - area.chart->plotRect().width() / 128);
    };
    for (int x = 0; x < edgeX(35); ++x)
        if (img.pixel(x, y) == fill.rgb()) filled.push_back(x);
    ASSERT_FALSE(filled.empty()) << "no annotation box beside the row's label";
    EXPECT_NEAR(filled.front(), edgeX(10), 2);
    EXPECT_NEAR(filled.back(), edgeX(30), 2);
    int hatched = 0;
    for (int x = edgeX(40) + 2; x < edgeX(50) - 2; ++x)
        for (int dy = -3; dy <= 3; ++dy)
            if (img.pixel(x, y + dy) == qRgb(230, 40, 40)) ++hatched;
    EXPECT_GT(hatched, 4) << "the unreliable annotation is not marked";
    // The channels keep their rows above it, shared among 17.
    EXPECT_LT(area.channelLabels[0]->geometry().bottom(), label->geometry().top() + 1);
}

}  // namespace
}  // namespace zq
