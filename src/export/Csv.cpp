#include "export/Export.h"

namespace zq::exports {

ChannelNames DefaultChannelNames() {
    ChannelNames names;
    for (int b = 0; b < 16; ++b) names[static_cast<size_t>(b)] = "D" + std::to_string(b);
    return names;
}

std::string Csv(const DecodedCapture& c, const ChannelNames& names) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "sample,word";
    for (int b = 15; b >= 0; --b) out += "," + names[static_cast<size_t>(b)];
    out += '\n';
    out.reserve(out.size() + kCaptureSamples * 44);
    for (int32_t s = 0; s < kCaptureSamples; ++s) {
        const size_t i = static_cast<size_t>(s);
        out += std::to_string(s);
        out += ',';
        const uint16_t w = c.words[i];
        if (c.held[i])
            for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(w >> shift) & 0xF];
        for (int b = 15; b >= 0; --b) {
            out += ',';
            if (c.held[i]) out += ((w >> b) & 1) ? '1' : '0';
        }
        out += '\n';
    }
    return out;
}

}  // namespace zq::exports
