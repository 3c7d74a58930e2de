// The main window's protocol decoders: the Decoders menu (add, edit and remove a decoder, stop
// a run, the annotation list), "Add Decoder ..." and "Stop" below the buttons that
// bring a capture, and the annotation rows the program's DecodeSession finds. The decoders run
// off this thread; the window asks for a run whenever it draws, and the session runs only what
// changed. Nothing is asked for before the window's first frame is painted, so a kept setup
// with decoders starts as fast as one without.

#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include "export/AnnotationCsv.h"
#include "timing/AnnotationList.h"
#include "timing/CaptureExport.h"
#include "timing/TimingView.h"
#include "widgets/ChartGestures.h"
#include "widgets/TimingChart.h"

namespace zq {

namespace {

// Calls back once, after the first paint of the widget it watches.
class FirstPaint : public QObject {
  public:
    FirstPaint(QWidget* watched, std::function<void()> painted)
        : QObject(watched), painted_(std::move(painted)) {
        watched->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // After the paint: the frame is on the screen before anything else starts.
            QTimer::singleShot(0, this, [this] {
                painted_();
                deleteLater();
            });
        }
        return false;
    }

  private:
    std::function<void()> painted_;
};

}  // namespace

void TimingView::buildDecoderButtons(QWidget* client) {
    // Under "Load  from Disk" and "Read  from ZQ350", in the room below "Text List".
    AddDecoder_ = new QPushButton(tr("Add Decoder ..."), client);
    AddDecoder_->setObjectName("AddDecoderButton");
    AddDecoder_->setGeometry(scale_.rect(7980, 8175, 1485, 345));
    AddDecoder_->setToolTip(
        tr("Decode a protocol (UART, SPI, I2C, ...) from the channels: its annotations show in "
           "rows under them"));
    AddDecoder_->setAutoDefault(false);
    StopDecoding_ = new QPushButton(tr("Stop"), client);
    StopDecoding_->setObjectName("StopDecodingButton");
    StopDecoding_->setGeometry(scale_.rect(9510, 8175, 945, 345));
    StopDecoding_->setToolTip(tr("Stop the decoders' run: what they found so far is shown"));
    StopDecoding_->setAccessibleName(tr("Stop decoding"));
    StopDecoding_->setAutoDefault(false);
    StopDecoding_->hide();
    setTabOrder(StopRead_, AddDecoder_);
    setTabOrder(AddDecoder_, StopDecoding_);
    connect(AddDecoder_, &QPushButton::clicked, this, &TimingView::AddDecoder_Click);
    connect(StopDecoding_, &QPushButton::clicked, this, &TimingView::StopDecoding_Click);
    new FirstPaint(area_.chart, [this] {
        painted_ = true;
        RequestDecode();
    });
}

void TimingView::buildDecoders() {
    decodersMenu_ = menuBar()->addMenu(tr("&Decoders"));
    decodersMenu_->setObjectName("MnuDecoders");
    connect(decodersMenu_, &QMenu::aboutToShow, this, &TimingView::FillDecodersMenu);
    FillDecodersMenu();
    if (!decoding_) {
        AddDecoder_->setEnabled(false);
        return;
    }
    connect(decoding_, &DecodeSession::annotationsChanged, this, &TimingView::ShowAnnotations);
    connect(decoding_, &DecodeSession::runningChanged, this, &TimingView::DecodingChanged);
    connect(decoding_, &DecodeSession::decodersListed, this, &TimingView::DecodersListed);
    connect(decoding_, &DecodeSession::failed, this, [this](const QString& message) {
        dialogs_.MessageBox(message.toStdString(), Buttons::Ok, Icon::Exclamation, kProgramTitle);
    });
    DecodingChanged(decoding_->running());
}

