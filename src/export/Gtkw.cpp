#include <cmath>
#include <cstdio>

#include "capture/CaptureFormat.h"
#include "export/Export.h"
#include "zq/Version.h"

namespace zq::exports {

namespace {

constexpr int kViewWidth = 1200;  // the viewer window's width, and so the zoom that fits
constexpr int kNamedMarkers = 26;

}  // namespace

std::optional<std::string> Gtkw(const GtkwOptions& o) {
    // Paths are written between quotes and read back verbatim, without escapes.
    for (const std::string* path : {&o.dumpFile, &o.saveFile})
        for (char c : *path)
            if (c == '"' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return std::nullopt;
    const Timebase tb = ChooseTimebase(o.sampleRate);

    std::string out = "[*] zq350 " + std::string(kVersion) + ": a ZQ350 capture\n";
    out += "[dumpfile] \"" + o.dumpFile + "\"\n";
    // With its own path, the viewer finds a dump file moved along with it by their relation.
    if (!o.saveFile.empty()) out += "[savefile] \"" + o.saveFile + "\"\n";
    out += "[timestart] 0\n";
    out += "[size] " + std::to_string(kViewWidth) + " 700\n";
    // The viewer counts time in the timescale's unit without its number (100 ns: ns), so
    // marker times are VCD times times that number. At zoom 0 it draws about 200 pixels a
    // unit, half as many a step down; the whole capture is made to span about 680 pixels,
    // the traces' part of a window of kViewWidth.
    const uint64_t factor = tb.timescaleFactor();
    const double units = static_cast<double>(tb.at(kCaptureSamples) * factor);
    const double zoom = std::floor(std::log2(680.0 / (units * 200.0)) * 100.0) / 100.0;
    char zoomText[32];
    std::snprintf(zoomText, sizeof zoomText, "%.6f", zoom);
    out += "*" + std::string(zoomText) + " " + std::to_string(tb.at(kTriggerSample) * factor);
    auto marker = [&](const std::optional<int32_t>& s) {
        return s && *s >= 0 && *s < kCaptureSamples ? std::to_string(tb.at(*s) * factor) : "-1";
    };
    out += " " + marker(o.cursorA) + " " + marker(o.cursorB);
    for (int m = 2; m < kNamedMarkers; ++m) out += " -1";
    out += '\n';
    if (marker(o.cursorA) != "-1") out += "[markername] ACursor A\n";
    if (marker(o.cursorB) != "-1") out += "[markername] BCursor B\n";
    // One group of the sixteen channels, D15 on top as in the listing's bits, then the two
    // wires about the capture itself.
    // A channel by its wire's name, shown by the setup's name where the two differ.
    const auto channel = [&](int b) {
        const std::string wire = "zq350." + VcdWireName(o.names[static_cast<size_t>(b)]);
        const std::string& alias = o.aliases[static_cast<size_t>(b)];
        if (alias.empty() || alias == VcdWireName(o.names[static_cast<size_t>(b)]))
            return wire + "\n";
        return "+{" + HeaderSafeText(alias) + "} " + wire + "\n";
    };
    out += "@800200\n-ZQ350 D15..D0\n@28\n";
    for (int b = 15; b >= 0; --b) out += channel(b);
    out += "@1000200\n-ZQ350 D15..D0\n@28\nzq350.TRIG\nzq350.UNRELIABLE\n";
    // Each bus as a group: its value in hexadecimal, then its members.
    for (const BusWires& bus : o.buses) {
        const std::string name = VcdWireName(bus.name);
        out += "@800200\n-" + HeaderSafeText(bus.name) + "\n@22\nzq350." + name + "[" +
               std::to_string(bus.channels.size() - 1) + ":0]\n@28\n";
        for (int ch : bus.channels) out += channel(ch);
        out += "@1000200\n-" + HeaderSafeText(bus.name) + "\n";
    }
    return out;
}

}  // namespace zq::exports
