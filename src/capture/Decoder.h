#pragma once
// The scan of a capture file, shared by the chart and the listing: one pass from the first
// byte, finding the line starts, counting digits into words, checking every line it passes and
// collecting the damage report. What each consumer does with the digits and words it is told
// of lives in its own hooks, so both windows read a file exactly alike.

#include <cstdint>
#include <string>
#include <string_view>

#include "capture/CaptureFile.h"
#include "capture/HexConvert.h"

namespace zq {

// The window of one pass, after normalisation.
struct ScanWindow {
    int32_t start = 0;      // first sample of the window (the StartPos box)
    int32_t windowEnd = 0;  // start + the data length the pass began with
    int64_t dataLen = 0;    // the normalised DataLen box; decides when a damaged line ends a pass
};

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
            text_ += make();
            ++shown_;
        } else {
            ++more_;
        }
    }
    // The premature end closes the report and is always shown: it says the data stops there.
    void finish(std::string_view prematureEnd) {
        if (more_ > 0) text_ += MoreParagraphsLine(more_);
        more_ = 0;
        text_ += prematureEnd;
    }
    std::string text() && {
        finish({});
        return std::move(text_);
    }
    static std::string MoreParagraphsLine(int64_t more);

  private:
    std::string text_;
    int shown_ = 0;
    int64_t more_ = 0;
};

struct ScanResult {
    bool foundStart = false;  // the file holds an "S": the pass reached its finish
    std::string report;       // damage paragraphs in the order met; empty when none
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

// Hooks is any type with these members (all called on the scan's own thread, in file order):
//   void lineHeader(std::string_view lineText);  a line start checked and its address read
//   void digit(int32_t sampleAddress, int digitPosition, char digit, int digitCount);
//        every hexadecimal digit, after the line's digit count was raised
//   void placeMarks(int32_t sampleAddress, bool wordComplete);  after a word's fourth digit
//        (wordComplete) and for every other character that is not a start marker
//   void damagedLine(int32_t lineAddress);  a damaged line reaching into the window
//
// A line whose address is not four hexadecimal digits, or is 8000 hexadecimal or more, cannot be
// placed: it is reported with the address-error paragraph and its words are passed over, so
// that they neither land on other samples nor end the pass; the next line is read as usual.
template <class Hooks>
ScanResult ScanCapture(ByteCursor& in, const ScanWindow& w, Hooks& hooks) {
    ScanResult r;
    ScanReport report;
    const auto done = [&] {
        r.report = std::move(report).text();
        return r;
    };
    size_t pos = 0;

    // Everything before the first "S" is ignored; a file without one holds no capture.
    for (;;) {
        if (!in.has(pos)) return done();
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
    bool placed = true;  // the current line's address was usable
    std::string previousLineText;

    if (readHeader() && lineText == "0000") {
        // Step back so that the first line's "S" is met again and the first line goes
        // through the same line check as every later one. This lands on the "S" only with
        // exactly one blank after it; other layouts shift the first line, as stored files
        // with such a header have always been read.
        digitCount = 64;
        pos = pos >= 6 ? pos - 6 : 0;
    }

    for (;;) {
        if (sampleAddress > w.windowEnd) return done();
        digitPosition = 0;
        for (;;) {
            if (!in.has(pos)) goto end_of_data;
            char c = in.at(pos++);
            if (c == 'S') {
                if (placed && digitCount != 64) {
                    const int32_t L = HexAddressToDecimal(lineText);
                    if (w.start <= int64_t{L} + 15) {
                        report.add([&] { return DamagedLineParagraph(lineText, L, digitCount); });
                        hooks.damagedLine(L);
                    }
                    if (w.start + w.dataLen <= int64_t{L} + 16) return done();
                }
                previousLineText = lineText;
                if (!readHeader()) goto end_of_data;
                int32_t address = 0;
                placed = UsableLineAddress(lineText, address);
                digitCount = 0;
                digitPosition = 0;
                if (placed) {
                    sampleAddress = address;
                    hooks.lineHeader(lineText);
                } else {
                    report.add(
                        [&] { return AddressErrorParagraph(lineText, previousLineText, address); });
                }
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
    if (lineText != "07F0") report.finish(PrematureEndParagraph(lineText, sampleAddress));
    return done();
}

}  // namespace zq
