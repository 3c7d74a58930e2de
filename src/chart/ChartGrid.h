#pragma once
// The data of the timing diagram: 21 traces by samples 0..GridLength, single precision.
// Traces 1..16 carry the channels, 17..20 the marks; trace 0 stays 0.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "view/TraceLevels.h"

namespace zq {

constexpr int kTraceCount = 21;
constexpr int kCursorTrace = 17;
constexpr int kTrigTrace = 18;  // also the damaged-line highlight
constexpr int kTrigCentricTrace = 19;
constexpr int kZeroCentricTrace = 20;
constexpr float kMarkLevel = 16.0f;
constexpr float kHighlightLevel = 15.0f;

// Channel of trace t (1..16): traces follow the word's digits, first digit first, and within a
// digit its bits from the least significant on.
constexpr int ChannelOfTrace(int trace) {
    const int n = (trace - 1) / 4, j = (trace - 1) % 4;
    return 12 - 4 * n + j;
}
constexpr int TraceOfChannel(int channel) {
    const int n = 3 - channel / 4, j = channel % 4;
    return 4 * n + j + 1;
}

// What the chart shows at a sample besides its traces' values: a sample the file holds no
// complete word for has no trace; a sample past the capture (2048 and up) has no trace, mark
// or label either. The values stay as a decoder pass leaves them, for the grid's own readers.
enum class Presence : uint8_t { Present, Absent, Beyond };

class ChartGrid {
  public:
    ChartGrid() : ChartGrid(0) {}
    explicit ChartGrid(int gridLength)
        : gridLength_(gridLength < 0 ? 0 : gridLength),
          stride_(Stride(gridLength_ + 1)),
          values_(static_cast<size_t>(kTraceCount) * stride_, 0.0f),
          presence_(static_cast<size_t>(gridLength_) + 1, Presence::Present) {}

    // Highest sample index: the grid holds samples 0..GridLength().
    int GridLength() const { return gridLength_; }
    int samples() const { return gridLength_ + 1; }

    float at(int trace, int s) const { return values_[index(trace, s)]; }
    float& at(int trace, int s) { return values_[index(trace, s)]; }
    // One trace as a contiguous row of samples().
    const float* row(int trace) const { return values_.data() + index(trace, 0); }
    float* row(int trace) { return values_.data() + index(trace, 0); }

    Presence presence(int s) const { return presence_[static_cast<size_t>(s)]; }
    void setPresence(int s, Presence p) { presence_[static_cast<size_t>(s)] = p; }

    bool operator==(const ChartGrid&) const = default;  // padding is always 0

  private:
    // Rows are padded so that the same sample of neighbouring traces falls into different cache
    // sets: a decoder pass writes 16 traces per sample, and rows a power-of-two apart would
    // evict each other.
    static size_t Stride(int samples) { return (static_cast<size_t>(samples) + 15) / 16 * 16 + 32; }
    size_t index(int trace, int s) const {
        return static_cast<size_t>(trace) * stride_ + static_cast<size_t>(s);
    }
    int gridLength_;
    size_t stride_;
    std::vector<float> values_;
    std::vector<Presence> presence_;
};

// The pattern shown before any capture is open: 129 samples of a binary counter (channels 0..7
// show bits 0..7 of the sample number, 8..15 repeat them) and the trigger mark at sample 64.
ChartGrid StartupPattern(const TraceLevels& levels = {});

}  // namespace zq
