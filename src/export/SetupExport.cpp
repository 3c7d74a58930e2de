#include "export/SetupExport.h"

#include <cmath>

namespace zq::exports {

namespace {

std::vector<BusWires> Buses(const ChannelSetup& setup) {
    std::vector<BusWires> buses;
    for (const Bus& b : setup.buses) buses.push_back({b.name, b.channels});
    return buses;
}

}  // namespace

uint64_t SetupSampleRate(const ChannelSetup& setup) {
    if (setup.sampleRate && *setup.sampleRate >= 0.5 &&
        *setup.sampleRate <= static_cast<double>(kMaxSampleRate))
        return static_cast<uint64_t>(std::llround(*setup.sampleRate));
    return kDefaultSampleRate;
}

void ApplySetup(const ChannelSetup& setup, VcdOptions& o) {
    for (int b = 0; b < 16; ++b) o.names[static_cast<size_t>(b)] = setup.VcdName(b);
    o.buses = Buses(setup);
    o.sampleRate = SetupSampleRate(setup);
}

void ApplySetup(const ChannelSetup& setup, GtkwOptions& o) {
    for (int b = 0; b < 16; ++b) {
        o.names[static_cast<size_t>(b)] = setup.VcdName(b);
        o.aliases[static_cast<size_t>(b)] = setup.channels[static_cast<size_t>(b)].name;
    }
    o.buses = Buses(setup);
    o.sampleRate = SetupSampleRate(setup);
}

ChannelNames CsvNames(const ChannelSetup& setup) {
    ChannelNames names;
    for (int b = 0; b < 16; ++b) names[static_cast<size_t>(b)] = setup.CsvColumn(b);
    return names;
}

}  // namespace zq::exports
