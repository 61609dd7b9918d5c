#pragma once
// Export PDF: the print document converted by LibreOffice run headless, with a profile of its own
// so it neither needs nor disturbs a LibreOffice the preparer has open. Waits for it.

#include <QString>

#include <string>

namespace quorvan::app {

// How long a conversion may take before it is given up (a first start of LibreOffice with a
// fresh profile takes several seconds).
constexpr int kPdfConversionTimeoutMs = 120000;

// Writes `document` as PDF to `target` (replacing it) with the LibreOffice program `soffice`.
// Errors: false with a sentence for the preparer in `error`.
bool ExportPdf(const std::string& document, const QString& soffice, const QString& target, QString& error);

}  // namespace quorvan::app
