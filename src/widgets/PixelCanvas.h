#pragma once
// Direct pixel access for the chart's picture.

#include <QImage>
#include <QRect>
#include <algorithm>
#include <utility>

namespace zq {

// Direct pixel access: traces are drawn column by column into the image, so a picture of any
// density stays crisp and costs a few microseconds per trace.
class PixelCanvas {
  public:
    // The image's bits are fetched once: every scanLine() call would check for a detach.
    PixelCanvas(QImage& image, QRect clip)
        : bits_(image.bits()), stride_(image.bytesPerLine()), clip_(clip & image.rect()) {}

    // Fills columns [x, x + w) and rows [yTop, yBottom] (inclusive) with colour.
    void fill(int x, int w, int yTop, int yBottom, QRgb colour) {
        if (yTop > yBottom) std::swap(yTop, yBottom);
        const int x0 = std::max(x, clip_.left()), x1 = std::min(x + w - 1, clip_.right());
        const int y0 = std::max(yTop, clip_.top()), y1 = std::min(yBottom, clip_.bottom());
        for (int y = y0; y <= y1; ++y) {
            auto* line = reinterpret_cast<QRgb*>(bits_ + static_cast<qsizetype>(y) * stride_);
            for (int xx = x0; xx <= x1; ++xx) line[xx] = colour;
        }
    }

    // Every period-th pixel along the diagonals of the same area: a hatch that leaves what is
    // under it readable.
    void hatch(int x, int w, int yTop, int yBottom, QRgb colour, int period) {
        if (yTop > yBottom) std::swap(yTop, yBottom);
        const int x0 = std::max(x, clip_.left()), x1 = std::min(x + w - 1, clip_.right());
        const int y0 = std::max(yTop, clip_.top()), y1 = std::min(yBottom, clip_.bottom());
        for (int y = y0; y <= y1; ++y) {
            auto* line = reinterpret_cast<QRgb*>(bits_ + static_cast<qsizetype>(y) * stride_);
            for (int xx = x0; xx <= x1; ++xx)
                if ((xx + y) % period == 0) line[xx] = colour;
        }
    }

  private:
    uchar* bits_;
    qsizetype stride_;
    QRect clip_;
};

}  // namespace zq
