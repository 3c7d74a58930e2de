// Pulse, bus and channel measurements over small synthetic models and one example capture.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <vector>

#include "view/Measure.h"
#include "view/MeasureText.h"

namespace zq {
namespace {

// Channel 0: a clock of period 8, high over samples 0..3, 8..11, ...
// Channel 1: low, with one-sample glitches at 100 and 110.
// Channel 2: low, high over the last eight samples.
// Channel 3: high over 10..11, 20..21, 40..44: periods of 10 and 20, a longer last pulse.
// Channels 4 and 5: a two-bit counter stepping every 16 samples.
// Damaged: sample 500 marked unreliable (its word still held) and sample 1000 missing.
DecodedCapture Synthetic(bool damaged) {
    DecodedCapture m;
    for (int32_t i = 0; i < kCaptureSamples; ++i) {
        unsigned w = (i / 4) % 2 == 0 ? 1u : 0u;
        if (i == 100 || i == 110) w |= 2u;
        if (i >= 2040) w |= 4u;
        if ((i >= 10 && i <= 11) || (i >= 20 && i <= 21) || (i >= 40 && i <= 44)) w |= 8u;
        w |= static_cast<unsigned>((i / 16) % 4) << 4;
        m.words[static_cast<size_t>(i)] = static_cast<uint16_t>(w);
    }
    m.held.set();
    if (damaged) {
        m.unreliable.set(500);
        m.unreliable.set(1000);
        m.held.reset(1000);
        m.words[1000] = 0;
    }
    return m;
}

struct PulseCase {
    int channel;
    int32_t sample;
    int level;
    int32_t first, last;
    bool cutByStart, cutByEnd, touchesDamage;
    std::optional<int32_t> width, period;
    std::optional<double> duty;
};

TEST(PulseAt, RunWidthPeriodAndDutyOnlyWhereBothEdgesAreKnown) {
    const auto none = std::nullopt;
    const PulseCase cases[] = {
        {0, 10, 1, 8, 11, false, false, false, 4, 8, 0.5},
        {0, 13, 0, 12, 15, false, false, false, 4, 8, 0.5},
        {0, 1, 1, 0, 3, true, false, false, none, none, none},           // capture's start
        {0, 2046, 0, 2044, 2047, false, true, false, none, none, none},  // capture's end
        {0, 2042, 1, 2040, 2043, false, false, false, 4, none, none},    // next run cut
        {0, 498, 1, 496, 499, false, false, true, none, none, none},     // damage next to it
        {0, 502, 0, 500, 503, false, false, true, none, none, none},     // damage in it
        {0, 493, 0, 492, 495, false, false, false, 4, none, none},       // next run damaged
        {0, 1001, 1, 1001, 1003, false, false, true, none, none, none},  // after a missing one
        // A one-sample glitch; the low pulse's cycle is the falling edge at 101 to the one at
        // 111, whose high part is the glitch at 110, not its own nine samples.
        {1, 100, 1, 100, 100, false, false, false, 1, 10, 0.1},
        {1, 105, 0, 101, 109, false, false, false, 9, 10, 0.1},
        {2, 2045, 1, 2040, 2047, false, true, false, none, none, none},
    };
    const DecodedCapture m = Synthetic(true);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "channel " << c.channel << " sample " << c.sample);
        const auto p = PulseAt(m, c.channel, c.sample);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->level, c.level);
        EXPECT_EQ(p->first, c.first);
        EXPECT_EQ(p->last, c.last);
        EXPECT_EQ(p->cutByStart, c.cutByStart);
        EXPECT_EQ(p->cutByEnd, c.cutByEnd);
        EXPECT_EQ(p->touchesDamage, c.touchesDamage);
        EXPECT_EQ(p->width, c.width);
        EXPECT_EQ(p->period, c.period);
        EXPECT_EQ(p->duty, c.duty);
        EXPECT_EQ(p->frequency.has_value(), c.period.has_value());
        if (c.period) {
            EXPECT_DOUBLE_EQ(*p->frequency, 1.0 / *c.period);
        }
    }
}

TEST(PulseAt, NothingOutsideTheCaptureOrWhereNoWordIsHeld) {
    const DecodedCapture m = Synthetic(true);
    EXPECT_FALSE(PulseAt(m, 0, -1));
    EXPECT_FALSE(PulseAt(m, 0, kCaptureSamples));
    EXPECT_FALSE(PulseAt(m, 0, 1000));
    EXPECT_FALSE(PulseAt(m, 16, 10));
    EXPECT_FALSE(PulseAt(m, -1, 10));
}

struct BusCase {
    std::vector<int> channels;
    int32_t sample;
    std::optional<uint32_t> value;  // nothing expected when unset
    int32_t first, last;
    bool cutByStart, touchesDamage;
    std::optional<int32_t> width;
};

TEST(BusValueAt, ValueMostSignificantFirstAndTheRunItHolds) {
    const auto none = std::nullopt;
    const BusCase cases[] = {
        {{5, 4}, 40, 2u, 32, 47, false, false, 16},
        {{4, 5}, 40, 1u, 32, 47, false, false, 16},  // the order given, not the bits' order
        {{5, 4, 0}, 45, 4u, 44, 47, false, false, 4},
        {{5, 4}, 5, 0u, 0, 15, true, false, none},
        {{5, 4}, 505, 3u, 496, 511, false, true, none},
        {{5, 4}, 1000, none, 0, 0, false, false, none},  // no word held
        {{5, 16}, 40, none, 0, 0, false, false, none},
        {{}, 40, none, 0, 0, false, false, none},
    };
    const DecodedCapture m = Synthetic(true);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "sample " << c.sample << ", " << c.channels.size() << " channels");
        const auto b = BusValueAt(m, c.channels, c.sample);
        ASSERT_EQ(b.has_value(), c.value.has_value());
        if (!b) continue;
        EXPECT_EQ(b->value, *c.value);
        EXPECT_EQ(b->first, c.first);
        EXPECT_EQ(b->last, c.last);
        EXPECT_EQ(b->cutByStart, c.cutByStart);
        EXPECT_FALSE(b->cutByEnd);
        EXPECT_EQ(b->touchesDamage, c.touchesDamage);
        EXPECT_EQ(b->width, c.width);
    }
}

