#include "chart/ChartGrid.h"

namespace zq {

ChartGrid StartupPattern(const TraceLevels& levels) {
    constexpr int kLength = 128;
    ChartGrid grid(kLength);
    for (int s = 0; s <= kLength; ++s) {
        for (int t = 1; t <= 16; ++t) grid.at(t, s) = static_cast<float>(t - 1) + levels.LevelBase;
        for (int c = 0; c <= 15; ++c) {
            if ((s >> (c % 8)) & 1)
                grid.at(c + 1, s) = static_cast<float>(c) + levels.LevelBase + levels.LevelSwing;
        }
    }
    grid.at(kTrigTrace, kLength / 2) = kMarkLevel;
    return grid;
}

}  // namespace zq
