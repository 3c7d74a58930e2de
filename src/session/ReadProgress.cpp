#include "session/ReadProgress.h"

#include <algorithm>
#include <string>

#include "view/Translate.h"

namespace zq {

namespace {

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

}  // namespace

void ReadProgress::reset() { *this = ReadProgress(); }

void ReadProgress::add(std::string_view chunk) {
    bytes_ += chunk.size();
    for (char c : chunk) {
        if (c == 'S') {
            inHeader_ = true;
            digits_.clear();
        } else if (!inHeader_) {
            continue;
        } else if (digits_.empty() && (c == ' ' || c == '\0')) {
            // blanks between the marker and its address
        } else if (IsHexDigit(c)) {
            digits_.push_back(c);
            if (digits_.size() == 4) {
                lastLine_ = digits_;
                inHeader_ = false;
            }
        } else {
            inHeader_ = false;
        }
    }
}

int ReadProgress::linesReceived() const {
    if (lastLine_.empty()) return 0;
    const unsigned long address = std::stoul(lastLine_, nullptr, 16);
    return static_cast<int>(std::min<unsigned long>(address / 16 + 1, kLinesPerCapture));
}

std::string ReadProgress::text() const {
    if (lastLine_.empty())
        return Arg(translate("zq::DeviceSession", "Receiving from ZQ350: %1 bytes"),
                   {std::to_string(bytes_)});
    return Arg(translate("zq::DeviceSession", "Receiving from ZQ350: %1 bytes, line %2"),
               {std::to_string(bytes_), lastLine_});
}

}  // namespace zq
