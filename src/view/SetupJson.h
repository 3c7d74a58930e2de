#pragma once
// The setup as a JSON file, e.g.
//
//   {
//     "samplerate": 1000000,
//     "order": [15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0],
//     "channels": [
//       {"channel": 0, "name": "CLK"},
//       {"channel": 9, "name": "TX", "hidden": true}
//     ],
//     "buses": [
//       {"name": "COUNT", "channels": [8, 7, 6, 5, 4, 3, 2, 1]}
//     ],
//     "decoders": [
//       [{"id": "uart", "channels": {"rx": 9}, "options": {"baudrate": "166667"}}]
//     ]
//   }
//
// samplerate is in hertz; order lists rows top to bottom, channels it leaves out following in
// today's order; channels holds what differs from a channel's defaults; bus channels are most
// significant first; decoders lists stacks, each a decoder on channels (the decoder's channel
// ids to ours) with those stacked on its output, bottom first, and options as typed. A key
// left out keeps its default, and a key this program does not know is kept and written back,
// so that a file written by a newer version survives an older one.

#include <string>
#include <string_view>

#include "view/Setup.h"

namespace zq {

// The setup a file's text holds, or why it holds none: "FILE: line N: ..." for text that is not
// JSON, "FILE: PATH: ..." (PATH as channels[1].name) for a value this program refuses.
Parsed<ChannelSetup> ParseSetup(std::string_view text, std::string_view fileName);

// The file's text: only what differs from the defaults, and the unknown keys. Keys in the order
// above with unknown keys after the known ones, each top-level key on a line of its own (two
// blanks in), a channel or bus entry on a line of its own, a list of numbers on one line, so
// that a change reads as a small diff. Ends with a newline.
std::string SaveSetup(const ChannelSetup& setup);

// The setup in the file at path, or why there is none ("PATH: " and the system's text when it
// cannot be read). A setup is a few hundred bytes: a wrong file is not read past 1 MiB.
Parsed<ChannelSetup> LoadSetupFile(const std::string& path);

}  // namespace zq
