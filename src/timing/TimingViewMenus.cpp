// The main window beyond its design: the menus (File with Open, recent files, Export and Quit;
// View; Device, in TimingViewPort.cpp; Help), Esc and "Stop" for a device read with its progress
// bar, dropped files, and the folders its file dialogs remember. Each is one more way to run a
// handler the window has.

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>

#include "chart/PositionLabels.h"
#include "timing/CaptureExport.h"
#include "timing/TimingView.h"
#include "widgets/ChartGestures.h"
#include "widgets/Controls.h"
#include "widgets/TimingChart.h"
#include "zq/Version.h"

namespace zq {

namespace {

constexpr const char* kRecentKey = "recentFiles";
constexpr const char* kLoadDirKey = "dialogs/load";
constexpr const char* kReadDirKey = "dialogs/read";
constexpr const char* kExportDirKey = "dialogs/exports";

}  // namespace

void TimingView::buildMenus() {
    // "&File" with its "&Open" is the design's; the rest follows it.
    auto* file = menuBar()->findChild<QMenu*>("MnuFile");
    auto* open = file->findChild<QAction*>("OpenFile");
    if (!open)
        for (QAction* a : file->actions())
            if (a->objectName() == "OpenFile") open = a;
    open->setShortcut(QKeySequence::Open);

    recentMenu_ = file->addMenu(tr("Open &Recent"));
    recentMenu_->setObjectName("MnuRecent");
    connect(recentMenu_, &QMenu::aboutToShow, this, &TimingView::FillRecentMenu);
    FillRecentMenu();

    QMenu* exportMenu = file->addMenu(tr("&Export"));
    exportMenu->setObjectName("MnuExport");
    const auto exportAction = [&](const char* name, const QString& text, ExportKind kind) {
        QAction* a = exportMenu->addAction(text);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, [this, kind] { Export_Click(int(kind)); });
    };
    exportAction("ExportVcd", tr("&VCD (whole capture) ..."), ExportKind::Vcd);
    exportAction("ExportCsv", tr("&CSV (whole capture) ..."), ExportKind::Csv);
    exportAction("ExportPng", tr("&PNG of the View ..."), ExportKind::Png);

    QAction* openSetup = file->addAction(tr("Open &Setup ..."));
    openSetup->setObjectName("OpenSetup");
    connect(openSetup, &QAction::triggered, this, &TimingView::OpenSetup_Click);
    QAction* saveSetup = file->addAction(tr("Save Set&up ..."));
    saveSetup->setObjectName("SaveSetup");
    connect(saveSetup, &QAction::triggered, this, &TimingView::SaveSetup_Click);

    file->addSeparator();
    QAction* quit = file->addAction(tr("&Quit"));
    quit->setObjectName("Quit");
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName("MnuView");
    QAction* textList = view->addAction(tr("&Text List"));
    textList->setObjectName("ViewTextList");
    connect(textList, &QAction::triggered, this, &TimingView::TextList_Click);
    QAction* graph = view->addAction(tr("Show &Graph"));
    graph->setObjectName("ViewShowGraph");
    graph->setEnabled(false);  // this window is the graph
    buildChannelEditing(view);
    buildDecoders();
    buildDeviceMenu();

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName("MnuHelp");
    QAction* keys = help->addAction(tr("&Keyboard and Mouse"));
    keys->setObjectName("KeyboardAndMouse");
    keys->setShortcut(QKeySequence::HelpContents);
    connect(keys, &QAction::triggered, this, [this] {
        dialogs_.MessageBox(ChartGestures::tr(kGesturesHelp).toStdString(), Buttons::Ok, Icon::None,
                            tr("Keyboard and Mouse").toStdString());
    });
    QAction* about = help->addAction(tr("&About"));
    about->setObjectName("About");
    connect(about, &QAction::triggered, this, &TimingView::About_Click);

    // Esc ends a read that waits for the device, whichever control has the focus.
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, this, &TimingView::StopRead_Click);
}

