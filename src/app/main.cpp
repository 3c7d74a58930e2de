// zq350: the desktop companion of the ZQ350 logic analyser. Starting the program loads the
// main window. The command line: --help, --version and one optional capture FILE, opened at
// start as "Load  from Disk" opens it (man page: packaging/man/zq350.1).

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QStringList>
#include <cstdio>

#include "app/AppWindows.h"
#include "app/QtDialogs.h"
#include "capture/Allocator.h"
#include "session/CaptureSession.h"
#include "session/DeviceSession.h"
#include "session/QtEndTimer.h"
#include "session/TtySerialPort.h"
#include "zq/Version.h"

namespace {

struct CommandLine {
    QCommandLineParser parser;
    QCommandLineOption help{{"h", "help"}, "Show this help and exit."};
    QCommandLineOption version{{"v", "version"}, "Show the version and exit."};

    CommandLine() {
        parser.setApplicationDescription(
            "Reads captures out of the ZQ350 logic analyser and shows capture files as a timing\n"
            "diagram and as a hex listing.");
        parser.addOption(help);
        parser.addOption(version);
        parser.addPositionalArgument(
            "FILE", "A capture file to open at start, as \"Load  from Disk\" opens it.", "[FILE]");
    }
};

QStringList Arguments(int argc, char** argv) {
    QStringList args;
    for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    return args;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication::setApplicationName("zq350");
    QApplication::setApplicationVersion(zq::kVersion);

    // --help and --version answer before QApplication exists, so they work without a display
    // (over ssh, in a package check). Qt's own options (-platform, -style, ...) are only known
    // once QApplication has taken them out, so this first look ignores every error.
    {
        CommandLine early;
        early.parser.parse(Arguments(argc, argv));
        if (early.parser.isSet(early.help)) {
            // Without an application object Qt cannot name the program in the usage line.
            QString text = early.parser.helpText();
            text.replace("<executable_name>", "zq350");
            std::fputs(qUtf8Printable(text), stdout);
            return 0;
        }
        if (early.parser.isSet(early.version)) {
            std::printf("zq350 %s\n", zq::kVersion);
            return 0;
        }
    }

    zq::KeepFreedMemoryForRedraws();
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName("zq350");
    QApplication::setWindowIcon(QIcon::fromTheme("zq350", QIcon(":/zq350.svg")));

    CommandLine commandLine;
    if (!commandLine.parser.parse(QApplication::arguments()) ||
        commandLine.parser.positionalArguments().size() > 1) {
        const QString error = commandLine.parser.errorText().isEmpty()
                                  ? QStringLiteral("Only one FILE can be opened.")
                                  : commandLine.parser.errorText();
        std::fprintf(stderr, "zq350: %s\nTry 'zq350 --help'.\n", qUtf8Printable(error));
        return 2;
    }
    const QStringList positional = commandLine.parser.positionalArguments();
    const QString startFile = positional.isEmpty() ? QString() : positional[0];
    QApplication::setOrganizationName("zq350");  // settings in ~/.config/zq350/zq350.conf

    // The program's state outlives every window: the current capture, and the device read with
    // its port and end-of-data timer (Timer1).
    zq::CaptureSession capture;
    zq::QtDialogs dialogs;
    zq::QtEndTimer timer1(1000);
    zq::DeviceSession device(capture, dialogs, timer1, [] {
        return std::make_unique<zq::TtySerialPort>(zq::kZq350PortPath);
    });
    zq::AppWindows windows(capture, device, dialogs);
    windows.showTimingView();
    // Opened as "Load  from Disk" opens a chosen file, once the window is shown, so that a
    // damage report has its window behind it.
    if (!startFile.isEmpty())
        windows.openCapture(QFileInfo(startFile).absoluteFilePath().toStdString());

    return app.exec();
}
