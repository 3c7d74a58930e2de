#pragma once
// Scripted stand-ins for the window tests: they answer at once and record what was asked.

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "session/CaptureSession.h"
#include "session/DeviceSession.h"
#include "session/Dialogs.h"
#include "session/EndTimer.h"
#include "session/SerialPort.h"
#include "session/WindowHost.h"

namespace zq::test {

class FakeDialogs : public Dialogs {
  public:
    struct Box {
        std::string text;
        Buttons buttons;
        Icon icon;
        std::string title;
    };
    std::vector<Box> boxes;
    std::deque<int> answers;  // for message boxes; AnswerOk when empty
    std::vector<OpenLogSettings> opens;
    std::deque<std::optional<std::string>> files;  // nullopt: the user cancels
    int beeps = 0;
    std::function<void()> whileBoxShown;  // runs while a message box is "open"

    int MessageBox(const std::string& text, Buttons buttons, Icon icon,
                   const std::string& title) override {
        boxes.push_back({text, buttons, icon, title});
        if (whileBoxShown) whileBoxShown();
        if (answers.empty()) return AnswerOk;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    bool ShowOpen(OpenLogSettings& settings) override {
        opens.push_back(settings);
        if (files.empty() || !files.front()) {
            if (!files.empty()) files.pop_front();
            return false;
        }
        settings.FileName = *files.front();
        files.pop_front();
        return true;
    }
    bool ShowSave(OpenLogSettings& settings) override {
        ++saves;
        return ShowOpen(settings);
    }
    int saves = 0;  // of the showings in opens, those in the save form
    void Beep() override { ++beeps; }

    // Text, Channels and Make Bus dialogs: what each was asked with, and the scripted answers
    // (nullopt, or none left: the user cancels).
    struct TextAsked {
        std::string title, prompt, text;
    };
    std::vector<TextAsked> textsAsked;
    std::deque<std::optional<std::string>> texts;
    std::optional<std::string> AskText(const std::string& title, const std::string& prompt,
                                       const std::string& text) override {
        textsAsked.push_back({title, prompt, text});
        return Next(texts);
    }
    std::vector<ChannelSetup> channelsAsked;
    std::deque<std::optional<ChannelSetup>> channelSetups;
    std::optional<ChannelSetup> EditChannels(const ChannelSetup& setup) override {
        channelsAsked.push_back(setup);
        return Next(channelSetups);
    }
    std::vector<std::vector<int>> busesAsked;  // the channels each showing started with
    std::deque<std::optional<Bus>> buses;
    std::optional<Bus> AskBus(const ChannelSetup&, const std::vector<int>& chosen) override {
        busesAsked.push_back(chosen);
        return Next(buses);
    }

    // The decoder dialog: the place each showing was for, and the setups it gives.
    std::vector<std::optional<DecoderPlace>> decodersAsked;
    std::deque<std::optional<ChannelSetup>> decoderSetups;
    std::optional<ChannelSetup> EditDecoder(const std::vector<decode::DecoderInfo>&,
                                            const ChannelSetup&,
                                            std::optional<DecoderPlace> place) override {
        decodersAsked.push_back(place);
        return Next(decoderSetups);
    }

  private:
    template <class T>
    static std::optional<T> Next(std::deque<std::optional<T>>& script) {
        if (script.empty()) return std::nullopt;
        std::optional<T> answer = std::move(script.front());
        script.pop_front();
        return answer;
    }
};

class FakeHost : public WindowHost {
  public:
    int hexListShown = 0;
    int timingViewShown = 0;
    void showHexList() override { ++hexListShown; }
    void showTimingView() override { ++timingViewShown; }
    std::vector<std::string> opened;
    void openCapture(const std::string& path) override { opened.push_back(path); }
};

class FakePort : public SerialPort {
  public:
    bool opened = false;
    int closes = 0;
    bool open(std::string&) override { return opened = true; }
    void close() override {
        opened = false;
        ++closes;
    }
    bool isOpen() const override { return opened; }
    std::string name() const override { return "/dev/ttyFAKE"; }
    PortAccess probe() const override { return {}; }
    std::string pending;  // what the next readAll returns
    std::string readAll() override { return std::exchange(pending, {}); }
    void setRts(bool) override {}
    void setNullDiscard(bool) override {}
};

class FakeEndTimer : public EndTimer {
  public:
    void start() override { active = true; }
    void stop() override { active = false; }
    bool isActive() const override { return active; }
    bool active = false;
};

// The program's state as main() makes it: the current capture, and a device session whose port
// is a FakePort (made when a read first needs it) and whose timer never fires by itself.
struct TestProgram {
    CaptureSession capture;
    FakeDialogs dialogs;
    FakeEndTimer timer;
    FakePort* port = nullptr;
    DeviceSession device{capture, dialogs, timer, [this](const std::string&) {
                             auto p = std::make_unique<FakePort>();
                             port = p.get();
                             return std::unique_ptr<SerialPort>(std::move(p));
                         }};

    // A read into path as the user starts it: the file is created and the port opened.
    void startRead(const std::string& path) {
        files().push_back(path);
        OpenLogSettings settings;
        device.ReadZQ350_Click(settings);
    }
    std::deque<std::optional<std::string>>& files() { return dialogs.files; }
};

}  // namespace zq::test
