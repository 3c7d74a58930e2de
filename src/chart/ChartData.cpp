#include "chart/ChartData.h"

namespace zq {

ChartFiller::ChartFiller(ChartGrid& grid, const View& view, TraceLevels levels)
    : grid_(grid),
      start_(view.start()),
      marks_(view.marks),
      gridLength_(grid.GridLength()),
      stride_(static_cast<size_t>(grid.row(2) - grid.row(1))) {
    for (int n = 0; n < 4; ++n) digitRow_[n] = grid_.row(4 * n + 1);
    for (int n = 0; n < 4; ++n) {
        for (int v = 0; v < 16; ++v) {
            for (int j = 0; j < 4; ++j) {
                const float bit = static_cast<float>((v >> j) & 1);
                digitLevels_[n][v][j] =
                    bit * levels.LevelSwing + levels.LevelBase + static_cast<float>(j + 12 - 4 * n);
            }
        }
    }
}

void ChartFiller::placeMarksAt(int32_t a) {
    const uint8_t m = marks_.at(a);
    if (!m) return;
    const int s = a - start_;
    if (m & kMarkTrig) grid_.at(kTrigTrace, s) = kMarkLevel;
    if (m & kMarkZeroCentric) grid_.at(kZeroCentricTrace, s) = kMarkLevel;
    if (m & kMarkTrigCentric) grid_.at(kTrigCentricTrace, s) = kMarkLevel;
    if (m & kMarkCursor) {
        grid_.at(kCursorTrace, s) = kMarkLevel;
        // The distance needs both cursors; with one of them not a number there is none.
        if (!cursorDiff_) cursorDiff_ = marks_.cursorDiff();
    }
}

void ChartFiller::HighlightLine(int32_t lineAddress) {
    for (int64_t s = int64_t{lineAddress} - start_; s <= int64_t{lineAddress} + 15 - start_; ++s) {
        if (s < 0 || s > grid_.GridLength()) continue;
        const int si = static_cast<int>(s);
        grid_.at(kTrigTrace, si) =
            (marks_.at(start_ + s) & kMarkTrig) ? kMarkLevel : kHighlightLevel;
    }
}

namespace {

CalcDataResult Pass(ViewBoxes& boxes, ByteCursor* bytes, int64_t fileLength,
                    const TraceLevels& levels) {
    CalcDataResult r;
    const ViewBoxes typed = boxes;
    const int16_t gridLength = GridLengthFromText(boxes.DataLen);
    r.grid = ChartGrid(gridLength);

    const auto view = ReadView(
        boxes, gridLength, bytes ? std::optional<int64_t>(fileLength) : std::nullopt, kChartMarks);
    if (!view) return r;
    r.savedView = StoreView(boxes);

    ChartFiller filler(r.grid, *view, levels);
    const ScanResult scan = ScanCapture(*bytes, view->window, filler);
    if (!scan.foundStart) {
        // Clamped to a file that is no capture, the boxes would carry a window of a few
        // samples over to the next file loaded.
        boxes = typed;
        r.savedView.reset();
        r.noCapture = true;
        return r;
    }
    r.drawn = true;
    r.report = scan.report;
    r.cursorDiff = filler.cursorDiff();
    return r;
}

}  // namespace

CalcDataResult CalcDataPass(ViewBoxes& boxes, ByteCursor& bytes, int64_t fileLength,
                            const TraceLevels& levels) {
    return Pass(boxes, &bytes, fileLength, levels);
}

CalcDataResult CalcDataPass(ViewBoxes& boxes, CaptureFile* file, const TraceLevels& levels) {
    if (!file) return Pass(boxes, nullptr, 0, levels);
    ByteCursor bytes = file->cursor();
    return Pass(boxes, &bytes, file->length(), levels);
}

}  // namespace zq
