#include "view/SetupEdits.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "view/Translate.h"
#include "view/Units.h"

namespace zq {

namespace {

bool IsChannel(int channel) { return channel >= 0 && channel < kChannels; }

SetupEdit NoChannel(int channel) {
    return {{}, Arg(translate("zq::Setup", "there is no channel %1"), {std::to_string(channel)})};
}

size_t PlaceOf(const ChannelSetup& setup, int channel) {
    return static_cast<size_t>(std::find(setup.order.begin(), setup.order.end(), channel) -
                               setup.order.begin());
}

// The name a bus may take, or why not; skip is the bus being renamed.
Parsed<std::string> BusName(const ChannelSetup& setup, std::string_view text, size_t skip) {
    Parsed<std::string> name = ReadName(text);
    if (!name.ok()) return name;
    if (name.value.empty()) return {{}, translate("zq::Setup", "a bus needs a name")};
    for (size_t b = 0; b < setup.buses.size(); ++b) {
        if (b != skip && setup.buses[b].name == name.value)
            return {{}, Arg(translate("zq::Setup", "\"%1\" names another bus"), {name.value})};
    }
    for (int c = 0; c < kChannels; ++c) {
        if (setup.RowLabel(c) == name.value)
            return {{},
                    Arg(translate("zq::Setup", "\"%1\" is the label of channel %2"),
                        {name.value, std::to_string(c)})};
    }
    return name;
}

}  // namespace

SetupEdit RenameChannel(const ChannelSetup& setup, int channel, std::string_view text) {
    if (!IsChannel(channel)) return NoChannel(channel);
    const Parsed<std::string> name = ReadName(text);
    if (!name.ok()) return {{}, name.error};
    ChannelSetup s = setup;
    s.channels[static_cast<size_t>(channel)].name = name.value;
    return {s, {}};
}

SetupEdit SetHidden(const ChannelSetup& setup, int channel, bool hidden) {
    if (!IsChannel(channel)) return NoChannel(channel);
    ChannelSetup s = setup;
    s.channels[static_cast<size_t>(channel)].hidden = hidden;
    return {s, {}};
}

SetupEdit ShowAllChannels(const ChannelSetup& setup) {
    ChannelSetup s = setup;
    for (ChannelInfo& c : s.channels) c.hidden = false;
    return {s, {}};
}

SetupEdit MoveRow(const ChannelSetup& setup, int channel, int direction) {
    if (!IsChannel(channel)) return NoChannel(channel);
    const int from = static_cast<int>(PlaceOf(setup, channel));
    const int step = direction < 0 ? -1 : 1;
    for (int to = from + step; to >= 0 && to < kChannels; to += step) {
        if (!setup.channels[static_cast<size_t>(setup.order[static_cast<size_t>(to)])].hidden)
            return MoveRowTo(setup, channel, to);
    }
    return {setup, {}};
}

SetupEdit MoveRowTo(const ChannelSetup& setup, int channel, int place) {
    if (!IsChannel(channel)) return NoChannel(channel);
    if (place < 0 || place >= kChannels)
        return {{}, Arg(translate("zq::Setup", "there is no row %1"), {std::to_string(place)})};
    ChannelSetup s = setup;
    const auto from = s.order.begin() + static_cast<std::ptrdiff_t>(PlaceOf(s, channel));
    const auto to = s.order.begin() + place;
    if (from < to)
        std::rotate(from, from + 1, to + 1);
    else
        std::rotate(to, from, from + 1);
    return {s, {}};
}

std::vector<int> InRowOrder(const ChannelSetup& setup, std::vector<int> channels) {
    std::stable_sort(channels.begin(), channels.end(),
                     [&](int a, int b) { return PlaceOf(setup, a) < PlaceOf(setup, b); });
    return channels;
}

SetupEdit MakeBus(const ChannelSetup& setup, std::string_view name,
                  const std::vector<int>& channels) {
    const Parsed<std::string> busName = BusName(setup, name, setup.buses.size());
    if (!busName.ok()) return {{}, busName.error};
    if (channels.size() < 2)
        return {{}, translate("zq::Setup", "a bus needs at least two channels")};
    for (size_t i = 0; i < channels.size(); ++i) {
        if (!IsChannel(channels[i])) return NoChannel(channels[i]);
        if (std::find(channels.begin(), channels.begin() + static_cast<std::ptrdiff_t>(i),
                      channels[i]) != channels.begin() + static_cast<std::ptrdiff_t>(i))
            return {{},
                    Arg(translate("zq::Setup", "channel %1 is in the bus twice"),
                        {std::to_string(channels[i])})};
    }
    ChannelSetup s = setup;
    s.buses.push_back({busName.value, channels, {}});
    return {s, {}};
}

SetupEdit RenameBus(const ChannelSetup& setup, size_t bus, std::string_view name) {
    if (bus >= setup.buses.size()) return {{}, translate("zq::Setup", "there is no such bus")};
    const Parsed<std::string> busName = BusName(setup, name, bus);
    if (!busName.ok()) return {{}, busName.error};
    ChannelSetup s = setup;
    s.buses[bus].name = busName.value;
    return {s, {}};
}

SetupEdit DeleteBus(const ChannelSetup& setup, size_t bus) {
    if (bus >= setup.buses.size()) return {{}, translate("zq::Setup", "there is no such bus")};
    ChannelSetup s = setup;
    s.buses.erase(s.buses.begin() + static_cast<std::ptrdiff_t>(bus));
    return {s, {}};
}

SetupEdit SetSampleRate(const ChannelSetup& setup, std::string_view text) {
    ChannelSetup s = setup;
    if (text.find_first_not_of(' ') == std::string_view::npos) {
        s.sampleRate.reset();
        return {s, {}};
    }
    const Parsed<double> rate = ParseSampleRate(text);
    if (!rate.ok()) return {{}, rate.error};
    s.sampleRate = rate.value;
    return {s, {}};
}

std::string SampleRateText(double hertz) {
    static constexpr struct {
        const char* unit;
        double scale;
    } kUnits[] = {{"GHz", 1e9}, {"MHz", 1e6}, {"kHz", 1e3}, {"Hz", 1}};
    for (const auto& u : kUnits) {
        if (hertz < u.scale && u.scale > 1) continue;
        char buf[400];
        // Shortest digits that give the scaled value back; not exponent notation, which the
        // rate's reader refuses.
        const auto end =
            std::to_chars(buf, buf + sizeof buf, hertz / u.scale, std::chars_format::fixed);
        if (end.ec != std::errc()) continue;
        const std::string text = std::string(buf, end.ptr) + " " + u.unit;
        const Parsed<double> back = ParseSampleRate(text);
        if (back.ok() && back.value == hertz) return text;
    }
    return {};
}

}  // namespace zq
