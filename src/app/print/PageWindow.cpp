#include "app/print/PageWindow.h"

#include "app/dialogs/Prompts.h"
#include "app/print/PrinterOutput.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QSpinBox>

#include <algorithm>
#include <cmath>

namespace quorvan::app {
namespace {

constexpr double kZoomStep = 1.25;
constexpr double kMinZoom = 0.1;
constexpr double kMaxZoom = 8.0;

}  // namespace

PageWindow::PageWindow(const QString& title, const QString& objectName, const PageWindowOptions& options,
                       QWidget* parent)
    : QMainWindow(parent, Qt::Window), options_(options)
{
    setObjectName(objectName);
    setWindowTitle(title);
    // The program ends with its main window, page windows or not.
    setAttribute(Qt::WA_QuitOnClose, false);
    if (!options_.prompts)
        ownPrompts_ = std::make_unique<Prompts>();
    // A Letter page at its width, on most of the screen's height.
    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                          : QRect(0, 0, 1280, 1024);
    resize(std::min(980, screen.width() - 40), std::max(480, screen.height() * 9 / 10));
}

PageWindow::~PageWindow() = default;

void PageWindow::AddToolBar(bool offerWordProcessor)
{
    tools_ = AddPageToolBar(*this, offerWordProcessor);
    connect(tools_.print, &QAction::triggered, this, &PageWindow::PrintClick);
    connect(tools_.saveAsPdf, &QAction::triggered, this, &PageWindow::SaveAsPdfClick);
    connect(tools_.priorPage, &QAction::triggered, this, [this] { GoToPage(CurrentPage() - 1); });
    connect(tools_.nextPage, &QAction::triggered, this, [this] { GoToPage(CurrentPage() + 1); });
    connect(tools_.page, &QSpinBox::valueChanged, this, [this](int number) {
        if (number - 1 != CurrentPage())
            GoToPage(number - 1);
    });
    connect(tools_.zoomOut, &QAction::triggered, this, [this] { ZoomBy(1 / kZoomStep); });
    connect(tools_.zoomIn, &QAction::triggered, this, [this] { ZoomBy(kZoomStep); });
    connect(tools_.fitWidth, &QAction::triggered, this, [this] { FitPages(Fit::Width); });
    connect(tools_.wholePage, &QAction::triggered, this, [this] { FitPages(Fit::WholePage); });
}

void PageWindow::ShowPageCount() { quorvan::app::ShowPageCount(tools_, PageCount()); }

void PageWindow::ShowPageNumber(int page) { tools_.page->setValue(page + 1); }

void PageWindow::ShowZoom()
{
    const Fit fit = ShownFit();
    tools_.fitWidth->setChecked(fit == Fit::Width);
    tools_.wholePage->setChecked(fit == Fit::WholePage);
    tools_.zoom->setText(QStringLiteral("%1%").arg(std::lround(ShownZoom() * 100)));
}

void PageWindow::ZoomBy(double factor)
{
    // From a fitted view the steps start at the scale the pages have on screen.
    SetZoom(std::clamp(ShownZoom() * factor, kMinZoom, kMaxZoom));
}

void PageWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

Prompts& PageWindow::Ask() { return options_.prompts ? *options_.prompts : *ownPrompts_; }

void PageWindow::PreparePrinter(QPrinter&) {}

void PageWindow::PrintClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    PreparePrinter(printer);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Print"));
    dialog.setMinMax(1, PageCount());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, true);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString error;
    if (!PrintTo(printer, error))
        Ask().Warn(this, error);
}

bool PageWindow::PrintTo(QPrinter& printer, QString& error)
{
    const std::vector<int> pages = WithCopies(PagesInRange(printer, PageCount(), CurrentPage()), printer);
    if (pages.empty())
        return true;
    // The pages carry their own margins: each is painted from the paper's corner.
    printer.setFullPage(true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed = PrintSafely(
        printer, [&](QPrinter& device) { return PaintPages(device, pages); }, error);
    QApplication::restoreOverrideCursor();
    return printed;
}

void PageWindow::SaveAsPdfClick()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Save as PDF");
    request.folder = options_.saveFolder;
    request.suggestedName = options_.suggestedName.isEmpty() ? OwnPdfName() : options_.suggestedName;
    request.filter = QStringLiteral("PDF Files (*.pdf)");
    request.defaultSuffix = QStringLiteral("pdf");
    const QString target = Ask().SaveFileName(this, request);
    if (target.isEmpty())
        return;
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = SavePdf(target, error);
    QApplication::restoreOverrideCursor();
    if (!written)
        Ask().Warn(this, error);
}

void ShowPageWindow(PageWindow& window)
{
    window.setAttribute(Qt::WA_DeleteOnClose);
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace quorvan::app
