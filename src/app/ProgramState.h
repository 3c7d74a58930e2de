#pragma once
// Program-wide state: everything that must survive the switch between the two windows.
// One instance lives for the whole run (main() owns it); tests make their own.

#include <memory>
#include <string>

#include "capture/CaptureFile.h"
#include "capture/ViewSettings.h"
#include "timing/ChartGrid.h"

namespace zq {

class CaptureWriter;
class SerialPort;

struct ProgramState {
    ProgramState();
    ~ProgramState();
    ProgramState(const ProgramState&) = delete;
    ProgramState& operator=(const ProgramState&) = delete;

    // The capture file held open for reading while it is the current capture; null = none.
    std::unique_ptr<CaptureFile> CaptureHandle;
    // Path of the current capture file, or of the file a device read is writing.
    std::string CurrentFile;
    // The last view settings; carried across window switches.
    SavedView savedView;
    // The damage report of the current file has been shown.
    bool ReportShown = false;
    // LevelBase and LevelSwing; set at program start and constant afterwards.
    TraceLevels levels;
    // The writer of the file a device read is writing, kept after the read was abandoned
    // until the next read replaces it or the main window unloads.
    std::unique_ptr<CaptureWriter> writer;
    // The serial port of device reads (MSComm1); null until a read first needs it.
    std::unique_ptr<SerialPort> port;
};

}  // namespace zq
