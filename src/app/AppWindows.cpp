#include "app/AppWindows.h"

#include <QSettings>

#include "hexlist/HexList.h"
#include "timing/TimingView.h"

namespace zq {

AppWindows::AppWindows(CaptureSession& capture, DeviceSession& device, Dialogs& dialogs,
                       DecodeSession* decoding)
    : capture_(capture), device_(device), dialogs_(dialogs), decoding_(decoding) {}

AppWindows::~AppWindows() {
    if (current_) saveGeometry(current_);
    delete current_.data();
}

void AppWindows::saveGeometry(const QWidget* window) {
    QSettings().setValue(window->objectName() + "/geometry", window->saveGeometry());
}

void AppWindows::replaceWith(QWidget* next) {
    QPointer<QWidget> old = current_;
    current_ = next;
    next->setAttribute(Qt::WA_QuitOnClose);
    const QByteArray saved = QSettings().value(next->objectName() + "/geometry").toByteArray();
    if (!saved.isEmpty()) next->restoreGeometry(saved);
    if (old) {
        saveGeometry(old);
        // pos() and move() both mean the frame's top-left corner, so the new window's frame
        // lands on the old one's whatever the window manager's decorations.
        if (old->isMaximized()) {
            next->setWindowState(next->windowState() | Qt::WindowMaximized);
        } else {
            next->setWindowState(next->windowState() & ~Qt::WindowMaximized);
            next->move(old->pos());
        }
    }
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

void AppWindows::openCapture(const std::string& path) {
    if (!qobject_cast<TimingView*>(current_)) showTimingView();
    if (auto* view = qobject_cast<TimingView*>(current_)) view->OpenFile(path);
}

void AppWindows::showTimingView() {
    replaceWith(new TimingView(capture_, device_, dialogs_, *this, decoding_));
}

}  // namespace zq
