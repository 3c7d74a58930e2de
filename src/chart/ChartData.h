#pragma once
// How a redraw fills the chart's grid from the whole-capture model (the digits, PlaceMarks,
// HighlightLine) and the whole pass that CalcData runs, as plain functions over the typed view,
// so that the window, the command-line tool and the tests share one implementation.

#include <optional>
#include <string>
#include <string_view>

#include "capture/DecodedCapture.h"
#include "chart/ChartGrid.h"
#include "view/View.h"
#include "view/ViewSettings.h"

namespace zq {

// Fills a grid for one window from the whole-capture model.
class ChartFiller {
  public:
    ChartFiller(ChartGrid& grid, const View& view, TraceLevels levels);

    // Every digit the file holds inside the window, the marks of every sample the file reaches,
    // and the highlight of every damaged line reaching into the window.
    void Fill(const DecodedCapture& model);

    void StoreDigits(int32_t sampleAddress, uint16_t digits, uint8_t mask) {
        float* const base = &grid_.at(0, 0) + (sampleAddress - start_);
        for (int n = 0; n < 4; ++n) {
            if (!(mask & (1 << n))) continue;
            const float* levels = digitLevels_[n][(digits >> (12 - 4 * n)) & 0xF];
            float* cell = base + (digitRow_[n] - grid_.row(0));
            cell[0] = levels[0];
            cell[stride_] = levels[1];
            cell[2 * stride_] = levels[2];
            cell[3 * stride_] = levels[3];
        }
    }
    void PlaceMarks(int32_t sampleAddress);
    void HighlightLine(int32_t lineAddress);

    // The MarkCursorDiff caption, when a cursor sample was met in this pass.
    const std::optional<std::string>& cursorDiff() const { return cursorDiff_; }

  private:
    ChartGrid& grid_;
    int32_t start_;
    const MarkRule& marks_;
    int64_t gridLength_;
    size_t stride_;
    float* digitRow_[4];  // the first trace of each digit position: traces 1, 5, 9 and 13
    // What a digit stores into its four traces, for every digit position and value, computed
    // once with the single-precision arithmetic of a store: bit j of the digit goes to trace
    // 4n + j + 1 as bit * LevelSwing + LevelBase + j + 12 - 4n.
    float digitLevels_[4][16][4];
    std::optional<std::string> cursorDiff_;
};

// One redraw of the main window, CalcData without the window: normalises the texts of StartPos
// and DataLen in boxes, and with a capture open fills a new grid from its model.
struct CalcDataResult {
    // The pass got as far as drawing: a file is open and holds a line start. When false the
    // chart, the caption, the report and SavedView stay as they were (savedView may still be
    // set: it is written before the scan whenever a file is open).
    bool drawn = false;
    // A file is open but holds no line start: no capture. The boxes are left as they were.
    bool noCapture = false;
    ChartGrid grid;
    std::string report;
    std::optional<std::string> cursorDiff;
    std::optional<SavedView> savedView;  // written once the window is normalised, file open
};
// model is null when no capture is open.
CalcDataResult CalcDataPass(ViewBoxes& boxes, const DecodedCapture* model,
                            const TraceLevels& levels = {});

}  // namespace zq
