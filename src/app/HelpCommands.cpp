#include "HelpCommands.h"

#include "DesktopShell.h"
#include "MainWindow.h"
#include "files/Folders.h"
#include "print/HelpPages.h"

#include <QFileInfo>

namespace quorvan::app {
namespace {

// The desktop's reasons for not opening a document, in the words the program has always used.
const QString kFileNotFound = QStringLiteral("The specified file was not found.");
const QString kAccessDenied = QStringLiteral("The operating system denied access to the specified file.");
const QString kNoApplication = QStringLiteral("There is no application associated with the given filename extension.");

}  // namespace

QString HelpCommands::ProgramFolder() const
{
    return QString::fromStdString(window_.Folders().ProgramFolder);
}

// The help pages say nothing when they cannot be opened: the desktop shows its own report.
void HelpCommands::TableofContentsClick()
{
    window_.Shell().OpenDocument(QString::fromStdString(HelpPagePath(ProgramFolder().toStdString(), kHelpContentsPage)));
}

void HelpCommands::TutorialClick()
{
    window_.Shell().OpenDocument(QString::fromStdString(HelpPagePath(ProgramFolder().toStdString(), kHelpTutorialPage)));
}

void HelpCommands::ManualClick()
{
    OpenDocument(QString::fromStdString(JoinPath(window_.Folders().ProgramFolder, kManualFileName)));
}

void HelpCommands::PDFClick()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Open IRS Publication Dialog");
    request.folder = QString::fromStdString(WithTrailingSeparator(window_.Folders().PdfFolder));
    request.suggestedName = QStringLiteral("*.PDF");
    request.filter = QStringLiteral("IRS Publications (*.pdf *.PDF)");
    request.defaultSuffix = QStringLiteral("PDF");
    const QString chosen = window_.Ask().OpenFileName(&window_, request);
    if (!chosen.isEmpty())
        OpenDocument(chosen);
}

void HelpCommands::OpenDocument(const QString& path)
{
    const QFileInfo file(path);
    QString problem;
    if (!file.exists())
        problem = kFileNotFound;
    else if (!file.isReadable())
        problem = kAccessDenied;
    else if (!window_.Shell().OpenDocument(path))
        problem = kNoApplication;
    if (!problem.isEmpty())
        window_.Ask().Warn(&window_, problem);
}

}  // namespace quorvan::app
