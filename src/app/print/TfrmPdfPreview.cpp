#include "app/print/TfrmPdfPreview.h"

#include "app/dialogs/Prompts.h"
#include "files/AtomicFile.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QPrinter>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace quorvan::app {
namespace {

// Pages go to the printer as images; 300 dots per inch keeps the forms' 7-point captions sharp
// without building images of hundreds of megabytes.
constexpr int kMaxPrintDpi = 300;
constexpr double kPointsPerInch = 72.0;

QString ReasonFor(QPdfDocument::Error error)
{
    switch (error) {
    case QPdfDocument::Error::FileNotFound: return QStringLiteral("the file was not found");
    case QPdfDocument::Error::InvalidFileFormat: return QStringLiteral("it is not a PDF file");
    case QPdfDocument::Error::IncorrectPassword:
    case QPdfDocument::Error::UnsupportedSecurityScheme: return QStringLiteral("it is protected");
    default: return QStringLiteral("it could not be read");
    }
}

}  // namespace

TfrmPdfPreview::TfrmPdfPreview(const QString& title, PdfPreviewOptions options, QWidget* parent)
    : PageWindow(title, QStringLiteral("TfrmPdfPreview"), options, parent)
{
    document_ = new QPdfDocument(this);
    view_ = new QPdfView(this);
    view_->setObjectName(QStringLiteral("pdfView"));
    view_->setDocument(document_);
    view_->setPageMode(QPdfView::PageMode::MultiPage);
    view_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    view_->setPageSpacing(12);
    view_->setDocumentMargins(QMargins(12, 12, 12, 12));
    view_->setBackgroundRole(QPalette::Dark);
    view_->setAutoFillBackground(true);
    setCentralWidget(view_);
    AddToolBar(false);
    view_->viewport()->installEventFilter(this);

    connect(view_->pageNavigator(), &QPdfPageNavigator::currentPageChanged, this, &TfrmPdfPreview::ShowPageNumber);
    connect(view_, &QPdfView::zoomFactorChanged, this, &TfrmPdfPreview::ShowZoom);
    connect(view_, &QPdfView::zoomModeChanged, this, &TfrmPdfPreview::ShowZoom);
}

TfrmPdfPreview::~TfrmPdfPreview()
{
    view_->viewport()->removeEventFilter(this);
    document_->close();
}

bool TfrmPdfPreview::Load(const QString& pdfPath, QString& error)
{
    const QPdfDocument::Error result = document_->load(pdfPath);
    if (result != QPdfDocument::Error::None || document_->pageCount() < 1) {
        error = QStringLiteral("%1 cannot be shown: %2.")
                    .arg(QFileInfo(pdfPath).fileName(),
                         result == QPdfDocument::Error::None ? QStringLiteral("it has no pages") : ReasonFor(result));
        return false;
    }
    pdfPath_ = pdfPath;
    ShowPageCount();
    ShowPageNumber(0);
    ShowZoom();
    return true;
}

int TfrmPdfPreview::PageCount() const { return document_->pageCount(); }

int TfrmPdfPreview::CurrentPage() const { return view_->pageNavigator()->currentPage(); }

void TfrmPdfPreview::GoToPage(int page)
{
    if (page < 0 || page >= PageCount())
        return;
    view_->pageNavigator()->jump(page, QPointF(), view_->pageNavigator()->currentZoom());
}

double TfrmPdfPreview::ShownZoom() const
{
    if (view_->zoomMode() == QPdfView::ZoomMode::Custom || PageCount() < 1)
        return view_->zoomFactor();
    // The fitted views scale a page as the view does: its size in points at the screen's
    // resolution, fitted between the document margins.
    const QSizeF points = document_->pagePointSize(std::max(CurrentPage(), 0));
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double pixelsPerPoint = (screen ? screen->logicalDotsPerInch() : 96.0) / kPointsPerInch;
    const QMargins margins = view_->documentMargins();
    const QSize viewport = view_->viewport()->size();
    const double byWidth = (viewport.width() - margins.left() - margins.right()) / (points.width() * pixelsPerPoint);
    const double byHeight = (viewport.height() - margins.top() - margins.bottom()) / (points.height() * pixelsPerPoint);
    const double scale = view_->zoomMode() == QPdfView::ZoomMode::FitToWidth ? byWidth : std::min(byWidth, byHeight);
    return scale > 0 ? scale : view_->zoomFactor();
}

