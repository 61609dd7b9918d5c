#pragma once
// The forms of a return as the program paints them: every sheet of the chosen pages with the
// answers as they stood when the document was made, so a preview keeps showing what was chosen
// while the return changes on. Paints one sheet at a time on any device (a widget, an image, a
// PDF writer, a printer), so a preview can show the first sheet before the others are painted.

#include "print/PaintedPage.h"

#include <QRectF>

#include <memory>
#include <string>
#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace quorvan::render {

class PaintedDocument {
public:
    // Errors: false with `error` for the preparer (a layout file missing or damaged).
    bool Build(const TAnswer& answers, const std::vector<PrintPage>& pages, std::shared_ptr<PaintedLayouts> layouts,
               std::string& error);

    int SheetCount() const { return static_cast<int>(sheets_.size()); }
    const SheetToPaint& Sheet(int index) const { return sheets_.at(index).sheet; }

    // Paints sheet `index` (from 0) scaled onto `target`, in the painter's coordinates.
    void Paint(QPainter& painter, int index, const QRectF& target) const;

    // Paints the sheets `indexes` in their order on the pages of `device` (a PDF writer or a
    // printer whose coordinates start at the paper's corner), `copies` times over.
    // Errors: false when the device cannot be painted on.
    bool PaintOn(QPagedPaintDevice& device, const std::vector<int>& indexes, int copies = 1) const;

private:
    struct InkedSheet {
        SheetToPaint sheet;
        std::vector<FieldInk> ink;
    };
    std::shared_ptr<PaintedLayouts> layouts_;
    std::vector<InkedSheet> sheets_;
};

// Where a Letter sheet stands on the page of `device`: at its size from the corner of Letter
// paper, shrunk to fit and centred on smaller paper.
QRectF SheetOnPage(const QPaintDevice& device);

// Every sheet of the document, in order: 0, 1, ..., count - 1.
std::vector<int> AllSheets(const PaintedDocument& document);

// The document as a PDF file at `path`, written through the program's one safe writer (a new
// file readable by its owner only). Errors: false with `error` for the preparer.
bool WritePdf(const PaintedDocument& document, const std::string& path, const std::string& title, std::string& error);

// The document as PDF bytes. Errors: false with `error`.
bool PdfBytes(const PaintedDocument& document, const std::string& title, std::string& bytes, std::string& error);

}  // namespace quorvan::render
