#pragma once
// The view settings as both windows hold them (box texts and check states), the record that
// carries them across a window switch, and the normalisation of the sample window.

#include <cstdint>
#include <string>
#include <string_view>

#include "capture/CaptureFormat.h"
#include "view/Translate.h"

namespace zq {

// What follows the capture file's path in the chart title and the listing's banner.
inline constexpr const char* kChartTitleSuffix =
    QT_TRANSLATE_NOOP("zq::Chart", " - Timing Diagram");

// Check states as the check boxes hold them; anything but Unchecked counts as checked.
enum CheckState : uint8_t { Unchecked = 0, Checked = 1, Greyed = 2 };

// Texts and check states of the view controls. Both windows use these names for their controls;
// the defaults are the design-time defaults of both windows.
struct ViewBoxes {
    std::string StartPos = "1008";
    std::string DataLen = "64";
    std::string TrigCentricVal = "16";
    std::string ZeroCentricVal = "16";
    std::string MarkCursorA = "1008";
    std::string MarkCursorB = "1040";
    uint8_t MarkTrigCheck = Checked;
    uint8_t MarkTrigcentricCheck = Unchecked;
    uint8_t MarkZerocentricCheck = Unchecked;
    uint8_t MarkCursorsCheck = Checked;

    bool operator==(const ViewBoxes&) const = default;
};

// The last view settings, carried across window switches. All zero until first written.
struct SavedView {
    int16_t StartPos = 0;
    int16_t DataLen = 0;
    int16_t TrigCentricVal = 0;
    int16_t ZeroCentricVal = 0;
    int16_t MarkCursorA = 0;
    int16_t MarkCursorB = 0;
    uint8_t MarkTrigcentric = 0;
    uint8_t MarkZerocentric = 0;
    uint8_t MarkTrig = 0;
    uint8_t MarkCursors = 0;

    bool operator==(const SavedView&) const = default;
};

// The boxes as 16-bit integers (half-to-even, clamped; not a number stores 0) and the check
// states as they stand.
SavedView StoreView(const ViewBoxes& boxes);

// Decimal texts of the six values and the four check states.
ViewBoxes RestoreView(const SavedView& saved);

// Reduces the start position text to digits: every other character becomes "0". Returns false
// when the text is empty, in which case nothing may be drawn.
bool NormaliseStartText(std::string& startPos);

// The clamps of the sample window, in their order, each on the texts the previous one left:
// start >= 0; start > 2045 gives "2045" and length "2"; length >= 2; length <= 2048; and
// start + length > 2047 moves the start to 2048 - length. A length that is not a whole number
// ends as the whole number it was read as.
void ClampWindow(std::string& startPos, std::string& dataLen);

// With a file open: a start beyond the file's length in bytes - 2 becomes that (never below 0),
// with length "2".
void ClampToFileLength(std::string& startPos, std::string& dataLen, int64_t fileLength);

// The step of ">" and "<" in both windows: a quarter of the data length rounded down, 1 when
// that is below 2.
int64_t NavigationStep(std::string_view dataLen);

// The data length with which a pass sizes its grid: the DataLen text as a whole number taken
// before the box is normalised, 0 when it is negative or not a number, at most 32767.
int16_t GridLengthFromText(const std::string& dataLen);

}  // namespace zq
