#include <gtest/gtest.h>

#include <string>

#include "view/Navigation.h"

namespace zq {
namespace {

struct StepCase {
    const char* start;
    const char* length;
    bool forward;
    const char* startAfter;
    const char* lengthAfter;
};

class StepStart : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepStart, MovesByAQuarterWithinBounds) {
    const StepCase& c = GetParam();
    std::string start = c.start, length = c.length;
    if (c.forward) {
        StepStartForward(start, length);
    } else {
        StepStartBack(start, length);
    }
    EXPECT_EQ(start, c.startAfter);
    EXPECT_EQ(length, c.lengthAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, StepStart,
    ::testing::Values(
        StepCase{"1008", "64", true, "1024", "64"}, StepCase{"1008", "64", false, "992", "64"},
        StepCase{"2040", "64", true, "2045", "64"}, StepCase{"10", "64", false, "0", "64"},
        // Short windows: ">" needs 2 samples, "<" needs 3; the step is then 1.
        StepCase{"1008", "2", true, "1009", "2"}, StepCase{"1008", "2", false, "1007", "3"},
        StepCase{"1008", "0", true, "1009", "2"}, StepCase{"1008", "0", false, "1007", "3"},
        StepCase{"100", "7", true, "101", "7"}, StepCase{"100", "8", true, "102", "8"},
        StepCase{"0", "2048", true, "512", "2048"}, StepCase{"1", "5", false, "0", "5"},
        // Fractions keep their fraction; "Go !" rounds them when it stores.
        StepCase{"10.5", "64", true, "26.5", "64"}, StepCase{"100", "10.5", false, "98", "10.5"},
        // Whatever is not a number reads as 0 and the bounds apply.
        StepCase{"", "", true, "1", "2"}, StepCase{"abc", "xyz", false, "0", "3"},
        StepCase{"1e3", "64", true, "16", "64"},
        StepCase{"99999999999999999999", "64", true, "2045", "64"},
        StepCase{"99999999999999999999", "64", false, "32767", "64"},
        StepCase{"-99999999999999999999", "64", true, "-32768", "64"},
        StepCase{"500", "99999999999999999999", true, "2045", "99999999999999999999"},
        StepCase{"500", "99999999999999999999", false, "0", "99999999999999999999"}));

}  // namespace
}  // namespace zq
