#include "widgets/TimingChart.h"

#include <QEvent>
#include <QFont>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "capture/CaptureFormat.h"
#include "chart/AxisLabels.h"
#include "view/Units.h"
#include "view/ViewGestures.h"
#include "widgets/PixelCanvas.h"

namespace zq {

namespace {

// Chart-local places in twips (see the header for the value axis).
constexpr double kTitleTopTw = 345;  // the chart's top 330 twips lie above the window's client
constexpr double kPlotTopTw = TimingChart::kValueZeroTw - 16.5 * TimingChart::kBandTw;
constexpr double kPlotBottomTw = TimingChart::kValueZeroTw + 30;
constexpr double kPlotLeftTw = 60;
constexpr double kPlotRightMarginTw = 240;
constexpr double kLabelGapTw = 45;

// Bright on the black plot, distinct from the four mark colours.
constexpr std::array<QRgb, 8> kChannelColours = {
    qRgb(255, 230, 0), qRgb(255, 140, 0), qRgb(110, 160, 255), qRgb(230, 230, 230),
    qRgb(255, 90, 90), qRgb(0, 200, 120), qRgb(200, 130, 255), qRgb(180, 200, 60)};

// One column span of a trace, in device pixels.
struct Span {
    float lo = std::numeric_limits<float>::infinity();
    float hi = -std::numeric_limits<float>::infinity();
    void add(float v) {
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    bool empty() const { return lo > hi; }
};

}  // namespace

TimingChart::TimingChart(QWidget* parent) : QWidget(parent), grid_(0) {
    setObjectName("TimingChart1");
    // The cached picture covers the whole widget; Qt need not clear behind it.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TimingChart::setChartData(const ChartGrid& grid) {
    grid_ = grid;
    invalidate();
    emit chartDataChanged();
}

void TimingChart::setFirstSample(int32_t sample) {
    if (sample == firstSample_) return;
    firstSample_ = sample;
    invalidate();
}

std::optional<int32_t> TimingChart::sampleAt(QPointF point) const {
    const QRectF plot = plotRect();
    if (point.y() < plot.top() || point.y() > plot.bottom()) return std::nullopt;
    const auto p = PositionAt(point.x() - plot.left(), plot.width(), grid_.samples());
    if (!p) return std::nullopt;
    return firstSample_ + *p;
}

std::optional<int> TimingChart::channelAt(double y) const {
    const auto row = rowAt(y);
    if (!row || !row->isChannel()) return std::nullopt;
    return row->channel;
}

void TimingChart::setSelection(std::optional<std::pair<int32_t, int32_t>> samples) {
    if (samples == selection_) return;
    selection_ = samples;
    update();  // drawn over the cached picture
}

QRect TimingChart::overviewRect() const {
    const QRectF plot = plotRect();
    const double lines = sampleRate_ ? 2 : 1;  // a sample's time goes below its number
    const double top = plot.bottom() + kLabelGapTw * height() / kDesignHeightTw +
                       lines * QFontMetricsF(font()).height() + 3;
    const double bottom = std::min<double>(height() - 2, top + 14);
    return QRectF(QPointF(plot.left(), top), QPointF(plot.right(), bottom)).toRect();
}

void TimingChart::setColumnLabels(std::vector<std::string> labels) {
    labels_ = std::move(labels);
    invalidate();
}

void TimingChart::setTitleText(const std::string& title) {
    if (title == title_) return;
    title_ = title;
    invalidate();
}

void TimingChart::invalidate() {
    cache_ = QImage();
    update();
}

double TimingChart::valueToY(double value) const {
    return (kValueZeroTw - value * kBandTw) * height() / kDesignHeightTw;
}

QRectF TimingChart::plotRect() const {
    const double sx = width() / kDesignWidthTw, sy = height() / kDesignHeightTw;
    const double left = kPlotLeftTw * sx, right = width() - kPlotRightMarginTw * sx;
    return QRectF(QPointF(left, kPlotTopTw * sy), QPointF(right, kPlotBottomTw * sy));
}

double TimingChart::positionX(int position) const {
    const QRectF plot = plotRect();
    return plot.left() + (position - 0.5) * plot.width() / grid_.samples();
}

QColor TimingChart::channelColour(int channel) {
    return QColor(kChannelColours[static_cast<size_t>(channel) % kChannelColours.size()]);
}

QColor TimingChart::markColour(int trace) {
    switch (trace) {
        case kCursorTrace:
            return QColor(255, 64, 255);
        case kTrigTrace:
            return QColor(255, 160, 160);
        case kTrigCentricTrace:
            return QColor(64, 255, 255);
        case kZeroCentricTrace:
            return QColor(138, 255, 138);
        default:
            return QColor(255, 255, 255);
    }
}

QImage TimingChart::renderImage(qreal dpr) const {
    const QSize deviceSize(static_cast<int>(std::ceil(width() * dpr)),
                           static_cast<int>(std::ceil(height() * dpr)));
    QImage image(deviceSize, QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Window));
    if (deviceSize.isEmpty()) return image;

