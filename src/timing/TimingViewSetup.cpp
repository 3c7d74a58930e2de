// File > Open Setup... and Save Setup... of the main window, and the channel labels that show
// the setup's names. The setup is the board's wiring: it is kept across runs and applies to
// every capture until another is opened.

#include <QLabel>
#include <QSettings>
#include <algorithm>

#include "timing/CaptureExport.h"
#include "timing/TimingView.h"
#include "view/SetupEdits.h"
#include "view/SetupJson.h"
#include "widgets/ChartGestures.h"
#include "widgets/LabelDrag.h"
#include "widgets/TimingChart.h"

namespace zq {

namespace {
constexpr const char* kSetupKey = "setup";
}

void TimingView::ShowSetup() {
    const ChannelSetup& setup = capture_.setup();
    ShowAnnotations();  // the rows, the annotation rows among them
    wireBusLabels();
    for (int c = 0; c < kChannels; ++c) {
        QLabel* label = area_.channelLabels[static_cast<size_t>(c)];
        const QString name = QString::fromStdString(setup.RowLabel(c));
        // A label has room for a few characters; the whole name is a hover away.
        label->setToolTip(setup.channels[static_cast<size_t>(c)].name.empty()
                              ? QString()
                              : tr("Channel %1: %2").arg(c).arg(name));
        label->setAccessibleName(tr("Channel %1 %2").arg(c).arg(name));
    }
    gestures_->setSampleRate(setup.sampleRate);
    gestures_->setSetup(setup);
    TimingChart& chart = *area_.chart;
    chart.setSampleRate(setup.sampleRate);
    chart.setBusTraces(
        BusTraces(setup, capture_.model(), chart.firstSample(), chart.chartData().samples()));
    ShowCursorTime();
    // Decoders, their options or the rate may have changed.
    RequestDecode();
}

void TimingView::OpenSetup_Click() {
    OpenLogSettings s;
    s.DialogTitle = tr("Open Setup ...").toStdString();
    s.Filter = tr("Setup Files (*.json)|*.json|All Files (*.*)|*.*").toStdString();
    s.FilterIndex = 1;
    s.DefaultExt = "json";
    s.InitDir = logic_.Dirs().exports;
    if (!dialogs_.ShowOpen(s)) return;
    logic_.Dirs().exports = FolderOf(s.FileName);
    saveDialogDirs();
    const Parsed<ChannelSetup> parsed = LoadSetupFile(s.FileName);
    if (!parsed.ok()) {
        // The setup in use stays as it was.
        dialogs_.MessageBox(parsed.error, Buttons::Ok, Icon::Exclamation, kProgramTitle);
        return;
    }
    UseSetup(parsed.value);
}

void TimingView::SaveSetup_Click() {
    const std::optional<std::string> path =
        ChooseExportPath(dialogs_, ExportKind::Setup, logic_.Dirs().exports);
    saveDialogDirs();
    if (path) WriteExportBytes(capture_, dialogs_, *path, SaveSetup(capture_.setup()));
}

void TimingView::UseSetup(const ChannelSetup& setup) {
    capture_.setSetup(setup);
    QSettings().setValue(kSetupKey, QString::fromStdString(SaveSetup(setup)));
    ShowSetup();
}

void TimingView::buildLabelDrag() {
    auto* drag = new LabelDrag(area_, this);
    // The dragged row takes the target's place; the rows between shift towards where it was.
    connect(drag, &LabelDrag::moveRequested, this, [this](int channel, int target) {
        const auto& order = capture_.setup().order;
        const auto place = std::find(order.begin(), order.end(), target) - order.begin();
        UseEdit(MoveRowTo(capture_.setup(), channel, static_cast<int>(place)));
    });
}

std::optional<ChannelSetup> TimingView::KeptSetup() {
    const QString text = QSettings().value(kSetupKey).toString();
    if (text.isEmpty()) return std::nullopt;
    const Parsed<ChannelSetup> parsed = ParseSetup(text.toStdString(), "kept setup");
    if (!parsed.ok()) return std::nullopt;
    return parsed.value;
}

}  // namespace zq
