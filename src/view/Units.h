#pragma once
// Sample rates as users type them, and times and frequencies as the program writes them.

#include <string>
#include <string_view>

#include "view/Setup.h"

namespace zq {

// A sample rate in hertz from text such as "1 MHz", "250k", "2.5 MHz" or "1000000": a plain
// decimal (no sign, no exponent), optional blanks, an optional prefix k (or K), M or G, an
// optional "Hz" (or "hz"), optional blanks around it all. A prefix alone names hertz too
// ("250k"). A lower-case "m" is refused rather than guessed: it would be milli. Zero,
// negatives, numbers too large for a double and anything else are refused, saying why.
Parsed<double> ParseSampleRate(std::string_view text);

// Three significant digits in the largest unit that keeps the number at or above 1:
// TimeText: ns, us, ms, s ("250 ns", "1.00 us", "12.3 ms"); FrequencyText: Hz, kHz, MHz, GHz
// ("50.0 Hz", "250 kHz", "1.00 MHz"). Below the smallest unit the digits go on after the point
// ("0.500 ns"); above the largest, whole numbers ("3600 s"). A negative value keeps its sign;
// 0 is "0 s" or "0 Hz"; infinity or not a number "-- s" or "-- Hz".
std::string TimeText(double seconds);
std::string FrequencyText(double hertz);

// The time that a number of samples takes at a sample rate in hertz.
double SamplesTime(double samples, double sampleRate);

}  // namespace zq
