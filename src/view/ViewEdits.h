#pragma once
// What a gesture, a key or a menu does to the view: it changes the values of the view and the
// boxes follow, then the same handler as the button runs. Written once here for the windows.
// A text typed into a box but not yet applied is applied with the gesture, as clicking the
// button would apply it.

#include <cstdint>
#include <optional>

#include "capture/DecodedCapture.h"
#include "view/ViewGestures.h"
#include "view/ViewSettings.h"

namespace zq {

// The window from start to start + length.
void SetWindow(ViewBoxes& boxes, SampleWindow window);

// Cursor A (cursor 0) or B on a sample, the cursors shown: placing one is asking to see it.
void SetCursor(ViewBoxes& boxes, int cursor, int32_t sample);

// Cursor A the value its box reads as (half to even), or nothing when it holds no number.
std::optional<int32_t> CursorA(const ViewBoxes& boxes);

// Cursor A on the next (direction > 0) or previous edge of a channel, searched from cursor A
// where the shown window holds it, and the window moved to show it. False when there is none.
bool CursorToEdge(ViewBoxes& boxes, const DecodedCapture& capture, SampleWindow shown, int channel,
                  int direction);

}  // namespace zq
