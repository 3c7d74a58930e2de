// The pieces that zq350-inspect and its picture export share: the view options and the report.

#include <algorithm>
#include <iostream>

#include "CaptureTool.h"

namespace zq::inspect {

// Reports go to standard error with plain line ends, so the output stays machine-readable; the
// exit status says whether there was one.
int FinishWithReport(const std::string& report) {
    std::string text;
    for (size_t i = 0; i < report.size(); ++i) {
        if (report[i] == '\r' && i + 1 < report.size() && report[i + 1] == '\n') continue;
        text += report[i];
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
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return false;
            }
            out = args[++i];
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
                if (comma == std::string::npos) {
                    error = "--cursors takes A,B or off";
                    return std::nullopt;
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

std::vector<std::string> SplitOptionValues(const std::vector<std::string>& args) {
    static const std::vector<std::string> kTakesValue = {
        "--start",   "--length", "--trig", "--trig-every", "--zero-every",
        "--cursors", "--vcd",    "--csv",  "--gtkw",       "--samplerate"};
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
