#pragma once
// The toolbar of the program's page windows (the print preview of the forms and the PDF viewer
// of the manual and publications): Print, Save as PDF, optionally Open in Word Processor, the page
// controls and the zoom controls, with the same object names and keys in both windows. The
// window connects the actions to what it shows.

#include <QString>

class QAction;
class QLabel;
class QMainWindow;
class QSpinBox;
class QToolBar;

namespace quorvan::app {

struct PageToolBar {
    QToolBar* bar = nullptr;
    QAction* print = nullptr;                // "btnPrint", Ctrl+P
    QAction* saveAsPdf = nullptr;            // "btnSaveAsPdf", Ctrl+S
    QAction* openInWordProcessor = nullptr;  // "btnOpenInWordProcessor"; null when not offered
    QAction* priorPage = nullptr;            // "btnPriorPage", Ctrl+PageUp
    QSpinBox* page = nullptr;                // "spnPage", from 1
    QLabel* pageCount = nullptr;             // "lblPageCount": "of n"
    QAction* nextPage = nullptr;             // "btnNextPage", Ctrl+PageDown
    QAction* zoomOut = nullptr;              // "btnZoomOut"
    QLabel* zoom = nullptr;                  // "lblZoom": "125%"
    QAction* zoomIn = nullptr;               // "btnZoomIn"
    QAction* fitWidth = nullptr;             // "btnFitWidth", checkable
    QAction* wholePage = nullptr;            // "btnWholePage", checkable
};

// Adds the toolbar to `window`.
PageToolBar AddPageToolBar(QMainWindow& window, bool offerWordProcessor);

// Shows the number of pages: the spin box's range and "of n".
void ShowPageCount(const PageToolBar& bar, int pages);

}  // namespace quorvan::app
