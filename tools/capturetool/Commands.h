#pragma once
// The ways in and out that main.cpp gives every zq350-inspect command, for the commands that
// live in files of their own.

#include <memory>
#include <string>
#include <vector>

#include "capture/CaptureFile.h"

namespace zq::inspect {

// --help's text: every command and its options.
extern const char* const kUsage;

// The message (when there is one) and the usage on standard error; returns status 2.
int Usage(const std::string& message);

// The capture file, or nothing with its name and the system's text on standard error.
std::unique_ptr<CaptureFile> Open(const std::string& path);

// zq350-inspect measure FILE [options]: each channel's edges, widths, period, frequency and
// duty over the whole capture. args are those after FILE, as given.
int Measure(const std::string& path, const std::vector<std::string>& args);

}  // namespace zq::inspect
