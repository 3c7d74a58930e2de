#include <gtest/gtest.h>

#include "view/SetupJson.h"

namespace zq {
namespace {

// The documented example, with an unknown key at each level.
const char* const kExample = R"({"samplerate": 1000000, "version": 2,
 "order": [0, 9],
 "channels": [{"channel": 0, "name": "CLK"}, {"channel": 9, "name": " TX ", "hidden": true,
               "colour": "#ff0000"}],
 "buses": [{"name": "COUNT", "channels": [8, 7, 6, 5, 4, 3, 2, 1], "format": "hex"}],
 "decoders": [[{"id": "uart", "channels": {"rx": 9}, "options": {"baudrate": 166667,
                "parity": "none"}, "colour": 1}, {"id": "midi"}]]})";

ChannelSetup ExampleSetup() {
    ChannelSetup s;
    s.sampleRate = 1e6;
    s.order = {0, 9, 15, 14, 13, 12, 11, 10, 8, 7, 6, 5, 4, 3, 2, 1};
    s.channels[0].name = "CLK";
    s.channels[9] = {"TX", true, R"({"colour":"#ff0000"})"};
    s.buses = {{"COUNT", {8, 7, 6, 5, 4, 3, 2, 1}, R"({"format":"hex"})"}};
    s.decoders = {
        {{"uart", {{"rx", 9}}, {{"baudrate", "166667"}, {"parity", "none"}}, R"({"colour":1})"},
         {"midi", {}, {}, {}}}};
    s.unknown = R"({"version":2})";
    return s;
}

TEST(SetupJson, ParsesOrSaysWhereAndWhy) {
    ChannelSetup hidden;
    hidden.channels[3].hidden = true;
    ChannelSetup fraction;
    fraction.sampleRate = 2.5;
    struct Case {
        std::string text;
        ChannelSetup setup;
        std::string error;
    } cases[] = {
        {kExample, ExampleSetup(), ""},
        {"{}", {}, ""},
        {R"({"channels": [{"channel": 3, "hidden": true}]})", hidden, ""},
        {R"({"channels": [{"channel": 3, "name": "", "hidden": false}]})", {}, ""},
        {R"({"samplerate": 2.5})", fraction, ""},
        {"{\n\"order\": [1,\n2 3]}",
         {},
         "s.json: line 3: syntax error while parsing array - "
         "unexpected number literal; expected ']'"},
        {"",
         {},
         "s.json: line 1: syntax error while parsing value - unexpected end of input; "
         "expected '[', '{', or a literal"},
        {"[1]", {}, "s.json: a setup is an object {...}"},
        {R"({"samplerate": 0})", {}, "s.json: samplerate: 0: a sample rate must be above 0"},
        {R"({"samplerate": -1e6})",
         {},
         "s.json: samplerate: -1000000.0: a sample rate must be "
         "above 0"},
        {R"({"samplerate": "1 MHz"})", {}, "s.json: samplerate: a number of hertz expected"},
        {R"({"order": [15, 16]})",
         {},
         "s.json: order[1]: 16 is not a channel: channels are 0 "
         "to 15"},
        {R"({"order": [1, 2, 1]})", {}, "s.json: order[2]: channel 1 is listed twice"},
        {R"({"order": 5})", {}, "s.json: order: a list [...] expected"},
        {R"({"channels": [{"channel": 1.5}]})",
         {},
         "s.json: channels[0].channel: 1.5 is not a "
         "channel: channels are 0 to 15"},
        {R"({"channels": [{"name": "A"}]})",
         {},
         "s.json: channels[0]: \"channel\" missing: "
         "which channel it describes"},
        {R"({"channels": [{"channel": 2}, {"channel": 2}]})",
         {},
         "s.json: channels[1].channel: channel 2 is described twice"},
        {R"({"channels": [{"channel": 2}, {"channel": 4, "name": "a=b"}]})",
         {},
         "s.json: channels[1].name: a name may not hold ':', '=' or ',': they separate names "
         "from values where names are written out"},
        {R"({"channels": [{"channel": 4, "name": ")" + std::string(33, 'x') + "\"}]}",
         {},
         "s.json: channels[0].name: a name is at most 32 characters"},
        {R"({"channels": [{"channel": 4, "hidden": 1}]})",
         {},
         "s.json: channels[0].hidden: true or false expected"},
        {R"({"buses": [{"name": "B", "channels": []}]})",
         {},
         "s.json: buses[0].channels: a bus needs at least one channel"},
        {R"({"buses": [{"name": "B", "channels": [3, 2, 3]}]})",
         {},
         "s.json: buses[0].channels[2]: channel 3 is in the bus twice"},
        {R"({"buses": [{"name": " ", "channels": [3]}]})",
         {},
         "s.json: buses[0].name: a bus needs a name"},
        {R"({"buses": [{"name": "B", "channels": [3]}, {"name": "B", "channels": [4]}]})",
         {},
         "s.json: buses[1].name: \"B\" names an earlier bus too"},
        {std::string(100, '[') + std::string(100, ']'), {}, "s.json: nested too deeply"},
        {R"({"decoders": {"id": "uart"}})", {}, "s.json: decoders: a list [...] expected"},
        {R"({"decoders": [[]]})", {}, "s.json: decoders[0]: a stack needs a decoder on channels"},
        {R"({"decoders": [[{"channels": {"rx": 9}}]]})",
         {},
         "s.json: decoders[0][0]: \"id\" missing: which decoder to run"},
        {R"({"decoders": [[{"id": "uart", "channels": {"rx": 16}}]]})",
         {},
         "s.json: decoders[0][0].channels.rx: 16 is not a channel: channels are 0 to 15"},
        {R"({"decoders": [[{"id": "uart", "options": {"baudrate": true}}]]})",
         {},
         "s.json: decoders[0][0].options.baudrate: a value in quotes expected"},
    };
    for (const Case& c : cases) {
        const Parsed<ChannelSetup> r = ParseSetup(c.text, "s.json");
        EXPECT_EQ(r.error, c.error) << c.text;
        if (c.error.empty()) {
            EXPECT_EQ(r.value, c.setup) << c.text;
        }
    }
}

TEST(SetupJson, SavesWhatDiffersAndReadsItBack) {
    EXPECT_EQ(SaveSetup({}), "{}\n");
    const std::string saved = SaveSetup(ExampleSetup());
    EXPECT_EQ(saved, R"({
  "samplerate": 1000000,
  "order": [0, 9, 15, 14, 13, 12, 11, 10, 8, 7, 6, 5, 4, 3, 2, 1],
  "channels": [
    {"channel": 0, "name": "CLK"},
    {"channel": 9, "name": "TX", "hidden": true, "colour": "#ff0000"}
  ],
  "buses": [
    {"name": "COUNT", "channels": [8, 7, 6, 5, 4, 3, 2, 1], "format": "hex"}
  ],
  "decoders": [
    [{"id": "uart", "channels": {"rx": 9}, "options": {"baudrate": "166667", "parity": "none"}, "colour": 1}, {"id": "midi"}]
  ],
  "version": 2
}
)");
    ChannelSetup odd;
    odd.sampleRate = 2.5e-3;
    odd.channels[15].unknown = R"({"note":"x"})";
    for (const ChannelSetup& setup : {ExampleSetup(), odd}) {
        const Parsed<ChannelSetup> back = ParseSetup(SaveSetup(setup), "s.json");
        EXPECT_EQ(back.error, "");
        EXPECT_EQ(back.value, setup);
    }
}

}  // namespace
}  // namespace zq
