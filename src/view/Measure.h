#pragma once
// Pulse measurements over the whole-capture model, in samples: what the hover read-out, the
// cursors and a channel's statistics show. The caller applies the sample rate.
//
// Only a sample the file holds a complete word for, and that is not marked unreliable, tells a
// level anyone may measure from. An edge is a level change between two adjacent such samples;
// a change across a damaged or missing sample is no edge, since what happened there is unknown.
// Widths and periods are given only where both their ends are such edges, so nothing shown is
// a guess: a pulse cut by the capture's ends or touching damage says so and gives no width.

#include <cstdint>
#include <optional>
#include <span>

#include "capture/DecodedCapture.h"

namespace zq {

// The run of equal levels under a sample: the samples the file holds with the same level on
// either side of it, as the chart draws them.
struct Pulse {
    int level = 0;      // 0 or 1
    int32_t first = 0;  // the run's first and last sample
    int32_t last = 0;
    bool cutByStart = false;     // it reaches sample 0: its start is unknown
    bool cutByEnd = false;       // it reaches sample 2047: its end is unknown
    bool touchesDamage = false;  // a sample in it or next to it is damaged or missing
    // Set only when the pulse is complete: an edge at each end, no unreliable sample in it.
    std::optional<int32_t> width;
    // From the edge that starts the pulse to the next edge of the same direction, set when the
    // run after the pulse is complete as well.
    std::optional<int32_t> period;
    // The high part of the cycle that starts at the pulse's starting edge, over the period: for
    // a high pulse its own width, for a low pulse the width of the high pulse that follows it.
    std::optional<double> duty;
    std::optional<double> frequency;  // 1 / period, per sample
};

// Nothing for a channel outside 0..15, a sample outside the capture or one the file holds no
// complete word for.
std::optional<Pulse> PulseAt(const DecodedCapture& model, int channel, int32_t sample);

// A bus read from several channels, the most significant first, and the run of samples over
// which it holds that value.
struct BusValue {
    uint32_t value = 0;
    int32_t first = 0;
    int32_t last = 0;
    bool cutByStart = false;
    bool cutByEnd = false;
    bool touchesDamage = false;
    std::optional<int32_t> width;  // set only when the run is complete, as for a Pulse
};

// Nothing as for PulseAt, and for no channels, more than 16 or one outside 0..15.
std::optional<BusValue> BusValueAt(const DecodedCapture& model,
                                   std::span<const int> channelsMsbFirst, int32_t sample);

struct WidthStats {
    int32_t min = 0;
    double mean = 0;
    int32_t max = 0;
    int32_t count = 0;
};

// A channel over the whole capture. Pulses counted are complete ones (an edge at each end, all
// samples reliable); periods run from a rising edge to the next one with reliable samples all
// the way between.
struct ChannelStatistics {
    int32_t risingEdges = 0;
    int32_t fallingEdges = 0;
    std::optional<WidthStats> high;
    std::optional<WidthStats> low;
    std::optional<WidthStats> period;
    std::optional<double> frequency;  // 1 / mean period, per sample
    // Summed over the periods counted: the high pulse each starts with, over the period. Unlike
    // mean high width over mean period, it stays within 0..1 when the pulses counted and the
    // periods counted are not the same ones.
    std::optional<double> duty;
};

ChannelStatistics ChannelStats(const DecodedCapture& model, int channel);

// Edges with both their samples between a and b (in either order, both included): the
// transitions a user sees between two cursors. 0 for a channel outside 0..15.
int32_t EdgesBetween(const DecodedCapture& model, int channel, int32_t a, int32_t b);

}  // namespace zq
