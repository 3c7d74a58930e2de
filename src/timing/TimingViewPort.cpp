// The serial port "Read  from ZQ350" listens on: the drop-down beside the button and the Device
// menu both list the ports the system has (read afresh each time a list opens, so an adapter
// plugged in is seen), with the port in use and the default always among them, and take any
// other path. The choice is kept for the next runs.

#include <QAbstractItemView>
#include <QActionGroup>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <algorithm>

#include "timing/TimingView.h"
#include "widgets/Controls.h"

namespace zq {

namespace {

constexpr const char* kPortKey = "device/port";
// The drop-down's last entry, which asks for a path.
constexpr const char* kOtherPath = QT_TRANSLATE_NOOP("zq::TimingView", "Other path...");

// A menu shows "&" as a mnemonic; a port's description may hold one.
QString MenuText(const std::string& text) {
    return QString::fromStdString(text).replace('&', QStringLiteral("&&"));
}

}  // namespace

void TimingView::buildPortChoice(QWidget* client) {
    // Not a designed control: beside the button it serves, above the read's progress, where it
    // moves no designed control.
    auto* box = new RefreshingComboBox(client);
    ReadPort_ = box;
    box->setObjectName("ReadPort");
    box->setGeometry(scale_.rect(10560, 6960, 4080, 315));
    box->setAccessibleName(tr("Serial port"));
    box->setToolTip(tr("The serial port \"Read  from ZQ350\" listens on"));
    box->beforePopup = [this] { FillPortBox(); };
    connect(box, &QComboBox::activated, this, &TimingView::PortBox_Activated);
    // After the designed controls, whose tab order stays the design's.
    setTabOrder(TextList_, box);
    // Listing the system's ports costs time the start must not pay: they are listed when a
    // list first opens.
    ShowPorts();
}

void TimingView::buildDeviceMenu() {
    deviceMenu_ = menuBar()->addMenu(tr("&Device"));
    deviceMenu_->setObjectName("MnuDevice");
    connect(deviceMenu_, &QMenu::aboutToShow, this, &TimingView::FillDeviceMenu);
}

void TimingView::ShowPorts() {
    const QSignalBlocker quiet(ReadPort_);
    ReadPort_->clear();
    const std::string& chosen = device_.portPath();
    for (const PortEntry& e : PortEntries(portsFound_, chosen)) {
        ReadPort_->addItem(QString::fromStdString(e.label), QString::fromStdString(e.path));
        if (e.path == chosen) {
            ReadPort_->setCurrentIndex(ReadPort_->count() - 1);
            ReadPort_->setToolTip(tr("The serial port \"Read  from ZQ350\" listens on: %1")
                                      .arg(QString::fromStdString(e.label)));
        }
    }
    ReadPort_->addItem(tr(kOtherPath));
}

void TimingView::FillPortBox() {
    portsFound_ = device_.listPorts();
    ShowPorts();
    // The list shows each port whole, however narrow the box. Its view is made only here: the
    // start does not pay for a list nobody has opened yet.
    int width = 0;
    for (int i = 0; i < ReadPort_->count(); ++i)
        width = std::max(width, ReadPort_->fontMetrics().horizontalAdvance(ReadPort_->itemText(i)));
    ReadPort_->view()->setMinimumWidth(width + ReadPort_->height() * 2);
}

void TimingView::FillDeviceMenu() {
    deviceMenu_->clear();
    portsFound_ = device_.listPorts();
    auto* group = new QActionGroup(deviceMenu_);
    int n = 0;
    for (const PortEntry& e : PortEntries(portsFound_, device_.portPath())) {
        QAction* a = deviceMenu_->addAction(MenuText(e.label));
        a->setObjectName(QString("Port%1").arg(++n));
        a->setCheckable(true);
        a->setChecked(e.path == device_.portPath());
        a->setData(QString::fromStdString(e.path));
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, path = e.path] { UsePort(path); });
    }
    deviceMenu_->addSeparator();
    QAction* other = deviceMenu_->addAction(tr("&Other path..."));
    other->setObjectName("OtherPort");
    connect(other, &QAction::triggered, this, &TimingView::OtherPort_Click);
}

void TimingView::PortBox_Activated(int index) {
    const QString path = ReadPort_->itemData(index).toString();
    if (path.isEmpty())
        OtherPort_Click();
    else
        UsePort(path.toStdString());
}

void TimingView::OtherPort_Click() {
    const std::optional<std::string> typed =
        dialogs_.AskText(tr("Serial Port").toStdString(),
                         tr("Path of the serial port the ZQ350 is on, such as /dev/ttyACM0\n"
                            "or a link to it (a bare name is one under /dev):")
                             .toStdString(),
                         device_.portPath());
    const std::optional<std::string> path =
        typed ? PortPathFromText(*typed, QDir::currentPath().toStdString()) : std::nullopt;
    if (path)
        UsePort(*path);
    else
        ShowPorts();  // the box goes back to the port in use
}

void TimingView::UsePort(const std::string& path) {
    device_.setPortPath(path);
    QSettings().setValue(kPortKey, QString::fromStdString(path));
    ShowPorts();
}

std::optional<std::string> TimingView::KeptPort() {
    const QString path = QSettings().value(kPortKey).toString();
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

}  // namespace zq
