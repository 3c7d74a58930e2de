#include "chart/AxisLabels.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "view/BoxNumber.h"
#include "view/ViewGestures.h"

namespace zq {

namespace {

constexpr std::string_view kTrig = "Trig";

std::optional<int64_t> WholeNumber(std::string_view text) {
    int64_t v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return v;
}

}  // namespace

std::vector<AxisLabel> LayoutAxisLabels(const std::vector<std::string>& labels, int32_t firstSample,
                                        const AxisLayout& layout) {
    const auto positions = static_cast<int32_t>(labels.size());
    std::vector<AxisLabel> candidates;
    std::optional<AxisLabel> trig;
    for (int32_t p = 0; p < positions; ++p) {
        const std::string& text = labels[static_cast<size_t>(p)];
        if (text == kTrig && !trig)
            trig = AxisLabel{p, text};
        else if (!text.empty())
            candidates.push_back({p, text});
    }

    if (!candidates.empty()) {
        // The handed labels stand at a regular distance; keep every m-th, m a round step, and
        // where they are sample numbers one after another keep the round numbers.
        const int32_t every =
            candidates.size() > 1 ? candidates[1].position - candidates[0].position : 1;
        double widest = 0;
        for (const AxisLabel& l : candidates) widest = std::max(widest, layout.widthOf(l.text));
        const int64_t m = RoundStep((widest + layout.gap) / (layout.pitch * std::max(every, 1)));
        const auto first = WholeNumber(candidates[0].text);
        std::vector<AxisLabel> kept;
        for (size_t k = 0; k < candidates.size(); ++k) {
            const auto n = WholeNumber(candidates[k].text);
            const bool keep =
                every == 1 && n && first ? *n % m == 0 : static_cast<int64_t>(k) % m == 0;
            if (keep) kept.push_back(std::move(candidates[k]));
        }
        candidates = std::move(kept);
    } else if (positions > 1) {
        // A long window: sample numbers at a round step wide enough for the widest of them.
        const int32_t last = firstSample + positions - 1;
        const double widest =
            std::max(layout.widthOf(DecimalText(firstSample)), layout.widthOf(DecimalText(last)));
        const int64_t step = RoundStep((widest + layout.gap) / layout.pitch);
        for (int64_t s = (firstSample + step - 1) / step * step; s <= last; s += step)
            if (s >= 0)
                candidates.push_back({static_cast<int32_t>(s - firstSample), DecimalText(s)});
    }

    // "Trig" first; then, left to right, every label that keeps its distance from the last one
    // kept and from "Trig".
    const auto span = [&](const AxisLabel& l) {
        const double x = (l.position + 0.5) * layout.pitch, half = layout.widthOf(l.text) / 2;
        return std::pair{x - half, x + half};
    };
    const auto apart = [&](const AxisLabel& a, const AxisLabel& b) {
        const auto [a0, a1] = span(a);
        const auto [b0, b1] = span(b);
        return a1 + layout.gap <= b0 || b1 + layout.gap <= a0;
    };
    std::vector<AxisLabel> out;
    if (trig) out.push_back(*trig);
    std::optional<size_t> previous;
    for (AxisLabel& l : candidates) {
        if ((trig && !apart(l, *trig)) || (previous && !apart(l, out[*previous]))) continue;
        previous = out.size();
        out.push_back(std::move(l));
    }
    std::sort(out.begin(), out.end(),
              [](const AxisLabel& a, const AxisLabel& b) { return a.position < b.position; });
    return out;
}

}  // namespace zq
