// zq350-inspect, run as a user runs it: the real binary on real files.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "chart/ChartData.h"
#include "chart/Listing.h"
#include "support/CaptureText.h"

namespace zq {
namespace {

struct RunResult {
    int status;
    std::string out;
};

// Standard output, or with stderr set standard error alone.
RunResult Inspect(const std::string& args, bool stderrOnly = false) {
    const std::string cmd = std::string(ZQ_CAPTURE_TOOL) + " " + args +
                            (stderrOnly ? " 2>&1 >/dev/null" : " 2>/dev/null");
    FILE* p = popen(cmd.c_str(), "r");
    RunResult r{-1, {}};
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    const int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

std::string ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

class CaptureToolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        words_ = test::CounterWords();
        good_ = Temp("tool_good.txt");
        test::WriteFile(good_, test::CaptureText(words_));
        auto text = test::CaptureText(words_, 0, 80);
        text.erase(test::LineOffset(text, 0x400) + 7, 1);
        damaged_ = Temp("tool_damaged.txt");
        test::WriteFile(damaged_, text);
    }
    // A file name of this test's own: CTest runs the tests of this suite in parallel
    // processes, which must not rewrite each other's files.
    static std::string Temp(const std::string& name) {
        const std::string dir = ::testing::TempDir() + "/zq_tool_" + std::to_string(::getpid());
        std::filesystem::create_directories(dir);
        return dir + "/" + name;
    }
    std::vector<uint16_t> words_;
    std::string good_, damaged_;
};

TEST_F(CaptureToolTest, ListPrintsTheListingWindowsBuild) {
    ViewBoxes boxes;
    boxes.StartPos = "1000";
    boxes.DataLen = "40";
    boxes.MarkZerocentricCheck = Checked;
    boxes.ZeroCentricVal = "8";
    std::string error;
    auto file = CaptureFile::open(good_, error);
    const DecodedCapture model = DecodeCapture(*file);
    const auto build = BuildListing(StoreView(boxes), good_, &model);

    const RunResult plain = Inspect("list " + good_ + " --start 1000 --length 40 --zero-every 8");
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out, ListingText(build.lines, "\n"));

    const RunResult coloured =
        Inspect("list " + good_ + " --start 1000 --length 40 --zero-every 8 --colour");
    std::istringstream lines(coloured.out);
    std::string line;
    size_t i = 0;
    for (; std::getline(lines, line); ++i) {
        ASSERT_LT(i, build.lines.size());
        char rgb[8];
        std::snprintf(rgb, sizeof rgb, "%06x", build.lines[i].colour);
        EXPECT_EQ(line, std::string(rgb) + " " + build.lines[i].text);
    }
    EXPECT_EQ(i, 41u);
}

TEST_F(CaptureToolTest, GridPrintsOnePassWithLabels) {
    const RunResult r = Inspect("grid " + good_ + " --start 2040 --length 32");
    ASSERT_EQ(r.status, 0);
    std::istringstream in(r.out);
    std::string header, columns, row;
    std::getline(in, header);
    std::getline(in, columns);
    EXPECT_EQ(header, "# start=2016 length=32 cursor-diff=");
    EXPECT_EQ(columns.substr(0, 25), "index,sample,label,t0,t1,");
    int rows = 0;
    while (std::getline(in, row)) {
        if (rows == 0) {
            // Word of sample 2016; trace 1 is channel 12.
            const bool high = (words_[2016] >> 12) & 1;
            EXPECT_EQ(row.rfind(high ? "0,2016,2016,0,12.9," : "0,2016,2016,0,12.1,", 0), 0u)
                << row;
        }
        ++rows;
    }
    EXPECT_EQ(rows, 33);

    const RunResult d = Inspect("grid " + damaged_);
    EXPECT_EQ(d.status, 1);  // damage reported
    EXPECT_NE(d.out.find("# start=1008 length=64 cursor-diff=32\n"), std::string::npos);
    EXPECT_NE(d.out.find("\n16,1024,Trig,0,"), std::string::npos);
}

