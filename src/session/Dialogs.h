#pragma once
// The seam to the platform's message boxes, file dialog and beep. The program's handlers talk
// only to this interface; the shipped program uses QtDialogs, the tests a scripted fake that
// answers at once and records what was asked.

#include <optional>
#include <string>
#include <vector>

#include "view/DecoderEdits.h"
#include "view/Setup.h"
#include "view/Translate.h"

namespace zq {

// The program's own title, on every message box that has no title of its own. A name: it is
// the same in every language.
inline constexpr const char* kProgramTitle = "ZQ350 Companion";

// Message-box answers as the handlers compare them.
enum Answer : int { AnswerOk = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7 };
enum class Buttons { Ok, OkCancel, YesNoCancel, YesNo };
enum class Icon { None, Exclamation, Question };

// The settings of the common file dialog (OpenLog). The object lives as long as the main
// window, so settings one handler makes (FilterIndex) stay for the next.
struct OpenLogSettings {
    std::string DialogTitle;
    std::string Filter;   // "Text|pattern|Text|pattern"
    int FilterIndex = 0;  // 1-based; 0 = the first entry
    std::string FileName;
    // The folder the dialog starts in when FileName names none; empty: the dialog's own choice.
    std::string InitDir;
    std::string DefaultExt = "LOG";
};

// The program's own question before a file it is about to write is replaced.
inline std::string ReplaceFileQuestion(const std::string& path) {
    return Arg(translate("zq::Dialogs", "Replace existing file - %1?"), {path});
}

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // A modal message box; returns the answer (AnswerOk, AnswerCancel, AnswerYes, AnswerNo).
    virtual int MessageBox(const std::string& text, Buttons buttons, Icon icon,
                           const std::string& title) = 0;
    // Shows the file dialog in its open form. Returns false when the user cancelled; otherwise
    // settings.FileName holds the full path chosen.
    virtual bool ShowOpen(OpenLogSettings& settings) = 0;
    // The same dialog in its save form: its button saves, and an existing file is chosen
    // without a question of its own (the caller asks, in its own words).
    virtual bool ShowSave(OpenLogSettings& settings) = 0;
    virtual void Beep() = 0;

    // A line of text asked for under a title, with a prompt and the text to start from (a
    // channel's name, the sample rate). Nothing when the user cancelled.
    virtual std::optional<std::string> AskText(const std::string& title, const std::string& prompt,
                                               const std::string& text) = 0;
    // The Channels dialog on a setup: the setup as the user left it on OK, nothing on Cancel.
    virtual std::optional<ChannelSetup> EditChannels(const ChannelSetup& setup) = 0;
    // The Make Bus dialog: a name and channels (most significant first) chosen among the
    // setup's rows, starting with chosen selected. Nothing when the user cancelled.
    virtual std::optional<Bus> AskBus(const ChannelSetup& setup,
                                      const std::vector<int>& chosen) = 0;
    // The Add Decoder dialog over the library's decoders: the setup with a decoder added
    // (place empty) or the one at place changed, on OK; nothing on Cancel.
    virtual std::optional<ChannelSetup> EditDecoder(
        const std::vector<decode::DecoderInfo>& decoders, const ChannelSetup& setup,
        std::optional<DecoderPlace> place) = 0;
};

}  // namespace zq
