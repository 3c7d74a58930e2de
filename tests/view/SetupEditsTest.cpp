#include <gtest/gtest.h>

#include <functional>

#include "view/SetupEdits.h"

namespace zq {
namespace {

// The order as it reads top to bottom, first n rows.
std::vector<int> Top(const ChannelSetup& s, size_t n) {
    return {s.order.begin(), s.order.begin() + static_cast<std::ptrdiff_t>(n)};
}

ChannelSetup WithBus() {
    ChannelSetup s;
    s.channels[0].name = "CLK";
    s.buses.push_back({"COUNT", {8, 7, 6, 5, 4, 3, 2, 1}, {}});
    return s;
}

// Every edit, on a setup with a named channel and a bus: what it leaves, or why it refuses.
TEST(SetupEdits, EditOrRefuse) {
    using Check = std::function<bool(const ChannelSetup&)>;
    const struct Case {
        const char* what;
        std::function<SetupEdit(const ChannelSetup&)> edit;
        std::string error;
        Check check;
    } cases[] = {
        {"rename", [](auto& s) { return RenameChannel(s, 3, "  TX  "); }, "",
         [](auto& s) { return s.channels[3].name == "TX"; }},
        {"rename empty", [](auto& s) { return RenameChannel(s, 0, " "); }, "",
         [](auto& s) { return s.channels[0].name.empty() && s.RowLabel(0) == "0"; }},
        {"rename bad", [](auto& s) { return RenameChannel(s, 3, "A=B"); },
         "a name may not hold ':', '=' or ',': they separate names from values where names are "
         "written out",
         nullptr},
        {"rename 16", [](auto& s) { return RenameChannel(s, 16, "X"); }, "there is no channel 16",
         nullptr},
        {"hide", [](auto& s) { return SetHidden(s, 5, true); }, "",
         [](auto& s) { return s.channels[5].hidden && !s.channels[4].hidden; }},
        {"bus",
         [](auto& s) {
             return MakeBus(s, " DATA ", {15, 14, 9});
         },
         "",
         [](auto& s) {
             return s.buses.size() == 2 && s.buses[1].name == "DATA" &&
                    s.buses[1].channels == std::vector<int>{15, 14, 9};
         }},
        {"bus no name",
         [](auto& s) {
             return MakeBus(s, "", {1, 2});
         },
         "a bus needs a name", nullptr},
        {"bus same name",
         [](auto& s) {
             return MakeBus(s, "COUNT", {1, 2});
         },
         "\"COUNT\" names another bus", nullptr},
        {"bus a channel's name",
         [](auto& s) {
             return MakeBus(s, "CLK", {1, 2});
         },
         "\"CLK\" is the label of channel 0", nullptr},
        {"bus a channel's number",
         [](auto& s) {
             return MakeBus(s, "7", {1, 2});
         },
         "\"7\" is the label of channel 7", nullptr},
        {"bus one channel", [](auto& s) { return MakeBus(s, "B", {1}); },
         "a bus needs at least two channels", nullptr},
        {"bus twice",
         [](auto& s) {
             return MakeBus(s, "B", {1, 2, 1});
         },
         "channel 1 is in the bus twice", nullptr},
        {"bus bad channel",
         [](auto& s) {
             return MakeBus(s, "B", {1, 16});
         },
         "there is no channel 16", nullptr},
        {"bus rename", [](auto& s) { return RenameBus(s, 0, "CNT"); }, "",
         [](auto& s) { return s.buses[0].name == "CNT" && s.buses[0].channels.size() == 8; }},
        {"bus rename to itself", [](auto& s) { return RenameBus(s, 0, "COUNT"); }, "",
         [](auto& s) { return s.buses[0].name == "COUNT"; }},
        {"bus rename bad", [](auto& s) { return RenameBus(s, 0, "a,b"); },
         "a name may not hold ':', '=' or ',': they separate names from values where names are "
         "written out",
         nullptr},
        {"bus rename missing", [](auto& s) { return RenameBus(s, 1, "X"); }, "there is no such bus",
         nullptr},
        {"bus delete", [](auto& s) { return DeleteBus(s, 0); }, "",
         [](auto& s) { return s.buses.empty(); }},
        {"rate", [](auto& s) { return SetSampleRate(s, "250k"); }, "",
         [](auto& s) { return s.sampleRate == 250e3; }},
        {"rate bad", [](auto& s) { return SetSampleRate(s, "1 mHz"); },
         "\"1 mHz\": 'm' would be milli; write M for mega", nullptr},
    };
    for (const Case& c : cases) {
        const SetupEdit r = c.edit(WithBus());
        EXPECT_EQ(r.error, c.error) << c.what;
        if (c.check) {
            EXPECT_TRUE(c.check(r.value)) << c.what;
        }
    }
}

TEST(SetupEdits, RateClearsAndReadsBack) {
    ChannelSetup s;
    s.sampleRate = 1e6;
    EXPECT_FALSE(SetSampleRate(s, "  ").value.sampleRate);
    const struct {
        double hz;
        const char* text;
    } cases[] = {{1e6, "1 MHz"},   {250e3, "250 kHz"},        {2.5e6, "2.5 MHz"},
                 {1e9, "1 GHz"},   {1234567, "1.234567 MHz"}, {0.5, "0.5 Hz"},
                 {12.5, "12.5 Hz"}};
    for (const auto& c : cases) {
        EXPECT_EQ(SampleRateText(c.hz), c.text);
        EXPECT_EQ(SetSampleRate(s, SampleRateText(c.hz)).value.sampleRate, c.hz) << c.text;
    }
}

// Rows move past shown rows only; at the ends nothing moves; a row goes to any place.
TEST(SetupEdits, MovesRows) {
    ChannelSetup s;
    s.channels[14].hidden = true;
    const struct {
        const char* what;
        SetupEdit r;
        std::vector<int> top;
    } cases[] = {
        {"up past hidden", MoveRow(s, 13, -1), {13, 15, 14, 12}},
        {"down past hidden", MoveRow(s, 15, 1), {14, 13, 15, 12}},
        {"up at top", MoveRow(s, 15, -1), {15, 14, 13, 12}},
        {"down", MoveRow(s, 12, 1), {15, 14, 13, 11, 12}},
        {"to top", MoveRowTo(s, 12, 0), {12, 15, 14, 13, 11}},
        {"to place", MoveRowTo(s, 15, 3), {14, 13, 12, 15, 11}},
        {"to itself", MoveRowTo(s, 13, 2), {15, 14, 13, 12}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.r.ok()) << c.what;
        EXPECT_EQ(Top(c.r.value, c.top.size()), c.top) << c.what;
    }
    EXPECT_EQ(MoveRow(s, 0, 1).value.order, s.order);
    EXPECT_EQ(MoveRowTo(s, 0, 16).error, "there is no row 16");

    const ChannelSetup moved = MoveRowTo(s, 0, 0).value;
    EXPECT_EQ(InRowOrder(moved, {3, 0, 9}), (std::vector<int>{0, 9, 3}));
}

}  // namespace
}  // namespace zq
