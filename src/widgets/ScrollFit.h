#pragma once
// Windows keep their design's size and places wherever the screen is large enough, and fit a
// smaller screen (a laptop's, or any screen at a large scale factor) by scrolling: the client
// never shrinks below its design size, the window may.

#include <QSize>
#include <functional>

class QScrollArea;
class QWidget;

namespace zq {

// A frameless scroll area around client, owned by parent. The client fills the area, and
// grows with it, but is never smaller than design; scroll bars appear only when it must be.
QScrollArea* ScrollWhenSmall(QWidget* parent, QWidget* client, QSize design);

// Calls grown with how much larger than design the client is now (never less than nothing),
// whenever it is resized: the windows lay their growth out from there.
void OnClientGrowth(QWidget* client, QSize design, std::function<void(QSize)> grown);

// Sizes window to its design size, or to the room its screen has where that is less, and moves
// it into the screen. The smallest size allowed is far below the design's.
void FitToScreen(QWidget* window, QSize design);

}  // namespace zq
