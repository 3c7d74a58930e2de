#pragma once
// The decoded capture as files other programs open: a value change dump (VCD), a CSV table and
// a waveform viewer's save file that opens the VCD. Plain C++, no Qt: the command-line tool and
// the windows write the same bytes.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "capture/DecodedCapture.h"

namespace zq::exports {

// One sample a microsecond unless the user says otherwise: the device does not record its rate.
constexpr uint64_t kDefaultSampleRate = 1000000;
constexpr uint64_t kMaxSampleRate = 1000000000000000;  // one sample a femtosecond

// A sample rate typed by the user: decimal digits only, 1 to kMaxSampleRate hertz.
std::optional<uint64_t> ParseSampleRate(std::string_view text);

// How sample numbers become VCD times. The unit is the coarsest power-of-ten timescale in
// which a sample period is a whole number of units (1 us at the default rate: time = sample
// number). A period no such unit divides (3 MHz) gets the coarsest unit that still has 1000
// units a sample, and each sample's time is rounded on its own, so errors never add up.
struct Timebase {
    uint64_t sampleRate = kDefaultSampleRate;
    uint64_t unitFs = 1000000000;  // one time unit, in femtoseconds
    bool exact = true;
    std::string timescale() const;      // "1 us", "100 ns", ...
    uint64_t timescaleFactor() const;   // its number: 1, 10 or 100
    uint64_t at(int64_t sample) const;  // the time of a sample's start, in units
};
Timebase ChooseTimebase(uint64_t sampleRate);

// Text safe inside a VCD header section: '$' (which could open or close a section) and control
// characters replaced by '_'. HeaderSafeName keeps the last path component only.
std::string HeaderSafeText(std::string_view text);
std::string HeaderSafeName(std::string_view path);

// A name as a VCD reference: one word, blanks as '_', nothing that could end the header.
std::string VcdWireName(std::string_view name);

// The date of an export's header: now, in UTC ("2026-12-07 18:13:54 UTC").
std::string DateNow();

// The 16 channels' names, channel 0 first, as a setup gives them ("D0" .. "D15" by default).
using ChannelNames = std::array<std::string, 16>;
ChannelNames DefaultChannelNames();

// A bus of the setup: its name and its channels, the most significant first.
struct BusWires {
    std::string name;
    std::vector<int> channels;
};

struct VcdOptions {
    uint64_t sampleRate = kDefaultSampleRate;
    std::string source;                     // the capture's path; only its file name is written
    std::string date;                       // text of the $date section
    std::string program = "zq350-inspect";  // written with the version in $version
    ChannelNames names = DefaultChannelNames();  // wire names; a blank is written as '_'
    std::vector<BusWires> buses;                 // written as vectors after the wires
};

// Wires D0..D15, TRIG (1 at the trigger sample only) and UNRELIABLE (1 over damaged lines and
// samples without a complete word); D0..D15 are x where the file holds no word. Each bus is a
// vector of its channels as well, x where they are. Every note is in the header: some readers
// stop at a comment among the value changes.
std::string Vcd(const DecodedCapture& c, const VcdOptions& o);

// "sample,word,D15,...,D0", one row per sample 0..2047; word and bits are empty where the file
// holds no word. D15 first, as in the hex word and the listing's bits.
std::string Csv(const DecodedCapture& c, const ChannelNames& names = DefaultChannelNames());

struct GtkwOptions {
    std::string dumpFile;  // absolute path of the VCD; no '"' or control characters
    // Absolute path of the save file itself: the viewer finds a moved dump file beside it.
    // Empty: not written.
    std::string saveFile;
    uint64_t sampleRate = kDefaultSampleRate;
    std::optional<int32_t> cursorA, cursorB;  // samples; absent or outside the capture: no marker
    ChannelNames names = DefaultChannelNames();  // the VCD's wire names, as VcdOptions
    // Names shown for the channels where they differ from the wire's (a blank the VCD wrote
    // as '_'); empty: the wire's name.
    ChannelNames aliases{};
    std::vector<BusWires> buses;  // as VcdOptions
};

// A save file for the waveform viewer: D15..D0 as one trace each in one group, TRIG and
// UNRELIABLE below, then a group for each bus with its vector in hexadecimal and its members;
// the primary marker at the trigger, the cursors as named markers A and B, the whole capture in
// view. Returns nullopt when a path cannot be written into it.
std::optional<std::string> Gtkw(const GtkwOptions& o);

}  // namespace zq::exports
