// The whole-file check finds what a pass lets through, and no report grows without bound.
#include <gtest/gtest.h>

#include "capture/DecodedCapture.h"
#include "capture/LayoutCheck.h"
#include "support/CaptureText.h"

namespace zq {
namespace {

std::vector<std::string> Check(const std::string& text) {
    ByteCursor in(text);
    return CheckLayout(in);
}

TEST(LayoutCheck, FindsEveryDepartureFromTheLayoutAndPassesACapture) {
    const std::string good = test::CaptureText();
    EXPECT_TRUE(Check(good).empty());
    std::string oneLine = "S 0000";
    for (int i = 0; i < 2048; ++i) oneLine += " " + test::Hex4(static_cast<unsigned>(i));
    std::string longLast = good;
    longLast.insert(longLast.size() - 2, " 1234 5678");
    const struct {
        std::string text;
        std::string first;
    } cases[] = {
        {"", "no capture: the file is empty"},
        {std::string(100000, '\0'), "no capture: the file holds no line start \"S\""},
        {oneLine, "line 1 (0000): 8192 digits, 64 expected"},
        {longLast, "line 128 (07F0): 72 digits, 64 expected"},
        {good + test::CaptureLine(0x7F0, test::CounterWords()),
         "1 more line after the last line (07F0)"},
        {"S0000" + good.substr(6), "line 1 (0000): 0 blanks after \"S\", 1 expected"},
    };
    for (const auto& c : cases) {
        const auto found = Check(c.text);
        ASSERT_FALSE(found.empty()) << c.first;
        EXPECT_EQ(found.front(), c.first);
    }
}

TEST(ScanReport, KeepsTwentyParagraphsThenCountsTheRestAndEndsWithThePrematureEnd) {
    // 101 lines in sequence of two digits each: 100 damaged lines, then the last one, which
    // the layout findings tell of.
    std::string text;
    for (unsigned i = 0; i <= 100; ++i) text += "S " + test::Hex4(i * 16) + " 12\r\n";
    const std::string report = DecodeCapture(text).report;
    size_t paragraphs = 0;
    for (size_t at = 0; (at = report.find("Text  line  Corrupted", at)) != std::string::npos; ++at)
        ++paragraphs;
    EXPECT_EQ(paragraphs, 20u);
    EXPECT_NE(report.find("... and 80 more damaged lines or addresses in this file, not listed"),
              std::string::npos);
    EXPECT_EQ(report.rfind("Premature End of data"), report.find("Premature End of data"));
    EXPECT_GT(report.find("Premature End of data"), report.find("... and 80 more"));
}

}  // namespace
}  // namespace zq
