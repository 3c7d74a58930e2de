// The decoders of the setup as the dialog and the Decoders menu edit them.
#include <gtest/gtest.h>

#include "view/DecoderEdits.h"

namespace zq {
namespace {

using decode::DecoderInfo;
using decode::DecoderOption;

DecoderInfo Uart() {
    DecoderInfo d;
    d.id = "uart";
    d.name = "UART";
    d.channels = {{"rx", "RX", ""}};
    d.optionalChannels = {{"tx", "TX", ""}};
    d.options = {{"baudrate", "Baud rate", "115200", {}, DecoderOption::Kind::Integer},
                 {"parity", "Parity", "none", {"none", "odd", "even"}, DecoderOption::Kind::Text}};
    d.inputs = {"logic"};
    d.outputs = {"uart"};
    return d;
}

DecoderInfo Midi() {
    DecoderInfo d;
    d.id = "midi";
    d.name = "MIDI";
    d.inputs = {"uart"};
    return d;
}

DecoderInfo I2c() {
    DecoderInfo d;
    d.id = "i2c";
    d.name = "I2C";
    d.channels = {{"scl", "SCL", ""}, {"sda", "SDA", ""}};
    d.inputs = {"logic"};
    return d;
}

TEST(DecoderEdits, FormsStartFromMatchingNamesOrFromTheDecoderInPlace) {
    ChannelSetup s;
    s.channels[9].name = "rx";
    s.channels[3].name = "SDA";
    s.channels[4].name = "Scl";
    EXPECT_EQ(FormFor(Uart(), s, std::nullopt).channels,
              (std::vector<std::pair<std::string, int>>{{"rx", 9}, {"tx", -1}}));
    EXPECT_EQ(FormFor(I2c(), s, std::nullopt).channels,
              (std::vector<std::pair<std::string, int>>{{"scl", 4}, {"sda", 3}}));
    EXPECT_EQ(FormFor(Uart(), s, std::nullopt).options[0].second, "115200");
    s.decoders = {{{"uart", {{"rx", 2}}, {{"baudrate", "9600"}}, {}}}};
    const DecoderForm inPlace = FormFor(Uart(), s, DecoderPlace{0, 0});
    EXPECT_EQ(inPlace.channels[0].second, 2);
    EXPECT_EQ(inPlace.options[0].second, "9600");
    EXPECT_EQ(inPlace.options[1].second, "none");

    // MIDI takes UART's output, so it can go on the UART's stack; I2C cannot.
    EXPECT_EQ(StacksFor(Midi(), s, {Uart(), Midi()}), std::vector<size_t>{0});
    EXPECT_TRUE(StacksFor(I2c(), s, {Uart(), I2c()}).empty());
}

TEST(DecoderEdits, OptionsAreCheckedByTheirKind) {
    const DecoderInfo u = Uart();
    DecoderOption real{"ratio", "Ratio", "0.5", {}, DecoderOption::Kind::Float};
    struct Case {
        const DecoderOption& option;
        const char* value;
        const char* error;
    } cases[] = {
        {u.options[0], "9600", ""},
        {u.options[0], "+9600", ""},
        {u.options[0], "96k", "a whole number expected"},
        {u.options[0], "", "a whole number expected"},
        {u.options[1], "odd", ""},
        {u.options[1], "Odd", "one of none, odd, even expected"},
        {real, "1.5", ""},
        {real, "x", "a number expected"},
        {real, " 1", "a number expected"},
    };
    for (const Case& c : cases) EXPECT_EQ(CheckOption(c.option, c.value), c.error) << c.value;
}

TEST(DecoderEdits, TheFormAddsStacksOrChangesAndRemovesDecoders) {
    ChannelSetup s;
    s.channels[9].name = "TX";
    DecoderForm f = FormFor(Uart(), s, std::nullopt);
    EXPECT_EQ(f.channels[1].second, 9);  // TX, by its name
    // A decoder needs its required channels and, without one in the setup, a rate.
    EXPECT_EQ(ApplyDecoderForm(s, Uart(), f, std::nullopt).error,
              "UART's channel RX needs one of ours");
    f.channels = {{"rx", 9}, {"tx", -1}};
    EXPECT_EQ(ApplyDecoderForm(s, Uart(), f, std::nullopt).error,
              "A decoder needs the capture's sample rate");
    f.rate = "1 MHz";
    f.options[0].second = "166667";
    SetupEdit e = ApplyDecoderForm(s, Uart(), f, std::nullopt);
    ASSERT_TRUE(e.ok()) << e.error;
    EXPECT_EQ(e.value.sampleRate, 1e6);
    // Options at their defaults are left out: the setup keeps what the user chose.
    EXPECT_EQ(
        e.value.decoders,
        (std::vector<decode::DecoderStack>{{{"uart", {{"rx", 9}}, {{"baudrate", "166667"}}, {}}}}));
    EXPECT_EQ(DecoderLabel(e.value, {0, 0}), "uart (rx: TX)");
    f.options[0].second = "fast";
    EXPECT_EQ(ApplyDecoderForm(e.value, Uart(), f, std::nullopt).error,
              "Baud rate: a whole number expected");

    DecoderForm midi = FormFor(Midi(), e.value, std::nullopt);
    midi.onStack = 0;
    e = ApplyDecoderForm(e.value, Midi(), midi, std::nullopt);
    ASSERT_TRUE(e.ok()) << e.error;
    EXPECT_EQ(DecoderLabel(e.value, {0, 1}), "uart > midi");
    EXPECT_EQ(DecoderPlaces(e.value).size(), 2u);

    // Changed in its place, its unknown keys kept.
    e.value.decoders[0][0].unknown = R"({"colour":1})";
    f = FormFor(Uart(), e.value, DecoderPlace{0, 0});
    f.options[1].second = "odd";
    SetupEdit changed = ApplyDecoderForm(e.value, Uart(), f, DecoderPlace{0, 0});
    ASSERT_TRUE(changed.ok()) << changed.error;
    EXPECT_EQ(changed.value.decoders[0][0].options.size(), 2u);
    EXPECT_EQ(changed.value.decoders[0][0].unknown, R"({"colour":1})");
    EXPECT_EQ(changed.value.decoders[0][1].id, "midi");

    // Removing a decoder takes those stacked on it along.
    EXPECT_EQ(RemoveDecoder(changed.value, {0, 1}).value.decoders[0].size(), 1u);
    EXPECT_TRUE(RemoveDecoder(changed.value, {0, 0}).value.decoders.empty());
    EXPECT_FALSE(RemoveDecoder(changed.value, {1, 0}).ok());
}

}  // namespace
}  // namespace zq
