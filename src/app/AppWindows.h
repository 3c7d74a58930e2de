#pragma once
// The program's two windows, of which exactly one exists at a time: the host creates the one
// to show, shows it, then closes and deletes the other (whose Unload runs on close). Closing
// the window that is shown ends the program, as Qt quits when its last window closes.

#include <QPointer>
#include <QWidget>

#include "session/CaptureSession.h"
#include "session/DeviceSession.h"
#include "session/Dialogs.h"
#include "session/WindowHost.h"

namespace zq {

class AppWindows : public WindowHost {
  public:
    AppWindows(CaptureSession& capture, DeviceSession& device, Dialogs& dialogs);
    ~AppWindows() override;
    AppWindows(const AppWindows&) = delete;
    AppWindows& operator=(const AppWindows&) = delete;

    // "Text List": HexList replaces TimingView.
    void showHexList() override;
    // Program start and "Show Graph": a freshly loaded TimingView replaces whatever is shown.
    void showTimingView() override;

    // Loads a capture into the main window as "Load  from Disk" does (the command line's FILE).
    void openInTimingView(const std::string& path);

    // The window now shown (null before the first).
    QWidget* current() const { return current_; }

  private:
    void replaceWith(QWidget* next);

    CaptureSession& capture_;
    DeviceSession& device_;
    Dialogs& dialogs_;
    QPointer<QWidget> current_;
};

}  // namespace zq
