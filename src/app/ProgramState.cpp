#include "app/ProgramState.h"

#include "device/CaptureWriter.h"
#include "device/SerialPort.h"

namespace zq {

ProgramState::ProgramState() = default;
ProgramState::~ProgramState() = default;

}  // namespace zq
