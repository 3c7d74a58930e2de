// zq350: the desktop companion of the ZQ350 logic analyser. Starting the program loads the
// main window. The command line: --help, --version and one optional capture FILE, opened at
// start as "Load  from Disk" opens it (man page: packaging/man/zq350.1).

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "app/AppWindows.h"
#include "app/LibraryEngine.h"
#include "app/QtDialogs.h"
#include "capture/Allocator.h"
#include "session/CaptureSession.h"
#include "session/DeviceSession.h"
#include "session/QtEndTimer.h"
#include "session/TtySerialPort.h"
#include "timing/TimingView.h"
#include "view/SetupJson.h"
#include "zq/Version.h"

namespace {

struct CommandLine {
    QCommandLineParser parser;
    QCommandLineOption help{{"h", "help"}, "Show this help and exit."};
    QCommandLineOption version{{"v", "version"}, "Show the version and exit."};
    QCommandLineOption setup{
        "setup", "Start with the channel setup in FILE, which is then the one kept.", "FILE"};

    CommandLine() {
        parser.setApplicationDescription(
            "Reads captures out of the ZQ350 logic analyser and shows capture files as a timing\n"
            "diagram and as a hex listing.");
        // Qt's options are single-dash words (-platform, -style).
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOption(help);
        parser.addOption(version);
        parser.addOption(setup);
        parser.addPositionalArgument(
            "FILE", "A capture file to open at start, as \"Load  from Disk\" opens it.", "[FILE]");
        // The options every Qt program takes, which QApplication takes out of the arguments
        // itself. They are known here so that the whole command line is checked before
        // QApplication exists: without a display it cannot be made, and a wrong option must
        // still be named rather than end in Qt's abort.
        for (const char* name :
             {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
              "qwindowicon", "qwindowtitle", "session", "display", "geometry", "title", "icon",
              "name", "visual", "style", "stylesheet", "qmljsdebugger"})
            Hidden(name, "value");
        for (const char* name : {"reverse", "widgetcount", "sync", "nograb", "dograb"})
            Hidden(name, nullptr);
    }

  private:
    void Hidden(const char* name, const char* valueName) {
        QCommandLineOption option(name, QString(), valueName ? valueName : QString());
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
};

QStringList Arguments(int argc, char** argv) {
    QStringList args;
    for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    return args;
}

// --help and --version write to standard output; a full disk or a closed descriptor is a
// failure to report, not an answer given.
int Answer(const QString& text) {
    errno = 0;
    const bool written = std::fputs(qUtf8Printable(text), stdout) >= 0;
    if (written && std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
    std::fprintf(stderr, "zq350: standard output: %s\n", std::strerror(errno ? errno : EIO));
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication::setApplicationName("zq350");
    QApplication::setApplicationVersion(zq::kVersion);

    // The whole command line is read before QApplication exists, so that --help, --version
    // and a wrong option answer without a display (over ssh, in a package check).
    CommandLine commandLine;
    if (!commandLine.parser.parse(Arguments(argc, argv)) ||
        commandLine.parser.positionalArguments().size() > 1) {
        const QString error = commandLine.parser.errorText().isEmpty()
                                  ? QStringLiteral("Only one FILE can be opened.")
                                  : commandLine.parser.errorText();
        std::fprintf(stderr, "zq350: %s\nTry 'zq350 --help'.\n", qUtf8Printable(error));
        return 2;
    }
    if (commandLine.parser.isSet(commandLine.help)) {
        // Without an application object Qt cannot name the program in the usage line.
        QString text = commandLine.parser.helpText();
        text.replace("<executable_name>", "zq350");
        return Answer(text);
    }
    if (commandLine.parser.isSet(commandLine.version))
        return Answer(QStringLiteral("zq350 %1\n").arg(zq::kVersion));
    const QStringList positional = commandLine.parser.positionalArguments();
    const QString startFile = positional.isEmpty() ? QString() : positional[0];

    zq::KeepFreedMemoryForRedraws();
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName("zq350");
    QApplication::setWindowIcon(QIcon::fromTheme("zq350", QIcon(":/zq350.svg")));
    QApplication::setOrganizationName("zq350");  // settings in ~/.config/zq350/zq350.conf

    // The program's state outlives every window: the current capture, and the device read with
    // its port and end-of-data timer (Timer1).
    zq::CaptureSession capture;
    // The setup kept from the last run; --setup takes its place, or says why it cannot and
    // leaves it.
    if (const auto kept = zq::TimingView::KeptSetup()) capture.setSetup(*kept);
    std::optional<zq::ChannelSetup> startSetup;
    if (commandLine.parser.isSet(commandLine.setup)) {
        const auto parsed =
            zq::LoadSetupFile(commandLine.parser.value(commandLine.setup).toStdString());
        if (parsed.ok())
            startSetup = parsed.value;
        else
            std::fprintf(stderr, "zq350: %s\n", parsed.error.c_str());
    }
    zq::QtDialogs dialogs;
    zq::QtEndTimer timer1(1000);
    zq::DeviceSession device(capture, dialogs, timer1, [] {
        return std::make_unique<zq::TtySerialPort>(zq::kZq350PortPath);
    });
    // The protocol decoders: their library is loaded on the session's thread when first needed.
    zq::DecodeSession decoding(zq::LoadLibraryEngine);
    zq::AppWindows windows(capture, device, dialogs, &decoding);
    windows.showTimingView();
    if (auto* view = qobject_cast<zq::TimingView*>(windows.current()); view && startSetup)
        view->UseSetup(*startSetup);
    // Opened as "Load  from Disk" opens a chosen file, once the window is shown, so that a
    // damage report has its window behind it.
    if (!startFile.isEmpty())
        windows.openCapture(QFileInfo(startFile).absoluteFilePath().toStdString());

    return app.exec();
}
