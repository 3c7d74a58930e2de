// The decoder library: UART over the whole example capture once the library is loaded, and
// loading the library with all its decoders (what the window's decoder list needs).

#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <sstream>

#include "decode/DecoderLibrary.h"

namespace {

using zq::decode::DecoderLibrary;

zq::DecodedCapture Example() {
    std::ifstream in(ZQ_EXAMPLES_DIR "/counter-uart.txt", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return zq::DecodeCapture(text.str());
}

std::unique_ptr<DecoderLibrary> Load(benchmark::State& state) {
    std::string error;
    auto library = DecoderLibrary::Load(&error);
    if (!library) state.SkipWithError(error.c_str());
    return library;
}

// The example's serial line (channel 9, 166667 baud at 1 MHz): about a hundred annotations.
void BM_UartWholeCapture(benchmark::State& state) {
    auto library = Load(state);
    if (!library) return;
    const zq::DecodedCapture capture = Example();
    zq::decode::DecoderUse uart;
    uart.id = "uart";
    uart.channels = {{"rx", 9}};
    uart.options = {{"baudrate", "166667"}};
    size_t annotations = 0;
    for (auto _ : state) {
        const auto result = library->Run(capture, {{uart}}, 1e6);
        annotations = result.annotations.size();
        if (!result.errors.empty()) state.SkipWithError(result.errors.front().c_str());
    }
    state.counters["annotations"] = static_cast<double>(annotations);
}
BENCHMARK(BM_UartWholeCapture)->Unit(benchmark::kMillisecond);

// Python started and every decoder imported, as a process's first Load does: each time in a
// child process, since Python stays started in the process that started it.
void BM_LoadLibraryAndAllDecoders(benchmark::State& state) {
    int decoders = 0;
    for (auto _ : state) {
        const pid_t child = ::fork();
        if (child == 0) {
            std::string error;
            auto library = DecoderLibrary::Load(&error);
            ::_exit(library ? static_cast<int>(library->ListAll().size() & 0xff) : 0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        decoders = WIFEXITED(status) ? WEXITSTATUS(status) : 0;
        if (decoders == 0) state.SkipWithError("the library did not load in the child");
    }
    state.counters["decoders"] = decoders;
}
BENCHMARK(BM_LoadLibraryAndAllDecoders)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
