#include "hexlist/Listing.h"

#include <cmath>

#include "capture/BoxNumber.h"
#include "capture/Decoder.h"
#include "capture/HexConvert.h"

namespace zq {

namespace {

constexpr int32_t kTriggerSample = 1024;

bool IsMultiple(double n, double interval) {
    if (interval == 0) return false;  // an interval of 0 switches its marks off
    const double q = n / interval;
    return q == std::floor(q);
}

// The listing's side of the shared scan: collects each word's digits and bits, and writes one
// coloured line per completed word from the start position on.
class ListingHooks {
public:
    ListingHooks(ListingBuild& out, int32_t start, const ViewBoxes& boxes)
        : out_(out), start_(start) {
        zeroCentric_ = boxes.MarkZerocentricCheck != Unchecked;
        trigCentric_ = boxes.MarkTrigcentricCheck != Unchecked;
        cursors_ = boxes.MarkCursorsCheck != Unchecked;
        trig_ = boxes.MarkTrigCheck != Unchecked;
        zeroInterval_ = BoxValue(boxes.ZeroCentricVal);
        trigInterval_ = BoxValue(boxes.TrigCentricVal);
        cursorA_ = BoxValue(boxes.MarkCursorA);
        cursorB_ = BoxValue(boxes.MarkCursorB);
        wordDigits_.reserve(8);
        bitText_.reserve(40);
    }

    void lineHeader(std::string_view lineText) { addressColumn_.assign(lineText); }

    void digit(int32_t sampleAddress, int, char d, int digitCount) {
        if (digitCount > 4) addressColumn_ = "    ";
        if (start_ <= sampleAddress) {
            wordDigits_ += d;
            bitText_ += HexDigitToBits(d);
            bitText_ += ' ';
        }
    }

    void placeMarks(int32_t n, bool wordComplete) {
        if (!wordComplete) return;
        uint32_t colour = kListWhite;
        if (n >= start_) {
            if (zeroCentric_ && IsMultiple(n, zeroInterval_)) colour = kListZeroCentric;
            if (trigCentric_ && IsMultiple(n - kTriggerSample, trigInterval_))
                colour = kListTrigCentric;
            if (cursors_ && (n == cursorA_ || n == cursorB_)) {
                colour = kListCursor;
                out_.cursorDiff = "Cursor Diff = " + NumberText(std::fabs(cursorB_ - cursorA_));
            }
            if (trig_ && n == kTriggerSample) colour = kListTrig;

            std::string number = "      " + std::to_string(n);
            ListingLine line;
            line.text.reserve(41);
            line.text += addressColumn_;
            line.text += " (";
            line.text += number.substr(number.size() - 4);
            line.text += ") = ";
            line.text += wordDigits_;
            line.text += " - ";
            line.text += bitText_;
            line.colour = colour;
            out_.lines.push_back(std::move(line));
        }
        // Only a completed word clears these: digits of a word cut short by a line start are
        // carried into the next line's first word, so the damage shows in the listing.
        wordDigits_.clear();
        bitText_.clear();
    }

    void damagedLine(int32_t) {}

private:
    ListingBuild& out_;
    int32_t start_;
    bool zeroCentric_, trigCentric_, cursors_, trig_;
    double zeroInterval_, trigInterval_, cursorA_, cursorB_;
    std::string addressColumn_;
    std::string wordDigits_;
    std::string bitText_;
};

ListingBuild Build(const SavedView& saved, const std::string& currentFile, ByteCursor* bytes,
                   int64_t fileLength) {
    ListingBuild b;
    b.boxes = RestoreView(saved);
    b.banner = currentFile + " - Timing Diagram";
    const int16_t windowLength = saved.DataLen;

    if (!NormaliseStartText(b.boxes.StartPos)) return b;
    ClampWindow(b.boxes.StartPos, b.boxes.DataLen);
    if (!bytes) return b;
    ClampToFileLength(b.boxes.StartPos, b.boxes.DataLen, fileLength);

    b.listed = true;
    ScanWindow w;
    w.start = static_cast<int32_t>(BoxInteger(b.boxes.StartPos, 0, 1000000000));
    w.windowEnd = w.start + windowLength;
    w.dataLen = BoxInteger(b.boxes.DataLen, 0, 1000000000);
    if (windowLength > 0) b.lines.reserve(static_cast<size_t>(windowLength) + 1);

    ListingHooks hooks(b, w.start, b.boxes);
    const ScanResult scan = ScanCapture(*bytes, w, hooks);
    b.foundStart = scan.foundStart;
    b.report = scan.report;
    return b;
}

}  // namespace

ListingBuild BuildListing(const SavedView& saved, const std::string& currentFile,
                          CaptureFile* file) {
    if (!file) return Build(saved, currentFile, nullptr, 0);
    ByteCursor bytes = file->cursor();
    return Build(saved, currentFile, &bytes, file->length());
}

ListingBuild BuildListing(const SavedView& saved, const std::string& currentFile,
                          ByteCursor& bytes, int64_t fileLength) {
    return Build(saved, currentFile, &bytes, fileLength);
}

std::string ListingText(const std::vector<ListingLine>& lines, const std::string& lineEnd) {
    std::string text;
    text.reserve(lines.size() * (41 + lineEnd.size()));
    for (const ListingLine& l : lines) {
        text += l.text;
        text += lineEnd;
    }
    return text;
}

}  // namespace zq
