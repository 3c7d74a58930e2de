#include "timing/TimingViewLogic.h"

#include "timing/ChartData.h"
#include "timing/PositionLabels.h"

namespace zq {

TimingViewLogic::TimingViewLogic(ProgramState& state, Dialogs& dialogs, TimingViewOutput& out)
    : state_(state), dialogs_(dialogs), out_(out) {}

void TimingViewLogic::FormLoad(ViewBoxes& boxes) {
    if (state_.CaptureHandle) {
        // Every saved value reaches its box before the one redraw, which stores them again.
        boxes = RestoreView(state_.savedView);
        out_.ShowChartTitle(state_.CurrentFile + kChartTitleSuffix);
        CalcData(boxes);
        return;
    }
    state_.levels = TraceLevels{0.1f, 0.8f};
    const ChartGrid pattern = StartupPattern(state_.levels);
    out_.ShowChartTitle(kStartupTitle);
    PlotData(pattern, boxes);
}

void TimingViewLogic::CalcData(ViewBoxes& boxes) {
    CalcDataResult pass = CalcDataPass(boxes, state_.CaptureHandle.get(), state_.levels);
    if (pass.savedView) state_.savedView = *pass.savedView;
    if (!pass.drawn) return;
    if (pass.cursorDiff) out_.ShowCursorDiff(*pass.cursorDiff);
    PlotData(pass.grid, boxes);
    if (!state_.ReportShown && pass.report.size() > 1) {
        out_.ShowBoxes(boxes);
        dialogs_.MessageBox(pass.report, Buttons::Ok, Icon::None, kProgramTitle);
    }
    state_.ReportShown = true;
}

void TimingViewLogic::PlotData(const ChartGrid& grid, const ViewBoxes& boxes) {
    out_.PlotChart(grid, PositionLabels(boxes.StartPos, boxes.DataLen, grid.GridLength()));
}

void TimingViewLogic::LoadClick(ViewBoxes& boxes) {
    // From here on no capture is current, whatever the user does in the dialog.
    state_.CaptureHandle.reset();

    openLog_.CancelError = true;
    openLog_.DialogTitle = "Open ZQ350 File ...";
    openLog_.Filter = "All Files (*.*)|*.*|Text Files (*.txt)|*.txt";
    openLog_.FilterIndex = 2;
    openLog_.FileName.clear();
    if (!dialogs_.ShowOpen(openLog_)) return;

    state_.CurrentFile = openLog_.FileName;
    out_.ShowChartTitle(state_.CurrentFile + kChartTitleSuffix);

    std::string error;
    std::unique_ptr<CaptureFile> file = CaptureFile::open(state_.CurrentFile, error);
    if (!file) {
        dialogs_.MessageBox(error, Buttons::Ok, Icon::Exclamation, kProgramTitle);
        return;
    }
    state_.CaptureHandle = std::move(file);
    state_.ReportShown = false;
    CalcData(boxes);
}

}  // namespace zq
