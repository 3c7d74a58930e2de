#include "view/BoxNumber.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zq {
namespace {

TEST(BoxNumber, ParsesWhatUsersType) {
    struct Case {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"1008", 1008},     {" 64 ", 64},      {"-5", -5},          {"+7", 7},
        {"12.5", 12.5},     {".5", 0.5},       {"3.", 3},           {"007", 7},
        {"", std::nullopt}, {" ", std::nullopt}, {"abc", std::nullopt}, {"12a4", std::nullopt},
        {"-", std::nullopt}, {".", std::nullopt}, {"1e3", std::nullopt}, {"1 2", std::nullopt},
        {"--1", std::nullopt}, {"0x10", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseBoxNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(BoxNumber, HugeNumbersStayFinite) {
    const std::string huge(400, '9');
    const auto v = ParseBoxNumber(huge);
    ASSERT_TRUE(v.has_value());
    EXPECT_GT(*v, 1e300);
    EXPECT_EQ(BoxInt16(huge), 32767);
    EXPECT_EQ(BoxInt16("-" + huge), -32768);
    EXPECT_EQ(BoxInteger(huge, 0, 2048), 2048);
}

TEST(BoxNumber, Int16RoundsHalfToEvenAndClamps) {
    struct Case {
        const char* text;
        int16_t value;
    } cases[] = {
        {"12.5", 12}, {"13.5", 14}, {"-2.5", -2}, {"-3.5", -4}, {"12.51", 13}, {"0.5", 0},
        {"32767", 32767}, {"32768", 32767}, {"99999", 32767}, {"-32768", -32768},
        {"-40000", -32768}, {"abc", 0}, {"", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(BoxInt16(c.text), c.value) << c.text;
}

TEST(BoxNumber, WholeMultiples) {
    EXPECT_TRUE(IsWholeMultiple(1040, 16));
    EXPECT_TRUE(IsWholeMultiple(-32, 16));  // marks run both ways from the trigger
    EXPECT_TRUE(IsWholeMultiple(0, 16));
    EXPECT_TRUE(IsWholeMultiple(7.5, 2.5));
    EXPECT_FALSE(IsWholeMultiple(1041, 16));
    EXPECT_FALSE(IsWholeMultiple(5, 0));  // an interval of 0 marks nothing
    EXPECT_FALSE(IsWholeMultiple(0, 0));
}

TEST(BoxNumber, Texts) {
    EXPECT_EQ(NumberText(32), "32");
    EXPECT_EQ(NumberText(-0.0), "0");
    EXPECT_EQ(NumberText(3.5), "3.5");
    EXPECT_EQ(NumberText(0.1), "0.1");
    EXPECT_EQ(DecimalText(-11), "-11");
}

}  // namespace
}  // namespace zq
