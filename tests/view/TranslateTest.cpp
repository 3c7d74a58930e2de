#include <gtest/gtest.h>

#include "view/MeasureText.h"
#include "view/Translate.h"

namespace zq {
namespace {

TEST(Arg, FillsEachPlaceholderOnceWhereverTheTranslationPutsIt) {
    const struct {
        const char* text;
        std::initializer_list<std::string_view> args;
        const char* filled;
    } cases[] = {
        {"Sample %1 (Trig %2)", {"1029", "+5"}, "Sample 1029 (Trig +5)"},
        {"%2 before %1", {"a", "b"}, "b before a"},
        {"%1: %1", {"x"}, "x: x"},
        {"name %1", {"%2 %1"}, "name %2 %1"},  // a value is never filled in again
        {"duty %1 %", {"50"}, "duty 50 %"},    // a lone % stays
        {"%0 %3 100%", {"a", "b"}, "%0 %3 100%"},
    };
    for (const auto& c : cases) EXPECT_EQ(Arg(c.text, c.args), c.filled) << c.text;
}

TEST(Translate, TheInstalledLookupServesEveryTextAndNoneMeansEnglish) {
    Pulse high{};
    high.level = 1;
    EXPECT_EQ(PulseText(high, std::nullopt), "high");
    SetTranslator([](const char* context, const char* source) {
        return std::string(context) + "|" + source;
    });
    EXPECT_EQ(PulseText(high, std::nullopt), "zq::Readout|high");
    SetTranslator(nullptr);
    EXPECT_EQ(translate("zq::Readout", "high"), "high");
}

}  // namespace
}  // namespace zq
