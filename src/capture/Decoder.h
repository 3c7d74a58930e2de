#pragma once
// The scan of a capture file: one pass over the whole file from its first byte, finding the line
// starts, reading their addresses and counting digits into words. The whole-capture model is
// built from it once per file version; every view reads that model, never the file.

#include <cstdint>
#include <string>
#include <string_view>

#include "capture/CaptureFile.h"
#include "capture/HexConvert.h"

namespace zq {

// The damage paragraphs a pass meets, in order, up to what a person can read in one box: a
// wrong file picked by mistake (every "S" in it starts a line) would otherwise give millions.
// Past the limit the paragraphs are only counted, and one line says how many more there were.
class ScanReport {
  public:
    static constexpr int kMaxParagraphs = 20;

    // Adds the paragraph that make() writes, or only counts it once the report is full.
    template <class Make>
    void add(Make&& make) {
        if (shown_ < kMaxParagraphs) {
            append(make());
            ++shown_;
        } else {
            ++more_;
        }
    }
    // The premature end closes the report and is always shown: it says the data stops there.
    void finish(std::string_view prematureEnd) {
        if (more_ > 0) append(MoreParagraphsLine(more_));
        more_ = 0;
        append(prematureEnd);
    }
    std::string text() && {
        finish({});
        return std::move(text_);
    }
    static std::string MoreParagraphsLine(int64_t more);

  private:
    // Every paragraph starts on a line of its own, whatever the one before it ended with.
    void append(std::string_view paragraph) {
        if (paragraph.empty()) return;
        if (!text_.empty() && text_.back() != '\n' && paragraph.front() != '\r') text_ += "\r\n";
        text_ += paragraph;
    }
    std::string text_;
    int shown_ = 0;
    int64_t more_ = 0;
};

// Where a whole-file scan ended.
struct ScanEnd {
    bool foundStart = false;    // the file holds an "S"
    int lines = 0;              // lines met, the first line included
    std::string lastLineText;   // the last line's address characters as read
    int32_t sampleAddress = 0;  // the first sample not read completely
};

// What is said, once, of a file that holds no line start.
std::string NoCaptureText(std::string_view path);

// The report's paragraphs. CR LF are part of the text the user sees.
std::string DamagedLineParagraph(std::string_view lineText, int64_t lineAddress,
                                 int64_t digitCount);
std::string PrematureEndParagraph(std::string_view lineText, int64_t sampleAddress);
std::string AddressErrorParagraph(std::string_view lineText, std::string_view previousLineText,
                                  int64_t lineAddress);

// A line address the scan can place: four hexadecimal digits below 8000 hexadecimal.
inline bool UsableLineAddress(std::string_view lineText, int32_t& address) {
    bool conversionError = false;
    address = HexAddressToDecimal(lineText, conversionError);
    return !conversionError && address <= 0x7FFF;
}

// A line header's decision: where the line's words go, or nowhere.
// Hooks is any type with these members (all called in file order):
//   std::optional<int32_t> lineHeader(int line, std::string_view lineText);
//        a line start and its address read; returns the sample of the line's first word, or
//        nothing to pass the line's words over (they then land on no sample)
//   void digit(int32_t sampleAddress, int digitPosition, char digit, int digitCount);
//        every hexadecimal digit of a placed line, after the line's digit count was raised
//   void placeMarks(int32_t sampleAddress, bool wordComplete);  after a word's fourth digit
//        (wordComplete) and for every other character of a placed line that is not a start
//   void lineEnd(int line, std::string_view lineText, int digitCount, bool placed, bool last);
//        a line ended: at the next start, or at the end of the file (last)
//
// Line numbers count from 0 in file order. The first line is line 0 whether or not the scan
// meets its "S" a second time; it has no lineHeader call when it is not met again, and its
// words are samples 0 to 15 whatever its address.
template <class Hooks>
ScanEnd ScanCapture(ByteCursor& in, Hooks& hooks) {
    ScanEnd r;
    size_t pos = 0;

    // Everything before the first "S" is ignored; a file without one holds no capture.
    for (;;) {
        if (!in.has(pos)) return r;
        if (in.at(pos++) == 'S') break;
    }
    r.foundStart = true;

    // A line header: blanks (space or NUL), then four address characters. Returns false when
    // the file ends inside it; the text then holds what was there.
    std::string lineText;
    lineText.reserve(4);
    auto readHeader = [&]() {
        while (in.has(pos) && (in.at(pos) == ' ' || in.at(pos) == '\0')) ++pos;
        lineText.clear();
        while (lineText.size() < 4 && in.has(pos)) lineText += in.at(pos++);
        return lineText.size() == 4;
    };

    int32_t sampleAddress = 0;
    int digitCount = 0;
    int digitPosition = 0;
    bool placed = true;
    int line = 0;
    // The first line counts as met once: a step back onto its "S" reads its header again.
    bool firstLineMetAgain = false;

    if (readHeader() && lineText == "0000") {
        // Step back so that the first line's "S" is met again and the first line goes
        // through the same line check as every later one. This lands on the "S" only with
        // exactly one blank after it; other layouts shift the first line, as stored files
        // with such a header have always been read.
        digitCount = 64;
        pos = pos >= 6 ? pos - 6 : 0;
        firstLineMetAgain = in.at(pos) == 'S';
    }
    if (firstLineMetAgain) line = -1;

    for (;;) {
        digitPosition = 0;
        for (;;) {
            if (!in.has(pos)) goto end_of_data;
            char c = in.at(pos++);
            if (c == 'S') {
                if (line >= 0) hooks.lineEnd(line, lineText, digitCount, placed, false);
                ++line;
                digitCount = 0;
                digitPosition = 0;
                if (!readHeader()) {
                    placed = false;
                    goto end_of_data;
                }
                const std::optional<int32_t> at = hooks.lineHeader(line, lineText);
                placed = at.has_value();
                if (placed) sampleAddress = *at;
                if (!in.has(pos)) goto end_of_data;
                c = in.at(pos++);
            }
            if (!placed) continue;
            if (IsHexDigit(c)) {
                ++digitCount;
                hooks.digit(sampleAddress, digitPosition, c, digitCount);
                if (++digitPosition < 4) continue;
                hooks.placeMarks(sampleAddress, true);
                ++sampleAddress;
                break;
            }
            hooks.placeMarks(sampleAddress, false);
        }
    }

end_of_data:
    // A header cut off by the end of the file is still a line, with what its address holds.
    hooks.lineEnd(line, lineText, digitCount, placed, true);
    r.lines = line + 1;
    r.lastLineText = lineText;
    r.sampleAddress = sampleAddress;
    return r;
}

}  // namespace zq
