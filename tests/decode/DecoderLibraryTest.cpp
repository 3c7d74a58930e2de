// The decoder library over the example captures: what it decodes, what it marks unreliable,
// how a failing stack is reported while the others go on; and sigrok-cli's argument syntax.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "decode/DecoderLibrary.h"

namespace zq::decode {
namespace {

DecodedCapture Example(const std::string& name) {
    std::ifstream in(std::string(ZQ_EXAMPLES_DIR) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return DecodeCapture(text.str());
}

DecoderUse Use(std::string id, std::vector<std::pair<std::string, int>> channels = {},
               std::vector<std::pair<std::string, std::string>> options = {}) {
    DecoderUse use;
    use.id = std::move(id);
    use.channels = std::move(channels);
    use.options = std::move(options);
    return use;
}

DecoderUse Uart() { return Use("uart", {{"rx", 9}}, {{"baudrate", "166667"}}); }

class DecoderLibraryTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::string error;
        library = DecoderLibrary::Load(&error).release();
        ASSERT_NE(library, nullptr) << error;
    }
    static void TearDownTestSuite() { delete library; }
    static DecoderLibrary* library;
};
DecoderLibrary* DecoderLibraryTest::library = nullptr;

// The bytes of the RX data class, as the decoder's hex texts give them.
std::string RxBytes(const DecodeResult& r, bool* anyUnreliable = nullptr) {
    std::string bytes;
    for (const Annotation& a : r.annotations)
        if (a.decoder == "uart" && a.classIndex == 0) {
            bytes += static_cast<char>(std::stoi(a.texts.front(), nullptr, 16));
            if (anyUnreliable) *anyUnreliable = *anyUnreliable || a.unreliable;
        }
    return bytes;
}

TEST_F(DecoderLibraryTest, DecodesTheExampleSerialLine) {
    const DecodeResult r = library->Run(Example("counter-uart.txt"), {{Uart()}}, 1e6);
    EXPECT_TRUE(r.errors.empty());
    bool unreliable = false;
    EXPECT_EQ(RxBytes(r, &unreliable), "ZQ350 ok\n");
    EXPECT_FALSE(unreliable);
    // The first byte where sigrok-cli puts it, on the row the window draws it in.
    const Annotation& first = r.annotations[9];
    EXPECT_EQ(first.texts.front(), "5A");
    EXPECT_EQ(first.start, 967u);
    EXPECT_EQ(first.end, 1014u);
    EXPECT_EQ(first.instance, "uart-1");
    ASSERT_LT(static_cast<size_t>(first.rowIndex), r.rows.size());
    EXPECT_EQ(r.rows[static_cast<size_t>(first.rowIndex)].desc, "UART: RX");
}

TEST_F(DecoderLibraryTest, MarksWhatCoversDamagedSamples) {
    const DecodeResult r = library->Run(Example("damaged.txt"), {{Uart()}}, 1e6);
    EXPECT_TRUE(r.errors.empty());
    size_t reliable = 0, unreliable = 0;
    for (const Annotation& a : r.annotations) {
        // Line 0410 (samples 1040..1055) is cut short.
        const bool overDamage = a.start <= 1055 && a.end > 1040;
        EXPECT_TRUE(a.unreliable || !overDamage) << a.start << "-" << a.end;
        (a.unreliable ? unreliable : reliable)++;
    }
    EXPECT_GT(reliable, 0u);
    EXPECT_GT(unreliable, 0u);
}

// A stack that cannot run is one error line; the good stack beside it still decodes.
TEST_F(DecoderLibraryTest, AFailingStackStopsNoOther) {
    const struct {
        DecoderStack stack;
        double rate;
        std::string error;
    } cases[] = {
        {{Use("nosuch", {{"rx", 9}})}, 1e6, "no decoder 'nosuch'"},
        {{Use("../uart", {{"rx", 9}})}, 1e6, "no decoder '../uart'"},
        {{Use("uart", {{"rx", 9}}, {{"parity", "bogus"}})},
         1e6,
         "uart: option parity takes one of none, odd, even, zero, one, ignore, not 'bogus'"},
        {{Use("uart", {{"rx", 9}}, {{"baudrate", "fast"}})},
         1e6,
         "uart: option baudrate takes a whole number, not 'fast'"},
        {{Use("uart", {{"rx", 9}}, {{"speed", "9600"}})},
         1e6,
         "uart: no option or channel 'speed'"},
        {{Use("uart", {{"rx", 9}}, {{"tx", "D16"}})}, 1e6, "uart: tx=D16: no such channel"},
        {{Use("i2c", {{"scl", 0}})}, 1e6, "i2c: channel sda is not assigned"},
        {{Use("uart")}, 1e6, "uart: no channel is assigned"},
        {{Uart(), Use("i2c")},
         1e6,
         "i2c: cannot take the output of uart (it gives uart, i2c takes logic)"},
        {{Uart(), Use("midi", {{"rx", 1}})}, 1e6, "midi: takes no channels when stacked"},
        // A Python error: the traceback's last line.
        {{Uart()}, 0, "uart-2: uart.pd.SamplerateError: Cannot decode without samplerate."},
    };
    for (const auto& c : cases) {
        const DecodeResult r =
            library->Run(Example("counter-uart.txt"), {{Uart()}, c.stack}, c.rate);
        // Without a rate the good stack fails too.
        ASSERT_EQ(r.errors.size(), c.rate > 0 ? 1u : 2u) << c.error;
        EXPECT_EQ(r.errors.back(), c.error);
        EXPECT_EQ(RxBytes(r), c.rate > 0 ? "ZQ350 ok\n" : "") << c.error;
    }
}

TEST_F(DecoderLibraryTest, DescribesDecodersAndStops) {
    std::string error;
    const auto uart = library->Info("uart", &error);
    ASSERT_TRUE(uart) << error;
    EXPECT_EQ(uart->name, "UART");
    ASSERT_FALSE(uart->options.empty());
    EXPECT_EQ(uart->options.front().id, "baudrate");
    EXPECT_EQ(uart->options.front().kind, DecoderOption::Kind::Integer);
    EXPECT_FALSE(library->Info("nosuch", &error));
    EXPECT_EQ(error, "no decoder 'nosuch'");
    // One library at a time: it keeps global state.
    EXPECT_EQ(DecoderLibrary::Load(&error), nullptr);

    const auto all = library->ListAll();
    EXPECT_GT(all.size(), 100u);
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end(),
                               [](const auto& a, const auto& b) { return a.id < b.id; }));

    const std::atomic<bool> stop{true};
    EXPECT_TRUE(
        library->Run(Example("counter-uart.txt"), {{Uart()}}, 1e6, &stop).annotations.empty());
}

