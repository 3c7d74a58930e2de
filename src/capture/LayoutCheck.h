#pragma once
// The whole-file check of a capture's layout, beyond what a pass reports: a pass stops at its
// window and reads damaged files leniently, so a file can pass it and still not be a capture
// as the device writes one. This says where a file departs from that layout: 128 lines "S",
// blank, address 0000 to 07F0 in steps of 0010, 64 upper-case hexadecimal digits each, and
// nothing but separators after the last.

#include <string>
#include <vector>

#include "capture/CaptureFile.h"

namespace zq {

// One short line per finding, in file order, at most ScanReport::kMaxParagraphs of them and
// then one line with the count of the rest. Empty for a capture laid out exactly so.
std::vector<std::string> CheckLayout(ByteCursor& in);

}  // namespace zq
