#include "widgets/Geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zq {

TwipScale TwipScale::ForWidget(const QWidget* widget) {
    const QScreen* screen = widget ? widget->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    return TwipScale(screen ? screen->logicalDotsPerInch() : 96.0);
}

}  // namespace zq
