// zq350-inspect, run as a user runs it: the real binary on real files.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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

// A shell command's standard output and exit status.
RunResult Shell(const std::string& cmd) {
    FILE* p = popen(cmd.c_str(), "r");
    RunResult r{-1, {}};
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    const int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

// Standard output, or with stderr set standard error alone.
RunResult Inspect(const std::string& args, bool stderrOnly = false) {
    return Shell(std::string(ZQ_CAPTURE_TOOL) + " " + args +
                 (stderrOnly ? " 2>&1 >/dev/null" : " 2>/dev/null"));
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
    // A setup that names channel 0 and sets a rate of 2 MHz.
    static std::string NamesSetup() {
        const std::string path = Temp("names.json");
        test::WriteFile(path,
                        R"({"samplerate": 2000000, "channels": [{"channel": 0, "name": "CLK"}]})");
        return path;
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

    // An address quoted from the file shows its control bytes as \xNN: a file cannot drive the
    // terminal the report is read on.
    std::string escaped = test::CaptureText(words_);
    escaped.replace(test::LineOffset(escaped, 0x100) + 2, 4, "\x1B[2J");
    const std::string escapedPath = Temp("tool_escaped.txt");
    test::WriteFile(escapedPath, escaped);
    const RunResult esc = Inspect("check " + escapedPath, true);
    EXPECT_EQ(esc.status, 1);
    EXPECT_NE(esc.out.find("line is \\x1B[2J\n"), std::string::npos) << esc.out;
    EXPECT_EQ(esc.out.find('\x1B'), std::string::npos);

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
                                     "render " + path + " -o " + png, "measure " + path};
        for (const std::string& args : modes) {
            const RunResult r = Inspect(args, true);
            EXPECT_EQ(r.status, 1) << name << ": " << args;
            EXPECT_EQ(r.out, check.out) << name << ": " << args;
        }
    }
}

// -h or --help after any command is the usage on standard output, not a file to open.
TEST_F(CaptureToolTest, HelpAfterACommandIsTheUsage) {
    const RunResult usage = Inspect("--help");
    ASSERT_EQ(usage.status, 0);
    for (const char* args : {"list --help", "check -h", "export --help", "render -h",
                             "measure --help", "decode --help"}) {
        const RunResult r = Inspect(args);
        EXPECT_EQ(r.status, 0) << args;
        EXPECT_EQ(r.out, usage.out) << args;
    }
}

// A command line that cannot be run ends with status 2 and a first line naming what is wrong,
// file names and arguments as given with their control bytes shown as \xNN.
TEST_F(CaptureToolTest, RefusedCommandLinesNameWhatIsWrong) {
    const std::string dir = Temp("refused");
    std::filesystem::create_directories(dir);
    const std::string esc = "\"$(printf '\\033')\"";  // the shell's arguments hold an escape
    struct Row {
        std::string args;     // shell words
        std::string message;  // the first line of standard error, after "zq350-inspect: "
    };
    const Row rows[] = {
        {"--version=1", "--version takes no value"},
        {"--bogus", "unknown option --bogus"},
        {"frobnicate " + good_, "unknown command frobnicate"},
        {"check", "missing FILE"},
        {"check --frob " + good_, "unknown option --frob"},
        {"list " + good_ + " --trig maybe", "--trig takes on or off"},
        {"list " + good_ + " --colour" + esc, "unknown option --colour\\x1B"},
        {"list " + good_ + " --start ' 1e3'", "--start  1e3: write the number in plain decimals"},
        {"grid " + good_ + " --start='1E3 '", "--start 1E3 : write the number in plain decimals"},
        {"grid " + good_ + " --trig-every ' 2.5e+1 '",
         "--trig-every  2.5e+1 : write the number in plain decimals"},
        {"export " + good_ + " --vcd " + dir + "/c.vcd --gtkw " + dir + "/c.gtkw --cursors 1e3,5",
         "--cursors 1e3,5: write the number in plain decimals"},
        {"list " + good_ + " --cursors '5, 1e3'",
         "--cursors 5, 1e3: write the number in plain decimals"},
        {"check /nonexistent/file.txt", "/nonexistent/file.txt: No such file or directory"},
        {"check \"/nonexistent/a\"" + esc + "\"[31m$(printf '\\nb')\"",
         "/nonexistent/a\\x1B[31m\\x0Ab: No such file or directory"},
        // render names the file as given, as the other commands do, not by its full path.
        {"render nonexistent" + esc + ".txt -o " + dir + "/c.png",
         "nonexistent\\x1B.txt: No such file or directory"},
        {"render " + good_ + " extra" + esc + " -o " + dir + "/c.png", "unknown option extra\\x1B"},
        {"measure " + good_ + " --channel 16",
         "--channel 16: no such channel (0 to 15, or a name from --setup)"},
        {"measure " + good_ + " --setup " + NamesSetup() + " --channel unknown-name",
         "--channel unknown-name: no such channel (0 to 15, or a name from --setup)"},
        {"measure " + good_ + " --samplerate 0",
         "--samplerate \"0\": a sample rate must be above 0"},
        {"measure " + good_ + " --csv=yes", "--csv takes no value"},
        {"measure " + good_ + " --start 5", "unknown option --start"},
    };
    for (const Row& r : rows) {
        const RunResult err = Inspect(r.args, true);
        EXPECT_EQ(err.status, 2) << r.args;
        EXPECT_EQ(err.out.substr(0, err.out.find('\n')), "zq350-inspect: " + r.message) << r.args;
    }
    // The refused export wrote nothing.
    EXPECT_NE(access((dir + "/c.vcd").c_str(), F_OK), 0);
    EXPECT_NE(access((dir + "/c.gtkw").c_str(), F_OK), 0);
}

