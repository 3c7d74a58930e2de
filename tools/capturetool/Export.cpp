#include <cstdio>

#include "CaptureTool.h"
#include "capture/CaptureFile.h"
#include "capture/Decoder.h"
#include "capture/HexConvert.h"

namespace zq::inspect {

namespace {

constexpr int kSamples = 2048;

// Collects the completed words of samples 0..2047; a word counts only when all four of its
// digits arrived at the same sample address.
class WordCollector {
  public:
    explicit WordCollector(CaptureWords& out) : out_(out) {}
    void lineHeader(std::string_view) {}
    void digit(int32_t, int position, char d, int) {
        if (position == 0) value_ = 0;
        value_ = static_cast<uint16_t>((value_ << 4) | HexDigitValue(d));
    }
    void placeMarks(int32_t a, bool wordComplete) {
        if (!wordComplete || a < 0 || a >= kSamples) return;
        if (out_.words.size() <= static_cast<size_t>(a))
            out_.words.resize(static_cast<size_t>(a) + 1);
        out_.words[static_cast<size_t>(a)] = value_;
    }
    void damagedLine(int32_t) {}

  private:
    CaptureWords& out_;
    uint16_t value_ = 0;
};

std::string Hex4(uint16_t w) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04X", w);
    return buf;
}

}  // namespace

std::optional<CaptureWords> ReadCaptureWords(const std::string& path, std::string& error) {
    auto file = CaptureFile::open(path, error);
    if (!file) return std::nullopt;
    CaptureWords c;
    WordCollector collector(c);
    ByteCursor in = file->cursor();
    const ScanResult r = ScanCapture(in, ScanWindow{0, kSamples - 1, kSamples - 1}, collector);
    c.report = r.report;
    c.foundStart = r.foundStart;
    return c;
}

std::string Vcd(const CaptureWords& c, const std::string& source) {
    std::string out;
    out += "$version zq350-inspect $end\n";
    out += "$comment capture " + source + "; " + std::to_string(c.words.size()) +
           " samples, one per time unit; trigger at sample 1024 (#1024) $end\n";
    out += "$timescale 1 us $end\n$scope module zq350 $end\n";
    for (int b = 0; b < 16; ++b)
        out += "$var wire 1 " + std::string(1, static_cast<char>('!' + b)) + " D" +
               std::to_string(b) + " $end\n";
    out += "$upscope $end\n$enddefinitions $end\n";

    std::string previous(16, '?');
    for (size_t s = 0; s < c.words.size(); ++s) {
        const auto& w = c.words[s];
        std::string levels(16, 'x');  // a sample that was not read is unknown
        if (w)
            for (int b = 0; b < 16; ++b)
                levels[static_cast<size_t>(b)] = ((*w >> b) & 1) ? '1' : '0';
        // The trigger is noted in the header only: some readers stop at a comment among the
        // value changes.
        if (levels == previous) continue;
        out += "#" + std::to_string(s) + "\n";
        if (s == 0) out += "$dumpvars\n";
        for (size_t b = 0; b < 16; ++b) {
            if (levels[b] == previous[b]) continue;
            out += levels[b];
            out += static_cast<char>('!' + b);
            out += '\n';
        }
        if (s == 0) out += "$end\n";
        previous = levels;
    }
    out += "#" + std::to_string(c.words.size()) + "\n";
    return out;
}

std::string Csv(const CaptureWords& c) {
    std::string out = "sample,word";
    for (int b = 15; b >= 0; --b) out += ",D" + std::to_string(b);
    out += '\n';
    for (size_t s = 0; s < c.words.size(); ++s) {
        const auto& w = c.words[s];
        out += std::to_string(s) + "," + (w ? Hex4(*w) : "");
        for (int b = 15; b >= 0; --b) {
            out += ',';
            if (w) out += ((*w >> b) & 1) ? '1' : '0';
        }
        out += '\n';
    }
    return out;
}

}  // namespace zq::inspect
