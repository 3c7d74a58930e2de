#include "app/CommandLine.h"

#include <QDir>

#include "session/PortChoice.h"

namespace zq {

CommandLine::CommandLine() {
    parser_.setApplicationDescription(QCoreApplication::translate(
        "zq350",
        "Reads captures out of the ZQ350 logic analyser and shows capture files as a timing\n"
        "diagram and as a hex listing."));
    // Qt's options are single-dash words (-platform, -style).
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser_.addOption(help_);
    parser_.addOption(version_);
    parser_.addOption(setup_);
    parser_.addOption(portOption_);
    parser_.addPositionalArgument(
        "FILE",
        QCoreApplication::translate("zq350",
                                    "A capture file to open at start, as \"Load  from Disk\" opens it."),
        "[FILE]");
    // The options every Qt program takes, which QApplication takes out of the arguments
    // itself. They are known here so that the whole command line is checked before
    // QApplication exists: without a display it cannot be made, and a wrong option must
    // still be named rather than end in Qt's abort.
    for (const char* name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
          "qwindowicon", "qwindowtitle", "session", "display", "geometry", "title", "icon", "name",
          "visual", "style", "stylesheet", "qmljsdebugger"})
        hidden(name, "value");
    for (const char* name : {"reverse", "widgetcount", "sync", "nograb", "dograb"})
        hidden(name, nullptr);
}

void CommandLine::hidden(const char* name, const char* valueName) {
    QCommandLineOption option(name, QString(), valueName ? valueName : QString());
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser_.addOption(option);
}

bool CommandLine::parse(const QStringList& args) {
    if (!parser_.parse(args)) {
        error_ = parser_.errorText();
        return false;
    }
    if (parser_.positionalArguments().size() > 1) {
        error_ = QCoreApplication::translate("zq350", "Only one FILE can be opened.");
        return false;
    }
    if (parser_.isSet(portOption_)) {
        port_ = PortPathFromText(parser_.value(portOption_).toStdString(),
                                 QDir::currentPath().toStdString());
        if (!port_) {
            error_ = QCoreApplication::translate("zq350", "--port needs the path of a serial port.");
            return false;
        }
    }
    return true;
}

QString CommandLine::helpText() const {
    QString text = parser_.helpText();
    text.replace("<executable_name>", "zq350");
    return text;
}

QString CommandLine::startFile() const {
    const QStringList positional = parser_.positionalArguments();
    return positional.isEmpty() ? QString() : positional[0];
}

std::optional<std::string> CommandLine::setupFile() const {
    if (!parser_.isSet(setup_)) return std::nullopt;
    return parser_.value(setup_).toStdString();
}

}  // namespace zq
