#include "app/dialogs/ScreenFit.h"

#include <QScreen>
#include <QWidget>

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

void FitToItsScreen(QWidget& window)
{
    // Room for the title bar and borders of a window the desktop has not framed yet.
    constexpr int kTitleAllowance = 32;
    constexpr int kBorderAllowance = 4;
    const QWidget* holder = window.parentWidget() ? window.parentWidget()->window() : &window;
    const QScreen* screen = holder->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect inner = window.geometry();
    const QRect frame = window.frameGeometry();
    const QMargins margins = frame != inner
                                 ? QMargins(inner.left() - frame.left(), inner.top() - frame.top(),
                                            frame.right() - inner.right(), frame.bottom() - inner.bottom())
                                 : QMargins(kBorderAllowance, kTitleAllowance, kBorderAllowance, kBorderAllowance);
    QRect rect = inner.marginsAdded(margins);
    if (!area.contains(rect.center()))
        rect.moveCenter(area.center());  // a window not placed yet starts in the middle of its screen
    if (FitOnScreens(rect, {area}))
        window.setGeometry(rect.marginsRemoved(margins));
}

}  // namespace quorvan::app
