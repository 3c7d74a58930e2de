#pragma once
// Window geometry is designed in twips (1/1440 inch). At 96 dpi a pixel is 15 twips; on other
// screens the logical DPI scales it, so the layout keeps its proportions to the fonts.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cmath>

class QWidget;

namespace zq {

class TwipScale {
  public:
    // Pixels per twip = logicalDpi / 1440.
    explicit TwipScale(double logicalDpi = 96.0) : dpi_(logicalDpi > 0 ? logicalDpi : 96.0) {}

    // The logical DPI of the screen the widget is on (or the primary screen).
    static TwipScale ForWidget(const QWidget* widget);

    double pixelsPerTwip() const { return dpi_ / 1440.0; }
    double toPixelsF(double twips) const { return twips * pixelsPerTwip(); }
    int toPixels(double twips) const { return static_cast<int>(std::lround(toPixelsF(twips))); }
    // A rectangle given as left, top, width and height in twips. Edges are rounded, not
    // sizes, so neighbouring controls never overlap or gap by a rounding pixel.
    QRect rect(int left, int top, int width, int height) const {
        const int l = toPixels(left), t = toPixels(top);
        return QRect(l, t, toPixels(left + width) - l, toPixels(top + height) - t);
    }

  private:
    double dpi_;
};

}  // namespace zq
