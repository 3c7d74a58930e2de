// Running decoder stacks over the capture model: each stack checked against its decoders' own
// description first (so that a wrong option or channel is named, not guessed at by the
// library), then run in a session of its own, so that one stack's failure stops no other.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iostream>
#include <map>

#include "decode/DecoderLibrary.h"
#include "decode/SrdApi.h"

namespace zq::decode {

namespace {

// Samples per call into the library: the stop flag is looked at between calls.
constexpr int32_t kChunkSamples = 512;

struct Instance {
    std::string name;  // uart-1
    const srd_decoder* decoder = nullptr;
    DecoderInfo info;
    std::vector<int> classRow;  // the row of each annotation class
    GHashTable* options = nullptr;
    std::vector<std::pair<std::string, int>> channels;
};

struct RunContext {
    std::map<const srd_decoder_inst*, const Instance*> instances;
    std::vector<uint32_t> badBefore;  // unreliable samples before each sample
    std::vector<Annotation>* out = nullptr;
    std::mutex mutex;  // decoder threads call back
};

void OnAnnotation(srd_proto_data* pdata, void* data) {
    auto* ctx = static_cast<RunContext*>(data);
    const auto* ann = static_cast<const srd_proto_data_annotation*>(pdata->data);
    std::lock_guard lock(ctx->mutex);
    const auto found = ctx->instances.find(pdata->pdo->di);
    if (found == ctx->instances.end()) return;
    const Instance& inst = *found->second;
    Annotation a;
    a.start = pdata->start_sample;
    a.end = pdata->end_sample;
    a.instance = inst.name;
    a.decoder = inst.info.id;
    a.classIndex = ann->ann_class;
    if (ann->ann_class >= 0 && static_cast<size_t>(ann->ann_class) < inst.classRow.size())
        a.rowIndex = inst.classRow[static_cast<size_t>(ann->ann_class)];
    for (char** t = ann->ann_text; t && *t; ++t) a.texts.emplace_back(*t);
    // The samples it covers, at least its first.
    const uint64_t n = ctx->badBefore.size() - 1;
    const uint64_t from = std::min(a.start, n);
    const uint64_t to = std::min(std::max(a.end, a.start + 1), n);
    a.unreliable = ctx->badBefore[to] > ctx->badBefore[from];
    ctx->out->push_back(std::move(a));
}

// A channel as Run takes it from an option's text: 0..15, D<n> or d<n>.
std::optional<int> ChannelNumber(std::string_view text) {
    if (!text.empty() && (text[0] == 'D' || text[0] == 'd')) text.remove_prefix(1);
    int n = -1;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), n);
    if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size() || n < 0 ||
        n >= kChannels)
        return std::nullopt;
    return n;
}

bool IsChannel(const DecoderInfo& info, const std::string& id) {
    for (const auto* list : {&info.channels, &info.optionalChannels})
        for (const DecoderChannel& c : *list)
            if (c.id == id) return true;
    return false;
}

std::string Joined(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& s : items) out += (out.empty() ? "" : ", ") + s;
    return out;
}

// The option's value typed as its default is, and one of its allowed values when it has any.
GVariant* OptionValue(const SrdApi& api, const srd_decoder_option& option, const std::string& text,
                      std::string* error) {
    GVariant* value = nullptr;
    const char* end = text.data() + text.size();
    switch (api.variantClassify(option.def)) {
        case G_VARIANT_CLASS_INT64: {
            int64_t n = 0;
            const auto r = std::from_chars(text.data(), end, n);
            if (!text.empty() && r.ec == std::errc() && r.ptr == end)
                value = api.variantNewInt64(n);
            else
                *error = "takes a whole number";
            break;
        }
        case G_VARIANT_CLASS_DOUBLE: {
            double x = 0;
            const auto r = std::from_chars(text.data(), end, x);
            if (!text.empty() && r.ec == std::errc() && r.ptr == end && std::isfinite(x))
                value = api.variantNewDouble(x);
            else
                *error = "takes a number";
            break;
        }
        case G_VARIANT_CLASS_STRING:
            value = api.variantNewString(text.c_str());
            break;
        default:
            *error = "has a type this program cannot set";
    }
    if (!value) return nullptr;
    api.variantRefSink(value);
    if (!option.values) return value;
    std::vector<std::string> allowed;
    const std::string given = VariantText(api, value);
    for (const GSList* v = option.values; v; v = v->next) {
        allowed.push_back(VariantText(api, static_cast<GVariant*>(v->data)));
        if (allowed.back() == given) return value;
    }
    api.variantUnref(value);
    *error = "takes one of " + Joined(allowed);
    return nullptr;
}

