#pragma once
// TimingView, the main window: the timing diagram with its channel labels, the boxes that
// choose the window of samples and the marks, and the buttons that load, read and list a
// capture. Creating it runs its Load event; closing it (or switching to the listing) runs its
// Unload event. The handlers' logic lives in TimingViewLogic, Navigation and the device
// session; this class only copies texts between the widgets and them.

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "capture/DecodedCapture.h"
#include "session/CaptureSession.h"
#include "session/DecodeSession.h"
#include "session/DeviceSession.h"
#include "session/Dialogs.h"
#include "session/WindowHost.h"
#include "timing/TimingViewLogic.h"
#include "view/SetupEdits.h"
#include "view/ViewSettings.h"
#include "widgets/ChartArea.h"
#include "widgets/ChartGrowth.h"
#include "widgets/ViewControls.h"

class QComboBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;

namespace zq {

class ChartGestures;
class TimingChart;

class TimingView : public QMainWindow, private TimingViewOutput {
    Q_OBJECT
  public:
    static constexpr const char* kCaption = QT_TR_NOOP("Timing View");

    // decoding: the program's decoders; without it the Decoders menu has nothing to offer.
    TimingView(CaptureSession& capture, DeviceSession& device, Dialogs& dialogs, WindowHost& host,
               DecodeSession* decoding = nullptr, QWidget* parent = nullptr);
    ~TimingView() override;

    // Decodes the open capture file and redraws, as every handler's redraw does.
    void CalcData();

    // The Unload event; runs once, on close or on the switch to the listing window.
    void Unload();

    TimingChart* chart() const { return area_.chart; }
    // The boxes' texts and check states as they stand.
    ViewBoxes boxes() const;
    OpenLogSettings& OpenLog() { return logic_.OpenLog(); }

    // Loads path as "Load  from Disk" loads the file its dialog names (recent files, drops,
    // the command line).
    void OpenFile(const std::string& path);
    // The recent files list as remembered, newest first.
    static std::vector<std::string> RecentFiles();

    // The setup kept from the last run, if any (TimingViewSetup.cpp).
    static std::optional<ChannelSetup> KeptSetup();
    // Makes setup the one in use: kept across runs, shown on the channel labels.
    void UseSetup(const ChannelSetup& setup);

    // The serial port chosen last, if any (TimingViewPort.cpp).
    static std::optional<std::string> KeptPort();
    // Makes path the port reads listen on: kept across runs, shown in the port lists.
    void UsePort(const std::string& path);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private slots:
    void Load_Click();
    void TextList_Click();
    void ReadZQ350_Click();
    void Update_Click();
    void IncStart_Click();
    void DecStart_Click();
    void MarkCheck_Click();
    // The device read's progress line; the empty text clears it.
    void ShowReadStatus(const QString& text);
    void CaptureComplete();

    // Keyboard and menus (TimingViewMenus.cpp).
    void StopRead_Click();
    void Export_Click(int kind);
    void About_Click();
    void FillRecentMenu();
    void OpenSetup_Click();
    void SaveSetup_Click();

    // The port the reads listen on (TimingViewPort.cpp): the drop-down beside
    // "Read  from ZQ350" and the Device menu, each listing the system's ports as it opens.
    void FillPortBox();
    void FillDeviceMenu();
    void PortBox_Activated(int index);
    void OtherPort_Click();

  private:
    // TimingViewOutput
    void PlotChart(const ChartGrid& grid, std::vector<std::string> labels) override;
    void ShowChartTitle(const std::string& title) override;
    void ShowCursorDiff(const std::string& caption) override;
    void ShowBoxes(const ViewBoxes& boxes) override { controls_->setBoxes(boxes); }
    void ShowFirstSample(int32_t sample) override;

    void buildControls();
    // The channel labels as the setup names the channels.
    void ShowSetup();
    // A label dragged up or down the column moves its row.
    void buildLabelDrag();
    // Menus, the read's Stop and progress bar, Enter and Esc (TimingViewMenus.cpp).
    void buildMenus();
    void buildReadControls(QWidget* client);
    void buildPortChoice(QWidget* client);
    void buildDeviceMenu();
    // Fills the drop-down with the ports found when it last listed them and the port in use.
    void ShowPorts();
    void CaptureOpened(const std::string& path) override;
    void loadDialogDirs();
    void saveDialogDirs();
    // Runs a handler on the boxes and writes back what it changed. Only its own changes: a
    // timer tick served while the handler waited in a modal box may have set others.
    template <class F>
    void withBoxes(F&& handler) {
        const ViewBoxes before = boxes();
        ViewBoxes b = before;
        handler(b);
        controls_->setChangedBoxes(before, b);
    }

