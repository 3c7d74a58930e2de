#pragma once
// How the main window's client grows beyond its design size: the chart takes all of the
// growth, the channel labels follow their bands, and everything designed below the chart keeps
// its distance to the window's bottom (a widget as wide as the chart, such as a bar under it,
// also takes the chart's extra width). Anything else keeps its design place.
//
// The design places are read from the client's children the first time a growth is applied,
// so controls added anywhere while the window is built take part without being listed.

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <vector>

#include "widgets/ChartArea.h"

namespace zq {

class ChartGrowth {
  public:
    // area must outlive the growth: its labels change with the setup.
    ChartGrowth(QWidget* client, const ChartArea& area) : client_(client), area_(area) {}

    // Lays the children out for a window that is growth larger than its design size
    // (negative growth counts as none: the design size is the minimum).
    void apply(QSize growth);

  private:
    enum class Rule { Keep, Chart, Below, BelowStretched };
    struct Item {
        QPointer<QWidget> widget;
        QRect design;
        Rule rule;
    };
    void record();

    QWidget* client_;
    const ChartArea& area_;
    std::vector<Item> items_;
    bool recorded_ = false;
};

}  // namespace zq
