#pragma once
// The print document as PDF: converted by LibreOffice run headless, with a profile of its own so
// it neither needs nor disturbs a LibreOffice the preparer has open. The window stays alive while
// it converts, behind a progress window whose Cancel button stops the conversion.

#include <QString>

#include <memory>
#include <string>

class QTemporaryDir;
class QWidget;

namespace quorvan::app {

// How long a conversion may take before it is given up (a first start of LibreOffice with a
// fresh profile takes several seconds).
constexpr int kPdfConversionTimeoutMs = 120000;

// A converted document: the PDF file in a scratch folder that is removed with its last owner.
struct ConvertedPdf {
    std::shared_ptr<QTemporaryDir> folder;
    QString path;
};

// Converts `document` with the LibreOffice program `soffice`, showing `caption` in a progress
// window over `parent` until it is done. Errors: false with a sentence for the preparer in
// `error`; false with `error` empty when the preparer cancelled.
bool ConvertToPdf(QWidget* parent, const std::string& document, const QString& soffice, const QString& caption,
                  ConvertedPdf& pdf, QString& error);

// Copies `from` over `target`: written beside the target first and renamed over it, so a
// failure leaves an earlier file whole. Errors: false with a sentence in `error`.
bool CopyFileInPlace(const QString& from, const QString& target, QString& error);

}  // namespace quorvan::app
