#pragma once
// The decoders of the setup as a user edits them: a decoder added on channels or stacked on
// another's output, changed, removed; the form the Add Decoder dialog fills (channels
// pre-filled by name, options from their defaults) and what it gives. Plain code, no Qt.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "view/Decoding.h"
#include "view/SetupEdits.h"

namespace zq {

// A decoder of the setup: its stack and its level in it (0 the one on channels).
struct DecoderPlace {
    size_t stack = 0;
    size_t level = 0;
    bool operator==(const DecoderPlace&) const = default;
};

// What the dialog holds, as typed.
struct DecoderForm {
    std::string id;
    // The stack the decoder goes on top of; none: on channels, a stack of its own. Ignored
    // when a decoder is changed in its place.
    std::optional<size_t> onStack;
    // Each of the decoder's channels (required, then optional) and ours for it, -1 for none.
    std::vector<std::pair<std::string, int>> channels;
    // Each of the decoder's options and its value as typed.
    std::vector<std::pair<std::string, std::string>> options;
    // The sample rate as typed, asked for when the setup has none.
    std::string rate;
};

// The form a dialog opens with: for a new decoder (place empty) its channels matched by name
// (a channel of ours whose label is, in either case, the decoder channel's id or name: "RX" for
// UART's rx, "SCL" and "SDA" for I2C's) and its options at their defaults; for a decoder of the
// setup what it has.
DecoderForm FormFor(const decode::DecoderInfo& info, const ChannelSetup& setup,
                    std::optional<DecoderPlace> place);

// The setup's stacks a decoder can go on top of: those whose top decoder gives what it takes
// (its inputs among the top's outputs). infos describes the setup's decoders by id.
std::vector<size_t> StacksFor(const decode::DecoderInfo& info, const ChannelSetup& setup,
                              const std::vector<decode::DecoderInfo>& infos);
// Whether it takes channels (its inputs hold "logic").
bool TakesChannels(const decode::DecoderInfo& info);

// An option's value as typed: why it is refused (not a whole number for an integer option,
// not a number for a float one, not one of the values the decoder lists), or empty.
std::string CheckOption(const decode::DecoderOption& option, std::string_view value);

// The setup with the form's decoder added (place empty) or put in place of the decoder at
// place, its channels (every required one given, when it takes channels) and options (only
// those that differ from their defaults are kept) checked, and the rate set when it had none.
SetupEdit ApplyDecoderForm(const ChannelSetup& setup, const decode::DecoderInfo& info,
                           const DecoderForm& form, std::optional<DecoderPlace> place);

// The setup without the decoder at place and those stacked on it, which take its output.
SetupEdit RemoveDecoder(const ChannelSetup& setup, DecoderPlace place);

// Every decoder of the setup, stack by stack, bottom first.
std::vector<DecoderPlace> DecoderPlaces(const ChannelSetup& setup);
// How the menus name a decoder of the setup: "uart (rx: RX)", "uart > midi".
std::string DecoderLabel(const ChannelSetup& setup, DecoderPlace place);

}  // namespace zq
