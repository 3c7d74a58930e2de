#pragma once
// The rules behind the chart's mouse and keyboard gestures, in samples rather than pixels: zoom
// around a sample, pan, the sample under a point, the next edge of a channel, the read-out of a
// sample and the round steps of the axis. The windows turn their results into StartPos and
// DataLen texts and run "Go !", so a gesture ends exactly where typing the same values would.

#include <cstdint>
#include <optional>
#include <string>

#include "capture/DecodedCapture.h"

namespace zq {

// A window of samples as the chart shows it: start .. start + length.
struct SampleWindow {
    int32_t start = 0;
    int32_t length = 0;
    bool operator==(const SampleWindow&) const = default;
};

// The shortest and longest windows a gesture asks for. "Go !" raises a shorter length to 3, so
// a zoom that stopped at 2 would not keep its sample under the pointer.
constexpr int32_t kMinGestureLength = 3;
constexpr int32_t kMaxGestureLength = kCaptureSamples;

// The window within the bounds that "Go !" and a redraw leave as they are: length
// kMinGestureLength..kMaxGestureLength, start 0..min(2045, 2048 - length).
SampleWindow ClampedWindow(int64_t start, int64_t length);

// The position (0-based) under x on a plot of the given width showing positions samples side
// by side; nothing outside the plot.
std::optional<int32_t> PositionAt(double x, double plotWidth, int32_t positions);

// Zoom by a factor of two per step (steps > 0 zoom in) so that anchor, which lies at fraction
// (0..1) of the plot's width, stays at the same place.
SampleWindow ZoomWindow(SampleWindow shown, int32_t anchor, double fraction, int steps);

// The window moved by dx pixels of a plot plotWidth wide, as when dragging the picture: a drag
// to the right brings earlier samples into view.
SampleWindow PanWindow(SampleWindow atPress, double dx, double plotWidth);

// The window from sample a to sample b (either order), at least kMinGestureLength long.
SampleWindow RangeWindow(int32_t a, int32_t b);

// shown itself when it shows sample, otherwise a window of the same length centred on it.
SampleWindow WindowShowing(SampleWindow shown, int32_t sample);

// The next (direction > 0) or previous edge of a channel: the first sample after (before) the
// search origin whose level differs from the sample before it, both samples held by the file.
// The search starts at cursor A when the window shows it, else at the window's edge, so
// repeated presses walk from edge to edge.
std::optional<int32_t> FindEdge(const DecodedCapture& capture, int channel, SampleWindow shown,
                                std::optional<int32_t> cursorA, int direction);

// The read-out of the sample and channel under the pointer; without a capture (null) only what
// the position says.
std::string HoverReadout(const DecodedCapture* capture, int32_t sample, int channel);

// The smallest round step (1, 2, 5, 10, 20, 50, ...) of at least minimum.
int64_t RoundStep(double minimum);

}  // namespace zq
