#pragma once
// A window of the program that shows a PDF file page by page, with page and zoom controls: the
// print preview of the forms, and any other PDF the program shows (the manual). From it the pages
// go to a printer (the printer dialog) or to a PDF file of the preparer's choice; the print
// preview adds "Open in Word Processor".

#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QPainter;
class QPdfDocument;
class QPdfView;
class QPrinter;
class QSpinBox;
class QTemporaryDir;

namespace quorvan::app {

class Prompts;

struct PdfPreviewOptions {
    // File dialogs and warnings; null: the real dialogs.
    Prompts* prompts = nullptr;
    // Where Save as PDF starts, and the name it suggests (the file's own name when empty).
    QString saveFolder;
    QString suggestedName;
    // Adds "Open in Word Processor", which runs this.
    std::function<void()> openInWordProcessor;
    // A scratch folder holding the file, removed when the window closes.
    std::shared_ptr<QTemporaryDir> scratchFolder;
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
    // page) to `printer`. Errors: false when the printer cannot be started.
    bool PrintTo(QPrinter& printer);

    void PrintClick();
    void SaveAsPdfClick();
    void GoToPage(int page);  // from 0

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildToolBar();
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
    QSpinBox* spnPage_ = nullptr;
    QLabel* lblPageCount_ = nullptr;
    QLabel* lblZoom_ = nullptr;
    QAction* btnFitWidth_ = nullptr;
    QAction* btnWholePage_ = nullptr;
};

// Shows the PDF file at `pdfPath` in a new preview window over `parent`, titled `title`; the
// window deletes itself when closed. Null, with the reason shown to the preparer, when the file
// cannot be read as PDF.
TfrmPdfPreview* ShowPdfPreview(QWidget* parent, const QString& pdfPath, const QString& title,
                               PdfPreviewOptions options = {});

}  // namespace quorvan::app
