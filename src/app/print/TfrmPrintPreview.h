#pragma once
// The print preview of the forms: the sheets the print engine paints, one under the other, with
// page and zoom controls. From it the forms go to a printer (the printer dialog: range, current
// page, copies, two-sided where the printer has it), to a PDF file, or to the word processor.
// The forms are those of the moment the preview was made; Escape closes it.

#include "app/print/PageWindow.h"

#include <functional>
#include <memory>

namespace quorvan::render {
class PaintedDocument;
}  // namespace quorvan::render

namespace quorvan::app {

class SheetView;

struct PrintPreviewOptions : PageWindowOptions {
    // Adds "Open in Word Processor", which runs this.
    std::function<void()> openInWordProcessor;
};

class TfrmPrintPreview : public PageWindow {
    Q_OBJECT
public:
    TfrmPrintPreview(const QString& title, std::shared_ptr<const render::PaintedDocument> document,
                     PrintPreviewOptions options, QWidget* parent = nullptr);
    ~TfrmPrintPreview() override;

    int PageCount() const override;
    int CurrentPage() const override;
    void GoToPage(int page) override;
    double ShownZoom() const override;
    SheetView* View() const { return view_; }
    const render::PaintedDocument& Document() const { return *document_; }

protected:
    void PreparePrinter(QPrinter& printer) override;
    bool PaintPages(QPrinter& printer, const std::vector<int>& pages) override;
    bool SavePdf(const QString& target, QString& error) override;
    void SetZoom(double scale) override;
    void FitPages(Fit fit) override;
    Fit ShownFit() const override;

private:
    std::shared_ptr<const render::PaintedDocument> document_;
    SheetView* view_ = nullptr;
};

// Shows the forms in a new preview window over `parent`; the window deletes itself when closed.
TfrmPrintPreview* ShowPrintPreview(QWidget* parent, std::shared_ptr<const render::PaintedDocument> document,
                                   const QString& title, PrintPreviewOptions options);

}  // namespace quorvan::app
