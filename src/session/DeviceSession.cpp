#include "session/DeviceSession.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "capture/CaptureFile.h"
#include "session/CaptureWriter.h"

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

DeviceSession::DeviceSession(CaptureSession& capture, Dialogs& dialogs, EndTimer& timer,
                             PortFactory makePort)
    : capture_(capture), dialogs_(dialogs), timer_(timer), makePort_(std::move(makePort)) {
    timer_.onTimeout = [this] { Timer1_Timer(); };
}

DeviceSession::~DeviceSession() {
    timer_.onTimeout = nullptr;
    if (port_) port_->onCommEvent = nullptr;
}

SerialPort& DeviceSession::ensurePort() {
    if (!port_) {
        port_ = makePort_();
        port_->onCommEvent = [this](int code) { OnComm(code); };
    }
    return *port_;
}

std::string PortErrorText(const std::string& port, const std::string& error) {
    std::string text = port + ": " + error;
    if (error == std::strerror(EACCES) || error == std::strerror(EPERM))
        text +=
            "\n\nThe port belongs to the group dialout. Add yourself once with\n"
            "    sudo usermod -aG dialout $USER\nand log in again.";
    else if (error == std::strerror(ENOENT) || error == std::strerror(ENODEV) ||
             error == std::strerror(ENXIO))
        text += "\n\nIs the ZQ350 connected?";
    return text;
}

void DeviceSession::showSystemError(const std::string& text) {
    dialogs_.MessageBox(text, Buttons::Ok, Icon::Exclamation, kProgramTitle);
}

void DeviceSession::stopRead() {
    timer_.stop();
    if (port_) port_->close();
    writer_.reset();
    showStatus("");
}

void DeviceSession::ReadZQ350_Click(OpenLogSettings& openLog) {
    SerialPort& port = ensurePort();
    port.setNullDiscard(false);
    Running choosing(choosing_);
    const std::string viewed = capture_.currentFile();
    openLog.DialogTitle = kSaveDialogTitle;
    openLog.Filter = kCaptureFilter;

    std::string path;
    bool replacesViewed = false;
    for (;;) {
        openLog.FileName = "";
        if (!dialogs_.ShowSave(openLog)) return;  // cancelled: nothing changes
        path = openLog.FileName;

        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) {
            if (errno == ENOENT) break;  // a new file: no questions
            showSystemError(path + ": " + std::strerror(errno));
            return;
        }
        if (dialogs_.MessageBox(ReplaceFileQuestion(path), Buttons::YesNoCancel, Icon::Question,
                                kProgramTitle) != AnswerYes)
            continue;
        if (path != viewed) break;
        if (dialogs_.MessageBox("Refresh? (file being viewed) - " + path + "?", Buttons::YesNo,
                                Icon::Question, kProgramTitle) != AnswerYes)
            continue;
        replacesViewed = true;
        break;
    }

    // The port first: a read that cannot listen must not cost the user a file, and its
    // failure must not read as one of the file's.
    std::string error;
    if (!port.isOpen() && !port.open(error)) {
        // Absent, in use or not permitted: waiting for data that cannot come helps nobody.
        stopRead();
        showSystemError(PortErrorText(port.name(), error));
        return;
    }

    capture_.setCurrentFile(path);
    if (replacesViewed) {
        capture_.close();
        if (::unlink(path.c_str()) != 0) {
            stopRead();
            showSystemError(path + ": " + std::strerror(errno));
            return;
        }
    }
    auto writer = CaptureWriter::Create(path, error);
    if (!writer) {
        // Without a file there is nowhere to put what arrives: end any read that is still
        // running rather than let it receive into nothing, and say why.
        stopRead();
        showSystemError(path + ": " + error);
        return;
    }
    writer_ = std::move(writer);  // an earlier read's file keeps what it received
    progress_.reset();
    showStatus(kWaitingText);
}

void DeviceSession::OnComm(int code) {
    timer_.stop();
    std::string errorText;

    if (code == comEvReceive) {
        SerialPort* p = port_.get();
        const std::string chunk = p ? p->readAll() : std::string();
        if (p) p->setRts(false);
        if (!chunk.empty()) {
            std::string error;
            if (!writer_ || !writer_->Write(chunk, error)) {
                // Disk full or the like: every further byte would be lost, so stop the read
                // (before the box, whose message loop would go on delivering) and say it once.
                stopRead();
                if (!error.empty()) showSystemError(error);
                return;
            }
        }
        if (port_) port_->setRts(true);
        timer_.start();
        progress_.add(chunk);
        showStatus(progress_.text());
    } else if (!CommEventText(code).empty() || code == comEvSend) {
        // Line events are recognised but not shown.
    } else {
        errorText = CommErrorText(code);
    }

    if (!errorText.empty()) {
        dialogs_.Beep();
        const int answer =
            dialogs_.MessageBox(errorText, Buttons::OkCancel, Icon::None, kSerialErrorTitle);
        // A port that is gone cannot deliver more: what arrived is finished and shown, as the
        // end-of-data timer does, whatever the answer.
        if (code == comEventPortGone && writer_) {
            Timer1_Timer();
            return;
        }
        if (answer == AnswerCancel) {
            if (port_) port_->close();
            // A chunk handled while the box was open may have restarted the timer; an
            // abandoned read must not be finished by it.
            timer_.stop();
            capture_.close();
        }
        // Abandoned, or the port itself went away: nothing more is coming.
        if (!port_ || !port_->isOpen()) showStatus("");
    }

    if (port_) port_->setRts(true);
}

void DeviceSession::Timer1_Timer() {
    Running finishing(finishing_);
    timer_.stop();
    if (port_) port_->close();
    writer_.reset();  // the capture file is complete on disk
    showStatus("");
    std::string error;
    if (!capture_.open(capture_.currentFile(), error)) {
        showSystemError(capture_.currentFile() + ": " + error);
        return;
    }
    emit captureComplete();
}

void DeviceSession::EndRead() {
    const ReadState state = readState();
    if (state != ReadState::Waiting && state != ReadState::Receiving) return;
    if (progress_.bytes() > 0) {
        Timer1_Timer();  // what arrived is kept and shown
        return;
    }
    // Nothing arrived: the title and the listing keep naming the capture that is shown.
    stopRead();
    if (capture_.isOpen()) capture_.setCurrentFile(capture_.file()->path());
}

void DeviceSession::Unload() {
    // The window is going away: nothing is reported and nothing of it is touched.
    timer_.stop();
    writer_.reset();
    if (port_) port_->close();
}

ReadState DeviceSession::readState() const {
    if (finishing_) return ReadState::Finishing;
    if (choosing_) return ReadState::Choosing;
    const bool portOpen = port_ && port_->isOpen();
    const bool writerOpen = writer_ && writer_->isOpen();
    if (portOpen && writerOpen)
        return timer_.isActive() ? ReadState::Receiving : ReadState::Waiting;
    if (writerOpen) return ReadState::Abandoned;
    return ReadState::Idle;
}

}  // namespace zq
