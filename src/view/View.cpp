#include "view/View.h"

#include "view/BoxNumber.h"

namespace zq {

std::optional<View> ReadView(ViewBoxes& boxes, int16_t gridLength,
                             std::optional<int64_t> fileLength, MarkOptions marks) {
    if (!NormaliseStartText(boxes.StartPos)) return std::nullopt;
    ClampWindow(boxes.StartPos, boxes.DataLen);
    if (!fileLength) return std::nullopt;
    ClampToFileLength(boxes.StartPos, boxes.DataLen, *fileLength);

    View v;
    // Both texts are plain whole numbers by now.
    v.window.start = static_cast<int32_t>(BoxInteger(boxes.StartPos, 0, 1000000000));
    v.window.windowEnd = v.window.start + gridLength;
    v.window.dataLen = BoxInteger(boxes.DataLen, 0, 1000000000);
    v.gridLength = gridLength;
    v.marks = MarkRule(boxes, marks);
    return v;
}

}  // namespace zq
