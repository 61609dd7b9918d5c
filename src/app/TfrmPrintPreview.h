#pragma once
// The print preview of the forms: the sheets the print engine paints, one under the other, with
// page and zoom controls. From it the forms go to a printer (the printer dialog: range, current
// page, copies, two-sided where the printer has it), to a PDF file, or to the word processor.
// The forms are those of the moment the preview was made; Escape closes it.

#include "PageToolBar.h"

#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>

class QPrinter;

namespace quorvan::render {
class PaintedDocument;
}  // namespace quorvan::render

namespace quorvan::app {

class Prompts;
class SheetView;

struct PrintPreviewOptions {
    // File dialogs and warnings; null: the real dialogs.
    Prompts* prompts = nullptr;
    // Where Save as PDF starts, and the name it suggests.
    QString saveFolder;
    QString suggestedName;
    // Adds "Open in Word Processor", which runs this.
    std::function<void()> openInWordProcessor;
};

class TfrmPrintPreview : public QMainWindow {
    Q_OBJECT
public:
    TfrmPrintPreview(const QString& title, std::shared_ptr<const render::PaintedDocument> document,
                     PrintPreviewOptions options, QWidget* parent = nullptr);
    ~TfrmPrintPreview() override;

    int PageCount() const;
    int CurrentPage() const;  // from 0
    void GoToPage(int page);  // from 0
    SheetView* View() const { return view_; }
    const render::PaintedDocument& Document() const { return *document_; }

    // Paints the sheets the printer's range asks for on `printer`. Errors: false with a
    // sentence for the preparer in `error`.
    bool PrintTo(QPrinter& printer, QString& error);

    void PrintClick();
    void SaveAsPdfClick();

protected:
    // Escape closes the window, as it closes the program's dialogs.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ZoomBy(double factor);
    void ShowZoom();
    Prompts& Ask();

    std::shared_ptr<const render::PaintedDocument> document_;
    PrintPreviewOptions options_;
    std::unique_ptr<Prompts> ownPrompts_;
    SheetView* view_ = nullptr;
    PageToolBar tools_;
};

// Shows the forms in a new preview window over `parent`; the window deletes itself when closed.
TfrmPrintPreview* ShowPrintPreview(QWidget* parent, std::shared_ptr<const render::PaintedDocument> document,
                                   const QString& title, PrintPreviewOptions options);

}  // namespace quorvan::app
