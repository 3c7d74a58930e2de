#pragma once
// The edits a user makes to the channel setup from the window (the labels' menu, the Channels
// dialog): each takes the setup in use and gives the new one, or says why it cannot. The window
// then uses the result whole, so an edit that fails changes nothing.

#include <string>
#include <string_view>
#include <vector>

#include "view/Setup.h"

namespace zq {

using SetupEdit = Parsed<ChannelSetup>;

// A channel's name as typed (ReadName's rules); an empty name gives the channel its number back.
SetupEdit RenameChannel(const ChannelSetup& setup, int channel, std::string_view text);

SetupEdit SetHidden(const ChannelSetup& setup, int channel, bool hidden);
SetupEdit ShowAllChannels(const ChannelSetup& setup);

// A channel's row one step up (direction < 0) or down, past the next row that is shown: moving
// past a hidden row would change nothing a user sees. At the top or bottom nothing changes.
SetupEdit MoveRow(const ChannelSetup& setup, int channel, int direction);
// A channel's row to a place in the order (0 the top), the rows between shifting by one.
SetupEdit MoveRowTo(const ChannelSetup& setup, int channel, int place);

// Channels as rows: ordered top to bottom, the way a bus made from rows takes its channels
// (the top one most significant, as in today's order with channel 15 at the top).
std::vector<int> InRowOrder(const ChannelSetup& setup, std::vector<int> channels);

// A new bus after the others. Its name follows ReadName's rules, is not empty, and is not
// another bus's name or a channel's label (names stand for their rows where they are written
// out). It takes at least two channels, each once: a single channel already has its row.
SetupEdit MakeBus(const ChannelSetup& setup, std::string_view name,
                  const std::vector<int>& channels);
SetupEdit RenameBus(const ChannelSetup& setup, size_t bus, std::string_view name);
SetupEdit DeleteBus(const ChannelSetup& setup, size_t bus);

// The sample rate as typed (ParseSampleRate's forms); blanks alone or nothing clear it.
SetupEdit SetSampleRate(const ChannelSetup& setup, std::string_view text);
// A rate as the editor offers it for retyping, in the largest unit that keeps it exact
// ("1 MHz", "250 kHz", "1234567 Hz"); it reads back as the same rate.
std::string SampleRateText(double hertz);

}  // namespace zq
