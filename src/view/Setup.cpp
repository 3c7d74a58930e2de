#include "view/Setup.h"

#include <algorithm>

#include "view/Translate.h"

namespace zq {

std::string ChannelSetup::RowLabel(int channel) const {
    const std::string& name = channels[static_cast<size_t>(channel)].name;
    return name.empty() ? std::to_string(channel) : name;
}

std::string ChannelSetup::VcdName(int channel) const {
    std::string name = channels[static_cast<size_t>(channel)].name;
    if (name.empty()) return "D" + std::to_string(channel);
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
}

std::string ChannelSetup::CsvColumn(int channel) const {
    const std::string& name = channels[static_cast<size_t>(channel)].name;
    if (name.empty()) return "D" + std::to_string(channel);
    if (name.find('"') == std::string::npos) return name;
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

Parsed<std::string> ReadName(std::string_view text) {
    for (unsigned char c : text) {
        if (c < 0x20 || c > 0x7E)
            return {{}, translate("zq::Setup", "a name holds printable ASCII characters only")};
    }
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (text.size() > kMaxNameLength)
        return {{},
                Arg(translate("zq::Setup", "a name is at most %1 characters"),
                    {std::to_string(kMaxNameLength)})};
    if (text.find_first_of(":=,") != std::string_view::npos)
        return {{},
                translate("zq::Setup",
                          "a name may not hold ':', '=' or ',': they separate names "
                          "from values where names are written out")};
    return {std::string(text), {}};
}

std::array<int, kChannels> CompleteOrder(const std::vector<int>& listed) {
    std::array<int, kChannels> order{};
    size_t n = 0;
    for (int c : listed) order[n++] = c;
    for (int c : kDefaultOrder) {
        if (std::find(listed.begin(), listed.end(), c) == listed.end()) order[n++] = c;
    }
    return order;
}

}  // namespace zq