GHashTable* NewTable(const SrdApi& api) {
    return api.hashTableNewFull(api.strHash, api.strEqual, api.free,
                                reinterpret_cast<GDestroyNotify>(api.variantUnref));
}

// Checks one decoder of a stack and builds its options; an error line otherwise.
bool Prepare(DecoderLibrary::Impl& lib, const DecoderUse& use, const Instance* below,
             Instance& inst, std::string* error) {
    const SrdApi& api = lib.api;
    inst.decoder = lib.Decoder(use.id, error);
    if (!inst.decoder) return false;
    inst.info = lib.Describe(*inst.decoder);
    const DecoderInfo& info = inst.info;
    auto fail = [&](const std::string& message) {
        *error = use.id + ": " + message;
        return false;
    };
    inst.channels = use.channels;
    inst.options = NewTable(api);
    for (const auto& [id, text] : use.options) {
        const srd_decoder_option* option = nullptr;
        for (const GSList* o = inst.decoder->options; o && !option; o = o->next)
            if (static_cast<const srd_decoder_option*>(o->data)->id == id)
                option = static_cast<const srd_decoder_option*>(o->data);
        if (!option && IsChannel(info, id)) {
            const auto channel = ChannelNumber(text);
            if (!channel) return fail(id + "=" + text + ": no such channel");
            inst.channels.emplace_back(id, *channel);
            continue;
        }
        if (!option) return fail("no option or channel '" + id + "'");
        std::string why;
        GVariant* value = OptionValue(api, *option, text, &why);
        if (!value) return fail("option " + id + " " + why + ", not '" + text + "'");
        api.hashTableInsert(inst.options, api.strdup(id.c_str()), value);
    }
    if (below && !inst.channels.empty()) return fail("takes no channels when stacked");
    for (const auto& [id, channel] : inst.channels) {
        if (!IsChannel(info, id)) return fail("no channel '" + id + "'");
        if (channel < 0 || channel >= kChannels) return fail(id + ": no such channel");
    }
    const bool onChannels =
        std::find(info.inputs.begin(), info.inputs.end(), "logic") != info.inputs.end();
    if (below) {
        bool fits = false;
        for (const std::string& out : below->info.outputs)
            fits =
                fits || std::find(info.inputs.begin(), info.inputs.end(), out) != info.inputs.end();
        if (!fits)
            return fail("cannot take the output of " + below->info.id + " (it gives " +
                        Joined(below->info.outputs) + ", " + use.id + " takes " +
                        Joined(info.inputs) + ")");
        return true;
    }
    if (!onChannels)
        return fail("does not decode channels: it takes the output of a decoder giving " +
                    Joined(info.inputs));
    for (const DecoderChannel& c : info.channels) {
        bool given = false;
        for (const auto& assigned : inst.channels) given = given || assigned.first == c.id;
        if (!given) return fail("channel " + c.id + " is not assigned");
    }
    if (inst.channels.empty()) return fail("no channel is assigned");
    return true;
}

}  // namespace

