// The typed view: the boxes read and normalised once, and the one mark rule with the two ways
// the windows read the boxes.
#include <gtest/gtest.h>

#include "view/View.h"

namespace zq {
namespace {

TEST(ReadView, NormalisesTheBoxesOnceAndSaysWhetherToScan) {
    ViewBoxes empty;
    empty.StartPos = "";
    EXPECT_FALSE(ReadView(empty, 64, int64_t{11264}, kChartMarks));
    EXPECT_EQ(empty.StartPos, "");

    ViewBoxes noFile;
    noFile.StartPos = "2000";
    EXPECT_FALSE(ReadView(noFile, 64, std::nullopt, kChartMarks));
    EXPECT_EQ(noFile.StartPos, "1984");  // clamped even so

    ViewBoxes b;
    b.StartPos = "12a4";
    b.DataLen = "3000";
    const auto v = ReadView(b, 3000, int64_t{11264}, kChartMarks);
    ASSERT_TRUE(v);
    EXPECT_EQ(b.StartPos, "0");
    EXPECT_EQ(b.DataLen, "2048");
    EXPECT_EQ(v->start(), 0);
    EXPECT_EQ(v->window.windowEnd, 3000);  // the length the pass began with
    EXPECT_EQ(v->window.dataLen, 2048);

    ViewBoxes shortFile;
    shortFile.StartPos = "500";
    const auto s = ReadView(shortFile, 64, int64_t{100}, kChartMarks);
    ASSERT_TRUE(s);
    EXPECT_EQ(shortFile.StartPos, "98");
    EXPECT_EQ(shortFile.DataLen, "2");
    EXPECT_EQ(s->window.windowEnd, 98 + 64);
}

struct MarkCase {
    const char* trigEvery;
    const char* zeroEvery;
    const char* cursorA;
    const char* cursorB;
    int64_t sample;
    uint8_t chart, listing;
};

TEST(MarkRule, ChartAndListingDifferOnlyWhereTheyAlwaysHave) {
    const MarkCase cases[] = {
        {"16", "16", "1008", "1040", 1024, kMarkTrig | kMarkTrigCentric | kMarkZeroCentric,
         kMarkTrig | kMarkTrigCentric | kMarkZeroCentric},
        {"16", "10", "1008", "1040", 1040, kMarkTrigCentric | kMarkZeroCentric | kMarkCursor,
         kMarkTrigCentric | kMarkZeroCentric | kMarkCursor},
        {"0", "abc", "x", "5", 0, 0, kMarkCursor},               // a cursor that is no number
        {"2.5", "-5", "1008.00001", "9", 1008, kMarkCursor, 0},  // single precision
        {"2.5", "-5", "1", "9", 1029, kMarkTrigCentric, kMarkTrigCentric},  // 5 / 2.5
        {"7", "-3", "1", "9", 999, kMarkZeroCentric, kMarkZeroCentric},
    };
    for (const MarkCase& c : cases) {
        ViewBoxes b;
        b.MarkTrigcentricCheck = b.MarkZerocentricCheck = Checked;
        b.TrigCentricVal = c.trigEvery;
        b.ZeroCentricVal = c.zeroEvery;
        b.MarkCursorA = c.cursorA;
        b.MarkCursorB = c.cursorB;
        EXPECT_EQ(MarkRule(b, kChartMarks).at(c.sample), c.chart) << c.cursorA << " " << c.sample;
        EXPECT_EQ(MarkRule(b, kListingMarks).at(c.sample), c.listing)
            << c.cursorA << " " << c.sample;
    }
}

TEST(MarkRule, UncheckedMarksAndTheCursorCaption) {
    ViewBoxes b;
    b.MarkTrigCheck = b.MarkCursorsCheck = Unchecked;
    b.MarkTrigcentricCheck = Greyed;  // greyed counts as checked
    EXPECT_EQ(MarkRule(b, kChartMarks).at(1024), kMarkTrigCentric);
    EXPECT_EQ(MarkRule(b, kChartMarks).at(1000), 0);

    b.MarkCursorA = "1040";
    b.MarkCursorB = "1008.5";
    EXPECT_EQ(MarkRule(b, kChartMarks).cursorDiff(), "Cursor Diff = 31.5");
    b.MarkCursorB = "none";
    EXPECT_FALSE(MarkRule(b, kChartMarks).cursorDiff());
    EXPECT_EQ(MarkRule(b, kListingMarks).cursorDiff(), "Cursor Diff = 1040");
}

}  // namespace
}  // namespace zq
