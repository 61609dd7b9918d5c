#pragma once
// What the recalculation asks of the screen: the page stored first, the busy cursor, and the
// answers written back into the page when the run completes.

#include "app/window/MainWindow.h"
#include "calc/Calculate.h"

#include <QApplication>

namespace quorvan::app {

class ScreenHooks : public CalculateHooks {
public:
    explicit ScreenHooks(TfrmMain& window) : window_(window) {}
    void StoreControls() override { window_.StorePage(); }
    void BeginBusy() override { QApplication::setOverrideCursor(Qt::WaitCursor); }
    void EndBusy() override { QApplication::restoreOverrideCursor(); }
    void ShowAnswers() override
    {
        if (showAnswers)
            window_.ShowAnswers();
    }
    // Off while a caller writes the answers itself after the run.
    bool showAnswers = true;

private:
    TfrmMain& window_;
};

}  // namespace quorvan::app