    CaptureSession& capture_;
    DeviceSession& device_;
    Dialogs& dialogs_;
    WindowHost& host_;
    TimingViewLogic logic_;
    TwipScale scale_;
    bool unloaded_ = false;

    ChartArea area_;
    std::unique_ptr<ViewControls> controls_;
    QLabel* ReadStatus_ = nullptr;
    QLabel* CursorTime_ = nullptr;
    std::optional<double> cursorDistance_;  // of the last "Cursor Diff" shown, in samples
    void ShowCursorTime();
    QPushButton* Load_ = nullptr;
    QPushButton* ReadZQ350_ = nullptr;
    QPushButton* TextList_ = nullptr;

    // Beyond the design: the read's Stop and progress, the recent files, growth on resize.
    QProgressBar* ReadProgress_ = nullptr;
    QPushButton* StopRead_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QComboBox* ReadPort_ = nullptr;
    QMenu* deviceMenu_ = nullptr;
    std::vector<PortInfo> portsFound_;  // as the system listed them when a list last opened
    std::unique_ptr<ChartGrowth> growth_;
    // The chart's gestures: each changes the view's values (the boxes follow) and runs the
    // handler of the button it stands for.
  private slots:
    void ChartWindow_Request(int start, int length);
    void ChartStep_Request(int direction);
    void ChartCursor_Request(int cursor, int sample);
    void ChartEdge_Request(int channel, int direction);

    // The protocol decoders (TimingViewDecoders.cpp): the Decoders menu, "Add Decoder ..."
    // and "Stop Decoding", the annotation rows and list.
    void AddDecoder_Click();
    void StopDecoding_Click();

  private:
    void buildDecoderButtons(QWidget* client);
    void buildDecoders();
    void FillDecodersMenu();
    // Opens the decoder dialog once the library's decoders are known (listed off this thread
    // the first time).
    void EditDecoder(std::optional<DecoderPlace> place);
    void DecodersListed();
    // Asks the session for the decoders' run over the capture shown; it runs only when the
    // capture, the rate or the decoders changed, and not before the first frame is painted.
    void RequestDecode();
    void ShowAnnotations();
    void DecodingChanged(bool running);
    // The annotation list, made when first shown; a click centres the window on an annotation
    // as a gesture would, its export goes out as every file the window writes.
    void ShowAnnotationList(bool shown);
    void AnnotationChosen(qint64 first, qint64 last);
    void ExportAnnotations_Click();
    class AnnotationList* list_ = nullptr;
    DecodeSession* decoding_ = nullptr;
    QMenu* decodersMenu_ = nullptr;
    QPushButton* AddDecoder_ = nullptr;
    QPushButton* StopDecoding_ = nullptr;
    QAction* stopDecodingAction_ = nullptr;
    bool painted_ = false;
    std::optional<std::optional<DecoderPlace>> pendingEdit_;  // waits for the decoders' list

    void buildChartGestures(QWidget* client);
    void DecodeShownCapture();
    ChartGestures* gestures_ = nullptr;
    QLabel* Readout_ = nullptr;

    // Editing the setup from the channel labels and the View menu (TimingViewChannels.cpp).
    // Each edit ends in UseSetup; one that cannot be made is explained and changes nothing.
    void buildChannelEditing(QMenu* view);
    void ShowChannelMenu(int channel, const QPoint& at);
    // A bus label's menu: rename, remove, Channels ...; wired as ShowRows makes the labels.
    void wireBusLabels();
    void ShowBusMenu(size_t bus, const QPoint& at);
    void RenameChannel_Click(int channel);
    void HideChannel_Click(int channel);
    void MoveChannel_Click(int channel, int direction);
    void MakeBus_Click(int channel);
    void Channels_Click();
    void SampleRate_Click();
    void ShowAllChannels_Click();
    // Uses the edit's setup, or explains (after refused, when given) why there is none.
    bool UseEdit(const SetupEdit& edit, const std::string& refused = {});
    // Asks for a text until the edit it makes is used or the user cancels; a refused text is
    // offered again as typed.
    void AskForEdit(const std::string& title, const std::string& prompt, std::string text,
                    const std::function<SetupEdit(const std::string&)>& edit,
                    const std::string& refused);
};

}  // namespace zq
