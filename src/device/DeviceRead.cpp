#include "device/DeviceRead.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "capture/CaptureFile.h"
#include "device/CaptureWriter.h"

namespace zq {

namespace {

// Marks a handler as running for as long as it is on the stack.
class Running {
  public:
    explicit Running(int& depth) : depth_(depth) { ++depth_; }
    ~Running() { --depth_; }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

  private:
    int& depth_;
};

}  // namespace

std::string CommEventText(int code) {
    switch (code) {
        case comEvCTS:
            return "Change in CTS Detected";
        case comEvDSR:
            return "Change in DSR Detected";
        case comEvCD:
            return "Change in CD Detected";
        case comEvRing:
            return "The Phone is Ringing";
        case comEvEOF:
            return "End of File Detected";
        default:
            return "";
    }
}

std::string CommErrorText(int code) {
    switch (code) {
        case comEvSend:
        case comEvReceive:
        case comEvCTS:
        case comEvDSR:
        case comEvCD:
        case comEvRing:
        case comEvEOF:
            return "";
        case comEventBreak:
            return "Break Received";
        case comEventCTSTO:
            return "CTS Timeout";
        case comEventDSRTO:
            return "DSR Timeout";
        case comEventFrame:
            return "Framing Error";
        case comEventOverrun:
            return "Overrun Error";
        case comEventCDTO:
            return "Carrier Detect Timeout";
        case comEventRxOver:
            return "Receive Buffer Overflow";
        case comEventRxParity:
            return "Parity Error";
        case comEventTxFull:
            return "Transmit Buffer Full";
        case comEventDCB:
            return "Error retrieving DCB";
        default:
            return "Unknown error or event";
    }
}

DeviceRead::DeviceRead(ProgramState& state, Dialogs& dialogs, EndTimer& timer,
                       OpenLogSettings& openLog, DeviceViewer& viewer, PortFactory makePort)
    : state_(state),
      dialogs_(dialogs),
      timer_(timer),
      openLog_(openLog),
      viewer_(viewer),
      makePort_(std::move(makePort)),
      self_(std::make_shared<DeviceRead*>(this)) {
    timer_.onTimeout = [this] { Timer1_Timer(); };
}

DeviceRead::~DeviceRead() = default;

SerialPort& DeviceRead::port() {
    if (!state_.port) state_.port = makePort_();
    // The port outlives the main window; a window loaded again takes its events over, and an
    // event that reaches a window already gone is dropped.
    state_.port->onCommEvent = [weak = std::weak_ptr<DeviceRead*>(self_)](int code) {
        if (auto self = weak.lock()) (*self)->OnComm(code);
    };
    return *state_.port;
}

void DeviceRead::showSystemError(const std::string& text) {
    dialogs_.MessageBox(text, Buttons::Ok, Icon::Exclamation, kProgramTitle);
}

void DeviceRead::stopRead() {
    timer_.stop();
    if (state_.port) state_.port->close();
    state_.writer.reset();
    viewer_.ShowReadStatus("");
}

void DeviceRead::ReadZQ350_Click() {
    port().setNullDiscard(false);
    Running choosing(choosing_);
    const std::string viewed = state_.CurrentFile;
    openLog_.Flags = kSaveDialogFlags;
    openLog_.CancelError = true;
    openLog_.DialogTitle = kSaveDialogTitle;
    openLog_.Filter = kCaptureFilter;

    std::string path;
    for (;;) {
        openLog_.FileName = "";
        if (!dialogs_.ShowOpen(openLog_)) return;  // cancelled: nothing changes
        path = openLog_.FileName;
        state_.CurrentFile = path;

        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) {
            if (errno == ENOENT) break;  // a new file: no questions
            showSystemError(std::strerror(errno));
            return;
        }
        if (dialogs_.MessageBox("Replace existing file - " + path + "?", Buttons::YesNoCancel,
                                Icon::Question, kProgramTitle) != AnswerYes)
            continue;
        if (path != viewed) break;
        if (dialogs_.MessageBox("Refresh? (file being viewed) - " + path + "?", Buttons::YesNo,
                                Icon::Question, kProgramTitle) != AnswerYes)
            continue;
        state_.CaptureHandle.reset();
        if (::unlink(path.c_str()) != 0) {
            showSystemError(std::strerror(errno));
            return;
        }
        break;
    }