    const QRectF plotF = plotRect();
    const QRect plot(static_cast<int>(std::lround(plotF.left() * dpr)),
                     static_cast<int>(std::lround(plotF.top() * dpr)),
                     std::max(1, static_cast<int>(std::lround(plotF.width() * dpr))),
                     std::max(1, static_cast<int>(std::lround(plotF.height() * dpr))));
    image.setDevicePixelRatio(1);
    {
        QPainter p(&image);
        p.fillRect(plot, plotBackground());
    }
    PixelCanvas canvas(image, plot);
    const int thick = std::max(1, static_cast<int>(std::lround(dpr)));
    const auto devY = [&](double v) { return static_cast<int>(std::floor(valueToY(v) * dpr)); };

    const int W = plot.width();
    const int64_t n = grid_.samples();
    const auto colStart = [&](int64_t s) { return static_cast<int>(s * W / n); };

    // Damaged and missing samples as a band over the channels, in a dark shade of the damaged
    // line's colour: a 1-pixel line is lost in a long window, a band at least a column wide is
    // not.
    for (int64_t s = 0; s < n; ++s) {
        const int si = static_cast<int>(s);
        if (grid_.presence(si) != Presence::Absent && grid_.at(kTrigTrace, si) != kHighlightLevel)
            continue;
        const int c0 = colStart(s), c1 = std::max(c0 + 1, colStart(s + 1));
        canvas.fill(plot.left() + c0, c1 - c0, devY(16), devY(0), qRgb(72, 40, 40));
    }

    // Faint band boundaries help the eye follow a channel across a long window.
    const std::vector<ChartRow>& rows = rows_.rows;
    for (size_t r = 0; r <= rows.size(); ++r) {
        const int y = devY(rows_.top(r));
        canvas.fill(plot.left(), plot.width(), y, y, qRgb(48, 48, 48));
    }

    // Channels: every pixel column shows the lowest to the highest value of the samples that
    // fall in it, plus the step from the previous sample where a sample begins, so a
    // one-sample pulse stays visible however many samples share a column.
    // A channel's values lie in band c (c + LevelBase .. c + LevelBase + LevelSwing); its row
    // may be another band, or a narrower one when rows outnumber the bands.
    std::vector<Span> cols(static_cast<size_t>(W));
    for (size_t r = 0; r < rows.size(); ++r) {
        if (!rows[r].isChannel()) continue;
        const int channel = rows[r].channel;
        const int trace = TraceOfChannel(channel);
        const double rowBottom = rows_.bottom(r), pitch = rows_.pitch;
        const auto rowY = [&](float v) { return devY(rowBottom + (v - channel) * pitch); };
        std::fill(cols.begin(), cols.end(), Span{});
        const float* v = grid_.row(trace);
        for (int64_t s = 0; s < n; ++s) {
            // No trace where the file holds no word: a level there would be made up.
            if (grid_.presence(static_cast<int>(s)) != Presence::Present) continue;
            const int c0 = colStart(s);
            const int c1 = std::max(c0, colStart(s + 1) - 1);
            for (int c = c0; c <= c1 && c < W; ++c) cols[static_cast<size_t>(c)].add(v[s]);
            if (s > 0 && c0 < W && grid_.presence(static_cast<int>(s) - 1) == Presence::Present)
                cols[static_cast<size_t>(c0)].add(v[s - 1]);
        }
        const QRgb colour = channelColour(channel).rgb();
        for (int c = 0; c < W; ++c) {
            const Span& sp = cols[static_cast<size_t>(c)];
            if (sp.empty()) continue;
            canvas.fill(plot.left() + c, thick, rowY(sp.hi), rowY(sp.lo) + thick - 1, colour);
        }
    }

