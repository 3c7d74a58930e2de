#include "app/StartUp.h"

#include <QFileInfo>
#include <cstdio>
#include <optional>

#include "timing/TimingView.h"
#include "view/SetupJson.h"

namespace zq {

void StartProgram(const CommandLine& line, CaptureSession& capture, DeviceSession& device,
                  AppWindows& windows) {
    // The setup kept from the last run; --setup takes its place, or says why it cannot and
    // leaves it.
    if (const auto kept = TimingView::KeptSetup()) capture.setSetup(*kept);
    std::optional<ChannelSetup> startSetup;
    if (const std::optional<std::string> file = line.setupFile()) {
        const auto parsed = LoadSetupFile(*file);
        if (parsed.ok())
            startSetup = parsed.value;
        else
            std::fprintf(stderr, "zq350: %s\n", parsed.error.c_str());
    }
    // The port chosen last, unless --port chooses another, which is then the one kept.
    device.setPortPath(TimingView::KeptPort().value_or(kZq350PortPath));

    windows.showTimingView();
    if (auto* view = qobject_cast<TimingView*>(windows.current())) {
        if (startSetup) view->UseSetup(*startSetup);
        if (const std::optional<std::string> port = line.portPath()) view->UsePort(*port);
    }
    // Opened as "Load  from Disk" opens a chosen file, once the window is shown, so that a
    // damage report has its window behind it.
    if (!line.startFile().isEmpty())
        windows.openCapture(QFileInfo(line.startFile()).absoluteFilePath().toStdString());
}

}  // namespace zq
