#pragma once
// TimingView, the main window: the timing diagram with its channel labels, the boxes that
// choose the window of samples and the marks, and the buttons that load, read and list a
// capture. Creating it runs its Load event; closing it (or switching to the listing) runs its
// Unload event. The handlers' logic lives in TimingViewLogic and Navigation; this class only
// copies texts between the widgets and them.

#include <QMainWindow>
#include <string>
#include <vector>

#include "app/Dialogs.h"
#include "app/ProgramState.h"
#include "app/WindowHost.h"
#include "capture/ViewSettings.h"
#include "device/DeviceRead.h"
#include "timing/ChartArea.h"
#include "timing/TimingViewLogic.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zq {

class TimingChart;

class EndTimer;

class TimingView : public QMainWindow, public DeviceViewer, private TimingViewOutput {
    Q_OBJECT
  public:
    static constexpr const char* kCaption = "Timing View";

    TimingView(ProgramState& state, Dialogs& dialogs, WindowHost& host, QWidget* parent = nullptr);
    ~TimingView() override;

    // What a device read needs of the window.
    void SetChartTitle(const std::string& title) override;
    void CalcData() override;
    // A line of read progress beside the buttons; the empty text clears it.
    void ShowReadStatus(const std::string& text) override;

    // The Unload event; runs once, on close or on the switch to the listing window.
    void Unload();

    TimingChart* chart() const { return area_.chart; }
    // The boxes' texts and check states as they stand.
    ViewBoxes boxes() const;
    OpenLogSettings& OpenLog() { return logic_.OpenLog(); }
    DeviceRead& deviceRead() { return *deviceRead_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private slots:
    void Load_Click();
    void TextList_Click();
    void ReadZQ350_Click();
    void Update_Click();
    void IncStart_Click();
    void DecStart_Click();
    void MarkCheck_Click();

  private:
    // TimingViewOutput
    void PlotChart(const ChartGrid& grid, std::vector<std::string> labels) override;
    void ShowChartTitle(const std::string& title) override;
    void ShowCursorDiff(const std::string& caption) override;
    void ShowBoxes(const ViewBoxes& boxes) override { setBoxes(boxes); }

    void buildControls();
    void setBoxes(const ViewBoxes& boxes);
    // Runs a handler on the boxes and writes back what it changed. Only its own changes: a
    // timer tick served while the handler waited in a modal box may have set others.
    template <class F>
    void withBoxes(F&& handler) {
        const ViewBoxes before = boxes();
        ViewBoxes b = before;
        handler(b);
        setChangedBoxes(before, b);
    }
    void setChangedBoxes(const ViewBoxes& before, const ViewBoxes& after);

    ProgramState& state_;
    Dialogs& dialogs_;
    WindowHost& host_;
    TimingViewLogic logic_;
    // Timer1 and the handlers of a device read (ReadZQ350_Click, OnComm, Timer1_Timer).
    std::unique_ptr<EndTimer> timer1_;
    std::unique_ptr<DeviceRead> deviceRead_;
    TwipScale scale_;
    bool unloaded_ = false;
    bool placed_ = false;

    ChartArea area_;
    QLineEdit* StartPos_ = nullptr;
    QLineEdit* DataLen_ = nullptr;
    QLineEdit* TrigCentricVal_ = nullptr;
    QLineEdit* ZeroCentricVal_ = nullptr;
    QLineEdit* MarkCursorA_ = nullptr;
    QLineEdit* MarkCursorB_ = nullptr;
    QCheckBox* MarkTrigCheck_ = nullptr;
    QCheckBox* MarkTrigcentricCheck_ = nullptr;
    QCheckBox* MarkZerocentricCheck_ = nullptr;
    QCheckBox* MarkCursorsCheck_ = nullptr;
    QLabel* MarkCursorDiff_ = nullptr;
    QLabel* ReadStatus_ = nullptr;
    QPushButton* Load_ = nullptr;
    QPushButton* ReadZQ350_ = nullptr;
    QPushButton* TextList_ = nullptr;
    QPushButton* Update_ = nullptr;
    QPushButton* IncStart_ = nullptr;
    QPushButton* DecStart_ = nullptr;
};

}  // namespace zq
