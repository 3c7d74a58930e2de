#pragma once
// The two trace levels of the chart. They act as constants for the whole run: a channel b is
// drawn at b + LevelBase when low and b + LevelBase + LevelSwing when high.

namespace zq {

struct TraceLevels {
    float LevelBase = 0.1f;
    float LevelSwing = 0.8f;
};

}  // namespace zq
