#pragma once
// The listing window's procedures and handlers without the window: its load procedure (the
// boxes from SavedView, the banner, the listing of the open capture and its report, once per
// file) and the clicks of ">", "<" and "Go !". They work on ViewBoxes and reach the window, the
// dialogs and the current capture only through the interfaces below.

#include <string>
#include <vector>

#include "view/ViewSettings.h"
#include "chart/Listing.h"
#include "session/CaptureSession.h"
#include "session/Dialogs.h"

namespace zq {

// The window's list, banner and captions as the handlers change them.
class HexListOutput {
  public:
    virtual ~HexListOutput() = default;
    virtual void ShowBoxes(const ViewBoxes& boxes) = 0;
    virtual void ShowBanner(const std::string& banner) = 0;
    virtual void ShowListing(const std::vector<ListingLine>& lines) = 0;
    virtual void ShowCursorDiff(const std::string& caption) = 0;
};

class HexListLogic {
  public:
    HexListLogic(CaptureSession& capture, Dialogs& dialogs, HexListOutput& out);

    // The load procedure: SavedView into the boxes, the banner, then the listing.
    void FormLoad();
    // "Go !": stores the boxes as typed, then builds again.
    void UpdateClick(const ViewBoxes& boxes);
    // ">" and "<": a step of the start, then "Go !".
    void IncStartClick(ViewBoxes boxes);
    void DecStartClick(ViewBoxes boxes);

  private:
    CaptureSession& capture_;
    Dialogs& dialogs_;
    HexListOutput& out_;
};

}  // namespace zq