// check of several files: a line each on standard output, every file checked, the worst status.
TEST_F(CaptureToolTest, CheckOfSeveralFilesGivesALineEach) {
    const std::string odd = Temp("odd\x1B[2J\nname.txt");
    test::WriteFile(odd, ReadAll(good_));
    const std::string oddShown = Temp("odd\\x1B[2J\\x0Aname.txt");
    const std::string missing = Temp("missing.txt");
    const std::string damagedLine = damaged_ + ": line 65 (0400): 63 digits, 64 expected\n";
    struct Row {
        std::string args;
        int status;
        std::string out;
    };
    const Row rows[] = {
        {good_ + " '" + odd + "'", 0, good_ + ": ok\n" + oddShown + ": ok\n"},
        {good_ + " " + damaged_, 1, good_ + ": ok\n" + damagedLine},
        // A file that cannot be opened does not stop the others.
        {missing + " " + damaged_ + " " + good_, 2,
         missing + ": No such file or directory\n" + damagedLine + good_ + ": ok\n"},
        {"--verbose " + damaged_ + " " + good_, 1, damagedLine + good_ + ": ok\n"},
    };
    for (const Row& r : rows) {
        const RunResult out = Inspect("check " + r.args);
        EXPECT_EQ(out.status, r.status) << r.args;
        EXPECT_EQ(out.out, r.out) << r.args;
    }
    // --verbose: each report on standard error after a line naming its file; none otherwise.
    EXPECT_EQ(Inspect("check " + damaged_ + " " + good_, true).out, "");
    const std::string verbose = Inspect("check --verbose " + good_ + " " + damaged_, true).out;
    EXPECT_EQ(verbose.rfind("==> " + damaged_ + " <==\n\n        Text  line  Corrupted\n", 0), 0u)
        << verbose;
    EXPECT_EQ(verbose.substr(verbose.size() - 43), "the file ends after 81 lines, 128 expected\n");

    const std::string err = Temp("full.err");
    const int st = std::system(
        (std::string(ZQ_CAPTURE_TOOL) + " check " + good_ + " " + damaged_ + " >/dev/full 2>" + err)
            .c_str());
    EXPECT_EQ(WIFEXITED(st) ? WEXITSTATUS(st) : -1, 2);
    EXPECT_EQ(ReadAll(err), "zq350-inspect: standard output: No space left on device\n");
}

