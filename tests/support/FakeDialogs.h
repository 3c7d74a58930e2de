#pragma once
// Scripted stand-ins for the window tests: they answer at once and record what was asked.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <memory>

#include "app/Dialogs.h"
#include "app/ProgramState.h"
#include "app/WindowHost.h"
#include "device/SerialPort.h"

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
    void Beep() override { ++beeps; }
};

class FakeHost : public WindowHost {
  public:
    int hexListShown = 0;
    int timingViewShown = 0;
    void showHexList() override { ++hexListShown; }
    void showTimingView() override { ++timingViewShown; }
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
    std::string readAll() override { return {}; }
    void setRts(bool) override {}
    void setNullDiscard(bool) override {}
};

// Puts a fake port in place of the device's, as a read that opened one leaves it.
inline FakePort* InstallFakePort(ProgramState& state) {
    auto port = std::make_unique<FakePort>();
    FakePort* p = port.get();
    state.port = std::move(port);
    return p;
}

}  // namespace zq::test
