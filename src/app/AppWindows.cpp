#include "app/AppWindows.h"

#include "timing/TimingView.h"

#include "hexlist/HexList.h"

namespace zq {

AppWindows::AppWindows(ProgramState& state, Dialogs& dialogs) : state_(state), dialogs_(dialogs) {}

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

void AppWindows::showHexList() {
    replaceWith(new HexList(state_, dialogs_, *this));
}

void AppWindows::showTimingView() { replaceWith(new TimingView(state_, dialogs_, *this)); }

}  // namespace zq
