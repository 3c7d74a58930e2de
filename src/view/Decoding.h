#pragma once
// Protocol decoding as plain data: what a decoder is (from the library's own description),
// which decoders to run on which channels, and what they said. No Qt and no library header
// here, so the chart, the setup, the windows and zq350-inspect read the same types whether or
// not the library has been loaded.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "capture/DecodedCapture.h"

namespace zq::decode {

struct DecoderChannel {
    std::string id;    // "rx"
    std::string name;  // "RX"
    std::string desc;
};

struct DecoderOption {
    std::string id;           // "baudrate"
    std::string desc;         // "Baud rate"
    std::string defaultText;  // the default as the user would type it: "115200", "lsb-first"
    std::vector<std::string> allowed;  // the values offered, empty when any value of the type
    enum class Kind { Integer, Float, Text } kind = Kind::Text;
};

struct AnnotationRowInfo {
    std::string id;    // "rx-data"
    std::string desc;  // "RX data"
    std::vector<int> classes;
};

struct DecoderInfo {
    std::string id;        // "uart"
    std::string name;      // "UART"
    std::string longname;  // "Universal Asynchronous Receiver/Transmitter"
    std::string desc;
    std::vector<DecoderChannel> channels;          // required
    std::vector<DecoderChannel> optionalChannels;
    std::vector<DecoderOption> options;
    std::vector<std::pair<std::string, std::string>> annotationClasses;  // (id, desc)
    std::vector<AnnotationRowInfo> annotationRows;  // a row per class when the decoder has none
    std::vector<std::string> inputs;   // "logic" for a decoder on channels
    std::vector<std::string> outputs;  // what a decoder stacked on it takes
};

// One decoder to run: its id, our channels for its channels, its options as typed.
struct DecoderUse {
    std::string id;
    std::vector<std::pair<std::string, int>> channels;  // decoder channel id -> channel 0..15
    std::vector<std::pair<std::string, std::string>> options;  // option id -> value text
    // Keys of its entry in a setup file that this program does not know, as JSON object text.
    std::string unknown;
    bool operator==(const DecoderUse&) const = default;
};

// A decoder on channels, then the decoders stacked on it, bottom first. The setup keeps these.
using DecoderStack = std::vector<DecoderUse>;

struct Annotation {
    uint64_t start = 0;  // first sample
    uint64_t end = 0;    // the library's end sample
    std::string instance;  // "uart-1", as sigrok-cli names it
    std::string decoder;   // "uart"
    int rowIndex = 0;      // index into DecoderInfo::annotationRows of its decoder
    int classIndex = 0;    // the library's annotation class
    std::vector<std::string> texts;  // the library's texts, longest first
    bool unreliable = false;  // covers a sample without a complete word
};

// An annotation row as the chart and the list show it: one per row of each decoder run.
struct AnnotationRow {
    std::string instance;
    std::string decoder;
    int rowIndex = 0;
    std::string desc;  // "UART: RX data"
};

struct DecodeResult {
    std::vector<AnnotationRow> rows;       // in the order the chart draws them
    std::vector<Annotation> annotations;   // in the order the library gave them
    std::vector<std::string> errors;       // one line each, for the user; empty when all ran
};

}  // namespace zq::decode
