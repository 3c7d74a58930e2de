#pragma once
// How a decoder pass fills the chart's grid (StoreDigit, PlaceMarks, HighlightLine) and the
// whole pass that CalcData runs, as plain functions over box texts, so that the window, the
// command-line tool and the tests share one implementation.

#include <optional>
#include <string>
#include <string_view>

#include "capture/CaptureFile.h"
#include "capture/Decoder.h"
#include "capture/ViewSettings.h"
#include "timing/ChartGrid.h"

namespace zq {

// The mark settings of a pass, read from the boxes once: a pass runs inside one handler, so
// the boxes cannot change while it runs.
struct MarkSettings {
    bool trig = false;
    bool zeroCentric = false;  // with a usable interval; 0 or not a number switches it off
    double zeroInterval = 0;
    bool trigCentric = false;
    double trigInterval = 0;
    bool cursors = false;
    std::optional<double> cursorA, cursorB;  // not a number: that cursor marks nothing

    static MarkSettings FromBoxes(const ViewBoxes& boxes);
};

// The caption written when a cursor sample is met: "Cursor Diff = " and the distance.
std::string CursorDiffCaption(double cursorA, double cursorB);

// Fills a grid during a scan; the scan's hooks.
class ChartFiller {
public:
    ChartFiller(ChartGrid& grid, int32_t start, MarkSettings marks, TraceLevels levels);

    void StoreDigit(int32_t sampleAddress, int digitPosition, char digit);
    void PlaceMarks(int32_t sampleAddress);
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
    bool inWindow(int32_t a) const {
        return a >= start_ && int64_t{a} - start_ <= grid_.GridLength();
    }
    ChartGrid& grid_;
    int32_t start_;
    MarkSettings marks_;
    TraceLevels levels_;
    std::optional<std::string> cursorDiff_;
};

// One decoder pass of the main window, CalcData without the window: normalises the texts of
// StartPos and DataLen in boxes, and with a file open scans it and fills a new grid.
struct CalcDataResult {
    // The pass got as far as drawing: a file is open and holds a line start. When false the
    // chart, the caption, the report and SavedView stay as they were (savedView may still be
    // set: it is written before the scan whenever a file is open).
    bool drawn = false;
    ChartGrid grid;
    std::string report;
    std::optional<std::string> cursorDiff;
    std::optional<SavedView> savedView;  // written once the window is normalised, file open
};
CalcDataResult CalcDataPass(ViewBoxes& boxes, CaptureFile* file, const TraceLevels& levels = {});
// The same over bytes in memory (tests, fuzzing).
CalcDataResult CalcDataPass(ViewBoxes& boxes, ByteCursor& bytes, int64_t fileLength,
                            const TraceLevels& levels = {});
// Both of the above: bytes null means no capture file is open.
CalcDataResult CalcDataPassOver(ViewBoxes& boxes, ByteCursor* bytes, int64_t fileLength,
                                const TraceLevels& levels);

}  // namespace zq
