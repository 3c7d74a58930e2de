#pragma once
// Which position labels the chart draws along its axis, and where: the labels handed to the
// chart (PositionLabels) thinned to a round step where they would run into each other, "Trig"
// always, and sample numbers at round steps where the handed labels leave a long window bare.
// Every label stays centred on its own position; one that would touch another is left out.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zq {

struct AxisLabel {
    int32_t position = 0;  // 0-based, as the grid's samples
    std::string text;
    bool operator==(const AxisLabel&) const = default;
};

struct AxisLayout {
    double pitch = 1;                                 // pixels from one position to the next
    double gap = 4;                                   // least blank between two labels, in pixels
    std::function<double(std::string_view)> widthOf;  // a text's width in pixels
};

// labels: one per position (PositionLabels); firstSample: the sample of position 0.
std::vector<AxisLabel> LayoutAxisLabels(const std::vector<std::string>& labels, int32_t firstSample,
                                        const AxisLayout& layout);

}  // namespace zq
