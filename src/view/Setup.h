#pragma once
// The channel setup: what a user says about the 16 channels beyond the capture itself (names,
// which rows are hidden, the order of the rows, buses, the sample rate, the decoders to run).
// Plain data with its rules, so that the chart, the exports and zq350-inspect all read one
// setup the same way.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "capture/DecodedCapture.h"
#include "view/Decoding.h"

namespace zq {

constexpr int kChannels = 16;
constexpr size_t kMaxNameLength = 32;

struct ChannelInfo {
    std::string name;  // empty: unnamed, the row keeps its number and exports say D<n>
    bool hidden = false;
    // Keys of the channel's entry in a setup file that this program does not know: a JSON
    // object text, empty when there are none. Kept so that saving writes them again.
    std::string unknown;

    bool operator==(const ChannelInfo&) const = default;
};

// A bus's value at a sample and the run it holds: BusValueAt in view/Measure.h.
struct Bus {
    std::string name;
    std::vector<int> channels;  // most significant first
    std::string unknown;        // as ChannelInfo::unknown

    bool operator==(const Bus&) const = default;
};

// Today's rows, top to bottom: channel 15 at the top down to 0.
constexpr std::array<int, kChannels> kDefaultOrder{15, 14, 13, 12, 11, 10, 9, 8,
                                                   7,  6,  5,  4,  3,  2,  1, 0};

struct ChannelSetup {
    std::array<ChannelInfo, kChannels> channels{};
    std::array<int, kChannels> order = kDefaultOrder;  // the rows, top to bottom
    std::vector<Bus> buses;
    std::optional<double> sampleRate;  // hertz; positive and finite when set
    // The decoders to run on every capture: each a decoder on channels with those stacked on
    // it, bottom first.
    std::vector<decode::DecoderStack> decoders;
    std::string unknown;  // the file's top-level keys this program does not know

    bool operator==(const ChannelSetup&) const = default;

    // The row's label: the channel's name, or its number "0".."15" when it has none.
    std::string RowLabel(int channel) const;
    // The name a VCD file declares: blanks (which end a VCD word) as '_', D<n> when unnamed.
    std::string VcdName(int channel) const;
    // The CSV column heading: D<n> when unnamed; a name holding '"' is quoted, its quotes
    // doubled. Names cannot hold ',', so nothing else needs quoting.
    std::string CsvColumn(int channel) const;
};

// A value, or why there is none (error is empty exactly when the value holds).
template <class T>
struct Parsed {
    T value{};
    std::string error;
    bool ok() const { return error.empty(); }
};

// A name as typed: blanks around it trimmed, then up to 32 printable ASCII characters without
// ':', '=' or ','. Those three separate names from values where names are written out (a
// decoder's channel assignments, CSV headings), so a name holding one is refused.
Parsed<std::string> ReadName(std::string_view text);

// The rows top to bottom from the channels listed first; those left out follow in today's
// order. The caller has checked that listed holds channels 0..15, each once.
std::array<int, kChannels> CompleteOrder(const std::vector<int>& listed);

}  // namespace zq
