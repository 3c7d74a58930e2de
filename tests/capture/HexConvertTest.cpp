#include "capture/HexConvert.h"

#include <gtest/gtest.h>

#include <string>

namespace zq {
namespace {

TEST(HexDigitToBits, EveryByteValue) {
    // Only the sixteen upper-case digits convert; every other byte (lower case, blanks, NUL,
    // bytes above 0x7F) gives "0000" and raises the error flag.
    const std::string digits = "0123456789ABCDEF";
    for (int v = 0; v < 256; ++v) {
        const char c = static_cast<char>(v);
        bool error = false;
        const std::string bits(HexDigitToBits(c, error));
        const auto at = digits.find(c);
        if (at != std::string::npos && c != '\0') {
            EXPECT_FALSE(error) << v;
            ASSERT_EQ(bits.size(), 4u);
            EXPECT_EQ(std::stoi(bits, nullptr, 2), static_cast<int>(at)) << v;
        } else {
            EXPECT_TRUE(error) << v;
            EXPECT_EQ(bits, "0000") << v;
        }
    }
}

TEST(HexDigitToBits, FlagIsLeftForTheCallerToClear) {
    bool error = false;
    HexDigitToBits('x', error);
    HexDigitToBits('A', error);
    EXPECT_TRUE(error);
}

TEST(HexAddressToDecimal, Values) {
    struct Case {
        const char* text;
        int32_t value;
        bool error;
    } cases[] = {
        {"0000", 0, false},   {"07F0", 2032, false}, {"0400", 1024, false},
        {"7FFF", 32767, false}, {"03f0", 0x0300, true},  // lower case counts as 0
        {"0 10", 0x0010, true}, {"FFFF", 65535, false},  // kept above every capture sample
        {"8000", 32768, false}, {"12", 0x1200, true},    // cut short: the rest counts as 0
    };
    for (const Case& c : cases) {
        bool error = !c.error;
        EXPECT_EQ(HexAddressToDecimal(c.text, error), c.value) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

}  // namespace
}  // namespace zq
