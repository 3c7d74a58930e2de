#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "capture/DecodedCapture.h"
#include "support/CaptureText.h"

namespace zq {
namespace {

using test::CaptureText;
using test::Hex4;
using test::LineOffset;

// What a damaged text must decode to: how many samples are held, a few samples checked one by
// one, and whether a report and a line start are there.
struct Probe {
    int32_t sample;
    bool held;
    bool unreliable;
};
struct Case {
    const char* name;
    std::function<std::string()> text;
    int32_t heldCount;
    std::vector<Probe> probes;
    bool report;
    bool foundStart = true;
};

TEST(DecodedCapture, DamagedTexts) {
    const auto words = test::CounterWords();
    const Case cases[] = {
        {"complete",
         [] { return CaptureText(); },
         2048,
         {{0, true, false}, {2047, true, false}},
         false},
        // One digit missing from line 0410: its last word is left without a fourth digit.
        {"short line",
         [] {
             auto t = CaptureText();
             t.erase(LineOffset(t, 0x410) + 8, 1);
             return t;
         },
         2047,
         {{1039, true, false}, {1040, true, true}, {1055, false, true}, {1056, true, false}},
         true},
        // Cut inside line 0700's third word: two words of the line are held, the rest is not.
        {"cut off",
         [] {
             auto t = CaptureText(test::CounterWords(), 0, 112);
             return t.substr(0, LineOffset(t, 0x700) + 7 + 5 * 2 + 2);
         },
         1794,
         {{1793, true, false}, {1794, false, true}, {2047, false, true}},
         true},
        // An address no sample has: the line's words land nowhere.
        {"bad address",
         [] {
             auto t = CaptureText();
             t.replace(LineOffset(t, 0x200) + 2, 4, "8200");
             return t;
         },
         2032,
         {{511, true, false}, {512, false, true}, {527, false, true}, {528, true, false}},
         true},
        {"no line start",
         [] { return std::string("junk 0000 1234\r\n"); },
         0,
         {{0, false, true}},
         true,
         false},
    };
    for (const Case& c : cases) {
        const std::string text = c.text();
        const DecodedCapture d = DecodeCapture(text);
        SCOPED_TRACE(c.name);
        EXPECT_EQ(d.heldCount(), c.heldCount);
        EXPECT_EQ(d.foundStart, c.foundStart);
        EXPECT_EQ(!d.report.empty(), c.report);
        for (const Probe& p : c.probes) {
            const size_t i = static_cast<size_t>(p.sample);
            EXPECT_EQ(d.held[i], p.held) << p.sample;
            EXPECT_EQ(d.unreliable[i], p.unreliable) << p.sample;
            // A damaged line's words are shifted by its missing digit: not compared.
            if (!p.held || !p.unreliable) {
                EXPECT_EQ(d.words[i], p.held ? words[i] : 0) << p.sample;
            }
        }
    }
}

}  // namespace
}  // namespace zq
