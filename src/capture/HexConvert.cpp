#include "capture/HexConvert.h"

#include <array>

namespace zq {

namespace {
constexpr std::array<std::string_view, 16> kBits = {
    "0000", "0001", "0010", "0011", "0100", "0101", "0110", "0111",
    "1000", "1001", "1010", "1011", "1100", "1101", "1110", "1111"};

constexpr int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
}  // namespace

std::string_view HexDigitToBits(char c, bool& conversionError) {
    const int v = DigitValue(c);
    if (v < 0) {
        conversionError = true;
        return kBits[0];
    }
    return kBits[static_cast<size_t>(v)];
}

std::string_view HexDigitToBits(char c) {
    bool ignored = false;
    return HexDigitToBits(c, ignored);
}

int32_t HexAddressToDecimal(std::string_view text, bool& conversionError) {
    conversionError = false;
    int32_t value = 0;
    for (size_t i = 0; i < 4; ++i) {
        const char c = i < text.size() ? text[i] : '\0';
        const std::string_view bits = HexDigitToBits(c, conversionError);
        for (char b : bits) value = value * 2 + (b == '1' ? 1 : 0);
    }
    return value;
}

int32_t HexAddressToDecimal(std::string_view text) {
    bool ignored = false;
    return HexAddressToDecimal(text, ignored);
}

}  // namespace zq
