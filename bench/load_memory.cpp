// Resident memory over many loads through the real file dialog: every load must give back what
// it took. Prints the resident size every 100 loads; the last column is what a load costs.
// usage: load_memory [LOADS] [CAPTURE]

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/AppWindows.h"
#include "app/QtDialogs.h"
#include "capture/Allocator.h"
#include "session/CaptureSession.h"
#include "session/DeviceSession.h"
#include "session/QtEndTimer.h"
#include "session/TtySerialPort.h"
#include "support/OffscreenDesktop.h"

namespace {

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    const zq::test::OffscreenDesktop screen;
    zq::KeepFreedMemoryForRedraws();
    QApplication app(argc, argv);
    const int loads = argc > 1 ? std::atoi(argv[1]) : 500;
    const QString capture =
        QDir::current().absoluteFilePath(argc > 2 ? argv[2] : "examples/counter-uart.txt");

    zq::CaptureSession session;
    zq::QtDialogs dialogs;
    zq::QtEndTimer timer(1000);
    zq::DeviceSession device(session, dialogs, timer, [](const std::string&) {
        return std::make_unique<zq::TtySerialPort>("/dev/null");
    });
    zq::AppWindows windows(session, device, dialogs);
    windows.showTimingView();
    auto* load = windows.current()->findChild<QPushButton*>("Load");

    // Answers each file dialog as a user would, once it has listed the capture's folder, and
    // each report box. The folder is set once per dialog: setting it again restarts the
    // listing.
    QPointer<QFileDialog> pointed;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* d = qobject_cast<QFileDialog*>(modal)) {
            const QString folder = QFileInfo(capture).absolutePath();
            if (pointed != d) {
                pointed = d;
                d->setDirectory(folder);
            }
            auto* model = d->findChild<QFileSystemModel*>();
            if (!model || model->rowCount(model->index(folder)) == 0) return;
            // Typed into the name box, as a user does: selectFile() leaves a focused box as it
            // is, and the dialog would then take the folder for the answer and list it again.
            auto* name = d->findChild<QLineEdit*>("fileNameEdit");
            if (!name) return;
            name->setText(QFileInfo(capture).fileName());
        }
        if (auto* d = qobject_cast<QDialog*>(modal)) QMetaObject::invokeMethod(d, "accept");
    });
    answer.start(0);

    long first = 0;
    for (int i = 1; i <= loads; ++i) {
        load->click();
        if (!session.isOpen()) {
            std::fprintf(stderr, "load %d did not open %s\n", i, qPrintable(capture));
            return 1;
        }
        if (i == 100) first = ResidentKb();
        if (i % 100 == 0) {
            const long now = ResidentKb();
            std::printf("%5d loads  %7ld kB resident  %+.1f kB a load since load 100\n", i, now,
                        i > 100 ? static_cast<double>(now - first) / (i - 100) : 0.0);
            std::fflush(stdout);
        }
    }
    return 0;
}
