#pragma once
// Fakes of the listing window's seams and capture files made in the test.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/Dialogs.h"
#include "app/WindowHost.h"

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

    int MessageBox(const std::string& text, Buttons buttons, Icon icon,
                   const std::string& title) override {
        boxes.push_back({text, buttons, icon, title});
        return AnswerOk;
    }
    bool ShowOpen(OpenLogSettings&) override {
        ADD_FAILURE() << "the listing window never asks for a file";
        return false;
    }
    void Beep() override { ADD_FAILURE() << "the listing window never beeps"; }
};

class FakeHost : public WindowHost {
  public:
    int hexListShown = 0;
    int timingViewShown = 0;
    void showHexList() override { ++hexListShown; }
    void showTimingView() override { ++timingViewShown; }
};

// A word per sample that tells the samples apart.
inline uint16_t Word(int n) { return static_cast<uint16_t>(n * 0x0101 ^ 0x5A00); }

inline std::string Hex4(unsigned v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04X", v & 0xFFFFu);
    return buf;
}

// A complete capture as the device sends it: 128 lines "S aaaa" and 16 words, CR LF after each.
inline std::string CaptureText() {
    std::string s;
    for (unsigned a = 0; a < 2048; a += 16) {
        s += "S " + Hex4(a);
        for (unsigned n = a; n < a + 16; ++n) s += " " + Hex4(Word(static_cast<int>(n)));
        s += "\r\n";
    }
    return s;
}

inline std::string Bits(unsigned w) {
    std::string s;
    for (int d = 3; d >= 0; --d) {
        for (int b = 3; b >= 0; --b) s += ((w >> (4 * d + b)) & 1) ? '1' : '0';
        s += ' ';
    }
    return s;
}

}  // namespace zq::test
