#pragma once
// The one owner of a device read: the serial port, the capture writer, the end-of-data timer
// and the progress, with the read's state. It lives as long as the program, so the port's
// events always reach it; the main window starts reads (ReadZQ350_Click), shows the progress
// and draws a capture once the read has made it current (captureComplete).

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "session/CaptureSession.h"
#include "session/Dialogs.h"
#include "session/EndTimer.h"
#include "session/PortChoice.h"
#include "session/ReadProgress.h"
#include "session/SerialPort.h"

namespace zq {

// The states a read passes through.
enum class ReadState { Idle, Choosing, Waiting, Receiving, Finishing };

// The read's texts; each is translated where it is shown.
inline constexpr const char* kSaveDialogTitle =
    QT_TRANSLATE_NOOP("zq::DeviceSession", "Save ZQ350 File as ...");
inline constexpr const char* kCaptureFilter =
    QT_TRANSLATE_NOOP("zq::DeviceSession", "Text Files (*.TXT)|*.txt|All Files (*.*)|*.*");
inline constexpr const char* kSerialErrorTitle =
    QT_TRANSLATE_NOOP("zq::DeviceSession", "Click Cancel to quit, OK to ignore.");
inline constexpr const char* kWaitingText =
    QT_TRANSLATE_NOOP("zq::DeviceSession", "Waiting for ZQ350 ...");

// The text shown for an error event (empty for data and line events).
std::string CommErrorText(int code);
// The text of a line event (codes 3 to 7; empty otherwise).
std::string CommEventText(int code);

class CaptureWriter;

// A port that cannot be opened, named and with what to do about it.
std::string PortErrorText(const std::string& port, const std::string& error);

class DeviceSession : public QObject {
    Q_OBJECT
  public:
    // Makes the port of a path when a read first needs it, and again once another is chosen.
    using PortFactory = std::function<std::unique_ptr<SerialPort>(const std::string& path)>;

    DeviceSession(CaptureSession& capture, Dialogs& dialogs, EndTimer& timer, PortFactory makePort);
    ~DeviceSession() override;
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // Starts a read: file dialog (with the window's settings), questions, port, capture writer.
    // A read still running ends here, as the end-of-data timer would end it.
    void ReadZQ350_Click(OpenLogSettings& openLog);
    // One second after the last chunk: finishes the read. What arrived takes the chosen file's
    // place and becomes the capture shown; a read that got nothing leaves no trace, and the
    // capture shown stays the current one.
    void Timer1_Timer();
    // One communication event of the port. A port that is gone, or an error answered Cancel,
    // ends the read as the timer does.
    void OnComm(int code);
    // The main window unloads: closes the port, puts what arrived in the chosen file's place
    // without showing it, and reports nothing unless the received bytes could not be put there.
    void Unload();
    // Ends a read that is waiting or receiving before the window switches, as the end-of-data
    // timer does.
    void EndRead();
    // Esc or "Stop": the same for a read the user ends.
    void StopRead_Click() { EndRead(); }
    const ReadProgress& progress() const { return progress_; }

    ReadState readState() const;

    // The port the next read listens on (the default until one is chosen). A read that is
    // listening keeps its port; the next "Read  from ZQ350" ends it before it moves.
    const std::string& portPath() const { return portPath_; }
    void setPortPath(const std::string& path) { portPath_ = path; }
    // The seam to the system's list of serial ports; without one, no port is found.
    void setPortLister(PortLister lister) { listPorts_ = std::move(lister); }
    // The serial ports the system has now, as the lister reads them afresh.
    std::vector<PortInfo> listPorts() const {
        return listPorts_ ? listPorts_() : std::vector<PortInfo>{};
    }
    // The capture writer of the running read; null when none.
    const CaptureWriter* writer() const { return writer_.get(); }
    // The port, once a read has made it; null before.
    SerialPort* port() const { return port_.get(); }

  signals:
    // The progress of a running read; the empty text clears it.
    void statusChanged(const QString& text);
    // A read has ended and made its file the current capture: title and redraw are due.
    void captureComplete();

  private:
    SerialPort& ensurePort();
    void showSystemError(const std::string& text);
    // Ends the running read, however it ends: the timer and the port stop, the progress is
    // cleared, and its writer settles.
    void finishRead();
    // A read's file after the read: with bytes it takes the target's place (and, when show,
    // becomes the capture shown); with none it is removed. A failure is shown, and the bytes
    // stay under the writer's own name.
    void settle(std::unique_ptr<CaptureWriter> writer, bool show);
    // A write failed: the read stops, and what reached the file stays there, not in the
    // target's place, since it is not all the device sent.
    void failWrite(const std::string& error);

    void showStatus(const std::string& text) { emit statusChanged(QString::fromStdString(text)); }

    CaptureSession& capture_;
    Dialogs& dialogs_;
    EndTimer& timer_;
    PortFactory makePort_;
    std::string portPath_ = kZq350PortPath;
    PortLister listPorts_;
    std::unique_ptr<SerialPort> port_;
    std::string portMadeFor_;  // the path port_ was made for
    // The writer of the running read; it exists exactly while a read listens.
    std::unique_ptr<CaptureWriter> writer_;
    ReadProgress progress_;
    int choosing_ = 0;  // depth of running clicks
    int finishing_ = 0;
};

}  // namespace zq
