// zq350: the desktop companion of the ZQ350 logic analyser. Starting the program loads the
// main window. The command line (CommandLine.h) is read before anything else. Windows, --help
// and refusals speak the user's language where the program has a translation.

#include <QApplication>
#include <QIcon>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/AppWindows.h"
#include "app/CommandLine.h"
#include "app/LibraryEngine.h"
#include "app/QtDialogs.h"
#include "app/StartUp.h"
#include "app/SystemPorts.h"
#include "app/Translations.h"
#include "capture/Allocator.h"
#include "session/CaptureSession.h"
#include "session/DeviceSession.h"
#include "session/QtEndTimer.h"
#include "session/TtySerialPort.h"
#include "zq/Version.h"

namespace {

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
    std::fprintf(stderr, "zq350: %s: %s\n",
                 qUtf8Printable(QCoreApplication::translate("zq350", "standard output")),
                 std::strerror(errno ? errno : EIO));
    return 2;
}

// --help and a refused command line, in the user's language (Qt's "Usage:" and "Unknown
// option" too). Neither needs a display: a core application holds the translations.
int AnswerTranslated(const QStringList& args) {
    // Named zq350, however it was started, for the usage line.
    int coreArgc = 1;
    char name[] = "zq350";
    char* coreArgv[] = {name, nullptr};
    QCoreApplication core(coreArgc, coreArgv);
    zq::InstallTranslations();
    zq::CommandLine commandLine;  // made now, so that its texts are translated
    if (!commandLine.parse(args)) {
        std::fprintf(stderr, "zq350: %s\n%s\n", qUtf8Printable(commandLine.error()),
                     qUtf8Printable(QCoreApplication::translate("zq350", "Try 'zq350 --help'.")));
        return 2;
    }
    return Answer(commandLine.helpText());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication::setApplicationName("zq350");
    QApplication::setApplicationVersion(zq::kVersion);

    // The whole command line is read before QApplication exists, so that --help, --version
    // and a wrong option answer without a display (over ssh, in a package check).
    zq::CommandLine commandLine;
    const QStringList args = Arguments(argc, argv);
    if (!commandLine.parse(args) || commandLine.helpAsked()) return AnswerTranslated(args);
    if (commandLine.versionAsked()) return Answer(QStringLiteral("zq350 %1\n").arg(zq::kVersion));

    zq::KeepFreedMemoryForRedraws();
    QApplication app(argc, argv);
    zq::KeepNumbersInCFormat();
    zq::InstallTranslations();
    QGuiApplication::setDesktopFileName("zq350");
    QApplication::setWindowIcon(QIcon::fromTheme("zq350", QIcon(":/zq350.svg")));
    QApplication::setOrganizationName("zq350");  // settings in ~/.config/zq350/zq350.conf

    // The program's state outlives every window: the current capture, and the device read with
    // its port and end-of-data timer (Timer1).
    zq::CaptureSession capture;
    zq::QtDialogs dialogs;
    zq::QtEndTimer timer1(1000);
    zq::DeviceSession device(capture, dialogs, timer1, [](const std::string& path) {
        return std::make_unique<zq::TtySerialPort>(path);
    });
    device.setPortLister(zq::SystemSerialPorts);
    // The protocol decoders: their library is loaded on the session's thread when first needed.
    zq::DecodeSession decoding(zq::LoadLibraryEngine);
    zq::AppWindows windows(capture, device, dialogs, &decoding);
    zq::StartProgram(commandLine, capture, device, windows);

    return app.exec();
}
