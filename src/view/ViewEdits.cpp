#include "view/ViewEdits.h"

#include <algorithm>

#include "view/BoxNumber.h"

namespace zq {

void SetWindow(ViewBoxes& boxes, SampleWindow window) {
    boxes.StartPos = std::to_string(window.start);
    boxes.DataLen = std::to_string(window.length);
}

void SetCursor(ViewBoxes& boxes, int cursor, int32_t sample) {
    (cursor == 0 ? boxes.MarkCursorA : boxes.MarkCursorB) = std::to_string(sample);
    if (boxes.MarkCursorsCheck == Unchecked) boxes.MarkCursorsCheck = Checked;
}

std::optional<int32_t> CursorA(const ViewBoxes& boxes) {
    const auto a = ParseBoxNumber(boxes.MarkCursorA);
    if (!a) return std::nullopt;
    return static_cast<int32_t>(std::clamp(RoundHalfEven(*a), -1e9, 1e9));
}

bool CursorToEdge(ViewBoxes& boxes, const DecodedCapture& capture, SampleWindow shown, int channel,
                  int direction) {
    const auto edge = FindEdge(capture, channel, shown, CursorA(boxes), direction);
    if (!edge) return false;
    SetWindow(boxes, WindowShowing(ClampedWindow(shown.start, shown.length), *edge));
    SetCursor(boxes, 0, *edge);
    return true;
}

}  // namespace zq
