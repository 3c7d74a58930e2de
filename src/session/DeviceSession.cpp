#include "session/DeviceSession.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <utility>

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
            return translate("zq::DeviceSession", "Change in CTS Detected");
        case comEvDSR:
            return translate("zq::DeviceSession", "Change in DSR Detected");
        case comEvCD:
            return translate("zq::DeviceSession", "Change in CD Detected");
        case comEvRing:
            return translate("zq::DeviceSession", "The Phone is Ringing");
        case comEvEOF:
            return translate("zq::DeviceSession", "End of File Detected");
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
            return translate("zq::DeviceSession", "Break Received");
        case comEventCTSTO:
            return translate("zq::DeviceSession", "CTS Timeout");
        case comEventDSRTO:
            return translate("zq::DeviceSession", "DSR Timeout");
        case comEventFrame:
            return translate("zq::DeviceSession", "Framing Error");
        case comEventOverrun:
            return translate("zq::DeviceSession", "Overrun Error");
        case comEventCDTO:
            return translate("zq::DeviceSession", "Carrier Detect Timeout");
        case comEventRxOver:
            return translate("zq::DeviceSession", "Receive Buffer Overflow");
        case comEventRxParity:
            return translate("zq::DeviceSession", "Parity Error");
        case comEventTxFull:
            return translate("zq::DeviceSession", "Transmit Buffer Full");
        case comEventDCB:
            return translate("zq::DeviceSession", "Error retrieving DCB");
        default:
            return translate("zq::DeviceSession", "Unknown error or event");
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
    if (port_ && portMadeFor_ != portPath_ && !port_->isOpen()) {
        port_->onCommEvent = nullptr;
        port_.reset();
    }
    if (!port_) {
        port_ = makePort_(portPath_);
        portMadeFor_ = portPath_;
        port_->onCommEvent = [this](int code) { OnComm(code); };
    }
    return *port_;
}

std::string PortErrorText(const std::string& port, const std::string& error) {
    std::string text = port + ": " + error;
    if (error == std::strerror(EACCES) || error == std::strerror(EPERM))
        text += "\n\n" + translate("zq::DeviceSession",
                                   "The port belongs to the group dialout. Add yourself once with\n"
                                   "    sudo usermod -aG dialout $USER\nand log in again.");
    else if (error == std::strerror(ENOENT) || error == std::strerror(ENODEV) ||
             error == std::strerror(ENXIO))
        text += "\n\n" + translate("zq::DeviceSession", "Is the ZQ350 connected?");
    return text;
}

void DeviceSession::showSystemError(const std::string& text) {
    dialogs_.MessageBox(text, Buttons::Ok, Icon::Exclamation, kProgramTitle);
}

void DeviceSession::finishRead() {
    timer_.stop();
    if (port_) port_->close();
    showStatus("");
    settle(std::exchange(writer_, nullptr), true);
}

void DeviceSession::settle(std::unique_ptr<CaptureWriter> writer, bool show) {
    if (!writer) return;
    Running finishing(finishing_);
    if (writer->bytes() == 0) {
        writer->Close();  // nothing arrived: the target and what is shown stay as they were
        return;
    }
    const std::string target = writer->target();
    std::string error;
    if (!writer->Place(error)) {
        std::string text = target + ": " + error;
        struct stat st {};
        if (::lstat(writer->path().c_str(), &st) == 0)
            text += "\n\n" + Arg(translate("zq::DeviceSession", "What arrived is kept in %1."),
                                 {writer->path()});
        showSystemError(text);
        return;
    }
    if (!show) return;
    // The capture shown so far, the replaced file included, stays open until here.
    if (!capture_.open(target, error)) {
        showSystemError(target + ": " + error);
        return;
    }
    emit captureComplete();
}

void DeviceSession::failWrite(const std::string& error) {
    timer_.stop();
    if (port_) port_->close();
    showStatus("");
    const std::unique_ptr<CaptureWriter> failed = std::exchange(writer_, nullptr);
    if (!failed) return;
    failed->Close();
    std::string text = failed->path() + ": " + error;
    if (failed->bytes() > 0)
        text += "\n\n" + Arg(translate("zq::DeviceSession",
                                       "What arrived until then is kept in that file; "
                                       "%1 was left as it was."),
                             {failed->target()});
    showSystemError(text);
}

