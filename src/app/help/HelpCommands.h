#pragma once
// The Help menu: the help pages and the tutorial installed below the program folder, shown in the
// program's own help window; the manual "quorvan_16.pdf" of the program folder and the IRS
// publications of the PDF folder, shown through ShowPdf. Whatever cannot be opened is reported
// with the name of its file.

#include <QPointer>
#include <QString>

#include <string>

class QUrl;

namespace quorvan::app {

class HelpWindow;
class CommandHost;

class HelpCommands {
public:
    explicit HelpCommands(CommandHost& window) : window_(window) {}
    ~HelpCommands();
    HelpCommands(const HelpCommands&) = delete;
    HelpCommands& operator=(const HelpCommands&) = delete;

    void TableofContentsClick();
    void TutorialClick();
    void ManualClick();
    void PDFClick();

    // Shows a page of the installed help (a name of print/HelpPages.h) in the help window.
    void ShowHelpPage(const std::string& page);
    // Shows any local HTML page (the index of the PDF folder) in the help window.
    void ShowHelpFile(const QString& path);
    // The one way a PDF reaches the preparer: the manual and the IRS publications.
    void ShowPdf(const QString& pdfPath, const QString& title);

    // The help window once it has been opened, else null.
    HelpWindow* Window() const;

private:
    HelpWindow& HelpWindowForNow();
    // Opens a local document with the desktop's application for it.
    void OpenDocument(const QString& path);
    void OpenWebAddress(const QUrl& address);
    // False, after a warning naming the file, when the file is missing or cannot be read.
    bool ReadableOrReported(const QString& path);
    void Report(const QString& problem, const QString& what);
    QString ProgramFolder() const;

    CommandHost& window_;
    QPointer<HelpWindow> help_;
};

}  // namespace quorvan::app
