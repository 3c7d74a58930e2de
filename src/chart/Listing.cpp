#include "chart/Listing.h"

#include <cstring>

#include "capture/HexConvert.h"
#include "view/BoxNumber.h"
#include "view/Translate.h"
#include "view/View.h"

namespace zq {

namespace {

// One line of the listing per word of the model inside the window, in file order: the digits it
// was read with from the start position on (a word carried from a cut-short line keeps its
// earlier digits only where they lie in the window), its address column and its mark colour.
void ListWords(ListingBuild& out, const View& view, const DecodedCapture& model) {
    const int32_t start = view.start();
    const int64_t end = view.window.windowEnd;
    const MarkRule& marks = view.marks;
    std::string digits;
    for (const ListedWord& w : model.listed) {
        if (w.sample < start || w.sample > end) continue;
        digits.clear();
        for (uint32_t i = w.firstDigit; i < w.firstDigit + w.digitCount; ++i)
            if (model.digitSample[i] >= start) digits += model.digitText[i];

        // One colour a line; where marks meet, the later in this order wins.
        uint32_t colour = kListWhite;
        const uint8_t m = marks.at(w.sample);
        if (m & kMarkZeroCentric) colour = kListZeroCentric;
        if (m & kMarkTrigCentric) colour = kListTrigCentric;
        if (m & kMarkCursor) {
            colour = kListCursor;
            out.cursorDiff = marks.cursorDiff();
        }
        if (m & kMarkTrig) colour = kListTrig;

        // The sample number right-aligned in four columns: the last four characters of six
        // blanks followed by the number.
        char number[16];
        int len = 0;
        for (int64_t v = w.sample; len == 0 || v > 0; v /= 10)
            number[15 - len++] = static_cast<char>('0' + v % 10);
        while (len < 4) number[15 - len++] = ' ';

        const std::string_view address(w.address.data(), w.addressLength);
        ListingLine& line = out.lines.emplace_back();
        line.colour = colour;
        std::string& t = line.text;
        t.resize(address.size() + 13 + digits.size() * 6);
        char* p = t.data();
        auto put = [&p](std::string_view piece) {
            std::memcpy(p, piece.data(), piece.size());
            p += piece.size();
        };
        put(address);
        put(" (");
        put(std::string_view(number + 12, 4));
        put(") = ");
        put(digits);
        put(" - ");
        for (char d : digits) {
            put(HexDigitToBits(d));
            *p++ = ' ';
        }
    }
}

ListingBuild Build(const SavedView& saved, const std::string& currentFile,
                   const DecodedCapture* model) {
    ListingBuild b;
    b.boxes = RestoreView(saved);
    b.banner = currentFile + translate("zq::Chart", kChartTitleSuffix);
    const int16_t windowLength = saved.DataLen;

    const auto view =
        ReadView(b.boxes, windowLength,
                 model ? std::optional<int64_t>(model->fileLength) : std::nullopt, kListingMarks);
    if (!view) return b;

    b.listed = true;
    b.foundStart = model->foundStart;
    if (!b.foundStart) {
        b.boxes = RestoreView(saved);  // no capture: nothing to clamp them to
        return b;
    }
    if (windowLength > 0) b.lines.reserve(static_cast<size_t>(windowLength) + 1);
    ListWords(b, *view, *model);
    b.report = model->report;
    return b;
}

}  // namespace

ListingBuild BuildListing(const SavedView& saved, const std::string& currentFile,
                          const DecodedCapture* model) {
    return Build(saved, currentFile, model);
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
