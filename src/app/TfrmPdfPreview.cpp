#include "TfrmPdfPreview.h"

#include "PrinterOutput.h"
#include "Prompts.h"
#include "files/AtomicFile.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
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
// Pages go to the printer as images; 300 dots per inch keeps the forms' 7-point captions sharp
// without building images of hundreds of megabytes.
constexpr int kMaxPrintDpi = 300;
constexpr double kPointsPerInch = 72.0;

QString ReasonFor(QPdfDocument::Error error)
{
    switch (error) {
    case QPdfDocument::Error::FileNotFound:
        return QStringLiteral("the file was not found");
    case QPdfDocument::Error::InvalidFileFormat:
        return QStringLiteral("it is not a PDF file");
    case QPdfDocument::Error::IncorrectPassword:
    case QPdfDocument::Error::UnsupportedSecurityScheme:
        return QStringLiteral("it is protected");
    default:
        return QStringLiteral("it could not be read");
    }
}

}  // namespace

TfrmPdfPreview::TfrmPdfPreview(const QString& title, PdfPreviewOptions options, QWidget* parent)
    : QMainWindow(parent, Qt::Window), options_(std::move(options))
{
    setObjectName(QStringLiteral("TfrmPdfPreview"));
    setWindowTitle(title);
    // The program ends with its main window, previews or not.
    setAttribute(Qt::WA_QuitOnClose, false);
    if (!options_.prompts)
        ownPrompts_ = std::make_unique<Prompts>();

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
    tools_ = AddPageToolBar(*this, false);
    ConnectToolBar();
    view_->viewport()->installEventFilter(this);

    connect(view_->pageNavigator(), &QPdfPageNavigator::currentPageChanged, this, &TfrmPdfPreview::ShowPageNumber);
    connect(view_, &QPdfView::zoomFactorChanged, this, &TfrmPdfPreview::ShowZoom);
    connect(view_, &QPdfView::zoomModeChanged, this, &TfrmPdfPreview::ShowZoom);

    // A Letter page at its width, on most of the screen's height.
    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                          : QRect(0, 0, 1280, 1024);
    resize(std::min(980, screen.width() - 40), std::max(480, screen.height() * 9 / 10));
}

TfrmPdfPreview::~TfrmPdfPreview()
{
    view_->viewport()->removeEventFilter(this);
    document_->close();
}

void TfrmPdfPreview::ConnectToolBar()
{
    connect(tools_.print, &QAction::triggered, this, &TfrmPdfPreview::PrintClick);
    connect(tools_.saveAsPdf, &QAction::triggered, this, &TfrmPdfPreview::SaveAsPdfClick);
    connect(tools_.priorPage, &QAction::triggered, this, [this] { GoToPage(CurrentPage() - 1); });
    connect(tools_.nextPage, &QAction::triggered, this, [this] { GoToPage(CurrentPage() + 1); });
    connect(tools_.page, &QSpinBox::valueChanged, this, [this](int number) {
        if (number - 1 != CurrentPage())
            GoToPage(number - 1);
    });
    connect(tools_.zoomOut, &QAction::triggered, this, [this] { ZoomBy(1 / kZoomStep); });
    connect(tools_.zoomIn, &QAction::triggered, this, [this] { ZoomBy(kZoomStep); });
    connect(tools_.fitWidth, &QAction::triggered, this, [this] { view_->setZoomMode(QPdfView::ZoomMode::FitToWidth); });
    connect(tools_.wholePage, &QAction::triggered, this, [this] { view_->setZoomMode(QPdfView::ZoomMode::FitInView); });
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
    ShowPageCount(tools_, document_->pageCount());
    ShowPageNumber(0);
    ShowZoom();
    return true;
}

int TfrmPdfPreview::PageCount() const
{
    return document_->pageCount();
}

int TfrmPdfPreview::CurrentPage() const
{
    return view_->pageNavigator()->currentPage();
}

void TfrmPdfPreview::GoToPage(int page)
{
    if (page < 0 || page >= PageCount())
        return;
    view_->pageNavigator()->jump(page, QPointF(), view_->pageNavigator()->currentZoom());
}

