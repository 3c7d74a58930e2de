#pragma once
// The shipped Dialogs: Qt's message boxes, file dialog and beep.

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "session/Dialogs.h"

class QFileDialog;
class QWidget;

namespace zq {

class QtDialogs : public Dialogs {
  public:
    int MessageBox(const std::string& text, Buttons buttons, Icon icon,
                   const std::string& title) override;
    bool ShowOpen(OpenLogSettings& settings) override;
    bool ShowSave(OpenLogSettings& settings) override;
    void Beep() override;
    std::optional<std::string> AskText(const std::string& title, const std::string& prompt,
                                       const std::string& text) override;
    std::optional<ChannelSetup> EditChannels(const ChannelSetup& setup) override;
    std::optional<Bus> AskBus(const ChannelSetup& setup, const std::vector<int>& chosen) override;
    std::optional<ChannelSetup> EditDecoder(const std::vector<decode::DecoderInfo>& decoders,
                                            const ChannelSetup& setup,
                                            std::optional<DecoderPlace> place) override;

    // The name filters the dialog gets for a "Text|pattern|Text|pattern" filter. Each entry
    // keeps its text; its patterns are made to match what a user expects on Linux: "*.*"
    // every file (also those without a dot), and letters in either case ("*.txt" finds
    // "A.TXT"). Shown with QFileDialog::HideNameFilterDetails, only the entry texts appear.
    static QStringList NameFilters(const std::string& filter);
    // Sets up a dialog from the settings (title, filters, selected entry, name, default
    // extension); ShowOpen then runs it.
    static void Configure(QFileDialog& dialog, const OpenLogSettings& settings);
    // The path the dialog's choice names, with the default extension where it belongs.
    static std::string ChosenPath(const QString& chosen, const OpenLogSettings& settings);
    // A message's text as a box shows it: CR LF as line ends, other control characters as
    // their visible symbols (a binary file's bytes must not garble or stretch the box).
    static QString ShownText(const std::string& text);
    // Texts longer than this many lines are shown scrollable, in a box that fits the screen.
    static constexpr int kLongTextLines = 24;

  private:
    static bool Run(QFileDialog& dialog, OpenLogSettings& settings);
};

}  // namespace zq
