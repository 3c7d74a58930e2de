#include "view/ViewSettings.h"

#include <algorithm>
#include <cmath>

#include "view/BoxNumber.h"

#if defined(__GNUC__) && !defined(__clang__)
// GCC 12 at -O3 takes assigning a short literal to a std::string for an overlapping copy
// (GCC bug 105651, a false positive); nothing in this file copies overlapping memory.
#pragma GCC diagnostic ignored "-Wrestrict"
#endif

namespace zq {

SavedView StoreView(const ViewBoxes& b) {
    SavedView v;
    v.StartPos = BoxInt16(b.StartPos);
    v.DataLen = BoxInt16(b.DataLen);
    v.TrigCentricVal = BoxInt16(b.TrigCentricVal);
    v.ZeroCentricVal = BoxInt16(b.ZeroCentricVal);
    v.MarkCursorA = BoxInt16(b.MarkCursorA);
    v.MarkCursorB = BoxInt16(b.MarkCursorB);
    v.MarkTrigcentric = b.MarkTrigcentricCheck;
    v.MarkZerocentric = b.MarkZerocentricCheck;
    v.MarkTrig = b.MarkTrigCheck;
    v.MarkCursors = b.MarkCursorsCheck;
    return v;
}

ViewBoxes RestoreView(const SavedView& v) {
    ViewBoxes b;
    b.StartPos = DecimalText(v.StartPos);
    b.DataLen = DecimalText(v.DataLen);
    b.TrigCentricVal = DecimalText(v.TrigCentricVal);
    b.ZeroCentricVal = DecimalText(v.ZeroCentricVal);
    b.MarkCursorA = DecimalText(v.MarkCursorA);
    b.MarkCursorB = DecimalText(v.MarkCursorB);
    b.MarkTrigCheck = v.MarkTrig;
    b.MarkZerocentricCheck = v.MarkZerocentric;
    b.MarkTrigcentricCheck = v.MarkTrigcentric;
    b.MarkCursorsCheck = v.MarkCursors;
    return b;
}

bool NormaliseStartText(std::string& startPos) {
    if (startPos.empty()) return false;
    for (char& c : startPos)
        if (c < '0' || c > '9') c = '0';
    return true;
}

namespace {
// Box values for the clamps. The start text holds digits only by now; however long it is, it
// reads as a number. The length may hold anything.
int64_t ClampValue(const std::string& text) { return BoxInteger(text, -1000000000, 1000000000); }

bool IsPlainInteger(const std::string& text) {
    size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
    if (i == text.size()) return false;
    for (; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}
}  // namespace

void ClampWindow(std::string& startPos, std::string& dataLen) {
    // A length that is not a plain whole number (letters, a fraction, empty) is written back as
    // the number it reads as, so that the chart, the labels and the listing see the same length.
    if (!IsPlainInteger(dataLen)) dataLen = DecimalText(ClampValue(dataLen));

    // Each clamp tests what the previous one left; a text is written back only when changed.
    int64_t start = ClampValue(startPos), length = ClampValue(dataLen);
    bool startChanged = false, lengthChanged = false;
    if (start < 0) start = 0, startChanged = true;
    if (start > 2045) start = 2045, length = 2, startChanged = lengthChanged = true;
    if (length < 2) length = 2, lengthChanged = true;
    if (length > 2048) length = 2048, lengthChanged = true;
    if (start + length > 2047) start = 2048 - length, startChanged = true;
    if (startChanged) startPos = DecimalText(start);
    if (lengthChanged) dataLen = DecimalText(length);
}

void ClampToFileLength(std::string& startPos, std::string& dataLen, int64_t fileLength) {
    if (ClampValue(startPos) > fileLength - 2) {
        startPos = DecimalText(fileLength - 2 < 0 ? 0 : fileLength - 2);
        // Not the literal "2": GCC 12 warns falsely of overlapping copies (-Wrestrict) for it.
        dataLen = DecimalText(2);
    }
}

int64_t NavigationStep(std::string_view dataLen) {
    const double quarter = std::trunc(BoxValue(dataLen) / 4);
    if (!(quarter >= 2)) return 1;
    // Far beyond any capture; keeps the conversion to an integer defined.
    return static_cast<int64_t>(std::min(quarter, 1e12));
}

int16_t GridLengthFromText(const std::string& dataLen) {
    return static_cast<int16_t>(BoxInteger(dataLen, 0, INT16_MAX));
}

}  // namespace zq
