// The chart's rows from a setup, and a bus's values and their text.
#include <gtest/gtest.h>

#include "view/MeasureText.h"
#include "view/RowLayout.h"

namespace zq {
namespace {

ChartRow Ch(int c) { return {c, -1}; }
ChartRow B(int b) { return {-1, b}; }

TEST(RowLayoutTest, OrderHiddenChannelsAndBusesAboveTheirMostSignificantMember) {
    ChannelSetup s;
    EXPECT_TRUE(LayOutRows(s).isDefault());

    s.order = CompleteOrder({0, 1, 2});  // the rest follow in today's order, 15 first
    RowLayout l = LayOutRows(s);
    EXPECT_EQ(l.rows.front(), Ch(0));
    EXPECT_EQ(l.rows[3], Ch(15));
    EXPECT_FALSE(l.isDefault());

    s = {};
    s.channels[3].hidden = true;
    s.channels[8].hidden = true;
    s.buses = {{"LOW", {3, 2, 1, 0}, {}}, {"MID", {8, 7, 6}, {}}};
    l = LayOutRows(s);
    // 14 channels and 2 buses fill the 16 bands; MID sits where hidden channel 8 would be.
    ASSERT_EQ(l.rows.size(), 16u);
    EXPECT_EQ(l.pitch, 1);
    EXPECT_EQ(l.rows[7], B(1));
    EXPECT_EQ(l.rows[8], Ch(7));
    EXPECT_EQ(l.rows[12], B(0));
    EXPECT_EQ(l.rows[13], Ch(2));
    EXPECT_FALSE(l.rowOfChannel(3));
    EXPECT_EQ(l.rowOfChannel(0), 15u);

    // More rows than bands: they share the height of 16.
    s.channels[3].hidden = s.channels[8].hidden = false;
    l = LayOutRows(s);
    ASSERT_EQ(l.rows.size(), 18u);
    EXPECT_DOUBLE_EQ(l.pitch, 16.0 / 18);
    EXPECT_DOUBLE_EQ(l.bottom(17), 0);
    EXPECT_EQ(l.rowAt(15.99), 0u);
    EXPECT_EQ(l.rowAt(0.01), 17u);
    EXPECT_FALSE(l.rowAt(16.2));  // the margin above the top row

    // The decoders' rows go under all the others.
    l = LayOutRows(s, 2);
    ASSERT_EQ(l.rows.size(), 20u);
    EXPECT_EQ(l.rows[17], Ch(0));
    EXPECT_EQ(l.rows[19], (ChartRow{-1, -1, 1}));
    EXPECT_DOUBLE_EQ(l.pitch, 16.0 / 20);

    // All hidden: no rows, nothing under any point.
    s = {};
    for (auto& c : s.channels) c.hidden = true;
    EXPECT_TRUE(LayOutRows(s).rows.empty());
    EXPECT_FALSE(LayOutRows(s).rowAt(8));
}

TEST(RowLayoutTest, BusSamplesReadMembersMostSignificantFirstAndNothingWithoutAWord) {
    DecodedCapture m;
    m.words[10] = 0b1010;
    m.held.set(10);
    m.words[11] = 0b0101;
    m.held.set(11);
    const std::vector<int> bus{3, 2, 1, 0};
    EXPECT_EQ(BusSamples(m, bus, 9, 4), (std::vector<int64_t>{-1, 0xA, 0x5, -1}));
    EXPECT_EQ(BusSamples(m, std::vector<int>{0, 1, 2, 3}, 10, 1), (std::vector<int64_t>{0x5}));
    // Before and past the capture.
    EXPECT_EQ(BusSamples(m, bus, -1, 1), (std::vector<int64_t>{-1}));
    EXPECT_EQ(BusSamples(m, bus, kCaptureSamples, 2), (std::vector<int64_t>{-1, -1}));

    EXPECT_EQ(BusValueText(0xA, 4), "A");
    EXPECT_EQ(BusValueText(0x5, 9), "005");
    EXPECT_EQ(BusValueText(0xFFFF, 16), "FFFF");
    BusValue v;
    v.value = 0x2C;
    v.width = 16;
    EXPECT_EQ(BusText("COUNT", v, 8, std::nullopt), "COUNT = 2C, holds 16 samples");
    EXPECT_EQ(BusText("COUNT", v, 8, 1e6), "COUNT = 2C, holds 16.0 us");
    v.width.reset();
    v.cutByEnd = true;
    EXPECT_EQ(BusText("COUNT", v, 8, 1e6), "COUNT = 2C, past the capture's end");
}

}  // namespace
}  // namespace zq
