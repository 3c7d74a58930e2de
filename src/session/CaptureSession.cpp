#include "session/CaptureSession.h"

#include "session/Dialogs.h"

namespace zq {

bool CaptureSession::open(const std::string& path, std::string& error) {
    file_.reset();
    currentFile_ = path;
    file_ = CaptureFile::open(path, error);
    if (!file_) return false;
    reportShown_ = false;
    return true;
}

void CaptureSession::close() { file_.reset(); }

void CaptureSession::reportOnce(const std::string& report, Dialogs& dialogs,
                                const std::function<void()>& beforeBox) {
    if (!reportShown_ && report.size() > 1) {
        // Set first: a box is modal, and a pass run meanwhile must not show it a second time.
        reportShown_ = true;
        if (beforeBox) beforeBox();
        dialogs.MessageBox(report, Buttons::Ok, Icon::None, kProgramTitle);
        // Not set again here: a capture opened while the box was up has its own report due.
        return;
    }
    reportShown_ = true;
}

}  // namespace zq
