// The pieces that zq350-inspect and its picture export share: the view options and the report.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "CaptureTool.h"
#include "capture/LayoutCheck.h"
#include "view/SetupJson.h"
#include "view/ViewSettings.h"

namespace zq::inspect {

std::string Shown(const std::string& text) { return PrintableText(text); }

// Output that cannot be written (a full disk, a closed pipe) is a failure, not a result.
bool WriteStandardOutput(const std::string& out) {
    const bool written = std::fwrite(out.data(), 1, out.size(), stdout) == out.size();
    if (written && std::fflush(stdout) == 0) return true;
    std::cerr << "zq350-inspect: standard output: " << std::strerror(errno) << "\n";
    return false;
}

namespace {

// A number in exponent notation ("1e9", "2.5E-3"), with the blanks a box lets around a number
// (" 1e3" reads as 0 just as "1e3" does).
bool LooksExponential(std::string text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return false;
    text = text.substr(first, text.find_last_not_of(" \t") + 1 - first);
    const size_t e = text.find_first_of("eE");
    if (e == std::string::npos || e == 0 || e + 1 == text.size()) return false;
    const auto digits = [](const std::string& t, size_t from) {
        if (from < t.size() && (t[from] == '+' || t[from] == '-')) ++from;
        return from < t.size() && t.find_first_not_of("0123456789.", from) == std::string::npos;
    };
    return digits(text.substr(0, e), 0) && digits(text, e + 1);
}

std::string PlainDecimalsError(const std::string& option, const std::string& value) {
    return option + " " + Shown(value) + ": write the number in plain decimals";
}

}  // namespace

// Reports go to standard error with plain line ends, so the output stays machine-readable; the
// exit status says whether there was one. A damaged line's address is quoted from the file as
// it was read, so the other bytes are shown as the messages show them: an escape sequence in
// a file must not drive the terminal.
int FinishWithReport(const std::string& report) {
    std::string text;
    for (size_t i = 0; i < report.size(); ++i) {
        if (report[i] == '\r' && i + 1 < report.size() && report[i + 1] == '\n') continue;
        text += report[i] == '\n' ? std::string("\n") : Shown(std::string(1, report[i]));
    }
    std::cerr << text << (text.empty() || text.back() == '\n' ? "" : "\n");
    return report.empty() ? 0 : 1;
}

std::optional<std::vector<std::string>> ParseViewOptions(const std::vector<std::string>& args,
                                                         ViewBoxes& boxes, std::string& error) {
    std::vector<std::string> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                error = Shown(a) + " needs a value";
                return false;
            }
            out = args[++i];
            // The boxes read plain decimals only: "1e9" would silently read as 0.
            if (LooksExponential(out)) {
                error = PlainDecimalsError(a, out);
                return false;
            }
            return true;
        };
        std::string v;
        if (a == "--start") {
            if (!value(boxes.StartPos)) return std::nullopt;
        } else if (a == "--length") {
            if (!value(boxes.DataLen)) return std::nullopt;
        } else if (a == "--trig") {
            if (!value(v)) return std::nullopt;
            if (v != "on" && v != "off") {
                error = "--trig takes on or off";
                return std::nullopt;
            }
            boxes.MarkTrigCheck = v == "on" ? Checked : Unchecked;
        } else if (a == "--trig-every") {
            if (!value(boxes.TrigCentricVal)) return std::nullopt;
            boxes.MarkTrigcentricCheck = Checked;
        } else if (a == "--zero-every") {
            if (!value(boxes.ZeroCentricVal)) return std::nullopt;
            boxes.MarkZerocentricCheck = Checked;
        } else if (a == "--cursors") {
            if (!value(v)) return std::nullopt;
            if (v == "off") {
                boxes.MarkCursorsCheck = Unchecked;
            } else {
                const auto comma = v.find(',');
                if (comma == std::string::npos || v.find(',', comma + 1) != std::string::npos ||
                    comma == 0 || comma + 1 == v.size()) {
                    error = "--cursors takes A,B or off";
                    return std::nullopt;
                }
                // Each cursor is a box of its own: "1e3,5" would leave cursor A out unseen.
                for (const std::string& cursor : {v.substr(0, comma), v.substr(comma + 1)}) {
                    if (LooksExponential(cursor)) {
                        error = PlainDecimalsError(a, v);
                        return std::nullopt;
                    }
                }
                boxes.MarkCursorsCheck = Checked;
                boxes.MarkCursorA = v.substr(0, comma);
                boxes.MarkCursorB = v.substr(comma + 1);
            }
        } else {
            rest.push_back(a);
        }
    }
    return rest;
}

bool LoadSetup(const std::string& path, ChannelSetup& setup) {
    const Parsed<ChannelSetup> parsed = LoadSetupFile(path);
    if (!parsed.ok()) {
        std::cerr << "zq350-inspect: " << Shown(parsed.error) << "\n";
        return false;
    }
    setup = parsed.value;
    return true;
}

bool TakeSetup(std::vector<std::string>& args, ChannelSetup& setup) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--setup") continue;
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            std::cerr << "zq350-inspect: --setup needs a value\n";
            return false;
        }
        const std::string path = args[i + 1];
        args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
        if (!LoadSetup(path, setup)) return false;
        --i;
    }
    return true;
}

std::vector<std::string> SplitOptionValues(const std::vector<std::string>& args) {
    static const std::vector<std::string> kTakesValue = {
        "--start", "--length", "--trig", "--trig-every", "--zero-every", "--cursors",
        "--vcd",   "--csv",    "--gtkw", "--samplerate", "--setup"};
    std::vector<std::string> out;
    for (const std::string& a : args) {
        const size_t eq = a.find('=');
        if (a.starts_with("--") && eq != std::string::npos &&
            std::find(kTakesValue.begin(), kTakesValue.end(), a.substr(0, eq)) !=
                kTakesValue.end()) {
            out.push_back(a.substr(0, eq));
            out.push_back(a.substr(eq + 1));
        } else {
            out.push_back(a);
        }
    }
    return out;
}

}  // namespace zq::inspect
