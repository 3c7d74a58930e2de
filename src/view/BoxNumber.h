#pragma once
// Reading the decimal texts that users type into boxes. Every box of the program goes through
// these, so that no text (empty, letters, fractions, huge) can stop the program.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zq {

// The number a text holds: optional blanks, an optional sign, digits with an optional decimal
// point and fraction, optional blanks. Anything else is not a number.
std::optional<double> ParseBoxNumber(std::string_view text);

// The number in a box, 0 when it holds none.
double BoxValue(std::string_view text);

// Half-to-even rounding to a whole number (12.5 -> 12, 13.5 -> 14, -2.5 -> -2).
double RoundHalfEven(double v);

// The box as a signed 16-bit integer: rounded half-to-even, clamped to -32768..32767, 0 when
// not a number.
int16_t BoxInt16(std::string_view text);

// The box as a whole number clamped to [lo, hi], 0 (then clamped) when not a number.
int64_t BoxInteger(std::string_view text, int64_t lo, int64_t hi);

// True when n / interval is a whole number (negative quotients too); an interval of 0 gives
// no whole quotient, so marks at such an interval are off.
bool IsWholeMultiple(double n, double interval);

// Plain decimal text of a whole number.
std::string DecimalText(int64_t v);

// Decimal text of a double the way a user expects it: whole numbers without a fraction,
// others with the shortest digits that give the value back.
std::string NumberText(double v);

}  // namespace zq
