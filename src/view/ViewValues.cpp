#include "view/ViewValues.h"

#include <cmath>

#include "view/BoxNumber.h"

namespace zq {

namespace {

std::optional<double> Interval(uint8_t check, const std::string& text) {
    const auto v = ParseBoxNumber(text);
    if (check == Unchecked || !v || *v == 0 || !std::isfinite(*v)) return std::nullopt;
    return v;
}

}  // namespace

ViewValues ReadValues(const ViewBoxes& b) {
    ViewValues v;
    v.start = BoxInteger(b.StartPos, 0, 1000000000);
    v.length = BoxInteger(b.DataLen, 0, 1000000000);
    v.trigInterval = Interval(b.MarkTrigcentricCheck, b.TrigCentricVal);
    v.zeroInterval = Interval(b.MarkZerocentricCheck, b.ZeroCentricVal);
    const bool cursors = b.MarkCursorsCheck != Unchecked;
    v.cursorA = cursors ? ParseBoxNumber(b.MarkCursorA) : std::nullopt;
    v.cursorB = cursors ? ParseBoxNumber(b.MarkCursorB) : std::nullopt;
    v.trig = b.MarkTrigCheck != Unchecked;
    v.trigCentricCheck = b.MarkTrigcentricCheck;
    v.zeroCentricCheck = b.MarkZerocentricCheck;
    v.cursorsCheck = b.MarkCursorsCheck;
    return v;
}

}  // namespace zq
