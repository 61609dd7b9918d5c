#pragma once
// Preview and Print, Print Preview, Export PDF and the word-processor commands of the main
// window: the print selection dialog, the print file built from the chosen pages and handed to
// the word processor (LibreOffice Writer as "Word", the desktop's RTF application as "WordPad")
// with the preview offered when that fails, the forms painted by the print engine for the preview
// and for PDF files (no word processor needed), the WordPad margins in the program's registry
// file, and Find Word's search.

#include "print/RtfMerge.h"
#include "print/WordProcessor.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace quorvan {
class PaintedLayouts;
namespace render {
class PaintedDocument;
}  // namespace render
}  // namespace quorvan

namespace quorvan::app {

class CommandHost;
struct ProgramEnd;

// What the print knows of the word processors.
struct WordProcessors {
    bool wordFound = false;  // Writer was installed at start-up
    QString writerPath;      // where start-up found it
    QString wordPath;        // what Find Word found; empty until then
    // The folders Find Word searches, in order, and the file it looks for.
    QStringList searchFolders{QStringLiteral("/usr/lib/"), QStringLiteral("/opt/")};
    QString searchedFile = QStringLiteral("soffice");
    // How long a started Writer is watched for an end with an error (see HandToWordProcessor).
    int watchMs = 15000;
};

class PrintCommands {
public:
    explicit PrintCommands(CommandHost& window);
    ~PrintCommands();

    // Start-up, once the folders are known: looks for Writer, and makes the registry file with
    // the WordPad options key when there is none yet, as WordPad does on its first run, so the
    // margins can be written without message 2140 at every print.
    void FormCreate();

    void PrintSelectedForms();
    void PrintPreviewClick();
    void ExportPdfClick();
    void ForceWordClick();
    void ForceWordPadClick();
    void FindWordClick();

    WordProcessors& Word() { return word_; }
    // The program's own registry file (the WordPad margins), in the settings folder.
    QString RegistryPath() const;

private:
    enum class Answer { None, Ok, Preview };
    // Shows the selection dialog with the return's defaults, its OK button captioned `command`
    // and, when `offerPreview`, its Print Preview button; None when it is closed or nothing is
    // ticked.
    Answer AskSelection(const QString& command, bool offerPreview, PrintSelection& selection);
    // The forms as they stand now: the RTF document of the word processor and the painted sheets.
    struct Forms {
        std::string rtf;
        bool rtfBuilt = false;
        std::shared_ptr<const render::PaintedDocument> painted;
    };
    // Recalculates with the page stored first; the pages of the selection.
    std::vector<PrintPage> RecalculatedPages(const PrintSelection& selection);
    // The RTF document of `pages`. False with the merge's messages shown.
    bool BuildDocument(const std::vector<PrintPage>& pages);
    // The painted sheets of `pages`; null when a print layout is missing, the reason shown when
    // `reportFailure`.
    std::shared_ptr<const render::PaintedDocument> PaintForms(const std::vector<PrintPage>& pages, bool reportFailure);
    void HandToWordProcessor(const Forms& forms);
    void ReportEarlyEnd(const QString& program, const ProgramEnd& end, const Forms& forms);
    // Says why the word processor does not show the forms and offers the preview instead.
    void OfferPreviewInstead(const QString& reason, const Forms& forms);
    // Shows the painted forms in a preview window; its Open in Word Processor hands over the
    // same forms.
    void ShowPreview(const Forms& forms);
    QString SuggestedPdfName() const;
    // Where the PDF dialogs start: the folder of the open return, or the client-file folder for
    // a return not saved yet.
    QString ReturnFolder() const;
    WordProcessorChoice Choice() const;
    QString WriterProgram() const;
    TRtfMerge& Merge();

    CommandHost& window_;
    WordProcessors word_;
    std::unique_ptr<TRtfMerge> merge_;         // kept: the current font size runs on from print to print
    std::shared_ptr<PaintedLayouts> layouts_;  // read once, shared by every preview
};

}  // namespace quorvan::app
