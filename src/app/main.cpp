// zq350: the desktop companion of the ZQ350 logic analyser. Starting the program loads the
// main window; there is no command line and no settings file.

#include <QApplication>

#include "app/AppWindows.h"
#include "app/ProgramState.h"
#include "app/QtDialogs.h"
#include "capture/Allocator.h"

int main(int argc, char** argv) {
    zq::KeepFreedMemoryForRedraws();
    QApplication app(argc, argv);
    QApplication::setApplicationName("zq350");

    // Program-wide state outlives every window.
    zq::ProgramState state;
    zq::QtDialogs dialogs;
    zq::AppWindows windows(state, dialogs);
    windows.showTimingView();
    return app.exec();
}
