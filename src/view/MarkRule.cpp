#include "view/MarkRule.h"

#include <cmath>

#include "view/BoxNumber.h"
#include "view/Translate.h"

namespace zq {

namespace {

// An interval of 0, or a text that is no (finite) number, switches its marks off.
std::optional<double> UsableInterval(const std::string& text) {
    const auto v = ParseBoxNumber(text);
    if (!v || *v == 0 || !std::isfinite(*v)) return std::nullopt;
    return v;
}

std::optional<int64_t> WholeStep(const std::optional<double>& interval) {
    if (interval && *interval == std::floor(*interval) && std::fabs(*interval) < 1e9)
        return static_cast<int64_t>(*interval);
    return std::nullopt;
}

}  // namespace

std::string CursorDiffCaption(double cursorA, double cursorB) {
    return Arg(translate("zq::ViewControls", "Cursor Diff = %1"),
               {NumberText(std::fabs(cursorA - cursorB))});
}

MarkRule::MarkRule(const ViewBoxes& b, MarkOptions options) {
    trig_ = b.MarkTrigCheck != Unchecked;
    const auto zero =
        b.MarkZerocentricCheck != Unchecked ? UsableInterval(b.ZeroCentricVal) : std::nullopt;
    const auto fromTrig =
        b.MarkTrigcentricCheck != Unchecked ? UsableInterval(b.TrigCentricVal) : std::nullopt;
    zeroOn_ = zero.has_value();
    zeroInterval_ = zero.value_or(0);
    zeroStep_ = WholeStep(zero);
    trigOn_ = fromTrig.has_value();
    trigInterval_ = fromTrig.value_or(0);
    trigStep_ = WholeStep(fromTrig);
    cursors_ = b.MarkCursorsCheck != Unchecked;
    single_ = options.singlePrecisionCursors;
    cursorA_ = ParseBoxNumber(b.MarkCursorA);
    cursorB_ = ParseBoxNumber(b.MarkCursorB);
    if (options.nonNumberCursorIsZero) {
        cursorA_ = cursorA_.value_or(0);
        cursorB_ = cursorB_.value_or(0);
    }
}

bool MarkRule::whole(int64_t n, double interval) {
    return IsWholeMultiple(static_cast<double>(n), interval);
}

std::optional<std::string> MarkRule::cursorDiff() const {
    if (!cursorA_ || !cursorB_) return std::nullopt;
    return CursorDiffCaption(*cursorA_, *cursorB_);
}

}  // namespace zq
