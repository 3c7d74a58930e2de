#pragma once
// The two shared conversions of hexadecimal text used by the chart, the listing and the tools.

#include <cstdint>
#include <string_view>

namespace zq {

// Only upper-case digits count: the device never sends lower case, so a lower-case letter is
// damage, not data.
constexpr bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// A digit's value as four characters "0"/"1", most significant first. Any other character gives
// "0000" and raises conversionError (the caller clears it before use).
std::string_view HexDigitToBits(char c, bool& conversionError);
std::string_view HexDigitToBits(char c);

// A 4-character line address to its value: clears conversionError, then reads the 16 bits of
// the four digits, first to last; a character that is not a digit counts as 0 and raises the
// flag. Text shorter than 4 characters is read as far as it goes.
// The result is the unsigned 16-bit value: an address from 8000 up (only a damaged file has
// one) stays above every sample of a capture instead of wrapping onto samples 0 to 15.
int32_t HexAddressToDecimal(std::string_view text, bool& conversionError);
int32_t HexAddressToDecimal(std::string_view text);

}  // namespace zq
