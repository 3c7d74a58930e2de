#pragma once
// The view of one pass, read from the boxes once: the normalised window of samples and the
// marks. The chart, the listing and the tools all take it; the boxes keep their texts exactly
// as the windows show them, normalised in place.

#include <cstdint>
#include <optional>

#include "view/MarkRule.h"
#include "view/ViewSettings.h"

namespace zq {

// The window of one redraw or listing build, after normalisation.
struct ScanWindow {
    int32_t start = 0;      // first sample of the window (the StartPos box)
    int32_t windowEnd = 0;  // start + the data length the pass began with
    int64_t dataLen = 0;    // the normalised DataLen box
};

struct View {
    // The window the scan reads: start, start + gridLength, and the normalised data length.
    ScanWindow window;
    // The data length the pass began with: it sizes the chart's grid and ends the window. A
    // length the normalisation changed takes effect from the next pass.
    int16_t gridLength = 0;
    MarkRule marks;

    int32_t start() const { return window.start; }
};

// Normalises StartPos and DataLen in boxes, in the order the windows always have: the start
// reduced to digits, the window's clamps, then, with a file open, the clamp to its length.
// Returns the view to scan, or nothing when there is nothing to scan: StartPos is empty (the
// boxes stay as they were) or no file is open (fileLength empty; the window is still clamped).
std::optional<View> ReadView(ViewBoxes& boxes, int16_t gridLength,
                             std::optional<int64_t> fileLength, MarkOptions marks);

}  // namespace zq
