// zq350-inspect: capture files from the command line, for scripts and for checking what the
// windows show. Every subcommand goes through the same core as the windows.

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "CaptureTool.h"
#include "capture/BoxNumber.h"
#include "capture/CaptureFile.h"
#include "chart/ChartData.h"
#include "chart/Listing.h"
#include "chart/PositionLabels.h"

namespace zq::inspect {

namespace {

constexpr const char* kRenderProgram = "zq350-inspect-render";

constexpr const char* kUsage =
    "usage: zq350-inspect list   FILE [view options] [--colour]\n"
    "       zq350-inspect grid   FILE [view options]\n"
    "       zq350-inspect check  FILE\n"
    "       zq350-inspect export FILE --vcd OUT.vcd | --csv OUT.csv\n"
    "       zq350-inspect render FILE -o OUT.png [view options]\n"
    "\n"
    "view options (the texts of the window's boxes; defaults as at program start):\n"
    "  --start TEXT          start position (1008)\n"
    "  --length TEXT         data length (64)\n"
    "  --trig on|off         trigger mark (on)\n"
    "  --trig-every TEXT     marks every TEXT samples from the trigger (off)\n"
    "  --zero-every TEXT     marks every TEXT samples from sample 0 (off)\n"
    "  --cursors A,B|off     the two cursors (1008,1040)\n"
    "\n"
    "The report of the pass goes to standard error. Exit status: 0 no report, 1 a report,\n"
    "2 bad usage or a file that cannot be opened.\n";

int Usage(const std::string& message) {
    if (!message.empty()) std::cerr << "zq350-inspect: " << message << "\n";
    std::cerr << kUsage;
    return 2;
}

std::unique_ptr<CaptureFile> Open(const std::string& path) {
    std::string error;
    auto file = CaptureFile::open(path, error);
    if (!file) std::cerr << "zq350-inspect: " << path << ": " << error << "\n";
    return file;
}

int List(const std::string& path, const std::vector<std::string>& rest, const ViewBoxes& boxes) {
    bool colour = false;
    for (const auto& a : rest) {
        if (a == "--colour" || a == "--color")
            colour = true;
        else
            return Usage("unknown option " + a);
    }
    auto file = Open(path);
    if (!file) return 2;
    // As after "Go !" in the listing window: the typed values stored, then one build.
    const ListingBuild b = BuildListing(StoreView(boxes), path, file.get());
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
    std::fwrite(out.data(), 1, out.size(), stdout);
    return FinishWithReport(b.report);
}

int Grid(const std::string& path, const std::vector<std::string>& rest, ViewBoxes boxes) {
    if (!rest.empty()) return Usage("unknown option " + rest.front());
    auto file = Open(path);
    if (!file) return 2;
    const CalcDataResult r = CalcDataPass(boxes, file.get());
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
    std::fwrite(out.data(), 1, out.size(), stdout);
    return FinishWithReport(r.report);
}

int Check(const std::string& path, const std::vector<std::string>& rest) {
    if (!rest.empty()) return Usage("unknown option " + rest.front());
    auto file = Open(path);
    if (!file) return 2;
    ViewBoxes boxes;
    boxes.StartPos = "0";
    boxes.DataLen = "2047";
    // The report alone, as the window's box would show it after a pass over the whole capture.
    return FinishWithReport(CalcDataPass(boxes, file.get()).report);
}

int Export(const std::string& path, const std::vector<std::string>& rest) {
    if (rest.size() != 2 || (rest[0] != "--vcd" && rest[0] != "--csv"))
        return Usage("export needs --vcd OUT.vcd or --csv OUT.csv");
    std::string error;
    const auto words = ReadCaptureWords(path, error);
    if (!words) {
        std::cerr << "zq350-inspect: " << path << ": " << error << "\n";
        return 2;
    }
    const std::string text = rest[0] == "--vcd" ? Vcd(*words, path) : Csv(*words);
    std::ofstream out(rest[1], std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
        std::cerr << "zq350-inspect: " << rest[1] << ": " << std::strerror(errno) << "\n";
        return 2;
    }
    return FinishWithReport(words->report);
}

// The picture export draws the window's own chart widget, so it lives in a program of its own
// that links Qt's GUI libraries; every other command starts without them. It is found beside
// this program (the build tree) or in the package's libexec folder.
int RunRender(char** argv) {
    std::string self(PATH_MAX, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", self.data(), self.size() - 1);
    std::string dir = n > 0 ? self.substr(0, static_cast<size_t>(n)) : std::string(argv[0]);
    dir = dir.substr(0, dir.find_last_of('/') + 1);
    const std::string candidates[] = {dir + kRenderProgram,
                                      dir + ZQ_LIBEXEC_FROM_BIN "/" + kRenderProgram};
    for (const std::string& program : candidates) {
        if (::access(program.c_str(), X_OK) != 0) continue;
        // Its arguments are ours from "render" on, so its usage and messages read the same.
        argv[1] = const_cast<char*>("zq350-inspect render");
        ::execv(program.c_str(), argv + 1);
        std::cerr << "zq350-inspect: " << program << ": " << std::strerror(errno) << "\n";
        return 2;
    }
    std::cerr << "zq350-inspect: render needs " << kRenderProgram << ", which is not installed\n";
    return 2;
}

}  // namespace

int Main(int argc, char** argv) {
    if (argc < 2) return Usage("");
    const std::string command = argv[1];
    if (command == "-h" || command == "--help") {
        std::cout << kUsage;
        return 0;
    }
    if (command == "render") return RunRender(argv);
    if (argc < 3) return Usage("missing FILE");
    const std::string path = argv[2];
    const std::vector<std::string> args(argv + 3, argv + argc);
    if (command == "check") return Check(path, args);
    if (command == "export") return Export(path, args);

    ViewBoxes boxes;
    std::string error;
    const auto rest = ParseViewOptions(args, boxes, error);
    if (!rest) return Usage(error);
    if (command == "list") return List(path, *rest, boxes);
    if (command == "grid") return Grid(path, *rest, boxes);
    return Usage("unknown command " + command);
}

}  // namespace zq::inspect

int main(int argc, char** argv) { return zq::inspect::Main(argc, argv); }
