#include "session/CaptureSession.h"

#include "session/Dialogs.h"

namespace zq {

bool CaptureSession::open(const std::string& path, std::string& error) {
    file_.reset();
    currentFile_ = path;
    file_ = CaptureFile::open(path, error);
    if (!file_) return false;
    decode();
    reportShown_ = false;
    shownReport_.clear();
    return true;
}

void CaptureSession::close() { file_.reset(); }

void CaptureSession::decode() {
    // The stamp first: a write that lands during the decode shows as a change next time.
    stamp_ = file_->stamp();
    ByteCursor in = file_->cursor();
    DecodeCapture(in, file_->length(), *model_);
    ++modelVersion_;
}

bool CaptureSession::refresh() {
    if (!file_) return false;
    const std::optional<FileStamp> now = StampOf(file_->path());
    if (!now || *now == stamp_) return false;
    if (now->device != stamp_.device || now->inode != stamp_.inode) {
        // Replaced under its name (an editor's atomic save): the new file is the capture now.
        std::string error;
        auto replaced = CaptureFile::open(file_->path(), error);
        if (!replaced) return false;
        file_ = std::move(replaced);
    }
    decode();
    if (reportShown_ && model_->report != shownReport_) reportShown_ = false;
    return true;
}

void CaptureSession::reportOnce(const std::string& report, Dialogs& dialogs,
                                const std::function<void()>& beforeBox) {
    if (!reportShown_ && report.size() > 1) {
        // Set first: a box is modal, and a pass run meanwhile must not show it a second time.
        reportShown_ = true;
        shownReport_ = report;
        if (beforeBox) beforeBox();
        dialogs.MessageBox(report, Buttons::Ok, Icon::None, kProgramTitle);
        // Not set again here: a capture opened while the box was up has its own report due.
        return;
    }
    if (!reportShown_) shownReport_ = report;
    reportShown_ = true;
}

}  // namespace zq
