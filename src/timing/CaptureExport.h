#pragma once
// File > Export of the main window without the window: the save dialog with its question, the
// VCD and CSV of the current capture written as zq350-inspect export writes them, and the PNG
// of the chart, all through the one way out of every file the program writes.
//
// The exports hold the whole capture (samples 0 to 2047), not the window shown: they are for
// programs with their own zoom and scroll, the trigger keeps its time (sample 1024) whatever
// the window, and the same file is what zq350-inspect export writes from the command line.

#include <optional>
#include <string>
#include <string_view>

#include "session/CaptureSession.h"
#include "session/Dialogs.h"

class QImage;

namespace zq {

enum class ExportKind { Vcd, Csv, Png, Setup, Annotations };

// The save dialog of an export, starting in folder (which then holds the chosen folder). An
// existing file is replaced only after the program's own "Replace existing file" question.
// Returns the path to write, or nothing when the user cancelled.
std::optional<std::string> ChooseExportPath(Dialogs& dialogs, ExportKind kind, std::string& folder);

// The window's way out for every file it writes: bytes replace the file at path whole or not
// at all, never the open capture, never a pipe. A failure is shown once in a message box.
bool WriteExportBytes(const CaptureSession& capture, Dialogs& dialogs, const std::string& path,
                      std::string_view bytes);

// Writes the current capture's VCD or CSV to path; without a capture open, says so.
bool WriteCaptureExport(const CaptureSession& capture, Dialogs& dialogs, ExportKind kind,
                        const std::string& path);

// Writes a picture of the chart to path as PNG.
bool WritePictureExport(const CaptureSession& capture, Dialogs& dialogs, const QImage& picture,
                        const std::string& path);

}  // namespace zq
