// The rules of the chart's gestures, in samples.

#include <gtest/gtest.h>

#include "view/Navigation.h"
#include "view/ViewEdits.h"
#include "view/ViewGestures.h"
#include "view/ViewSettings.h"
#include "view/ViewValues.h"

namespace zq {
namespace {

TEST(ViewGestures, WindowsStayWithinWhatGoLeavesAlone) {
    struct Row {
        int64_t start, length;
        SampleWindow expected;
    } rows[] = {
        {1008, 64, {1008, 64}}, {-50, 64, {0, 64}},     {2040, 64, {1984, 64}},
        {0, 1, {0, 3}},         {0, 9999, {0, 2048}},   {2045, 2, {2045, 3}},
        {2046, 3, {2045, 3}},   {100, 2047, {1, 2047}}, {INT32_MAX, INT32_MIN, {2045, 3}},
    };
    for (const Row& r : rows) {
        const SampleWindow w = ClampedWindow(r.start, r.length);
        EXPECT_EQ(w, r.expected) << r.start << "," << r.length;
        // Typing the window and clicking "Go !" draws it unchanged.
        ViewBoxes b;
        b.StartPos = std::to_string(w.start);
        b.DataLen = std::to_string(w.length);
        ASSERT_TRUE(UpdateClick(b));
        ClampWindow(b.StartPos, b.DataLen);
        EXPECT_EQ(b.StartPos, std::to_string(w.start));
        EXPECT_EQ(b.DataLen, std::to_string(w.length));
    }
}

TEST(ViewGestures, ZoomKeepsTheAnchorUnderThePointer) {
    struct Row {
        SampleWindow shown;
        int32_t anchor;
        double fraction;
        int steps;
        SampleWindow expected;
    } rows[] = {
        {{1008, 64}, 1024, 16.5 / 65, 1, {1016, 32}},   // in, anchor keeps its place
        {{1008, 64}, 1024, 16.5 / 65, -1, {992, 128}},  // out
        {{1008, 64}, 1040, 0.5, 2, {1032, 16}},         // two notches at once
        {{0, 64}, 2, 0.05, -1, {0, 128}},               // out at the capture's start
        {{1984, 64}, 2040, 0.9, -1, {1920, 128}},       // out at its end
        {{1000, 4}, 1002, 0.5, 1, {1000, 3}},           // in stops at 3
        {{0, 2048}, 1024, 0.5, -1, {0, 2048}},          // out stops at the whole capture
        {{0, 2048}, 1024, 0.5, 1, {512, 1024}},
    };
    for (const Row& r : rows) {
        const SampleWindow w = ZoomWindow(r.shown, r.anchor, r.fraction, r.steps);
        EXPECT_EQ(w, r.expected) << r.shown.start << "+" << r.shown.length << " @" << r.anchor;
        if (w.start > 0 && w.start + w.length < 2047 && w.length != r.shown.length) {
            EXPECT_EQ(PositionAt(r.fraction * 1000, 1000, w.length + 1).value() + w.start,
                      r.anchor);
        }
    }
}

TEST(ViewGestures, PointsPanRangesAndShownSamples) {
    // PositionAt: x, width, positions.
    EXPECT_EQ(PositionAt(9.99, 650, 65), 0);
    EXPECT_EQ(PositionAt(649.9, 650, 65), 64);
    EXPECT_EQ(PositionAt(650, 650, 65), std::nullopt);

    struct Pan {
        double dx;
        SampleWindow expected;
    } pans[] = {{0, {1008, 64}},   {100, {998, 64}}, {-100, {1018, 64}},
                {4.9, {1008, 64}}, {1e6, {0, 64}},   {-1e6, {1984, 64}}};
    for (const Pan& p : pans) EXPECT_EQ(PanWindow({1008, 64}, p.dx, 650), p.expected) << p.dx;

    EXPECT_EQ(RangeWindow(1100, 1000), (SampleWindow{1000, 100}));
    EXPECT_EQ(RangeWindow(500, 501), (SampleWindow{500, 3}));
    EXPECT_EQ(WindowShowing({1008, 64}, 1072), (SampleWindow{1008, 64}));
    EXPECT_EQ(WindowShowing({1008, 64}, 1073), (SampleWindow{1041, 64}));
    EXPECT_EQ(WindowShowing({1008, 64}, 3), (SampleWindow{0, 64}));
}

TEST(ViewGestures, EdgesOfAChannelFromCursorAOrTheWindow) {
    DecodedCapture c;
    for (int32_t s = 0; s < kCaptureSamples; ++s) {
        c.held.set(static_cast<size_t>(s));
        // Channel 3 high on 100..199 and 300..; channel 0 toggles every sample.
        const bool ch3 = (s >= 100 && s < 200) || s >= 300;
        c.words[static_cast<size_t>(s)] = static_cast<uint16_t>((ch3 ? 8 : 0) | (s & 1));
    }
    c.held.reset(300);  // no word: no edge into or out of it
    struct Row {
        int channel;
        SampleWindow shown;
        std::optional<int32_t> cursorA;
        int direction;
        std::optional<int32_t> expected;
    } rows[] = {
        {3, {0, 64}, 10, 1, 100},             // from cursor A
        {3, {0, 64}, std::nullopt, 1, 100},   // from the window's start
        {3, {150, 64}, 1008, 1, 200},         // cursor A not shown: from the window
        {3, {150, 64}, 1008, -1, 200},        // backwards from the window's end
        {3, {0, 300}, 200, 1, std::nullopt},  // 300 has no word
        {3, {1900, 64}, 2000, -1, 200},       // on past the sample without a word
        {3, {64, 64}, 100, 1, 200},           // an edge at cursor A is passed
        {0, {2000, 47}, 2046, 1, 2047},       // the last sample
        {0, {2000, 47}, 2047, 1, std::nullopt},
        {16, {0, 64}, 10, 1, std::nullopt},  // no such channel
    };
    for (const Row& r : rows)
        EXPECT_EQ(FindEdge(c, r.channel, r.shown, r.cursorA, r.direction), r.expected)
            << "channel " << r.channel << " from " << r.cursorA.value_or(-1);
}

TEST(ViewGestures, ReadoutOfASample) {
    DecodedCapture c;
    c.held.set(1030);
    c.words[1030] = 0x1A2B;
    c.unreliable.set(1031);
    struct Row {
        const DecodedCapture* capture;
        int32_t sample;
        int channel;
        const char* expected;
    } rows[] = {
        {&c, 1030, 0, "Sample 1030 (Trig +6)   Word 1A2B   Channel 0: 1"},
        {&c, 1030, 2, "Sample 1030 (Trig +6)   Word 1A2B   Channel 2: 0"},
        {&c, 1031, 0, "Sample 1031 (Trig +7)   no word   unreliable"},
        {&c, 1024, 3, "Sample 1024 at Trig   no word"},
        {&c, 2048, 3, "Sample 2048 (Trig +1024)   beyond the capture"},
        {nullptr, 1000, 15, "Sample 1000 (Trig -24)   Channel 15"},
    };
    for (const Row& r : rows) EXPECT_EQ(HoverReadout(r.capture, r.sample, r.channel), r.expected);
}

TEST(ViewGestures, RoundSteps) {
    const std::pair<double, int64_t> rows[] = {{-3, 1},   {0.2, 1},   {1, 1},      {1.01, 2},
                                               {2.5, 5},  {7, 10},    {11, 20},    {49.9, 50},
                                               {51, 100}, {101, 200}, {4000, 5000}};
    for (const auto& [minimum, step] : rows) EXPECT_EQ(RoundStep(minimum), step) << minimum;
}

// The view as numbers: what each box reads as, "not a number" and switched-off marks as none.
TEST(ViewValues, ReadTheBoxesAsTheWindowsDo) {
    ViewBoxes b;
    EXPECT_EQ(ReadValues(b), ViewValues{});
    b.StartPos = "12";
    b.DataLen = "100";
    b.MarkTrigcentricCheck = Checked;
    b.TrigCentricVal = "2.5";
    b.MarkZerocentricCheck = Greyed;
    b.ZeroCentricVal = "0";
    b.MarkCursorA = "x";
    b.MarkCursorB = "12.5";
    ViewValues v = ReadValues(b);
    EXPECT_EQ(v.start, 12);
    EXPECT_EQ(v.length, 100);
    EXPECT_EQ(v.trigInterval, 2.5);
    EXPECT_EQ(v.zeroInterval, std::nullopt);  // 0 switches its marks off
    EXPECT_EQ(v.zeroCentricCheck, Greyed);
    EXPECT_EQ(v.cursorA, std::nullopt);
    EXPECT_EQ(v.cursorB, 12.5);
    b.MarkCursorsCheck = Unchecked;
    EXPECT_EQ(ReadValues(b).cursorB, std::nullopt);
}

// A gesture placing a cursor shows the cursors unless the box is greyed (restored, never
// clicked), and reads cursor A as its box does.
TEST(ViewEdits, CursorsFollowTheBoxReading) {
    for (const auto& [before, after] :
         {std::pair<uint8_t, uint8_t>{Unchecked, Checked}, {Checked, Checked}, {Greyed, Greyed}}) {
        ViewBoxes b;
        b.MarkCursorsCheck = before;
        SetCursor(b, 1, 1500);
        EXPECT_EQ(b.MarkCursorB, "1500");
        EXPECT_EQ(b.MarkCursorsCheck, after);
    }
    ViewBoxes b;
    for (const auto& [text, value] : {std::pair<const char*, std::optional<int32_t>>{"x", {}},
                                      {"12.5", 12},
                                      {"13.5", 14},
                                      {"-3", -3}}) {
        b.MarkCursorA = text;
        EXPECT_EQ(CursorA(b), value) << text;
    }
}

}  // namespace
}  // namespace zq
