#include "app/print/PrinterOutput.h"

#include "files/AtomicFile.h"
#include "files/ScratchFolder.h"

#include <QFile>
#include <QPrinter>

#include <algorithm>

namespace quorvan::app {

std::vector<int> PagesInRange(const QPrinter& printer, int count, int current)
{
    if (count <= 0)
        return {};
    int first = 0;
    int last = count - 1;
    if (printer.printRange() == QPrinter::PageRange) {
        first = std::max(printer.fromPage(), 1) - 1;
        last = std::min(printer.toPage() > 0 ? printer.toPage() : count, count) - 1;
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        first = last = std::clamp(current, 0, count - 1);
    }
    std::vector<int> pages;
    for (int page = first; page <= last; ++page)
        pages.push_back(page);
    return pages;
}

std::vector<int> WithCopies(const std::vector<int>& pages, const QPrinter& printer)
{
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(printer.copyCount(), 1);
    std::vector<int> sent;
    if (printer.collateCopies()) {
        for (int copy = 0; copy < copies; ++copy)
            sent.insert(sent.end(), pages.begin(), pages.end());
    } else {
        for (int page : pages)
            sent.insert(sent.end(), static_cast<size_t>(copies), page);
    }
    return sent;
}

bool PrintSafely(QPrinter& printer, const std::function<bool(QPrinter&)>& paint, QString& error)
{
    const QString target = printer.outputFileName();
    if (printer.outputFormat() != QPrinter::PdfFormat || target.isEmpty()) {
        if (!paint(printer)) {
            error = QStringLiteral("The printer %1 could not be started.").arg(printer.printerName());
            return false;
        }
        return true;
    }
    // A scratch folder of the program's own: one a killed print left is removed by the next.
    const ScratchFolder scratch("print");
    if (scratch.Path().empty()) {
        error = QStringLiteral("No scratch folder could be made for the PDF %1.").arg(target);
        return false;
    }
    const QString scratchPdf = QString::fromStdString(scratch.Path() + "/printed.pdf");
    printer.setOutputFileName(scratchPdf);
    const bool painted = paint(printer);
    printer.setOutputFileName(target);
    QFile file(scratchPdf);
    if (!painted || !file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("The PDF %1 could not be written.").arg(target);
        return false;
    }
    const QByteArray bytes = file.readAll();
    std::string writeError;
    if (!WriteFileAtomically(target.toStdString(), std::string(bytes.constData(), bytes.size()), writeError)) {
        error = QString::fromStdString(writeError);
        return false;
    }
    return true;
}

}  // namespace quorvan::app
