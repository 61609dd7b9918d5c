#pragma once
// Preview and Print, Export PDF and the word-processor commands of the main window: the print
// selection dialog, the document built from the chosen pages, the print file handed to the word
// processor (LibreOffice Writer as "Word", the desktop's RTF application as "WordPad"), the
// WordPad margins in the program's registry file, and Find Word's search.

#include "print/RtfMerge.h"
#include "print/WordProcessor.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace quorvan::app {

class TfrmMain;

// What the print knows of the word processors.
struct WordProcessors {
    bool wordFound = false;  // Writer was installed at start-up
    QString writerPath;      // where start-up found it
    QString wordPath;        // what Find Word found; empty until then
    // The folders Find Word searches, in order, and the file it looks for.
    QStringList searchFolders{QStringLiteral("/usr/lib/"), QStringLiteral("/opt/")};
    QString searchedFile = QStringLiteral("soffice");
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
    void ExportPdfClick();
    void ForceWordClick();
    void ForceWordPadClick();
    void FindWordClick();

    WordProcessors& Word() { return word_; }
    // The program's own registry file (the WordPad margins), in the settings folder.
    QString RegistryPath() const;

private:
    // Shows the selection dialog with the return's defaults, its OK button captioned `command`;
    // false when it is closed or nothing is ticked.
    bool AskSelection(const QString& command, PrintSelection& selection);
    // Recalculates with the page stored first, then builds the document of the selection.
    // False with the merge's messages shown.
    bool BuildDocument(const PrintSelection& selection);
    void HandToWordProcessor();
    WordProcessorChoice Choice() const;
    QString WriterProgram() const;
    TRtfMerge& Merge();

    TfrmMain& window_;
    WordProcessors word_;
    std::unique_ptr<TRtfMerge> merge_;  // kept: the current font size runs on from print to print
};

}  // namespace quorvan::app
