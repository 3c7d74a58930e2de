#pragma once
// The one owner of the current capture: the file held open while it is current, its model
// decoded once per file version, its path, the view settings carried across window switches,
// and whether its damage report has been shown. Both windows, the end of a device read, the
// tools, tests and benchmarks open and close captures through it, so "open a capture" and
// "report once" are written once.

#include <functional>
#include <memory>
#include <string>

#include "capture/CaptureFile.h"
#include "capture/DecodedCapture.h"
#include "view/Setup.h"
#include "view/TraceLevels.h"
#include "view/ViewSettings.h"
#include "view/ViewValues.h"

namespace zq {

class Dialogs;

class CaptureSession {
  public:
    // Makes path the current capture, opened for reading and decoded whole, its report due
    // again. The capture that was open is closed first, whatever happens. On failure no capture
    // is open and error holds the system's text; CurrentFile names path either way.
    bool open(const std::string& path, std::string& error);
    // No capture is current any more (CurrentFile stays).
    void close();

    // Before a redraw: a cheap look at the file by its path (no read). When it changed on disk
    // it is decoded again, and its report is due again if it differs from the one shown. A file
    // that is gone or unreadable by its path keeps the model it had. Returns whether it changed.
    bool refresh();

    // The open capture file (CaptureHandle); null when none is open.
    CaptureFile* file() const { return file_.get(); }
    bool isOpen() const { return file_ != nullptr; }
    // The whole capture, decoded; null when none is open.
    const DecodedCapture* model() const { return file_ ? model_.get() : nullptr; }
    // Counts the decodes of a file into the model: work done on a model (the protocol
    // decoders' run) is done again when this changes.
    uint64_t modelVersion() const { return modelVersion_; }

    // Path of the current capture file (a device read makes its file current when it ends).
    const std::string& currentFile() const { return currentFile_; }
    void setCurrentFile(std::string path) { currentFile_ = std::move(path); }

    // The last view settings; carried across window switches.
    const SavedView& savedView() const { return savedView_; }
    void setSavedView(const SavedView& view) { savedView_ = view; }

    // The view both windows show, as numbers: set from the boxes each time a window applies
    // them (a redraw, a listing build).
    const ViewValues& view() const { return view_; }

    // The wiring: channel names, order, buses, sample rate. It belongs to the board, not the
    // file, so it applies to every capture opened until it is changed.
    const ChannelSetup& setup() const { return setup_; }
    void setSetup(ChannelSetup setup) { setup_ = std::move(setup); }
    void setView(const ViewBoxes& applied) { view_ = ReadValues(applied); }

    // LevelBase and LevelSwing: set at program start and constant afterwards.
    const TraceLevels& levels() const { return levels_; }
    void setLevels(const TraceLevels& levels) { levels_ = levels; }

    bool reportShown() const { return reportShown_; }
    // The end of a redraw or listing build of the current file: shows its report in a message
    // box unless this report was shown already (an empty report shows nothing), then counts
    // the report as shown. beforeBox runs just before the box appears.
    void reportOnce(const std::string& report, Dialogs& dialogs,
                    const std::function<void()>& beforeBox = {});

  private:
    void decode();

    std::unique_ptr<CaptureFile> file_;
    std::unique_ptr<DecodedCapture> model_ = std::make_unique<DecodedCapture>();
    FileStamp stamp_;
    uint64_t modelVersion_ = 0;
    std::string currentFile_;
    SavedView savedView_;
    ViewValues view_;
    ChannelSetup setup_;
    TraceLevels levels_;
    bool reportShown_ = false;
    std::string shownReport_;
};

}  // namespace zq
