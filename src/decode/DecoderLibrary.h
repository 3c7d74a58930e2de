#pragma once
// Protocol decoders run over the capture model: the field's decoder library, loaded at run time,
// fed the whole capture and its annotations collected as plain data (view/Decoding.h).

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "capture/DecodedCapture.h"
#include "view/Decoding.h"
#include "view/Setup.h"

namespace zq::decode {

class DecoderLibrary {
  public:
    // Loads and initialises the library (libsigrokdecode.so.4 and its decoders' folders);
    // nullptr and a message for the user in *error when it is not installed, or when another
    // DecoderLibrary of this process is alive (the library keeps global state). Python, once
    // started, stays for the process: a later Load finds its decoders imported already.
    static std::unique_ptr<DecoderLibrary> Load(std::string* error);
    ~DecoderLibrary();
    DecoderLibrary(const DecoderLibrary&) = delete;
    DecoderLibrary& operator=(const DecoderLibrary&) = delete;

    // Every decoder the library has, sorted by id (loads them all: about half a second).
    std::vector<DecoderInfo> ListAll();
    // One decoder, loading only it; nullopt and *error when unknown.
    std::optional<DecoderInfo> Info(const std::string& id, std::string* error);

    // Runs every stack over the whole capture (unit size 2: bit c of a sample is channel c). A
    // sample without a complete word goes in as 0 on every channel; annotations covering such a
    // sample, or one the model marks unreliable, are marked unreliable. A stack that fails
    // (unknown decoder, bad option or channel, a Python error: its traceback's last line, the
    // whole traceback on standard error) adds one line to errors and the others go on; what it
    // annotated before a Python error is kept. *stop set from another thread ends the run after
    // the chunk being decoded. Instances are named as sigrok-cli names them: uart-1, uart-2, ...
    // in the order of the stacks, bottom first. Without a positive rate the decoders get none
    // (most then fail, saying so).
    DecodeResult Run(const DecodedCapture& capture, const std::vector<DecoderStack>& stacks,
                     double sampleRate, const std::atomic<bool>* stop = nullptr);

    struct Impl;

  private:
    explicit DecoderLibrary(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};

// sigrok-cli's -P syntax: "uart:rx=RX:baudrate=9600,midi" is a stack, its decoders separated
// by ',' (bottom first), each an id and ':'-separated KEY=VALUE pairs. A value that names one of
// our channels (a setup name, D<n> or d<n>) assigns that channel; any other value is an
// option's text, and Run takes a plain number 0..15 given to one of the decoder's channels as
// that channel, so "rx=9" works as sigrok-cli's "rx=D9" does.
Parsed<DecoderStack> ParseDecoderArgument(std::string_view text, const ChannelSetup& setup);

// sigrok-cli's -A syntax: "uart=rx-data:tx-data,i2c", a decoder id with the annotation rows or
// classes to show; none named shows all of them.
struct AnnotationChoice {
    std::string decoder;
    std::vector<std::string> names;  // row or class ids
    bool operator==(const AnnotationChoice&) const = default;
};
Parsed<std::vector<AnnotationChoice>> ParseAnnotationArgument(std::string_view text);

}  // namespace zq::decode