TEST_F(CaptureToolTest, ReportsGoToStandardErrorAndSetTheExitStatus) {
    const RunResult ok = Inspect("check " + good_, true);
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, "");
    const RunResult bad = Inspect("check " + damaged_, true);
    EXPECT_EQ(bad.status, 1);
    // The whole capture: the damaged line, then the end of the data, with plain line ends;
    // then what the whole-file check finds beyond the pass.
    const std::string report =
        "\n        Text  line  Corrupted\n\nHex Address of 16 word line is 0400\n"
        "Decimal Address of line is      1024\n\nCharacter count of that line is 63\n"
        "\n  Highlighted section is unreliable\n"
        "Premature End of data at text line Hex address 0500\n\n"
        "Last Decimal address was 1296\n\n"
        "line 65 (0400): 63 digits, 64 expected\n"
        "the file ends after 81 lines, 128 expected\n";
    EXPECT_EQ(bad.out, report);
    EXPECT_EQ(Inspect("check " + damaged_).out, "");  // nothing on standard output

    // Every mode prints the report of the whole file whatever its window, and exits 1 for
    // anything that is not an exact capture, so a script can tell them apart.
    std::string oneLine = "S 0000";
    for (int i = 0; i < 2048; ++i) oneLine += " " + test::Hex4(words_[static_cast<size_t>(i)]);
    std::string longLast = test::CaptureText(words_);
    longLast.insert(longLast.size() - 2, " 1234 5678 9ABC");
    const std::pair<std::string, std::string> files[] = {
        {"damaged", ReadAll(damaged_)},
        {"one line", oneLine},
        {"76-digit last line", longLast},
        {"two lines", test::CaptureLine(0, words_) + test::CaptureLine(0x7F0, words_)},
        {"empty", ""},
        {"NULs", std::string(1 << 20, '\0')},
        {"no capture", "no capture here\r\n"},
    };
    const std::string csv = Temp("tool_modes.csv"), png = Temp("tool_modes.png");
    for (const auto& [name, text] : files) {
        const std::string path = Temp("tool_modes.txt");
        test::WriteFile(path, text);
        const RunResult check = Inspect("check " + path, true);
        EXPECT_EQ(check.status, 1) << name;
        EXPECT_NE(check.out, "") << name;
        const std::string modes[] = {"list " + path, "grid " + path,
                                     "export " + path + " --csv " + csv,
                                     "render " + path + " -o " + png};
        for (const std::string& args : modes) {
            const RunResult r = Inspect(args, true);
            EXPECT_EQ(r.status, 1) << name << ": " << args;
            EXPECT_EQ(r.out, check.out) << name << ": " << args;
        }
    }
    EXPECT_EQ(Inspect("check /nonexistent/file.txt").status, 2);
    EXPECT_EQ(Inspect("frobnicate " + good_).status, 2);
    EXPECT_EQ(Inspect("list " + good_ + " --trig maybe").status, 2);
}

TEST_F(CaptureToolTest, ExportRoundTrips) {
    const std::string csv = Temp("tool.csv");
    ASSERT_EQ(Inspect("export " + good_ + " --csv " + csv).status, 0);
    std::istringstream in(ReadAll(csv));
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "sample,word,D15,D14,D13,D12,D11,D10,D9,D8,D7,D6,D5,D4,D3,D2,D1,D0");
    for (int s = 0; s < 2048; ++s) {
        ASSERT_TRUE(std::getline(in, line));
        std::string want = std::to_string(s) + "," + test::Hex4(words_[s]);
        for (int b = 15; b >= 0; --b) want += (words_[s] >> b) & 1 ? ",1" : ",0";
        ASSERT_EQ(line, want);
    }

    // The VCD's value changes give back every word.
    const std::string vcd = Temp("tool.vcd");
    ASSERT_EQ(Inspect("export " + good_ + " --vcd " + vcd).status, 0);
    std::istringstream v(ReadAll(vcd));
    uint16_t current = 0;
    int time = -1;
    std::vector<int> seen(2049, -1);
    auto settle = [&](int until) {
        for (int t = time; t >= 0 && t < until && t < 2048; ++t)
            seen[static_cast<size_t>(t)] = current;
    };
    bool definitions = true;
    while (std::getline(v, line)) {
        if (definitions) {
            definitions = line != "$enddefinitions $end";
            continue;
        }
        if (line[0] == '#') {
            const int t = std::stoi(line.substr(1));
            settle(t);
            time = t;
        } else if ((line[0] == '0' || line[0] == '1') && line.size() == 2) {
            const int bit = line[1] - '!';
            current =
                static_cast<uint16_t>((current & ~(1u << bit)) | (line[0] == '1' ? 1u << bit : 0));
        }
    }
    EXPECT_EQ(time, 2048);
    for (int s = 0; s < 2048; ++s) ASSERT_EQ(seen[static_cast<size_t>(s)], words_[s]) << s;
    EXPECT_NE(ReadAll(vcd).find("trigger at sample 1024 (#1024) $end"), std::string::npos);
}

