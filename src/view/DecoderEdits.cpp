#include "view/DecoderEdits.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "view/Translate.h"
#include "view/Units.h"

namespace zq {

using decode::DecoderInfo;
using decode::DecoderOption;
using decode::DecoderUse;

namespace {

bool SameWord(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

template <class T>
const T* Find(const std::vector<std::pair<std::string, T>>& pairs, std::string_view key) {
    for (const auto& [k, v] : pairs)
        if (k == key) return &v;
    return nullptr;
}

const DecoderInfo* InfoOf(const std::vector<DecoderInfo>& infos, std::string_view id) {
    for (const DecoderInfo& i : infos)
        if (i.id == id) return &i;
    return nullptr;
}

std::vector<decode::DecoderChannel> AllChannels(const DecoderInfo& info) {
    std::vector<decode::DecoderChannel> all = info.channels;
    all.insert(all.end(), info.optionalChannels.begin(), info.optionalChannels.end());
    return all;
}

}  // namespace

bool TakesChannels(const DecoderInfo& info) {
    return std::find(info.inputs.begin(), info.inputs.end(), "logic") != info.inputs.end();
}

DecoderForm FormFor(const DecoderInfo& info, const ChannelSetup& setup,
                    std::optional<DecoderPlace> place) {
    DecoderForm form;
    form.id = info.id;
    const DecoderUse* use = place ? &setup.decoders[place->stack][place->level] : nullptr;
    for (const decode::DecoderChannel& ch : AllChannels(info)) {
        int ours = -1;
        if (use) {
            if (const int* c = Find(use->channels, ch.id)) ours = *c;
        } else {
            for (int c = 0; c < kChannels && ours < 0; ++c) {
                const std::string& name = setup.channels[static_cast<size_t>(c)].name;
                if (!name.empty() && (SameWord(name, ch.id) || SameWord(name, ch.name))) ours = c;
            }
        }
        form.channels.emplace_back(ch.id, ours);
    }
    for (const DecoderOption& o : info.options) {
        const std::string* value = use ? Find(use->options, o.id) : nullptr;
        form.options.emplace_back(o.id, value ? *value : o.defaultText);
    }
    return form;
}

std::vector<size_t> StacksFor(const DecoderInfo& info, const ChannelSetup& setup,
                              const std::vector<DecoderInfo>& infos) {
    std::vector<size_t> stacks;
    for (size_t s = 0; s < setup.decoders.size(); ++s) {
        if (setup.decoders[s].empty()) continue;
        const DecoderInfo* top = InfoOf(infos, setup.decoders[s].back().id);
        if (!top) continue;
        const bool fits = std::any_of(info.inputs.begin(), info.inputs.end(), [&](auto& in) {
            return std::find(top->outputs.begin(), top->outputs.end(), in) != top->outputs.end();
        });
        if (fits) stacks.push_back(s);
    }
    return stacks;
}

std::string CheckOption(const DecoderOption& option, std::string_view value) {
    if (!option.allowed.empty()) {
        if (std::find(option.allowed.begin(), option.allowed.end(), value) != option.allowed.end())
            return {};
        std::string list;
        for (const std::string& a : option.allowed) list += (list.empty() ? "" : ", ") + a;
        return Arg(translate("zq::Setup", "one of %1 expected"), {list});
    }
    if (option.kind == DecoderOption::Kind::Integer) {
        long long v = 0;
        const auto end = value.data() + value.size();
        const auto r = std::from_chars(value.data() + (value.starts_with('+') ? 1 : 0), end, v);
        if (value.empty() || r.ec != std::errc() || r.ptr != end)
            return translate("zq::Setup", "a whole number expected");
    } else if (option.kind == DecoderOption::Kind::Float) {
        const std::string text(value);
        char* end = nullptr;
        const double v = std::strtod(text.c_str(), &end);
        if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(v) ||
            std::isspace(static_cast<unsigned char>(text.front())))
            return translate("zq::Setup", "a number expected");
    }
    return {};
}

SetupEdit ApplyDecoderForm(const ChannelSetup& setup, const DecoderInfo& info,
                           const DecoderForm& form, std::optional<DecoderPlace> place) {
    DecoderUse use;
    use.id = info.id;
    const bool onChannels = place ? place->level == 0 : !form.onStack;
    if (onChannels && TakesChannels(info)) {
        for (const decode::DecoderChannel& ch : AllChannels(info)) {
            const int* ours = Find(form.channels, ch.id);
            const bool required =
                std::any_of(info.channels.begin(), info.channels.end(),
                            [&](const decode::DecoderChannel& r) { return r.id == ch.id; });
            if (ours && *ours >= 0 && *ours < kChannels)
                use.channels.emplace_back(ch.id, *ours);
            else if (required)
                return {{},
                        Arg(translate("zq::Setup", "%1's channel %2 needs one of ours"),
                            {info.name, ch.name})};
        }
    }
    for (const DecoderOption& o : info.options) {
        const std::string* typed = Find(form.options, o.id);
        if (!typed || *typed == o.defaultText) continue;
        if (const std::string why = CheckOption(o, *typed); !why.empty())
            return {{}, o.desc + ": " + why};
        use.options.emplace_back(o.id, *typed);
    }
    SetupEdit edit{setup, {}};
    if (!setup.sampleRate) {
        edit = SetSampleRate(setup, form.rate);
        if (!edit.ok()) return {{}, Arg(translate("zq::Setup", "Sample rate: %1"), {edit.error})};
        if (!edit.value.sampleRate)
            return {{}, translate("zq::Setup", "A decoder needs the capture's sample rate")};
    }
    auto& stacks = edit.value.decoders;
    if (place) {
        if (place->stack >= stacks.size() || place->level >= stacks[place->stack].size())
            return {{}, translate("zq::Setup", "that decoder is no longer in the setup")};
        use.unknown = stacks[place->stack][place->level].unknown;
        stacks[place->stack][place->level] = std::move(use);
    } else if (form.onStack) {
        if (*form.onStack >= stacks.size())
            return {{}, translate("zq::Setup", "that stack is no longer in the setup")};
        stacks[*form.onStack].push_back(std::move(use));
    } else {
        stacks.push_back({std::move(use)});
    }
    return edit;
}

SetupEdit RemoveDecoder(const ChannelSetup& setup, DecoderPlace place) {
    ChannelSetup s = setup;
    if (place.stack >= s.decoders.size() || place.level >= s.decoders[place.stack].size())
        return {{}, translate("zq::Setup", "that decoder is no longer in the setup")};
    auto& stack = s.decoders[place.stack];
    stack.erase(stack.begin() + static_cast<std::ptrdiff_t>(place.level), stack.end());
    if (stack.empty())
        s.decoders.erase(s.decoders.begin() + static_cast<std::ptrdiff_t>(place.stack));
    return {s, {}};
}

std::vector<DecoderPlace> DecoderPlaces(const ChannelSetup& setup) {
    std::vector<DecoderPlace> places;
    for (size_t s = 0; s < setup.decoders.size(); ++s)
        for (size_t l = 0; l < setup.decoders[s].size(); ++l) places.push_back({s, l});
    return places;
}

std::string DecoderLabel(const ChannelSetup& setup, DecoderPlace place) {
    const auto& stack = setup.decoders[place.stack];
    std::string label;
    for (size_t l = 0; l <= place.level; ++l) label += (l ? " > " : "") + stack[l].id;
    if (place.level > 0 || stack[0].channels.empty()) return label;
    std::string channels;
    for (const auto& [id, c] : stack[0].channels)
        channels += (channels.empty() ? "" : ", ") + id + ": " + setup.RowLabel(c);
    return label + " (" + channels + ")";
}

}  // namespace zq
