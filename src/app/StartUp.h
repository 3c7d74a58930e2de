#pragma once
// What the last run and the command line choose at start, in order: the setup, the port, the
// main window, then the capture named. main() runs it on the program's state; the tests run
// it on theirs, so that an option is seen to reach what it chooses.

#include "app/AppWindows.h"
#include "app/CommandLine.h"
#include "session/CaptureSession.h"
#include "session/DeviceSession.h"

namespace zq {

void StartProgram(const CommandLine& line, CaptureSession& capture, DeviceSession& device,
                  AppWindows& windows);

}  // namespace zq
