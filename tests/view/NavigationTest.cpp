#include <gtest/gtest.h>

#include "view/Navigation.h"

namespace zq {
namespace {

enum class Click { Inc, Dec, Go };

struct NavCase {
    const char* name;
    Click click;
    const char* start;
    const char* len;
    const char* wantStart;
    const char* wantLen;
    bool redraw;
};

class NavigationTest : public ::testing::TestWithParam<NavCase> {};

TEST_P(NavigationTest, AdjustsTextsAndAsksForRedraw) {
    const NavCase& c = GetParam();
    ViewBoxes b;
    b.StartPos = c.start;
    b.DataLen = c.len;
    const bool redraw = c.click == Click::Inc   ? IncStartClick(b)
                        : c.click == Click::Dec ? DecStartClick(b)
                                                : UpdateClick(b);
    EXPECT_EQ(b.StartPos, c.wantStart);
    EXPECT_EQ(b.DataLen, c.wantLen);
    EXPECT_EQ(redraw, c.redraw);
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, NavigationTest,
    ::testing::Values(
        NavCase{"ForwardQuarter", Click::Inc, "1008", "64", "1024", "64", true},
        NavCase{"BackQuarter", Click::Dec, "1008", "64", "992", "64", true},
        NavCase{"ForwardBoundedAt2045", Click::Inc, "2040", "64", "2045", "64", true},
        NavCase{"BackBoundedAt0", Click::Dec, "5", "64", "0", "64", true},
        NavCase{"ForwardLength1Becomes2StepsBy1", Click::Inc, "1008", "1", "1009", "2", true},
        NavCase{"BackLength1Becomes3StepsBy1", Click::Dec, "1008", "1", "1007", "3", true},
        NavCase{"GoLength1Becomes3", Click::Go, "1008", "1", "1008", "3", true},
        NavCase{"Length6StepsBy1", Click::Inc, "100", "6", "101", "6", true},
        NavCase{"Length7StepsBy1", Click::Dec, "100", "7", "99", "7", true},
        NavCase{"Length8StepsBy2", Click::Inc, "100", "8", "102", "8", true},
        NavCase{"Length12StepsBy3", Click::Dec, "100", "12", "97", "12", true},
        NavCase{"Length32StepsBy8", Click::Inc, "100", "32", "108", "32", true},
        NavCase{"GoEmptyStartDrawsNothing", Click::Go, "", "1", "", "3", false},
        NavCase{"GoStartAbove2044", Click::Go, "2046", "64", "2045", "64", true},
        NavCase{"GoStart2044Stays", Click::Go, "2044", "64", "2044", "64", true},
        NavCase{"GoNegativeStart", Click::Go, "-7", "64", "0", "64", true},
        // Bad input ends in range: what is no number reads as 0.
        NavCase{"GoLettersStart", Click::Go, "abc", "64", "0", "64", true},
        NavCase{"GoLettersLength", Click::Go, "10", "xy", "10", "3", true},
        NavCase{"ForwardLettersStart", Click::Inc, "abc", "64", "16", "64", true},
        NavCase{"ForwardEmptyStart", Click::Inc, "", "64", "16", "64", true},
        NavCase{"ForwardEmptyLength", Click::Inc, "100", "", "101", "2", true},
        NavCase{"BackEmptyStart", Click::Dec, "", "64", "0", "64", true},
        NavCase{"BackNegativeLength", Click::Dec, "100", "-40", "99", "3", true},
        NavCase{"ForwardFractionStartRounds", Click::Inc, "12.5", "64", "28", "64", true},
        NavCase{"BackFractionLength", Click::Dec, "100", "9.9", "98", "9.9", true},
        NavCase{"ForwardHugeStart", Click::Inc, "99999999999999999999999", "64", "2045", "64",
                true},
        NavCase{"BackHugeNegativeStart", Click::Dec, "-99999999999999999999999", "64", "0", "64",
                true},
        NavCase{"ForwardHugeLength", Click::Inc, "0", "99999999999999999999999", "2045",
                "99999999999999999999999", true}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zq