void TimingView::buildReadControls(QWidget* client) {
    // Beside the read's progress line, seen only while a read runs.
    ReadProgress_ = new QProgressBar(client);
    ReadProgress_->setObjectName("ReadProgressBar");
    ReadProgress_->setGeometry(scale_.rect(10560, 7590, 3060, 285));
    ReadProgress_->setRange(0, kLinesPerCapture);
    ReadProgress_->setFormat(tr("%v of %m lines"));
    ReadProgress_->setAccessibleName(tr("Lines received"));
    ReadProgress_->hide();
    StopRead_ = new QPushButton(tr("Stop"), client);
    StopRead_->setObjectName("StopRead");
    StopRead_->setGeometry(scale_.rect(13680, 7560, 1080, 345));
    StopRead_->setAccessibleName(tr("Stop the read"));
    StopRead_->setToolTip(tr("End the read now (Esc): what arrived is kept and shown"));
    StopRead_->setAutoDefault(false);
    StopRead_->hide();
    setTabOrder(TextList_, StopRead_);
    connect(StopRead_, &QPushButton::clicked, this, &TimingView::StopRead_Click);
}

void TimingView::StopRead_Click() { device_.StopRead_Click(); }

void TimingView::Export_Click(int kind) {
    const auto k = static_cast<ExportKind>(kind);
    if (k != ExportKind::Png && !capture_.isOpen()) {
        dialogs_.MessageBox(tr("No capture is open.").toStdString(), Buttons::Ok, Icon::Exclamation,
                            kProgramTitle);
        return;
    }
    const std::optional<std::string> path = ChooseExportPath(dialogs_, k, logic_.Dirs().exports);
    saveDialogDirs();
    if (!path) return;
    if (k != ExportKind::Png) {
        WriteCaptureExport(capture_, dialogs_, k, *path);
        return;
    }
    // The chart area as zq350-inspect render draws it, whatever the window's size.
    const TimingChart& chart = *area_.chart;
    const auto [cursorA, cursorB] = chart.cursorSamples();
    const QImage picture = ChartAreaPicture(
        {chart.firstSample(), chart.chartData(), chart.columnLabels(), chart.titleText(),
         capture_.setup(), chart.busTraces(), cursorA, cursorB, chart.annotations()});
    WritePictureExport(capture_, dialogs_, picture, *path);
}

void TimingView::About_Click() {
    const QString text =
        tr("%1\nVersion %2\n\nReads and shows captures of the ZQ350 logic analyser.")
            .arg(QString(kProgramTitle), QString(kVersion));
    dialogs_.MessageBox(text.toStdString(), Buttons::Ok, Icon::None,
                        tr("About %1").arg(kProgramTitle).toStdString());
}

std::vector<std::string> TimingView::RecentFiles() {
    std::vector<std::string> list;
    for (const QString& p : QSettings().value(kRecentKey).toStringList())
        if (!p.isEmpty() && list.size() < kRecentFiles) list.push_back(p.toStdString());
    return list;
}

void TimingView::CaptureOpened(const std::string& path) {
    QStringList list;
    for (const std::string& p : WithRecent(RecentFiles(), path)) list << QString::fromStdString(p);
    QSettings().setValue(kRecentKey, list);
    FillRecentMenu();
}

void TimingView::FillRecentMenu() {
    recentMenu_->clear();
    const std::vector<std::string> files = RecentFiles();
    int n = 0;
    for (const std::string& path : files) {
        const QString shown = QString::fromStdString(path);
        QAction* a = recentMenu_->addAction(QString("&%1 %2").arg(++n).arg(shown));
        a->setObjectName(QString("Recent%1").arg(n));
        a->setData(shown);
        connect(a, &QAction::triggered, this, [this, path] { OpenFile(path); });
    }
    recentMenu_->setEnabled(!files.empty());
}

void TimingView::loadDialogDirs() {
    const QSettings s;
    DialogDirs& d = logic_.Dirs();
    d.load = s.value(kLoadDirKey).toString().toStdString();
    d.read = s.value(kReadDirKey).toString().toStdString();
    d.exports = s.value(kExportDirKey).toString().toStdString();
}

void TimingView::saveDialogDirs() {
    QSettings s;
    const DialogDirs& d = logic_.Dirs();
    s.setValue(kLoadDirKey, QString::fromStdString(d.load));
    s.setValue(kReadDirKey, QString::fromStdString(d.read));
    s.setValue(kExportDirKey, QString::fromStdString(d.exports));
}

void TimingView::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).empty()) event->acceptProposedAction();
}

void TimingView::dropEvent(QDropEvent* event) {
    const std::string path = DroppedFile(event->mimeData());
    if (path.empty()) return;
    event->acceptProposedAction();
    OpenFile(path);
}

}  // namespace zq
