#pragma once
// Where a file departs from the layout the device writes: 128 lines "S", blank, address 0000 to
// 07F0 in steps of 0010, 64 upper-case hexadecimal digits each, and nothing but separators after
// the last. The decoder reads damaged files leniently; this says what it had to forgive.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "capture/CaptureFile.h"
#include "capture/DecodedCapture.h"

namespace zq {

// Lines of a file read one by one. A capture has 128; a file with more than this is no capture
// (a wrong file picked by mistake can hold millions of "S"), and the lines past it are only
// counted, so that opening any file takes bounded memory and time.
constexpr size_t kMaxLinesRead = size_t{1} << 16;

// Text a terminal shows as it is: every byte outside printable ASCII as \xNN, so that no
// address read from a file, nor a file name, can drive the terminal.
std::string PrintableText(std::string_view text);

// Places the lines of a file, given each line's address in file order (-1 where it is not four
// hexadecimal digits below 8000). The first line's words are samples 0 to 15 whatever its
// address. Each later line is expected at the previous expectation + 0010:
//   - at that address it is in sequence;
//   - further on inside the capture, with the line after it following on (or none after it),
//     lines are missing before it: it sits at its own address and the sequence goes on from it;
//   - anywhere else it is out of sequence (a damaged address, a repeat, a step back): it sits at
//     its own address when that is a line's place inside the capture that no line in sequence
//     and no earlier line holds, and nowhere otherwise; the expectation moves on as if it had
//     been in its place, so one damaged address costs one line, not the rest of the file;
//   - after the line at 07F0, lines are extra and land nowhere.
std::vector<CaptureLine> PlaceLines(const std::vector<int32_t>& addresses);

// One short line per finding, in file order, at most ScanReport::kMaxParagraphs of them and
// then one line with the count of the rest. Empty for a capture laid out exactly so.
std::vector<std::string> CheckLayout(ByteCursor& in);

}  // namespace zq
