#include "capture/Decoder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "support/CaptureText.h"

namespace zq {
namespace {

using test::CaptureText;
using test::CounterWords;
using test::Hex4;
using namespace std::string_literals;

// Records what the scan tells its consumers: the word completed at each sample address, the
// line headers met, and the damaged lines reported.
struct Recorder {
    std::map<int32_t, std::string> words;  // sample address -> digits of its completed word
    std::string pending;
    std::vector<std::string> headers;
    std::vector<int32_t> damaged;
    int separatorsOutsideWords = 0;

    void lineHeader(std::string_view t) { headers.emplace_back(t); }
    void digit(int32_t, int position, char d, int) {
        if (position == 0) pending.clear();
        pending += d;
    }
    void placeMarks(int32_t a, bool wordComplete) {
        if (!wordComplete) {
            ++separatorsOutsideWords;
            return;
        }
        words[a] = pending;
        pending.clear();
    }
    void damagedLine(int32_t l) { damaged.push_back(l); }
};

ScanResult Scan(const std::string& bytes, int32_t start, int32_t windowEnd, Recorder& rec,
                int64_t dataLen = -1) {
    ByteCursor in(bytes);
    ScanWindow w{start, windowEnd, dataLen < 0 ? windowEnd - start : dataLen};
    return ScanCapture(in, w, rec);
}

TEST(Scan, CompleteCaptureReadsEveryWordAtItsSample) {
    const auto words = CounterWords();
    Recorder rec;
    const ScanResult r = Scan(CaptureText(words), 0, 2048, rec);
    EXPECT_TRUE(r.foundStart);
    EXPECT_EQ(r.report, "");
    ASSERT_EQ(rec.words.size(), 2048u);
    for (int32_t a = 0; a < 2048; ++a) EXPECT_EQ(rec.words[a], Hex4(words[a])) << a;
    // The first line is met again through its "S", so it has a header like every other line.
    ASSERT_EQ(rec.headers.size(), 128u);
    EXPECT_EQ(rec.headers.front(), "0000");
    EXPECT_EQ(rec.headers.back(), "07F0");
}

TEST(Scan, StopsAtTheFirstWordPastTheWindow) {
    Recorder rec;
    Scan(CaptureText(), 1008, 1072, rec);
    EXPECT_EQ(rec.words.rbegin()->first, 1072);
    EXPECT_EQ(rec.headers.back(), "0430");
}

TEST(Scan, WordsAreCountedByDigitsNotSeparators) {
    // Bytes before the first "S" are ignored; any separators may split a word; NUL and blanks
    // may stand between "S" and the address of later lines.
    std::string text = "junk\r\n12 AB\tS 0000 ";
    text += "1\r\n2 3-4 ABCD";
    for (int n = 2; n < 16; ++n) text += " 0000";
    text += "\r\nS \0\0 0010"s;
    for (int n = 0; n < 16; ++n) text += ",FFFF";
    Recorder rec;
    Scan(text, 0, 31, rec);
    EXPECT_EQ(rec.words[0], "1234");
    EXPECT_EQ(rec.words[1], "ABCD");
    EXPECT_EQ(rec.words[16], "FFFF");
    EXPECT_EQ(rec.words[31], "FFFF");
}

TEST(Scan, ReportTextsAreExact) {
    auto text = CaptureText(CounterWords(), 0, 69);  // ends after line 0450: premature end
    // Line 0400 loses one digit.
    const size_t at = test::LineOffset(text, 0x400) + 7;
    text.erase(at, 1);
    Recorder rec;
    const ScanResult r = Scan(text, 1008, 2048, rec, 64);
    const std::string damaged =
        "\r\n        Text  line  Corrupted\r\n\r\nHex Address of 16 word line is 0400\r\n"
        "Decimal Address of line is      1024\r\n\r\nCharacter count of that line is 63\r\n\r\n"
        "  Highlighted section is unreliable";
    const std::string premature =
        "Premature End of data at text line Hex address 0450\r\n\r\n"
        "Last Decimal address was 1120\r\n\r\n";
    EXPECT_EQ(r.report, damaged + premature);
    EXPECT_EQ(rec.damaged, std::vector<int32_t>{1024});
}

TEST(Scan, DamagedLinesOnlyCountInsideTheWindow) {
    auto text = CaptureText();
    text.insert(test::LineOffset(text, 0x100) + 8, "A");  // long line wholly before the start
    text.insert(test::LineOffset(text, 0x700) + 8, "A");  // beyond the window end
    Recorder rec;
    const ScanResult r = Scan(text, 1008, 1072, rec, 64);
    EXPECT_EQ(r.report, "");
    EXPECT_TRUE(rec.damaged.empty());

    // A line ending one sample before the start is outside; the next one is inside.
    text = CaptureText();
    text.insert(test::LineOffset(text, 0x3E0) + 8, "A");
    Recorder rec2;
    EXPECT_EQ(Scan(text, 1008, 1072, rec2, 64).report, "");
    Recorder rec3;
    EXPECT_NE(Scan(text, 1007, 1071, rec3, 64).report, "");
}

TEST(Scan, DamagedLineReachingTheWindowEndEndsThePass) {
    auto text = CaptureText(CounterWords(), 0, 66);  // would end prematurely after line 0420
    text.erase(test::LineOffset(text, 0x410) + 7, 1);
    Recorder rec;
    // Start 1000, length 56: the window ends at 1056, where the short line 0410 ends.
    const ScanResult r = Scan(text, 1000, 1056, rec, 56);
    EXPECT_EQ(rec.damaged, std::vector<int32_t>{0x410});
    EXPECT_EQ(r.report.find("Premature"), std::string::npos);
}

TEST(Scan, LowerCaseDigitDamagesItsLineOnly) {
    const auto words = CounterWords();
    auto text = CaptureText(words);
    const size_t at = test::LineOffset(text, 0x400) + 7;
    text[at] = 'a';
    Recorder rec;
    const ScanResult r = Scan(text, 1008, 1072, rec, 64);
    EXPECT_NE(r.report.find("Character count of that line is 63"), std::string::npos);
    EXPECT_EQ(rec.words[1040], Hex4(words[1040]));  // the next line reads normally
}

TEST(Scan, FileWithoutStartHoldsNoCapture) {
    for (const std::string& text : {std::string(), std::string("0000 1111 2222\r\n"),
                                    std::string("s 0000 FFFF")}) {
        Recorder rec;
        const ScanResult r = Scan(text, 0, 64, rec);
        EXPECT_FALSE(r.foundStart);
        EXPECT_EQ(r.report, "");
        EXPECT_TRUE(rec.words.empty());
    }
}

TEST(Scan, FirstLineHeaderLayouts) {
    const auto words = CounterWords();
    const std::string rest = CaptureText(words, 1, 127);
    std::string line0;
    for (int n = 0; n < 16; ++n) line0 += " " + Hex4(words[n]);

    // Two blanks: the scan starts on a blank after the "S", reads "0000" as the word of
    // sample 0 and reports the line with 132 digits.
    {
        Recorder rec;
        const ScanResult r = Scan("S  0000" + line0 + "\r\n" + rest, 0, 64, rec, 64);
        EXPECT_EQ(rec.words[0], "0000");
        EXPECT_EQ(rec.words[1], Hex4(words[0]));
        EXPECT_NE(r.report.find("Character count of that line is 132"), std::string::npos);
    }
    // No blank, the "S" being the file's first byte: the scan still meets it again.
    {
        Recorder rec;
        const ScanResult r = Scan("S0000" + line0 + "\r\n" + rest, 0, 64, rec, 64);
        EXPECT_EQ(r.report, "");
        EXPECT_EQ(rec.words[0], Hex4(words[0]));
    }
    // Another address: its words become samples 0 to 15, with no header of their own.
    {
        Recorder rec;
        const ScanResult r = Scan("S 0010" + line0 + "\r\n" + rest, 0, 64, rec, 64);
        EXPECT_EQ(r.report, "");
        EXPECT_EQ(rec.words[0], Hex4(words[0]));
        EXPECT_EQ(rec.words[16], Hex4(words[16]));
        EXPECT_EQ(rec.headers.front(), "0010");
    }
}

TEST(Scan, FileCutInsideALineHeaderIsAPrematureEnd) {
    const std::string base = CaptureText(CounterWords(), 0, 3);
    for (const char* tail : {"S", "S ", "S 00", "S 004"}) {
        Recorder rec;
        const ScanResult r = Scan(base + tail, 0, 2048, rec);
        EXPECT_EQ(r.report.rfind("Premature End of data", 0), 0u) << tail;
        EXPECT_NE(r.report.find("Last Decimal address was 64\r\n"), std::string::npos) << tail;
        EXPECT_EQ(rec.words.size(), 64u);
    }
    // A file ending right after an address: the line is empty; its samples were not read.
    Recorder rec;
    const ScanResult r = Scan(base + "S 0040", 0, 2048, rec);
    EXPECT_NE(r.report.find("Hex address 0040\r\n"), std::string::npos);
    EXPECT_NE(r.report.find("Last Decimal address was 64\r\n"), std::string::npos);
}

// A line address that is not four hexadecimal digits below 8000 cannot be placed: the line is
// reported, its words go nowhere (not onto samples 0 to 15, not past the window end, which
// would end the pass), and the next line reads as usual.
TEST(Scan, UnusableLineAddressesAreReportedAndPassedOver) {
    const auto words = CounterWords();
    for (const char* bad : {"FFFF", "8000", "0Z00", "04a0"}) {
        std::string text = CaptureText(words, 0, 63) + "S " + bad;
        for (int n = 0; n < 16; ++n) text += " 1234";
        text += "\r\n" + CaptureText(words, 65, 127);
        Recorder rec;
        const ScanResult r = Scan(text, 0, 2047, rec);
        const int32_t value = HexAddressToDecimal(bad);
        EXPECT_EQ(r.report, "\r\n Address Error in datafile\r\n\r\nHex Address of 16 word line is " +
                                std::string(bad) +
                                "\r\nPrevious Hex Address was ... 03F0\r\n\r\n\r\n"
                                "Current Decimal Address of line is      " +
                                std::to_string(value) +
                                "\r\n\r\n   Data will be absent from graph")
            << bad;
        EXPECT_EQ(rec.words.size(), 2048u - 16u) << bad;
        for (const auto& [a, w] : rec.words) {
            EXPECT_TRUE(a < 1024 || a >= 1040) << bad << " " << a;
            EXPECT_EQ(w, Hex4(words[static_cast<size_t>(a)])) << bad << " " << a;
        }
    }
}

TEST(Scan, ReadsAnOpenFileAgainFromItsFirstByte) {
    const std::string path = ::testing::TempDir() + "/decoder_reopen.txt";
    test::WriteFile(path, CaptureText());
    std::string error;
    auto file = CaptureFile::open(path, error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(file->length(), static_cast<int64_t>(CaptureText().size()));
    // The file is read through the open handle: removing its name changes nothing.
    std::remove(path.c_str());
    for (int pass = 0; pass < 2; ++pass) {
        Recorder rec;
        ByteCursor in = file->cursor();
        ScanCapture(in, ScanWindow{0, 2048, 2048}, rec);
        EXPECT_EQ(rec.words.size(), 2048u);
    }
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

TEST(Scan, HugeFilesAreReadOnlyAsFarAsACaptureCanReach) {
    // A capture followed by a long tail reads as usual; a line start beyond the read limit is
    // never reached. Sparse files keep the test cheap.
    const std::string path = ::testing::TempDir() + "/decoder_huge.txt";
    test::WriteFile(path, CaptureText());
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(kCaptureReadLimit) * 2), 0);
    std::string error;
    auto file = CaptureFile::open(path, error);
    ASSERT_TRUE(file) << error;
    Recorder rec;
    ByteCursor in = file->cursor();
    const ScanResult r = ScanCapture(in, ScanWindow{0, 2047, 2047}, rec);
    EXPECT_EQ(r.report, "");
    EXPECT_EQ(rec.words.size(), 2048u);

    test::WriteFile(path, "");
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(kCaptureReadLimit)), 0);
    {
        std::ofstream f(path, std::ios::binary | std::ios::app);
        f << CaptureText();
    }
    file = CaptureFile::open(path, error);
    ASSERT_TRUE(file) << error;
    Recorder none;
    ByteCursor in2 = file->cursor();
    EXPECT_FALSE(ScanCapture(in2, ScanWindow{0, 2047, 2047}, none).foundStart);
    std::remove(path.c_str());
}

}  // namespace
}  // namespace zq
