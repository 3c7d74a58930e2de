#include "widgets/ChartGrowth.h"

#include <QLabel>
#include <algorithm>
#include <cmath>

#include "widgets/TimingChart.h"

namespace zq {

void ChartGrowth::record() {
    recorded_ = true;
    // The chart's design place, without what the labels' column took from it.
    QRect chart = area_.chart->geometry();
    chart.setLeft(chart.left() - area_.labelExtra);
    for (QWidget* w : client_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->isWindow()) continue;
        // Row labels follow their rows: PlaceRowLabels places them.
        const auto isIn = [w](const auto& labels) {
            return std::find(labels.begin(), labels.end(), w) != labels.end();
        };
        if (isIn(area_.channelLabels) || isIn(area_.busLabels) || isIn(area_.annotationLabels))
            continue;
        Item item{w, w->geometry(), Rule::Keep};
        if (w == area_.chart) {
            item.rule = Rule::Chart;
            item.design = chart;
        } else if (item.design.top() > chart.bottom()) {
            const bool asWide =
                item.design.left() == chart.left() && item.design.width() == chart.width();
            item.rule = asWide ? Rule::BelowStretched : Rule::Below;
        }
        items_.push_back(item);
    }
}

void ChartGrowth::apply(QSize growth) {
    if (!recorded_) record();
    const int dx = std::max(0, growth.width()), dy = std::max(0, growth.height());
    for (const Item& i : items_) {
        if (!i.widget) continue;
        QRect r = i.design;
        switch (i.rule) {
            case Rule::Keep:
                break;
            case Rule::Chart:
                r.setSize(r.size() + QSize(dx, dy));
                r.setLeft(r.left() + area_.labelExtra);  // the labels' column took it
                break;
            case Rule::BelowStretched:
                r.setWidth(r.width() + dx);
                [[fallthrough]];
            case Rule::Below:
                r.translate(0, dy);
                break;
        }
        if (i.widget->geometry() != r) i.widget->setGeometry(r);
    }
    PlaceRowLabels(area_);
}

}  // namespace zq
