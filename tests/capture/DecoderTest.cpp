#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "capture/DecodedCapture.h"
#include "capture/HexConvert.h"
#include "support/CaptureText.h"

namespace zq {
namespace {

using test::CaptureText;
using test::CounterWords;
using test::Hex4;
using namespace std::string_literals;

// The word the model holds at a sample, as four digits; empty where the file holds none.
std::string WordAt(const DecodedCapture& d, int32_t sample) {
    const auto i = static_cast<size_t>(sample);
    return d.held[i] ? Hex4(d.words[i]) : std::string();
}

bool Has(const std::string& report, const std::string& part) {
    return report.find(part) != std::string::npos;
}

TEST(Decode, CompleteCaptureReadsEveryWordAtItsSample) {
    const auto words = CounterWords();
    const DecodedCapture d = DecodeCapture(CaptureText(words));
    EXPECT_TRUE(d.foundStart);
    EXPECT_EQ(d.report, "");
    EXPECT_EQ(d.heldCount(), 2048);
    EXPECT_TRUE(d.unreliable.none());
    for (int32_t a = 0; a < 2048; ++a) EXPECT_EQ(WordAt(d, a), Hex4(words[a])) << a;
    // The first line is met again through its "S", so its first word shows its address.
    ASSERT_EQ(d.listed.size(), 2048u);
    EXPECT_EQ(std::string(d.listed[0].address.data(), 4), "0000");
    EXPECT_EQ(std::string(d.listed[2032].address.data(), 4), "07F0");
    EXPECT_EQ(std::string(d.listed[2033].address.data(), 4), "    ");
}

TEST(Decode, WordsAreCountedByDigitsNotSeparators) {
    // Bytes before the first "S" are ignored; any separators may split a word; NUL and blanks
    // may stand between "S" and the address of later lines.
    std::string text = "junk\r\n12 AB\tS 0000 ";
    text += "1\r\n2 3-4 ABCD";
    for (int n = 2; n < 16; ++n) text += " 0000";
    text += "\r\nS \0\0 0010"s;
    for (int n = 0; n < 16; ++n) text += ",FFFF";
    const DecodedCapture d = DecodeCapture(text);
    EXPECT_EQ(WordAt(d, 0), "1234");
    EXPECT_EQ(WordAt(d, 1), "ABCD");
    EXPECT_EQ(WordAt(d, 16), "FFFF");
    EXPECT_EQ(WordAt(d, 31), "FFFF");
}

TEST(Decode, ReportTextsAreExactAndEachParagraphStartsOnALineOfItsOwn) {
    auto text = CaptureText(CounterWords(), 0, 69);    // ends after line 0450: premature end
    text.erase(test::LineOffset(text, 0x400) + 7, 1);  // line 0400 loses one digit
    const DecodedCapture d = DecodeCapture(text);
    const std::string damaged =
        "\r\n        Text  line  Corrupted\r\n\r\nHex Address of 16 word line is 0400\r\n"
        "Decimal Address of line is      1024\r\n\r\nCharacter count of that line is 63\r\n\r\n"
        "  Highlighted section is unreliable";
    const std::string premature =
        "Premature End of data at text line Hex address 0450\r\n\r\n"
        "Last Decimal address was 1120\r\n\r\n";
    EXPECT_EQ(d.report, damaged + "\r\n" + premature +
                            "line 65 (0400): 63 digits, 64 expected\r\n"
                            "the file ends after 70 lines, 128 expected\r\n");
    EXPECT_EQ(d.damagedLines, std::vector<int32_t>{1024});
    EXPECT_FALSE(Has(d.report, "unreliablePremature"));
}

TEST(Decode, TheReportNamesDamageAnywhereInTheFile) {
    auto text = CaptureText();
    text.insert(test::LineOffset(text, 0x100) + 8, "A");
    text.insert(test::LineOffset(text, 0x700) + 8, "A");
    const DecodedCapture d = DecodeCapture(text);
    EXPECT_EQ(d.damagedLines, (std::vector<int32_t>{0x100, 0x700}));
    EXPECT_TRUE(Has(d.report, "Hex Address of 16 word line is 0100"));
    EXPECT_TRUE(Has(d.report, "Hex Address of 16 word line is 0700"));
    for (int32_t s : {0x100, 0x10F, 0x700, 0x70F}) EXPECT_TRUE(d.unreliable[s]) << s;
    EXPECT_FALSE(d.unreliable[0x110]);
}

TEST(Decode, LowerCaseDigitDamagesItsLineOnly) {
    const auto words = CounterWords();
    auto text = CaptureText(words);
    text[test::LineOffset(text, 0x400) + 7] = 'a';
    const DecodedCapture d = DecodeCapture(text);
    EXPECT_TRUE(Has(d.report, "Character count of that line is 63"));
    EXPECT_EQ(WordAt(d, 1040), Hex4(words[1040]));  // the next line reads normally
}

TEST(Decode, FileWithoutStartHoldsNoCaptureAndSaysSo) {
    const struct {
        std::string text, report;
    } cases[] = {
        {"", "no capture: the file is empty\r\n"},
        {"0000 1111 2222\r\n", "no capture: the file holds no line start \"S\"\r\n"},
        {"s 0000 FFFF", "no capture: the file holds no line start \"S\"\r\n"},
        {std::string(1 << 20, '\0'), "no capture: the file holds no line start \"S\"\r\n"},
    };
    for (const auto& c : cases) {
        const DecodedCapture d = DecodeCapture(c.text);
        EXPECT_FALSE(d.foundStart);
        EXPECT_EQ(d.report, c.report);
        EXPECT_EQ(d.heldCount(), 0);
        EXPECT_TRUE(d.unreliable.all());
    }
}

TEST(Decode, FirstLineHeaderLayouts) {
    const auto words = CounterWords();
    const std::string rest = CaptureText(words, 1, 127);
    std::string line0;
    for (int n = 0; n < 16; ++n) line0 += " " + Hex4(words[n]);

    // Two blanks: the scan starts on a blank after the "S", reads "0000" as the word of
    // sample 0 and reports the line with 132 digits.
    {
        const DecodedCapture d = DecodeCapture("S  0000" + line0 + "\r\n" + rest);
        EXPECT_EQ(WordAt(d, 0), "0000");
        EXPECT_EQ(WordAt(d, 1), Hex4(words[0]));
        EXPECT_TRUE(Has(d.report, "Character count of that line is 132"));
        EXPECT_EQ(d.listed[0].addressLength, 4);  // four blanks: no header of its own
    }
    // No blank, the "S" being the file's first byte: the scan still meets it again; only the
    // layout says what is missing.
    {
        const DecodedCapture d = DecodeCapture("S0000" + line0 + "\r\n" + rest);
        EXPECT_EQ(d.report, "line 1 (0000): 0 blanks after \"S\", 1 expected\r\n");
        EXPECT_EQ(WordAt(d, 0), Hex4(words[0]));
    }
    // Another address: its words become samples 0 to 15, with no address column.
    {
        const DecodedCapture d = DecodeCapture("S 0010" + line0 + "\r\n" + rest);
        EXPECT_EQ(d.report, "line 1 (0000): address \"0010\", 0000 expected\r\n");
        EXPECT_EQ(WordAt(d, 0), Hex4(words[0]));
        EXPECT_EQ(WordAt(d, 16), Hex4(words[16]));
        EXPECT_EQ(d.listed[0].addressLength, 0);
    }
}

TEST(Decode, FileCutInsideALineHeaderIsAPrematureEnd) {
    const std::string base = CaptureText(CounterWords(), 0, 3);
    for (const char* tail : {"S", "S ", "S 00", "S 004"}) {
        const DecodedCapture d = DecodeCapture(base + tail);
        EXPECT_EQ(d.report.rfind("Premature End of data", 0), 0u) << tail;
        EXPECT_TRUE(Has(d.report, "Last Decimal address was 64\r\n")) << tail;
        EXPECT_EQ(d.heldCount(), 64);
    }
    // A file ending right after an address: the line is empty; its samples were not read.
    const DecodedCapture d = DecodeCapture(base + "S 0040");
    EXPECT_TRUE(Has(d.report, "Hex address 0040\r\n"));
    EXPECT_TRUE(Has(d.report, "Last Decimal address was 64\r\n"));
}

// A line address that is not four hexadecimal digits below 8000 cannot be placed: the line is
// reported, its words go nowhere, and the next line reads as usual.
TEST(Decode, UnusableLineAddressesAreReportedAndPassedOver) {
    const auto words = CounterWords();
    for (const char* bad : {"FFFF", "8000", "0Z00", "04a0"}) {
        std::string text = CaptureText(words, 0, 63) + "S " + bad;
        for (int n = 0; n < 16; ++n) text += " 1234";
        text += "\r\n" + CaptureText(words, 65, 127);
        const DecodedCapture d = DecodeCapture(text);
        const int32_t value = HexAddressToDecimal(bad);
        EXPECT_EQ(d.report.substr(0, d.report.find("line 65")),
                  "\r\n Address Error in datafile\r\n\r\nHex Address of 16 word line is " +
                      std::string(bad) +
                      "\r\nPrevious Hex Address was ... 03F0\r\n\r\n\r\n"
                      "Current Decimal Address of line is      " +
                      std::to_string(value) + "\r\n\r\n   Data will be absent from graph\r\n")
            << bad;
        EXPECT_EQ(d.heldCount(), 2048 - 16) << bad;
        for (int32_t a = 0; a < 2048; ++a)
            EXPECT_EQ(WordAt(d, a), a < 1024 || a >= 1040 ? Hex4(words[a]) : "") << bad << a;
    }
}

// A line out of sequence never ends what is shown: the lines after it stay at their own
// addresses, and the layout says once what happened.
TEST(Decode, LinesOutOfSequence) {
    const auto words = CounterWords();
    const std::string good = CaptureText(words);
    auto replaced = [&](unsigned address, const std::string& with) {
        std::string t = good;
        t.replace(test::LineOffset(t, address), 6, with);
        return t;
    };
    std::string reversed;
    for (int l = 127; l >= 0; --l)
        reversed += test::CaptureLine(static_cast<unsigned>(l) * 16, words);
    std::string dropped = good;
    dropped.erase(test::LineOffset(dropped, 0x400), test::CaptureLine(0x400, words).size());
    const struct {
        const char* name;
        std::string text;
        std::string finding;
        int32_t held;
        std::vector<int32_t> missing;  // samples the file holds no word for
    } cases[] = {
        // One damaged digit of an address pointing past the capture: its words land nowhere.
        {"jump",
         replaced(0x400, "S 0900"),
         "line 65 (0400): address \"0900\", 0400 expected",
         2032,
         {1024, 1039}},
        // The same line twice: the second copy lands nowhere.
        {"repeat",
         replaced(0x410, "S 0400"),
         "line 66 (0410): address \"0400\", 0410 expected",
         2032,
         {1040, 1055}},
        {"dropped", dropped, "line 65 (0410): 1 line missing before it (0400)", 2032, {1024, 1039}},
        {"two lines",
         test::CaptureLine(0, words) + test::CaptureLine(0x7F0, words),
         "line 2 (07F0): 126 lines missing before it (0010 to 07E0)",
         32,
         {16, 2031}},
        // Every line a step back: the first line's words are samples 0 to 15, every other line
        // sits at its own address, and the line 0000 finds its place taken.
        {"reversed",
         reversed,
         "line 2 (0010): address \"07E0\", 0010 expected",
         2032,
         {2032, 2047}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedCapture d = DecodeCapture(c.text);
        EXPECT_TRUE(Has(d.report, c.finding + "\r\n")) << d.report;
        EXPECT_EQ(d.heldCount(), c.held);
        for (int32_t a = 0; a < 2048; ++a) {
            const bool missing = a >= c.missing[0] && a <= c.missing[1];
            EXPECT_EQ(d.held[a], !missing) << a;
            if (missing) {
                EXPECT_TRUE(d.unreliable[a]) << a;
            } else if (a >= 16) {
                EXPECT_EQ(WordAt(d, a), Hex4(words[a])) << a;
            }
        }
        // No word is listed outside the capture.
        for (const ListedWord& w : d.listed) EXPECT_LT(w.sample, 2048);
    }
}

TEST(Decode, ReadsAnOpenFileAgainFromItsFirstByte) {
    const std::string path = ::testing::TempDir() + "/decoder_reopen.txt";
    test::WriteFile(path, CaptureText());
    std::string error;
    auto file = CaptureFile::open(path, error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(file->length(), static_cast<int64_t>(CaptureText().size()));
    // The file is read through the open handle: removing its name changes nothing.
    std::remove(path.c_str());
    for (int pass = 0; pass < 2; ++pass) EXPECT_EQ(DecodeCapture(*file).heldCount(), 2048);
    EXPECT_FALSE(CaptureFile::open(path, error));
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_FALSE(CaptureFile::open(::testing::TempDir(), error));
    EXPECT_EQ(error, "Is a directory");
}

TEST(CaptureFileOpen, RefusesWhatIsNotARegularFileWithoutWaiting) {
    // A named pipe with no writer would block the open, and a redraw, for ever.
    const std::string fifo = ::testing::TempDir() + "/decoder_fifo";
    std::remove(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string error;
    EXPECT_FALSE(CaptureFile::open(fifo, error));
    EXPECT_EQ(error, "Not a regular file");
    std::remove(fifo.c_str());
    EXPECT_FALSE(CaptureFile::open("/dev/null", error));
    EXPECT_EQ(error, "Not a regular file");
}

TEST(Decode, HugeFilesAreReadOnlyAsFarAsACaptureCanReach) {
    // A capture followed by a long tail reads as usual; a line start beyond the read limit is
    // never reached. Sparse files keep the test cheap.
    const std::string path = ::testing::TempDir() + "/decoder_huge.txt";
    test::WriteFile(path, CaptureText());
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(kCaptureReadLimit) * 2), 0);
    std::string error;
    auto file = CaptureFile::open(path, error);
    ASSERT_TRUE(file) << error;
    const DecodedCapture whole = DecodeCapture(*file);
    EXPECT_EQ(whole.report, "");
    EXPECT_EQ(whole.heldCount(), 2048);

    test::WriteFile(path, "");
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(kCaptureReadLimit)), 0);
    {
        std::ofstream f(path, std::ios::binary | std::ios::app);
        f << CaptureText();
    }
    file = CaptureFile::open(path, error);
    ASSERT_TRUE(file) << error;
    EXPECT_FALSE(DecodeCapture(*file).foundStart);
    std::remove(path.c_str());
}

}  // namespace
}  // namespace zq