DecodeResult DecoderLibrary::Run(const DecodedCapture& capture,
                                 const std::vector<DecoderStack>& stacks, double sampleRate,
                                 const std::atomic<bool>* stop) {
    std::lock_guard lock(d->mutex);
    const SrdApi& api = d->api;
    DecodeResult result;
    RunContext ctx;
    ctx.out = &result.annotations;
    // Two bytes a sample, channels 0..7 first; 0 where no complete word arrived.
    std::vector<uint8_t> samples(2 * kCaptureSamples);
    ctx.badBefore.assign(kCaptureSamples + 1, 0);
    for (int32_t s = 0; s < kCaptureSamples; ++s) {
        const auto i = static_cast<size_t>(s);
        const uint16_t word = capture.held[i] ? capture.words[i] : 0;
        samples[2 * i] = static_cast<uint8_t>(word & 0xff);
        samples[2 * i + 1] = static_cast<uint8_t>(word >> 8);
        const bool bad = !capture.held[i] || capture.unreliable[i];
        ctx.badBefore[i + 1] = ctx.badBefore[i] + (bad ? 1 : 0);
    }
    const bool hasRate = std::isfinite(sampleRate) && sampleRate >= 0.5;
    std::map<std::string, int> used;  // instances named so far, per decoder

    for (const DecoderStack& stack : stacks) {
        if (stop && stop->load()) break;
        std::vector<Instance> instances(stack.size());
        for (size_t i = 0; i < stack.size(); ++i)
            instances[i].name = stack[i].id + "-" + std::to_string(++used[stack[i].id]);
        auto freeOptions = [&] {
            for (Instance& inst : instances)
                if (inst.options) api.hashTableUnref(inst.options);
            for (Instance& inst : instances) inst.options = nullptr;
        };
        std::string error;
        bool ready = !stack.empty();
        for (size_t i = 0; i < stack.size() && ready; ++i)
            ready = Prepare(*d, stack[i], i ? &instances[i - 1] : nullptr, instances[i], &error);
        if (!ready) {
            freeOptions();
            if (!error.empty()) result.errors.push_back(error);
            continue;
        }
        // The library's own messages for what goes wrong from here on.
        std::vector<std::string> logged, traces;
        d->TakeLog(logged, traces);
        std::map<std::string, std::string> ownNames;  // the library's instance id -> ours
        srd_session* session = nullptr;
        if (api.sessionNew(&session) != SRD_OK) {
            freeOptions();
            result.errors.push_back(instances.front().name + ": cannot start a session");
            continue;
        }
        std::string failed;  // what went wrong when the library's log does not say
        srd_decoder_inst* previous = nullptr;
        for (Instance& inst : instances) {
            srd_decoder_inst* di = api.instNew(session, inst.info.id.c_str(), inst.options);
            if (!di) {
                failed = "cannot start " + inst.info.id;
                break;
            }
            ownNames[di->inst_id] = inst.name;
            inst.classRow.assign(inst.info.annotationClasses.size(), 0);
            for (size_t r = inst.info.annotationRows.size(); r-- > 0;)
                for (int c : inst.info.annotationRows[r].classes)
                    if (c >= 0 && static_cast<size_t>(c) < inst.classRow.size())
                        inst.classRow[static_cast<size_t>(c)] = static_cast<int>(r);
            ctx.instances[di] = &inst;
            int r = SRD_OK;
            if (!previous) {
                GHashTable* channels = NewTable(api);
                for (const auto& [id, channel] : inst.channels)
                    api.hashTableInsert(channels, api.strdup(id.c_str()),
                                        api.variantRefSink(api.variantNewInt32(channel)));
                r = api.instChannelSetAll(di, channels);
                api.hashTableUnref(channels);
            } else {
                r = api.instStack(session, previous, di);
            }
            if (r != SRD_OK) {
                failed = std::string("cannot start ") + inst.name + ": " + api.strError(r);
                break;
            }
            previous = di;
        }
        freeOptions();
        // The rate goes to the instances there are: the library passes it on as it is set.
        if (failed.empty() && hasRate)
            api.sessionMetadataSet(session, SRD_CONF_SAMPLERATE,
                                   api.variantNewUint64(static_cast<uint64_t>(
                                       std::llround(std::min(sampleRate, 1e18)))));
        if (failed.empty()) api.outputCallbackAdd(session, SRD_OUTPUT_ANN, OnAnnotation, &ctx);
        if (failed.empty() && api.sessionStart(session) != SRD_OK)
            failed = "cannot start the decoders";
        if (failed.empty()) {
            for (const Instance& inst : instances)
                for (size_t r = 0; r < inst.info.annotationRows.size(); ++r)
                    result.rows.push_back(
                        {inst.name, inst.info.id, static_cast<int>(r),
                         inst.info.name + ": " + inst.info.annotationRows[r].desc});
            for (int32_t from = 0; from < kCaptureSamples; from += kChunkSamples) {
                if (stop && stop->load()) break;
                const int32_t to = std::min(from + kChunkSamples, kCaptureSamples);
                const int r = api.sessionSend(session, static_cast<uint64_t>(from),
                                              static_cast<uint64_t>(to), &samples[2 * size_t(from)],
                                              2 * static_cast<uint64_t>(to - from), 2);
                if (r != SRD_OK) {
                    failed = "decoding failed";
                    break;
                }
            }
        }
        // Destroying the session joins the decoders' threads, and only then does the library
        // log a failed decoder's traceback.
        api.sessionDestroy(session);
        ctx.instances.clear();
        d->TakeLog(logged, traces);
        if (failed.empty() && logged.empty()) continue;
        std::string line = logged.empty() ? failed : logged.front();
        std::string name = instances.front().name;
        for (const auto& [theirs, ours] : ownNames)
            if (line.find(theirs) != std::string::npos) name = ours;
        if (!traces.empty()) {
            const std::string& trace = traces.front();
            std::cerr << name << ": " << trace << "\n";
            line = trace.substr(trace.find_last_of('\n') + 1);
        }
        result.errors.push_back(name + ": " + line);
    }
    std::vector<std::string> logged, traces;
    d->TakeLog(logged, traces);
    return result;
}

}  // namespace zq::decode
