#include "app/print/TfrmPrintPreview.h"

#include "app/print/SheetView.h"
#include "render/PaintedDocument.h"

#include <QAction>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

namespace quorvan::app {

TfrmPrintPreview::TfrmPrintPreview(const QString& title, std::shared_ptr<const render::PaintedDocument> document,
                                   PrintPreviewOptions options, QWidget* parent)
    : PageWindow(title, QStringLiteral("TfrmPrintPreview"), options, parent), document_(std::move(document))
{
    view_ = new SheetView(this);
    setCentralWidget(view_);
    AddToolBar(static_cast<bool>(options.openInWordProcessor));
    if (Tools().openInWordProcessor)
        connect(Tools().openInWordProcessor, &QAction::triggered, this,
                [open = std::move(options.openInWordProcessor)] { open(); });
    connect(view_, &SheetView::currentPageChanged, this, &TfrmPrintPreview::ShowPageNumber);
    connect(view_, &SheetView::zoomChanged, this, &TfrmPrintPreview::ShowZoom);

    view_->SetDocument(document_);
    ShowPageCount();
    ShowPageNumber(0);
    ShowZoom();
}

TfrmPrintPreview::~TfrmPrintPreview() = default;

int TfrmPrintPreview::PageCount() const { return document_->SheetCount(); }

int TfrmPrintPreview::CurrentPage() const { return view_->CurrentPage(); }

void TfrmPrintPreview::GoToPage(int page) { view_->GoToPage(page); }

double TfrmPrintPreview::ShownZoom() const { return view_->Zoom(); }

void TfrmPrintPreview::SetZoom(double scale) { view_->SetZoom(scale); }

void TfrmPrintPreview::FitPages(Fit fit)
{
    view_->SetMode(fit == Fit::WholePage ? SheetView::ZoomMode::WholePage : SheetView::ZoomMode::FitWidth);
}

PageWindow::Fit TfrmPrintPreview::ShownFit() const
{
    switch (view_->Mode()) {
    case SheetView::ZoomMode::FitWidth: return Fit::Width;
    case SheetView::ZoomMode::WholePage: return Fit::WholePage;
    default: return Fit::None;
    }
}

void TfrmPrintPreview::PreparePrinter(QPrinter& printer)
{
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Portrait);
}

bool TfrmPrintPreview::PaintPages(QPrinter& printer, const std::vector<int>& pages)
{
    return document_->PaintOn(printer, pages);
}

bool TfrmPrintPreview::SavePdf(const QString& target, QString& error)
{
    std::string reason;
    if (render::WritePdf(*document_, target.toStdString(), QFileInfo(target).completeBaseName().toStdString(), reason))
        return true;
    error = QString::fromStdString(reason);
    return false;
}

TfrmPrintPreview* ShowPrintPreview(QWidget* parent, std::shared_ptr<const render::PaintedDocument> document,
                                   const QString& title, PrintPreviewOptions options)
{
    auto* preview = new TfrmPrintPreview(title, std::move(document), std::move(options), parent);
    ShowPageWindow(*preview);
    return preview;
}

}  // namespace quorvan::app
