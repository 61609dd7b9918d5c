#pragma once
// A window of the program that shows a PDF file page by page, with page and zoom controls: the
// manual and the IRS publications. From it the pages go to a printer (the printer dialog) or to a
// PDF file of the preparer's choice; Escape closes it. (The forms have their own print preview,
// TfrmPrintPreview, which paints them.)

#include "PageToolBar.h"

#include <QMainWindow>
#include <QString>

#include <memory>
#include <vector>

class QPainter;
class QPdfDocument;
class QPdfView;
class QPrinter;

namespace quorvan::app {

class Prompts;

struct PdfPreviewOptions {
    // File dialogs and warnings; null: the real dialogs.
    Prompts* prompts = nullptr;
    // Where Save as PDF starts, and the name it suggests (the file's own name when empty).
    QString saveFolder;
    QString suggestedName;
};

class TfrmPdfPreview : public QMainWindow {
    Q_OBJECT
public:
    TfrmPdfPreview(const QString& title, PdfPreviewOptions options, QWidget* parent = nullptr);
    ~TfrmPdfPreview() override;

    // Errors: false with a sentence for the preparer in `error`.
    bool Load(const QString& pdfPath, QString& error);

    int PageCount() const;
    int CurrentPage() const;  // from 0
    // The scale of the pages on screen (1 = actual size), fitted views included.
    double ShownZoom() const;
    QPdfView* View() const { return view_; }
    // Sends the pages the printer's print range asks for (every page, a range or the current
    // page) to `printer`. Errors: false with a sentence for the preparer in `error`.
    bool PrintTo(QPrinter& printer, QString& error);

    void PrintClick();
    void SaveAsPdfClick();
    void GoToPage(int page);  // from 0

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape closes the window, as it closes the program's dialogs.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ConnectToolBar();
    bool PrintPages(QPrinter& printer, const std::vector<int>& pages);
    void PrintPage(QPainter& painter, QPrinter& printer, int page, int dpi);
    void ShowPageNumber(int page);
    void ZoomBy(double factor);
    void ShowZoom();
    Prompts& Ask();

    PdfPreviewOptions options_;
    std::unique_ptr<Prompts> ownPrompts_;
    QString pdfPath_;
    QPdfDocument* document_ = nullptr;
    QPdfView* view_ = nullptr;
    PageToolBar tools_;
};

// Shows the PDF file at `pdfPath` in a new preview window over `parent`, titled `title`; the
// window deletes itself when closed. Null, with the reason shown to the preparer, when the file
// cannot be read as PDF.
TfrmPdfPreview* ShowPdfPreview(QWidget* parent, const QString& pdfPath, const QString& title,
                               PdfPreviewOptions options = {});

}  // namespace quorvan::app
