#include "widgets/LabelDrag.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <algorithm>

#include "widgets/TimingChart.h"

namespace zq {

LabelDrag::LabelDrag(ChartArea& area, QObject* parent) : QObject(parent), area_(area) {
    for (QLabel* label : area_.channelLabels) label->installEventFilter(this);
}

bool LabelDrag::eventFilter(QObject* watched, QEvent* event) {
    const auto it = std::find(area_.channelLabels.begin(), area_.channelLabels.end(), watched);
    if (it == area_.channelLabels.end()) return false;
    QLabel* label = *it;
    const int channel = static_cast<int>(it - area_.channelLabels.begin());
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() != Qt::LeftButton) return false;
            channel_ = channel;
            pressAt_ = label->mapToParent(e->position().toPoint());
            labelAt_ = label->pos();
            dragging_ = false;
            return false;
        }
        case QEvent::MouseMove: {
            if (channel_ != channel) return false;
            auto* e = static_cast<QMouseEvent*>(event);
            const QPoint at = label->mapToParent(e->position().toPoint());
            if (!dragging_ && (at - pressAt_).manhattanLength() < QApplication::startDragDistance())
                return false;
            dragging_ = true;
            label->setCursor(Qt::ClosedHandCursor);
            label->raise();
            label->move(labelAt_.x(), labelAt_.y() + at.y() - pressAt_.y());
            return true;
        }
        case QEvent::MouseButtonRelease: {
            if (channel_ != channel) return false;
            channel_ = -1;
            if (!dragging_) return false;
            dragging_ = false;
            label->unsetCursor();
            const TimingChart* chart = area_.chart;
            const QPoint at =
                label->mapToParent(static_cast<QMouseEvent*>(event)->position().toPoint());
            const auto row = chart->rowAt(chart->mapFromParent(at).y());
            PlaceRowLabels(area_);  // back in its place until the setup moves it
            if (!row) return true;
            int target = row->channel;
            if (row->isBus()) {
                // A bus row stands for its most significant member, whose row follows it.
                const auto& rows = chart->rows().rows;
                const auto bus = std::find(rows.begin(), rows.end(), *row);
                for (auto r = bus; r != rows.end(); ++r)
                    if (!r->isBus()) {
                        target = r->channel;
                        break;
                    }
            }
            if (target >= 0 && target != channel) emit moveRequested(channel, target);
            return true;
        }
        default:
            return false;
    }
}

}  // namespace zq
