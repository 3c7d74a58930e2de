#include <gtest/gtest.h>

#include "chart/ChartData.h"
#include "support/CaptureText.h"

namespace zq {
namespace {

using test::CaptureText;
using test::CounterWords;

CalcDataResult Pass(ViewBoxes& boxes, const std::string& bytes) {
    const DecodedCapture model = DecodeCapture(bytes);
    return CalcDataPass(boxes, &model);
}

// The level a channel trace must have for a bit of a word.
float Level(int channel, bool high) {
    return static_cast<float>(channel) + 0.1f + (high ? 0.8f : 0.0f);
}

TEST(ChartData, ChannelTracesFollowTheWordsBits) {
    auto words = CounterWords();
    words[1008] = 0x8000;
    words[1009] = 0x0001;
    ViewBoxes boxes;
    const auto r = Pass(boxes, CaptureText(words));
    ASSERT_TRUE(r.drawn);
    EXPECT_FLOAT_EQ(r.grid.at(4, 0), 15.9f);
    EXPECT_FLOAT_EQ(r.grid.at(1, 0), 12.1f);
    EXPECT_FLOAT_EQ(r.grid.at(2, 0), 13.1f);
    EXPECT_FLOAT_EQ(r.grid.at(3, 0), 14.1f);
    EXPECT_FLOAT_EQ(r.grid.at(13, 0), 0.1f);
    EXPECT_FLOAT_EQ(r.grid.at(13, 1), 0.9f);
    // Every sample of the window, every channel.
    for (int s = 0; s <= 64; ++s)
        for (int c = 0; c < 16; ++c)
            EXPECT_FLOAT_EQ(r.grid.at(TraceOfChannel(c), s), Level(c, (words[1008 + s] >> c) & 1))
                << s << " " << c;
    for (int s = 0; s <= 64; ++s) EXPECT_EQ(r.grid.at(0, s), 0.0f);
}

TEST(ChartData, TraceToChannelTable) {
    const int channel[17] = {0, 12, 13, 14, 15, 8, 9, 10, 11, 4, 5, 6, 7, 0, 1, 2, 3};
    for (int t = 1; t <= 16; ++t) {
        EXPECT_EQ(ChannelOfTrace(t), channel[t]);
        EXPECT_EQ(TraceOfChannel(channel[t]), t);
    }
}

std::vector<int> MarkedSamples(const CalcDataResult& r, int trace, int start) {
    std::vector<int> out;
    for (int s = 0; s <= r.grid.GridLength(); ++s)
        if (r.grid.at(trace, s) == kMarkLevel) out.push_back(start + s);
    return out;
}

TEST(ChartData, MarksInTheDefaultWindow) {
    ViewBoxes boxes;
    boxes.MarkZerocentricCheck = Checked;
    boxes.MarkTrigcentricCheck = Checked;
    const auto r = Pass(boxes, CaptureText());
    const std::vector<int> sixteens = {1008, 1024, 1040, 1056, 1072};
    EXPECT_EQ(MarkedSamples(r, kZeroCentricTrace, 1008), sixteens);
    EXPECT_EQ(MarkedSamples(r, kTrigCentricTrace, 1008), sixteens);
    EXPECT_EQ(MarkedSamples(r, kTrigTrace, 1008), std::vector<int>{1024});
    EXPECT_EQ(MarkedSamples(r, kCursorTrace, 1008), (std::vector<int>{1008, 1040}));
    EXPECT_EQ(r.cursorDiff, "Cursor Diff = 32");

    boxes = ViewBoxes{};
    boxes.StartPos = "900";
    boxes.DataLen = "300";
    boxes.ZeroCentricVal = "100";
    boxes.TrigCentricVal = "100";
    boxes.MarkZerocentricCheck = Checked;
    boxes.MarkTrigcentricCheck = Checked;
    boxes.MarkTrigCheck = Unchecked;
    const auto r2 = Pass(boxes, CaptureText());
    EXPECT_EQ(MarkedSamples(r2, kZeroCentricTrace, 900), (std::vector<int>{900, 1000, 1100, 1200}));
    EXPECT_EQ(MarkedSamples(r2, kTrigCentricTrace, 900), (std::vector<int>{924, 1024, 1124}));
    EXPECT_TRUE(MarkedSamples(r2, kTrigTrace, 900).empty());
}

TEST(ChartData, UnusableIntervalsAndCursorsMarkNothing) {
    for (const char* interval : {"0", "", "abc", "-0"}) {
        ViewBoxes boxes;
        boxes.ZeroCentricVal = interval;
        boxes.TrigCentricVal = interval;
        boxes.MarkZerocentricCheck = Checked;
        boxes.MarkTrigcentricCheck = Checked;
        boxes.MarkCursorA = "x";
        const auto r = Pass(boxes, CaptureText());
        EXPECT_TRUE(MarkedSamples(r, kZeroCentricTrace, 1008).empty()) << interval;
        EXPECT_TRUE(MarkedSamples(r, kTrigCentricTrace, 1008).empty()) << interval;
        // Cursor B still marks; with A not a number there is no distance to show.
        EXPECT_EQ(MarkedSamples(r, kCursorTrace, 1008), std::vector<int>{1040});
        EXPECT_FALSE(r.cursorDiff.has_value());
    }
}

TEST(ChartData, CursorCaption) {
    struct Case {
        const char* a;
        const char* b;
        std::optional<std::string> caption;
    } cases[] = {
        {"1008", "1040", "Cursor Diff = 32"},
        {"1040", "1040", "Cursor Diff = 0"},
        {"1500", "1040", "Cursor Diff = 460"},  // A outside the window: B still writes it
        {"1500", "1600", std::nullopt},         // neither met: the caption keeps its text
    };
    for (const Case& c : cases) {
        ViewBoxes boxes;
        boxes.MarkCursorA = c.a;
        boxes.MarkCursorB = c.b;
        EXPECT_EQ(Pass(boxes, CaptureText()).cursorDiff, c.caption) << c.a << " " << c.b;
    }
    ViewBoxes off;
    off.MarkCursorsCheck = Unchecked;
    const auto r = Pass(off, CaptureText());
    EXPECT_FALSE(r.cursorDiff.has_value());
    EXPECT_TRUE(MarkedSamples(r, kCursorTrace, 1008).empty());
}

TEST(ChartData, DamagedLineIsHighlightedWithTheTriggerOnTop) {
    auto text = CaptureText();
    text.erase(test::LineOffset(text, 0x400) + 7, 1);  // 63 digits
    ViewBoxes boxes;
    const auto r = Pass(boxes, text);
    for (int s = 0; s <= 64; ++s) {
        const int a = 1008 + s;
        const float want = a == 1024 ? kMarkLevel : (a > 1024 && a <= 1039 ? kHighlightLevel : 0);
        EXPECT_EQ(r.grid.at(kTrigTrace, s), want) << a;
    }
    // The short line's last sample got no complete word: its traces keep what arrived.
    EXPECT_NE(r.report.find("Character count of that line is 63"), std::string::npos);

    boxes = ViewBoxes{};
    boxes.MarkTrigCheck = Unchecked;
    const auto r2 = Pass(boxes, text);
    EXPECT_EQ(r2.grid.at(kTrigTrace, 1024 - 1008), kHighlightLevel);
}

TEST(ChartData, NormalisationAndGridSize) {
    struct Case {
        const char* start;
        const char* length;
        const char* wantStart;
        const char* wantLength;
        int grid;
    } cases[] = {
        {"1008", "1", "1008", "2", 1},   {"1008", "3000", "0", "2048", 3000},
        {"2046", "64", "2045", "2", 64}, {"12a4", "64", "1204", "64", 64},
        {"1008", "-5", "1008", "2", 0},
    };
    for (const Case& c : cases) {
        ViewBoxes boxes;
        boxes.StartPos = c.start;
        boxes.DataLen = c.length;
        const auto r = Pass(boxes, CaptureText());
        EXPECT_EQ(boxes.StartPos, c.wantStart) << c.start;
        EXPECT_EQ(boxes.DataLen, c.wantLength) << c.length;
        EXPECT_EQ(r.grid.GridLength(), c.grid) << c.length;
        ASSERT_TRUE(r.savedView.has_value());
        EXPECT_EQ(r.savedView->StartPos, std::stoi(c.wantStart));
    }
    // The 3000-sample grid keeps samples above 2047 at 0.
    ViewBoxes boxes;
    boxes.DataLen = "3000";
    const auto r = Pass(boxes, CaptureText());
    EXPECT_NE(r.grid.at(1, 2047), 0.0f);
    EXPECT_EQ(r.grid.at(1, 2048), 0.0f);
    EXPECT_EQ(r.grid.at(16, 3000), 0.0f);
    EXPECT_EQ(r.report, "");
}

TEST(ChartData, NothingDrawnWithoutFileStartOrCapture) {
    ViewBoxes boxes;
    boxes.StartPos = "";
    auto r = Pass(boxes, CaptureText());
    EXPECT_FALSE(r.drawn);
    EXPECT_FALSE(r.savedView.has_value());
    EXPECT_EQ(boxes.StartPos, "");

    ViewBoxes noFile;
    noFile.StartPos = "-5";
    noFile.DataLen = "9999";
    r = CalcDataPass(noFile, nullptr);
    EXPECT_FALSE(r.drawn);
    EXPECT_FALSE(r.savedView.has_value());
    EXPECT_EQ(noFile.StartPos, "0");
    EXPECT_EQ(noFile.DataLen, "2048");

    ViewBoxes noS;
    r = Pass(noS, "0000 FFFF\r\n");
    EXPECT_FALSE(r.drawn);
    // No capture: the boxes are not clamped to its 11 bytes and nothing is stored, so the
    // next file loaded gets the window the user chose.
    EXPECT_TRUE(r.noCapture);
    EXPECT_FALSE(r.savedView.has_value());
    EXPECT_EQ(noS, ViewBoxes{});
}

TEST(ChartData, PrematureEndDrawsWhatWasRead) {
    ViewBoxes boxes;
    const auto text = CaptureText(CounterWords(), 0, 64);  // lines up to 0400
    const auto r = Pass(boxes, text);
    EXPECT_EQ(r.report,
              "Premature End of data at text line Hex address 0400\r\n\r\n"
              "Last Decimal address was 1040\r\n\r\n"
              "the file ends after 65 lines, 128 expected\r\n");
    EXPECT_NE(r.grid.at(1, 1039 - 1008), 0.0f);
    EXPECT_EQ(r.grid.at(1, 1040 - 1008), 0.0f);
}

TEST(ChartData, StartupPattern) {
    const ChartGrid g = StartupPattern();
    ASSERT_EQ(g.GridLength(), 128);
    for (int s = 0; s <= 128; ++s) {
        for (int c = 0; c < 16; ++c) {
            const bool high = (s >> (c % 8)) & 1;
            EXPECT_FLOAT_EQ(g.at(c + 1, s), Level(c, high)) << s << " " << c;
        }
        for (int t : {0, 17, 19, 20}) EXPECT_EQ(g.at(t, s), 0.0f);
        EXPECT_EQ(g.at(kTrigTrace, s), s == 64 ? 16.0f : 0.0f);
    }
    // Sample 128 is the only one with channels 7 and 15 high.
    EXPECT_FLOAT_EQ(g.at(8, 128), 7.9f);
    EXPECT_FLOAT_EQ(g.at(16, 128), 15.9f);
    EXPECT_FLOAT_EQ(g.at(8, 127), 7.1f);
}

}  // namespace
}  // namespace zq
