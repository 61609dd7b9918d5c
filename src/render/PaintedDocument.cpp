#include "render/PaintedDocument.h"

#include "files/AtomicFile.h"
#include "render/SheetPainter.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace quorvan::render {
namespace {

// The PDF's own units are twips, so a sheet needs no scaling there.
constexpr int kPdfResolution = 1440;

}  // namespace

bool PaintedDocument::Build(const TAnswer& answers, const std::vector<PrintPage>& pages,
                            std::shared_ptr<PaintedLayouts> layouts, std::string& error)
{
    sheets_.clear();
    layouts_ = std::move(layouts);
    std::vector<SheetToPaint> sheets;
    if (!layouts_ || !SheetsToPaint(pages, *layouts_, sheets, error))
        return false;
    sheets_.reserve(sheets.size());
    for (const SheetToPaint& sheet : sheets)
        sheets_.push_back(
            {sheet, InkOfSheet(sheet.layout->sheets.at(sheet.sheet), answers, sheet.formType, sheet.page)});
    return true;
}

void PaintedDocument::Paint(QPainter& painter, int index, const QRectF& target) const
{
    const InkedSheet& inked = sheets_.at(index);
    painter.save();
    painter.setTransform(TwipsTransform(target), true);
    painter.fillRect(QRectF(0, 0, kSheetWidthTwips, kSheetHeightTwips), Qt::white);
    PaintSheet(painter, inked.sheet.layout->sheets.at(inked.sheet.sheet), inked.ink);
    painter.restore();
}

bool PaintedDocument::PaintOn(QPagedPaintDevice& device, const std::vector<int>& indexes, int copies) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QRectF page = SheetOnPage(device);
    bool first = true;
    for (int copy = 0; copy < copies; ++copy) {
        for (int index : indexes) {
            if (!first && !device.newPage()) {
                painter.end();
                return false;
            }
            first = false;
            Paint(painter, index, page);
        }
    }
    return painter.end();
}

QRectF SheetOnPage(const QPaintDevice& device)
{
    // The sheet at its own size; on paper smaller than Letter it is shrunk to fit, centred.
    QSizeF size(8.5 * device.logicalDpiX(), 11.0 * device.logicalDpiY());
    const QSizeF paper(device.width(), device.height());
    if (size.width() > paper.width() || size.height() > paper.height())
        size.scale(paper, Qt::KeepAspectRatio);
    return QRectF(QPointF((paper.width() - size.width()) / 2, (paper.height() - size.height()) / 2), size);
}

std::vector<int> AllSheets(const PaintedDocument& document)
{
    std::vector<int> indexes(document.SheetCount());
    for (int i = 0; i < document.SheetCount(); ++i)
        indexes[i] = i;
    return indexes;
}

bool PdfBytes(const PaintedDocument& document, const std::string& title, std::string& bytes, std::string& error)
{
    if (document.SheetCount() == 0) {
        error = "There is no form to write.";
        return false;
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF()));
        writer.setTitle(QString::fromStdString(title));
        writer.setCreator(QStringLiteral("Quorvan_16"));
        if (!document.PaintOn(writer, AllSheets(document))) {
            error = "The forms could not be painted as PDF.";
            return false;
        }
    }
    bytes.assign(buffer.data().constData(), static_cast<size_t>(buffer.data().size()));
    return true;
}

bool WritePdf(const PaintedDocument& document, const std::string& path, const std::string& title, std::string& error)
{
    std::string bytes;
    return PdfBytes(document, title, bytes, error) && WriteFileAtomically(path, bytes, error);
}

}  // namespace quorvan::render
