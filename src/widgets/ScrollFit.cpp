#include "widgets/ScrollFit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QWidget>
#include <algorithm>

namespace zq {

namespace {

class GrowthWatch : public QObject {
  public:
    GrowthWatch(QWidget* client, QSize design, std::function<void(QSize)> grown)
        : QObject(client), design_(design), grown_(std::move(grown)) {
        client->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            grown_((static_cast<QWidget*>(watched)->size() - design_).expandedTo(QSize(0, 0)));
        return false;
    }

  private:
    QSize design_;
    std::function<void(QSize)> grown_;
};

}  // namespace

void OnClientGrowth(QWidget* client, QSize design, std::function<void(QSize)> grown) {
    new GrowthWatch(client, design, std::move(grown));
}

QScrollArea* ScrollWhenSmall(QWidget* parent, QWidget* client, QSize design) {
    auto* area = new QScrollArea(parent);
    area->setObjectName(client->objectName() + "Scroll");
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setFocusPolicy(Qt::NoFocus);  // the controls keep the designed tab order
    client->setMinimumSize(design);
    area->setWidget(client);
    return area;
}

void FitToScreen(QWidget* window, QSize design) {
    window->setMinimumSize(QSize(240, 160));
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        window->resize(design);
        return;
    }
    // The frame the window manager adds is not known before the window is shown: leave room
    // for a title bar.
    constexpr int kFrameAllowance = 40;
    const QRect room = screen->availableGeometry();
    window->resize(design.boundedTo(QSize(room.width(), room.height() - kFrameAllowance)));
    const QPoint at(
        std::clamp(window->x(), room.left(), std::max(room.left(), room.right() - window->width())),
        std::clamp(window->y(), room.top(),
                   std::max(room.top(), room.bottom() - window->height())));
    if (at != window->pos()) window->move(at);
}

}  // namespace zq
