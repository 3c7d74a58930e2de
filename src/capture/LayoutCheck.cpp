#include "capture/LayoutCheck.h"

#include <cstdio>
#include <set>

#include "capture/Decoder.h"
#include "capture/HexConvert.h"

namespace zq {

namespace {

constexpr int kLines = 128;
constexpr int kDigitsPerLine = 64;
constexpr int32_t kLastLine = 0x7F0;

std::string Hex4(int v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04X", v);
    return buf;
}

}  // namespace

std::string PrintableText(std::string_view text) {
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        }
    }
    return out;
}

namespace {

class Findings {
  public:
    void add(std::string line) {
        if (static_cast<int>(lines_.size()) < ScanReport::kMaxParagraphs)
            lines_.push_back(std::move(line));
        else
            ++more_;
    }
    std::vector<std::string> take() && {
        if (more_ > 0) lines_.push_back("... and " + std::to_string(more_) + " more");
        return std::move(lines_);
    }

  private:
    std::vector<std::string> lines_;
    long long more_ = 0;
};

struct RawLine {
    size_t blanks = 0;
    std::string address;
    int digits = 0;
};

}  // namespace

std::vector<CaptureLine> PlaceLines(const std::vector<int32_t>& addresses) {
    std::vector<CaptureLine> lines(addresses.size());
    if (lines.empty()) return lines;
    lines[0] = {addresses[0], 0, LinePlace::InSequence};
    std::set<int32_t> held{0};
    int32_t expected = 0;
    bool lastMet = false;
    for (size_t i = 1; i < lines.size(); ++i) {
        CaptureLine& l = lines[i];
        const int32_t a = addresses[i];
        l.address = a;
        if (lastMet) {
            l.place = LinePlace::AfterLast;
            continue;
        }
        expected += 0x10;
        const bool linePlace = a >= 0 && a <= kLastLine && a % 0x10 == 0;
        if (a < 0) {
            l.place = LinePlace::AddressError;
        } else if (a == expected) {
            l.place = LinePlace::InSequence;
        } else if (a > expected && linePlace &&
                   (i + 1 == lines.size() || addresses[i + 1] == a + 0x10)) {
            l.place = LinePlace::AfterGap;
            expected = a;
        } else {
            l.place = LinePlace::OutOfSequence;
            continue;
        }
        if (l.place == LinePlace::AddressError) continue;
        l.at = a;
        held.insert(a);
        lastMet = a == kLastLine;
    }
    // Out of sequence: a free place inside the capture, first come first served.
    for (CaptureLine& l : lines) {
        if (l.place != LinePlace::OutOfSequence) continue;
        if (l.address >= 0 && l.address <= kLastLine && l.address % 0x10 == 0 &&
            held.insert(l.address).second)
            l.at = l.address;
    }
    return lines;
}

std::vector<std::string> CheckLayout(ByteCursor& in) {
    Findings f;
    size_t pos = 0;
    while (in.has(pos) && in.at(pos) != 'S') ++pos;
    if (!in.has(pos)) {
        f.add(pos == 0 ? "no capture: the file is empty"
                       : "no capture: the file holds no line start \"S\"");
        return std::move(f).take();
    }

    std::vector<RawLine> raw;
    std::vector<int32_t> addresses;
    long long notRead = 0;
    while (in.has(pos)) {  // at an "S"
        ++pos;
        if (raw.size() == kMaxLinesRead) {
            ++notRead;
            while (in.has(pos) && in.at(pos) != 'S') ++pos;
            continue;
        }
        RawLine& r = raw.emplace_back();
        while (in.has(pos) && (in.at(pos) == ' ' || in.at(pos) == '\0')) ++pos, ++r.blanks;
        while (r.address.size() < 4 && in.has(pos) && in.at(pos) != 'S') r.address += in.at(pos++);
        while (in.has(pos) && in.at(pos) != 'S') r.digits += IsHexDigit(in.at(pos++)) ? 1 : 0;
        int32_t a = -1;
        if (r.address.size() != 4 || !UsableLineAddress(r.address, a)) a = -1;
        addresses.push_back(a);
    }
    const std::vector<CaptureLine> placed = PlaceLines(addresses);

    int32_t expected = 0;
    bool lastMet = false;
    long long extraLines = 0;
    for (size_t i = 0; i < raw.size(); ++i) {
        const RawLine& r = raw[i];
        const CaptureLine& l = placed[i];
        if (l.place == LinePlace::AfterLast) {
            ++extraLines;
            continue;
        }
        if (i > 0) expected += 0x10;
        const std::string number = "line " + std::to_string(i + 1);
        if (l.place == LinePlace::AfterGap) {
            const int32_t missing = (l.address - expected) / 0x10;
            f.add(number + " (" + Hex4(l.address) + "): " + std::to_string(missing) + " line" +
                  (missing == 1 ? "" : "s") + " missing before it (" + Hex4(expected) +
                  (missing == 1 ? "" : " to " + Hex4(l.address - 0x10)) + ")");
            expected = l.address;
        }
        const std::string where = number + " (" + Hex4(expected) + "): ";
        if (i == 0 && r.blanks != 1)
            f.add(where + std::to_string(r.blanks) + " blanks after \"S\", 1 expected");
        if (r.address != Hex4(expected))
            f.add(where + "address \"" + PrintableText(r.address) + "\", " + Hex4(expected) +
                  " expected");
        if (r.digits != kDigitsPerLine)
            f.add(where + std::to_string(r.digits) + " digits, 64 expected");
        if (l.at == kLastLine) lastMet = true;
    }
    if (!lastMet)
        f.add("the file ends after " + std::to_string(raw.size() - extraLines) + " lines, " +
              std::to_string(kLines) + " expected");
    if (extraLines > 0)
        f.add(std::to_string(extraLines) + " more line" + (extraLines == 1 ? "" : "s") +
              " after the last line (07F0)");
    if (notRead > 0)
        f.add(std::to_string(notRead) + " more lines past the first " +
              std::to_string(kMaxLinesRead) + ", not read");
    return std::move(f).take();
}

}  // namespace zq
