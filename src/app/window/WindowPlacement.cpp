#include "app/window/WindowPlacement.h"

#include "app/window/MainWindow.h"
#include "files/WindowPlace.h"

#include <algorithm>

namespace quorvan::app {

bool FitOnScreens(QRect& rect, const QList<QRect>& areas)
{
    for (const QRect& area : areas) {
        if (!area.contains(rect.center()))
            continue;
        QRect fitted(rect.topLeft(), rect.size().boundedTo(area.size()));
        fitted.moveLeft(std::clamp(fitted.left(), area.left(), area.right() - fitted.width() + 1));
        fitted.moveTop(std::clamp(fitted.top(), area.top(), area.bottom() - fitted.height() + 1));
        rect = fitted;
        return true;
    }
    return false;
}

void TfrmMain::RestoreWindowPlace()
{
    WindowPlace place;
    if (!ReadWindowPlaceFile(WindowPlaceFilePath(folders_), place))
        return;
    // The frame the desktop draws around the window must fit on the screen too.
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                           frame.bottom() - inner.bottom());
    QRect rect = QRect(place.left, place.top, place.width, place.height).marginsAdded(margins);
    if (!FitOnScreens(rect, prompts_->ScreenAreas()))
        return;
    setGeometry(rect.marginsRemoved(margins));
    if (place.maximised)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TfrmMain::KeepWindowPlace()
{
    if (!shown_)
        return;
    // A maximised or minimised window keeps the place it goes back to.
    const bool normal = !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    const QRect rect = normal ? geometry() : normalGeometry();
    if (rect.width() < 1 || rect.height() < 1)
        return;
    const WindowPlace place{rect.left(), rect.top(), rect.width(), rect.height(),
                            (windowState() & Qt::WindowMaximized) != 0};
    std::string error;
    if (!WriteWindowPlaceFile(WindowPlaceFilePath(folders_), place, error))
        qWarning("The window's place could not be kept: %s", error.c_str());
}

}  // namespace quorvan::app
