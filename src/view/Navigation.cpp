#include "view/Navigation.h"

#include <algorithm>
#include <cmath>

#include "view/BoxNumber.h"

namespace zq {

namespace {

void AtLeast(std::string& text, double minimum) {
    if (BoxValue(text) < minimum) text = DecimalText(static_cast<int64_t>(minimum));
}

// The start position moved by delta, as a whole number: a fraction typed into the box would
// otherwise survive as a text that the redraw's digit filter turns into another number.
double MovedStart(const std::string& startPos, double delta) {
    // Far beyond any capture either way; keeps the conversion to an integer defined.
    constexpr double kFar = 1e12;
    return std::clamp(RoundHalfEven(BoxValue(startPos)) + delta, -kFar, kFar);
}

// A start the listing writes back stays within what a 16-bit box can store, so that its text is
// always a plain number that reads back as what it says (a huge value would otherwise print in
// exponent form and read back as 0).
constexpr double kLowest = -32768.0;
constexpr double kHighest = 32767.0;

}  // namespace

bool IncStartClick(ViewBoxes& boxes) {
    AtLeast(boxes.DataLen, 2);
    const double start =
        MovedStart(boxes.StartPos, static_cast<double>(NavigationStep(boxes.DataLen)));
    boxes.StartPos = start > 2044 ? "2045" : DecimalText(static_cast<int64_t>(start));
    return true;
}

bool DecStartClick(ViewBoxes& boxes) {
    AtLeast(boxes.DataLen, 3);
    const double start =
        MovedStart(boxes.StartPos, -static_cast<double>(NavigationStep(boxes.DataLen)));
    boxes.StartPos = start < 1 ? "0" : DecimalText(static_cast<int64_t>(start));
    return true;
}

bool UpdateClick(ViewBoxes& boxes) {
    AtLeast(boxes.DataLen, 3);
    if (boxes.StartPos.empty()) return false;
    const double start = BoxValue(boxes.StartPos);
    if (start > 2044) boxes.StartPos = "2045";
    if (BoxValue(boxes.StartPos) < 1) boxes.StartPos = "0";
    return true;
}

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
