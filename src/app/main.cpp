// zq350: the desktop companion of the ZQ350 logic analyser. Starting the program loads the
// main window.

#include <QApplication>

#include "app/AppWindows.h"
#include "app/QtDialogs.h"
#include "capture/Allocator.h"
#include "session/CaptureSession.h"
#include "session/DeviceSession.h"
#include "session/QtEndTimer.h"
#include "session/TtySerialPort.h"

int main(int argc, char** argv) {
    zq::KeepFreedMemoryForRedraws();
    QApplication app(argc, argv);
    QApplication::setApplicationName("zq350");
    QApplication::setOrganizationName("zq350");  // settings in ~/.config/zq350/zq350.conf

    // The program's state outlives every window: the current capture, and the device read with
    // its port and end-of-data timer (Timer1).
    zq::CaptureSession capture;
    zq::QtDialogs dialogs;
    zq::QtEndTimer timer1(1000);
    zq::DeviceSession device(capture, dialogs, timer1, [] {
        return std::make_unique<zq::TtySerialPort>(zq::kZq350PortPath);
    });
    zq::AppWindows windows(capture, device, dialogs);
    windows.showTimingView();
    return app.exec();
}
