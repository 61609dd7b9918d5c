#include "TfrmPrintPreview.h"

#include "PrinterOutput.h"
#include "Prompts.h"
#include "SheetView.h"
#include "render/PaintedDocument.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
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

TfrmPrintPreview::TfrmPrintPreview(const QString& title, std::shared_ptr<const render::PaintedDocument> document,
                                   PrintPreviewOptions options, QWidget* parent)
    : QMainWindow(parent, Qt::Window), document_(std::move(document)), options_(std::move(options))
{
    setObjectName(QStringLiteral("TfrmPrintPreview"));
    setWindowTitle(title);
    // The program ends with its main window, previews or not.
    setAttribute(Qt::WA_QuitOnClose, false);
    if (!options_.prompts)
        ownPrompts_ = std::make_unique<Prompts>();

    view_ = new SheetView(this);
    setCentralWidget(view_);
    tools_ = AddPageToolBar(*this, static_cast<bool>(options_.openInWordProcessor));
    connect(tools_.print, &QAction::triggered, this, &TfrmPrintPreview::PrintClick);
    connect(tools_.saveAsPdf, &QAction::triggered, this, &TfrmPrintPreview::SaveAsPdfClick);
    if (tools_.openInWordProcessor)
        connect(tools_.openInWordProcessor, &QAction::triggered, this, [this] { options_.openInWordProcessor(); });
    connect(tools_.priorPage, &QAction::triggered, this, [this] { GoToPage(CurrentPage() - 1); });
    connect(tools_.nextPage, &QAction::triggered, this, [this] { GoToPage(CurrentPage() + 1); });
    connect(tools_.page, &QSpinBox::valueChanged, this, [this](int number) {
        if (number - 1 != CurrentPage())
            GoToPage(number - 1);
    });
    connect(tools_.zoomOut, &QAction::triggered, this, [this] { ZoomBy(1 / kZoomStep); });
    connect(tools_.zoomIn, &QAction::triggered, this, [this] { ZoomBy(kZoomStep); });
    connect(tools_.fitWidth, &QAction::triggered, this, [this] { view_->SetMode(SheetView::ZoomMode::FitWidth); });
    connect(tools_.wholePage, &QAction::triggered, this, [this] { view_->SetMode(SheetView::ZoomMode::WholePage); });
    connect(view_, &SheetView::currentPageChanged, this, [this](int page) { tools_.page->setValue(page + 1); });
    connect(view_, &SheetView::zoomChanged, this, &TfrmPrintPreview::ShowZoom);

    view_->SetDocument(document_);
    ShowPageCount(tools_, PageCount());
    tools_.page->setValue(1);
    ShowZoom();

    // A Letter sheet at its width, on most of the screen's height.
    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                          : QRect(0, 0, 1280, 1024);
    resize(std::min(980, screen.width() - 40), std::max(480, screen.height() * 9 / 10));
}

TfrmPrintPreview::~TfrmPrintPreview() = default;

int TfrmPrintPreview::PageCount() const { return document_->SheetCount(); }

int TfrmPrintPreview::CurrentPage() const { return view_->CurrentPage(); }

void TfrmPrintPreview::GoToPage(int page) { view_->GoToPage(page); }

void TfrmPrintPreview::ZoomBy(double factor)
{
    // From a fitted view the steps start at the scale the sheet has on screen.
    view_->SetZoom(std::clamp(view_->Zoom() * factor, kMinZoom, kMaxZoom));
}

void TfrmPrintPreview::ShowZoom()
{
    tools_.fitWidth->setChecked(view_->Mode() == SheetView::ZoomMode::FitWidth);
    tools_.wholePage->setChecked(view_->Mode() == SheetView::ZoomMode::WholePage);
    tools_.zoom->setText(QStringLiteral("%1%").arg(std::lround(view_->Zoom() * 100)));
}

void TfrmPrintPreview::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

Prompts& TfrmPrintPreview::Ask() { return options_.prompts ? *options_.prompts : *ownPrompts_; }

void TfrmPrintPreview::PrintClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Portrait);
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

bool TfrmPrintPreview::PrintTo(QPrinter& printer, QString& error)
{
    const std::vector<int> sheets = WithCopies(PagesInRange(printer, PageCount(), CurrentPage()), printer);
    if (sheets.empty())
        return true;
    // The forms carry their own margins: each sheet is painted from the paper's corner.
    printer.setFullPage(true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed = PrintSafely(
        printer, [&](QPrinter& device) { return document_->PaintOn(device, sheets); }, error);
    QApplication::restoreOverrideCursor();
    return printed;
}

void TfrmPrintPreview::SaveAsPdfClick()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Save as PDF");
    request.folder = options_.saveFolder;
    request.suggestedName = options_.suggestedName;
    request.filter = QStringLiteral("PDF Files (*.pdf)");
    request.defaultSuffix = QStringLiteral("pdf");
    const QString target = Ask().SaveFileName(this, request);
    if (target.isEmpty())
        return;
    std::string error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written =
        render::WritePdf(*document_, target.toStdString(), QFileInfo(target).completeBaseName().toStdString(), error);
    QApplication::restoreOverrideCursor();
    if (!written)
        Ask().Warn(this, QString::fromStdString(error));
}

TfrmPrintPreview* ShowPrintPreview(QWidget* parent, std::shared_ptr<const render::PaintedDocument> document,
                                   const QString& title, PrintPreviewOptions options)
{
    auto* preview = new TfrmPrintPreview(title, std::move(document), std::move(options), parent);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->show();
    preview->raise();
    preview->activateWindow();
    return preview;
}

}  // namespace quorvan::app
