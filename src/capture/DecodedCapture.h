#pragma once
// The whole capture, decoded once per file version: every view (chart, listing, read-out, edge
// keys, exports, picture) reads this model and never the file, so what a user is told of a file
// does not depend on where the window happened to be when it was opened.
//
// It keeps the file's order as well as one word per sample: the listing lists words as the file
// holds them (a sample twice where lines overlap, a word of more digits where a short line's
// digits run into the next line), and the chart's grid takes every digit where it landed.

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

#include "capture/CaptureFile.h"
#include "capture/CaptureFormat.h"

namespace zq {

// Samples the model keeps digits for. A window may reach past the capture (a data length the
// normalisation will cut still sizes the grid of its pass); what lies beyond this is absent.
constexpr int32_t kModelSamples = 4096;

// How a line fits the sequence 0000, 0010, ... 07F0.
enum class LinePlace : uint8_t {
    InSequence,     // at the address after the previous line's
    AfterGap,       // lines are missing before it; it sits at its own address
    OutOfSequence,  // a jump, a repeat or a step back: at its own address when that is free
    AddressError,   // not four hexadecimal digits below 8000: its words land nowhere
    AfterLast,      // after the line 07F0: its words land nowhere
};

struct CaptureLine {
    int32_t address = -1;  // as read; -1 when not a usable address
    int32_t at = -1;       // the sample of its first word; -1 when its words land nowhere
    LinePlace place = LinePlace::InSequence;
};

// One line of the listing: a completed word in file order, and the digits it was made of.
struct ListedWord {
    int32_t sample = 0;
    uint32_t firstDigit = 0;  // into DecodedCapture::digitText and digitSample
    uint16_t digitCount = 0;  // 4, or more where a cut-short word's digits were carried
    // The address column: the line's address characters for its first word, four blanks for
    // the others; nothing at all for a first line read without a header of its own.
    std::array<char, 4> address{};
    uint8_t addressLength = 0;
};

struct DecodedCapture {
    // One word per sample. Fixed arrays: a copy is a plain memcpy.
    std::array<uint16_t, kCaptureSamples> words{};  // 0 where held is false
    std::bitset<kCaptureSamples> held;              // the file holds all four digits of the word
    std::bitset<kCaptureSamples> unreliable;        // damaged or missing, for any reason reported

    // The file's lines in file order, with where their words went.
    std::vector<CaptureLine> lines;
    // The listing's words in file order, and the digits they hold with the sample each digit was
    // read at (a word's digits carried from a cut-short word were read at an earlier sample).
    std::vector<ListedWord> listed;
    std::string digitText;
    std::vector<int32_t> digitSample;

    // What the chart's grid takes at each sample: the last digit read at each digit position
    // (a bit of cellMask per position, its value in the nibbles of cellDigits, first digit in
    // the high nibble), and the samples a pass over the file passed (marks are placed there).
    std::vector<uint16_t> cellDigits = std::vector<uint16_t>(kModelSamples);
    std::vector<uint8_t> cellMask = std::vector<uint8_t>(kModelSamples);
    std::vector<bool> visited = std::vector<bool>(kModelSamples);
    // Addresses of the damaged lines the report names, in file order, for the highlight.
    std::vector<int32_t> damagedLines;

    // The report shown once per file: the paragraphs of a pass over the whole capture, then one
    // line per layout finding. Empty for an exact capture.
    std::string report;
    std::vector<std::string> findings;  // the layout findings alone, as check prints them
    bool foundStart = false;            // the file holds a line start at all
    int64_t fileLength = 0;             // bytes, as the window clamps read it

    // Samples the file holds a complete word for (2048 for a complete capture).
    int32_t heldCount() const { return static_cast<int32_t>(held.count()); }
};

// Decodes the whole file once. fileLength is what the window's clamp to the file length reads.
void DecodeCapture(ByteCursor& in, int64_t fileLength, DecodedCapture& out);
DecodedCapture DecodeCapture(ByteCursor& in, int64_t fileLength);
// Bytes in memory (tests, fuzzing).
DecodedCapture DecodeCapture(std::string_view bytes);
DecodedCapture DecodeCapture(const CaptureFile& file);

}  // namespace zq
