// The decoders' annotation rows on the chart, drawn as the peers draw them: a box over the
// samples each annotation covers, filled in its class's colour and outlined darker, with the
// longest of its texts that fits. Boxes go straight into the picture, so a row of a thousand
// one-pixel annotations costs no more than a trace; only boxes wide enough for a character get
// a text. An annotation over damaged or missing samples is hatched and outlined in red.

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

#include "widgets/PixelCanvas.h"
#include "widgets/TimingChart.h"

namespace zq {

namespace {

// Light enough for black text, distinct from one another.
constexpr std::array<QRgb, 12> kAnnotationColours = {
    qRgb(120, 200, 255), qRgb(255, 200, 90),  qRgb(150, 230, 130), qRgb(255, 150, 170),
    qRgb(200, 170, 255), qRgb(110, 225, 210), qRgb(240, 240, 120), qRgb(255, 175, 120),
    qRgb(170, 210, 170), qRgb(230, 160, 230), qRgb(180, 200, 230), qRgb(220, 200, 160)};
constexpr QRgb kUnreliable = qRgb(230, 40, 40);

// The part of a row a box takes, leaving a gap above and below it.
std::pair<double, double> BoxSpan(const RowLayout& rows, size_t r) {
    const double inset = rows.pitch * 0.12;
    return {rows.top(r) - inset, rows.bottom(r) + inset};
}

}  // namespace

QColor TimingChart::annotationColour(const std::string& decoder, int classIndex) {
    // Classes of one decoder take neighbouring hues; decoders start at different ones.
    size_t offset = 0;
    for (unsigned char c : decoder) offset = offset * 31 + c;
    return QColor(kAnnotationColours[(offset + static_cast<size_t>(std::max(0, classIndex))) %
                                     kAnnotationColours.size()]);
}

void TimingChart::setAnnotations(std::shared_ptr<const AnnotationTable> annotations) {
    if (annotations == annotations_) return;
    annotations_ = std::move(annotations);
    invalidate();
}

void TimingChart::drawAnnotationBoxes(QImage& image, QRect plot, double dpr) const {
    if (!annotations_) return;
    PixelCanvas canvas(image, plot);
    const int W = plot.width();
    const int64_t n = grid_.samples();
    // The column where a sample (relative to the first) begins, as the traces place it.
    const auto colStart = [&](int64_t s) {
        return static_cast<int>(std::clamp<int64_t>(s, 0, n) * W / n);
    };
    const auto devY = [&](double v) { return static_cast<int>(std::floor(valueToY(v) * dpr)); };
    const int thick = std::max(1, static_cast<int>(std::lround(dpr)));
    for (size_t r = 0; r < rows_.rows.size(); ++r) {
        const int row = rows_.rows[r].annotation;
        if (row < 0 || static_cast<size_t>(row) >= annotations_->rowCount()) continue;
        const auto [top, bottom] = BoxSpan(rows_, r);
        const int yTop = devY(top), yBottom = std::max(yTop, devY(bottom) - 1);
        for (size_t i : annotations_->inRow(static_cast<size_t>(row))) {
            const decode::Annotation& a = annotations_->annotation(i);
            const auto [first, last] = CoveredSamples(a);
            if (last < firstSample_ || first >= firstSample_ + n) continue;
            const int x0 = colStart(first - firstSample_);
            const int x1 = std::max(x0 + 1, colStart(last + 1 - firstSample_));
            const QColor fill = annotationColour(a.decoder, a.classIndex);
            const QRgb edge = a.unreliable ? kUnreliable : fill.darker(170).rgb();
            const int x = plot.left() + x0, w = x1 - x0;
            if (w <= 2 * thick + 1) {
                // Too narrow for an inside: a stroke of the outline's colour.
                canvas.fill(x, w, yTop, yBottom, edge);
                continue;
            }
            canvas.fill(x, w, yTop, yBottom, edge);
            canvas.fill(x + thick, w - 2 * thick, yTop + thick, yBottom - thick, fill.rgb());
            if (a.unreliable)
                canvas.hatch(x + thick, w - 2 * thick, yTop + thick, yBottom - thick, kUnreliable,
                             4 * thick);
        }
    }
}

void TimingChart::drawAnnotationTexts(QPainter& p) const {
    if (!annotations_) return;
    const QRectF plot = plotRect();
    const int64_t n = grid_.samples();
    const double pitch = plot.width() / static_cast<double>(n);
    QFont font = this->font();
    for (size_t r = 0; r < rows_.rows.size(); ++r) {
        const int row = rows_.rows[r].annotation;
        if (row < 0 || static_cast<size_t>(row) >= annotations_->rowCount()) continue;
        const auto [topValue, bottomValue] = BoxSpan(rows_, r);
        const double top = valueToY(topValue), height = valueToY(bottomValue) - top;
        font.setPixelSize(std::max(6, static_cast<int>(height * 0.75)));
        p.setFont(font);
        p.setPen(Qt::black);
        const QFontMetricsF fm(font);
        // No text is narrower than one narrow character: boxes below that are not measured.
        const double narrowest = fm.horizontalAdvance(QLatin1Char('1')) + 4;
        const auto width = [&fm](std::string_view t) {
            return fm.horizontalAdvance(
                QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())));
        };
        for (size_t i : annotations_->inRow(static_cast<size_t>(row))) {
            const decode::Annotation& a = annotations_->annotation(i);
            const auto [first, last] = CoveredSamples(a);
            if (last < firstSample_ || first >= firstSample_ + n) continue;
            // The part of the box inside the plot: a text stays readable at the window's edges.
            const double x0 = std::max(
                plot.left(), plot.left() + static_cast<double>(first - firstSample_) * pitch);
            const double x1 = std::min(
                plot.right(), plot.left() + static_cast<double>(last + 1 - firstSample_) * pitch);
            const double room = x1 - x0 - 4;
            if (room < narrowest - 4) continue;
            const auto shown = LongestThatFits(a.texts, room, width);
            if (!shown) continue;
            p.drawText(QRectF(x0, top, x1 - x0, height), Qt::AlignCenter | Qt::TextSingleLine,
                       QString::fromStdString(a.texts[*shown]));
        }
    }
}

}  // namespace zq
