#include "view/Measure.h"

#include <algorithm>

namespace zq {
namespace {

constexpr int kChannels = 16;

bool ValidChannel(int channel) { return channel >= 0 && channel < kChannels; }

bool InCapture(int32_t sample) { return sample >= 0 && sample < kCaptureSamples; }

// A held word the file does not also mark as damaged; the only samples measured from.
std::bitset<kCaptureSamples> Reliable(const DecodedCapture& model) {
    return model.held & ~model.unreliable;
}

// The run of held samples around `sample` whose bits under `mask` equal its own. The caller has
// checked that the sample is in the capture and held.
struct Run {
    int32_t first = 0;
    int32_t last = 0;
    bool cutByStart = false;
    bool cutByEnd = false;
    bool touchesDamage = false;
    std::optional<int32_t> width;
};

Run RunAt(const DecodedCapture& model, const std::bitset<kCaptureSamples>& reliable, uint16_t mask,
          int32_t sample) {
    const uint16_t v = model.words[static_cast<size_t>(sample)] & mask;
    const auto same = [&](int32_t i) {
        return model.held[static_cast<size_t>(i)] &&
               (model.words[static_cast<size_t>(i)] & mask) == v;
    };
    Run r;
    r.first = sample;
    while (r.first > 0 && same(r.first - 1)) --r.first;
    r.last = sample;
    while (r.last < kCaptureSamples - 1 && same(r.last + 1)) ++r.last;
    r.cutByStart = r.first == 0;
    r.cutByEnd = r.last == kCaptureSamples - 1;
    // The samples either side carry the edges, so they must be trustworthy too.
    const int32_t from = std::max(r.first - 1, 0);
    const int32_t to = std::min(r.last + 1, kCaptureSamples - 1);
    for (int32_t i = from; i <= to && !r.touchesDamage; ++i)
        r.touchesDamage = !reliable[static_cast<size_t>(i)];
    if (!r.cutByStart && !r.cutByEnd && !r.touchesDamage) r.width = r.last - r.first + 1;
    return r;
}

void Add(std::optional<WidthStats>& s, int32_t width, int64_t& sum) {
    if (!s) s = WidthStats{width, 0, width, 0};
    s->min = std::min(s->min, width);
    s->max = std::max(s->max, width);
    ++s->count;
    sum += width;
}

void Finish(std::optional<WidthStats>& s, int64_t sum) {
    if (s) s->mean = static_cast<double>(sum) / s->count;
}

}  // namespace

std::optional<Pulse> PulseAt(const DecodedCapture& model, int channel, int32_t sample) {
    if (!ValidChannel(channel) || !InCapture(sample) || !model.held[static_cast<size_t>(sample)])
        return std::nullopt;
    const auto reliable = Reliable(model);
    const auto mask = static_cast<uint16_t>(1u << channel);
    const Run r = RunAt(model, reliable, mask, sample);
    Pulse p;
    p.level = (model.words[static_cast<size_t>(sample)] >> channel) & 1;
    p.first = r.first;
    p.last = r.last;
    p.cutByStart = r.cutByStart;
    p.cutByEnd = r.cutByEnd;
    p.touchesDamage = r.touchesDamage;
    p.width = r.width;
    if (!r.width) return p;
    // A complete pulse ends at an edge, so the sample after it is reliable and of the other level.
    const Run next = RunAt(model, reliable, mask, r.last + 1);
    if (!next.width) return p;
    p.period = next.last + 1 - r.first;
    p.duty = static_cast<double>(p.level == 1 ? *r.width : *next.width) / *p.period;
    p.frequency = 1.0 / *p.period;
    return p;
}

std::optional<BusValue> BusValueAt(const DecodedCapture& model,
                                   std::span<const int> channelsMsbFirst, int32_t sample) {
    if (channelsMsbFirst.empty() || channelsMsbFirst.size() > kChannels || !InCapture(sample) ||
        !model.held[static_cast<size_t>(sample)])
        return std::nullopt;
    const uint16_t word = model.words[static_cast<size_t>(sample)];
    uint16_t mask = 0;
    BusValue b;
    for (int c : channelsMsbFirst) {
        if (!ValidChannel(c)) return std::nullopt;
        mask = static_cast<uint16_t>(mask | (1u << c));
        b.value = (b.value << 1) | ((word >> c) & 1u);
    }
    const Run r = RunAt(model, Reliable(model), mask, sample);
    b.first = r.first;
    b.last = r.last;
    b.cutByStart = r.cutByStart;
    b.cutByEnd = r.cutByEnd;
    b.touchesDamage = r.touchesDamage;
    b.width = r.width;
    return b;
}

ChannelStatistics ChannelStats(const DecodedCapture& model, int channel) {
    ChannelStatistics s;
    if (!ValidChannel(channel)) return s;
    const auto reliable = Reliable(model);
    const auto level = [&](int32_t i) {
        return (model.words[static_cast<size_t>(i)] >> channel) & 1;
    };
    int64_t highSum = 0, lowSum = 0, periodSum = 0, cycleHighSum = 0;
    // Within the current reliable stretch: the last edge, the last rising edge and the width of
    // the high pulse that rising edge started (known once its falling edge came).
    int32_t lastEdge = -1, lastRise = -1, highAfterRise = 0;
    for (int32_t i = 1; i < kCaptureSamples; ++i) {
        if (!reliable[static_cast<size_t>(i - 1)] || !reliable[static_cast<size_t>(i)]) {
            lastEdge = lastRise = -1;
            continue;
        }
        const int before = level(i - 1);
        if (before == level(i)) continue;
        if (lastEdge >= 0) {
            const int32_t width = i - lastEdge;
            if (before == 1) {
                Add(s.high, width, highSum);
                highAfterRise = width;
            } else {
                Add(s.low, width, lowSum);
            }
        }
        lastEdge = i;
        if (before == 1) {
            ++s.fallingEdges;
            continue;
        }
        ++s.risingEdges;
        if (lastRise >= 0) {
            Add(s.period, i - lastRise, periodSum);
            cycleHighSum += highAfterRise;
        }
        lastRise = i;
    }
    Finish(s.high, highSum);
    Finish(s.low, lowSum);
    Finish(s.period, periodSum);
    if (s.period) {
        s.frequency = 1.0 / s.period->mean;
        s.duty = static_cast<double>(cycleHighSum) / static_cast<double>(periodSum);
    }
    return s;
}

int32_t EdgesBetween(const DecodedCapture& model, int channel, int32_t a, int32_t b) {
    if (!ValidChannel(channel)) return 0;
    // Clamped both ways: lo + 1 must not overflow for a cursor far past the capture.
    const int32_t lo = std::clamp(std::min(a, b), 0, kCaptureSamples - 1);
    const int32_t hi = std::min(std::max(a, b), kCaptureSamples - 1);
    const auto reliable = Reliable(model);
    int32_t edges = 0;
    for (int32_t i = lo + 1; i <= hi; ++i) {
        const auto s = static_cast<size_t>(i);
        edges += reliable[s - 1] && reliable[s] &&
                 ((model.words[s - 1] ^ model.words[s]) >> channel) & 1;
    }
    return edges;
}

}  // namespace zq
