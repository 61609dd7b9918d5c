#pragma once
// Preview and Print, Print Preview, Export PDF and the word-processor commands of the main
// window: the print selection dialog, the document built from the chosen pages, the print file
// handed to the word processor (LibreOffice Writer as "Word", the desktop's RTF application as
// "WordPad") with the preview offered when that fails, the preview window of the converted
// document, the WordPad margins in the program's registry file, and Find Word's search.

#include "print/RtfMerge.h"
#include "print/WordProcessor.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace quorvan::app {

class TfrmMain;
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
    explicit PrintCommands(TfrmMain& window);
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
    // Recalculates with the page stored first, then builds the document of the selection.
    // False with the merge's messages shown.
    bool BuildDocument(const PrintSelection& selection);
    void HandToWordProcessor(const std::string& document);
    void ReportEarlyEnd(const QString& program, const ProgramEnd& end, const std::string& document);
    // Says why the word processor does not show the forms and offers the preview instead, when
    // LibreOffice is there to convert them.
    void OfferPreviewInstead(const QString& reason, const std::string& document);
    // Converts the document, with a progress window, and shows it in a preview window.
    void ShowPreview(const std::string& document);
    bool CanConvert() const;
    QString SuggestedPdfName() const;
    WordProcessorChoice Choice() const;
    QString WriterProgram() const;
    TRtfMerge& Merge();

    TfrmMain& window_;
    WordProcessors word_;
    std::unique_ptr<TRtfMerge> merge_;  // kept: the current font size runs on from print to print
    bool converting_ = false;           // a conversion waits in its own event loop
};

}  // namespace quorvan::app
