#include "timing/ChartData.h"

#include <cmath>

#include "capture/BoxNumber.h"
#include "capture/HexConvert.h"

namespace zq {

namespace {

std::optional<double> UsableInterval(const std::string& text) {
    const auto v = ParseBoxNumber(text);
    if (!v || *v == 0 || !std::isfinite(*v)) return std::nullopt;
    return v;
}
}  // namespace

MarkSettings MarkSettings::FromBoxes(const ViewBoxes& b) {
    MarkSettings m;
    m.trig = b.MarkTrigCheck != Unchecked;
    if (const auto z = UsableInterval(b.ZeroCentricVal); b.MarkZerocentricCheck != Unchecked && z) {
        m.zeroCentric = true;
        m.zeroInterval = *z;
    }
    if (const auto t = UsableInterval(b.TrigCentricVal); b.MarkTrigcentricCheck != Unchecked && t) {
        m.trigCentric = true;
        m.trigInterval = *t;
    }
    m.cursors = b.MarkCursorsCheck != Unchecked;
    m.cursorA = ParseBoxNumber(b.MarkCursorA);
    m.cursorB = ParseBoxNumber(b.MarkCursorB);
    return m;
}

std::string CursorDiffCaption(double cursorA, double cursorB) {
    return "Cursor Diff = " + NumberText(std::fabs(cursorA - cursorB));
}

ChartFiller::ChartFiller(ChartGrid& grid, int32_t start, MarkSettings marks, TraceLevels levels)
    : grid_(grid),
      start_(start),
      marks_(std::move(marks)),
      levels_(levels),
      gridLength_(grid.GridLength()),
      stride_(static_cast<size_t>(grid.row(2) - grid.row(1))) {
    for (int n = 0; n < 4; ++n) digitRow_[n] = grid_.row(4 * n + 1);
    auto wholeStep = [](bool on, double interval) -> std::optional<int64_t> {
        if (on && interval == std::floor(interval) && std::fabs(interval) < 1e9)
            return static_cast<int64_t>(interval);
        return std::nullopt;
    };
    zeroStep_ = wholeStep(marks_.zeroCentric, marks_.zeroInterval);
    trigStep_ = wholeStep(marks_.trigCentric, marks_.trigInterval);
    for (int n = 0; n < 4; ++n) {
        for (int v = 0; v < 16; ++v) {
            for (int j = 0; j < 4; ++j) {
                const float bit = static_cast<float>((v >> j) & 1);
                digitLevels_[n][v][j] = bit * levels_.LevelSwing + levels_.LevelBase +
                                        static_cast<float>(j + 12 - 4 * n);
            }
        }
    }
}

void ChartFiller::placeMarksAt(int32_t a) {
    const int s = a - start_;
    if (marks_.trig && a == kTriggerSample) grid_.at(kTrigTrace, s) = kMarkLevel;
    if (marks_.zeroCentric &&
        (zeroStep_ ? a % *zeroStep_ == 0 : IsWholeMultiple(a, marks_.zeroInterval)))
        grid_.at(kZeroCentricTrace, s) = kMarkLevel;
    if (marks_.trigCentric &&
        (trigStep_ ? (a - kTriggerSample) % *trigStep_ == 0
                   : IsWholeMultiple(a - kTriggerSample, marks_.trigInterval)))
        grid_.at(kTrigCentricTrace, s) = kMarkLevel;
    if (marks_.cursors) {
        const float fa = static_cast<float>(a);
        const bool atA = marks_.cursorA && fa == static_cast<float>(*marks_.cursorA);
        const bool atB = marks_.cursorB && fa == static_cast<float>(*marks_.cursorB);
        if (atA || atB) {
            grid_.at(kCursorTrace, s) = kMarkLevel;
            // The distance needs both cursors; with one of them not a number there is none.
            if (marks_.cursorA && marks_.cursorB)
                cursorDiff_ = CursorDiffCaption(*marks_.cursorA, *marks_.cursorB);
        }
    }
}

void ChartFiller::HighlightLine(int32_t lineAddress) {
    for (int64_t s = int64_t{lineAddress} - start_; s <= int64_t{lineAddress} + 15 - start_; ++s) {
        if (s < 0 || s > grid_.GridLength()) continue;
        const int si = static_cast<int>(s);
        grid_.at(kTrigTrace, si) =
            marks_.trig && start_ + s == kTriggerSample ? kMarkLevel : kHighlightLevel;
    }
}

CalcDataResult CalcDataPass(ViewBoxes& boxes, ByteCursor& bytes, int64_t fileLength,
                            const TraceLevels& levels) {
    return CalcDataPassOver(boxes, &bytes, fileLength, levels);
}

CalcDataResult CalcDataPass(ViewBoxes& boxes, CaptureFile* file, const TraceLevels& levels) {
    if (!file) return CalcDataPassOver(boxes, nullptr, 0, levels);
    ByteCursor bytes = file->cursor();
    return CalcDataPassOver(boxes, &bytes, file->length(), levels);
}

CalcDataResult CalcDataPassOver(ViewBoxes& boxes, ByteCursor* bytes, int64_t fileLength,
                                const TraceLevels& levels) {
    CalcDataResult r;
    const int16_t gridLength = GridLengthFromText(boxes.DataLen);
    r.grid = ChartGrid(gridLength);

    if (!NormaliseStartText(boxes.StartPos)) return r;
    ClampWindow(boxes.StartPos, boxes.DataLen);
    if (!bytes) return r;
    ClampToFileLength(boxes.StartPos, boxes.DataLen, fileLength);
    r.savedView = StoreView(boxes);

    ScanWindow w;
    w.start = static_cast<int32_t>(BoxInteger(boxes.StartPos, 0, 1000000000));
    w.windowEnd = w.start + gridLength;
    w.dataLen = BoxInteger(boxes.DataLen, 0, 1000000000);

    ChartFiller filler(r.grid, w.start, MarkSettings::FromBoxes(boxes), levels);
    const ScanResult scan = ScanCapture(*bytes, w, filler);
    if (!scan.foundStart) return r;
    r.drawn = true;
    r.report = scan.report;
    r.cursorDiff = filler.cursorDiff();
    return r;
}

}  // namespace zq
