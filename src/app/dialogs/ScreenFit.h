#pragma once
// Windows fitted to the screens there are: a kept place given back, a new window shown.

#include <QList>
#include <QRect>

class QWidget;

namespace quorvan::app {

// Fits a kept window rectangle to the screens there are now: on the screen area that holds its
// centre, no larger than that area and wholly inside it. False, with `rect` untouched, when no
// screen holds its centre (a screen since unplugged): the window then starts as on a first run.
bool FitOnScreens(QRect& rect, const QList<QRect>& areas);

// Fits a window that is about to show, frame and all, into the available area of the screen that
// holds it (its parent's screen for a window with a parent): no larger than that area and wholly
// inside it. A window the desktop has not framed yet keeps room for a title bar.
void FitToItsScreen(QWidget& window);

}  // namespace quorvan::app
