#pragma once
// The labels of the chart's horizontal positions.

#include <string>
#include <vector>

namespace zq {

// One label per position 1..gridLength + 1 (element 0 is position 1), from the StartPos and
// DataLen texts: every sample up to 32 samples, every fourth up to 64, none beyond, and "Trig"
// on the trigger sample whenever the window reaches it.
std::vector<std::string> PositionLabels(const std::string& startPos, const std::string& dataLen,
                                        int gridLength);

}  // namespace zq
