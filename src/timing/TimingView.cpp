#include "timing/TimingView.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollArea>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "view/BoxNumber.h"
#include "view/Navigation.h"
#include "view/Units.h"
#include "view/ViewEdits.h"
#include "view/ViewGestures.h"
#include "widgets/ChartGestures.h"
#include "widgets/Controls.h"
#include "widgets/ScrollFit.h"
#include "widgets/TimingChart.h"

namespace zq {

namespace {

// Design-time window size in twips; the Load event sets it (the system's frame aside).
constexpr int kWindowWidth = 15075, kWindowHeight = 8900;
constexpr const char* kCloseWhileReceiving = QT_TRANSLATE_NOOP(
    "zq::TimingView",
    "A capture is being received from the ZQ350. What arrived so far is kept in its file.\n\n"
    "Close the program anyway?");

}  // namespace

TimingView::TimingView(CaptureSession& capture, DeviceSession& device, Dialogs& dialogs,
                       WindowHost& host, DecodeSession* decoding, QWidget* parent)
    : QMainWindow(parent),
      capture_(capture),
      device_(device),
      dialogs_(dialogs),
      host_(host),
      logic_(capture, dialogs, *this),
      scale_(TwipScale::ForWidget(this)),
      decoding_(decoding) {
    setObjectName("TimingView");
    setWindowTitle(tr(kCaption));
    buildControls();
    buildMenus();
    loadDialogDirs();
    setAcceptDrops(true);
    // The read outlives this window; while the window is loaded it shows the read's progress
    // and draws the capture a read completes.
    connect(&device_, &DeviceSession::statusChanged, this, &TimingView::ShowReadStatus);
    connect(&device_, &DeviceSession::captureComplete, this, &TimingView::CaptureComplete);

    // Load event.
    // The design's size where the screen has room for it; a smaller screen scrolls.
    FitToScreen(this, QSize(scale_.toPixels(kWindowWidth), scale_.toPixels(kWindowHeight)));
    ShowSetup();
    withBoxes([this](ViewBoxes& b) { logic_.FormLoad(b); });
}

TimingView::~TimingView() = default;

void TimingView::buildControls() {
    ApplyDesignFont(this);

    auto* menu = menuBar()->addMenu(tr("&File"));
    menu->setObjectName("MnuFile");
    QAction* openFile = menu->addAction(tr("&Open"));
    openFile->setObjectName("OpenFile");
    connect(openFile, &QAction::triggered, this, &TimingView::Load_Click);

    auto* client = new QWidget;
    client->setObjectName("TimingViewClient");
    // The client's design size: the window's, less the menu bar.
    const QSize clientDesign(scale_.toPixels(kWindowWidth),
                             scale_.toPixels(kWindowHeight) - menuBar()->sizeHint().height());
    setCentralWidget(ScrollWhenSmall(this, client, clientDesign));
    area_ = BuildChartArea(client, scale_);
    controls_ = std::make_unique<ViewControls>(client, scale_,
                                               ViewControls::Design{360, 6840, 4200, 6810, false});
    const ViewControls& c = *controls_;

    const auto button = [&](const char* name, const QString& text, int left, int top, int width,
                            int height) {
        auto* b = new WrapButton(text, client);
        b->setObjectName(name);
        b->setGeometry(scale_.rect(left, top, width, height));
        return b;
    };
    Load_ = button("Load", tr("Load  from Disk"), 7980, 6960, 1215, 495);
    ReadZQ350_ = button("ReadZQ350", tr("Read  from ZQ350"), 9240, 6960, 1215, 495);
    TextList_ = button("TextList", tr("Text List"), 8700, 7620, 1035, 495);
    Load_->setToolTip(tr("Open a capture file (Ctrl+O)"));
    ReadZQ350_->setToolTip(tr("Read a capture out of the ZQ350 into a new file"));
    TextList_->setToolTip(tr("Show the same window of samples as a coloured hex listing"));

    // Not a designed control: with a sample rate, the cursors' distance in time beside "Cursor
    // Diff", whose designed width holds the samples only.
    CursorTime_ = new QLabel(client);
    CursorTime_->setObjectName("CursorTime");
    CursorTime_->setAccessibleName(tr("Cursor distance in time"));
    CursorTime_->setGeometry(scale_.rect(5955, 7980, 1980, 285));

    // Not a designed control: progress of a device read, in the free space beside the buttons,
    // under the port it listens on.
    ReadStatus_ = new QLabel(client);
    ReadStatus_->setObjectName("ReadStatus");
    ReadStatus_->setGeometry(scale_.rect(10560, 7290, 4200, 285));

    // Keyboard order by the designed tab indices.
    area_.chart->setFocusPolicy(Qt::TabFocus);
    const QWidget* order[] = {Load_,
                              area_.chart,
                              ReadZQ350_,
                              c.DataLen,
                              c.StartPos,
                              c.DecStart,
                              c.IncStart,
                              c.MarkTrigCheck,
                              c.MarkTrigcentricCheck,
                              c.MarkZerocentricCheck,
                              c.TrigCentricVal,
                              c.MarkCursorsCheck,
                              c.MarkCursorA,
                              c.MarkCursorB,
                              c.ZeroCentricVal,
                              c.Update,
                              TextList_};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));
    Load_->setFocus();

    // Clicks only: restoring a check state from code must not redraw.
    connect(Load_, &QPushButton::clicked, this, &TimingView::Load_Click);
    connect(TextList_, &QPushButton::clicked, this, &TimingView::TextList_Click);
    connect(ReadZQ350_, &QPushButton::clicked, this, &TimingView::ReadZQ350_Click);
    connect(c.Update, &QPushButton::clicked, this, &TimingView::Update_Click);
    connect(c.IncStart, &QPushButton::clicked, this, &TimingView::IncStart_Click);
    connect(c.DecStart, &QPushButton::clicked, this, &TimingView::DecStart_Click);
    for (QCheckBox* box : c.checks())
        connect(box, &QCheckBox::clicked, this, &TimingView::MarkCheck_Click);
    buildChartGestures(client);

    // Enter in a box does what applying it does: "Go !" for the window's boxes, a redraw (as
    // a click of its check box would) for an interval or a cursor.
    for (QLineEdit* box : {c.DataLen, c.StartPos})
        connect(box, &QLineEdit::returnPressed, this, &TimingView::Update_Click);
    for (QLineEdit* box : {c.TrigCentricVal, c.ZeroCentricVal, c.MarkCursorA, c.MarkCursorB})
        connect(box, &QLineEdit::returnPressed, this, &TimingView::MarkCheck_Click);

    buildReadControls(client);
    buildPortChoice(client);
    buildDecoderButtons(client);
    area_.chart->setAccessibleName(tr("Timing diagram"));
    for (int ch = 0; ch < 16; ++ch)
        area_.channelLabels[static_cast<size_t>(ch)]->setAccessibleName(tr("Channel %1").arg(ch));
    for (QPushButton* b : {Load_, ReadZQ350_, TextList_})
        b->setAccessibleName(b->text().simplified());
    ReadStatus_->setAccessibleName(tr("Read progress"));
    growth_ = std::make_unique<ChartGrowth>(client, area_);
    OnClientGrowth(client, clientDesign, [this](QSize growth) { growth_->apply(growth); });
    buildLabelDrag();
}

