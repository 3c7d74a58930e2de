#pragma once
// What ">" and "<" of the listing window do to its StartPos and DataLen texts before they run
// "Go !". Plain functions over the box texts, so the steps and bounds are tested without a window.

#include <string>

namespace zq {

// ">": a data length below 2 becomes "2"; the start moves forward by one step and stops at 2045.
void StepStartForward(std::string& startPos, std::string& dataLen);

// "<": a data length below 3 becomes "3"; the start moves back by one step and stops at 0.
void StepStartBack(std::string& startPos, std::string& dataLen);

}  // namespace zq
