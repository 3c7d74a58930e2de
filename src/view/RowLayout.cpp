#include "view/RowLayout.h"

#include <algorithm>
#include <cmath>

namespace zq {

std::optional<size_t> RowLayout::rowOfChannel(int channel) const {
    for (size_t r = 0; r < rows.size(); ++r)
        if (rows[r].isChannel() && rows[r].channel == channel) return r;
    return std::nullopt;
}

std::optional<size_t> RowLayout::rowAt(double value) const {
    if (!(value < 16) || rows.empty()) return std::nullopt;
    const double r = std::floor((16 - value) / pitch);
    if (r < 0 || r >= static_cast<double>(rows.size())) return std::nullopt;
    return static_cast<size_t>(r);
}

bool RowLayout::isDefault() const {
    if (rows.size() != kChannels || pitch != 1) return false;
    for (size_t r = 0; r < rows.size(); ++r)
        if (rows[r] != ChartRow{static_cast<int>(kChannels - 1 - r)}) return false;
    return true;
}

RowLayout LayOutRows(const ChannelSetup& setup, size_t annotationRows) {
    RowLayout layout;
    std::vector<bool> busPlaced(setup.buses.size(), false);
    for (int c : setup.order) {
        // A bus sits above its most significant member, shown or hidden.
        for (size_t b = 0; b < setup.buses.size(); ++b) {
            const Bus& bus = setup.buses[b];
            if (busPlaced[b] || bus.channels.empty() || bus.channels.front() != c) continue;
            layout.rows.push_back({-1, static_cast<int>(b)});
            busPlaced[b] = true;
        }
        if (!setup.channels[static_cast<size_t>(c)].hidden) layout.rows.push_back({c, -1});
    }
    for (size_t a = 0; a < annotationRows; ++a)
        layout.rows.push_back({-1, -1, static_cast<int>(a)});
    if (layout.rows.size() > static_cast<size_t>(kChannels)) {
        layout.places = layout.rows.size();
        layout.pitch = static_cast<double>(kChannels) / static_cast<double>(layout.places);
    }
    return layout;
}

std::vector<int64_t> BusSamples(const DecodedCapture& model, std::span<const int> channelsMsbFirst,
                                int32_t first, int count) {
    std::vector<int64_t> values(static_cast<size_t>(std::max(0, count)), -1);
    for (int i = 0; i < count; ++i) {
        const int64_t s = static_cast<int64_t>(first) + i;
        if (s < 0 || s >= kCaptureSamples || !model.held[static_cast<size_t>(s)]) continue;
        const uint16_t word = model.words[static_cast<size_t>(s)];
        uint32_t v = 0;
        for (int c : channelsMsbFirst) v = v << 1 | ((word >> c) & 1u);
        values[static_cast<size_t>(i)] = v;
    }
    return values;
}

std::string BusValueText(uint32_t value, size_t channels) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const size_t digits = std::max<size_t>(1, (channels + 3) / 4);
    std::string text(digits, '0');
    for (size_t i = 0; i < digits; ++i) text[digits - 1 - i] = kDigits[(value >> (4 * i)) & 0xF];
    return text;
}

}  // namespace zq
