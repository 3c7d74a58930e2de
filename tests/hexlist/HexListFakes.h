#pragma once
// The listing window tests' view of captures made in the test.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "support/CaptureText.h"
#include "support/FakeDialogs.h"

namespace zq::test {

// Writes bytes as the capture file in dir and makes it the current capture, its report not
// shown yet, as a load from disk leaves it.
inline void OpenCapture(CaptureSession& capture, const QTemporaryDir& dir,
                        const std::string& bytes) {
    const std::string path = dir.filePath("capture.log").toStdString();
    WriteFile(path, bytes);
    std::string error;
    ASSERT_TRUE(capture.open(path, error)) << error;
}

// The word of sample n in CaptureText().
inline uint16_t Word(int n) { return CounterWords()[static_cast<size_t>(n)]; }

inline std::string Bits(unsigned w) {
    std::string s;
    for (int d = 3; d >= 0; --d) {
        for (int b = 3; b >= 0; --b) s += ((w >> (4 * d + b)) & 1) ? '1' : '0';
        s += ' ';
    }
    return s;
}

}  // namespace zq::test
