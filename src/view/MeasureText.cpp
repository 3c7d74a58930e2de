#include "view/MeasureText.h"

#include <cmath>
#include <cstdio>

#include "view/RowLayout.h"
#include "view/Translate.h"
#include "view/Units.h"

namespace zq {

namespace {

std::string Length(int32_t samples, std::optional<double> rate) {
    if (rate) return TimeText(SamplesTime(samples, *rate));
    return Arg(samples == 1 ? translate("zq::Readout", "%1 sample")
                            : translate("zq::Readout", "%1 samples"),
               {std::to_string(samples)});
}

// Why a pulse or a bus value has no width, or nothing.
std::string Cut(bool touchesDamage, bool cutByStart, bool cutByEnd) {
    if (touchesDamage) return ", " + translate("zq::Readout", "touches damaged or missing samples");
    if (cutByStart) return ", " + translate("zq::Readout", "from before the capture's start");
    if (cutByEnd) return ", " + translate("zq::Readout", "past the capture's end");
    return {};
}

}  // namespace

std::string PulseText(const Pulse& p, std::optional<double> rate) {
    std::string text = p.level ? translate("zq::Readout", "high") : translate("zq::Readout", "low");
    if (!p.width) return text + Cut(p.touchesDamage, p.cutByStart, p.cutByEnd);
    text += " " + Length(*p.width, rate);
    if (p.period) {
        text += ", " + Arg(translate("zq::Readout", "period %1"), {Length(*p.period, rate)});
        if (rate) text += " (" + FrequencyText(*rate / *p.period) + ")";
    }
    if (p.duty) {
        char duty[32];
        std::snprintf(duty, sizeof duty, "%.3g", *p.duty * 100);
        text += ", " + Arg(translate("zq::Readout", "duty %1 %"), {duty});
    }
    return text;
}

std::string BusText(const std::string& name, const BusValue& v, size_t channels,
                    std::optional<double> rate) {
    std::string text = name + " = " + BusValueText(v.value, channels);
    if (v.width)
        return text + ", " + Arg(translate("zq::Readout", "holds %1"), {Length(*v.width, rate)});
    return text + Cut(v.touchesDamage, v.cutByStart, v.cutByEnd);
}

}  // namespace zq