    // Buses: two rails while the value holds, a stroke across the row where it changes.
    const QRgb busRgb = busColour().rgb();
    for (size_t r = 0; r < rows.size(); ++r) {
        if (!rows[r].isBus() || static_cast<size_t>(rows[r].bus) >= buses_.size()) continue;
        const std::vector<int64_t>& v = buses_[static_cast<size_t>(rows[r].bus)].values;
        const int yHigh = devY(rows_.bottom(r) + 0.9 * rows_.pitch);
        const int yLow = devY(rows_.bottom(r) + 0.1 * rows_.pitch);
        const int64_t count = std::min<int64_t>(n, static_cast<int64_t>(v.size()));
        for (int64_t s = 0; s < count; ++s) {
            const size_t si = static_cast<size_t>(s);
            if (v[si] < 0 || grid_.presence(static_cast<int>(s)) != Presence::Present) continue;
            const int c0 = colStart(s);
            const int c1 = std::max(c0 + 1, colStart(s + 1));
            const bool change = s > 0 && v[si - 1] >= 0 && v[si - 1] != v[si];
            canvas.fill(plot.left() + c0, c1 - c0, yHigh, yHigh + thick - 1, busRgb);
            canvas.fill(plot.left() + c0, c1 - c0, yLow, yLow + thick - 1, busRgb);
            if (change) canvas.fill(plot.left() + c0, thick, yHigh, yLow, busRgb);
        }
    }

    drawAnnotationBoxes(image, plot, dpr);

    // Marks: spikes from the bottom at the centre of their sample; neighbouring marked samples
    // join into a plateau (the highlight of a damaged line). When samples outnumber columns a
    // column shows the highest mark among the samples centred in it.
    struct Point {
        int x;
        float v;
        bool cursorB;  // the cursor trace's point of cursor B, drawn in B's shade
    };
    const int64_t cursorBIndex = cursorB_ && cursorB_ != cursorA_
                                     ? static_cast<int64_t>(*cursorB_) - firstSample_
                                     : int64_t{-1};
    std::vector<Point> points;
    for (int trace = kCursorTrace; trace <= kZeroCentricTrace; ++trace) {
        points.clear();
        const float* v = grid_.row(trace);
        for (int64_t s = 0; s < n; ++s) {
            const int x = static_cast<int>((2 * s + 1) * W / (2 * n));
            // Past the capture there is nothing to mark.
            const float val = grid_.presence(static_cast<int>(s)) == Presence::Beyond ? 0 : v[s];
            const bool isB = trace == kCursorTrace && s == cursorBIndex && val > 0;
            if (!points.empty() && points.back().x == x) {
                points.back().v = std::max(points.back().v, val);
                points.back().cursorB = points.back().cursorB || isB;
            } else {
                points.push_back({x, val, isB});
            }
        }
        const QRgb markRgb = markColour(trace).rgb();
        const QRgb cursorBRgb = cursorColour(1).rgb();
        const int yZero = devY(0);
        for (size_t i = 0; i < points.size(); ++i) {
            const float val = points[i].v;
            if (val <= 0) continue;
            const float prev = i > 0 ? points[i - 1].v : 0.0f;
            const float next = i + 1 < points.size() ? points[i + 1].v : 0.0f;
            const int x = plot.left() + points[i].x;
            const int yVal = devY(val);
            const int yLow = (prev <= 0 || next <= 0) ? yZero : devY(std::min(prev, val));
            const int yHigh = prev > val ? devY(prev) : yVal;
            const QRgb colour = points[i].cursorB ? cursorBRgb : markRgb;
            canvas.fill(x, thick, yHigh, yLow, colour);
            if (next > 0) {
                const int xNext = plot.left() + points[i + 1].x;
                canvas.fill(x, xNext - x + thick, yVal, yVal + thick - 1, colour);
            }
        }
    }

    // Text: title above the plot, position labels along the bottom.
    image.setDevicePixelRatio(dpr);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double sy = height() / kDesignHeightTw;
    QFont titleFont("Arial");
    titleFont.setPointSizeF(12);
    p.setFont(titleFont);
    p.setPen(Qt::black);
    p.drawText(QRectF(0, kTitleTopTw * sy, width(), plotF.top() - kTitleTopTw * sy),
               Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine,
               QString::fromStdString(title_));

