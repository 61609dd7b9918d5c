#pragma once
// What the program's page windows share: the print preview of the forms (TfrmPrintPreview) and
// the PDF viewer of the manual and the publications (TfrmPdfPreview). The page toolbar wired to
// the window's pages and zoom; the printer dialog and printing the pages its range asks for; Save
// as PDF's file dialog; Escape to close; the window's size and showing it. Each window says what
// its pages are and how they are painted, zoomed and saved.

#include "app/print/PageToolBar.h"

#include <QMainWindow>
#include <QString>

#include <memory>
#include <vector>

class QPrinter;

namespace quorvan::app {

class Prompts;

struct PageWindowOptions {
    // File dialogs and warnings; null: the real dialogs.
    Prompts* prompts = nullptr;
    // Where Save as PDF starts, and the name it suggests (the window's own when empty).
    QString saveFolder;
    QString suggestedName;
};

class PageWindow : public QMainWindow {
    Q_OBJECT
public:
    ~PageWindow() override;

    virtual int PageCount() const = 0;
    virtual int CurrentPage() const = 0;  // from 0
    virtual void GoToPage(int page) = 0;  // from 0
    // The scale of the pages on screen (1 = actual size), fitted views included.
    virtual double ShownZoom() const = 0;

    // Sends the pages the printer's range asks for (every page, a range or the page shown), with
    // the copies the printer cannot make itself, to `printer`. Errors: false with a sentence for
    // the preparer in `error`.
    bool PrintTo(QPrinter& printer, QString& error);

    void PrintClick();
    void SaveAsPdfClick();

protected:
    enum class Fit { None, Width, WholePage };

    PageWindow(const QString& title, const QString& objectName, const PageWindowOptions& options, QWidget* parent);

    // Adds the toolbar and connects Print, Save as PDF, the page controls and the zoom controls.
    void AddToolBar(bool offerWordProcessor);
    const PageToolBar& Tools() const { return tools_; }
    // Shows the page count, the page shown (from 0) and the zoom on the toolbar.
    void ShowPageCount();
    void ShowPageNumber(int page);
    void ShowZoom();
    Prompts& Ask();

    // Sets the printer up before the printer dialog shows it.
    virtual void PreparePrinter(QPrinter& printer);
    // Paints `pages` (from 0, in order, a page again for each copy) on the printer, whose
    // coordinates start at the paper's corner. Errors: false when the printer cannot be painted on.
    virtual bool PaintPages(QPrinter& printer, const std::vector<int>& pages) = 0;
    // Writes the pages as the PDF file `target`. Errors: false with a sentence in `error`.
    virtual bool SavePdf(const QString& target, QString& error) = 0;
    virtual QString OwnPdfName() const { return QString(); }
    // The zoom: a scale of the caller's choice, or a fitted view.
    virtual void SetZoom(double scale) = 0;
    virtual void FitPages(Fit fit) = 0;
    virtual Fit ShownFit() const = 0;

    // Escape closes the window, as it closes the program's dialogs.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ZoomBy(double factor);

    PageWindowOptions options_;
    std::unique_ptr<Prompts> ownPrompts_;
    PageToolBar tools_;
};

// Shows `window` over its parent, in front; it deletes itself when closed.
void ShowPageWindow(PageWindow& window);

}  // namespace quorvan::app
