#pragma once
// The view as numbers: what the boxes of either window read as, by the one reading every box
// has. The boxes are its presentation; the session keeps the values of the view last applied,
// so that what builds on the view (the time base, measurements, decoders) reads numbers, never
// texts.

#include <cstdint>
#include <optional>

#include "view/ViewSettings.h"

namespace zq {

struct ViewValues {
    int64_t start = 1008;  // first sample of the window
    int64_t length = 64;   // the window shows start .. start + length
    // An interval's marks; nothing when they are off (unchecked, 0 or not a number).
    std::optional<double> trigInterval, zeroInterval;
    // A cursor's sample; nothing when the cursors are off or its box holds no number.
    std::optional<double> cursorA = 1008, cursorB = 1040;
    bool trig = true;
    // The check states as the boxes hold them (0 unchecked, 1 checked, 2 greyed).
    uint8_t trigCentricCheck = Unchecked, zeroCentricCheck = Unchecked, cursorsCheck = Checked;

    bool operator==(const ViewValues&) const = default;
};

// The values of boxes whose window has been normalised.
ViewValues ReadValues(const ViewBoxes& boxes);

}  // namespace zq
