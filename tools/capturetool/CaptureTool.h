#pragma once
// Shared pieces of the zq350-inspect subcommands.

#include <optional>
#include <string>
#include <vector>

#include "view/ViewSettings.h"

namespace zq {
struct ChannelSetup;
}

namespace zq::inspect {

// Reads the setup file at path into setup; false after saying on standard error why it cannot
// be read or is no setup.
bool LoadSetup(const std::string& path, ChannelSetup& setup);

// Takes every "--setup FILE" out of args (SplitOptionValues has split "--setup=FILE") and reads
// the setup it names; the last one given counts. False after saying on standard error what is
// wrong.
bool TakeSetup(std::vector<std::string>& args, ChannelSetup& setup);

// Parses the view options (--start, --length, --trig, --trig-every, --zero-every, --cursors)
// from args into boxes, starting from the main window's start-up defaults. Returns the
// arguments that are not view options, or nullopt with a message in error.
std::optional<std::vector<std::string>> ParseViewOptions(const std::vector<std::string>& args,
                                                         ViewBoxes& boxes, std::string& error);

// Prints a pass's report on standard error, with CR LF written as LF; returns the exit status:
// 0 when there is no report, 1 when there is one.
int FinishWithReport(const std::string& report);

// A file name or argument as the tool's messages show it: bytes outside printable ASCII as
// \xNN, as the report shows a damaged line's address, so that a name holding escape sequences
// or line ends cannot drive the terminal or pass for another line.
std::string Shown(const std::string& text);

// False, with the system's text on standard error, when standard output cannot take it all.
bool WriteStandardOutput(const std::string& out);

// Options given as "--name=value" written as "--name" "value", for the options that take a
// value; every other argument is kept as it is.
std::vector<std::string> SplitOptionValues(const std::vector<std::string>& args);

}  // namespace zq::inspect