// A setup's names reach the exports; the modes that print the capture print it as without one.
TEST_F(CaptureToolTest, EveryModeTakesASetupAndTheExportsCarryItsNames) {
    const std::string setup = NamesSetup(), csv = Temp("named.csv"), vcd = Temp("named.vcd");
    ASSERT_EQ(Inspect("export " + good_ + " --csv " + csv + " --setup " + setup).status, 0);
    EXPECT_EQ(ReadAll(csv).substr(0, ReadAll(csv).find('\n')),
              "sample,word,D15,D14,D13,D12,D11,D10,D9,D8,D7,D6,D5,D4,D3,D2,D1,CLK");
    ASSERT_EQ(Inspect("export " + good_ + " --vcd " + vcd + " --setup=" + setup).status, 0);
    const std::string dump = ReadAll(vcd);
    EXPECT_NE(dump.find(" CLK $end"), std::string::npos);
    EXPECT_NE(dump.find(" samples at 2000000 Hz"), std::string::npos);  // the setup's rate
    for (const char* mode : {"list ", "grid ", "check "})
        EXPECT_EQ(Inspect(mode + damaged_ + " --setup " + setup, true).out,
                  Inspect(mode + damaged_, true).out)
            << mode;
    EXPECT_EQ(Inspect("list " + good_ + " --setup " + setup).out, Inspect("list " + good_).out);
    const std::string bad = Temp("bad.json");
    test::WriteFile(bad, "{\n\"samplerate\": -1}");
    const RunResult refused = Inspect("list " + good_ + " --setup " + bad, true);
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.out.find("samplerate"), std::string::npos) << refused.out;
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

// No output of either command ever is the capture (by its path, a hard or a symbolic link) or
// a pipe or socket: each is refused at once, with status 2, before a byte is written.
TEST_F(CaptureToolTest, NoOutputIsTheCaptureAPipeOrASocket) {
    const std::string dir = Temp("refused");
    std::filesystem::create_directories(dir);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string hard = dir + "/hard.txt", symbolic = dir + "/symbolic.txt",
                      fifo = dir + "/fifo", socket = dir + "/socket", vcd = dir + "/with.vcd";
    ASSERT_EQ(::link(good_.c_str(), hard.c_str()), 0);
    std::filesystem::create_symlink(good_, symbolic);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socket.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const std::string before = ReadAll(good_);

    const std::string outputs[] = {"export " + good_ + " --csv ", "export " + good_ + " --vcd ",
                                   "export " + good_ + " --vcd " + vcd + " --gtkw ",
                                   "render " + good_ + " -o "};
    const std::pair<std::string, std::string> targets[] = {
        {good_, "is the capture"},       {hard, "is the capture"},
        {symbolic, "is the capture"},    {fifo, "is a pipe or socket"},
        {socket, "is a pipe or socket"},
    };
    for (const std::string& output : outputs)
        for (const auto& [target, message] : targets) {
            const RunResult r = Shell("timeout 10 " + std::string(ZQ_CAPTURE_TOOL) + " " + output +
                                      target + " 2>&1");
            SCOPED_TRACE(output + target);
            EXPECT_EQ(r.status, 2) << r.out;
            EXPECT_NE(r.out.find(target + ": " + message), std::string::npos) << r.out;
        }
    ::close(listener);
    EXPECT_FALSE(std::filesystem::exists(vcd));  // the VCD is written only with its save file
    EXPECT_EQ(ReadAll(good_), before);
}

