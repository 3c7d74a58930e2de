#include <gtest/gtest.h>

#include "chart/Listing.h"
#include "support/CaptureText.h"

namespace zq {
namespace {

using test::CaptureText;
using test::CounterWords;
using test::Hex4;

// SavedView as the main window stores its start-up defaults.
SavedView Defaults() { return StoreView(ViewBoxes{}); }

ListingBuild Build(const SavedView& v, const std::string& bytes) {
    const DecodedCapture model = DecodeCapture(bytes);
    return BuildListing(v, "/tmp/cap.txt", &model);
}

int SampleOf(const ListingLine& l) { return std::stoi(l.text.substr(6, 4)); }

TEST(Listing, LineLayout) {
    auto words = CounterWords();
    words[1008] = 0x1A2B;
    words[1009] = 0xFFFF;
    const auto b = Build(Defaults(), CaptureText(words));
    ASSERT_GE(b.lines.size(), 2u);
    EXPECT_EQ(b.lines[0].text, "03F0 (1008) = 1A2B - 0001 1010 0010 1011 ");
    EXPECT_EQ(b.lines[1].text, "     (1009) = FFFF - 1111 1111 1111 1111 ");
    for (const auto& l : b.lines) EXPECT_EQ(l.text.size(), 41u);
    EXPECT_EQ(b.banner, "/tmp/cap.txt - Timing Diagram");
}

TEST(Listing, DefaultWindowAddressesAndColours) {
    const auto b = Build(Defaults(), CaptureText());
    ASSERT_TRUE(b.listed);
    ASSERT_EQ(b.lines.size(), 65u);
    for (size_t i = 0; i < b.lines.size(); ++i) {
        const int n = 1008 + static_cast<int>(i);
        const auto& l = b.lines[i];
        EXPECT_EQ(SampleOf(l), n);
        EXPECT_EQ(l.text.substr(0, 4), n % 16 == 0 ? Hex4(static_cast<unsigned>(n)) : "    ") << n;
        const uint32_t want =
            n == 1024 ? kListTrig : (n == 1008 || n == 1040 ? kListCursor : kListWhite);
        EXPECT_EQ(l.colour, want) << n;
    }
    EXPECT_EQ(b.cursorDiff, "Cursor Diff = 32");
    EXPECT_EQ(b.report, "");
    EXPECT_TRUE(b.foundStart);
}

TEST(Listing, MarkPrecedence) {
    // Zero-centric < trigger-centric < cursor < trigger, each on its own samples too.
    ViewBoxes boxes;
    boxes.StartPos = "992";
    boxes.DataLen = "64";
    boxes.MarkZerocentricCheck = Checked;
    boxes.ZeroCentricVal = "8";
    boxes.MarkTrigcentricCheck = Checked;
    boxes.TrigCentricVal = "16";
    boxes.MarkCursorA = "1000";
    boxes.MarkCursorB = "1024";
    const auto b = Build(StoreView(boxes), CaptureText());
    ASSERT_EQ(b.lines.size(), 65u);
    for (const auto& l : b.lines) {
        const int n = SampleOf(l);
        uint32_t want = kListWhite;
        if (n % 8 == 0) want = kListZeroCentric;
        if ((n - 1024) % 16 == 0) want = kListTrigCentric;
        if (n == 1000 || n == 1024) want = kListCursor;
        if (n == 1024) want = kListTrig;
        EXPECT_EQ(l.colour, want) << n;
    }
    EXPECT_EQ(b.lines[8].colour, kListCursor);       // 1000: cursor over zero-centric
    EXPECT_EQ(b.lines[0].colour, kListTrigCentric);  // 992: trigger-centric below 1024 too
}

TEST(Listing, ZeroIntervalSwitchesItsMarksOff) {
    ViewBoxes boxes;
    boxes.MarkZerocentricCheck = Checked;
    boxes.ZeroCentricVal = "0";
    boxes.MarkTrigcentricCheck = Checked;
    boxes.TrigCentricVal = "0";
    boxes.MarkCursorsCheck = Unchecked;
    boxes.MarkTrigCheck = Unchecked;
    for (const auto& l : Build(StoreView(boxes), CaptureText()).lines)
        EXPECT_EQ(l.colour, kListWhite);
}

TEST(Listing, StoredLengthsBeyondTheBoxes) {
    struct Case {
        int16_t start, length;
        size_t lines;
        const char* boxStart;
        const char* boxLength;
    } cases[] = {
        {1008, 5000, 2048, "0", "2048"},  // lists from 0 to the end of the file
        {1008, 0, 1, "1008", "2"},
        {1008, 1, 2, "1008", "2"},
        {1008, -5, 0, "1008", "2"},
    };
    for (const Case& c : cases) {
        SavedView v = Defaults();
        v.StartPos = c.start;
        v.DataLen = c.length;
        const auto b = Build(v, CaptureText());
        EXPECT_EQ(b.lines.size(), c.lines) << c.length;
        EXPECT_EQ(b.boxes.StartPos, c.boxStart) << c.length;
        EXPECT_EQ(b.boxes.DataLen, c.boxLength) << c.length;
        EXPECT_EQ(b.report, "") << c.length;
    }
}

TEST(Listing, NoCaptureOpenOrNoStart) {
    const auto none = BuildListing(SavedView{}, "", nullptr);
    EXPECT_FALSE(none.listed);
    EXPECT_TRUE(none.lines.empty());
    EXPECT_EQ(none.banner, " - Timing Diagram");
    EXPECT_EQ(none.boxes.StartPos, "0");
    EXPECT_EQ(none.boxes.DataLen, "2");
    EXPECT_EQ(none.boxes.ZeroCentricVal, "0");
    EXPECT_EQ(none.boxes.MarkTrigCheck, Unchecked);
    EXPECT_EQ(none.boxes.MarkCursorsCheck, Unchecked);

    const auto noS = Build(Defaults(), "no capture here\r\n");
    EXPECT_TRUE(noS.listed);
    EXPECT_TRUE(noS.lines.empty());
    EXPECT_FALSE(noS.foundStart);
}

TEST(Listing, DigitsOfAWordCutByALineStartCarryOver) {
    const auto words = CounterWords();
    auto text = CaptureText(words);
    text.erase(test::LineOffset(text, 0x3F0) + 7, 2);  // line 03F0 loses two digits
    const auto b = Build(Defaults(), text);
    // The line holds 62 digits, 15 whole words and two digits; those two lead the first word
    // of line 0400.
    ASSERT_EQ(b.lines.size(), 15u + 49u);
    EXPECT_EQ(SampleOf(b.lines[14]), 1022);
    const auto& first = b.lines[15];
    const std::string carried = Hex4(words[1023]).substr(2, 2);
    EXPECT_EQ(first.text.substr(0, 20), "0400 (1024) = " + carried + Hex4(words[1024]));
    EXPECT_EQ(first.text.size(), 41u + 2u + 10u);  // two more digits, two more bit groups
    EXPECT_NE(b.report.find("Character count of that line is 62"), std::string::npos);
    EXPECT_NE(b.report.find("  Highlighted section is unreliable"), std::string::npos);
}

TEST(Listing, AddressColumnCases) {
    // A start inside a file line: the first listed line has blanks.
    SavedView v = Defaults();
    v.StartPos = 1010;
    EXPECT_EQ(Build(v, CaptureText()).lines.front().text.substr(0, 4), "    ");

    // A first line whose address is not 0000 lists its words as samples 0 to 15, the first
    // with an empty address column.
    const auto words = CounterWords();
    std::string text = "S 0010";
    for (int n = 0; n < 16; ++n) text += " " + Hex4(words[n]);
    text += "\r\n" + CaptureText(words, 1, 127);
    v.StartPos = 0;
    const auto b = Build(v, text);
    EXPECT_EQ(b.lines.front().text.substr(0, 8), " (   0) ");
    EXPECT_EQ(b.lines[1].text.substr(0, 4), "    ");
}

TEST(Listing, SameScanAsTheChartReportsTheSameDamage) {
    auto text = CaptureText(CounterWords(), 0, 70);
    text.insert(test::LineOffset(text, 0x410) + 8, "7");
    const auto b = Build(Defaults(), text);
    EXPECT_EQ(b.report,
              "\r\n        Text  line  Corrupted\r\n\r\nHex Address of 16 word line is 0410\r\n"
              "Decimal Address of line is      1040\r\n\r\nCharacter count of that line is 65\r\n"
              "\r\n  Highlighted section is unreliable\r\n"
              "Premature End of data at text line Hex address 0460\r\n\r\n"
              "Last Decimal address was 1136\r\n\r\n"
              "line 66 (0410): 65 digits, 64 expected\r\n"
              "the file ends after 71 lines, 128 expected\r\n");
    // The 65th digit carries into line 0420's first word: one digit and one bit group more.
    EXPECT_EQ(ListingText(b.lines, "\n").size(), b.lines.size() * 42 + 6);
}

}  // namespace
}  // namespace zq
