#pragma once
// The hex listing of a window of samples: one line per word with its address column, sample
// number, digits and bits, and the colour of its mark. Pure: the listing window and the
// command-line tool show the same build.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "capture/DecodedCapture.h"
#include "view/ViewSettings.h"

namespace zq {

// Line colours as 0xRRGGBB.
constexpr uint32_t kListWhite = 0xFFFFFF;
constexpr uint32_t kListZeroCentric = 0x80FF80;  // light green
constexpr uint32_t kListTrigCentric = 0x00FFFF;  // cyan
constexpr uint32_t kListCursor = 0xFF00FF;       // magenta
constexpr uint32_t kListTrig = 0xFF8080;         // light red
constexpr uint32_t kListBackground = 0x000000;

struct ListingLine {
    std::string text;  // 41 characters for a whole word, without line end
    uint32_t colour = kListWhite;
};

struct ListingBuild {
    ViewBoxes boxes;      // the window's boxes after the build: SavedView, then normalised
    std::string banner;   // caption of HexListBanner
    bool listed = false;  // a file was open: the list area was cleared and holds lines
    std::vector<ListingLine> lines;
    bool foundStart = false;  // the scan met an "S"; only then does ReportShown get set
    std::string report;
    std::optional<std::string> cursorDiff;  // MarkCursorDiff caption, when a cursor was listed
};

// One build of the listing window from SavedView, CurrentFile and the open capture's model (null
// when none is open).
ListingBuild BuildListing(const SavedView& saved, const std::string& currentFile,
                          const DecodedCapture* model);

// All lines joined, each followed by lineEnd.
std::string ListingText(const std::vector<ListingLine>& lines, const std::string& lineEnd);

}  // namespace zq
