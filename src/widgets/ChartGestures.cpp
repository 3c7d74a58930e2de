#include "widgets/ChartGestures.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "view/Measure.h"
#include "view/MeasureText.h"
#include "widgets/TimingChart.h"

namespace zq {

namespace {
constexpr int kWheelStep = 120;  // one notch of a wheel, in eighths of a degree
}  // namespace

ChartGestures::ChartGestures(TimingChart* chart)
    : QObject(chart),
      chart_(chart),
      overview_(new QScrollBar(Qt::Horizontal, chart)),
      pointerReadout_(new QLabel(chart)) {
    pointerReadout_->setObjectName("PointerReadout");
    pointerReadout_->setAccessibleName(tr("Measurement under the pointer"));
    // Light on the black plot, and transparent to the mouse so that it never takes a gesture.
    pointerReadout_->setStyleSheet(
        "QLabel { background: rgba(20, 20, 20, 220); color: #f0f0f0; padding: 2px 4px; "
        "border: 1px solid #808080; }");
    pointerReadout_->setAttribute(Qt::WA_TransparentForMouseEvents);
    pointerReadout_->hide();
    overview_->setObjectName("Overview");
    overview_->setAccessibleName(tr("Overview"));
    overview_->setFocusPolicy(Qt::NoFocus);  // outside the designed tab order
    overview_->setToolTip(tr("The whole capture: the handle is the window shown; drag it to move"));
    overview_->setGeometry(chart->overviewRect());
    connect(overview_, &QScrollBar::valueChanged, this, [this](int start) {
        if (!syncing_) request(ClampedWindow(start, shown().length));
    });
    connect(chart, &TimingChart::chartDataChanged, this, &ChartGestures::syncOverview);
    chart->setMouseTracking(true);
    chart->installEventFilter(this);
    syncOverview();
}

void ChartGestures::setSampleRate(std::optional<double> rate) {
    sampleRate_ = rate;
    chart_->setSampleRate(rate);
    overview_->setGeometry(chart_->overviewRect());
    readout_.clear();
    hover(pointer_);
}

void ChartGestures::setSetup(const ChannelSetup& setup) {
    setup_ = setup;
    readout_.clear();
    hover(pointer_);
}

void ChartGestures::setCapture(const DecodedCapture* capture) {
    capture_ = capture;
    hover(pointer_);  // the pointer may now lie over another sample, or another capture
}

SampleWindow ChartGestures::shown() const {
    return {chart_->firstSample(), chart_->chartData().GridLength()};
}

void ChartGestures::syncOverview() {
    // The whole capture as the range, the window as the handle.
    const SampleWindow w = ClampedWindow(shown().start, shown().length);
    syncing_ = true;
    overview_->setRange(0, std::min(2045, kCaptureSamples - w.length));
    overview_->setPageStep(w.length);
    overview_->setSingleStep(std::max(1, w.length / 4));
    overview_->setValue(shown().start);
    syncing_ = false;
    hover(pointer_);
}

void ChartGestures::request(SampleWindow w) {
    if (w == shown()) return;
    emit windowRequested(w.start, w.length);
}

bool ChartGestures::eventFilter(QObject* watched, QEvent* event) {
    if (watched != chart_) return false;
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            press(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseMove:
            move(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseButtonRelease:
            release(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::Wheel:
            return wheel(static_cast<QWheelEvent*>(event));
        case QEvent::KeyPress:
            return key(static_cast<QKeyEvent*>(event));
        case QEvent::Leave:
            hover(std::nullopt);
            return false;
        case QEvent::ToolTip: {
            // Over the plot the read-out beside the pointer speaks; around it, the gestures.
            const QPoint at = static_cast<QHelpEvent*>(event)->pos();
            if (chart_->sampleAt(at))
                QToolTip::hideText();
            else
                QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tr(kGesturesHelp),
                                   chart_);
            return true;
        }
        case QEvent::Resize:
            overview_->setGeometry(chart_->overviewRect());
            return false;
        default:
            return false;
    }
}

void ChartGestures::press(QMouseEvent* e) {
    chart_->setFocus(Qt::MouseFocusReason);
    if (drag_ != Drag::None) return;
    pressPos_ = e->position();
    pressSample_ = chart_->sampleAt(pressPos_);
    if (!pressSample_) return;
    pressWindow_ = shown();
    pressRight_ = e->button() == Qt::RightButton;
    pressShift_ = e->modifiers() & Qt::ShiftModifier;
    // A plain press on a cursor's line takes the cursor along.
    if (e->button() == Qt::LeftButton && !(e->modifiers() & ~Qt::KeyboardModifiers())) {
        if (const auto cursor = chart_->cursorNear(pressPos_.x())) {
            drag_ = Drag::Cursor;
            dragCursor_ = *cursor;
            return;
        }
    }
    const bool range = !pressRight_ && (e->modifiers() & Qt::ControlModifier);
    drag_ = range ? Drag::Range : Drag::Pending;
    if (range) chart_->setSelection(std::pair{*pressSample_, *pressSample_});
}

void ChartGestures::move(QMouseEvent* e) {
    hover(e->position());
    if (drag_ == Drag::Pending && !pressRight_ &&
        (e->position() - pressPos_).manhattanLength() >= QApplication::startDragDistance())
        drag_ = Drag::Pan;
    if (drag_ == Drag::Cursor) {
        const QRectF plot = chart_->plotRect();
        const QPointF inside(std::clamp(e->position().x(), plot.left(), plot.right() - 0.01),
                             plot.center().y());
        const auto [a, b] = chart_->cursorSamples();
        const auto s = chart_->sampleAt(inside);
        if (s && *s != (dragCursor_ == 0 ? a : b)) emit cursorRequested(dragCursor_, *s);
    } else if (drag_ == Drag::Pan) {
        request(
            PanWindow(pressWindow_, e->position().x() - pressPos_.x(), chart_->plotRect().width()));
    } else if (drag_ == Drag::Range) {
        // The point may leave the plot sideways; the range then ends at the plot's edge.
        const QRectF plot = chart_->plotRect();
        const QPointF inside(std::clamp(e->position().x(), plot.left(), plot.right() - 0.01),
                             plot.center().y());
        if (const auto s = chart_->sampleAt(inside))
            chart_->setSelection(std::pair{*pressSample_, *s});
    }
}

void ChartGestures::release(QMouseEvent* e) {
    const Drag drag = drag_;
    drag_ = Drag::None;
    if (drag == Drag::Pending) {
        emit cursorRequested(pressRight_ || pressShift_ ? 1 : 0, *pressSample_);
    } else if (drag == Drag::Range) {
        chart_->setSelection(std::nullopt);
        const QRectF plot = chart_->plotRect();
        const QPointF inside(std::clamp(e->position().x(), plot.left(), plot.right() - 0.01),
                             plot.center().y());
        if (const auto s = chart_->sampleAt(inside); s && *s != *pressSample_)
            request(RangeWindow(*pressSample_, *s));
    }
}

bool ChartGestures::wheel(QWheelEvent* e) {
    const QPoint d = e->angleDelta();
    const bool sideways = std::abs(d.x()) > std::abs(d.y());
    const bool pan = sideways || (e->modifiers() & Qt::ShiftModifier);
    wheelRest_ += sideways ? d.x() : d.y();
    const int steps = wheelRest_ / kWheelStep;
    wheelRest_ -= steps * kWheelStep;
    if (steps == 0) return true;
    if (pan) {
        // Turning up or left shows earlier samples, as "<" does.
        for (int i = 0; i < std::abs(steps); ++i) emit stepRequested(steps > 0 ? -1 : 1);
    } else {
        zoom(steps, e->position());
    }
    return true;
}

void ChartGestures::zoom(int steps, std::optional<QPointF> around) {
    const SampleWindow w = shown();
    const QRectF plot = chart_->plotRect();
    std::optional<int32_t> anchor = around ? chart_->sampleAt(*around) : std::nullopt;
    double fraction = 0.5;
    if (anchor)
        fraction = (around->x() - plot.left()) / plot.width();
    else
        anchor = w.start + static_cast<int32_t>(std::floor(0.5 * (w.length + 1)));
    request(ZoomWindow(w, *anchor, fraction, steps));
}

bool ChartGestures::key(QKeyEvent* e) {
    const SampleWindow w = shown();
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    switch (e->key()) {
        case Qt::Key_Left:
            emit stepRequested(-1);
            return true;
        case Qt::Key_Right:
            emit stepRequested(1);
            return true;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            zoom(1, pointer_);
            return true;
        case Qt::Key_Minus:
            zoom(-1, pointer_);
            return true;
        case Qt::Key_Home:
            request(ClampedWindow(0, w.length));
            return true;
        case Qt::Key_End: {
            const SampleWindow c = ClampedWindow(0, w.length);
            request(ClampedWindow(kCaptureSamples - c.length, c.length));
            return true;
        }
        case Qt::Key_N:
            if (pointer_)
                if (const auto channel = chart_->channelAt(pointer_->y()))
                    emit edgeRequested(*channel, shift ? -1 : 1);
            return true;
        default:
            return false;
    }
}

void ChartGestures::hover(std::optional<QPointF> pos) {
    pointer_ = pos;
    const std::optional<int32_t> sample = pos ? chart_->sampleAt(*pos) : std::nullopt;
    const bool onCursor = pos && sample && chart_->cursorNear(pos->x());
    chart_->setCursor(!sample                             ? Qt::ArrowCursor
                      : onCursor || drag_ == Drag::Cursor ? Qt::SizeHorCursor
                                                          : Qt::CrossCursor);
    QString text, beside;
    std::optional<ChartRow> row;
    if (sample) {
        const int32_t at = *sample;
        row = chart_->rowAt(pos->y());
        const int channel = row && !row->isBus() ? row->channel : -1;
        text = QString::fromStdString(HoverReadout(capture_, at, channel));
        beside = text;
        if (capture_ && row) beside += rowMeasurement(at, *row);
    }
    chart_->setBracket(sample && capture_ && row ? bracketAt(*sample, *row) : std::nullopt);
    showRowValues(sample);
    if (beside.isEmpty()) {
        pointerReadout_->hide();
    } else {
        pointerReadout_->setText(beside);
        placePointerReadout(pos.value(), row);
    }
    if (text == readout_) return;
    readout_ = text;
    emit readoutChanged(text);
}

QString ChartGestures::rowMeasurement(int32_t at, const ChartRow& row) const {
    std::string text;
    if (row.isAnnotation()) {
        const AnnotationTable* table = chart_->annotations().get();
        const auto r = static_cast<size_t>(row.annotation);
        if (!table || r >= table->rowCount()) return {};
        if (const auto i = table->at(r, at))
            text = "\n" + AnnotationText(table->row(r), table->annotation(*i), sampleRate_);
        return QString::fromStdString(text);
    }
    if (row.isBus()) {
        if (static_cast<size_t>(row.bus) >= setup_.buses.size()) return {};
        const Bus& bus = setup_.buses[static_cast<size_t>(row.bus)];
        if (const auto v = BusValueAt(*capture_, bus.channels, at))
            text = "\n" + BusText(bus.name, *v, bus.channels.size(), sampleRate_);
        return QString::fromStdString(text);
    }
    if (const auto pulse = PulseAt(*capture_, row.channel, at))
        text = "\n" + PulseText(*pulse, sampleRate_);
    // The edges between the cursors, when both are shown.
    const auto [a, b] = chart_->cursorSamples();
    if (a && b) {
        const int32_t edges = EdgesBetween(*capture_, row.channel, *a, *b);
        const QString between =
            edges == 1 ? tr("%1 edge between the cursors") : tr("%1 edges between the cursors");
        text += "\n" + between.arg(edges).toStdString();
    }
    return QString::fromStdString(text);
}

std::optional<TimingChart::Bracket> ChartGestures::bracketAt(int32_t at,
                                                             const ChartRow& row) const {
    if (row.isAnnotation()) {
        const AnnotationTable* table = chart_->annotations().get();
        const auto r = static_cast<size_t>(row.annotation);
        const auto i = table && r < table->rowCount() ? table->at(r, at) : std::nullopt;
        if (!i) return std::nullopt;
        const auto [first, last] = CoveredSamples(table->annotation(*i));
        return TimingChart::Bracket{row, static_cast<int32_t>(first), static_cast<int32_t>(last)};
    }
    if (row.isBus()) {
        if (static_cast<size_t>(row.bus) >= setup_.buses.size()) return std::nullopt;
        const auto v =
            BusValueAt(*capture_, setup_.buses[static_cast<size_t>(row.bus)].channels, at);
        if (!v) return std::nullopt;
        return TimingChart::Bracket{row, v->first, v->last};
    }
    const auto pulse = PulseAt(*capture_, row.channel, at);
    if (!pulse) return std::nullopt;
    return TimingChart::Bracket{row, pulse->first, pulse->last};
}

void ChartGestures::showRowValues(std::optional<int32_t> sample) {
    std::vector<std::string> values;
    if (capture_ && sample && *sample >= 0 && *sample < kCaptureSamples) {
        const auto s = static_cast<size_t>(*sample);
        const bool held = capture_->held[s];
        const AnnotationTable* table = chart_->annotations().get();
        for (const ChartRow& row : chart_->rows().rows) {
            if (row.isAnnotation()) {
                // The shortest text of the annotation there: the tag is narrow.
                const auto r = static_cast<size_t>(row.annotation);
                const auto i =
                    table && r < table->rowCount() ? table->at(r, *sample) : std::nullopt;
                const std::vector<std::string>* texts = i ? &table->annotation(*i).texts : nullptr;
                values.push_back(texts && !texts->empty() ? texts->back() : std::string());
            } else if (!held) {
                values.emplace_back("x");
            } else if (row.isBus()) {
                const Bus& bus = setup_.buses[static_cast<size_t>(row.bus)];
                const int64_t v = BusSamples(*capture_, bus.channels, *sample, 1).front();
                values.push_back(BusValueText(static_cast<uint32_t>(v), bus.channels.size()));
            } else {
                values.push_back(std::to_string((capture_->words[s] >> row.channel) & 1u));
            }
        }
    }
    chart_->setRowValues(std::move(values));
}

void ChartGestures::placePointerReadout(QPointF pos, std::optional<ChartRow> row) {
    pointerReadout_->adjustSize();
    const QSize size = pointerReadout_->size();
    const QRectF plot = chart_->plotRect();
    constexpr int kGap = 12;
    double x = pos.x() + kGap;
    if (x + size.width() > chart_->width()) x = pos.x() - kGap - size.width();
    // Above the row measured, or below it where there is no room above.
    const auto [rowTop, rowBottom] =
        row ? chart_->rowSpan(*row) : std::pair{pos.y() - kGap, pos.y() + kGap};
    double y = rowTop - 2 - size.height();
    if (y < plot.top()) y = rowBottom + 2;
    pointerReadout_->move(static_cast<int>(std::max(0.0, x)), static_cast<int>(y));
    pointerReadout_->show();
    pointerReadout_->raise();
}

}  // namespace zq
