// zq350: the desktop companion of the ZQ350 logic analyser. Starting the program loads the
// main window. The command line: --help, --version and one optional capture FILE, opened at
// start as "Load  from Disk" opens it (man page: packaging/man/zq350.1). Windows, --help and
// refusals speak the user's language where the program has a translation.

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
#include "app/QtDialogs.h"
#include "app/Translations.h"
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
    QCommandLineOption help{{"h", "help"},
                            QCoreApplication::translate("zq350", "Show this help and exit.")};
    QCommandLineOption version{{"v", "version"},
                               QCoreApplication::translate("zq350", "Show the version and exit.")};
    QCommandLineOption setup{
        "setup",
        QCoreApplication::translate(
            "zq350", "Start with the channel setup in FILE, which is then the one kept."),
        "FILE"};

    CommandLine() {
        parser.setApplicationDescription(QCoreApplication::translate(
            "zq350",
            "Reads captures out of the ZQ350 logic analyser and shows capture files as a timing\n"
            "diagram and as a hex listing."));
        // Qt's options are single-dash words (-platform, -style).
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOption(help);
        parser.addOption(version);
        parser.addOption(setup);
        parser.addPositionalArgument(
            "FILE",
            QCoreApplication::translate(
                "zq350", "A capture file to open at start, as \"Load  from Disk\" opens it."),
            "[FILE]");
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

    // Whether args are a command line the program takes: known options, at most one FILE.
    bool parse(const QStringList& args) {
        return parser.parse(args) && parser.positionalArguments().size() <= 1;
    }
    QString errorText() const {
        return parser.errorText().isEmpty()
                   ? QCoreApplication::translate("zq350", "Only one FILE can be opened.")
                   : parser.errorText();
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
    CommandLine commandLine;  // made now, so that its texts are translated
    if (!commandLine.parse(args)) {
        std::fprintf(stderr, "zq350: %s\n%s\n", qUtf8Printable(commandLine.errorText()),
                     qUtf8Printable(QCoreApplication::translate("zq350", "Try 'zq350 --help'.")));
        return 2;
    }
    return Answer(commandLine.parser.helpText());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication::setApplicationName("zq350");
    QApplication::setApplicationVersion(zq::kVersion);

    // The whole command line is read before QApplication exists, so that --help, --version
    // and a wrong option answer without a display (over ssh, in a package check).
    CommandLine commandLine;
    const QStringList args = Arguments(argc, argv);
    if (!commandLine.parse(args) || commandLine.parser.isSet(commandLine.help))
        return AnswerTranslated(args);
    if (commandLine.parser.isSet(commandLine.version))
        return Answer(QStringLiteral("zq350 %1\n").arg(zq::kVersion));
    const QStringList positional = commandLine.parser.positionalArguments();
    const QString startFile = positional.isEmpty() ? QString() : positional[0];

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
    zq::AppWindows windows(capture, device, dialogs);
    windows.showTimingView();
    if (auto* view = qobject_cast<zq::TimingView*>(windows.current()); view && startSetup)
        view->UseSetup(*startSetup);
    // Opened as "Load  from Disk" opens a chosen file, once the window is shown, so that a
    // damage report has its window behind it.
    if (!startFile.isEmpty())
        windows.openCapture(QFileInfo(startFile).absoluteFilePath().toStdString());

    return app.exec();
}
