#pragma once
// The protocol decoder library's functions, found at run time. Private to src/decode: only its
// .cpp files include this, so nothing above sees the library's or GLib's types.
//
// The library is opened with dlopen rather than linked: it starts Python, and the programs and
// zq350-inspect modes that never decode should not pay for that (nor need it installed). GLib's
// functions are taken from the same handle, since the library links GLib and dlsym searches
// what a handle depends on.

#include <libsigrokdecode/libsigrokdecode.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "decode/DecoderLibrary.h"

namespace zq::decode {

struct SrdApi {
    // The library's own.
    decltype(&srd_init) init = nullptr;
    decltype(&srd_searchpaths_get) searchpathsGet = nullptr;
    decltype(&srd_session_new) sessionNew = nullptr;
    decltype(&srd_session_start) sessionStart = nullptr;
    decltype(&srd_session_metadata_set) sessionMetadataSet = nullptr;
    decltype(&srd_session_send) sessionSend = nullptr;
    decltype(&srd_session_destroy) sessionDestroy = nullptr;
    decltype(&srd_pd_output_callback_add) outputCallbackAdd = nullptr;
    decltype(&srd_decoder_list) decoderList = nullptr;
    decltype(&srd_decoder_get_by_id) decoderGetById = nullptr;
    decltype(&srd_decoder_load) decoderLoad = nullptr;
    decltype(&srd_decoder_load_all) decoderLoadAll = nullptr;
    decltype(&srd_inst_new) instNew = nullptr;
    decltype(&srd_inst_channel_set_all) instChannelSetAll = nullptr;
    decltype(&srd_inst_stack) instStack = nullptr;
    decltype(&srd_log_loglevel_set) logLevelSet = nullptr;
    decltype(&srd_log_callback_set) logCallbackSet = nullptr;
    decltype(&srd_strerror) strError = nullptr;
    // GLib's, for the tables and values the library takes.
    decltype(&g_hash_table_new_full) hashTableNewFull = nullptr;
    decltype(&g_hash_table_insert) hashTableInsert = nullptr;
    decltype(&g_hash_table_unref) hashTableUnref = nullptr;
    decltype(&g_str_hash) strHash = nullptr;
    decltype(&g_str_equal) strEqual = nullptr;
    decltype(&g_strdup) strdup = nullptr;
    decltype(&g_free) free = nullptr;
    decltype(&g_slist_free_full) slistFreeFull = nullptr;
    decltype(&g_variant_new_int32) variantNewInt32 = nullptr;
    decltype(&g_variant_new_int64) variantNewInt64 = nullptr;
    decltype(&g_variant_new_uint64) variantNewUint64 = nullptr;
    decltype(&g_variant_new_double) variantNewDouble = nullptr;
    decltype(&g_variant_new_string) variantNewString = nullptr;
    decltype(&g_variant_ref_sink) variantRefSink = nullptr;
    decltype(&g_variant_unref) variantUnref = nullptr;
    decltype(&g_variant_classify) variantClassify = nullptr;
    decltype(&g_variant_get_int64) variantGetInt64 = nullptr;
    decltype(&g_variant_get_double) variantGetDouble = nullptr;
    decltype(&g_variant_get_string) variantGetString = nullptr;

    // Fills every pointer from the handle; false and the missing name in *error otherwise.
    bool Resolve(void* handle, std::string* error);
};

struct DecoderLibrary::Impl {
    SrdApi api;
    std::mutex mutex;  // one caller at a time: the library keeps global state

    // What the library logged while a call ran: its error lines, and the Python traceback it
    // logs apart (at debug level) before each. Decoder threads log too, hence the lock.
    std::mutex logMutex;
    std::vector<std::string> logErrors;
    std::vector<std::string> tracebacks;
    // Takes what was logged since the last call.
    void TakeLog(std::vector<std::string>& errors, std::vector<std::string>& tracebacks);

    // The decoder, loaded on first use; nullptr and *error when there is no such decoder.
    const srd_decoder* Decoder(const std::string& id, std::string* error);
    DecoderInfo Describe(const srd_decoder& d) const;
};

// An option's value as the user types it: integers in decimal, numbers in their shortest exact
// form, text as it is.
std::string VariantText(const SrdApi& api, GVariant* value);

}  // namespace zq::decode