// Outputs that must not be written, and writes that fail: exit status 2 with the file's name
// and the system's text, the capture untouched, and no file of ours left behind.
TEST_F(CaptureToolTest, ExportRefusesHarmfulOutputsAndReportsFailedWrites) {
    const std::string dir = Temp("export_out");
    ASSERT_EQ(std::system(("rm -rf " + dir + " && mkdir -p " + dir + " && mkfifo " + dir +
                           "/fifo && ln " + good_ + " " + dir + "/link")
                              .c_str()),
              0);
    const std::string before = ReadAll(good_);
    struct Row {
        std::string args;      // after "export GOOD"
        std::string message;   // part of standard error
        std::string leftOver;  // a path that must not exist afterwards
    };
    const Row rows[] = {
        {"--csv " + good_, good_ + ": is the capture", ""},
        {"--vcd=" + dir + "/link", dir + "/link: is the capture", ""},
        {"--vcd " + dir + "/fifo", dir + "/fifo: No such device or address", ""},  // no reader
        {"--csv /dev/full", "/dev/full: No space left on device", ""},
        {"--vcd " + dir + "/a.vcd --gtkw " + dir + "/a.vcd",
         dir + "/a.vcd: is the capture or "
               "another output",
         dir + "/a.vcd"},
        {"--vcd " + dir + "/big.vcd", dir + "/big.vcd: File too large", dir + "/big.vcd"},
        {"--csv " + dir + "/a.csv --gtkw " + dir + "/a.gtkw", "--gtkw needs --vcd",
         dir + "/a.gtkw"},
        {"--vcd " + dir + "/a.vcd --samplerate 1.5", "--samplerate takes", dir + "/a.vcd"},
        {"--csv " + dir + "/a.csv --start 5", "the other view options do not apply", ""},
    };
    for (const Row& r : rows) {
        // A file size limit of one block makes the write of a whole VCD fail.
        const bool limit = r.message.find("too large") != std::string::npos;
        const std::string cmd = std::string(limit ? "bash -c 'ulimit -f 1; trap \"\" XFSZ; " : "") +
                                "timeout 10 " + ZQ_CAPTURE_TOOL + " export " + good_ + " " +
                                r.args + " 2>&1" + (limit ? "'" : "");
        FILE* p = popen(cmd.c_str(), "r");
        std::string err;
        std::array<char, 4096> buf;
        size_t n;
        while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) err.append(buf.data(), n);
        const int st = pclose(p);
        SCOPED_TRACE(r.args);
        EXPECT_EQ(WIFEXITED(st) ? WEXITSTATUS(st) : -1, 2) << err;
        EXPECT_NE(err.find(r.message), std::string::npos) << err;
        if (!r.leftOver.empty()) {
            EXPECT_NE(access(r.leftOver.c_str(), F_OK), 0);
        }
    }
    EXPECT_EQ(ReadAll(good_), before);
}

// The sample rate sets the VCD's time unit; the file name alone is written; the save file
// opens the VCD by its full path with the trigger marker and the cursors.
TEST_F(CaptureToolTest, ExportSampleRateAndSaveFile) {
    const std::string vcd = Temp("rate.vcd");
    const std::string gtkw = Temp("rate.gtkw");
    ASSERT_EQ(Inspect("export " + damaged_ + " --vcd " + vcd +
                      " --samplerate=2000000 --gtkw=" + gtkw + " --cursors 1000,1030")
                  .status,
              1);
    const std::string v = ReadAll(vcd);
    EXPECT_NE(v.find("$timescale 100 ns $end"), std::string::npos);
    EXPECT_NE(v.find("capture tool_damaged.txt; 2048 samples at 2000000 Hz"), std::string::npos);
    EXPECT_NE(v.find("trigger at sample 1024 (#5120) $end"), std::string::npos);
    EXPECT_EQ(v.substr(v.rfind('#')), "#10240\n");  // x up to sample 2047, whatever the file holds
    const std::string g = ReadAll(gtkw);
    char* real = realpath(vcd.c_str(), nullptr);
    ASSERT_TRUE(real);
    EXPECT_NE(g.find("[dumpfile] \"" + std::string(real) + "\"\n"), std::string::npos) << g;
    std::free(real);
    EXPECT_NE(g.find(" 512000 500000 515000 -1 "), std::string::npos) << g;
}

}  // namespace
}  // namespace zq
