#pragma once
// What every capture is: 2048 samples of 16 channels, the trigger at sample 1024. The file does
// not mark the trigger; every part of the program takes it to be there.

#include <cstdint>

namespace zq {

constexpr int32_t kCaptureSamples = 2048;
constexpr int32_t kTriggerSample = 1024;

}  // namespace zq
