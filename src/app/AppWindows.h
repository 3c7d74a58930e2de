#pragma once
// The program's two windows, of which exactly one exists at a time: the host creates the one
// to show, shows it, then closes and deletes the other (whose Unload runs on close). Closing
// the window that is shown ends the program, as Qt quits when its last window closes.
//
// Placement: the first window takes the place and size the last run left it (remembered with
// QSettings), or where the window manager puts it; each later window appears where the one it
// replaces was, in its own last size, maximised if that one was, so the switch never jumps.

#include <QPointer>
#include <QWidget>

#include "session/CaptureSession.h"
#include "session/DecodeSession.h"
#include "session/DeviceSession.h"
#include "session/Dialogs.h"
#include "session/WindowHost.h"

namespace zq {

class AppWindows : public WindowHost {
  public:
    // decoding: the program's decoders, for the main window; none leaves them out.
    AppWindows(CaptureSession& capture, DeviceSession& device, Dialogs& dialogs,
               DecodeSession* decoding = nullptr);
    ~AppWindows() override;
    AppWindows(const AppWindows&) = delete;
    AppWindows& operator=(const AppWindows&) = delete;

    // "Text List": HexList replaces TimingView.
    void showHexList() override;
    // Program start and "Show Graph": a freshly loaded TimingView replaces whatever is shown.
    void showTimingView() override;
    // A dropped or named capture: the main window, shown if need be, loads it.
    void openCapture(const std::string& path) override;

    // The window now shown (null before the first).
    QWidget* current() const { return current_; }

  private:
    void replaceWith(QWidget* next);
    // Remembers a window's geometry under its object name.
    static void saveGeometry(const QWidget* window);

    CaptureSession& capture_;
    DeviceSession& device_;
    Dialogs& dialogs_;
    DecodeSession* decoding_;
    QPointer<QWidget> current_;
};

}  // namespace zq
