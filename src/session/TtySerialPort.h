#pragma once
// The serial port of device reads on a Linux terminal device: receive only, raw, 9600 8N1.
//
// Events: received data (2) comes from a socket notifier on the descriptor; modem-line changes
// (3 CTS, 4 DSR, 5 CD, 6 RI) and line errors (1001 break, 1004 framing, 1006 overrun,
// 1008 buffer overflow, 1009 parity) from polling TIOCMGET and the driver's TIOCGICOUNT
// counters while the port is open. Drivers that answer neither (a pseudo-terminal) simply
// produce no such events. The end-of-file character (7) is never raised: the device's dump is
// stored byte for byte, 0x1A included, so nothing here treats any byte as special.
// A port that goes away while open (read gives end of file or EIO) is closed and raises
// comEventPortGone once.

#include <linux/serial.h>

#include <memory>
#include <string>
#include <vector>

#include "session/SerialPort.h"

class QSocketNotifier;
class QTimer;

namespace zq {

// Events for the modem lines that changed between two TIOCMGET readings.
std::vector<int> ModemLineEvents(int before, int now);
// Error events for the driver counters that grew between two TIOCGICOUNT readings.
std::vector<int> CounterEvents(const serial_icounter_struct& before,
                               const serial_icounter_struct& now);

class TtySerialPort : public SerialPort {
  public:
    explicit TtySerialPort(std::string devicePath);
    ~TtySerialPort() override;
    TtySerialPort(const TtySerialPort&) = delete;
    TtySerialPort& operator=(const TtySerialPort&) = delete;

    bool open(std::string& error) override;
    void close() override;
    bool isOpen() const override;
    std::string readAll() override;
    void setRts(bool high) override;
    void setNullDiscard(bool discard) override;

    const std::string& devicePath() const { return path_; }
    std::string name() const override { return path_; }
    PortAccess probe() const override { return ProbePortPath(path_); }

  private:
    void onReadable();
    void pollLines();
    void emitEvent(int code);
    // Reads everything waiting into pending_; false when the port has gone away.
    bool drain();
    void portGone();

    std::string path_;
    int fd_ = -1;
    bool nullDiscard_ = false;
    std::string pending_;
    QSocketNotifier* notifier_ = nullptr;
    QTimer* poll_ = nullptr;
    bool modemLines_ = false;
    int lines_ = 0;
    bool counters_ = false;
    serial_icounter_struct icount_{};
};

}  // namespace zq