TEST(DecoderArguments, ReadSigrokCliSyntax) {
    ChannelSetup setup;
    setup.channels[9].name = "RX";
    setup.channels[3].name = "D5";  // a name wins over the number it looks like
    const struct {
        std::string text;
        DecoderStack stack;  // empty: refused
    } cases[] = {
        {"uart:rx=RX:baudrate=9600,midi",
         {Use("uart", {{"rx", 9}}, {{"baudrate", "9600"}}), Use("midi")}},
        {"spi:clk=D4:mosi=d15:cs=D5:miso=16:wordsize=8",
         {Use("spi", {{"clk", 4}, {"mosi", 15}, {"cs", 3}}, {{"miso", "16"}, {"wordsize", "8"}})}},
        {"uart:tx=D09", {Use("uart", {}, {{"tx", "D09"}})}},
        {"uart:rx", {}},
        {"uart:=9", {}},
        {"uart:rx=D1:rx=D2", {}},
        {"uart,,midi", {}},
        {":rx=D1", {}},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseDecoderArgument(c.text, setup);
        EXPECT_EQ(parsed.ok(), !c.stack.empty()) << c.text << ": " << parsed.error;
        EXPECT_EQ(parsed.value, c.stack) << c.text;
    }
    const auto shown = ParseAnnotationArgument("uart=rx-data:tx-data,i2c");
    ASSERT_TRUE(shown.ok());
    EXPECT_EQ(shown.value,
              (std::vector<AnnotationChoice>{{"uart", {"rx-data", "tx-data"}}, {"i2c", {}}}));
    for (const char* bad : {"uart=", "uart=rx-data::tx-data", "=rx-data", "uart,"})
        EXPECT_FALSE(ParseAnnotationArgument(bad).ok()) << bad;
}

}  // namespace
}  // namespace zq::decode
