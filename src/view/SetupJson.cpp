#include "view/SetupJson.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <nlohmann/json.hpp>

#include "capture/LayoutCheck.h"
#include "view/Translate.h"

namespace zq {

using decode::DecoderStack;
using decode::DecoderUse;

namespace {

using Json = nlohmann::json;
// Saving keeps the order in which keys are put in, so that the file reads as documented.
using OrderedJson = nlohmann::ordered_json;

// Deeper than any setup needs; a bound keeps the recursive parts of the library (copying,
// writing back unknown keys) off the end of the stack whatever a file holds.
constexpr int kMaxDepth = 64;

// The first value refused, thrown from deep in the reading and turned into the message once.
struct Refused {
    std::string path, what;
};

[[noreturn]] void Refuse(std::string path, std::string what) {
    throw Refused{std::move(path), std::move(what)};
}

std::string At(const std::string& path, size_t i) { return path + "[" + std::to_string(i) + "]"; }
std::string At(const std::string& path, const std::string& key) {
    return path.empty() ? key : path + "." + key;
}

const Json& Object(const Json& v, const std::string& path) {
    if (!v.is_object()) Refuse(path, translate("zq::Setup", "an object {...} expected"));
    return v;
}

const Json& List(const Json& v, const std::string& path) {
    if (!v.is_array()) Refuse(path, translate("zq::Setup", "a list [...] expected"));
    return v;
}

int Channel(const Json& v, const std::string& path) {
    if (!v.is_number_integer() || v.get<int64_t>() < 0 || v.get<int64_t>() >= kChannels)
        Refuse(path, Arg(translate("zq::Setup", "%1 is not a channel: channels are 0 to 15"),
                         {PrintableText(v.dump())}));
    return v.get<int>();
}

std::string Name(const Json& v, const std::string& path) {
    if (!v.is_string()) Refuse(path, translate("zq::Setup", "a name in quotes expected"));
    Parsed<std::string> name = ReadName(v.get<std::string>());
    if (!name.ok()) Refuse(path, name.error);
    return name.value;
}

// The keys of an entry this program does not know, as JSON text; empty when there are none.
std::string Unknown(const Json& entry, std::initializer_list<std::string_view> known) {
    Json rest = Json::object();
    for (const auto& [key, value] : entry.items()) {
        if (std::find(known.begin(), known.end(), key) == known.end()) rest[key] = value;
    }
    return rest.empty() ? std::string() : rest.dump();
}

void ReadChannels(const Json& list, ChannelSetup& setup) {
    std::array<bool, kChannels> described{};
    for (size_t i = 0; i < list.size(); ++i) {
        const std::string path = At("channels", i);
        const Json& entry = Object(list[i], path);
        const auto number = entry.find("channel");
        if (number == entry.end())
            Refuse(path, translate("zq::Setup", "\"channel\" missing: which channel it describes"));
        const int c = Channel(*number, At(path, "channel"));
        if (described[static_cast<size_t>(c)])
            Refuse(At(path, "channel"), Arg(translate("zq::Setup", "channel %1 is described twice"),
                                            {std::to_string(c)}));
        described[static_cast<size_t>(c)] = true;
        ChannelInfo& info = setup.channels[static_cast<size_t>(c)];
        if (const auto name = entry.find("name"); name != entry.end())
            info.name = Name(*name, At(path, "name"));
        if (const auto hidden = entry.find("hidden"); hidden != entry.end()) {
            if (!hidden->is_boolean())
                Refuse(At(path, "hidden"), translate("zq::Setup", "true or false expected"));
            info.hidden = hidden->get<bool>();
        }
        info.unknown = Unknown(entry, {"channel", "name", "hidden"});
    }
}

void ReadBuses(const Json& list, ChannelSetup& setup) {
    for (size_t i = 0; i < list.size(); ++i) {
        const std::string path = At("buses", i);
        const Json& entry = Object(list[i], path);
        Bus bus;
        const auto name = entry.find("name");
        if (name == entry.end())
            Refuse(path, translate("zq::Setup", "\"name\" missing: a bus needs a name"));
        bus.name = Name(*name, At(path, "name"));
        if (bus.name.empty())
            Refuse(At(path, "name"), translate("zq::Setup", "a bus needs a name"));
        for (const Bus& earlier : setup.buses) {
            if (earlier.name == bus.name)
                Refuse(At(path, "name"),
                       Arg(translate("zq::Setup", "\"%1\" names an earlier bus too"), {bus.name}));
        }
        const auto members = entry.find("channels");
        if (members == entry.end())
            Refuse(path, translate("zq::Setup", "\"channels\" missing: a bus needs channels"));
        const Json& list = List(*members, At(path, "channels"));
        if (list.empty())
            Refuse(At(path, "channels"),
                   translate("zq::Setup", "a bus needs at least one channel"));
        for (size_t m = 0; m < list.size(); ++m) {
            const int c = Channel(list[m], At(At(path, "channels"), m));
            if (std::find(bus.channels.begin(), bus.channels.end(), c) != bus.channels.end())
                Refuse(At(At(path, "channels"), m),
                       Arg(translate("zq::Setup", "channel %1 is in the bus twice"),
                           {std::to_string(c)}));
            bus.channels.push_back(c);
        }
        bus.unknown = Unknown(entry, {"name", "channels"});
        setup.buses.push_back(std::move(bus));
    }
}

// A decoder's own word (its id, a channel's or an option's id): not empty, printable. what
// names it, marked for translation.
std::string Word(const std::string& text, const std::string& path, const char* what) {
    if (text.empty())
        Refuse(path,
               Arg(translate("zq::Setup", "%1 may not be empty"), {translate("zq::Setup", what)}));
    if (PrintableText(text) != text)
        Refuse(path, Arg(translate("zq::Setup", "%1 holds an unprintable character"),
                         {translate("zq::Setup", what)}));
    return text;
}

DecoderUse ReadDecoder(const Json& v, const std::string& path) {
    const Json& entry = Object(v, path);
    DecoderUse use;
    const auto id = entry.find("id");
    if (id == entry.end())
        Refuse(path, translate("zq::Setup", "\"id\" missing: which decoder to run"));
    if (!id->is_string())
        Refuse(At(path, "id"), translate("zq::Setup", "a decoder's id in quotes expected"));
    use.id = Word(id->get<std::string>(), At(path, "id"),
                  QT_TRANSLATE_NOOP("zq::Setup", "a decoder's id"));
    if (const auto channels = entry.find("channels"); channels != entry.end()) {
        const std::string at = At(path, "channels");
        if (!channels->is_object())
            Refuse(at, translate("zq::Setup", "an object {\"rx\": 9, ...} expected"));
        for (const auto& [key, value] : channels->items())
            use.channels.emplace_back(
                Word(key, at, QT_TRANSLATE_NOOP("zq::Setup", "a channel's id")),
                Channel(value, At(at, PrintableText(key))));
    }
    if (const auto options = entry.find("options"); options != entry.end()) {
        const std::string at = At(path, "options");
        if (!options->is_object())
            Refuse(at, translate("zq::Setup", "an object {\"baudrate\": \"9600\", ...} expected"));
        for (const auto& [key, value] : options->items()) {
            // A number is taken as the text it is written as, which is how a user types it.
            if (!value.is_string() && !value.is_number())
                Refuse(At(at, PrintableText(key)),
                       translate("zq::Setup", "a value in quotes expected"));
            use.options.emplace_back(
                Word(key, at, QT_TRANSLATE_NOOP("zq::Setup", "an option's id")),
                value.is_string() ? value.get<std::string>() : value.dump());
        }
    }
    use.unknown = Unknown(entry, {"id", "channels", "options"});
    return use;
}

void ReadDecoders(const Json& list, ChannelSetup& setup) {
    for (size_t i = 0; i < list.size(); ++i) {
        const std::string path = At("decoders", i);
        const Json& stack = List(list[i], path);
        if (stack.empty())
            Refuse(path, translate("zq::Setup", "a stack needs a decoder on channels"));
        DecoderStack decoders;
        for (size_t d = 0; d < stack.size(); ++d)
            decoders.push_back(ReadDecoder(stack[d], At(path, d)));
        setup.decoders.push_back(std::move(decoders));
    }
}

ChannelSetup Read(const Json& root) {
    if (!root.is_object()) Refuse("", translate("zq::Setup", "a setup is an object {...}"));
    ChannelSetup setup;
    if (const auto rate = root.find("samplerate"); rate != root.end()) {
        if (!rate->is_number())
            Refuse("samplerate", translate("zq::Setup", "a number of hertz expected"));
        const double hz = rate->get<double>();
        if (!(hz > 0) || !std::isfinite(hz))
            Refuse("samplerate", Arg(translate("zq::Setup", "%1: a sample rate must be above 0"),
                                     {PrintableText(rate->dump())}));
        setup.sampleRate = hz;
    }
    if (const auto order = root.find("order"); order != root.end()) {
        const Json& list = List(*order, "order");
        std::vector<int> listed;
        for (size_t i = 0; i < list.size(); ++i) {
            const int c = Channel(list[i], At("order", i));
            if (std::find(listed.begin(), listed.end(), c) != listed.end())
                Refuse(At("order", i), Arg(translate("zq::Setup", "channel %1 is listed twice"),
                                           {std::to_string(c)}));
            listed.push_back(c);
        }
        setup.order = CompleteOrder(listed);
    }
    if (const auto channels = root.find("channels"); channels != root.end())
        ReadChannels(List(*channels, "channels"), setup);
    if (const auto buses = root.find("buses"); buses != root.end())
        ReadBuses(List(*buses, "buses"), setup);
    if (const auto decoders = root.find("decoders"); decoders != root.end())
        ReadDecoders(List(*decoders, "decoders"), setup);
    setup.unknown = Unknown(root, {"samplerate", "order", "channels", "buses", "decoders"});
    return setup;
}

// The library's own words after its "parse error at line L, column C: ", shown safely.
std::string SyntaxDetail(const std::string& what) {
    size_t at = what.find("column ");
    at = at == std::string::npos ? std::string::npos : what.find(": ", at);
    return PrintableText(at == std::string::npos ? what : what.substr(at + 2));
}

// The library reports how many bytes it read; the last of them is where the text went wrong.
size_t LineAt(std::string_view text, size_t bytesRead) {
    const size_t end = std::min(text.size(), bytesRead > 0 ? bytesRead - 1 : 0);
    return 1 + static_cast<size_t>(std::count(text.begin(), text.begin() + end, '\n'));
}

// A list or an object on one line, with a blank after each ',' and ':'.
std::string Inline(const OrderedJson& v) {
    if (!v.is_structured()) return v.dump();
    std::string out = v.is_array() ? "[" : "{";
    bool first = true;
    for (const auto& [key, value] : v.items()) {
        if (!first) out += ", ";
        first = false;
        if (v.is_object()) out += OrderedJson(key).dump() + ": ";
        out += Inline(value);
    }
    return out + (v.is_array() ? "]" : "}");
}

void AddUnknown(OrderedJson& entry, const std::string& unknown) {
    if (unknown.empty()) return;
    const OrderedJson rest = OrderedJson::parse(unknown, nullptr, false);
    if (!rest.is_object()) return;
    for (const auto& [key, value] : rest.items()) {
        if (!entry.contains(key)) entry[key] = value;
    }
}

}  // namespace

Parsed<ChannelSetup> ParseSetup(std::string_view text, std::string_view fileName) {
    const std::string file = PrintableText(fileName);
    Json root;
    try {
        root = Json::parse(text.begin(), text.end(), [](int depth, Json::parse_event_t, Json&) {
            if (depth > kMaxDepth) Refuse("", translate("zq::Setup", "nested too deeply"));
            return true;
        });
    } catch (const Json::parse_error& e) {
        return {{},
                Arg(translate("zq::Setup", "%1: line %2: %3"),
                    {file, std::to_string(LineAt(text, e.byte)), SyntaxDetail(e.what())})};
    } catch (const Refused& r) {
        return {{}, file + ": " + r.what};
    }
    try {
        return {Read(root), {}};
    } catch (const Refused& r) {
        return {{}, file + ": " + (r.path.empty() ? "" : r.path + ": ") + r.what};
    }
}

std::string SaveSetup(const ChannelSetup& setup) {
    OrderedJson top = OrderedJson::object();
    if (setup.sampleRate) {
        const double hz = *setup.sampleRate;
        // Whole rates as whole numbers: 1000000, not 1000000.0.
        if (hz == std::floor(hz) && hz < 9007199254740992.0)
            top["samplerate"] = static_cast<uint64_t>(hz);
        else
            top["samplerate"] = hz;
    }
    if (setup.order != kDefaultOrder) top["order"] = setup.order;
    OrderedJson channels = OrderedJson::array();
    for (int c = 0; c < kChannels; ++c) {
        const ChannelInfo& info = setup.channels[static_cast<size_t>(c)];
        if (info == ChannelInfo{}) continue;
        OrderedJson entry = {{"channel", c}};
        if (!info.name.empty()) entry["name"] = info.name;
        if (info.hidden) entry["hidden"] = true;
        AddUnknown(entry, info.unknown);
        channels.push_back(std::move(entry));
    }
    if (!channels.empty()) top["channels"] = std::move(channels);
    if (!setup.buses.empty()) {
        OrderedJson& buses = top["buses"] = OrderedJson::array();
        for (const Bus& bus : setup.buses) {
            OrderedJson entry = {{"name", bus.name}, {"channels", bus.channels}};
            AddUnknown(entry, bus.unknown);
            buses.push_back(std::move(entry));
        }
    }
    if (!setup.decoders.empty()) {
        OrderedJson& stacks = top["decoders"] = OrderedJson::array();
        for (const DecoderStack& stack : setup.decoders) {
            OrderedJson decoders = OrderedJson::array();
            for (const DecoderUse& use : stack) {
                OrderedJson entry = {{"id", use.id}};
                if (!use.channels.empty()) {
                    OrderedJson& channels = entry["channels"] = OrderedJson::object();
                    for (const auto& [id, channel] : use.channels) channels[id] = channel;
                }
                if (!use.options.empty()) {
                    OrderedJson& options = entry["options"] = OrderedJson::object();
                    for (const auto& [id, value] : use.options) options[id] = value;
                }
                AddUnknown(entry, use.unknown);
                decoders.push_back(std::move(entry));
            }
            stacks.push_back(std::move(decoders));
        }
    }
    AddUnknown(top, setup.unknown);

    if (top.empty()) return "{}\n";
    std::string out = "{\n";
    bool first = true;
    for (const auto& [key, value] : top.items()) {
        if (!first) out += ",\n";
        first = false;
        out += "  " + OrderedJson(key).dump() + ": ";
        // Channels, buses and decoder stacks: an entry to a line.
        const bool entries = value.is_array() && !value.empty() && value.front().is_structured();
        if (!entries) {
            out += Inline(value);
            continue;
        }
        out += "[\n";
        for (size_t i = 0; i < value.size(); ++i)
            out += "    " + Inline(value[i]) + (i + 1 < value.size() ? ",\n" : "\n");
        out += "  ]";
    }
    return out + "\n}\n";
}

Parsed<ChannelSetup> LoadSetupFile(const std::string& path) {
    Parsed<ChannelSetup> r;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        r.error = PrintableText(path) + ": " + std::strerror(errno);
        return r;
    }
    std::string text;
    char buf[4096];
    size_t n;
    while (text.size() < (1u << 20) && (n = std::fread(buf, 1, sizeof buf, f)) > 0)
        text.append(buf, n);
    const bool failed = std::ferror(f);
    const int readError = errno;
    std::fclose(f);
    if (failed) {
        r.error = PrintableText(path) + ": " + std::strerror(readError);
        return r;
    }
    return ParseSetup(text, path);
}

}  // namespace zq
