#include "widgets/ChartGrowth.h"

#include <QLabel>
#include <algorithm>
#include <cmath>

#include "widgets/TimingChart.h"

namespace zq {

void ChartGrowth::record() {
    recorded_ = true;
    const QRect chart = area_.chart->geometry();
    for (QWidget* w : client_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->isWindow()) continue;
        Item item{w, w->geometry(), Rule::Keep, -1};
        const auto label = std::find(area_.channelLabels.begin(), area_.channelLabels.end(), w);
        if (w == area_.chart) {
            item.rule = Rule::Chart;
        } else if (label != area_.channelLabels.end()) {
            item.rule = Rule::Band;
            item.channel = static_cast<int>(label - area_.channelLabels.begin());
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
    // Bands scale with the chart's height; a label moves as far as its band's centre does.
    QRect chartDesign;
    for (const Item& i : items_)
        if (i.rule == Rule::Chart) chartDesign = i.design;
    const auto bandCentre = [&](int channel, int height) {
        return (TimingChart::kValueZeroTw - (channel + 0.5) * TimingChart::kBandTw) * height /
               TimingChart::kDesignHeightTw;
    };
    for (const Item& i : items_) {
        if (!i.widget) continue;
        QRect r = i.design;
        switch (i.rule) {
            case Rule::Keep:
                break;
            case Rule::Chart:
                r.setSize(r.size() + QSize(dx, dy));
                break;
            case Rule::Band:
                r.translate(0, static_cast<int>(
                                   std::lround(bandCentre(i.channel, chartDesign.height() + dy) -
                                               bandCentre(i.channel, chartDesign.height()))));
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
}

}  // namespace zq
