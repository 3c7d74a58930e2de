#pragma once
// zq350's command line: --help, --version, --setup FILE, --port PATH and one optional capture
// FILE (man page: packaging/man/zq350.1). It is read whole before QApplication exists, so that
// answers and refusals need no display (over ssh, in a package check).

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace zq {

class CommandLine {
  public:
    CommandLine();
    // Reads the arguments, the program's name first. False when the line is refused; error()
    // says why.
    bool parse(const QStringList& args);
    QString error() const { return error_; }

    bool helpAsked() const { return parser_.isSet(help_); }
    bool versionAsked() const { return parser_.isSet(version_); }
    // The usage, named zq350 (without an application object Qt cannot name the program).
    QString helpText() const;

    // The capture to open at start; empty when none.
    QString startFile() const;
    std::optional<std::string> setupFile() const;
    // --port's path, whole (a bare name under /dev, a relative path from the current folder).
    std::optional<std::string> portPath() const { return port_; }

  private:
    void hidden(const char* name, const char* valueName);

    QCommandLineParser parser_;
    // Texts in the language of the translations installed when the object is made.
    QCommandLineOption help_{{"h", "help"},
                             QCoreApplication::translate("zq350", "Show this help and exit.")};
    QCommandLineOption version_{{"v", "version"},
                                QCoreApplication::translate("zq350", "Show the version and exit.")};
    QCommandLineOption setup_{
        "setup",
        QCoreApplication::translate(
            "zq350", "Start with the channel setup in FILE, which is then the one kept."),
        "FILE"};
    QCommandLineOption portOption_{
        "port",
        QCoreApplication::translate(
            "zq350",
            "Read from the serial port PATH (a bare name is one under /dev), which is then the "
            "one kept. Default: the port chosen last, else /dev/ttyUSB0."),
        "PATH"};
    QString error_;
    std::optional<std::string> port_;
};

}  // namespace zq