void TfrmPdfPreview::ShowPageNumber(int page)
{
    tools_.page->setValue(page + 1);
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

void TfrmPdfPreview::ZoomBy(double factor)
{
    // From a fitted view the steps start at the scale the page has on screen.
    const double current = ShownZoom();
    view_->setZoomMode(QPdfView::ZoomMode::Custom);
    view_->setZoomFactor(std::clamp(current * factor, kMinZoom, kMaxZoom));
}

void TfrmPdfPreview::ShowZoom()
{
    const QPdfView::ZoomMode mode = view_->zoomMode();
    tools_.fitWidth->setChecked(mode == QPdfView::ZoomMode::FitToWidth);
    tools_.wholePage->setChecked(mode == QPdfView::ZoomMode::FitInView);
    tools_.zoom->setText(QStringLiteral("%1%").arg(std::lround(ShownZoom() * 100)));
}

bool TfrmPdfPreview::eventFilter(QObject* watched, QEvent* event)
{
    // A fitted page changes its scale with the view.
    if (watched == view_->viewport() && event->type() == QEvent::Resize)
        ShowZoom();
    return QMainWindow::eventFilter(watched, event);
}

void TfrmPdfPreview::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

Prompts& TfrmPdfPreview::Ask()
{
    return options_.prompts ? *options_.prompts : *ownPrompts_;
}

void TfrmPdfPreview::PrintClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Print"));
    dialog.setMinMax(1, PageCount());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, true);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString error;
    if (!PrintTo(printer, error))
        Ask().Warn(this, error);
}

bool TfrmPdfPreview::PrintTo(QPrinter& printer, QString& error)
{
    const std::vector<int> pages = WithCopies(PagesInRange(printer, PageCount(), CurrentPage()), printer);
    if (pages.empty())
        return true;
    // The pages carry their own margins: each page is printed whole, at its own size, centred.
    printer.setFullPage(true);
    const QSizeF firstSize = document_->pagePointSize(pages.front());
    printer.setPageOrientation(firstSize.width() > firstSize.height() ? QPageLayout::Landscape
                                                                      : QPageLayout::Portrait);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed =
        PrintSafely(printer, [&](QPrinter& device) { return PrintPages(device, pages); }, error);
    QApplication::restoreOverrideCursor();
    return printed;
}

bool TfrmPdfPreview::PrintPages(QPrinter& printer, const std::vector<int>& pages)
{
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
    const QRectF target(QPointF(paper.x() + (paper.width() - size.width()) / 2,
                                paper.y() + (paper.height() - size.height()) / 2),
                        size);
    painter.drawImage(target, sheet);
}

void TfrmPdfPreview::SaveAsPdfClick()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Save as PDF");
    request.folder = options_.saveFolder;
    request.suggestedName = options_.suggestedName.isEmpty() ? QFileInfo(pdfPath_).fileName() : options_.suggestedName;
    request.filter = QStringLiteral("PDF Files (*.pdf)");
    request.defaultSuffix = QStringLiteral("pdf");
    const QString target = Ask().SaveFileName(this, request);
    if (target.isEmpty())
        return;
    if (QFileInfo(target).absoluteFilePath() == QFileInfo(pdfPath_).absoluteFilePath())
        return;  // already there
    // A copy through the program's one safe writer: a new file is its owner's only.
    QFile source(pdfPath_);
    std::string error;
    if (!source.open(QIODevice::ReadOnly)) {
        Ask().Warn(this, QStringLiteral("%1 could not be read: %2").arg(pdfPath_, source.errorString()));
        return;
    }
    const QByteArray bytes = source.readAll();
    if (!WriteFileAtomically(target.toStdString(), std::string(bytes.constData(), bytes.size()), error))
        Ask().Warn(this, QString::fromStdString(error));
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
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->show();
    preview->raise();
    preview->activateWindow();
    return preview.release();
}

}  // namespace quorvan::app