void DeviceSession::ReadZQ350_Click(OpenLogSettings& openLog) {
    // A read still listening on the port chosen before ends as the timer would end it: the
    // new read listens where the user now says.
    if (port_ && port_->isOpen() && portMadeFor_ != portPath_) finishRead();
    SerialPort& port = ensurePort();
    // A port that is missing or not the user's is told now, before a file name is asked for
    // in vain; the file system decides, not the list, which knows no links.
    if (!port.isOpen()) {
        const std::string problem = PortProblem(port.name(), port.probe(), listPorts());
        if (!problem.empty()) {
            showSystemError(problem);
            return;
        }
    }
    port.setNullDiscard(false);
    Running choosing(choosing_);
    const std::string viewed = capture_.currentFile();
    openLog.DialogTitle = translate("zq::DeviceSession", kSaveDialogTitle);
    openLog.Filter = translate("zq::DeviceSession", kCaptureFilter);

    std::string path;
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
        // A folder can never take the capture: say so now, not after the device has sent.
        if (S_ISDIR(st.st_mode)) {
            showSystemError(path + ": " + std::strerror(EISDIR));
            return;
        }
        if (dialogs_.MessageBox(ReplaceFileQuestion(path), Buttons::YesNoCancel, Icon::Question,
                                kProgramTitle) != AnswerYes)
            continue;
        if (path != viewed) break;
        // It is replaced only once something has arrived; until then it stays open and shown.
        if (dialogs_.MessageBox(
                Arg(translate("zq::DeviceSession", "Refresh? (file being viewed) - %1?"), {path}),
                Buttons::YesNo, Icon::Question, kProgramTitle) != AnswerYes)
            continue;
        break;
    }

    // The port first: a read that cannot listen must not leave a file, and its failure must
    // not read as one of the file's.
    std::string error;
    if (!port.isOpen() && !port.open(error)) {
        // Absent, in use or not permitted: waiting for data that cannot come helps nobody.
        finishRead();
        showSystemError(PortErrorText(port.name(), error));
        return;
    }

    auto writer = CaptureWriter::Create(path, error);
    if (!writer) {
        // Without a file there is nowhere to put what arrives: end any read that is still
        // running rather than let it receive into nothing, and say why.
        finishRead();
        showSystemError(error);
        return;
    }
    std::unique_ptr<CaptureWriter> earlier = std::exchange(writer_, std::move(writer));
    // An earlier read's end-of-data tick is not this one's: this read waits for its first byte.
    timer_.stop();
    progress_.reset();
    showStatus(translate("zq::DeviceSession", kWaitingText));
    // The earlier read ends here with what it received; the port, open, goes on for this one.
    settle(std::move(earlier), true);
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
                failWrite(error);
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
        const int answer = dialogs_.MessageBox(errorText, Buttons::OkCancel, Icon::None,
                                               translate("zq::DeviceSession", kSerialErrorTitle));
        // A port that is gone cannot deliver more, whatever the answer; Cancel ends the read.
        // Either way what arrived (a chunk handled while the box was open included) is put in
        // place and shown, as the end-of-data timer does.
        if (code == comEventPortGone || answer == AnswerCancel) finishRead();
    }

    if (port_) port_->setRts(true);
}

void DeviceSession::Timer1_Timer() { finishRead(); }

void DeviceSession::EndRead() {
    const ReadState state = readState();
    if (state != ReadState::Waiting && state != ReadState::Receiving) return;
    finishRead();
}

void DeviceSession::Unload() {
    // The window is going away: nothing of it is touched, and nothing is shown.
    timer_.stop();
    if (port_) port_->close();
    settle(std::exchange(writer_, nullptr), false);
}

ReadState DeviceSession::readState() const {
    const bool listening = writer_ && port_ && port_->isOpen();
    if (finishing_ && !listening) return ReadState::Finishing;
    if (choosing_) return ReadState::Choosing;
    if (listening) return timer_.isActive() ? ReadState::Receiving : ReadState::Waiting;
    return ReadState::Idle;
}

}  // namespace zq
