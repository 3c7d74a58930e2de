#include <array>
#include <ctime>
#include <vector>

#include "capture/CaptureFormat.h"
#include "export/Export.h"
#include "zq/Version.h"

namespace zq::exports {

namespace {

constexpr uint64_t kFsPerSecond = 1000000000000000;
constexpr int kWires = 18;  // D0..D15, TRIG, UNRELIABLE
constexpr int kTrigWire = 16;
constexpr int kUnreliableWire = 17;

// Identifiers '!' (D0) to '0' (D15), then '1' (TRIG) and '2' (UNRELIABLE): one character each
// keeps every value change a two-byte line. Buses follow from '3'; past '~' they take two.
std::string WireId(int wire) {
    constexpr int kOneChar = '~' - '!' + 1;
    if (wire < kOneChar) return std::string(1, static_cast<char>('!' + wire));
    return std::string{static_cast<char>('!' + (wire - kOneChar) / kOneChar),
                       static_cast<char>('!' + (wire - kOneChar) % kOneChar)};
}

}  // namespace

std::string VcdWireName(std::string_view name) {
    std::string safe = HeaderSafeText(name);
    for (char& ch : safe)
        if (ch == ' ') ch = '_';
    return safe;
}

std::optional<uint64_t> ParseSampleRate(std::string_view text) {
    if (text.empty() || text.size() > 16) return std::nullopt;
    uint64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + static_cast<uint64_t>(c - '0');
    }
    if (v < 1 || v > kMaxSampleRate) return std::nullopt;
    return v;
}

Timebase ChooseTimebase(uint64_t sampleRate) {
    Timebase t;
    t.sampleRate = sampleRate;
    // Units from 1 s down to 1 fs; a unit longer than the period cannot divide it.
    for (uint64_t unit = kFsPerSecond; unit >= 1; unit /= 10) {
        if (unit > kFsPerSecond / sampleRate) continue;
        if (kFsPerSecond % (sampleRate * unit) == 0) {
            t.unitFs = unit;
            t.exact = true;
            return t;
        }
    }
    t.exact = false;
    t.unitFs = 1;
    for (uint64_t unit = kFsPerSecond; unit >= 1; unit /= 10) {
        if (unit <= kFsPerSecond / sampleRate / 1000) {
            t.unitFs = unit;
            break;
        }
    }
    return t;
}

std::string Timebase::timescale() const {
    static constexpr const char* kNames[] = {"fs", "ps", "ns", "us", "ms", "s"};
    int exponent = 0;
    for (uint64_t u = unitFs; u >= 10; u /= 10) ++exponent;
    static constexpr const char* kFactors[] = {"1", "10", "100"};
    return std::string(kFactors[exponent % 3]) + " " + kNames[exponent / 3];
}

uint64_t Timebase::timescaleFactor() const {
    int exponent = 0;
    for (uint64_t u = unitFs; u >= 10; u /= 10) ++exponent;
    return exponent % 3 == 0 ? 1 : exponent % 3 == 1 ? 10 : 100;
}

uint64_t Timebase::at(int64_t sample) const {
    // sample <= 2048 and period <= 1e15 fs: the product stays far below 2^64.
    const uint64_t d = sampleRate * unitFs;
    return (static_cast<uint64_t>(sample) * kFsPerSecond + d / 2) / d;
}

std::string HeaderSafeText(std::string_view text) {
    std::string safe(text);
    for (char& c : safe)
        if (c == '$' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '_';
    return safe;
}

std::string HeaderSafeName(std::string_view path) {
    const size_t slash = path.rfind('/');
    return HeaderSafeText(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string Vcd(const DecodedCapture& c, const VcdOptions& o) {
    const Timebase tb = ChooseTimebase(o.sampleRate);
    std::string out;
    out.reserve(64 * 1024);
    out += "$date " + HeaderSafeText(o.date) + " $end\n";
    out += "$version " + HeaderSafeText(o.program) + " " + kVersion + " $end\n";
    out += "$comment capture " + HeaderSafeName(o.source) + "; " + std::to_string(kCaptureSamples) +
           " samples at " + std::to_string(o.sampleRate) + " Hz, " + std::to_string(tb.at(1)) +
           (tb.exact ? "" : " (rounded)") + " time units a sample; trigger at sample " +
           std::to_string(kTriggerSample) + " (#" + std::to_string(tb.at(kTriggerSample)) +
           ") $end\n";
    out +=
        "$comment D0..D15 are x where the file holds no complete word; UNRELIABLE is 1 over "
        "damaged lines and samples without a complete word $end\n";
    out += "$timescale " + tb.timescale() + " $end\n$scope module zq350 $end\n";
    for (int b = 0; b < 16; ++b)
        out += "$var wire 1 " + WireId(b) + " " + VcdWireName(o.names[static_cast<size_t>(b)]) +
               " $end\n";
    out += "$var wire 1 " + WireId(kTrigWire) + " TRIG $end\n";
    out += "$var wire 1 " + WireId(kUnreliableWire) + " UNRELIABLE $end\n";
    for (size_t n = 0; n < o.buses.size(); ++n) {
        const size_t width = o.buses[n].channels.size();
        out += "$var wire " + std::to_string(width) + " " + WireId(kWires + static_cast<int>(n)) +
               " " + VcdWireName(o.buses[n].name) + " [" + std::to_string(width - 1) + ":0] $end\n";
    }
    out += "$upscope $end\n$enddefinitions $end\n";
    // A bus's value as its vector's bits, most significant first.
    const auto busBits = [&](const BusWires& bus, size_t i) {
        std::string bits;
        for (int ch : bus.channels) bits += !c.held[i] ? 'x' : ((c.words[i] >> ch) & 1) ? '1' : '0';
        return bits;
    };
    std::vector<std::string> previousBus(o.buses.size());

    std::array<char, kWires> previous;
    previous.fill('?');
    for (int32_t s = 0; s < kCaptureSamples; ++s) {
        const size_t i = static_cast<size_t>(s);
        std::array<char, kWires> levels;
        for (int b = 0; b < 16; ++b)
            levels[static_cast<size_t>(b)] = !c.held[i] ? 'x' : ((c.words[i] >> b) & 1) ? '1' : '0';
        levels[kTrigWire] = s == kTriggerSample ? '1' : '0';
        levels[kUnreliableWire] = c.unreliable[i] ? '1' : '0';
        std::vector<std::string> bus(o.buses.size());
        for (size_t n = 0; n < o.buses.size(); ++n) bus[n] = busBits(o.buses[n], i);
        if (levels == previous && bus == previousBus) continue;
        out += '#';
        out += std::to_string(tb.at(s));
        out += '\n';
        if (s == 0) out += "$dumpvars\n";
        for (size_t w = 0; w < kWires; ++w) {
            if (levels[w] == previous[w]) continue;
            out += levels[w];
            out += WireId(static_cast<int>(w));
            out += '\n';
        }
        for (size_t n = 0; n < bus.size(); ++n) {
            if (bus[n] == previousBus[n]) continue;
            out += 'b' + bus[n] + ' ' + WireId(kWires + static_cast<int>(n)) + '\n';
        }
        if (s == 0) out += "$end\n";
        previous = levels;
        previousBus = std::move(bus);
    }
    // The end of the last sample, so that it has a length.
    out += '#';
    out += std::to_string(tb.at(kCaptureSamples));
    out += '\n';
    return out;
}

std::string DateNow() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&now, &tm);
    char buf[40];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S UTC", &tm);
    return buf;
}

}  // namespace zq::exports
