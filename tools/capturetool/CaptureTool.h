#pragma once
// Shared pieces of the zq350-inspect subcommands.

#include <optional>
#include <string>
#include <vector>

#include "capture/ViewSettings.h"

namespace zq::inspect {

// Parses the view options (--start, --length, --trig, --trig-every, --zero-every, --cursors)
// from args into boxes, starting from the main window's start-up defaults. Returns the
// arguments that are not view options, or nullopt with a message in error.
std::optional<std::vector<std::string>> ParseViewOptions(const std::vector<std::string>& args,
                                                         ViewBoxes& boxes, std::string& error);

// Prints a pass's report on standard error, with CR LF written as LF; returns the exit status:
// 0 when there is no report, 1 when there is one.
int FinishWithReport(const std::string& report);

// The words of a capture as the scan reads them; samples that were not read are absent.
struct CaptureWords {
    std::vector<std::optional<uint16_t>> words;  // sample 0 .. last sample read
    std::string report;
    bool foundStart = false;
};
std::optional<CaptureWords> ReadCaptureWords(const std::string& path, std::string& error);

std::string Vcd(const CaptureWords& c, const std::string& source);
std::string Csv(const CaptureWords& c);

}  // namespace zq::inspect
