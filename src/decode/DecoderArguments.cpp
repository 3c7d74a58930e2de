// sigrok-cli's -P and -A arguments, so that users carry their command lines over. Plain text
// work: nothing here needs the library.

#include <charconv>

#include "decode/DecoderLibrary.h"

namespace zq::decode {

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (size_t from = 0;;) {
        const size_t at = text.find(separator, from);
        parts.push_back(text.substr(from, at == text.npos ? text.npos : at - from));
        if (at == text.npos) return parts;
        from = at + 1;
    }
}

// The channel a value names: a name from the setup, else D<n> or d<n> (sigrok-cli's names for
// the channels of our VCD export).
std::optional<int> NamedChannel(std::string_view value, const ChannelSetup& setup) {
    for (int c = 0; c < kChannels; ++c) {
        const std::string& name = setup.channels[static_cast<size_t>(c)].name;
        if (!name.empty() && name == value) return c;
    }
    if (value.size() < 2 || (value[0] != 'D' && value[0] != 'd')) return std::nullopt;
    int n = -1;
    const char* end = value.data() + value.size();
    const auto r = std::from_chars(value.data() + 1, end, n);
    if (r.ec != std::errc() || r.ptr != end || n < 0 || n >= kChannels ||
        (value.size() > 2 && value[1] == '0'))
        return std::nullopt;
    return n;
}

}  // namespace

Parsed<DecoderStack> ParseDecoderArgument(std::string_view text, const ChannelSetup& setup) {
    Parsed<DecoderStack> out;
    auto fail = [&](const std::string& why) {
        out.value.clear();
        out.error = why;
        return out;
    };
    for (std::string_view part : Split(text, ',')) {
        const auto fields = Split(part, ':');
        if (fields.front().empty())
            return fail("a decoder id is missing in '" + std::string(text) + "'");
        DecoderUse use;
        use.id = std::string(fields.front());
        for (size_t i = 1; i < fields.size(); ++i) {
            const size_t eq = fields[i].find('=');
            if (eq == 0 || eq == std::string_view::npos || eq + 1 == fields[i].size())
                return fail(use.id + ": '" + std::string(fields[i]) + "' is not KEY=VALUE");
            const std::string key(fields[i].substr(0, eq));
            const std::string_view value = fields[i].substr(eq + 1);
            for (const auto& c : use.channels)
                if (c.first == key) return fail(use.id + ": " + key + " is given twice");
            for (const auto& o : use.options)
                if (o.first == key) return fail(use.id + ": " + key + " is given twice");
            if (const auto channel = NamedChannel(value, setup))
                use.channels.emplace_back(key, *channel);
            else
                use.options.emplace_back(key, std::string(value));
        }
        out.value.push_back(std::move(use));
    }
    return out;
}

Parsed<std::vector<AnnotationChoice>> ParseAnnotationArgument(std::string_view text) {
    Parsed<std::vector<AnnotationChoice>> out;
    for (std::string_view part : Split(text, ',')) {
        const size_t eq = part.find('=');
        AnnotationChoice choice{std::string(part.substr(0, eq)), {}};
        if (eq != std::string_view::npos)
            for (std::string_view name : Split(part.substr(eq + 1), ':')) {
                if (name.empty()) {
                    out.error = "an annotation name is empty in '" + std::string(text) + "'";
                    break;
                }
                choice.names.emplace_back(name);
            }
        if (choice.decoder.empty() && out.error.empty())
            out.error = "a decoder id is missing in '" + std::string(text) + "'";
        if (!out.error.empty()) {
            out.value.clear();
            return out;
        }
        out.value.push_back(std::move(choice));
    }
    return out;
}

}  // namespace zq::decode
