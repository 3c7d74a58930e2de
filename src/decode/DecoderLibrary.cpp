// Loading the decoder library at run time, and what it says of its decoders.

#include "decode/DecoderLibrary.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <cstdarg>
#include <cstdio>

#include "decode/SrdApi.h"

namespace zq::decode {

namespace {

constexpr const char* kLibraryName = "libsigrokdecode.so.4";

// The library keeps global state (Python among it), so one DecoderLibrary at a time.
std::mutex gLoadMutex;
bool gLoaded = false;
// Started once a process and never shut down: Python's shutdown must run on the thread that
// started it (elsewhere its threading module fails an assertion on standard error), and the
// thread that loads is a worker that may be gone by then. The next Load takes it up as it is,
// its decoders imported already.
bool gStarted = false;

template <class F>
bool Find(void* handle, const char* name, F& f, std::string* error) {
    f = reinterpret_cast<F>(::dlsym(handle, name));
    if (!f && error->empty()) *error = std::string("the library has no ") + name;
    return f != nullptr;
}

// The library's log: its error lines for the caller, and apart from them the Python tracebacks
// it logs (when a decoder's thread is joined, after the error's own line).
int LogCallback(void* data, int level, const char* format, va_list args) {
    auto* impl = static_cast<DecoderLibrary::Impl*>(data);
    if (!impl || level != SRD_LOG_ERR) return SRD_OK;
    char buffer[4096];
    std::vsnprintf(buffer, sizeof buffer, format, args);
    std::string text(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    std::lock_guard lock(impl->logMutex);
    if (text.starts_with("Traceback (most recent call last)"))
        impl->tracebacks.push_back(text);
    else
        impl->logErrors.push_back(text);
    return SRD_OK;
}

std::vector<std::string> Strings(const GSList* list) {
    std::vector<std::string> out;
    for (; list; list = list->next) out.emplace_back(static_cast<const char*>(list->data));
    return out;
}

std::vector<DecoderChannel> Channels(const GSList* list) {
    std::vector<DecoderChannel> out;
    for (; list; list = list->next) {
        const auto* c = static_cast<const srd_channel*>(list->data);
        out.push_back({c->id, c->name, c->desc});
    }
    return out;
}

}  // namespace

bool SrdApi::Resolve(void* h, std::string* e) {
    // Each one tried, so that the message names the first missing.
    bool ok =
        Find(h, "srd_init", init, e) & Find(h, "srd_searchpaths_get", searchpathsGet, e) &
        Find(h, "srd_session_new", sessionNew, e) & Find(h, "srd_session_start", sessionStart, e) &
        Find(h, "srd_session_metadata_set", sessionMetadataSet, e) &
        Find(h, "srd_session_send", sessionSend, e) &
        Find(h, "srd_session_destroy", sessionDestroy, e) &
        Find(h, "srd_pd_output_callback_add", outputCallbackAdd, e) &
        Find(h, "srd_decoder_list", decoderList, e) &
        Find(h, "srd_decoder_get_by_id", decoderGetById, e) &
        Find(h, "srd_decoder_load", decoderLoad, e) &
        Find(h, "srd_decoder_load_all", decoderLoadAll, e) & Find(h, "srd_inst_new", instNew, e) &
        Find(h, "srd_inst_channel_set_all", instChannelSetAll, e) &
        Find(h, "srd_inst_stack", instStack, e) & Find(h, "srd_log_loglevel_set", logLevelSet, e) &
        Find(h, "srd_log_callback_set", logCallbackSet, e) & Find(h, "srd_strerror", strError, e);
    ok = ok & Find(h, "g_hash_table_new_full", hashTableNewFull, e) &
         Find(h, "g_hash_table_insert", hashTableInsert, e) &
         Find(h, "g_hash_table_unref", hashTableUnref, e) & Find(h, "g_str_hash", strHash, e) &
         Find(h, "g_str_equal", strEqual, e) & Find(h, "g_strdup", strdup, e) &
         Find(h, "g_free", free, e) & Find(h, "g_slist_free_full", slistFreeFull, e) &
         Find(h, "g_variant_new_int32", variantNewInt32, e) &
         Find(h, "g_variant_new_int64", variantNewInt64, e) &
         Find(h, "g_variant_new_uint64", variantNewUint64, e) &
         Find(h, "g_variant_new_double", variantNewDouble, e) &
         Find(h, "g_variant_new_string", variantNewString, e) &
         Find(h, "g_variant_ref_sink", variantRefSink, e) &
         Find(h, "g_variant_unref", variantUnref, e) &
         Find(h, "g_variant_classify", variantClassify, e) &
         Find(h, "g_variant_get_int64", variantGetInt64, e) &
         Find(h, "g_variant_get_double", variantGetDouble, e) &
         Find(h, "g_variant_get_string", variantGetString, e);
    return ok;
}

void DecoderLibrary::Impl::TakeLog(std::vector<std::string>& errors,
                                   std::vector<std::string>& traces) {
    std::lock_guard lock(logMutex);
    errors = std::move(logErrors);
    traces = std::move(tracebacks);
    logErrors.clear();
    tracebacks.clear();
}

std::unique_ptr<DecoderLibrary> DecoderLibrary::Load(std::string* error) {
    std::string ignored;
    if (!error) error = &ignored;
    error->clear();
    std::lock_guard lock(gLoadMutex);
    if (gLoaded) {
        *error = "the protocol decoder library is in use already";
        return nullptr;
    }
    // Never closed: Python, once started in a process, cannot be unloaded safely.
    void* handle = ::dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = ::dlerror();
        *error = std::string("the protocol decoder library (") + kLibraryName +
                 ") is not installed: " + (why ? why : "not found");
        return nullptr;
    }
    auto impl = std::make_unique<Impl>();
    std::string missing;
    if (!impl->api.Resolve(handle, &missing)) {
        *error =
            std::string(kLibraryName) + " is not the protocol decoder library expected: " + missing;
        return nullptr;
    }
    const SrdApi& api = impl->api;
    // Python without its site module: the decoders import nothing beyond the standard library,
    // and site's scan of the site folders and their .pth files was the largest part of a
    // start (15 of about 30 ms here). Only read when the library starts Python, below.
    if (auto* noSite = reinterpret_cast<int*>(::dlsym(handle, "Py_NoSiteFlag"))) *noSite = 1;
    // Errors only: the library formats nothing it would not show.
    api.logCallbackSet(LogCallback, impl.get());
    api.logLevelSet(SRD_LOG_ERR);
    auto fail = [&](const std::string& message) {
        api.logCallbackSet(LogCallback, nullptr);
        *error = message;
        return nullptr;
    };
    if (!gStarted) {
        if (const int r = api.init(nullptr); r != SRD_OK)
            return fail(std::string("the protocol decoder library cannot start: ") +
                        api.strError(r));
        gStarted = true;
    }
    // The library starts without a single decoder folder; say so now, not at each decoder.
    GSList* paths = api.searchpathsGet();
    bool found = false;
    std::string searched;
    for (GSList* p = paths; p; p = p->next) {
        const char* path = static_cast<const char*>(p->data);
        struct stat st {};
        found = found || (::stat(path, &st) == 0 && S_ISDIR(st.st_mode));
        searched += std::string(searched.empty() ? "" : ", ") + path;
    }
    api.slistFreeFull(paths, api.free);
    if (!found) {
        return fail("no protocol decoders are installed (searched: " + searched + ")");
    }
    std::vector<std::string> errors, traces;
    impl->TakeLog(errors, traces);
    gLoaded = true;
    return std::unique_ptr<DecoderLibrary>(new DecoderLibrary(std::move(impl)));
}

DecoderLibrary::DecoderLibrary(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}

DecoderLibrary::~DecoderLibrary() {
    std::lock_guard load(gLoadMutex);
    std::lock_guard lock(d->mutex);
    // The library refuses no callback at all; this one does nothing without its Impl.
    d->api.logCallbackSet(LogCallback, nullptr);
    gLoaded = false;
}

std::string VariantText(const SrdApi& api, GVariant* value) {
    switch (api.variantClassify(value)) {
        case G_VARIANT_CLASS_INT64:
            return std::to_string(api.variantGetInt64(value));
        case G_VARIANT_CLASS_DOUBLE: {
            char text[32];
            const auto r = std::to_chars(text, text + sizeof text, api.variantGetDouble(value));
            return std::string(text, r.ptr);
        }
        case G_VARIANT_CLASS_STRING:
            return api.variantGetString(value, nullptr);
        default:
            return "";
    }
}

const srd_decoder* DecoderLibrary::Impl::Decoder(const std::string& id, std::string* error) {
    // The id names a Python module to import: only a decoder's kind of name goes through.
    const bool plain = !id.empty() && std::isalpha(static_cast<unsigned char>(id[0])) &&
                       std::all_of(id.begin(), id.end(), [](char c) {
                           return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
                       });
    if (plain) {
        if (const srd_decoder* d = api.decoderGetById(id.c_str())) return d;
        api.decoderLoad(id.c_str());
        std::vector<std::string> errors, traces;
        TakeLog(errors, traces);
        if (const srd_decoder* d = api.decoderGetById(id.c_str())) return d;
    }
    *error = "no decoder '" + id + "'";
    return nullptr;
}

DecoderInfo DecoderLibrary::Impl::Describe(const srd_decoder& d) const {
    DecoderInfo info;
    info.id = d.id;
    info.name = d.name;
    info.longname = d.longname;
    info.desc = d.desc;
    info.channels = Channels(d.channels);
    info.optionalChannels = Channels(d.opt_channels);
    for (const GSList* o = d.options; o; o = o->next) {
        const auto* option = static_cast<const srd_decoder_option*>(o->data);
        DecoderOption out;
        out.id = option->id;
        out.desc = option->desc;
        out.defaultText = VariantText(api, option->def);
        switch (api.variantClassify(option->def)) {
            case G_VARIANT_CLASS_INT64:
                out.kind = DecoderOption::Kind::Integer;
                break;
            case G_VARIANT_CLASS_DOUBLE:
                out.kind = DecoderOption::Kind::Float;
                break;
            default:
                out.kind = DecoderOption::Kind::Text;
        }
        for (const GSList* v = option->values; v; v = v->next)
            out.allowed.push_back(VariantText(api, static_cast<GVariant*>(v->data)));
        info.options.push_back(out);
    }
    // Each class is a string vector: its id, then its description.
    for (const GSList* a = d.annotations; a; a = a->next) {
        const auto* pair = static_cast<char* const*>(a->data);
        info.annotationClasses.emplace_back(pair[0], pair[1] ? pair[1] : "");
    }
    std::vector<bool> placed(info.annotationClasses.size());
    for (const GSList* r = d.annotation_rows; r; r = r->next) {
        const auto* row = static_cast<const srd_decoder_annotation_row*>(r->data);
        AnnotationRowInfo out{row->id, row->desc, {}};
        for (const GSList* c = row->ann_classes; c; c = c->next) {
            const int index = GPOINTER_TO_INT(c->data);
            out.classes.push_back(index);
            if (index >= 0 && static_cast<size_t>(index) < placed.size())
                placed[static_cast<size_t>(index)] = true;
        }
        info.annotationRows.push_back(out);
    }
    // A class in no row still has a place to be drawn: a row of its own, as when the decoder
    // has no rows at all.
    for (size_t c = 0; c < placed.size(); ++c)
        if (!placed[c])
            info.annotationRows.push_back({info.annotationClasses[c].first,
                                           info.annotationClasses[c].second,
                                           {static_cast<int>(c)}});
    info.inputs = Strings(d.inputs);
    info.outputs = Strings(d.outputs);
    return info;
}

std::vector<DecoderInfo> DecoderLibrary::ListAll() {
    std::lock_guard lock(d->mutex);
    d->api.decoderLoadAll();
    std::vector<std::string> errors, traces;
    d->TakeLog(errors, traces);
    std::vector<DecoderInfo> all;
    for (const GSList* l = d->api.decoderList(); l; l = l->next)
        all.push_back(d->Describe(*static_cast<const srd_decoder*>(l->data)));
    std::sort(all.begin(), all.end(),
              [](const DecoderInfo& a, const DecoderInfo& b) { return a.id < b.id; });
    return all;
}

std::optional<DecoderInfo> DecoderLibrary::Info(const std::string& id, std::string* error) {
    std::lock_guard lock(d->mutex);
    std::string ignored;
    const srd_decoder* decoder = d->Decoder(id, error ? error : &ignored);
    if (!decoder) return std::nullopt;
    return d->Describe(*decoder);
}

}  // namespace zq::decode
