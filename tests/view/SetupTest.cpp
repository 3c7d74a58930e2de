#include <gtest/gtest.h>

#include <limits>

#include "support/CaptureText.h"
#include "view/Measure.h"
#include "view/Setup.h"
#include "view/Units.h"

namespace zq {
namespace {

const std::string kRefusedSeparator =
    "a name may not hold ':', '=' or ',': they separate names from values where names are "
    "written out";

TEST(Setup, ReadsNames) {
    struct Case {
        std::string text, name, error;
    } cases[] = {
        {"CLK", "CLK", ""},
        {"  TX line  ", "TX line", ""},
        {"   ", "", ""},  // blanks alone: unnamed again
        {std::string(32, 'a'), std::string(32, 'a'), ""},
        {" " + std::string(32, 'a') + " ", std::string(32, 'a'), ""},
        {std::string(33, 'a'), "", "a name is at most 32 characters"},
        {"a:b", "", kRefusedSeparator},
        {"a=b", "", kRefusedSeparator},
        {"a,b", "", kRefusedSeparator},
        {"tab\there", "", "a name holds printable ASCII characters only"},
        {"caf\xC3\xA9", "", "a name holds printable ASCII characters only"},
    };
    for (const Case& c : cases) {
        const Parsed<std::string> r = ReadName(c.text);
        EXPECT_EQ(r.value, c.name) << c.text;
        EXPECT_EQ(r.error, c.error) << c.text;
    }
}

TEST(Setup, LabelsAndExportNames) {
    ChannelSetup s;
    s.channels[0].name = "CLK";
    s.channels[1].name = "RX data";
    s.channels[2].name = "say \"hi\"";
    struct Case {
        int channel;
        const char* row;
        const char* vcd;
        const char* csv;
    } cases[] = {
        {0, "CLK", "CLK", "CLK"},
        {1, "RX data", "RX_data", "RX data"},
        {2, "say \"hi\"", "say_\"hi\"", "\"say \"\"hi\"\"\""},
        {15, "15", "D15", "D15"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(s.RowLabel(c.channel), c.row) << c.channel;
        EXPECT_EQ(s.VcdName(c.channel), c.vcd) << c.channel;
        EXPECT_EQ(s.CsvColumn(c.channel), c.csv) << c.channel;
    }
}

TEST(Setup, ParsesSampleRates) {
    struct Case {
        std::string text;
        double hz;
        std::string error;
    } cases[] = {
        {"1000000", 1e6, ""},
        {"1 MHz", 1e6, ""},
        {"2.5 MHz", 2.5e6, ""},
        {"250k", 250e3, ""},
        {" 250 kHz ", 250e3, ""},
        {"250K", 250e3, ""},
        {"1GHz", 1e9, ""},
        {"50 hz", 50, ""},
        {"0.1 kHz", 100, ""},
        {".5", 0.5, ""},
        {"", 0, "no sample rate given"},
        {"0", 0, "\"0\": a sample rate must be above 0"},
        {"0 MHz", 0, "\"0 MHz\": a sample rate must be above 0"},
        {"-5", 0, "\"-5\": a sample rate must be above 0"},
        {"fast", 0, "\"fast\" is not a sample rate: a number of hertz, e.g. 1 MHz or 250k"},
        {"1e6", 0, "\"1e6\": unknown unit; write Hz, kHz, MHz or GHz, or nothing for Hz"},
        {"1 M Hz", 0, "\"1 M Hz\": unknown unit; write Hz, kHz, MHz or GHz, or nothing for Hz"},
        {"1 mHz", 0, "\"1 mHz\": 'm' would be milli; write M for mega"},
        {"inf", 0, "\"inf\" is not a sample rate: a number of hertz, e.g. 1 MHz or 250k"},
        {std::string(400, '9'), 0,
         "\"" + std::string(400, '9') + "\": too large for a sample rate"},
        {"0." + std::string(400, '0') + "1", 0,
         "\"0." + std::string(400, '0') + "1\": too small for a sample rate"},
    };
    for (const Case& c : cases) {
        const Parsed<double> r = ParseSampleRate(c.text);
        EXPECT_EQ(r.value, c.hz) << c.text;
        EXPECT_EQ(r.error, c.error) << c.text;
    }
}

TEST(Setup, TimeAndFrequencyTexts) {
    struct Case {
        std::string (*text)(double);
        double value;
        const char* shown;
    } cases[] = {
        {TimeText, 1e-6, "1.00 us"},
        {TimeText, 250e-9, "250 ns"},
        {TimeText, 12.3e-3, "12.3 ms"},
        {TimeText, 999.6e-9, "1.00 us"},
        {TimeText, 0.5e-9, "0.500 ns"},
        {TimeText, 3600, "3600 s"},
        {TimeText, 2.5, "2.50 s"},
        {TimeText, -1e-6, "-1.00 us"},
        {TimeText, 0, "0 s"},
        {TimeText, std::numeric_limits<double>::infinity(), "-- s"},
        {FrequencyText, 1e6, "1.00 MHz"},
        {FrequencyText, 250e3, "250 kHz"},
        {FrequencyText, 50, "50.0 Hz"},
        {FrequencyText, 2.5e9, "2.50 GHz"},
        {FrequencyText, 999.95, "1.00 kHz"},
        {FrequencyText, 0.5, "0.500 Hz"},
        {FrequencyText, 0, "0 Hz"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.text(c.value), c.shown) << c.value;
    EXPECT_EQ(SamplesTime(250, 1e6), 250e-6);
    EXPECT_EQ(TimeText(SamplesTime(2048, 2.5e6)), "819 us");
}

TEST(Setup, BusValueAtASample) {
    std::vector<uint16_t> words(2048, 0);
    words[0] = 0b0000'0001'1111'1110;  // COUNT (8..1) all ones
    words[1] = 0b0000'0001'0000'0000;  // 8 alone
    words[2] = 0b1000'0000'0000'0001;  // outside COUNT
    const DecodedCapture capture = DecodeCapture(test::CaptureText(words, 0, 0));
    const Bus count{"COUNT", {8, 7, 6, 5, 4, 3, 2, 1}, {}};
    const Bus reversed{"LSB FIRST", {1, 8}, {}};
    const Bus edges{"EDGES", {15, 0}, {}};
    struct Case {
        const Bus& bus;
        int32_t sample;
        std::optional<uint32_t> value;
    } cases[] = {
        {count, 0, 0xFF},
        {count, 1, 0x80},
        {count, 2, 0},
        {reversed, 1, 0b01},
        {reversed, 0, 0b11},
        {edges, 2, 0b11},
        {edges, 1, 0},
        {count, 16, std::nullopt},
        {count, -1, std::nullopt},
        {count, 2048, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto v = BusValueAt(capture, c.bus.channels, c.sample);
        EXPECT_EQ(v ? std::optional<uint32_t>(v->value) : std::nullopt, c.value) << c.sample;
    }
}

}  // namespace
}  // namespace zq
