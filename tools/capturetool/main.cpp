// zq350-inspect: capture files from the command line, for scripts and for checking what the
// windows show. Every subcommand goes through the same core as the windows.

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "CaptureTool.h"
#include "Commands.h"
#include "capture/CaptureFile.h"
#include "capture/DecodedCapture.h"
#include "chart/ChartData.h"
#include "chart/Listing.h"
#include "chart/PositionLabels.h"
#include "export/Export.h"
#include "export/OutputFile.h"
#include "export/SetupExport.h"
#include "view/BoxNumber.h"
#include "view/Setup.h"
#include "zq/Version.h"

namespace zq::inspect {

int Usage(const std::string& message) {
    if (!message.empty()) std::cerr << "zq350-inspect: " << message << "\n";
    std::cerr << kUsage;
    return 2;
}

std::unique_ptr<CaptureFile> Open(const std::string& path) {
    std::string error;
    auto file = CaptureFile::open(path, error);
    if (!file) std::cerr << "zq350-inspect: " << Shown(path) << ": " << error << "\n";
    return file;
}

namespace {

int List(const std::string& path, const std::vector<std::string>& rest, const ViewBoxes& boxes) {
    bool colour = false;
    for (const auto& a : rest) {
        if (a == "--colour" || a == "--color")
            colour = true;
        else
            return Usage("unknown option " + Shown(a));
    }
    auto file = Open(path);
    if (!file) return 2;
    const DecodedCapture model = DecodeCapture(*file);
    // As after "Go !" in the listing window: the typed values stored, then one build.
    const ListingBuild b = BuildListing(StoreView(boxes), path, &model);
    std::string out;
    for (const ListingLine& l : b.lines) {
        if (colour) {
            char rgb[8];
            std::snprintf(rgb, sizeof rgb, "%06x", l.colour);
            out += rgb;
            out += ' ';
        }
        out += l.text;
        out += '\n';
    }
    if (!WriteStandardOutput(out)) return 2;
    return FinishWithReport(model.report);
}

int Grid(const std::string& path, const std::vector<std::string>& rest, ViewBoxes boxes) {
    if (!rest.empty()) return Usage("unknown option " + Shown(rest.front()));
    auto file = Open(path);
    if (!file) return 2;
    const DecodedCapture model = DecodeCapture(*file);
    const CalcDataResult r = CalcDataPass(boxes, &model);
    std::string diff;
    if (r.cursorDiff) diff = r.cursorDiff->substr(std::strlen("Cursor Diff = "));
    std::string out =
        "# start=" + boxes.StartPos + " length=" + boxes.DataLen + " cursor-diff=" + diff + "\n";
    out += "index,sample,label";
    for (int t = 0; t < kTraceCount; ++t) out += ",t" + std::to_string(t);
    out += '\n';
    if (r.drawn) {
        const auto labels = PositionLabels(boxes.StartPos, boxes.DataLen, r.grid.GridLength());
        const int64_t start = BoxInteger(boxes.StartPos, 0, 1000000000);
        char num[32];
        for (int s = 0; s <= r.grid.GridLength(); ++s) {
            out += std::to_string(s) + "," + std::to_string(start + s) + "," +
                   labels[static_cast<size_t>(s)];
            for (int t = 0; t < kTraceCount; ++t) {
                std::snprintf(num, sizeof num, ",%.7g", static_cast<double>(r.grid.at(t, s)));
                out += num;
            }
            out += '\n';
        }
    }
    if (!WriteStandardOutput(out)) return 2;
    return FinishWithReport(model.report);
}

// What is wrong with a file, in a few words: its first layout finding, else the first line of
// its report.
std::string FirstWrong(const DecodedCapture& model) {
    if (!model.findings.empty()) return model.findings.front();
    size_t from = 0;
    while (from < model.report.size()) {
        const size_t end = std::min(model.report.find('\n', from), model.report.size());
        const std::string line = model.report.substr(from, end - from);
        const size_t first = line.find_first_not_of(" \t\r");
        if (first != std::string::npos)
            return Shown(line.substr(first, line.find_last_not_of(" \t\r") + 1 - first));
        from = end + 1;
    }
    return "not an exact capture";
}

// Several files: a line each on standard output, every file checked whatever the others hold.
int CheckEach(const std::vector<std::string>& paths, bool verbose) {
    bool unopened = false, inexact = false;
    int writeError = 0;
    for (const std::string& path : paths) {
        std::string error, summary = "ok", report;
        if (const auto file = CaptureFile::open(path, error)) {
            const DecodedCapture model = DecodeCapture(*file);
            if (!model.report.empty()) {
                inexact = true;
                summary = FirstWrong(model);
                report = model.report;
            }
        } else {
            unopened = true;
            summary = error;
            report = "zq350-inspect: " + Shown(path) + ": " + error;
        }
        const std::string line = Shown(path) + ": " + summary + "\n";
        if (std::fputs(line.c_str(), stdout) == EOF && !writeError) writeError = errno;
        if (verbose && !report.empty()) {
            // The file's line first, so that a terminal shows each report after it.
            if (std::fflush(stdout) != 0 && !writeError) writeError = errno;
            std::cerr << "==> " << Shown(path) << " <==\n";
            FinishWithReport(report);
        }
    }
    if (std::fflush(stdout) != 0 && !writeError) writeError = errno;
    if (writeError || std::ferror(stdout)) {
        std::cerr << "zq350-inspect: standard output: "
                  << std::strerror(writeError ? writeError : EIO) << "\n";
        return 2;
    }
    return unopened ? 2 : inexact ? 1 : 0;
}

int Check(const std::vector<std::string>& args) {
    bool verbose = false, options = true;
    std::vector<std::string> paths;
    for (const std::string& a : args) {
        if (options && a == "--")
            options = false;
        else if (options && a == "--verbose")
            verbose = true;
        else if (options && a.size() > 1 && a[0] == '-')
            return Usage("unknown option " + Shown(a));
        else
            paths.push_back(a);
    }
    if (paths.empty()) return Usage("missing FILE");
    if (paths.size() > 1) return CheckEach(paths, verbose);
    auto file = Open(paths.front());
    if (!file) return 2;
    // The report of the whole file, exactly as the window's box shows it: the paragraphs of a
    // pass over the whole capture, then one line for each way the file departs from the layout.
    // It is on standard error already, so --verbose adds nothing to it.
    return FinishWithReport(DecodeCapture(*file).report);
}

// The cursor a box text names, as the window reads it; none when the text is not a number.
std::optional<int32_t> CursorSample(const std::string& text) {
    if (!ParseBoxNumber(text)) return std::nullopt;
    return BoxInt16(text);
}

int Export(const std::string& path, const std::vector<std::string>& args,
           const ChannelSetup& setup) {
    ViewBoxes boxes;  // --cursors, as in the window; the other view options do not apply
    std::string error;
    const auto rest = ParseViewOptions(args, boxes, error);
    if (!rest) return Usage(error);
    std::string vcdPath, csvPath, gtkwPath, rate;
    bool busVectors = true;
    for (size_t i = 0; i < rest->size(); ++i) {
        const std::string& a = (*rest)[i];
        // sigrok-cli 0.5 reads 1-bit wires only and stops at the first wider value.
        if (a == "--no-bus-vectors") {
            busVectors = false;
            continue;
        }
        std::string* target = a == "--vcd"          ? &vcdPath
                              : a == "--csv"        ? &csvPath
                              : a == "--gtkw"       ? &gtkwPath
                              : a == "--samplerate" ? &rate
                                                    : nullptr;
        if (!target) return Usage("unknown option " + Shown(a));
        if (i + 1 >= rest->size() || (*rest)[i + 1].empty()) return Usage(a + " needs a value");
        *target = (*rest)[++i];
    }
    if (vcdPath.empty() == csvPath.empty())
        return Usage("export needs one of --vcd OUT.vcd or --csv OUT.csv");
    if (!gtkwPath.empty() && vcdPath.empty()) return Usage("--gtkw needs --vcd");
    // The setup's rate unless --samplerate says otherwise; whole hertz, as the VCD counts them.
    uint64_t sampleRate = exports::SetupSampleRate(setup);
    if (!rate.empty()) {
        const auto r = exports::ParseSampleRate(rate);
        if (!r) return Usage("--samplerate takes a whole number of hertz, 1 to 10^15");
        sampleRate = *r;
    }
    if (boxes.StartPos != ViewBoxes{}.StartPos || boxes.DataLen != ViewBoxes{}.DataLen ||
        boxes.MarkTrigcentricCheck || boxes.MarkZerocentricCheck ||
        boxes.MarkTrigCheck != ViewBoxes{}.MarkTrigCheck)
        return Usage("export takes --cursors; the other view options do not apply");

    auto file = Open(path);
    if (!file) return 2;
    const DecodedCapture capture = DecodeCapture(*file);
    auto fail = [&](const std::string& message) {
        std::cerr << "zq350-inspect: " << Shown(message) << "\n";
        return 2;
    };

    std::string text, gtkwText;
    if (!vcdPath.empty()) {
        exports::VcdOptions o;
        exports::ApplySetup(setup, o);
        if (!busVectors) o.buses.clear();
        o.sampleRate = sampleRate;
        o.source = path;
        o.date = exports::DateNow();
        text = exports::Vcd(capture, o);
    } else {
        text = exports::Csv(capture, exports::CsvNames(setup));
    }
    if (!gtkwPath.empty()) {
        exports::GtkwOptions g;
        exports::ApplySetup(setup, g);
        if (!busVectors) g.buses.clear();
        // The files the VCD and the save file will be, by the full paths the viewer uses.
        const auto dumpFile = exports::ResolveOutputPath(vcdPath, error);
        if (!dumpFile) return fail(vcdPath + ": " + error);
        const auto saveFile = exports::ResolveOutputPath(gtkwPath, error);
        if (!saveFile) return fail(gtkwPath + ": " + error);
        g.dumpFile = *dumpFile;
        g.saveFile = *saveFile;
        g.sampleRate = sampleRate;
        if (boxes.MarkCursorsCheck) {
            g.cursorA = CursorSample(boxes.MarkCursorA);
            g.cursorB = CursorSample(boxes.MarkCursorB);
        }
        const auto gtkw = exports::Gtkw(g);
        if (!gtkw) return fail(gtkwPath + ": the VCD's path has a quote or control character");
        gtkwText = *gtkw;
    }
    // Both files replaced together or neither, and never the capture.
    std::vector<exports::Output> outputs{{vcdPath.empty() ? csvPath : vcdPath, text}};
    if (!gtkwPath.empty()) outputs.push_back({gtkwPath, gtkwText});
    std::vector<exports::FileIdentity> inputs;
    if (const auto id = exports::IdentifyFile(path)) inputs.push_back(*id);
    if (!exports::WriteOutputs(outputs, inputs, error)) return fail(error);
    return FinishWithReport(capture.report);
}

// Two commands live in programs of their own, so that every other command starts without what
// they load: the picture export draws the window's chart widget (Qt's GUI libraries), and
// decode runs the protocol decoder library (Python). Each is found beside this program (the
// build tree) or in the package's libexec folder.
int RunHelper(char** argv, const std::string& command) {
    const std::string name = "zq350-inspect-" + command;
    std::string self(PATH_MAX, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", self.data(), self.size() - 1);
    std::string dir = n > 0 ? self.substr(0, static_cast<size_t>(n)) : std::string(argv[0]);
    dir = dir.substr(0, dir.find_last_of('/') + 1);
    const std::string candidates[] = {dir + name, dir + ZQ_LIBEXEC_FROM_BIN "/" + name};
    for (const std::string& program : candidates) {
        if (::access(program.c_str(), X_OK) != 0) continue;
        // Its arguments are ours from the command on, so its usage and messages read the same.
        const std::string shownName = "zq350-inspect " + command;
        argv[1] = const_cast<char*>(shownName.c_str());
        ::execv(program.c_str(), argv + 1);
        std::cerr << "zq350-inspect: " << Shown(program) << ": " << std::strerror(errno) << "\n";
        return 2;
    }
    std::cerr << "zq350-inspect: " << command << " needs " << name << ", which is not installed\n";
    return 2;
}

}  // namespace

int Main(int argc, char** argv) {
    if (argc < 2) return Usage("");
    const std::string command = argv[1];
    if (command == "-h" || command == "--help") return WriteStandardOutput(kUsage) ? 0 : 2;
    if (command == "--version")
        return WriteStandardOutput(std::string("zq350-inspect ") + kVersion + "\n") ? 0 : 2;
    if (command.starts_with("-")) {
        const std::string name = command.substr(0, command.find('='));
        if (name == "--help" || name == "--version") return Usage(name + " takes no value");
        return Usage("unknown option " + Shown(command));
    }
    if (command != "list" && command != "grid" && command != "check" && command != "export" &&
        command != "render" && command != "measure" && command != "decode")
        return Usage("unknown command " + Shown(command));
    // "zq350-inspect list --help" asks for the usage, not for a file named --help.
    if (argc >= 3 && (std::string_view(argv[2]) == "-h" || std::string_view(argv[2]) == "--help"))
        return WriteStandardOutput(kUsage) ? 0 : 2;
    if (command == "render" || command == "decode") return RunHelper(argv, command);
    // A setup names the channels and may give the rate; list, grid and check print exactly what
    // they print without one, so scripts can pass the same setup to every mode.
    ChannelSetup setup;
    if (command == "check") {
        std::vector<std::string> args =
            SplitOptionValues(std::vector<std::string>(argv + 2, argv + argc));
        if (!TakeSetup(args, setup)) return 2;
        return Check(args);
    }
    if (argc < 3) return Usage("missing FILE");
    const std::string path = argv[2];
    if (command == "measure") return Measure(path, std::vector<std::string>(argv + 3, argv + argc));
    std::vector<std::string> args =
        SplitOptionValues(std::vector<std::string>(argv + 3, argv + argc));
    if (!TakeSetup(args, setup)) return 2;
    if (command == "export") return Export(path, args, setup);

    ViewBoxes boxes;
    std::string error;
    const auto rest = ParseViewOptions(args, boxes, error);
    if (!rest) return Usage(error);
    if (command == "list") return List(path, *rest, boxes);
    return Grid(path, *rest, boxes);
}

}  // namespace zq::inspect

int main(int argc, char** argv) { return zq::inspect::Main(argc, argv); }