// Writes that fail and outputs that cannot be made: status 2 with the file's name and the
// system's text; an existing file is left as it was and no file is left half-written.
TEST_F(CaptureToolTest, FailedWritesLeaveEveryFileAsItWas) {
    const std::string dir = Temp("failed");
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string tool = std::string(ZQ_CAPTURE_TOOL) + " ";
    const std::string exportGood = tool + "export " + good_ + " ",
                      renderGood = tool + "render " + good_;
    const std::string oldVcd = dir + "/old.vcd", oldPng = dir + "/old.png";
    // A file size limit of one block makes the write of a whole VCD or picture fail.
    const std::string limit = "ulimit -f 1; trap '' XFSZ; ";
    struct Row {
        std::string command;
        std::string message;  // part of standard error
        std::string absent;   // a file the command must not leave
    };
    const Row rows[] = {
        {exportGood + "--csv /dev/full", "/dev/full: No space left on device", ""},
        {renderGood + " -o /dev/full", "/dev/full: No space left on device", ""},
        {limit + exportGood + "--vcd " + oldVcd, oldVcd + ": File too large", ""},
        {limit + renderGood + " -o " + oldPng, oldPng + ": File too large", ""},
        {limit + exportGood + "--csv " + dir + "/new.csv", "File too large", dir + "/new.csv"},
        {exportGood + "--vcd " + oldVcd + " --gtkw /dev/full", "/dev/full: No space", ""},
        {exportGood + "--vcd " + dir + "/new.vcd --gtkw /dev/full", "/dev/full: No space",
         dir + "/new.vcd"},
        {exportGood + "--vcd " + dir + "/a.vcd --gtkw " + dir + "/a.vcd",
         dir + "/a.vcd: is also another output", dir + "/a.vcd"},
        {exportGood + "--csv " + dir + "/a.csv --gtkw " + dir + "/a.gtkw", "--gtkw needs --vcd",
         dir + "/a.gtkw"},
        {exportGood + "--vcd " + dir + "/a.vcd --samplerate 1.5", "--samplerate takes",
         dir + "/a.vcd"},
        {exportGood + "--csv " + dir + "/a.csv --start 5", "the other view options do not apply",
         dir + "/a.csv"},
    };
    for (const Row& r : rows) {
        test::WriteFile(oldVcd, "old VCD");
        test::WriteFile(oldPng, "old picture");
        const RunResult run = Shell("bash -c \"" + r.command + " 2>&1\"");
        SCOPED_TRACE(r.command);
        EXPECT_EQ(run.status, 2) << run.out;
        EXPECT_NE(run.out.find(r.message), std::string::npos) << run.out;
        EXPECT_EQ(ReadAll(oldVcd), "old VCD");
        EXPECT_EQ(ReadAll(oldPng), "old picture");
        if (!r.absent.empty()) {
            EXPECT_FALSE(std::filesystem::exists(r.absent));
        }
        // Nothing else: no temporary file of a failed write.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2);
    }
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

// measure on the example, whose channel 0 is a clock toggling every 4 samples: a line per
// channel with its statistics, in samples or at a rate from the options or the setup.
TEST_F(CaptureToolTest, MeasureGivesEachChannelsPulses) {
    const std::string example = std::string(ZQ_EXAMPLES_DIR) + "/counter-uart.txt ";
    const std::string setup = NamesSetup();
    const std::string us4 = "4.00 us 4.00 us 4.00 us ", us8 = "8.00 us 8.00 us 8.00 us ";
    struct Row {
        std::string args;
        size_t lines;      // of standard output
        size_t line;       // the line checked, blanks between its words collapsed to one
        std::string want;  // a part of it
    };
    const Row rows[] = {
        {"", 18, 2, "0 256 255 4 4 4 4 4 4 8 8 8 0.125 50.0 %"},
        {"", 18, 0, "high (samples)"},
        {"--samplerate 1MHz --channel 0", 3, 2, "0 256 255 " + us4 + us4 + us8 + "125 kHz 50.0 %"},
        // The setup's name and rate; --samplerate takes the place of the rate.
        {"--setup " + setup + " --channel CLK", 3, 2, "CLK 256 255 2.00 us"},
        {"--setup=" + setup + " --channel 3 --channel CLK --samplerate 1MHz", 4, 3,
         "CLK 256 255 " + us4 + us4 + us8 + "125 kHz"},
        {"--csv", 17, 1, "0,,256,255,4,4,4,4,4,4,8,8,8,0.125,50"},
        {"--csv --channel 0 --channel 3", 3, 0, ",period_min_samples,period_mean_samples,"},
        {"--csv --channel 0 --channel 3", 3, 2, "3,,32,31,32,32,32,32,32,32,64,64,64,0.015625,50"},
        {"--csv --samplerate=1000000 --channel 0", 2, 0, ",period_mean_s,period_max_s,"},
        {"--csv --samplerate=1000000 --channel 0", 2, 1, ",8e-06,8e-06,8e-06,125000,50"},
        {"--csv --setup " + setup + " --channel CLK", 2, 1, "0,CLK,256,255,2e-06,"},
    };
    for (const Row& r : rows) {
        const RunResult run = Inspect("measure " + example + r.args);
        SCOPED_TRACE(r.args);
        EXPECT_EQ(run.status, 0);
        std::vector<std::string> lines;
        std::istringstream in(run.out);
        for (std::string l; std::getline(in, l);) {
            std::istringstream words(l);
            std::string collapsed, word;
            while (words >> word) collapsed += (collapsed.empty() ? "" : " ") + word;
            lines.push_back(collapsed);
        }
        ASSERT_EQ(lines.size(), r.lines) << run.out;
        EXPECT_NE(lines[r.line].find(r.want), std::string::npos) << lines[r.line];
    }
    // A setup that is not one is refused with its own message.
    const std::string bad = Temp("bad.json");
    test::WriteFile(bad, "{\"channels\": 5}");
    const RunResult refused = Inspect("measure " + example + "--setup " + bad, true);
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out.rfind("zq350-inspect: " + bad + ": ", 0), 0u) << refused.out;
}

}  // namespace
}  // namespace zq
