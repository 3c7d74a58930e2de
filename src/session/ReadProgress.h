#pragma once
// What a running device read shows of itself: bytes received so far and the address of the
// last line that has begun ("S", blanks, 4 hex digits), found across chunk boundaries.

#include <cstdint>
#include <string>
#include <string_view>

namespace zq {

inline constexpr int kLinesPerCapture = 128;

class ReadProgress {
  public:
    void reset();
    void add(std::string_view chunk);

    uint64_t bytes() const { return bytes_; }
    // The 4 digits of the last complete line address seen; empty before the first one.
    const std::string& lastLine() const { return lastLine_; }
    // Lines of the 128 a capture has that have begun, by the last line address (07F0 = 128);
    // 0 before the first one.
    int linesReceived() const;
    // "Receiving from ZQ350: 5312 bytes, line 03A0".
    std::string text() const;

  private:
    uint64_t bytes_ = 0;
    std::string lastLine_;
    bool inHeader_ = false;  // after an "S", before its 4th address digit
    std::string digits_;
};

}  // namespace zq