struct StatsCase {
    const char* name;
    bool damaged;
    int channel;
    int32_t rising, falling;
    std::optional<WidthStats> high, low, period;
    std::optional<double> duty;
};

TEST(ChannelStats, CompletePulsesAndPeriodsWithinReliableStretches) {
    const auto none = std::nullopt;
    const StatsCase cases[] = {
        {"clock", false, 0, 255, 256, WidthStats{4, 4, 4, 255}, WidthStats{4, 4, 4, 255},
         WidthStats{8, 8, 8, 254}, 0.5},
        // No edge across sample 500 or the missing 1000: three stretches, two edges fewer,
        // the pulses and periods around them dropped.
        {"damaged clock", true, 0, 254, 255, WidthStats{4, 4, 4, 253}, WidthStats{4, 4, 4, 253},
         WidthStats{8, 8, 8, 251}, 0.5},
        {"glitches", true, 1, 2, 2, WidthStats{1, 1, 1, 2}, WidthStats{9, 9, 9, 1},
         WidthStats{10, 10, 10, 1}, 0.1},
        // Sum-based: (2 + 2) / (10 + 20); the last high pulse ends no counted period.
        {"uneven", true, 3, 3, 3, WidthStats{2, 3, 5, 3}, WidthStats{8, 13, 18, 2},
         WidthStats{10, 15, 20, 2}, 4.0 / 30},
        {"cut pulses only", true, 2, 1, 0, none, none, none, none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ChannelStatistics s = ChannelStats(Synthetic(c.damaged), c.channel);
        EXPECT_EQ(s.risingEdges, c.rising);
        EXPECT_EQ(s.fallingEdges, c.falling);
        const auto same = [](const std::optional<WidthStats>& got,
                             const std::optional<WidthStats>& want) {
            ASSERT_EQ(got.has_value(), want.has_value());
            if (!got) return;
            EXPECT_EQ(got->min, want->min);
            EXPECT_DOUBLE_EQ(got->mean, want->mean);
            EXPECT_EQ(got->max, want->max);
            EXPECT_EQ(got->count, want->count);
        };
        same(s.high, c.high);
        same(s.low, c.low);
        same(s.period, c.period);
        ASSERT_EQ(s.duty.has_value(), c.duty.has_value());
        ASSERT_EQ(s.frequency.has_value(), c.period.has_value());
        if (!c.duty) continue;
        EXPECT_DOUBLE_EQ(*s.duty, *c.duty);
        EXPECT_DOUBLE_EQ(*s.frequency, 1.0 / c.period->mean);
    }
}

TEST(EdgesBetween, CountsTransitionsWithBothSamplesBetweenTheCursors) {
    struct Case {
        int channel;
        int32_t a, b, edges;
    };
    const Case cases[] = {
        {0, 0, 8, 2},         {0, 8, 0, 2},    {0, 4, 4, 0},  {0, 3, 4, 1},
        {0, 498, 502, 0},  // the edge at 500 is damaged
        {0, -100, 5000, 509}, {1, 0, 2047, 4}, {16, 0, 8, 0}, {0, INT32_MAX, INT32_MAX, 0},
    };
    const DecodedCapture m = Synthetic(true);
    for (const auto& c : cases)
        EXPECT_EQ(EdgesBetween(m, c.channel, c.a, c.b), c.edges)
            << "channel " << c.channel << " " << c.a << ".." << c.b;
}

TEST(ChannelStats, TheExampleCapturesClockHasOneSteadyPeriod) {
    std::ifstream f(ZQ_EXAMPLES_DIR "/counter-uart.txt", std::ios::binary);
    ASSERT_TRUE(f);
    std::stringstream text;
    text << f.rdbuf();
    const DecodedCapture m = DecodeCapture(text.str());
    ASSERT_EQ(m.heldCount(), kCaptureSamples);
    // Channel 0 toggles every four samples throughout: the capture's steadiest clock.
    const ChannelStatistics s = ChannelStats(m, 0);
    ASSERT_TRUE(s.period);
    EXPECT_EQ(s.period->min, 8);
    EXPECT_EQ(s.period->max, 8);
    EXPECT_GT(s.period->count, 200);
    ASSERT_TRUE(s.duty);
    EXPECT_DOUBLE_EQ(*s.duty, 0.5);
    const auto p = PulseAt(m, 0, 1030);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->period, 8);
    EXPECT_EQ(p->width, 4);
}

TEST(PulseText, SaysWhatIsKnownInSamplesOrTime) {
    Pulse high;
    high.level = 1;
    high.width = 4;
    high.period = 8;
    high.duty = 0.5;
    Pulse cut;
    cut.cutByStart = true;
    Pulse damaged = cut;
    damaged.touchesDamage = true;
    EXPECT_EQ(PulseText(high, std::nullopt), "high 4 samples, period 8 samples, duty 50 %");
    EXPECT_EQ(PulseText(high, 1e6), "high 4.00 us, period 8.00 us (125 kHz), duty 50 %");
    EXPECT_EQ(PulseText(cut, 1e6), "low, from before the capture's start");
    EXPECT_EQ(PulseText(damaged, std::nullopt), "low, touches damaged or missing samples");
}

}  // namespace
}  // namespace zq
