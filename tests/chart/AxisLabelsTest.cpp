// Which position labels the chart's axis draws.

#include <gtest/gtest.h>

#include "chart/AxisLabels.h"
#include "chart/PositionLabels.h"

namespace zq {
namespace {

// Seven pixels a character, as a narrow desktop font.
const AxisLayout kLayout{0, 6, [](std::string_view t) { return 7.0 * t.size(); }};

TEST(AxisLabels, NeverCrowdAndStayOnTheirSamples) {
    struct Row {
        const char* start;
        const char* length;
        double plotWidth;
        std::vector<std::string> expected;  // the texts drawn, left to right
    } rows[] = {
        // Wide enough for every handed label.
        {"1020",
         "8",
         900,
         {"1020", "1021", "1022", "1023", "Trig", "1025", "1026", "1027", "1028"}},
        // Every sample labelled but too narrow: round numbers, none touching "Trig".
        {"1000",
         "32",
         600,
         {"1000", "1002", "1004", "1006", "1008", "1010", "1012", "1014", "1016", "1018", "1020",
          "1022", "Trig", "1026", "1028", "1030", "1032"}},
        // Every fourth labelled (1003, 1007, ...): all fit but those beside "Trig".
        {"1000",
         "48",
         500,
         {"1003", "1007", "1011", "1015", "1019", "Trig", "1031", "1035", "1039", "1043", "1047"}},
        // Narrower: every other one, and the one beside "Trig" left out.
        {"1000", "48", 250, {"1003", "1011", "Trig", "1035", "1043"}},
        // Long windows carry no handed numbers: round steps of their own.
        {"0",
         "2048",
         450,
         {"0", "200", "400", "600", "800", "Trig", "1200", "1400", "1600", "1800", "2000"}},
        {"1008",
         "128",
         450,
         {"1010", "Trig", "1040", "1050", "1060", "1070", "1080", "1090", "1100", "1110", "1120",
          "1130"}},
        {"1500", "500", 300, {"1500", "1600", "1700", "1800", "1900", "2000"}},
    };
    for (const Row& r : rows) {
        const std::vector<std::string> labels =
            PositionLabels(r.start, r.length, std::stoi(r.length));
        AxisLayout layout = kLayout;
        layout.pitch = r.plotWidth / static_cast<double>(labels.size());
        const std::vector<AxisLabel> drawn = LayoutAxisLabels(labels, std::stoi(r.start), layout);
        std::vector<std::string> texts;
        for (size_t i = 0; i < drawn.size(); ++i) {
            const AxisLabel& l = drawn[i];
            texts.push_back(l.text);
            // On its own sample: the handed label of its position, or its sample number.
            const std::string& handed = labels[static_cast<size_t>(l.position)];
            if (!handed.empty())
                EXPECT_EQ(l.text, handed);
            else
                EXPECT_EQ(std::stoi(l.text), std::stoi(r.start) + l.position);
            if (i == 0) continue;
            const AxisLabel& p = drawn[i - 1];
            const double gap = (l.position - p.position) * layout.pitch -
                               (layout.widthOf(l.text) + layout.widthOf(p.text)) / 2;
            EXPECT_GE(gap, layout.gap) << p.text << " and " << l.text;
        }
        EXPECT_EQ(texts, r.expected) << r.start << "+" << r.length << " on " << r.plotWidth;
    }
}

}  // namespace
}  // namespace zq
