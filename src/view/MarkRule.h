#pragma once
// Which marks a sample carries: the trigger, the marks every N samples from the trigger or from
// sample 0, and the two cursors. The chart and the listing ask the same rule; where they have
// always read the boxes differently, the difference is an explicit option.

#include <cstdint>
#include <optional>
#include <string>

#include "view/ViewSettings.h"

namespace zq {

enum MarkBit : uint8_t {
    kMarkTrig = 1,
    kMarkTrigCentric = 2,
    kMarkZeroCentric = 4,
    kMarkCursor = 8,
};

struct MarkOptions {
    // The chart compares a cursor with a sample number in single precision, the listing exactly.
    bool singlePrecisionCursors = false;
    // The listing reads a cursor box that holds no number as 0; the chart marks nothing for it.
    bool nonNumberCursorIsZero = false;
};
inline constexpr MarkOptions kChartMarks{true, false};
inline constexpr MarkOptions kListingMarks{false, true};

// "Cursor Diff = " and the distance of the two cursors.
std::string CursorDiffCaption(double cursorA, double cursorB);

class MarkRule {
  public:
    MarkRule() = default;
    MarkRule(const ViewBoxes& boxes, MarkOptions options);

    // The marks of a sample, as MarkBit flags.
    uint8_t at(int64_t sample) const {
        uint8_t m = 0;
        if (trig_ && sample == kTriggerSample) m |= kMarkTrig;
        if (zeroStep_ ? sample % *zeroStep_ == 0 : zeroOn_ && whole(sample, zeroInterval_))
            m |= kMarkZeroCentric;
        if (trigStep_ ? (sample - kTriggerSample) % *trigStep_ == 0
                      : trigOn_ && whole(sample - kTriggerSample, trigInterval_))
            m |= kMarkTrigCentric;
        if (cursors_ && (isCursor(cursorA_, sample) || isCursor(cursorB_, sample)))
            m |= kMarkCursor;
        return m;
    }

    // The MarkCursorDiff caption once a cursor sample is met; none while a cursor has no value.
    std::optional<std::string> cursorDiff() const;

  private:
    static bool whole(int64_t n, double interval);
    bool isCursor(const std::optional<double>& cursor, int64_t sample) const {
        if (!cursor) return false;
        if (single_) return static_cast<float>(sample) == static_cast<float>(*cursor);
        return static_cast<double>(sample) == *cursor;
    }

    bool trig_ = false;
    bool zeroOn_ = false, trigOn_ = false;
    double zeroInterval_ = 0, trigInterval_ = 0;
    // Whole intervals are tested with integer arithmetic, without a division in floating point.
    std::optional<int64_t> zeroStep_, trigStep_;
    bool cursors_ = false;
    bool single_ = false;
    std::optional<double> cursorA_, cursorB_;
};

}  // namespace zq
