#pragma once
// The Help menu: the help pages and the tutorial installed below the program folder, the manual
// "quorvan_16.pdf" in the program folder, and the IRS publications of the PDF folder, each opened
// with the desktop's application for it.

#include <QString>

namespace quorvan::app {

class TfrmMain;

class HelpCommands {
public:
    explicit HelpCommands(TfrmMain& window) : window_(window) {}

    void TableofContentsClick();
    void TutorialClick();
    void ManualClick();
    void PDFClick();

private:
    // Opens a document; a missing, unreadable or unopenable one gets a warning naming why.
    void OpenDocument(const QString& path);
    QString ProgramFolder() const;

    TfrmMain& window_;
};

}  // namespace quorvan::app
