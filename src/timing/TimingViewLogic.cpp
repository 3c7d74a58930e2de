#include "timing/TimingViewLogic.h"

#include <climits>

#include "capture/BoxNumber.h"
#include "chart/ChartData.h"
#include "chart/PositionLabels.h"

namespace zq {

TimingViewLogic::TimingViewLogic(CaptureSession& capture, Dialogs& dialogs, TimingViewOutput& out)
    : capture_(capture), dialogs_(dialogs), out_(out) {}

void TimingViewLogic::FormLoad(ViewBoxes& boxes) {
    if (capture_.isOpen()) {
        // Every saved value reaches its box before the one redraw, which stores them again.
        boxes = RestoreView(capture_.savedView());
        out_.ShowChartTitle(capture_.currentFile() + kChartTitleSuffix);
        CalcData(boxes);
        return;
    }
    capture_.setLevels(TraceLevels{0.1f, 0.8f});
    const ChartGrid pattern = StartupPattern(capture_.levels());
    out_.ShowChartTitle(kStartupTitle);
    PlotData(pattern, boxes);
}

void TimingViewLogic::CalcData(ViewBoxes& boxes) {
    CalcDataResult pass = CalcDataPass(boxes, capture_.file(), capture_.levels());
    if (pass.savedView) capture_.setSavedView(*pass.savedView);
    if (!pass.drawn) return;
    if (pass.cursorDiff) out_.ShowCursorDiff(*pass.cursorDiff);
    PlotData(pass.grid, boxes);
    // The corrected boxes show before the report box.
    capture_.reportOnce(pass.report, dialogs_, [&] { out_.ShowBoxes(boxes); });
}

void TimingViewLogic::PlotData(const ChartGrid& grid, const ViewBoxes& boxes) {
    // The labels count from the same number.
    out_.ShowFirstSample(static_cast<int32_t>(BoxInteger(boxes.StartPos, INT32_MIN, INT32_MAX)));
    out_.PlotChart(grid, PositionLabels(boxes.StartPos, boxes.DataLen, grid.GridLength()));
}

void TimingViewLogic::LoadClick(ViewBoxes& boxes) {
    // From here on no capture is current, whatever the user does in the dialog.
    capture_.close();

    openLog_.CancelError = true;
    openLog_.DialogTitle = "Open ZQ350 File ...";
    openLog_.Filter = "All Files (*.*)|*.*|Text Files (*.txt)|*.txt";
    openLog_.FilterIndex = 2;
    openLog_.FileName.clear();
    if (!dialogs_.ShowOpen(openLog_)) return;

    const std::string path = openLog_.FileName;
    out_.ShowChartTitle(path + kChartTitleSuffix);
    std::string error;
    if (!capture_.open(path, error)) {
        dialogs_.MessageBox(error, Buttons::Ok, Icon::Exclamation, kProgramTitle);
        return;
    }
    CalcData(boxes);
}

void TimingViewLogic::CaptureComplete(ViewBoxes& boxes) {
    out_.ShowChartTitle(capture_.currentFile() + kChartTitleSuffix);
    CalcData(boxes);
}

}  // namespace zq
