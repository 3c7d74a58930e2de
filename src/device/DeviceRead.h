#pragma once
// Reading a capture out of the ZQ350: the click of "Read  from ZQ350" (ReadZQ350_Click), the
// communication events of the port (OnComm) and the end-of-data timer (Timer1_Timer).
// The main window owns one DeviceRead and supplies what the read needs of it as a DeviceViewer.

#include <functional>
#include <memory>
#include <string>

#include "app/Dialogs.h"
#include "app/EndTimer.h"
#include "app/ProgramState.h"
#include "device/ReadProgress.h"
#include "device/SerialPort.h"

namespace zq {

// What a device read needs of the main window.
class DeviceViewer {
  public:
    virtual ~DeviceViewer() = default;
    // The chart's title (TitleText of TimingChart1).
    virtual void SetChartTitle(const std::string& title) = 0;
    // Decodes the open capture file and redraws.
    virtual void CalcData() = 0;
    // The progress of a running read; empty clears it.
    virtual void ShowReadStatus(const std::string& text) = 0;
};

// The states a read passes through.
enum class ReadState { Idle, Choosing, Waiting, Receiving, Finishing, Abandoned };

inline constexpr const char* kSaveDialogTitle = "Save ZQ350 File as ...";
inline constexpr const char* kCaptureFilter = "Text Files (*.TXT)|*.txt|All Files (*.*)|*.*";
inline constexpr long kSaveDialogFlags = 0x80004;  // explorer style, read-only box hidden
inline constexpr const char* kSerialErrorTitle = "Click Cancel to quit, OK to ignore.";
inline constexpr const char* kWaitingText = "Waiting for ZQ350 ...";

// The text shown for an error event (empty for data and line events).
std::string CommErrorText(int code);
// The text of a line event (codes 3 to 7; empty otherwise).
std::string CommEventText(int code);

class DeviceRead {
  public:
    using PortFactory = std::function<std::unique_ptr<SerialPort>()>;

    DeviceRead(ProgramState& state, Dialogs& dialogs, EndTimer& timer, OpenLogSettings& openLog,
               DeviceViewer& viewer, PortFactory makePort);
    ~DeviceRead();
    DeviceRead(const DeviceRead&) = delete;
    DeviceRead& operator=(const DeviceRead&) = delete;

    // Starts a read: file dialog, questions, capture file, port.
    void ReadZQ350_Click();
    // One second after the last chunk: finishes the read and shows the new capture.
    void Timer1_Timer();
    // One communication event of the port.
    void OnComm(int code);
    // The main window unloads: closes the capture writer and the port, silently.
    void Unload();

    ReadState readState() const;

  private:
    SerialPort& port();
    void showSystemError(const std::string& text);
    // Ends the read at once without finishing it; the file keeps what was written.
    void stopRead();

    ProgramState& state_;
    Dialogs& dialogs_;
    EndTimer& timer_;
    OpenLogSettings& openLog_;
    DeviceViewer& viewer_;
    PortFactory makePort_;
    ReadProgress progress_;
    int choosing_ = 0;  // depth of running clicks
    int finishing_ = 0;
    // Identifies this object to the port's event callback, which may outlive it.
    std::shared_ptr<DeviceRead*> self_;
};

}  // namespace zq
