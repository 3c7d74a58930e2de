#include "timing/TimingViewLogic.h"

#include <climits>
#include <filesystem>

#include "capture/Decoder.h"
#include "chart/ChartData.h"
#include "chart/PositionLabels.h"
#include "view/BoxNumber.h"

namespace zq {

TimingViewLogic::TimingViewLogic(CaptureSession& capture, Dialogs& dialogs, TimingViewOutput& out)
    : capture_(capture), dialogs_(dialogs), out_(out) {}

void TimingViewLogic::FormLoad(ViewBoxes& boxes) {
    if (capture_.isOpen()) {
        // Every saved value reaches its box before the one redraw, which stores them again.
        boxes = RestoreView(capture_.savedView());
        out_.ShowChartTitle(capture_.currentFile() + translate("zq::Chart", kChartTitleSuffix));
        CalcData(boxes);
        return;
    }
    capture_.setLevels(TraceLevels{0.1f, 0.8f});
    const ChartGrid pattern = StartupPattern(capture_.levels());
    out_.ShowChartTitle(translate("zq::Chart", kStartupTitle));
    PlotData(pattern, boxes);
}

void TimingViewLogic::CalcData(ViewBoxes& boxes) {
    // No file is read here unless it changed on disk since it was decoded.
    capture_.refresh();
    CalcDataResult pass = CalcDataPass(boxes, capture_.model(), capture_.levels());
    if (pass.savedView) capture_.setSavedView(*pass.savedView);
    if (pass.noCapture) {
        // An empty diagram under the file's name, said once; the boxes stay as they were.
        PlotData(ChartGrid(pass.grid.GridLength()), boxes);
        capture_.reportOnce(NoCaptureText(capture_.currentFile()), dialogs_);
        return;
    }
    if (!pass.drawn) return;
    capture_.setView(boxes);
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

    openLog_.DialogTitle = translate("zq::TimingView", "Open ZQ350 File ...");
    openLog_.Filter = translate("zq::TimingView", "All Files (*.*)|*.*|Text Files (*.txt)|*.txt");
    openLog_.FilterIndex = 2;
    openLog_.FileName.clear();
    openLog_.InitDir = dirs_.load;
    if (!dialogs_.ShowOpen(openLog_)) return;
    dirs_.load = FolderOf(openLog_.FileName);
    LoadPath(boxes, openLog_.FileName);
}

bool TimingViewLogic::LoadPath(ViewBoxes& boxes, const std::string& path) {
    out_.ShowChartTitle(path + translate("zq::Chart", kChartTitleSuffix));
    std::string error;
    if (!capture_.open(path, error)) {
        dialogs_.MessageBox(path + ": " + error, Buttons::Ok, Icon::Exclamation, kProgramTitle);
        return false;
    }
    out_.CaptureOpened(path);
    CalcData(boxes);
    return true;
}

std::string FolderOf(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

std::vector<std::string> WithRecent(std::vector<std::string> list, const std::string& path) {
    std::erase(list, path);
    list.insert(list.begin(), path);
    if (list.size() > kRecentFiles) list.resize(kRecentFiles);
    return list;
}

void TimingViewLogic::CaptureComplete(ViewBoxes& boxes) {
    out_.ShowChartTitle(capture_.currentFile() + translate("zq::Chart", kChartTitleSuffix));
    CalcData(boxes);
}

}  // namespace zq