void TimingView::FillDecodersMenu() {
    decodersMenu_->clear();
    const auto add = [this](const QString& name, const QString& text, auto slot) {
        QAction* a = decodersMenu_->addAction(text);
        a->setObjectName(name);
        a->setEnabled(decoding_ != nullptr);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    add("AddDecoder", tr("&Add Decoder ..."), [this] { AddDecoder_Click(); });
    const ChannelSetup& setup = capture_.setup();
    const std::vector<DecoderPlace> places = DecoderPlaces(setup);
    if (!places.empty()) decodersMenu_->addSeparator();
    for (size_t i = 0; i < places.size(); ++i) {
        const QString label = QString::fromStdString(DecoderLabel(setup, places[i]));
        const DecoderPlace place = places[i];
        add(QString("EditDecoder%1").arg(i), tr("Edit %1 ...").arg(label),
            [this, place] { EditDecoder(place); });
    }
    for (size_t i = 0; i < places.size(); ++i) {
        const QString label = QString::fromStdString(DecoderLabel(setup, places[i]));
        const DecoderPlace place = places[i];
        // Those stacked on it go with it: they take its output.
        add(QString("RemoveDecoder%1").arg(i), tr("Remove %1").arg(label),
            [this, place] { UseEdit(RemoveDecoder(capture_.setup(), place)); });
    }
    decodersMenu_->addSeparator();
    stopDecodingAction_ =
        add("StopDecoding", tr("&Stop Decoding"), [this] { StopDecoding_Click(); });
    stopDecodingAction_->setEnabled(decoding_ && decoding_->running());
    QAction* list = add("ShowAnnotationList", tr("Annotation &List"), [] {});
    list->setCheckable(true);
    list->setChecked(list_ && list_->isVisible());
    connect(list, &QAction::toggled, this, &TimingView::ShowAnnotationList);
}

void TimingView::ShowAnnotationList(bool shown) {
    if (!list_ && !shown) return;
    if (!list_) {
        list_ = new AnnotationList(this);
        addDockWidget(Qt::BottomDockWidgetArea, list_);
        connect(list_, &AnnotationList::annotationChosen, this, &TimingView::AnnotationChosen);
        connect(list_, &AnnotationList::exportRequested, this,
                &TimingView::ExportAnnotations_Click);
        list_->setAnnotations(decoding_ ? decoding_->annotations() : nullptr,
                              capture_.setup().sampleRate);
        // The diagram keeps its size: the window grows by the list, where the screen has room.
        const int h = list_->sizeHint().height();
        if (!isMaximized() && !isFullScreen()) resize(width(), height() + h + 6);
        resizeDocks({list_}, {h}, Qt::Vertical);
    }
    list_->setVisible(shown);
}

void TimingView::AnnotationChosen(qint64 first, qint64 last) {
    const SampleWindow w = WindowCentredOn(gestures_->shown(), first, last);
    ChartWindow_Request(w.start, w.length);
}

void TimingView::ExportAnnotations_Click() {
    if (!list_ || !list_->annotations()) return;
    const std::optional<std::string> path =
        ChooseExportPath(dialogs_, ExportKind::Annotations, logic_.Dirs().exports);
    saveDialogDirs();
    if (path)
        WriteExportBytes(capture_, dialogs_, *path,
                         exports::AnnotationCsv(*list_->annotations(), list_->shown(),
                                                capture_.setup().sampleRate));
}

void TimingView::AddDecoder_Click() { EditDecoder(std::nullopt); }

void TimingView::EditDecoder(std::optional<DecoderPlace> place) {
    if (!decoding_) return;
    if (!decoding_->listed()) {
        if (!decoding_->loadError().empty()) {
            dialogs_.MessageBox(decoding_->loadError(), Buttons::Ok, Icon::Exclamation,
                                kProgramTitle);
            return;
        }
        // The library loads and lists its decoders off this thread; the dialog opens then.
        pendingEdit_ = place;
        AddDecoder_->setEnabled(false);
        AddDecoder_->setText(tr("Loading decoders ..."));
        decoding_->listDecoders();
        return;
    }
    const std::optional<ChannelSetup> edited =
        dialogs_.EditDecoder(decoding_->decoders(), capture_.setup(), place);
    if (edited) UseEdit({*edited, {}});
}

void TimingView::DecodersListed() {
    AddDecoder_->setEnabled(true);
    AddDecoder_->setText(tr("Add Decoder ..."));
    if (!pendingEdit_) return;
    const std::optional<DecoderPlace> place = *std::exchange(pendingEdit_, std::nullopt);
    // A library that cannot be loaded has said so already.
    if (decoding_->listed()) EditDecoder(place);
}

void TimingView::StopDecoding_Click() {
    if (decoding_) decoding_->stop();
}

void TimingView::RequestDecode() {
    if (decoding_ && painted_)
        decoding_->decode(capture_.model(), capture_.modelVersion(), capture_.setup());
}

void TimingView::ShowAnnotations() {
    const auto annotations = decoding_ ? decoding_->annotations() : nullptr;
    ShowRows(area_, capture_.setup(), annotations);
    if (list_) list_->setAnnotations(annotations, capture_.setup().sampleRate);
}

void TimingView::DecodingChanged(bool running) {
    StopDecoding_->setVisible(running);
    if (stopDecodingAction_) stopDecodingAction_->setEnabled(running);
}

}  // namespace zq