    std::string error;
    auto writer = CaptureWriter::Create(path, error);
    if (!writer) {
        // Without a file there is nowhere to put what arrives: end any read that is still
        // running rather than let it receive into nothing, and say why.
        stopRead();
        showSystemError(error);
        return;
    }
    state_.writer = std::move(writer);  // an earlier read's file keeps what it received
    progress_.reset();

    SerialPort& p = port();
    if (!p.isOpen() && !p.open(error)) {
        // Absent, in use or not permitted: waiting for data that cannot come helps nobody.
        stopRead();
        showSystemError(error);
        return;
    }
    viewer_.ShowReadStatus(kWaitingText);
}

void DeviceRead::OnComm(int code) {
    timer_.stop();
    std::string errorText;

    if (code == comEvReceive) {
        SerialPort* p = state_.port.get();
        const std::string chunk = p ? p->readAll() : std::string();
        if (p) p->setRts(false);
        if (!chunk.empty()) {
            std::string error;
            if (!state_.writer || !state_.writer->Write(chunk, error)) {
                // Disk full or the like: every further byte would be lost, so stop the read
                // (before the box, whose message loop would go on delivering) and say it once.
                stopRead();
                if (!error.empty()) showSystemError(error);
                return;
            }
        }
        if (state_.port) state_.port->setRts(true);
        timer_.start();
        progress_.add(chunk);
        viewer_.ShowReadStatus(progress_.text());
    } else if (!CommEventText(code).empty() || code == comEvSend) {
        // Line events are recognised but not shown.
    } else {
        errorText = CommErrorText(code);
    }

    if (!errorText.empty()) {
        dialogs_.Beep();
        const int answer =
            dialogs_.MessageBox(errorText, Buttons::OkCancel, Icon::None, kSerialErrorTitle);
        if (answer == AnswerCancel) {
            if (state_.port) state_.port->close();
            // A chunk handled while the box was open may have restarted the timer; an
            // abandoned read must not be finished by it.
            timer_.stop();
            state_.CaptureHandle.reset();
        }
        // Abandoned, or the port itself went away: nothing more is coming.
        if (!state_.port || !state_.port->isOpen()) viewer_.ShowReadStatus("");
    }

    if (state_.port) state_.port->setRts(true);
}

void DeviceRead::Timer1_Timer() {
    Running finishing(finishing_);
    timer_.stop();
    if (state_.port) state_.port->close();
    state_.writer.reset();  // the capture file is complete on disk
    viewer_.ShowReadStatus("");
    viewer_.SetChartTitle(state_.CurrentFile + kChartTitleSuffix);

    state_.CaptureHandle.reset();
    std::string error;
    state_.CaptureHandle = CaptureFile::open(state_.CurrentFile, error);
    if (!state_.CaptureHandle) {
        showSystemError(error);
        return;
    }
    state_.ReportShown = false;
    viewer_.CalcData();
}

void DeviceRead::Unload() {
    // The window is going away: nothing is reported and nothing of it is touched.
    timer_.stop();
    state_.writer.reset();
    if (state_.port) state_.port->close();
}

ReadState DeviceRead::readState() const {
    if (finishing_) return ReadState::Finishing;
    if (choosing_) return ReadState::Choosing;
    const bool portOpen = state_.port && state_.port->isOpen();
    const bool writerOpen = state_.writer && state_.writer->isOpen();
    if (portOpen && writerOpen)
        return timer_.isActive() ? ReadState::Receiving : ReadState::Waiting;
    if (writerOpen) return ReadState::Abandoned;
    return ReadState::Idle;
}

}  // namespace zq
