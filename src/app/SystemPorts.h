#pragma once
// The system's list of serial ports, as Qt's serial port module reads it (udev, sysfs): the
// lister the shipped program gives the device session. Pseudo-terminals and links are not in it.

#include <vector>

#include "session/PortChoice.h"

namespace zq {

std::vector<PortInfo> SystemSerialPorts();

}  // namespace zq