    QFont labelFont = font();
    p.setFont(labelFont);
    const QFontMetricsF fm(labelFont);
    const double labelTop = plotF.bottom() + kLabelGapTw * sy;
    // One row of labels, each on its own sample: where they would crowd, fewer are drawn.
    // With a rate, a labelled sample's time from the trigger goes below its number: the label is as
    // wide as the wider of the two.
    double timeWidth = 0;
    if (sampleRate_) timeWidth = fm.horizontalAdvance(QStringLiteral("-888 us"));
    const AxisLayout axis{
        plotF.width() / static_cast<double>(n), 6, [&fm, timeWidth](std::string_view t) {
            return std::max(timeWidth, fm.horizontalAdvance(QString::fromUtf8(
                                           t.data(), static_cast<qsizetype>(t.size()))));
        }};
    // Samples past the capture (a window ending at 2048) get no label.
    size_t count = std::min(labels_.size(), static_cast<size_t>(n));
    while (count > 0 && grid_.presence(static_cast<int>(count) - 1) == Presence::Beyond) --count;
    const std::vector<std::string> shown(labels_.begin(),
                                         labels_.begin() + static_cast<ptrdiff_t>(count));
    for (const AxisLabel& l : LayoutAxisLabels(shown, firstSample_, axis)) {
        const double x = positionX(l.position + 1);
        const QString text = QString::fromStdString(l.text);
        const double w = fm.horizontalAdvance(text) + 2;
        p.drawLine(QPointF(x, plotF.bottom()), QPointF(x, labelTop));
        p.drawText(QRectF(x - w / 2, labelTop, w, fm.height() + 2), Qt::AlignCenter, text);
        if (sampleRate_) {
            // From the trigger, as the read-out counts samples: three digits stay distinct
            // there, where times from sample 0 would repeat along a zoomed-in axis.
            const double seconds = SamplesTime(
                static_cast<double>(firstSample_) + l.position - kTriggerSample, *sampleRate_);
            const QString time =
                QString::fromStdString((seconds > 0 ? "+" : "") + TimeText(seconds));
            const double tw = fm.horizontalAdvance(time) + 2;
            // Kept whole where a label near the chart's edge would be cut.
            const double left = std::clamp(x - tw / 2, 0.0, std::max(0.0, width() - tw));
            p.setPen(QColor(70, 70, 70));
            p.drawText(QRectF(left, labelTop + fm.height(), tw, fm.height() + 2), Qt::AlignCenter,
                       time);
            p.setPen(Qt::black);
        }
    }

    drawBusValues(p);
    drawAnnotationTexts(p);
    drawCursorFlags(p);
    return image;
}

void TimingChart::paintEvent(QPaintEvent* event) {
    const qreal dpr = devicePixelRatioF();
    if (cache_.isNull() || cache_.devicePixelRatio() != dpr ||
        cache_.size() != QSize(static_cast<int>(std::ceil(width() * dpr)),
                               static_cast<int>(std::ceil(height() * dpr))))
        cache_ = renderImage(dpr);
    QPainter p(this);
    p.drawImage(event->rect(), cache_,
                QRectF(event->rect().topLeft() * dpr, event->rect().size() * dpr));
    if (selection_) {
        const auto [a, b] = std::minmax(selection_->first, selection_->second);
        const QRectF plot = plotRect();
        const double pitch = plot.width() / grid_.samples();
        const double x0 = plot.left() + (a - firstSample_) * pitch;
        const double x1 = plot.left() + (b - firstSample_ + 1) * pitch;
        const QRectF range(QPointF(std::max(x0, plot.left()), plot.top()),
                           QPointF(std::min(x1, plot.right()), plot.bottom()));
        p.fillRect(range, QColor(255, 255, 255, 60));
        p.setPen(QColor(255, 255, 255, 160));
        p.drawRect(range);
    }
    drawBracket(p);
    drawRowValues(p);
    // The keys act on the chart when it has the focus: a frame says so.
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void TimingChart::resizeEvent(QResizeEvent*) { cache_ = QImage(); }

void TimingChart::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void TimingChart::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void TimingChart::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        cache_ = QImage();
    QWidget::changeEvent(event);
}

}  // namespace zq
