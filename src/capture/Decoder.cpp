#include "capture/Decoder.h"

namespace zq {

namespace {
constexpr std::string_view kCrLf = "\r\n";
}

std::string NoCaptureText(std::string_view path) {
    std::string p(path);
    p += kCrLf;
    p += kCrLf;
    p += "holds no capture: no line of it starts with \"S\".";
    return p;
}

std::string DamagedLineParagraph(std::string_view lineText, int64_t lineAddress,
                                 int64_t digitCount) {
    std::string p;
    p += kCrLf;
    p += "        Text  line  Corrupted";
    p += kCrLf;
    p += kCrLf;
    p += "Hex Address of 16 word line is ";
    p += lineText;
    p += kCrLf;
    p += "Decimal Address of line is      ";
    p += std::to_string(lineAddress);
    p += kCrLf;
    p += kCrLf;
    p += "Character count of that line is ";
    p += std::to_string(digitCount);
    p += kCrLf;
    p += kCrLf;
    p += "  Highlighted section is unreliable";
    return p;
}

std::string PrematureEndParagraph(std::string_view lineText, int64_t sampleAddress) {
    std::string p = "Premature End of data at text line Hex address ";
    p += lineText;
    p += kCrLf;
    p += kCrLf;
    p += "Last Decimal address was ";
    p += std::to_string(sampleAddress);
    p += kCrLf;
    p += kCrLf;
    return p;
}

std::string ScanReport::MoreParagraphsLine(int64_t more) {
    std::string p;
    p += kCrLf;
    p += kCrLf;
    p += "... and " + std::to_string(more) + " more damaged " +
         (more == 1 ? "line or address" : "lines or addresses") + " in this file, not listed";
    p += kCrLf;
    p += kCrLf;
    return p;
}

std::string AddressErrorParagraph(std::string_view lineText, std::string_view previousLineText,
                                  int64_t lineAddress) {
    std::string p;
    p += kCrLf;
    p += " Address Error in datafile";
    p += kCrLf;
    p += kCrLf;
    p += "Hex Address of 16 word line is ";
    p += lineText;
    p += kCrLf;
    p += "Previous Hex Address was ... ";
    p += previousLineText;
    p += kCrLf;
    p += kCrLf;
    p += kCrLf;
    p += "Current Decimal Address of line is      ";
    p += std::to_string(lineAddress);
    p += kCrLf;
    p += kCrLf;
    p += "   Data will be absent from graph";
    return p;
}

}  // namespace zq
