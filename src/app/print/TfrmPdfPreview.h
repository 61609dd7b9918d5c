#pragma once
// A window of the program that shows a PDF file page by page, with page and zoom controls: the
// manual and the IRS publications. From it the pages go to a printer (the printer dialog) or to a
// PDF file of the preparer's choice; Escape closes it. (The forms have their own print preview,
// TfrmPrintPreview, which paints them.)

#include "app/print/PageWindow.h"

class QPainter;
class QPdfDocument;
class QPdfView;

namespace quorvan::app {

// Save as PDF suggests the file's own name unless one is given.
using PdfPreviewOptions = PageWindowOptions;

class TfrmPdfPreview : public PageWindow {
    Q_OBJECT
public:
    TfrmPdfPreview(const QString& title, PdfPreviewOptions options, QWidget* parent = nullptr);
    ~TfrmPdfPreview() override;

    // Errors: false with a sentence for the preparer in `error`.
    bool Load(const QString& pdfPath, QString& error);

    int PageCount() const override;
    int CurrentPage() const override;
    void GoToPage(int page) override;
    double ShownZoom() const override;
    QPdfView* View() const { return view_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool PaintPages(QPrinter& printer, const std::vector<int>& pages) override;
    bool SavePdf(const QString& target, QString& error) override;
    QString OwnPdfName() const override;
    void SetZoom(double scale) override;
    void FitPages(Fit fit) override;
    Fit ShownFit() const override;

private:
    void PrintPage(QPainter& painter, QPrinter& printer, int page, int dpi);

    QString pdfPath_;
    QPdfDocument* document_ = nullptr;
    QPdfView* view_ = nullptr;
};

// Shows the PDF file at `pdfPath` in a new preview window over `parent`, titled `title`; the
// window deletes itself when closed. Null, with the reason shown to the preparer, when the file
// cannot be read as PDF.
TfrmPdfPreview* ShowPdfPreview(QWidget* parent, const QString& pdfPath, const QString& title,
                               PdfPreviewOptions options = {});

}  // namespace quorvan::app
