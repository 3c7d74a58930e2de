#pragma once
// Stand-ins for the seams the timing-view benchmarks and the README screenshot do not use.

#include <iostream>
#include <string>

#include "app/Dialogs.h"
#include "app/WindowHost.h"

namespace zq::bench {

// Answers the open dialog with a fixed file; reports go to standard error.
class ScriptedDialogs : public Dialogs {
  public:
    std::string file;
    int MessageBox(const std::string& text, Buttons, Icon, const std::string&) override {
        std::cerr << text << "\n";
        return AnswerOk;
    }
    bool ShowOpen(OpenLogSettings& settings) override {
        if (file.empty()) return false;
        settings.FileName = file;
        return true;
    }
    void Beep() override {}
};

class NoHost : public WindowHost {
  public:
    void showHexList() override {}
    void showTimingView() override {}
};

}  // namespace zq::bench
