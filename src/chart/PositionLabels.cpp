#include "chart/PositionLabels.h"

#include <cmath>

#include "view/BoxNumber.h"
#include "view/ViewSettings.h"

namespace zq {

std::vector<std::string> PositionLabels(const std::string& startPos, const std::string& dataLen,
                                        int gridLength) {
    const int positions = (gridLength < 0 ? 0 : gridLength) + 1;
    std::vector<std::string> labels(static_cast<size_t>(positions));
    const double length = BoxValue(dataLen);
    const double start = BoxValue(startPos);

    if (length <= 32) {
        for (int i = 1; i <= positions; ++i)
            labels[static_cast<size_t>(i - 1)] = NumberText(start + i - 1);
    } else if (length <= 64) {
        for (int i = 1; i <= positions; ++i) {
            const double q = start + i / 4.0;
            if (q == std::floor(q)) labels[static_cast<size_t>(i - 1)] = NumberText(start + i - 1);
        }
    }

    if (start <= kTriggerSample && start + length >= kTriggerSample) {
        const double pos = RoundHalfEven(kTriggerSample + 1 - start);
        // A window that the pass sized smaller than its length (a length of "1" draws two
        // samples) may not reach the trigger's position: then there is nothing to label.
        if (pos >= 1 && pos <= positions) labels[static_cast<size_t>(pos) - 1] = "Trig";
    }
    return labels;
}

}  // namespace zq
