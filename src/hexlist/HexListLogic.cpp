#include "hexlist/HexListLogic.h"

#include "capture/Decoder.h"
#include "view/Navigation.h"

namespace zq {

HexListLogic::HexListLogic(CaptureSession& capture, Dialogs& dialogs, HexListOutput& out)
    : capture_(capture), dialogs_(dialogs), out_(out) {}

void HexListLogic::FormLoad() {
    capture_.refresh();
    const ListingBuild build =
        BuildListing(capture_.savedView(), capture_.currentFile(), capture_.model());
    out_.ShowBoxes(build.boxes);
    if (build.foundStart) capture_.setView(build.boxes);
    out_.ShowBanner(build.banner);
    // With no capture open the list keeps what it showed.
    if (build.listed) out_.ShowListing(build.lines);
    if (build.cursorDiff) out_.ShowCursorDiff(*build.cursorDiff);
    if (build.foundStart)
        capture_.reportOnce(build.report, dialogs_);
    else if (build.listed)  // a file is open, but it is no capture: said once
        capture_.reportOnce(NoCaptureText(capture_.currentFile()), dialogs_);
}

void HexListLogic::UpdateClick(const ViewBoxes& boxes) {
    // The values as typed; the build normalises the boxes, not what was stored.
    capture_.setSavedView(StoreView(boxes));
    FormLoad();
}

void HexListLogic::IncStartClick(ViewBoxes boxes) {
    StepStartForward(boxes.StartPos, boxes.DataLen);
    out_.ShowBoxes(boxes);
    UpdateClick(boxes);
}

void HexListLogic::DecStartClick(ViewBoxes boxes) {
    StepStartBack(boxes.StartPos, boxes.DataLen);
    out_.ShowBoxes(boxes);
    UpdateClick(boxes);
}

}  // namespace zq
