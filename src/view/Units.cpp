#include "view/Units.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "capture/LayoutCheck.h"
#include "view/Translate.h"

namespace zq {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct Unit {
    const char* name;
    int exponent;  // the unit is 10^exponent of the base unit
};

// Units from the smallest up, one of them the base unit (exponent 0).
std::string ThreeDigits(double value, const Unit* units, size_t count) {
    const char* base =
        std::find_if(units, units + count, [](const Unit& u) { return u.exponent == 0; })->name;
    if (value == 0) return std::string("0 ") + base;
    if (!std::isfinite(value)) return std::string("-- ") + base;
    const std::string sign = value < 0 ? "-" : "";
    value = std::fabs(value);
    // Round to three significant digits first, so that 999.6 ns becomes 1.00 us, not 1000 ns.
    int exp = static_cast<int>(std::floor(std::log10(value)));
    double rounded = std::round(value / std::pow(10.0, exp - 2)) * std::pow(10.0, exp - 2);
    if (rounded >= std::pow(10.0, exp + 1)) ++exp;
    size_t u = 0;
    while (u + 1 < count && exp >= units[u + 1].exponent) ++u;
    const int decimals = std::max(0, 2 - (exp - units[u].exponent));
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f %s", decimals, rounded / std::pow(10.0, units[u].exponent),
                  units[u].name);
    return sign + buf;
}

constexpr Unit kTimeUnits[] = {{"ns", -9}, {"us", -6}, {"ms", -3}, {"s", 0}};
constexpr Unit kFrequencyUnits[] = {{"Hz", 0}, {"kHz", 3}, {"MHz", 6}, {"GHz", 9}};

}  // namespace

Parsed<double> ParseSampleRate(std::string_view text) {
    const std::string shown = "\"" + PrintableText(text) + "\"";
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && text[i] == ' ') ++i;
    };
    skipBlanks();
    if (i == text.size()) return {0, translate("zq::Setup", "no sample rate given")};
    if (text[i] == '-')
        return {0, Arg(translate("zq::Setup", "%1: a sample rate must be above 0"), {shown})};
    const size_t start = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i < text.size() && text[i] == '.') ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    std::string number(text.substr(start, i - start));
    if (number.find_first_of("0123456789") == std::string::npos)
        return {0, Arg(translate("zq::Setup",
                                 "%1 is not a sample rate: a number of hertz, e.g. 1 MHz or 250k"),
                       {shown})};
    skipBlanks();
    int exponent = 0;
    if (i < text.size()) {
        switch (text[i]) {
            case 'k':
            case 'K':
                exponent = 3;
                ++i;
                break;
            case 'M':
                exponent = 6;
                ++i;
                break;
            case 'G':
                exponent = 9;
                ++i;
                break;
            case 'm':
                return {0, Arg(translate("zq::Setup", "%1: 'm' would be milli; write M for mega"),
                               {shown})};
            default:
                break;
        }
    }
    if (text.substr(i, 2) == "Hz" || text.substr(i, 2) == "hz") i += 2;
    skipBlanks();
    if (i != text.size())
        return {0, Arg(translate("zq::Setup",
                                 "%1: unknown unit; write Hz, kHz, MHz or GHz, or nothing for Hz"),
                       {shown})};
    // The prefix goes into the exponent, so that "2.5 MHz" is read with one rounding.
    number += "e" + std::to_string(exponent);
    double hz = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), hz);
    if (ec == std::errc::result_out_of_range || !std::isfinite(hz)) {
        const bool large = number.find_first_of("123456789") < number.find_first_of(".e");
        return {0, Arg(large ? translate("zq::Setup", "%1: too large for a sample rate")
                             : translate("zq::Setup", "%1: too small for a sample rate"),
                       {shown})};
    }
    if (hz <= 0)
        return {0, Arg(translate("zq::Setup", "%1: a sample rate must be above 0"), {shown})};
    return {hz, {}};
}

std::string TimeText(double seconds) {
    return ThreeDigits(seconds, kTimeUnits, std::size(kTimeUnits));
}

std::string FrequencyText(double hertz) {
    return ThreeDigits(hertz, kFrequencyUnits, std::size(kFrequencyUnits));
}

double SamplesTime(double samples, double sampleRate) { return samples / sampleRate; }

}  // namespace zq
