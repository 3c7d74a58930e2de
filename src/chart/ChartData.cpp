#include "chart/ChartData.h"

#include <algorithm>

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

void ChartFiller::Fill(const DecodedCapture& model) {
    const int64_t first = std::max<int64_t>(start_, 0);
    const int64_t last = std::min<int64_t>(int64_t{start_} + gridLength_, kModelSamples - 1);
    for (int64_t s = first; s <= last; ++s) {
        const auto i = static_cast<size_t>(s);
        if (model.cellMask[i])
            StoreDigits(static_cast<int32_t>(s), model.cellDigits[i], model.cellMask[i]);
        if (model.visited[i]) PlaceMarks(static_cast<int32_t>(s));
    }
    for (int32_t l : model.damagedLines) HighlightLine(l);
    for (int s = 0; s <= grid_.GridLength(); ++s) {
        const int64_t sample = int64_t{start_} + s;
        if (sample < 0 || sample >= kCaptureSamples)
            grid_.setPresence(s, Presence::Beyond);
        else if (!model.held[static_cast<size_t>(sample)])
            grid_.setPresence(s, Presence::Absent);
    }
}

void ChartFiller::PlaceMarks(int32_t a) {
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

CalcDataResult CalcDataPass(ViewBoxes& boxes, const DecodedCapture* model,
                            const TraceLevels& levels) {
    CalcDataResult r;
    const ViewBoxes typed = boxes;
    const int16_t gridLength = GridLengthFromText(boxes.DataLen);
    r.grid = ChartGrid(gridLength);

    const auto view =
        ReadView(boxes, gridLength,
                 model ? std::optional<int64_t>(model->fileLength) : std::nullopt, kChartMarks);
    if (!view) return r;
    r.savedView = StoreView(boxes);

    if (!model->foundStart) {
        // Clamped to a file that is no capture, the boxes would carry a window of a few
        // samples over to the next file loaded.
        boxes = typed;
        r.savedView.reset();
        r.noCapture = true;
        return r;
    }
    ChartFiller filler(r.grid, *view, levels);
    filler.Fill(*model);
    r.drawn = true;
    r.report = model->report;
    r.cursorDiff = filler.cursorDiff();
    return r;
}

}  // namespace zq
