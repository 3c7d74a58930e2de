#include "hexlist/Listing.h"

#include <cmath>
#include <cstring>

#include "capture/BoxNumber.h"
#include "capture/Decoder.h"
#include "capture/HexConvert.h"

namespace zq {

namespace {

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
    }

    void lineHeader(std::string_view lineText) {
        addressColumn_.assign(lineText);
        addressBlank_ = false;
    }

    void digit(int32_t sampleAddress, int, char d, int digitCount) {
        // Only a line's first word shows the line's address; later words show four blanks.
        if (digitCount > 4) addressBlank_ = true;
        // The bit text is made from these digits when the line is written.
        if (start_ <= sampleAddress) wordDigits_ += d;
    }

    void placeMarks(int32_t n, bool wordComplete) {
        if (!wordComplete) return;
        uint32_t colour = kListWhite;
        if (n >= start_) {
            if (zeroCentric_ && IsWholeMultiple(n, zeroInterval_)) colour = kListZeroCentric;
            if (trigCentric_ && IsWholeMultiple(n - kTriggerSample, trigInterval_))
                colour = kListTrigCentric;
            if (cursors_ && (n == cursorA_ || n == cursorB_)) {
                colour = kListCursor;
                out_.cursorDiff = "Cursor Diff = " + NumberText(std::fabs(cursorB_ - cursorA_));
            }
            if (trig_ && n == kTriggerSample) colour = kListTrig;

            // The sample number right-aligned in four columns: the last four characters of
            // six blanks followed by the number.
            char number[16];
            int len = 0;
            for (int64_t v = n < 0 ? -int64_t{n} : n; len == 0 || v > 0; v /= 10)
                number[15 - len++] = static_cast<char>('0' + v % 10);
            if (n < 0) number[15 - len++] = '-';
            while (len < 4) number[15 - len++] = ' ';

            const std::string_view address =
                addressBlank_ ? std::string_view("    ") : std::string_view(addressColumn_);
            ListingLine& line = out_.lines.emplace_back();
            line.colour = colour;
            std::string& t = line.text;
            t.resize(address.size() + 13 + wordDigits_.size() * 6);
            char* p = t.data();
            auto put = [&p](std::string_view piece) {
                std::memcpy(p, piece.data(), piece.size());
                p += piece.size();
            };
            put(address);
            put(" (");
            put(std::string_view(number + 12, 4));
            put(") = ");
            put(wordDigits_);
            put(" - ");
            for (char d : wordDigits_) {
                put(HexDigitToBits(d));
                *p++ = ' ';
            }
        }
        // Only a completed word clears these: digits of a word cut short by a line start are
        // carried into the next line's first word, so the damage shows in the listing.
        wordDigits_.clear();
    }

    void damagedLine(int32_t) {}

  private:
    ListingBuild& out_;
    int32_t start_;
    bool zeroCentric_, trigCentric_, cursors_, trig_;
    double zeroInterval_, trigInterval_, cursorA_, cursorB_;
    std::string addressColumn_;  // empty until the first line header
    bool addressBlank_ = false;
    std::string wordDigits_;  // the digits of the current word, carried across a line start
};

ListingBuild Build(const SavedView& saved, const std::string& currentFile, ByteCursor* bytes,
                   int64_t fileLength) {
    ListingBuild b;
    b.boxes = RestoreView(saved);
    b.banner = currentFile + kChartTitleSuffix;
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

ListingBuild BuildListing(const SavedView& saved, const std::string& currentFile, ByteCursor& bytes,
                          int64_t fileLength) {
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
