#include "view/ViewGestures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "view/Translate.h"
#include "view/ViewSettings.h"

namespace zq {

SampleWindow ClampedWindow(int64_t start, int64_t length) {
    length = std::clamp<int64_t>(length, kMinGestureLength, kMaxGestureLength);
    const int64_t lastStart = std::min<int64_t>(2045, kCaptureSamples - length);
    start = std::clamp<int64_t>(start, 0, lastStart);
    return {static_cast<int32_t>(start), static_cast<int32_t>(length)};
}

std::optional<int32_t> PositionAt(double x, double plotWidth, int32_t positions) {
    if (!(x >= 0 && x < plotWidth) || positions < 1) return std::nullopt;
    const auto p = static_cast<int32_t>(std::floor(x * positions / plotWidth));
    return std::min(p, positions - 1);
}

SampleWindow ZoomWindow(SampleWindow shown, int32_t anchor, double fraction, int steps) {
    int64_t length = shown.length;
    for (; steps > 0; --steps) length = std::max<int64_t>(kMinGestureLength, length / 2);
    for (; steps < 0; ++steps) length = std::min<int64_t>(kMaxGestureLength, length * 2);
    fraction = std::clamp(fraction, 0.0, 1.0);
    const auto offset =
        static_cast<int64_t>(std::floor(fraction * static_cast<double>(length + 1)));
    return ClampedWindow(anchor - std::min(offset, length), length);
}

SampleWindow PanWindow(SampleWindow atPress, double dx, double plotWidth) {
    if (!(plotWidth > 0)) return ClampedWindow(atPress.start, atPress.length);
    const double samples = dx * (atPress.length + 1) / plotWidth;
    return ClampedWindow(atPress.start - std::llround(samples), atPress.length);
}

SampleWindow RangeWindow(int32_t a, int32_t b) {
    const int32_t lo = std::min(a, b), hi = std::max(a, b);
    return ClampedWindow(lo, hi - lo);
}

SampleWindow WindowShowing(SampleWindow shown, int32_t sample) {
    if (sample >= shown.start && sample <= shown.start + shown.length) return shown;
    return ClampedWindow(sample - shown.length / 2, shown.length);
}

std::optional<int32_t> FindEdge(const DecodedCapture& capture, int channel, SampleWindow shown,
                                std::optional<int32_t> cursorA, int direction) {
    if (channel < 0 || channel > 15) return std::nullopt;
    const bool cursorShown =
        cursorA && *cursorA >= shown.start && *cursorA <= shown.start + shown.length;
    int32_t from = cursorShown     ? *cursorA
                   : direction > 0 ? shown.start - 1
                                   : shown.start + shown.length + 1;
    const auto edgeAt = [&](int32_t s) {
        const auto i = static_cast<size_t>(s);
        return capture.held[i] && capture.held[i - 1] &&
               ((capture.words[i] ^ capture.words[i - 1]) >> channel & 1);
    };
    const int step = direction > 0 ? 1 : -1;
    int32_t s = from + step;
    s = step > 0 ? std::max(s, 1) : std::min(s, kCaptureSamples - 1);
    for (; s >= 1 && s < kCaptureSamples; s += step)
        if (edgeAt(s)) return s;
    return std::nullopt;
}

std::string HoverReadout(const DecodedCapture* capture, int32_t sample, int channel) {
    const int32_t fromTrigger = sample - kTriggerSample;
    const std::string number = std::to_string(sample);
    std::string text =
        fromTrigger == 0
            ? Arg(translate("zq::Readout", "Sample %1 at Trig"), {number})
            : Arg(translate("zq::Readout", "Sample %1 (Trig %2)"),
                  {number, (fromTrigger > 0 ? "+" : "") + std::to_string(fromTrigger)});
    const bool inCapture = sample >= 0 && sample < kCaptureSamples;
    const std::string channelNumber = std::to_string(channel);
    if (capture && !inCapture) {
        text += "   " + translate("zq::Readout", "beyond the capture");
    } else if (capture) {
        const auto i = static_cast<size_t>(sample);
        if (capture->held[i]) {
            char word[8];
            std::snprintf(word, sizeof word, "%04X", static_cast<unsigned>(capture->words[i]));
            text += "   " + Arg(translate("zq::Readout", "Word %1"), {word});
        } else {
            text += "   " + translate("zq::Readout", "no word");
        }
        if (channel >= 0 && capture->held[i])
            text += "   " + Arg(translate("zq::Readout", "Channel %1: %2"),
                                {channelNumber, std::to_string(capture->words[i] >> channel & 1)});
        if (capture->unreliable[i]) text += "   " + translate("zq::Readout", "unreliable");
    } else if (channel >= 0) {
        text += "   " + Arg(translate("zq::Readout", "Channel %1"), {channelNumber});
    }
    return text;
}

int64_t RoundStep(double minimum) {
    for (int64_t decade = 1; decade < INT64_MAX / 10; decade *= 10)
        for (int64_t m : {1, 2, 5})
            if (static_cast<double>(m * decade) >= minimum) return m * decade;
    return INT64_MAX;
}

}  // namespace zq
