#pragma once
// The main window's procedures and handlers without the window: the Load event,
// CalcData, PlotData and the click of "Load  from Disk". They work on the texts and check
// states of the boxes (ViewBoxes) and reach the chart, the dialogs and the current capture
// only through the interfaces below, so the tests can drive them with fakes.

#include <string>
#include <vector>

#include "chart/ChartGrid.h"
#include "session/CaptureSession.h"
#include "session/Dialogs.h"
#include "view/ViewSettings.h"

namespace zq {

// The window's chart and captions as the handlers change them.
class TimingViewOutput {
  public:
    virtual ~TimingViewOutput() = default;
    // PlotData's hand-over: the whole grid and one label per position.
    virtual void PlotChart(const ChartGrid& grid, std::vector<std::string> labels) = 0;
    virtual void ShowChartTitle(const std::string& title) = 0;
    virtual void ShowCursorDiff(const std::string& caption) = 0;
    // The texts and check states as a handler has left them so far; called before a modal
    // box, so the window behind it already shows them.
    virtual void ShowBoxes(const ViewBoxes& boxes) = 0;
    // A file has just become the current capture by a load (for the recent files list).
    virtual void CaptureOpened(const std::string& path) { (void)path; }
    // The sample of the chart's first position, before each hand-over.
    virtual void ShowFirstSample(int32_t /*sample*/) {}
};

// The folder each file dialog last chose a file in; each dialog starts there next time.
struct DialogDirs {
    std::string load, read, exports;
};

// The folder of a chosen path, for DialogDirs.
std::string FolderOf(const std::string& path);

// The recent files list after path was opened: path first, no duplicates, at most 8.
inline constexpr size_t kRecentFiles = 8;
std::vector<std::string> WithRecent(std::vector<std::string> list, const std::string& path);

// Translated where it is shown.
inline constexpr const char* kStartupTitle =
    QT_TRANSLATE_NOOP("zq::Chart", "ZQ350 Logic Analyser - Timing Diagram");

class TimingViewLogic {
  public:
    TimingViewLogic(CaptureSession& capture, Dialogs& dialogs, TimingViewOutput& out);

    // Load event: restores the boxes from SavedView and redraws the open capture, or draws the
    // start-up pattern when none is open. boxes hold the design-time defaults on entry.
    void FormLoad(ViewBoxes& boxes);

    // One redraw: normalise the window, store SavedView, scan, draw, report once per file.
    void CalcData(ViewBoxes& boxes);
    // Hands a grid to the chart with the labels of the StartPos and DataLen texts.
    void PlotData(const ChartGrid& grid, const ViewBoxes& boxes);

    // Click of "Load  from Disk" (and File > Open).
    void LoadClick(ViewBoxes& boxes);
    // What that click does once its dialog has named a file; a recent file, a dropped file
    // and the command line's file load through it too. Returns whether the file opened.
    bool LoadPath(ViewBoxes& boxes, const std::string& path);
    // A device read made its file the current capture: its title, then a redraw.
    void CaptureComplete(ViewBoxes& boxes);

    // The common file dialog of the window (OpenLog); its settings stay between uses.
    OpenLogSettings& OpenLog() { return openLog_; }
    DialogDirs& Dirs() { return dirs_; }

  private:
    CaptureSession& capture_;
    Dialogs& dialogs_;
    TimingViewOutput& out_;
    OpenLogSettings openLog_;
    DialogDirs dirs_;
};

}  // namespace zq
