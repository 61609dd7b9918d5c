#pragma once
// The main window comes back where it was left: its place, size and maximised state are kept at
// close and given back at the next start on the screen that holds them.

#include <QList>
#include <QRect>

namespace quorvan::app {

// Fits a kept window rectangle to the screens there are now: on the screen area that holds its
// centre, no larger than that area and wholly inside it. False, with `rect` untouched, when no
// screen holds its centre (a screen since unplugged): the window then starts as on a first run.
bool FitOnScreens(QRect& rect, const QList<QRect>& areas);

}  // namespace quorvan::app
