#include "timing/TimingView.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTimer>
#include <algorithm>
#include <map>

#include "app/QtEndTimer.h"
#include "device/TtySerialPort.h"
#include "timing/Controls.h"
#include "timing/Navigation.h"
#include "timing/TimingChart.h"

namespace zq {

namespace {

// Design-time window size in twips; the Load event sets it (the system's frame aside).
constexpr int kWindowWidth = 15075, kWindowHeight = 8900, kWindowLeft = 40;
// The box lengths the design limits.
constexpr int kShortBox = 4;

void SetText(QLineEdit* box, const std::string& text) {
    const QString t = QString::fromStdString(text);
    if (box->text() != t) box->setText(t);
}

}  // namespace

TimingView::TimingView(ProgramState& state, Dialogs& dialogs, WindowHost& host, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      dialogs_(dialogs),
      host_(host),
      logic_(state, dialogs, *this),
      timer1_(std::make_unique<QtEndTimer>(1000)),
      deviceRead_(std::make_unique<DeviceRead>(
          state, dialogs, *timer1_, logic_.OpenLog(), *this,
          [] { return std::make_unique<TtySerialPort>(kZq350PortPath); })),
      scale_(TwipScale::ForWidget(this)) {
    setObjectName("TimingView");
    setWindowTitle(kCaption);
    buildControls();

    // Load event.
    resize(scale_.toPixels(kWindowWidth), scale_.toPixels(kWindowHeight));
    withBoxes([this](ViewBoxes& b) { logic_.FormLoad(b); });
}

TimingView::~TimingView() = default;

void TimingView::buildControls() {
    ApplyDesignFont(this);

    auto* menu = menuBar()->addMenu("&File");
    menu->setObjectName("MnuFile");
    QAction* openFile = menu->addAction("&Open");
    openFile->setObjectName("OpenFile");
    connect(openFile, &QAction::triggered, this, &TimingView::Load_Click);

    auto* client = new QWidget(this);
    client->setObjectName("TimingViewClient");
    setCentralWidget(client);
    area_ = BuildChartArea(client, scale_);

    std::map<int, QWidget*> tabOrder;
    const auto place = [&](QWidget* w, const char* name, int left, int top, int width, int height,
                           int tab) {
        w->setObjectName(name);
        w->setGeometry(scale_.rect(left, top, width, height));
        w->setProperty("tabIndex", tab);
        if (w->focusPolicy() != Qt::NoFocus) tabOrder[tab] = w;
    };
    const auto label = [&](const char* name, const char* text, int left, int top, int width,
                           int height, int tab, bool right) {
        auto* l = new QLabel(text, client);
        l->setAlignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        place(l, name, left, top, width, height, tab);
        FitTextToWidth(l, l->text());
        return l;
    };
    const auto textBox = [&](const char* name, const char* text, int left, int top, int width,
                             int height, int tab, int maxLength) {
        auto* e = new QLineEdit(text, client);
        if (maxLength > 0) e->setMaxLength(maxLength);
        place(e, name, left, top, width, height, tab);
        return e;
    };
    const auto button = [&](const char* name, const char* text, int left, int top, int width,
                            int height, int tab) {
        auto* b = new WrapButton(text, client);
        place(b, name, left, top, width, height, tab);
        return b;
    };
    const auto checkBox = [&](const char* name, QColor back, bool checked, int left, int top,
                              int width, int height, int tab) {
        auto* c = new QCheckBox(client);
        c->setChecked(checked);
        c->setAutoFillBackground(true);
        QPalette pal = c->palette();
        pal.setColor(QPalette::Window, back);
        c->setPalette(pal);
        place(c, name, left, top, width, height, tab);
        return c;
    };

    area_.chart->setProperty("tabIndex", 9);
    area_.chart->setFocusPolicy(Qt::TabFocus);
    tabOrder[9] = area_.chart;

    label("Label17", "Data Length", 360, 6840, 1155, 285, 20, true);
    DataLen_ = textBox("DataLen", "64", 1560, 6810, 555, 315, 19, kShortBox);
    label("Label18", "Start Position", 360, 7200, 1155, 285, 22, true);
    StartPos_ = textBox("StartPos", "1008", 1560, 7170, 555, 315, 21, kShortBox);
    Update_ = button("Update", "Go !", 2160, 6840, 435, 705, 38);
    DecStart_ = button("DecStart", "<", 2640, 7170, 615, 315, 23);
    IncStart_ = button("IncStart", ">", 3240, 7170, 555, 315, 24);
    MarkTrigCheck_ =
        checkBox("MarkTrigCheck", QColor(255, 128, 128), true, 4200, 6810, 255, 255, 25);
    label("Label19", "Mark Trig", 4440, 6840, 1635, 285, 27, false);
    MarkTrigcentricCheck_ =
        checkBox("MarkTrigcentricCheck", QColor(0, 255, 255), false, 4200, 7080, 255, 285, 26);
    label("Label20", "Mark from Trig  - every", 4440, 7080, 1635, 285, 28, false);
    TrigCentricVal_ = textBox("TrigCentricVal", "16", 6120, 7050, 555, 315, 31, 0);
    MarkZerocentricCheck_ =
        checkBox("MarkZerocentricCheck", QColor(128, 255, 128), false, 4200, 7380, 255, 285, 29);
    label("Label21", "Mark from Zero - every", 4440, 7380, 1635, 285, 30, false);
    ZeroCentricVal_ = textBox("ZeroCentricVal", "16", 6120, 7350, 555, 315, 37, 0);
    MarkCursorsCheck_ =
        checkBox("MarkCursorsCheck", QColor(255, 0, 255), true, 4200, 7650, 255, 285, 32);
    label("Label22", "Set Cursors - - - - at", 4440, 7680, 1635, 285, 33, false);
    MarkCursorA_ = textBox("MarkCursorA", "1008", 6120, 7650, 555, 315, 34, kShortBox);
    MarkCursorB_ = textBox("MarkCursorB", "1040", 6720, 7650, 555, 315, 35, kShortBox);
    MarkCursorDiff_ = label("MarkCursorDiff", "", 4260, 7980, 1695, 285, 36, false);
    Load_ = button("Load", "Load  from Disk", 7980, 6960, 1215, 495, 0);
    ReadZQ350_ = button("ReadZQ350", "Read  from ZQ350", 9240, 6960, 1215, 495, 18);
    TextList_ = button("TextList", "Text List", 8700, 7620, 1035, 495, 39);

    // The check boxes have no caption of their own; screen readers take the row's label.
    MarkTrigCheck_->setAccessibleName("Mark Trig");
    MarkTrigcentricCheck_->setAccessibleName("Mark from Trig  - every");
    MarkZerocentricCheck_->setAccessibleName("Mark from Zero - every");
    MarkCursorsCheck_->setAccessibleName("Set Cursors - - - - at");

    // Not a designed control: progress of a device read, in the free space beside the buttons.
    ReadStatus_ = new QLabel(client);
    ReadStatus_->setObjectName("ReadStatus");
    ReadStatus_->setGeometry(scale_.rect(10560, 6960, 4200, 285));

    QWidget* previous = nullptr;
    for (auto& [tab, w] : tabOrder) {
        if (previous) setTabOrder(previous, w);
        previous = w;
    }
    Load_->setFocus();

    // Clicks only: restoring a check state from code must not redraw.
    connect(Load_, &QPushButton::clicked, this, &TimingView::Load_Click);
    connect(TextList_, &QPushButton::clicked, this, &TimingView::TextList_Click);
    connect(ReadZQ350_, &QPushButton::clicked, this, &TimingView::ReadZQ350_Click);
    connect(Update_, &QPushButton::clicked, this, &TimingView::Update_Click);
    connect(IncStart_, &QPushButton::clicked, this, &TimingView::IncStart_Click);
    connect(DecStart_, &QPushButton::clicked, this, &TimingView::DecStart_Click);
    for (QCheckBox* c :
         {MarkTrigCheck_, MarkTrigcentricCheck_, MarkZerocentricCheck_, MarkCursorsCheck_})
        connect(c, &QCheckBox::clicked, this, &TimingView::MarkCheck_Click);
}

ViewBoxes TimingView::boxes() const {
    ViewBoxes b;
    b.StartPos = StartPos_->text().toStdString();
    b.DataLen = DataLen_->text().toStdString();
    b.TrigCentricVal = TrigCentricVal_->text().toStdString();
    b.ZeroCentricVal = ZeroCentricVal_->text().toStdString();
    b.MarkCursorA = MarkCursorA_->text().toStdString();
    b.MarkCursorB = MarkCursorB_->text().toStdString();
    b.MarkTrigCheck = CheckValue(MarkTrigCheck_);
    b.MarkTrigcentricCheck = CheckValue(MarkTrigcentricCheck_);
    b.MarkZerocentricCheck = CheckValue(MarkZerocentricCheck_);
    b.MarkCursorsCheck = CheckValue(MarkCursorsCheck_);
    return b;
}

void TimingView::setBoxes(const ViewBoxes& b) {
    SetText(StartPos_, b.StartPos);
    SetText(DataLen_, b.DataLen);
    SetText(TrigCentricVal_, b.TrigCentricVal);
    SetText(ZeroCentricVal_, b.ZeroCentricVal);
    SetText(MarkCursorA_, b.MarkCursorA);
    SetText(MarkCursorB_, b.MarkCursorB);
    MarkTrigCheck_->setCheckState(QtCheckState(b.MarkTrigCheck));
    MarkZerocentricCheck_->setCheckState(QtCheckState(b.MarkZerocentricCheck));
    MarkTrigcentricCheck_->setCheckState(QtCheckState(b.MarkTrigcentricCheck));
    MarkCursorsCheck_->setCheckState(QtCheckState(b.MarkCursorsCheck));
}

void TimingView::setChangedBoxes(const ViewBoxes& before, const ViewBoxes& after) {
    const auto text = [](QLineEdit* box, const std::string& was, const std::string& now) {
        if (now != was) SetText(box, now);
    };
    text(StartPos_, before.StartPos, after.StartPos);
    text(DataLen_, before.DataLen, after.DataLen);
    text(TrigCentricVal_, before.TrigCentricVal, after.TrigCentricVal);
    text(ZeroCentricVal_, before.ZeroCentricVal, after.ZeroCentricVal);
    text(MarkCursorA_, before.MarkCursorA, after.MarkCursorA);
    text(MarkCursorB_, before.MarkCursorB, after.MarkCursorB);
    const auto check = [](QCheckBox* box, uint8_t was, uint8_t now) {
        if (now != was) box->setCheckState(QtCheckState(now));
    };
    check(MarkTrigCheck_, before.MarkTrigCheck, after.MarkTrigCheck);
    check(MarkZerocentricCheck_, before.MarkZerocentricCheck, after.MarkZerocentricCheck);
    check(MarkTrigcentricCheck_, before.MarkTrigcentricCheck, after.MarkTrigcentricCheck);
    check(MarkCursorsCheck_, before.MarkCursorsCheck, after.MarkCursorsCheck);
}

void TimingView::PlotChart(const ChartGrid& grid, std::vector<std::string> labels) {
    area_.chart->setChartData(grid);
    area_.chart->setColumnLabels(std::move(labels));
}

void TimingView::ShowChartTitle(const std::string& title) { area_.chart->setTitleText(title); }

void TimingView::ShowCursorDiff(const std::string& caption) {
    MarkCursorDiff_->setText(QString::fromStdString(caption));
}

void TimingView::SetChartTitle(const std::string& title) { ShowChartTitle(title); }

void TimingView::CalcData() {
    withBoxes([this](ViewBoxes& b) { logic_.CalcData(b); });
}

void TimingView::ShowReadStatus(const std::string& text) {
    ReadStatus_->setText(QString::fromStdString(text));
}

void TimingView::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    // Closes the capture writer and the serial port and stops Timer1, silently.
    deviceRead_->Unload();
}

void TimingView::closeEvent(QCloseEvent* event) {
    Unload();
    event->accept();
}

void TimingView::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (placed_) return;
    placed_ = true;
    // The design puts the left edge near the screen's edge and leaves the top where the
    // system placed the window, which is known only once it is mapped.
    QTimer::singleShot(0, this, [this] { move(scale_.toPixels(kWindowLeft), pos().y()); });
}

void TimingView::Load_Click() {
    withBoxes([this](ViewBoxes& b) { logic_.LoadClick(b); });
}

void TimingView::TextList_Click() { host_.showHexList(); }

// The port's notifications (OnComm) and Timer1's tick reach the device read directly.
void TimingView::ReadZQ350_Click() { deviceRead_->ReadZQ350_Click(); }

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

}  // namespace zq
