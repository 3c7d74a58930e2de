#pragma once
// File > Export of the main window without the window: the save dialog with its question, and
// the VCD and CSV of the current capture written as zq350-inspect export writes them.
//
// The exports hold the whole capture (samples 0 to 2047), not the window shown: they are for
// programs with their own zoom and scroll, the trigger keeps its time (sample 1024) whatever
// the window, and the same file is what zq350-inspect export writes from the command line.

#include <optional>
#include <string>

#include "session/CaptureSession.h"
#include "session/Dialogs.h"

namespace zq {

enum class ExportKind { Vcd, Csv, Png };

// The save dialog of an export, starting in folder (which then holds the chosen folder). An
// existing file is replaced only after the program's own "Replace existing file" question.
// Returns the path to write, or nothing when the user cancelled.
std::optional<std::string> ChooseExportPath(Dialogs& dialogs, ExportKind kind, std::string& folder);

// Writes the current capture's VCD or CSV to path. A failure (no capture open, the capture
// itself as the output, a full disk) is shown once in a message box and leaves no new file.
bool WriteCaptureExport(const CaptureSession& capture, Dialogs& dialogs, ExportKind kind,
                        const std::string& path);

}  // namespace zq
