#include "TfrmPdfPreview.h"

#include "PdfExport.h"
#include "Prompts.h"

#include <QAction>
#include <QEvent>
#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

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

QAction* ToolAction(QToolBar* bar, const char* name, const QString& text, QStyle::StandardPixmap icon,
                    const QKeySequence& shortcut = {})
{
    QAction* action = bar->addAction(bar->style()->standardIcon(icon), text);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setToolTip(QStringLiteral("%1 (%2)").arg(text, shortcut.toString(QKeySequence::NativeText)));
    }
    return action;
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
    BuildToolBar();
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
    // The file is let go before its scratch folder is removed.
    document_->close();
}

void TfrmPdfPreview::BuildToolBar()
{
    QToolBar* bar = addToolBar(QStringLiteral("Preview"));
    bar->setObjectName(QStringLiteral("tbrPreview"));
    bar->setMovable(false);
    const auto styled = [bar](QAction* action, Qt::ToolButtonStyle style) {
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action)))
            button->setToolButtonStyle(style);
        return action;
    };

    connect(styled(ToolAction(bar, "btnPrint", QStringLiteral("Print..."), QStyle::SP_DialogApplyButton,
                              QKeySequence::Print),
                   Qt::ToolButtonTextBesideIcon),
            &QAction::triggered, this, &TfrmPdfPreview::PrintClick);
    connect(styled(ToolAction(bar, "btnSaveAsPdf", QStringLiteral("Save as PDF..."), QStyle::SP_DialogSaveButton,
                              QKeySequence::Save),
                   Qt::ToolButtonTextBesideIcon),
            &QAction::triggered, this, &TfrmPdfPreview::SaveAsPdfClick);
    if (options_.openInWordProcessor) {
        connect(styled(ToolAction(bar, "btnOpenInWordProcessor", QStringLiteral("Open in Word Processor"),
                                  QStyle::SP_FileDialogContentsView),
                       Qt::ToolButtonTextBesideIcon),
                &QAction::triggered, this, [this] { options_.openInWordProcessor(); });
    }
    bar->addSeparator();

    connect(ToolAction(bar, "btnPriorPage", QStringLiteral("Previous Page"), QStyle::SP_ArrowUp,
                       QKeySequence(Qt::CTRL | Qt::Key_PageUp)),
            &QAction::triggered, this, [this] { GoToPage(CurrentPage() - 1); });
    spnPage_ = new QSpinBox(bar);
    spnPage_->setObjectName(QStringLiteral("spnPage"));
    spnPage_->setRange(1, 1);
    spnPage_->setKeyboardTracking(false);
    spnPage_->setAccessibleName(QStringLiteral("Page"));
    bar->addWidget(spnPage_);
    lblPageCount_ = new QLabel(bar);
    lblPageCount_->setObjectName(QStringLiteral("lblPageCount"));
    lblPageCount_->setContentsMargins(4, 0, 4, 0);
    bar->addWidget(lblPageCount_);
    connect(ToolAction(bar, "btnNextPage", QStringLiteral("Next Page"), QStyle::SP_ArrowDown,
                       QKeySequence(Qt::CTRL | Qt::Key_PageDown)),
            &QAction::triggered, this, [this] { GoToPage(CurrentPage() + 1); });
    connect(spnPage_, &QSpinBox::valueChanged, this, [this](int number) {
        if (number - 1 != CurrentPage())
            GoToPage(number - 1);
    });
    bar->addSeparator();

    // The style has no magnifier icons: the zoom buttons read a minus and a plus.
    QAction* zoomOut =
        ToolAction(bar, "btnZoomOut", QStringLiteral("Zoom Out"), QStyle::SP_ArrowLeft, QKeySequence::ZoomOut);
    zoomOut->setIconText(QStringLiteral("\u2212"));
    connect(styled(zoomOut, Qt::ToolButtonTextOnly), &QAction::triggered, this, [this] { ZoomBy(1 / kZoomStep); });
    lblZoom_ = new QLabel(bar);
    lblZoom_->setObjectName(QStringLiteral("lblZoom"));
    lblZoom_->setMinimumWidth(48);
    lblZoom_->setAlignment(Qt::AlignCenter);
    bar->addWidget(lblZoom_);
    QAction* zoomIn = ToolAction(bar, "btnZoomIn", QStringLiteral("Zoom In"), QStyle::SP_ArrowRight, QKeySequence::ZoomIn);
    zoomIn->setIconText(QStringLiteral("+"));
    connect(styled(zoomIn, Qt::ToolButtonTextOnly), &QAction::triggered, this, [this] { ZoomBy(kZoomStep); });
    // The two fitted views are a choice; a zoom step leaves both.
    btnFitWidth_ = styled(ToolAction(bar, "btnFitWidth", QStringLiteral("Fit Width"), QStyle::SP_TitleBarMaxButton),
                          Qt::ToolButtonTextOnly);
    btnWholePage_ = styled(ToolAction(bar, "btnWholePage", QStringLiteral("Whole Page"), QStyle::SP_TitleBarNormalButton),
                           Qt::ToolButtonTextOnly);
    for (QAction* fit : {btnFitWidth_, btnWholePage_})
        fit->setCheckable(true);
    connect(btnFitWidth_, &QAction::triggered, this, [this] { view_->setZoomMode(QPdfView::ZoomMode::FitToWidth); });
    connect(btnWholePage_, &QAction::triggered, this, [this] { view_->setZoomMode(QPdfView::ZoomMode::FitInView); });
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
    spnPage_->setRange(1, document_->pageCount());
    lblPageCount_->setText(QStringLiteral("of %1").arg(document_->pageCount()));
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
    spnPage_->setValue(page + 1);
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
    btnFitWidth_->setChecked(mode == QPdfView::ZoomMode::FitToWidth);
    btnWholePage_->setChecked(mode == QPdfView::ZoomMode::FitInView);
    lblZoom_->setText(QStringLiteral("%1%").arg(std::lround(ShownZoom() * 100)));
}

