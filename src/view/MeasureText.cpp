#include "view/MeasureText.h"

#include <cmath>
#include <cstdio>

#include "view/RowLayout.h"
#include "view/Units.h"

namespace zq {

namespace {

std::string Length(int32_t samples, std::optional<double> rate) {
    if (rate) return TimeText(SamplesTime(samples, *rate));
    return std::to_string(samples) + (samples == 1 ? " sample" : " samples");
}

}  // namespace

std::string PulseText(const Pulse& p, std::optional<double> rate) {
    std::string text = p.level ? "high" : "low";
    if (!p.width) {
        if (p.touchesDamage) return text + ", touches damaged or missing samples";
        if (p.cutByStart) return text + ", from before the capture's start";
        if (p.cutByEnd) return text + ", past the capture's end";
        return text;
    }
    text += " " + Length(*p.width, rate);
    if (p.period) {
        text += ", period " + Length(*p.period, rate);
        if (rate) text += " (" + FrequencyText(*rate / *p.period) + ")";
    }
    if (p.duty) {
        char duty[32];
        std::snprintf(duty, sizeof duty, ", duty %.3g %%", *p.duty * 100);
        text += duty;
    }
    return text;
}

std::string BusText(const std::string& name, const BusValue& v, size_t channels,
                    std::optional<double> rate) {
    std::string text = name + " = " + BusValueText(v.value, channels);
    if (v.width) return text + ", holds " + Length(*v.width, rate);
    if (v.touchesDamage) return text + ", touches damaged or missing samples";
    if (v.cutByStart) return text + ", from before the capture's start";
    if (v.cutByEnd) return text + ", past the capture's end";
    return text;
}

}  // namespace zq
