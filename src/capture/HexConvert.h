#pragma once
// The two shared conversions of hexadecimal text used by the chart, the listing and the tools.

#include <array>
#include <cstdint>
#include <string_view>

namespace zq {

// Only upper-case digits count: the device never sends lower case, so a lower-case letter is
// damage, not data.
constexpr bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// A digit's value as four characters "0"/"1", most significant first. Any other character gives
// "0000" and raises conversionError (the caller clears it before use).
// The value of a digit, -1 for any other byte; a table, since the scan asks for every byte.
inline int HexDigitValue(char c) {
    static constexpr auto kValues = [] {
        std::array<signed char, 256> v{};
        for (auto& x : v) x = -1;
        for (int d = 0; d < 10; ++d) v[static_cast<size_t>('0' + d)] = static_cast<signed char>(d);
        for (int d = 0; d < 6; ++d)
            v[static_cast<size_t>('A' + d)] = static_cast<signed char>(10 + d);
        return v;
    }();
    return kValues[static_cast<unsigned char>(c)];
}

inline std::string_view HexDigitToBits(char c, bool& conversionError) {
    // One table for every byte value: the scan calls this for every digit of a capture.
    static constexpr std::array<std::string_view, 16> kBits = {
        "0000", "0001", "0010", "0011", "0100", "0101", "0110", "0111",
        "1000", "1001", "1010", "1011", "1100", "1101", "1110", "1111"};
    if (c >= '0' && c <= '9') return kBits[static_cast<size_t>(c - '0')];
    if (c >= 'A' && c <= 'F') return kBits[static_cast<size_t>(c - 'A' + 10)];
    conversionError = true;
    return kBits[0];
}
inline std::string_view HexDigitToBits(char c) {
    bool ignored = false;
    return HexDigitToBits(c, ignored);
}

// A 4-character line address to its value: clears conversionError, then reads the 16 bits of
// the four digits, first to last; a character that is not a digit counts as 0 and raises the
// flag. Text shorter than 4 characters is read as far as it goes.
// The result is the unsigned 16-bit value: an address from 8000 up (only a damaged file has
// one) stays above every sample of a capture instead of wrapping onto samples 0 to 15.
int32_t HexAddressToDecimal(std::string_view text, bool& conversionError);
int32_t HexAddressToDecimal(std::string_view text);

}  // namespace zq
