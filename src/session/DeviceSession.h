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

#include "session/CaptureSession.h"
#include "session/Dialogs.h"
#include "session/EndTimer.h"
#include "session/ReadProgress.h"
#include "session/SerialPort.h"

namespace zq {

// The states a read passes through.
enum class ReadState { Idle, Choosing, Waiting, Receiving, Finishing, Abandoned };

inline constexpr const char* kSaveDialogTitle = "Save ZQ350 File as ...";
inline constexpr const char* kCaptureFilter = "Text Files (*.TXT)|*.txt|All Files (*.*)|*.*";
inline constexpr const char* kSerialErrorTitle = "Click Cancel to quit, OK to ignore.";
inline constexpr const char* kWaitingText = "Waiting for ZQ350 ...";

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
    // Makes the port when a read first needs it (main() gives the device's path to it).
    using PortFactory = std::function<std::unique_ptr<SerialPort>()>;

    DeviceSession(CaptureSession& capture, Dialogs& dialogs, EndTimer& timer, PortFactory makePort);
    ~DeviceSession() override;
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // Starts a read: file dialog (with the window's settings), questions, capture file, port.
    void ReadZQ350_Click(OpenLogSettings& openLog);
    // One second after the last chunk: finishes the read and shows the new capture.
    void Timer1_Timer();
    // One communication event of the port.
    void OnComm(int code);
    // The main window unloads: closes the capture writer and the port, silently.
    void Unload();
    // Ends a read that is waiting or receiving before the window switches: what arrived is
    // finished and shown as the end-of-data timer does; with nothing arrived the read stops
    // and the capture that is shown stays the current one.
    void EndRead();
    // Esc or "Stop": the same for a read the user ends.
    void StopRead_Click() { EndRead(); }
    const ReadProgress& progress() const { return progress_; }

    ReadState readState() const;
    // The capture writer of the running (or abandoned) read; null when none.
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
    // Ends the read at once without finishing it; the file keeps what was written.
    void stopRead();

    void showStatus(const std::string& text) { emit statusChanged(QString::fromStdString(text)); }

    CaptureSession& capture_;
    Dialogs& dialogs_;
    EndTimer& timer_;
    PortFactory makePort_;
    std::unique_ptr<SerialPort> port_;
    // The writer of the file a read is writing, kept after the read was abandoned until the
    // next read replaces it or the main window unloads.
    std::unique_ptr<CaptureWriter> writer_;
    ReadProgress progress_;
    int choosing_ = 0;  // depth of running clicks
    int finishing_ = 0;
};

}  // namespace zq
