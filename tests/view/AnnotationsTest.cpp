// The decoders' annotations as the chart, the read-out and the list find and word them.
#include <gtest/gtest.h>

#include "view/Annotations.h"

namespace zq {
namespace {

using decode::Annotation;

// Two rows of a decoder: bytes, and the bits inside them (a long annotation first in the
// library's order, to show the table sorts), one annotation of a row not in the result. Its
// empty row is left out; a decoder that found nothing keeps its first row.
AnnotationTable Example() {
    decode::DecodeResult r;
    r.rows = {{"uart-1", "uart", 0, "UART: RX data"},
              {"uart-1", "uart", 1, "UART: TX data"},
              {"uart-1", "uart", 2, "UART: RX bits"},
              {"i2c-1", "i2c", 0, "I2C: Bits"},
              {"i2c-1", "i2c", 1, "I2C: Address/data"}};
    const auto a = [](uint64_t s, uint64_t e, int row, std::vector<std::string> texts) {
        return Annotation{s, e, "uart-1", "uart", row, row, std::move(texts), false};
    };
    r.annotations = {a(1036, 1096, 0, {"Data: 5A", "5A"}), a(1042, 1048, 2, {"0"}),
                     a(1000, 1030, 0, {"Start", "S"}), a(1036, 1036, 2, {"Start bit"}),
                     a(1100, 1110, 7, {"lost"})};
    r.annotations[0].unreliable = true;
    return AnnotationTable(std::move(r));
}

TEST(Annotations, FindsTheAnnotationUnderASampleAndListsThemInOrder) {
    const AnnotationTable t = Example();
    EXPECT_EQ(t.inRow(0), (std::vector<size_t>{2, 0}));
    EXPECT_EQ(t.listed(), (std::vector<size_t>{2, 0, 3, 1}));  // the lost one in no row
    ASSERT_EQ(t.rowCount(), 3u);
    EXPECT_EQ(t.row(1).desc, "UART: RX bits");
    EXPECT_EQ(t.row(2).desc, "I2C: Bits");
    EXPECT_EQ(t.rowOf(4), 3u);
    struct Case {
        size_t row;
        int64_t sample;
        std::optional<size_t> found;
    } cases[] = {
        {0, 999, {}}, {0, 1000, 2},  {0, 1029, 2}, {0, 1030, {}}, {0, 1095, 0},  {0, 1096, {}},
        {1, 1036, 3}, {1, 1037, {}}, {1, 1047, 1}, {1, 1048, {}}, {2, 1100, {}}, {0, -5, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(t.at(c.row, c.sample), c.found) << c.sample;
    EXPECT_EQ(t.rowsOnly().rowCount(), 3u);
    EXPECT_TRUE(t.rowsOnly().listed().empty());
}

TEST(Annotations, TextsThatFitReadOutAndSearch) {
    const auto width = [](std::string_view s) { return 7.0 * static_cast<double>(s.size()); };
    const std::vector<std::string> texts{"Data: 5A", "5A", "5"};
    EXPECT_EQ(LongestThatFits(texts, 56, width), 0u);
    EXPECT_EQ(LongestThatFits(texts, 55, width), 1u);
    EXPECT_EQ(LongestThatFits(texts, 6, width), std::nullopt);

    const AnnotationTable t = Example();
    EXPECT_EQ(AnnotationText(t.row(0), t.annotation(0), std::nullopt),
              "UART: RX data: Data: 5A\nSamples 1036 to 1095, Trig +12, 60 samples long\n"
              "unreliable: over damaged or missing samples");
    EXPECT_EQ(AnnotationText(t.row(1), t.annotation(3), 1e6),
              "UART: RX bits: Start bit\nSample 1036, +12.0 us");
    EXPECT_EQ(AnnotationTime(t.annotation(2), 1e6), "-24.0 us");
    EXPECT_EQ(AnnotationTime(t.annotation(2), std::nullopt), "Trig -24");

    EXPECT_TRUE(MatchesSearch(t, 0, ""));
    EXPECT_TRUE(MatchesSearch(t, 0, "5a  data"));
    EXPECT_TRUE(MatchesSearch(t, 1, "rx BITS"));
    EXPECT_FALSE(MatchesSearch(t, 1, "5a"));
}

TEST(Annotations, AClickCentresTheWindowOnTheAnnotation) {
    EXPECT_EQ(WindowCentredOn({0, 64}, 1036, 1095), (SampleWindow{1033, 64}));
    // Too long for the window: widened to hold it whole.
    EXPECT_EQ(WindowCentredOn({0, 32}, 1036, 1095), (SampleWindow{1036, 59}));
    // Near the capture's ends the window stays inside it.
    EXPECT_EQ(WindowCentredOn({500, 64}, 2040, 2047), (SampleWindow{1984, 64}));
}

}  // namespace
}  // namespace zq
