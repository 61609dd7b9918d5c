#include "app/help/HelpCommands.h"

#include "app/commands/CommandHost.h"
#include "app/dialogs/Prompts.h"
#include "app/files/DesktopShell.h"
#include "app/help/HelpWindow.h"
#include "app/print/TfrmPdfPreview.h"
#include "files/Folders.h"
#include "files/Settings.h"
#include "print/HelpPages.h"
#include "store/Answers.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QUrl>

namespace quorvan::app {
namespace {

// The desktop's reasons for not opening a document, in the words the program has always used.
const QString kFileNotFound = QStringLiteral("The specified file was not found.");
const QString kAccessDenied = QStringLiteral("The operating system denied access to the specified file.");
const QString kNoApplication = QStringLiteral("There is no application associated with the given filename extension.");
const QString kNoBrowser = QStringLiteral("No web browser could be started for this address.");

bool IsHtml(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("htm") || suffix == QLatin1String("html");
}

bool IsPdf(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0;
}

}  // namespace

HelpCommands::~HelpCommands()
{
    delete help_;
}

HelpWindow* HelpCommands::Window() const
{
    return help_;
}

QString HelpCommands::ProgramFolder() const
{
    return QString::fromStdString(window_.Folders().ProgramFolder);
}

void HelpCommands::TableofContentsClick()
{
    ShowHelpPage(kHelpContentsPage);
}

void HelpCommands::TutorialClick()
{
    ShowHelpPage(kHelpTutorialPage);
}

void HelpCommands::ManualClick()
{
    ShowPdf(QString::fromStdString(JoinPath(window_.Folders().ProgramFolder, kManualFileName)),
            QStringLiteral("Quorvan_16 Manual"));
}

void HelpCommands::PDFClick()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Open IRS Publication Dialog");
    request.folder = QString::fromStdString(WithTrailingSeparator(window_.Folders().PdfFolder));
    request.suggestedName = QStringLiteral("*.PDF");
    // The folder's index page lists the publications and where the IRS publishes them.
    request.filter = QStringLiteral("IRS Publications and their index (*.pdf *.PDF *.htm)");
    request.defaultSuffix = QStringLiteral("PDF");
    const QString chosen = window_.Ask().OpenFileName(window_.Widget(), request);
    if (chosen.isEmpty())
        return;
    if (IsHtml(chosen))
        ShowHelpFile(chosen);
    else
        ShowPdf(chosen, QFileInfo(chosen).fileName());
}

void HelpCommands::ShowHelpPage(const std::string& page)
{
    ShowHelpFile(QString::fromStdString(HelpPagePath(ProgramFolder().toStdString(), page)));
}

void HelpCommands::ShowHelpFile(const QString& path)
{
    if (!ReadableOrReported(path))
        return;
    HelpWindow& help = HelpWindowForNow();
    help.ShowPage(QUrl::fromLocalFile(path));
    help.show();
    help.raise();
    help.activateWindow();
}

// In the program's own PDF window, so that no PDF viewer need be installed.
void HelpCommands::ShowPdf(const QString& pdfPath, const QString& title)
{
    if (!ReadableOrReported(pdfPath))
        return;
    PdfPreviewOptions options;
    options.prompts = &window_.Ask();
    ShowPdfPreview(window_.Widget(), pdfPath, title, options);
}

HelpWindow& HelpCommands::HelpWindowForNow()
{
    // Under a modal dialog (the "?" of Shrink Font) only the dialog's own windows take input.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = window_.Widget();
    if (!help_) {
        const QString contents = QString::fromStdString(HelpPagePath(ProgramFolder().toStdString(), kHelpContentsPage));
        help_ = new HelpWindow(contents, owner);
        QObject::connect(help_, &HelpWindow::pageMissing, help_,
                         [this](const QString& path) { Report(kFileNotFound, path); });
        QObject::connect(help_, &HelpWindow::webAddressChosen, help_,
                         [this](const QUrl& address) { OpenWebAddress(address); });
        QObject::connect(help_, &HelpWindow::documentChosen, help_, [this](const QString& path) {
            if (IsPdf(path))
                ShowPdf(path, QFileInfo(path).fileName());
            else if (ReadableOrReported(path))
                OpenDocument(path);
        });
    } else if (help_->parentWidget() != owner) {
        help_->setParent(owner, help_->windowFlags());
    }
    // Lent to a dialog, the window comes back to the main window when the dialog closes, instead
    // of going with it.
    if (auto* dialog = qobject_cast<QDialog*>(owner))
        QObject::connect(dialog, &QDialog::finished, help_, [this] {
            if (!help_ || help_->parentWidget() == window_.Widget())
                return;
            const bool shown = help_->isVisible();
            help_->setParent(window_.Widget(), help_->windowFlags());
            if (shown)
                help_->show();
        });
    return *help_;
}

void HelpCommands::OpenDocument(const QString& path)
{
    if (!window_.Shell().OpenDocument(path))
        Report(kNoApplication, path);
}

void HelpCommands::OpenWebAddress(const QUrl& address)
{
    if (!window_.Shell().OpenUrl(address))
        Report(kNoBrowser, address.toString());
}

bool HelpCommands::ReadableOrReported(const QString& path)
{
    const QFileInfo file(path);
    if (!file.isFile()) {
        Report(kFileNotFound, path);
        return false;
    }
    if (!file.isReadable()) {
        Report(kAccessDenied, path);
        return false;
    }
    return true;
}

void HelpCommands::Report(const QString& problem, const QString& what)
{
    QWidget* parent = help_ && help_->isVisible() ? static_cast<QWidget*>(help_) : window_.Widget();
    window_.Ask().Warn(parent, problem + QStringLiteral("\n\n") + what);
}

}  // namespace quorvan::app
