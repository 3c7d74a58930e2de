#pragma once
// The measurement under the pointer as the read-out says it: in samples, or in time and
// frequency when a sample rate is known.

#include <optional>
#include <string>

#include "view/Measure.h"

namespace zq {

// "high 4 samples, period 8 samples, duty 50 %", or with a rate "high 4.00 us, period
// 8.00 us (125 kHz), duty 50 %". A pulse cut by the capture's ends or touching damage says so
// instead of giving a width it does not know.
std::string PulseText(const Pulse& pulse, std::optional<double> sampleRate);

// "COUNT = 1A, holds 8 samples": a bus's value and how long it holds, or why that is unknown.
std::string BusText(const std::string& name, const BusValue& value, size_t channels,
                    std::optional<double> sampleRate);

}  // namespace zq
