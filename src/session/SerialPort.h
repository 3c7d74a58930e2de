#pragma once
// The serial port of device reads, as the handlers see it (MSComm1): receive only.

#include <functional>
#include <string>

#include "session/PortChoice.h"

namespace zq {

// Communication event codes as delivered to OnComm.
enum CommEventCode : int {
    comEvSend = 1,
    comEvReceive = 2,
    comEvCTS = 3,
    comEvDSR = 4,
    comEvCD = 5,
    comEvRing = 6,
    comEvEOF = 7,
    comEventBreak = 1001,
    comEventCTSTO = 1002,
    comEventDSRTO = 1003,
    comEventFrame = 1004,
    comEventOverrun = 1006,
    comEventCDTO = 1007,
    comEventRxOver = 1008,
    comEventRxParity = 1009,
    comEventTxFull = 1010,
    comEventDCB = 1011,
    // Not one of the control's own codes: the port went away while open (a USB adapter
    // pulled out). Any code outside the table is shown as "Unknown error or event".
    comEventPortGone = 1100,
};

class SerialPort {
  public:
    virtual ~SerialPort() = default;
    // PortOpen = true. False with the system's text in error when the port cannot be opened.
    virtual bool open(std::string& error) = 0;
    // PortOpen = false; closing a closed port does nothing.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // The device's path, for messages ("/dev/ttyUSB0: Permission denied").
    virtual std::string name() const = 0;
    // What the file system says of the device's path now: whether a read can hope to open it.
    virtual PortAccess probe() const = 0;
    // Input: every byte waiting now; empties the receive buffer.
    virtual std::string readAll() = 0;
    // RTSEnable: false lowers RTS, true raises it. Fails silently where RTS cannot be driven.
    virtual void setRts(bool high) = 0;
    // NullDiscard.
    virtual void setNullDiscard(bool discard) = 0;
    // Called on the user-interface thread once per communication event, with its code.
    std::function<void(int code)> onCommEvent;
};

}  // namespace zq