bool TfrmPdfPreview::eventFilter(QObject* watched, QEvent* event)
{
    // A fitted page changes its scale with the view.
    if (watched == view_->viewport() && event->type() == QEvent::Resize)
        ShowZoom();
    return QMainWindow::eventFilter(watched, event);
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
    if (!PrintTo(printer))
        Ask().Warn(this, QStringLiteral("The printer %1 could not be started.").arg(printer.printerName()));
}

bool TfrmPdfPreview::PrintTo(QPrinter& printer)
{
    int first = 0;
    int last = PageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange) {
        first = std::max(printer.fromPage(), 1) - 1;
        last = std::min(printer.toPage() > 0 ? printer.toPage() : PageCount(), PageCount()) - 1;
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        first = last = CurrentPage();
    }
    if (first > last)
        return true;
    // Where the printer cannot make copies itself, each copy is sent in turn.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(printer.copyCount(), 1);
    // The forms carry their own margins: each page is printed whole, at its own size, centred.
    printer.setFullPage(true);
    const QSizeF firstSize = document_->pagePointSize(first);
    printer.setPageOrientation(firstSize.width() > firstSize.height() ? QPageLayout::Landscape
                                                                      : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int dpi = std::min(printer.resolution(), kMaxPrintDpi);
    bool firstSheet = true;
    for (int copy = 0; copy < copies; ++copy) {
        for (int page = first; page <= last; ++page) {
            if (!firstSheet)
                printer.newPage();
            firstSheet = false;
            PrintPage(painter, printer, page, dpi);
        }
    }
    painter.end();
    QApplication::restoreOverrideCursor();
    return true;
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
    QString error;
    if (QFileInfo(target).absoluteFilePath() == QFileInfo(pdfPath_).absoluteFilePath())
        return;  // already there
    if (!CopyFileInPlace(pdfPath_, target, error))
        Ask().Warn(this, error);
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
