// The setup's rows on the chart: which row lies under a point, the bus rows' values, the
// cursors' shades and flags, and the values at the pointer beside the labels.

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "widgets/TimingChart.h"

namespace zq {

std::optional<ChartRow> TimingChart::rowAt(double y) const {
    const double value = (kValueZeroTw - y * kDesignHeightTw / std::max(1, height())) / kBandTw;
    if (!(value >= 0)) return std::nullopt;
    const auto r = rows_.rowAt(value);
    if (!r) return std::nullopt;
    return rows_.rows[*r];
}

std::pair<double, double> TimingChart::rowSpan(const ChartRow& row) const {
    for (size_t r = 0; r < rows_.rows.size(); ++r)
        if (rows_.rows[r] == row) return {valueToY(rows_.top(r)), valueToY(rows_.bottom(r))};
    return {0, 0};
}

void TimingChart::setRows(RowLayout layout) {
    if (layout == rows_) return;
    rows_ = std::move(layout);
    invalidate();
}

void TimingChart::setBusTraces(std::vector<BusTrace> buses) {
    if (buses == buses_) return;
    buses_ = std::move(buses);
    invalidate();
}

void TimingChart::setCursorSamples(std::optional<int32_t> a, std::optional<int32_t> b) {
    if (a == cursorA_ && b == cursorB_) return;
    cursorA_ = a;
    cursorB_ = b;
    invalidate();
}

void TimingChart::setSampleRate(std::optional<double> rate) {
    if (rate == sampleRate_) return;
    sampleRate_ = rate;
    invalidate();
}

void TimingChart::setRowValues(std::vector<std::string> values) {
    if (values == rowValues_) return;
    // Drawn over the cached picture: only the strip the tags take is painted again, so that a
    // pointer move costs a strip, not the whole chart.
    size_t widest = 0;
    for (const std::string& v : values) widest = std::max(widest, v.size());
    for (const std::string& v : rowValues_) widest = std::max(widest, v.size());
    rowValues_ = std::move(values);
    const QRectF plot = plotRect();
    const double width =
        QFontMetricsF(font()).horizontalAdvance(QString(static_cast<qsizetype>(widest), 'W')) + 10;
    update(QRectF(plot.left(), plot.top(), width, plot.height()).toAlignedRect());
}

std::optional<int> TimingChart::cursorNear(double x) const {
    const QRectF plot = plotRect();
    const double pitch = plot.width() / grid_.samples();
    std::optional<int> best;
    double bestDistance = std::max(4.0, pitch / 2);
    for (int cursor = 0; cursor < 2; ++cursor) {
        const std::optional<int32_t>& s = cursor == 0 ? cursorA_ : cursorB_;
        if (!s) continue;
        const int64_t i = static_cast<int64_t>(*s) - firstSample_;
        if (i < 0 || i >= grid_.samples() || grid_.at(kCursorTrace, static_cast<int>(i)) <= 0)
            continue;
        const double d = std::abs(positionX(static_cast<int>(i) + 1) - x);
        if (d <= bestDistance) {
            bestDistance = d;
            best = cursor;
        }
    }
    return best;
}

QColor TimingChart::cursorColour(int cursor) {
    return cursor == 0 ? markColour(kCursorTrace) : QColor(255, 170, 255);
}

void TimingChart::drawBusValues(QPainter& p) const {
    const QRectF plot = plotRect();
    const int64_t n = grid_.samples();
    // Bus values between their changes, where the run is wide enough to hold the text.
    const std::vector<ChartRow>& rowList = rows_.rows;
    QFont busFont = font();
    for (size_t r = 0; r < rowList.size(); ++r) {
        if (!rowList[r].isBus() || static_cast<size_t>(rowList[r].bus) >= buses_.size()) continue;
        const BusTrace& bus = buses_[static_cast<size_t>(rowList[r].bus)];
        const double rowHeight = valueToY(rows_.bottom(r)) - valueToY(rows_.top(r));
        busFont.setPixelSize(std::max(6, static_cast<int>(rowHeight * 0.6)));
        p.setFont(busFont);
        p.setPen(busColour());
        const QFontMetricsF bm(busFont);
        const double pitch = plot.width() / static_cast<double>(n);
        const double yTop = valueToY(rows_.top(r)), height = rowHeight;
        const int64_t last = std::min<int64_t>(n, static_cast<int64_t>(bus.values.size()));
        // No text is narrower than its digits at their narrowest: runs below that are not
        // measured, which matters where a bus changes at every sample.
        const double narrowest =
            bm.horizontalAdvance(
                QString(static_cast<qsizetype>(std::max<size_t>(1, (bus.channels + 3) / 4)), '1')) +
            4;
        for (int64_t s = 0; s < last;) {
            const int64_t value = bus.values[static_cast<size_t>(s)];
            int64_t e = s + 1;
            while (e < last && bus.values[static_cast<size_t>(e)] == value) ++e;
            if (value >= 0 && static_cast<double>(e - s) * pitch >= narrowest) {
                const QString text = QString::fromStdString(
                    BusValueText(static_cast<uint32_t>(value), bus.channels));
                const QRectF run(plot.left() + static_cast<double>(s) * pitch, yTop,
                                 static_cast<double>(e - s) * pitch, height);
                if (bm.horizontalAdvance(text) + 4 <= run.width())
                    p.drawText(run, Qt::AlignCenter, text);
            }
            s = e;
        }
    }
}

void TimingChart::drawCursorFlags(QPainter& p) const {
    const QRectF plot = plotRect();
    const int64_t n = grid_.samples();
    // The cursors' flags in the margin above the top row, where they hide no trace.
    const double h = valueToY(16) - plot.top() - 1;
    if (h < 4) return;
    QFont flagFont = font();
    flagFont.setPixelSize(std::max(4, static_cast<int>(h) - 1));
    flagFont.setBold(true);
    p.setFont(flagFont);
    const QFontMetricsF fm(flagFont);
    for (int cursor = 0; cursor < 2; ++cursor) {
        const std::optional<int32_t>& at = cursor == 0 ? cursorA_ : cursorB_;
        if (!at) continue;
        const int64_t i = static_cast<int64_t>(*at) - firstSample_;
        if (i < 0 || i >= n || grid_.at(kCursorTrace, static_cast<int>(i)) <= 0) continue;
        const double x = positionX(static_cast<int>(i) + 1);
        const QString name = cursor == 0 ? QStringLiteral("A") : QStringLiteral("B");
        const QRectF flag(x, plot.top() + 1, fm.horizontalAdvance(name) + 4, h);
        p.fillRect(flag, cursorColour(cursor));
        p.setPen(Qt::black);
        p.drawText(flag, Qt::AlignCenter, name);
    }
}

void TimingChart::setBracket(std::optional<Bracket> bracket) {
    if (bracket == bracket_) return;
    // Drawn over the cached picture: the old bracket's place and the new one's painted again.
    const auto area = [this](const std::optional<Bracket>& b) {
        if (!b) return QRect();
        const auto [top, bottom] = rowSpan(b->row);
        const QRectF plot = plotRect();
        const double pitch = plot.width() / grid_.samples();
        const double x0 = plot.left() + (b->first - firstSample_) * pitch;
        const double x1 = plot.left() + (b->last - firstSample_ + 1) * pitch;
        return QRectF(QPointF(std::max(x0, plot.left()) - 2, top - 2),
                      QPointF(std::min(x1, plot.right()) + 2, bottom + 2))
            .toAlignedRect();
    };
    const QRect before = area(bracket_);
    bracket_ = bracket;
    update(before.united(area(bracket_)));
}

void TimingChart::drawBracket(QPainter& p) const {
    if (!bracket_) return;
    const auto [top, bottom] = rowSpan(bracket_->row);
    if (bottom <= top) return;
    const QRectF plot = plotRect();
    const double pitch = plot.width() / grid_.samples();
    // From the edge that starts the run to the one that ends it, clipped to the plot.
    const double x0 = plot.left() + (bracket_->first - firstSample_) * pitch;
    const double x1 = plot.left() + (bracket_->last - firstSample_ + 1) * pitch;
    const double y = top + std::max(1.0, (bottom - top) * 0.05);
    const double tick = (bottom - top) * 0.9;
    p.save();
    p.setClipRect(plot);
    p.setPen(QPen(QColor(255, 255, 255), 1));
    p.drawLine(QPointF(x0, y), QPointF(x1, y));
    p.drawLine(QPointF(x0, y), QPointF(x0, y + tick));
    p.drawLine(QPointF(x1, y), QPointF(x1, y + tick));
    p.restore();
}

void TimingChart::drawRowValues(QPainter& p) const {
    // The values at the pointer, at the left end of each row, beside its label.
    if (rowValues_.empty()) return;
    const QRectF plot = plotRect();
    const QFontMetricsF fm(font());
    for (size_t r = 0; r < rows_.rows.size() && r < rowValues_.size(); ++r) {
        if (rowValues_[r].empty()) continue;
        const QString text = QString::fromStdString(rowValues_[r]);
        const double top = valueToY(rows_.top(r)), bottom = valueToY(rows_.bottom(r));
        const QRectF tag(plot.left() + 1, top + 1, fm.horizontalAdvance(text) + 6,
                         std::max(1.0, bottom - top - 2));
        p.fillRect(tag, QColor(30, 30, 30, 230));
        const ChartRow& row = rows_.rows[r];
        p.setPen(row.isBus()          ? busColour()
                 : row.isAnnotation() ? QColor(230, 230, 230)
                                      : channelColour(row.channel));
        p.drawText(tag, Qt::AlignCenter, text);
    }
}

}  // namespace zq
