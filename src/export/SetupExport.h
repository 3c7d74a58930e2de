#pragma once
// What a channel setup changes in the exports: names, buses and the sample rate. Hiding and
// the order of rows change none: every channel stays in its column or wire, renamed only.

#include "export/Export.h"
#include "view/Setup.h"

namespace zq::exports {

// The setup's rate in whole hertz, as the VCD counts time; the default without one.
uint64_t SetupSampleRate(const ChannelSetup& setup);

// Wire names, buses and the rate.
void ApplySetup(const ChannelSetup& setup, VcdOptions& o);
// The VCD's wire names and buses, the setup's own names as aliases, the rate.
void ApplySetup(const ChannelSetup& setup, GtkwOptions& o);
// CSV column headings.
ChannelNames CsvNames(const ChannelSetup& setup);

}  // namespace zq::exports
