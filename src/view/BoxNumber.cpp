#include "view/BoxNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace zq {

std::optional<double> ParseBoxNumber(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
    text = text.substr(b, e - b);
    if (text.empty()) return std::nullopt;

    size_t i = 0;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        ++i;
    }
    size_t digits = 0;
    std::string clean;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) clean += text[i];
    if (i < text.size() && text[i] == '.') {
        clean += '.';
        ++i;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) clean += text[i];
    }
    if (digits == 0 || i != text.size()) return std::nullopt;
    if (clean.front() == '.') clean.insert(clean.begin(), '0');
    if (clean.back() == '.') clean.pop_back();
    double v = 0;
    auto [ptr, ec] = std::from_chars(clean.data(), clean.data() + clean.size(), v);
    if (ec == std::errc::result_out_of_range)
        v = HUGE_VAL;
    else if (ec != std::errc() || ptr != clean.data() + clean.size())
        return std::nullopt;
    return negative ? -v : v;
}

double BoxValue(std::string_view text) { return ParseBoxNumber(text).value_or(0.0); }

double RoundHalfEven(double v) {
    if (!std::isfinite(v)) return v;
    return std::nearbyint(v);  // default rounding mode: to nearest, ties to even
}

int64_t BoxInteger(std::string_view text, int64_t lo, int64_t hi) {
    const double v = RoundHalfEven(BoxValue(text));
    if (std::isnan(v)) return std::clamp<int64_t>(0, lo, hi);
    if (v <= static_cast<double>(lo)) return lo;
    if (v >= static_cast<double>(hi)) return hi;
    return static_cast<int64_t>(v);
}

int16_t BoxInt16(std::string_view text) {
    return static_cast<int16_t>(BoxInteger(text, INT16_MIN, INT16_MAX));
}

bool IsWholeMultiple(double n, double interval) {
    const double q = n / interval;
    return std::isfinite(q) && q == std::floor(q);
}

std::string DecimalText(int64_t v) { return std::to_string(v); }

std::string NumberText(double v) {
    if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e15)
        return DecimalText(static_cast<int64_t>(v));
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

}  // namespace zq
