#include "PrintCommands.h"

#include "BusyCursor.h"
#include "DesktopShell.h"
#include "MainWindow.h"
#include "PdfExport.h"
#include "ProgressDlg.h"
#include "SelectedFormsDlg.h"
#include "WordSearch.h"
#include "files/Folders.h"

#include <QFileInfo>

namespace quorvan::app {
namespace {

constexpr char kRegistryFileName[] = "registry.ini";
// The program the core names for "WordPad": the desktop's opener, which the shell seam stands for.
constexpr char kDesktopOpener[] = "xdg-open";

QString ToQt(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

PrintCommands::PrintCommands(TfrmMain& window) : window_(window) {}

PrintCommands::~PrintCommands() = default;

void PrintCommands::FormCreate()
{
    word_.writerPath = ToQt(FindWriter());
    word_.wordFound = !word_.writerPath.isEmpty();
    word_.wordPath.clear();
    if (!QFileInfo::exists(RegistryPath()))
        CreateRegistryKey(RegistryPath().toStdString(), kWordPadOptionsKey);
}

QString PrintCommands::RegistryPath() const
{
    return ToQt(JoinPath(window_.Folders().SettingsFolder, kRegistryFileName));
}

TRtfMerge& PrintCommands::Merge()
{
    if (!merge_)
        merge_ = std::make_unique<TRtfMerge>(PrintFolders{window_.Folders().RtfFolder, window_.Folders().DatFolder});
    return *merge_;
}

bool PrintCommands::AskSelection(const QString& command, PrintSelection& selection)
{
    if (!window_.Store())
        return false;
    window_.CommitEditedField();
    TfrmSelectedForms dialog(DefaultSelection(*window_.Store()), &window_);
    dialog.SetOkCaption(command);
    if (window_.Ask().RunDialog(dialog) != QDialog::Accepted)
        return false;
    selection = dialog.Selection();
    if (selection.Empty()) {
        window_.Ask().Warn(&window_, QStringLiteral("No form is ticked, so there is nothing to print."));
        return false;
    }
    return true;
}

bool PrintCommands::BuildDocument(const PrintSelection& selection)
{
    window_.Recalculate(true);
    BusyCursor busy;
    return Merge().BuildDocument(PagesToPrint(selection, *window_.Store()));
}

void PrintCommands::PrintSelectedForms()
{
    if (!window_.ConfirmPrintWithReviewErrors())
        return;
    PrintSelection selection;
    if (!AskSelection(QStringLiteral("Preview/Print"), selection) || !BuildDocument(selection))
        return;
    HandToWordProcessor();
}

WordProcessorChoice PrintCommands::Choice() const
{
    WordProcessorChoice choice;
    choice.wordFound = word_.wordFound;
    choice.writerPath = WriterProgram().toStdString();
    choice.forceWord = window_.Preferences().ForceWord;
    choice.forceWordPad = window_.Preferences().ForceWordPad;
    return choice;
}

// Find Word's result, where there is one, beats start-up's: the preparer asked for it.
QString PrintCommands::WriterProgram() const
{
    return word_.wordPath.isEmpty() ? word_.writerPath : word_.wordPath;
}

void PrintCommands::HandToWordProcessor()
{
    const std::string tempFolder = WithTrailingSeparator(window_.Folders().TempFolder);
    LaunchCommand command;
    std::string error;
    if (!SendDocument(Merge().Document(), tempFolder, Choice(), RegistryPath().toStdString(), command, error)) {
        window_.Ask().Warn(&window_, ToQt(error));
        return;
    }
    bool started = false;
    if (command.program == kDesktopOpener && command.arguments.size() == 1)
        started = window_.Shell().OpenDocument(ToQt(JoinPath(command.workingFolder, command.arguments.front())));
    else
        started = window_.Shell().StartProgram(command);
    ReportWordProcessorStart(started);
}

void PrintCommands::ExportPdfClick()
{
    if (!window_.ConfirmPrintWithReviewErrors())
        return;
    PrintSelection selection;
    if (!AskSelection(QStringLiteral("Export PDF"), selection))
        return;
    FileDialogRequest request;
    request.title = QStringLiteral("Export PDF");
    request.folder = ToQt(WithTrailingSeparator(window_.Folders().ClientFileFolder));
    request.suggestedName = ToQt(WithoutExtension(FileNamePart(window_.State().ClientFileName.toStdString()))) +
                            QStringLiteral(".pdf");
    request.filter = QStringLiteral("PDF Files (*.pdf)");
    request.defaultSuffix = QStringLiteral("pdf");
    const QString target = window_.Ask().SaveFileName(&window_, request);
    if (target.isEmpty() || !BuildDocument(selection))
        return;

    const QString soffice = WriterProgram();
    if (soffice.isEmpty()) {
        window_.Ask().Warn(&window_, QStringLiteral("LibreOffice is needed to save the forms as PDF and was not found. "
                                                    "Install LibreOffice Writer, or use Options > Find Word."));
        return;
    }
    QString error;
    bool exported = false;
    {
        BusyCursor busy;
        exported = ExportPdf(Merge().Document(), soffice, target, error);
    }
    if (!exported)
        window_.Ask().Warn(&window_, error);
}

void PrintCommands::ForceWordClick()
{
    window_.Preferences().ForceWord = !window_.Preferences().ForceWord;
    window_.UpdateMenuItems();
}

void PrintCommands::ForceWordPadClick()
{
    window_.Preferences().ForceWordPad = !window_.Preferences().ForceWordPad;
    window_.UpdateMenuItems();
}

void PrintCommands::FindWordClick()
{
    if (!word_.wordPath.isEmpty()) {
        word_.wordPath.clear();
        window_.State().WordProcessorFound = false;
        window_.UpdateMenuItems();
        return;
    }
    {
        TfrmProgress progress(QStringLiteral("Please Wait. Searching for MS Word."), &window_);
        progress.show();
        progress.KeepAlive();
        BusyCursor busy;
        std::vector<std::string> roots;
        for (const QString& folder : word_.searchFolders)
            roots.push_back(folder.toStdString());
        int entries = 0;
        word_.wordPath = ToQt(FindFileInFolders(roots, word_.searchedFile.toStdString(), [&] {
            if (++entries % 256 == 0)
                progress.KeepAlive();
        }));
    }
    window_.State().WordProcessorFound = !word_.wordPath.isEmpty();
    window_.Ask().Inform(&window_, word_.wordPath.isEmpty() ? QStringLiteral("Did not find Word installation.")
                                                            : QStringLiteral("Found Word installation."));
    window_.UpdateMenuItems();
}

}  // namespace quorvan::app
