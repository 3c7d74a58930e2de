#include "app/AppWindows.h"

#include "hexlist/HexList.h"
#include "timing/TimingView.h"

namespace zq {

AppWindows::AppWindows(CaptureSession& capture, DeviceSession& device, Dialogs& dialogs)
    : capture_(capture), device_(device), dialogs_(dialogs) {}

AppWindows::~AppWindows() { delete current_.data(); }

void AppWindows::replaceWith(QWidget* next) {
    QPointer<QWidget> old = current_;
    current_ = next;
    next->setAttribute(Qt::WA_QuitOnClose);
    next->show();
    if (old) {
        // The old window's close runs its Unload; the new one is already shown, so this close
        // does not end the program. The switch is usually asked for from one of the old
        // window's own handlers, so it is deleted once that handler has returned.
        old->close();
        old->deleteLater();
    }
}

void AppWindows::showHexList() { replaceWith(new HexList(capture_, dialogs_, *this)); }

void AppWindows::openInTimingView(const std::string& path) {
    if (auto* view = qobject_cast<TimingView*>(current_.data())) view->LoadFile(path);
}

void AppWindows::showTimingView() {
    replaceWith(new TimingView(capture_, device_, dialogs_, *this));
}

}  // namespace zq
