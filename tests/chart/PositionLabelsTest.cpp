#include <gtest/gtest.h>

#include "chart/PositionLabels.h"

namespace zq {
namespace {

// Positions are 1-based: element i - 1 is position i.
const std::string& At(const std::vector<std::string>& l, int position) {
    return l.at(static_cast<size_t>(position - 1));
}

TEST(PositionLabels, EverySampleUpTo32) {
    const auto l = PositionLabels("1008", "32", 32);
    ASSERT_EQ(l.size(), 33u);
    EXPECT_EQ(At(l, 1), "1008");
    EXPECT_EQ(At(l, 16), "1023");
    EXPECT_EQ(At(l, 17), "Trig");  // replaces "1024"
    EXPECT_EQ(At(l, 18), "1025");
    EXPECT_EQ(At(l, 33), "1040");
}

TEST(PositionLabels, EveryFourthUpTo64) {
    for (const char* len : {"33", "64"}) {
        const int grid = std::stoi(len);
        const auto l = PositionLabels("1008", len, grid);
        ASSERT_EQ(l.size(), static_cast<size_t>(grid + 1));
        for (int i = 1; i <= grid + 1; ++i) {
            if (i == 17)
                EXPECT_EQ(At(l, i), "Trig");
            else if (i % 4 == 0)
                EXPECT_EQ(At(l, i), std::to_string(1008 + i - 1)) << len << " " << i;
            else
                EXPECT_EQ(At(l, i), "") << len << " " << i;
        }
    }
}

TEST(PositionLabels, OnlyTrigBeyond64) {
    const auto l = PositionLabels("1008", "65", 65);
    for (int i = 1; i <= 66; ++i) EXPECT_EQ(At(l, i), i == 17 ? "Trig" : "") << i;
}

TEST(PositionLabels, TriggerBounds) {
    struct Case {
        const char* start;
        const char* length;
        int trigPosition;  // 0: none
    } cases[] = {
        {"1000", "24", 25}, {"1000", "23", 0},   {"1025", "64", 0},
        {"1024", "64", 1},  {"0", "2048", 1025}, {"1984", "64", 0},
    };
    for (const Case& c : cases) {
        const int grid = std::stoi(c.length);
        const auto l = PositionLabels(c.start, c.length, grid);
        int found = 0;
        for (int i = 1; i <= grid + 1; ++i)
            if (At(l, i) == "Trig") found = i;
        EXPECT_EQ(found, c.trigPosition) << c.start << "/" << c.length;
    }
}

TEST(PositionLabels, StartUpDefaultsOverThe128SamplePattern) {
    // At start-up the labels come from the default texts while the grid holds 129 samples.
    const auto l = PositionLabels("1008", "64", 128);
    ASSERT_EQ(l.size(), 129u);
    EXPECT_EQ(At(l, 4), "1011");
    EXPECT_EQ(At(l, 128), "1135");
    EXPECT_EQ(At(l, 17), "Trig");
    EXPECT_EQ(At(l, 65), "");
}

TEST(PositionLabels, TriggerBeyondAShortGridIsSkipped) {
    // A length typed as "1" sizes a two-sample grid while the box already says 2.
    const auto l = PositionLabels("1022", "2", 1);
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(At(l, 1), "1022");
    EXPECT_EQ(At(l, 2), "1023");
}

}  // namespace
}  // namespace zq
