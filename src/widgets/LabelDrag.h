#pragma once
// Dragging a channel's label up or down the column moves its row: the label follows the
// pointer, and on release the row it was dropped on is asked for. A press without a drag is
// left to the label's other gestures (its menu, a double-click).

#include <QObject>
#include <QPoint>

#include "widgets/ChartArea.h"

namespace zq {

class LabelDrag : public QObject {
    Q_OBJECT
  public:
    // area must outlive the drag; its labels are watched as they are now and as ShowRows
    // makes them.
    explicit LabelDrag(ChartArea& area, QObject* parent = nullptr);

  signals:
    // Put channel's row where the row of target is now (the channel shown there, or a bus's
    // most significant member): above it when dragged up, below it when dragged down.
    void moveRequested(int channel, int target);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    ChartArea& area_;
    int channel_ = -1;  // the label pressed
    QPoint pressAt_;    // in the label's parent
    QPoint labelAt_;
    bool dragging_ = false;
};

}  // namespace zq
