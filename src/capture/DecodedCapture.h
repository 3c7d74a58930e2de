#pragma once
// A whole capture decoded once: the word of every sample, which samples the file holds a
// complete word for, and which samples are unreliable. Read by the same scan as the chart and
// the listing, so an export or a hover read-out shows exactly what the windows show.

#include <array>
#include <bitset>
#include <cstdint>
#include <string>

#include "capture/CaptureFile.h"

namespace zq {

constexpr int32_t kCaptureSamples = 2048;

struct DecodedCapture {
    // Fixed arrays: decoding allocates nothing per sample, and a copy is a plain memcpy.
    std::array<uint16_t, kCaptureSamples> words{};  // 0 where held is false
    std::bitset<kCaptureSamples> held;              // the file holds all four digits of the word
    std::bitset<kCaptureSamples> unreliable;        // a damaged line's sample, or no complete word
    std::string report;       // the pass's damage report, as the windows show it
    bool foundStart = false;  // the file holds a line start at all

    // Samples the file holds a complete word for (2048 for a complete capture).
    int32_t heldCount() const { return static_cast<int32_t>(held.count()); }
};

// One scan over the whole capture (samples 0..2047). A word counts only when all four of its
// digits arrived at the same sample address.
void DecodeCapture(ByteCursor& in, DecodedCapture& out);
DecodedCapture DecodeCapture(ByteCursor& in);
DecodedCapture DecodeCapture(const CaptureFile& file);

}  // namespace zq
