#include <gtest/gtest.h>

#include <vector>

#include "session/ReadProgress.h"

namespace zq {
namespace {

struct ProgressCase {
    const char* name;
    std::vector<std::string> chunks;
    std::string lastLine;
};

class ReadProgressTest : public ::testing::TestWithParam<ProgressCase> {};

TEST_P(ReadProgressTest, FindsTheLastLineAddressAcrossChunks) {
    ReadProgress p;
    uint64_t bytes = 0;
    for (const auto& c : GetParam().chunks) {
        p.add(c);
        bytes += c.size();
    }
    EXPECT_EQ(p.lastLine(), GetParam().lastLine);
    EXPECT_EQ(p.bytes(), bytes);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadProgressTest,
    ::testing::Values(
        ProgressCase{"Nothing", {}, ""},
        ProgressCase{"NoLineYet", {"garbage before the first line"}, ""},
        ProgressCase{"OneLine", {"S 0000 1234 5678"}, "0000"},
        ProgressCase{"LaterLineWins", {"S 0000 FFFF\r\nS0010 0000\r\nS  03A0 12"}, "03A0"},
        ProgressCase{"SplitEverywhere", {"S", " ", "0", "3", "A", "0"}, "03A0"},
        ProgressCase{"SplitAfterMarker", {"S 0000 1\r\nS", "0010"}, "0010"},
        ProgressCase{"NulBlanks",
                     {"S\0\0"s
                      "07F0"},
                     "07F0"},
        ProgressCase{"IncompleteAddressKeepsEarlier", {"S 0000 1\r\nS 00"}, "0000"},
        ProgressCase{"LowerCaseIsNoAddress", {"S 0000\r\nS 03a0"}, "0000"},
        ProgressCase{"BlankInsideAddressBreaksIt", {"S 0000\r\nS 03 A0"}, "0000"},
        ProgressCase{"MarkerInsideAddressRestarts", {"S 03S0040"}, "0040"},
        ProgressCase{"DataDigitsAreNotAddresses", {"S 0010 ABCD ", "EF01 2345"}, "0010"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadProgress, TextNamesBytesAndLineAndResetForgetsBoth) {
    ReadProgress p;
    p.add("xyz");
    EXPECT_EQ(p.text(), "Receiving from ZQ350: 3 bytes");
    p.add(" S 03A0");
    EXPECT_EQ(p.text(), "Receiving from ZQ350: 10 bytes, line 03A0");
    p.reset();
    EXPECT_EQ(p.text(), "Receiving from ZQ350: 0 bytes");
    p.add("0010");  // a header cut off before the reset does not continue
    EXPECT_EQ(p.lastLine(), "");
}

}  // namespace
}  // namespace zq

namespace zq {
namespace {

// The progress bar's count: lines begun of 128, by the last line address.
TEST(ReadProgressLines, CountsLinesByTheLastAddress) {
    const struct {
        const char* received;
        int lines;
    } cases[] = {{"", 0},
                 {"S 0000 12", 1},
                 {"S 0000\r\nS 03A0", 59},
                 {"S 07F0", 128},
                 {"S 7FF0", 128}};  // a damaged address never counts beyond the capture
    for (const auto& c : cases) {
        ReadProgress p;
        p.add(c.received);
        EXPECT_EQ(p.linesReceived(), c.lines) << c.received;
    }
}

}  // namespace
}  // namespace zq
