#pragma once
// How a decoder pass fills the chart's grid (StoreDigit, PlaceMarks, HighlightLine) and the
// whole pass that CalcData runs, as plain functions over the typed view, so that the window, the
// command-line tool and the tests share one implementation.

#include <climits>
#include <optional>
#include <string>
#include <string_view>

#include "capture/CaptureFile.h"
#include "capture/Decoder.h"
#include "capture/HexConvert.h"
#include "capture/View.h"
#include "capture/ViewSettings.h"
#include "chart/ChartGrid.h"

namespace zq {

// Fills a grid during a scan; the scan's hooks.
class ChartFiller {
  public:
    ChartFiller(ChartGrid& grid, const View& view, TraceLevels levels);

    void StoreDigit(int32_t sampleAddress, int digitPosition, char digit) {
        if (!inWindow(sampleAddress)) return;
        // The scan hands over digits only, so the value is that of HexDigitToBits's bit string.
        const int value = HexDigitValue(digit);
        if (value < 0) return;
        const float* levels = digitLevels_[digitPosition & 3][value];
        float* cell = digitRow_[digitPosition & 3] + (sampleAddress - start_);
        cell[0] = levels[0];
        cell[stride_] = levels[1];
        cell[2 * stride_] = levels[2];
        cell[3 * stride_] = levels[3];
    }
    void PlaceMarks(int32_t sampleAddress) {
        // Marks depend on the sample address only, and the scan asks again for every separator
        // after a word: the repeat changes nothing, so it is skipped.
        if (sampleAddress == lastMarked_ || !inWindow(sampleAddress)) return;
        lastMarked_ = sampleAddress;
        placeMarksAt(sampleAddress);
    }
    void HighlightLine(int32_t lineAddress);

    // The MarkCursorDiff caption, when a cursor sample was met in this pass.
    const std::optional<std::string>& cursorDiff() const { return cursorDiff_; }

    // Scan hooks.
    void lineHeader(std::string_view) {}
    void digit(int32_t sampleAddress, int digitPosition, char d, int) {
        StoreDigit(sampleAddress, digitPosition, d);
    }
    void placeMarks(int32_t sampleAddress, bool) { PlaceMarks(sampleAddress); }
    void damagedLine(int32_t lineAddress) { HighlightLine(lineAddress); }

  private:
    bool inWindow(int32_t a) const { return a >= start_ && int64_t{a} - start_ <= gridLength_; }
    void placeMarksAt(int32_t sampleAddress);

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
    int64_t lastMarked_ = INT64_MIN;
    std::optional<std::string> cursorDiff_;
};

// One decoder pass of the main window, CalcData without the window: normalises the texts of
// StartPos and DataLen in boxes, and with a file open scans it and fills a new grid.
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
CalcDataResult CalcDataPass(ViewBoxes& boxes, CaptureFile* file, const TraceLevels& levels = {});
// The same over bytes in memory (tests, fuzzing).
CalcDataResult CalcDataPass(ViewBoxes& boxes, ByteCursor& bytes, int64_t fileLength,
                            const TraceLevels& levels = {});

}  // namespace zq