ViewBoxes TimingView::boxes() const { return controls_->boxes(); }

void TimingView::PlotChart(const ChartGrid& grid, std::vector<std::string> labels) {
    const ViewValues& v = capture_.view();
    area_.chart->setCursorSamples(CursorSample(v.cursorA), CursorSample(v.cursorB));
    area_.chart->setBusTraces(
        BusTraces(capture_.setup(), capture_.model(), area_.chart->firstSample(), grid.samples()));
    area_.chart->setChartData(grid);
    area_.chart->setColumnLabels(std::move(labels));
    RequestDecode();
}

void TimingView::ShowChartTitle(const std::string& title) { area_.chart->setTitleText(title); }

void TimingView::ShowCursorDiff(const std::string& caption) {
    controls_->MarkCursorDiff->setText(QString::fromStdString(caption));
    // The distance the caption names, for its time beside it.
    const ViewValues& v = capture_.view();
    if (v.cursorA && v.cursorB) cursorDistance_ = std::abs(*v.cursorA - *v.cursorB);
    ShowCursorTime();
}

void TimingView::ShowCursorTime() {
    const std::optional<double> rate = capture_.setup().sampleRate;
    QString text;
    if (rate && cursorDistance_) {
        text = QString::fromStdString("= " + TimeText(SamplesTime(*cursorDistance_, *rate)));
        if (*cursorDistance_ > 0)
            text += QString::fromStdString(" (" + FrequencyText(*rate / *cursorDistance_) + ")");
    }
    CursorTime_->setText(text);
}

void TimingView::CalcData() {
    withBoxes([this](ViewBoxes& b) { logic_.CalcData(b); });
}

void TimingView::ShowReadStatus(const QString& text) {
    ReadStatus_->setText(text);
    // The status is empty exactly when no read runs.
    const bool running = !text.isEmpty();
    ReadProgress_->setValue(device_.progress().linesReceived());
    ReadProgress_->setVisible(running);
    StopRead_->setVisible(running);
}

