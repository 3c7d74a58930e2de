#include "capture/HexConvert.h"

namespace zq {

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
