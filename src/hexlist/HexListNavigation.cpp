#include "hexlist/HexListNavigation.h"

#include <algorithm>
#include <cmath>

#include "capture/BoxNumber.h"
#include "capture/ViewSettings.h"

namespace zq {

namespace {

// A start written back stays within what a 16-bit box can store, so that its text is always
// a plain number that reads back as what it says (a huge value would otherwise print in
// exponent form and read back as 0).
constexpr double kLowest = -32768.0;
constexpr double kHighest = 32767.0;

}  // namespace

void StepStartForward(std::string& startPos, std::string& dataLen) {
    if (BoxValue(dataLen) < 2.0) dataLen = "2";
    const double start = BoxValue(startPos) + static_cast<double>(NavigationStep(dataLen));
    startPos = start > 2044.0 ? "2045" : NumberText(std::max(start, kLowest));
}

void StepStartBack(std::string& startPos, std::string& dataLen) {
    if (BoxValue(dataLen) < 3.0) dataLen = "3";
    const double start = BoxValue(startPos) - static_cast<double>(NavigationStep(dataLen));
    startPos = start < 1.0 ? "0" : NumberText(std::min(start, kHighest));
}

}  // namespace zq