void TimingView::CaptureComplete() {
    withBoxes([this](ViewBoxes& b) { logic_.CaptureComplete(b); });
}

void TimingView::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    // Closes the capture writer and the serial port and stops Timer1, silently.
    disconnect(&device_, nullptr, this, nullptr);
    if (decoding_) disconnect(decoding_, nullptr, this, nullptr);
    device_.Unload();
}

void TimingView::closeEvent(QCloseEvent* event) {
    if (!unloaded_ && device_.readState() == ReadState::Receiving &&
        dialogs_.MessageBox(tr(kCloseWhileReceiving).toStdString(), Buttons::YesNo, Icon::Question,
                            kProgramTitle) != AnswerYes) {
        event->ignore();
        return;
    }
    Unload();
    event->accept();
}

void TimingView::Load_Click() {
    withBoxes([this](ViewBoxes& b) { logic_.LoadClick(b); });
    saveDialogDirs();
}

void TimingView::OpenFile(const std::string& path) {
    withBoxes([&](ViewBoxes& b) { logic_.LoadPath(b, path); });
}

void TimingView::TextList_Click() {
    // A read in progress ends first, so that the listing shows the capture its banner names.
    device_.EndRead();
    host_.showHexList();
}

// The port's notifications (OnComm) and Timer1's tick reach the device session directly.
void TimingView::ReadZQ350_Click() {
    OpenLogSettings& openLog = logic_.OpenLog();
    openLog.InitDir = logic_.Dirs().read;
    device_.ReadZQ350_Click(openLog);
    if (!openLog.FileName.empty()) {
        logic_.Dirs().read = FolderOf(openLog.FileName);
        saveDialogDirs();
    }
}

void TimingView::Update_Click() {
    withBoxes([this](ViewBoxes& b) {
        if (UpdateClick(b)) logic_.CalcData(b);
    });
}

void TimingView::IncStart_Click() {
    withBoxes([this](ViewBoxes& b) {
        if (IncStartClick(b)) logic_.CalcData(b);
    });
}

void TimingView::DecStart_Click() {
    withBoxes([this](ViewBoxes& b) {
        if (DecStartClick(b)) logic_.CalcData(b);
    });
}

void TimingView::MarkCheck_Click() {
    withBoxes([this](ViewBoxes& b) { logic_.CalcData(b); });
}

// The chart's gestures. Each one is another way to fill the boxes and click a button, so it
// ends where typing the same values and clicking would.

void TimingView::buildChartGestures(QWidget* client) {
    gestures_ = area_.gestures;
    // Not a designed control: the read-out of the pointer, in the free space under a read's
    // progress line and bar.
    Readout_ = new QLabel(client);
    Readout_->setObjectName("Readout");
    Readout_->setAccessibleName(tr("Value under the pointer"));
    Readout_->setWordWrap(true);
    Readout_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Readout_->setGeometry(scale_.rect(10560, 7890, 4440, 555));
    connect(gestures_, &ChartGestures::readoutChanged, Readout_, &QLabel::setText);
    connect(gestures_, &ChartGestures::windowRequested, this, &TimingView::ChartWindow_Request);
    connect(gestures_, &ChartGestures::stepRequested, this, &TimingView::ChartStep_Request);
    connect(gestures_, &ChartGestures::cursorRequested, this, &TimingView::ChartCursor_Request);
    connect(gestures_, &ChartGestures::edgeRequested, this, &TimingView::ChartEdge_Request);
    connect(area_.chart, &TimingChart::chartDataChanged, this, &TimingView::DecodeShownCapture);
}

void TimingView::ShowFirstSample(int32_t sample) { area_.chart->setFirstSample(sample); }

void TimingView::DecodeShownCapture() { gestures_->setCapture(capture_.model()); }

void TimingView::ChartWindow_Request(int start, int length) {
    withBoxes([&](ViewBoxes& b) {
        SetWindow(b, {start, length});
        if (UpdateClick(b)) logic_.CalcData(b);
    });
}

void TimingView::ChartStep_Request(int direction) {
    if (direction > 0)
        IncStart_Click();
    else
        DecStart_Click();
}

void TimingView::ChartCursor_Request(int cursor, int sample) {
    withBoxes([&](ViewBoxes& b) {
        SetCursor(b, cursor, sample);
        logic_.CalcData(b);
    });
}

void TimingView::ChartEdge_Request(int channel, int direction) {
    if (!capture_.isOpen()) return;
    withBoxes([&](ViewBoxes& b) {
        if (CursorToEdge(b, *capture_.model(), gestures_->shown(), channel, direction) &&
            UpdateClick(b))
            logic_.CalcData(b);
    });
}

}  // namespace zq
