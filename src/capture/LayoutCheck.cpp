#include "capture/LayoutCheck.h"

#include <cstdio>

#include "capture/Decoder.h"
#include "capture/HexConvert.h"

namespace zq {

namespace {

constexpr int kLines = 128;
constexpr int kDigitsPerLine = 64;

std::string Hex4(int v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04X", v);
    return buf;
}

// Address characters as text a terminal can show.
std::string Shown(const std::string& text) {
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

}  // namespace

std::vector<std::string> CheckLayout(ByteCursor& in) {
    Findings f;
    size_t pos = 0;
    while (in.has(pos) && in.at(pos) != 'S') ++pos;
    if (!in.has(pos)) {
        f.add(pos == 0 ? "no capture: the file is empty"
                       : "no capture: the file holds no line start \"S\"");
        return std::move(f).take();
    }

    int line = 0;
    long long extraLines = 0;
    while (in.has(pos)) {  // at an "S"
        ++pos;
        size_t blanks = 0;
        while (in.has(pos) && (in.at(pos) == ' ' || in.at(pos) == '\0')) ++pos, ++blanks;
        std::string address;
        while (address.size() < 4 && in.has(pos) && in.at(pos) != 'S') address += in.at(pos++);
        int digits = 0;
        while (in.has(pos) && in.at(pos) != 'S') digits += IsHexDigit(in.at(pos++)) ? 1 : 0;

        if (line >= kLines) {
            ++extraLines;
            ++line;
            continue;
        }
        const std::string expected = Hex4(line * 16);
        const std::string where = "line " + std::to_string(line + 1) + " (" + expected + "): ";
        if (line == 0 && blanks != 1)
            f.add(where + std::to_string(blanks) + " blanks after \"S\", 1 expected");
        if (address != expected)
            f.add(where + "address \"" + Shown(address) + "\", " + expected + " expected");
        if (digits != kDigitsPerLine)
            f.add(where + std::to_string(digits) + " digits, 64 expected");
        ++line;
    }
    if (line < kLines)
        f.add("the file ends after " + std::to_string(line) + " lines, 128 expected");
    if (extraLines > 0)
        f.add(std::to_string(extraLines) + " more line" + (extraLines == 1 ? "" : "s") +
              " after the last line (07F0)");
    return std::move(f).take();
}

}  // namespace zq
