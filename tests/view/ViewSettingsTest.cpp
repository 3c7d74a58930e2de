#include "view/ViewSettings.h"

#include <gtest/gtest.h>

namespace zq {
namespace {

struct WindowCase {
    const char* start;
    const char* length;
    const char* wantStart;
    const char* wantLength;
};

TEST(ClampWindow, NormalisesStartAndLength) {
    const WindowCase cases[] = {
        {"1008", "64", "1008", "64"},   {"12a4", "64", "1204", "64"},
        {"-5", "64", "05", "64"},       {"2046", "64", "2045", "2"},
        {"2046", "5", "2045", "2"},     {"2000", "64", "1984", "64"},
        {"1008", "1", "1008", "2"},     {"1008", "3000", "0", "2048"},
        {"0", "2048", "0", "2048"},     {"1983", "64", "1983", "64"},
        {"1984", "64", "1984", "64"},   {"1985", "64", "1984", "64"},
        {"2045", "2", "2045", "2"},     {"1008", "-7", "1008", "2"},
        {"1008", "abc", "1008", "2"},   {"1008", "", "1008", "2"},
        {"1008", "12.5", "1008", "12"}, {"1008", "13.5", "1008", "14"},
        {"99999999999999999999", "64", "2045", "2"}, {"--", "64", "00", "64"},
    };
    for (const WindowCase& c : cases) {
        std::string start = c.start, length = c.length;
        ASSERT_TRUE(NormaliseStartText(start)) << c.start;
        ClampWindow(start, length);
        EXPECT_EQ(start, c.wantStart) << c.start << "/" << c.length;
        EXPECT_EQ(length, c.wantLength) << c.start << "/" << c.length;
    }
}

TEST(ClampWindow, EmptyStartDrawsNothing) {
    std::string start;
    EXPECT_FALSE(NormaliseStartText(start));
    EXPECT_EQ(start, "");
}

TEST(ClampToFileLength, StartBeyondTheFile) {
    std::string start = "1008", length = "64";
    ClampToFileLength(start, length, 100);
    EXPECT_EQ(start, "98");
    EXPECT_EQ(length, "2");

    start = "90", length = "64";
    ClampToFileLength(start, length, 100);
    EXPECT_EQ(start, "90");
    EXPECT_EQ(length, "64");

    // A file of one byte or none has no room for a window; the start stays at 0.
    for (int64_t tiny : {0, 1}) {
        start = "5", length = "64";
        ClampToFileLength(start, length, tiny);
        EXPECT_EQ(start, "0");
        EXPECT_EQ(length, "2");
    }
}

TEST(GridLength, TakenBeforeNormalisation) {
    EXPECT_EQ(GridLengthFromText("1"), 1);
    EXPECT_EQ(GridLengthFromText("3000"), 3000);
    EXPECT_EQ(GridLengthFromText("0"), 0);
    EXPECT_EQ(GridLengthFromText("-5"), 0);   // a negative length cannot size a grid
    EXPECT_EQ(GridLengthFromText("zz"), 0);
    EXPECT_EQ(GridLengthFromText("99999"), 32767);
}

TEST(SavedView, StoreAndRestoreRoundTrip) {
    ViewBoxes b;
    b.StartPos = "1500";
    b.DataLen = "32";
    b.TrigCentricVal = "100";
    b.ZeroCentricVal = "12.5";
    b.MarkCursorA = "40000";
    b.MarkCursorB = "x";
    b.MarkTrigCheck = Unchecked;
    b.MarkTrigcentricCheck = Checked;
    b.MarkZerocentricCheck = Greyed;
    b.MarkCursorsCheck = Checked;
    const SavedView v = StoreView(b);
    EXPECT_EQ(v.StartPos, 1500);
    EXPECT_EQ(v.DataLen, 32);
    EXPECT_EQ(v.TrigCentricVal, 100);
    EXPECT_EQ(v.ZeroCentricVal, 12);
    EXPECT_EQ(v.MarkCursorA, 32767);
    EXPECT_EQ(v.MarkCursorB, 0);
    EXPECT_EQ(v.MarkTrig, 0);
    EXPECT_EQ(v.MarkTrigcentric, 1);
    EXPECT_EQ(v.MarkZerocentric, 2);
    EXPECT_EQ(v.MarkCursors, 1);

    const ViewBoxes r = RestoreView(v);
    EXPECT_EQ(r.StartPos, "1500");
    EXPECT_EQ(r.ZeroCentricVal, "12");
    EXPECT_EQ(r.MarkCursorA, "32767");
    EXPECT_EQ(r.MarkCursorB, "0");
    EXPECT_EQ(r.MarkZerocentricCheck, Greyed);
    EXPECT_EQ(StoreView(r), v);

    // Never written: every value reads as 0.
    const ViewBoxes zero = RestoreView(SavedView{});
    EXPECT_EQ(zero.StartPos, "0");
    EXPECT_EQ(zero.MarkTrigCheck, Unchecked);
}

}  // namespace
}  // namespace zq