void TfrmPdfPreview::SetZoom(double scale)
{
    view_->setZoomMode(QPdfView::ZoomMode::Custom);
    view_->setZoomFactor(scale);
}

void TfrmPdfPreview::FitPages(Fit fit)
{
    view_->setZoomMode(fit == Fit::WholePage ? QPdfView::ZoomMode::FitInView : QPdfView::ZoomMode::FitToWidth);
}

PageWindow::Fit TfrmPdfPreview::ShownFit() const
{
    switch (view_->zoomMode()) {
    case QPdfView::ZoomMode::FitToWidth: return Fit::Width;
    case QPdfView::ZoomMode::FitInView: return Fit::WholePage;
    default: return Fit::None;
    }
}

bool TfrmPdfPreview::eventFilter(QObject* watched, QEvent* event)
{
    // A fitted page changes its scale with the view.
    if (watched == view_->viewport() && event->type() == QEvent::Resize)
        ShowZoom();
    return QMainWindow::eventFilter(watched, event);
}

bool TfrmPdfPreview::PaintPages(QPrinter& printer, const std::vector<int>& pages)
{
    // Each page is printed whole, at its own size, centred, the paper turned as the first page is.
    const QSizeF firstSize = document_->pagePointSize(pages.front());
    printer.setPageOrientation(firstSize.width() > firstSize.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const int dpi = std::min(printer.resolution(), kMaxPrintDpi);
    bool firstSheet = true;
    for (int page : pages) {
        if (!firstSheet)
            printer.newPage();
        firstSheet = false;
        PrintPage(painter, printer, page, dpi);
    }
    return painter.end();
}

void TfrmPdfPreview::PrintPage(QPainter& painter, QPrinter& printer, int page, int dpi)
{
    const QSizeF points = document_->pagePointSize(page);
    const QSize pixels(std::lround(points.width() * dpi / kPointsPerInch),
                       std::lround(points.height() * dpi / kPointsPerInch));
    // On white, as paper is: printer drivers need not handle a transparent picture.
    QImage sheet(pixels, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    {
        QPainter onSheet(&sheet);
        onSheet.drawImage(0, 0, document_->render(page, pixels));
    }
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const double deviceDpi = printer.resolution();
    QSizeF size(points.width() * deviceDpi / kPointsPerInch, points.height() * deviceDpi / kPointsPerInch);
    // A page larger than the paper is shrunk to fit; a smaller one keeps its size.
    if (size.width() > paper.width() || size.height() > paper.height())
        size.scale(paper.size(), Qt::KeepAspectRatio);
    const QRectF target(
        QPointF(paper.x() + (paper.width() - size.width()) / 2, paper.y() + (paper.height() - size.height()) / 2),
        size);
    painter.drawImage(target, sheet);
}

QString TfrmPdfPreview::OwnPdfName() const { return QFileInfo(pdfPath_).fileName(); }

bool TfrmPdfPreview::SavePdf(const QString& target, QString& error)
{
    if (QFileInfo(target).absoluteFilePath() == QFileInfo(pdfPath_).absoluteFilePath())
        return true;  // already there
    // A copy through the program's one safe writer: a new file is its owner's only.
    QFile source(pdfPath_);
    if (!source.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1 could not be read: %2").arg(pdfPath_, source.errorString());
        return false;
    }
    const QByteArray bytes = source.readAll();
    std::string reason;
    if (WriteFileAtomically(target.toStdString(), std::string(bytes.constData(), bytes.size()), reason))
        return true;
    error = QString::fromStdString(reason);
    return false;
}

TfrmPdfPreview* ShowPdfPreview(QWidget* parent, const QString& pdfPath, const QString& title, PdfPreviewOptions options)
{
    Prompts* prompts = options.prompts;
    auto preview = std::make_unique<TfrmPdfPreview>(title, std::move(options), parent);
    QString error;
    if (!preview->Load(pdfPath, error)) {
        preview.reset();
        if (prompts) {
            prompts->Warn(parent, error);
        } else {
            Prompts dialogs;
            dialogs.Warn(parent, error);
        }
        return nullptr;
    }
    ShowPageWindow(*preview);
    return preview.release();
}

}  // namespace quorvan::app
