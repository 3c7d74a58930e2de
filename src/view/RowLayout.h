#pragma once
// The chart's rows as the setup orders them: channels top to bottom in the setup's order,
// hidden ones left out, each bus one more row above its most significant member, then the
// decoders' annotation rows under them all. Up to 16 rows keep the design's band height and
// start at the top; more rows share the same height.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "capture/DecodedCapture.h"
#include "view/Setup.h"

namespace zq {

struct ChartRow {
    int channel = -1;     // 0..15 for a channel's row
    int bus = -1;         // the bus's index in the setup for a bus row
    int annotation = -1;  // the row's index in the decoders' result for an annotation row

    bool isChannel() const { return channel >= 0; }
    bool isBus() const { return bus >= 0; }
    bool isAnnotation() const { return annotation >= 0; }
    bool operator==(const ChartRow&) const = default;
};

struct RowLayout {
    std::vector<ChartRow> rows;  // top to bottom
    // Height of a row in trace units: 1 is the design's band, which 16 rows fill.
    double pitch = 1;
    size_t places = 16;  // rows that fit the height of 16: 16, or more when there are more

    // The trace values that row r spans: the top row's top is 16, the last place's bottom 0.
    double top(size_t r) const {
        return 16.0 * static_cast<double>(places - r) / static_cast<double>(places);
    }
    double bottom(size_t r) const { return top(r) - pitch; }
    // The row of a channel, if shown.
    std::optional<size_t> rowOfChannel(int channel) const;
    // The row under a trace value, if any.
    std::optional<size_t> rowAt(double value) const;
    // Today's rows: channel 15 at the top down to 0, each in its own band.
    bool isDefault() const;

    bool operator==(const RowLayout&) const = default;
};

// annotationRows: how many rows the decoders' result has.
RowLayout LayOutRows(const ChannelSetup& setup, size_t annotationRows = 0);

// A bus's value at every sample from first on, count samples: -1 where the file holds no
// complete word (or past the capture), so nothing is drawn there.
std::vector<int64_t> BusSamples(const DecodedCapture& model, std::span<const int> channelsMsbFirst,
                                int32_t first, int count);

// "1A" with as many hexadecimal digits as the bus has channels need.
std::string BusValueText(uint32_t value, size_t channels);

}  // namespace zq
