#pragma once
// What ">", "<" and "Go !" of both windows do to the StartPos and DataLen texts before a redraw.
// Texts that are no numbers read as 0 and end corrected by the same bounds, so no input stops
// them. The two windows step alike but bound and write their texts as each always has.

#include <cstdint>
#include <string>
#include <string_view>

#include "view/ViewSettings.h"

namespace zq {

// Click of IncStart (">"): DataLen at least 2, StartPos one step on, at most 2045. Redraws.
bool IncStartClick(ViewBoxes& boxes);
// Click of DecStart ("<"): DataLen at least 3, StartPos one step back, at least 0. Redraws.
bool DecStartClick(ViewBoxes& boxes);
// Click of Update ("Go !"): DataLen at least 3; with an empty StartPos nothing is drawn,
// otherwise StartPos within 0..2045. Returns whether to redraw.
bool UpdateClick(ViewBoxes& boxes);

// The listing window's ">": a data length below 2 becomes "2"; the start moves forward by one
// step and stops at 2045.
void StepStartForward(std::string& startPos, std::string& dataLen);
// The listing window's "<": a data length below 3 becomes "3"; the start moves back by one step
// and stops at 0.
void StepStartBack(std::string& startPos, std::string& dataLen);

}  // namespace zq
