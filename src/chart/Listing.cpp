#include "chart/Listing.h"

#include <cstring>

#include "capture/BoxNumber.h"
#include "capture/Decoder.h"
#include "capture/HexConvert.h"
#include "capture/View.h"

namespace zq {

namespace {

// The listing's side of the shared scan: collects each word's digits and bits, and writes one
// coloured line per completed word from the start position on.
class ListingHooks {
  public:
    ListingHooks(ListingBuild& out, const View& view)
        : out_(out), start_(view.start()), marks_(view.marks) {
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
            // One colour a line; where marks meet, the later in this order wins.
            const uint8_t m = marks_.at(n);
            if (m & kMarkZeroCentric) colour = kListZeroCentric;
            if (m & kMarkTrigCentric) colour = kListTrigCentric;
            if (m & kMarkCursor) {
                colour = kListCursor;
                out_.cursorDiff = marks_.cursorDiff();
            }
            if (m & kMarkTrig) colour = kListTrig;

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
    const MarkRule& marks_;
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

    const auto view =
        ReadView(b.boxes, windowLength, bytes ? std::optional<int64_t>(fileLength) : std::nullopt,
                 kListingMarks);
    if (!view) return b;

    b.listed = true;
    if (windowLength > 0) b.lines.reserve(static_cast<size_t>(windowLength) + 1);
    ListingHooks hooks(b, *view);
    const ScanResult scan = ScanCapture(*bytes, view->window, hooks);
    b.foundStart = scan.foundStart;
    b.report = scan.report;
    if (!b.foundStart) b.boxes = RestoreView(saved);  // no capture: nothing to clamp them to
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
