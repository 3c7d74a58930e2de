#include "session/TtySerialPort.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <utility>

namespace zq {

namespace {

// Modem lines and error counters are polled; 50 ms keeps events close to their cause without
// costing anything noticeable.
constexpr int kPollMs = 50;

bool PortVanished(int err) { return err == EIO || err == ENODEV || err == ENXIO; }

}  // namespace

std::vector<int> ModemLineEvents(int before, int now) {
    std::vector<int> events;
    const int changed = before ^ now;
    if (changed & TIOCM_CTS) events.push_back(comEvCTS);
    if (changed & TIOCM_DSR) events.push_back(comEvDSR);
    if (changed & TIOCM_CD) events.push_back(comEvCD);
    // A ring is reported as it starts, not again when the indicator drops.
    if ((changed & TIOCM_RI) && (now & TIOCM_RI)) events.push_back(comEvRing);
    return events;
}

std::vector<int> CounterEvents(const serial_icounter_struct& before,
                               const serial_icounter_struct& now) {
    std::vector<int> events;
    if (now.brk != before.brk) events.push_back(comEventBreak);
    if (now.frame != before.frame) events.push_back(comEventFrame);
    if (now.overrun != before.overrun) events.push_back(comEventOverrun);
    if (now.buf_overrun != before.buf_overrun) events.push_back(comEventRxOver);
    if (now.parity != before.parity) events.push_back(comEventRxParity);
    return events;
}

TtySerialPort::TtySerialPort(std::string devicePath) : path_(std::move(devicePath)) {}

TtySerialPort::~TtySerialPort() {
    close();
    delete notifier_;
    delete poll_;
}

bool TtySerialPort::open(std::string& error) {
    if (fd_ >= 0) return true;
    // Read-only: this program has no business transmitting to the device.
    const int fd = ::open(path_.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        error = std::strerror(errno);
        ::close(fd);
        return false;
    }
    ::cfmakeraw(&tio);  // no echo, no CR/LF translation, no signals, VMIN 1 / VTIME 0
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | ISTRIP);
    // A break would otherwise appear as a NUL in the capture; it is reported as an event.
    tio.c_iflag |= IGNBRK;
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CREAD | CLOCAL;
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
        error = std::strerror(errno);
        ::close(fd);
        return false;
    }
    fd_ = fd;
    pending_.clear();

    delete notifier_;  // the one of an earlier opening, disabled when it was closed
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_, &QSocketNotifier::activated, [this] { onReadable(); });

    modemLines_ = ::ioctl(fd_, TIOCMGET, &lines_) == 0;
    counters_ = ::ioctl(fd_, TIOCGICOUNT, &icount_) == 0;
    if (modemLines_ || counters_) {
        if (!poll_) {
            poll_ = new QTimer;
            QObject::connect(poll_, &QTimer::timeout, [this] { pollLines(); });
        }
        poll_->start(kPollMs);
    }
    return true;
}

void TtySerialPort::close() {
    if (fd_ < 0) return;
    // The notifier may be the caller (an event handler closing the port): disable it now and
    // delete it only at the next opening or with the port.
    if (notifier_) notifier_->setEnabled(false);
    if (poll_) poll_->stop();
    ::close(fd_);
    fd_ = -1;
    pending_.clear();
}

bool TtySerialPort::isOpen() const { return fd_ >= 0; }

std::string TtySerialPort::readAll() {
    if (fd_ >= 0) drain();  // a vanished port is noticed by the next notification
    return std::exchange(pending_, {});
}

void TtySerialPort::setRts(bool high) {
    if (fd_ < 0) return;
    int bit = TIOCM_RTS;
    (void)::ioctl(fd_, high ? TIOCMBIS : TIOCMBIC, &bit);  // a pty has no RTS: ignore
}

void TtySerialPort::setNullDiscard(bool discard) { nullDiscard_ = discard; }

bool TtySerialPort::drain() {
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(fd_, buf, sizeof buf);
        if (n > 0) {
            if (nullDiscard_) {
                for (ssize_t i = 0; i < n; ++i)
                    if (buf[i] != '\0') pending_.push_back(buf[i]);
            } else {
                pending_.append(buf, static_cast<size_t>(n));
            }
            continue;
        }
        if (n == 0) return false;  // hang-up: VMIN is 1, so an open port never reads 0
        if (errno == EINTR) continue;
        return errno == EAGAIN || errno == EWOULDBLOCK;
    }
}

void TtySerialPort::onReadable() {
    if (fd_ < 0) return;
    const bool alive = drain();
    if (!pending_.empty()) emitEvent(comEvReceive);
    if (!alive && fd_ >= 0) portGone();
}

void TtySerialPort::portGone() {
    // Nothing more can come from a port that is gone: close it, so that a read answered "OK"
    // does not wait on it for ever and the next read opens the device afresh.
    close();
    emitEvent(comEventPortGone);
}

void TtySerialPort::pollLines() {
    if (fd_ < 0) return;
    std::vector<int> events;
    if (modemLines_) {
        int now = 0;
        if (::ioctl(fd_, TIOCMGET, &now) == 0) {
            events = ModemLineEvents(lines_, now);
            lines_ = now;
        } else if (PortVanished(errno)) {
            portGone();
            return;
        } else {
            modemLines_ = false;
        }
    }
    if (counters_) {
        serial_icounter_struct now{};
        if (::ioctl(fd_, TIOCGICOUNT, &now) == 0) {
            for (int e : CounterEvents(icount_, now)) events.push_back(e);
            icount_ = now;
        } else {
            counters_ = false;
        }
    }
    if (!modemLines_ && !counters_) poll_->stop();
    // The readings are stored before any handler runs: a handler waiting in a message box
    // lets this poll run again, and must not see the same change twice.
    for (int e : events) {
        if (fd_ < 0) return;
        emitEvent(e);
    }
}

void TtySerialPort::emitEvent(int code) {
    auto handler = onCommEvent;  // the handler may replace itself
    if (handler) handler(code);
}

}  // namespace zq
