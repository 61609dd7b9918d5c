#include "PrintCommands.h"

#include "BusyCursor.h"
#include "DesktopShell.h"
#include "MainWindow.h"
#include "PdfExport.h"
#include "ProgramWatch.h"
#include "TfrmPdfPreview.h"
#include "TfrmProgress.h"
#include "TfrmSelectedForms.h"
#include "WordSearch.h"
#include "files/Folders.h"

#include <QFileInfo>

#include <cstring>

namespace quorvan::app {
namespace {

constexpr char kRegistryFileName[] = "registry.ini";
// The program the core names for "WordPad": the desktop's opener, which the shell seam stands for.
constexpr char kDesktopOpener[] = "xdg-open";

QString ToQt(const std::string& text) { return QString::fromStdString(text); }

const QString kPreviewPrint = QStringLiteral("Preview/Print");
const QString kPrintPreview = QStringLiteral("Print Preview");
const QString kLibreOfficeNeeded = QStringLiteral("Install LibreOffice Writer, or use Options > Find Word.");

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

PrintCommands::Answer PrintCommands::AskSelection(const QString& command, bool offerPreview, PrintSelection& selection)
{
    if (!window_.Store())
        return Answer::None;
    window_.CommitEditedField();
    TfrmSelectedForms dialog(DefaultSelection(*window_.Store()), &window_);
    dialog.SetOkCaption(command);
    dialog.SetPreviewOffered(offerPreview);
    const int result = window_.Ask().RunDialog(dialog);
    if (result != QDialog::Accepted && result != TfrmSelectedForms::PreviewResult)
        return Answer::None;
    selection = dialog.Selection();
    if (selection.Empty()) {
        window_.Ask().Warn(&window_, QStringLiteral("No form is ticked, so there is nothing to print."));
        return Answer::None;
    }
    return result == TfrmSelectedForms::PreviewResult ? Answer::Preview : Answer::Ok;
}

bool PrintCommands::BuildDocument(const PrintSelection& selection)
{
    window_.Recalculate(true);
    BusyCursor busy;
    const TAnswer& store = *window_.Store();
    return Merge().BuildDocument(store, PagesToPrint(selection, store));
}

void PrintCommands::PrintSelectedForms()
{
    if (!window_.ConfirmPrintWithReviewErrors())
        return;
    PrintSelection selection;
    const Answer answer = AskSelection(kPreviewPrint, true, selection);
    if (answer == Answer::None || !BuildDocument(selection))
        return;
    if (answer == Answer::Preview)
        ShowPreview(Merge().Document());
    else
        HandToWordProcessor(Merge().Document());
}

void PrintCommands::PrintPreviewClick()
{
    if (!window_.ConfirmPrintWithReviewErrors())
        return;
    PrintSelection selection;
    if (AskSelection(kPrintPreview, false, selection) == Answer::None || !BuildDocument(selection))
        return;
    ShowPreview(Merge().Document());
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

// The document is handed over as it was built: a failure reported seconds later previews the
// forms the preparer asked for, whatever was printed since.
void PrintCommands::HandToWordProcessor(const std::string& document)
{
    const std::string tempFolder = WithTrailingSeparator(window_.Folders().TempFolder);
    LaunchCommand command;
    std::string error;
    if (!SendDocument(document, tempFolder, Choice(), RegistryPath().toStdString(), command, error)) {
        window_.Ask().Warn(&window_, ToQt(error));
        return;
    }
    if (command.program == kDesktopOpener && command.arguments.size() == 1) {
        const bool opened = window_.Shell().OpenDocument(ToQt(JoinPath(command.workingFolder, command.arguments.front())));
        ReportWordProcessorStart(opened);
        if (!opened)
            OfferPreviewInstead(QStringLiteral("The desktop has no application that opens the forms (RTF documents)."),
                                document);
        return;
    }
    const QString program = ToQt(command.program);
    // A LibreOffice built without windows would open the file where nobody can see it, and hold
    // it until the session ends.
    if (!WriterOpensWindows(command.program)) {
        OfferPreviewInstead(QStringLiteral("The word processor %1 is a LibreOffice built without windows, so it cannot "
                                           "show the forms. Install the package libreoffice-writer to use it.")
                                .arg(program),
                            document);
        return;
    }
    const auto ended = [this, program, document](const ProgramEnd& end) {
        if (end.Failed())
            ReportEarlyEnd(program, end, document);
    };
    const bool started = window_.Shell().StartWatched(command, word_.watchMs, ended);
    if (!started) {
        ReportWordProcessorStart(false);
        OfferPreviewInstead(QStringLiteral("The word processor %1 could not be started.").arg(program), document);
    }
}

void PrintCommands::ReportEarlyEnd(const QString& program, const ProgramEnd& end, const std::string& document)
{
    QString reason;
    switch (end.kind) {
    case ProgramEnd::Kind::NotStarted:
        ReportWordProcessorStart(false);
        reason = QStringLiteral("The word processor %1 could not be started (%2).")
                     .arg(program, QString::fromLocal8Bit(std::strerror(end.value)));
        break;
    case ProgramEnd::Kind::Signalled:
        reason = QStringLiteral("The word processor %1 stopped (signal %2) before it showed the forms.")
                     .arg(program)
                     .arg(end.value);
        break;
    default:
        reason = QStringLiteral("The word processor %1 ended with an error (exit status %2) before it showed the forms.")
                     .arg(program)
                     .arg(end.value);
        break;
    }
    if (!end.output.isEmpty())
        reason += QStringLiteral(" It said: ") + end.output;
    OfferPreviewInstead(reason, document);
}

bool PrintCommands::CanConvert() const
{
    const QFileInfo soffice(WriterProgram());
    return !WriterProgram().isEmpty() && soffice.isFile() && soffice.isExecutable();
}

void PrintCommands::OfferPreviewInstead(const QString& reason, const std::string& document)
{
    if (!CanConvert()) {
        window_.Ask().Warn(&window_, reason + QStringLiteral(" The print preview needs LibreOffice as well. ") +
                                         kLibreOfficeNeeded);
        return;
    }
    if (window_.Ask().AskYesNo(&window_, kPrintPreview,
                               reason + QStringLiteral(" Show the forms in the print preview instead?")))
        ShowPreview(document);
}

QString PrintCommands::SuggestedPdfName() const
{
    return ToQt(WithoutExtension(FileNamePart(window_.State().ClientFileName.toStdString()))) + QStringLiteral(".pdf");
}

void PrintCommands::ShowPreview(const std::string& document)
{
    if (converting_)
        return;
    const QString soffice = WriterProgram();
    if (soffice.isEmpty()) {
        window_.Ask().Warn(&window_, QStringLiteral("LibreOffice is needed to show the print preview and was not found. ") +
                                         kLibreOfficeNeeded);
        return;
    }
    ConvertedPdf pdf;
    QString error;
    converting_ = true;
    const bool converted = ConvertToPdf(&window_, document, soffice,
                                        QStringLiteral("Preparing the print preview. Please wait."), pdf, error);
    converting_ = false;
    if (!converted) {
        if (!error.isEmpty())
            window_.Ask().Warn(&window_, error);
        return;
    }
    PdfPreviewOptions options;
    options.prompts = &window_.Ask();
    options.saveFolder = ToQt(WithTrailingSeparator(window_.Folders().ClientFileFolder));
    options.suggestedName = SuggestedPdfName();
    options.scratchFolder = pdf.folder;
    options.openInWordProcessor = [this, document] { HandToWordProcessor(document); };
    ShowPdfPreview(&window_, pdf.path,
                   kPrintPreview + QStringLiteral(" - ") +
                       ToQt(WithoutExtension(FileNamePart(window_.State().ClientFileName.toStdString()))),
                   std::move(options));
}

void PrintCommands::ExportPdfClick()
{
    if (!window_.ConfirmPrintWithReviewErrors())
        return;
    PrintSelection selection;
    if (AskSelection(QStringLiteral("Export PDF"), false, selection) == Answer::None)
        return;
    FileDialogRequest request;
    request.title = QStringLiteral("Export PDF");
    request.folder = ToQt(WithTrailingSeparator(window_.Folders().ClientFileFolder));
    request.suggestedName = SuggestedPdfName();
    request.filter = QStringLiteral("PDF Files (*.pdf)");
    request.defaultSuffix = QStringLiteral("pdf");
    const QString target = window_.Ask().SaveFileName(&window_, request);
    if (target.isEmpty() || !BuildDocument(selection))
        return;

    const QString soffice = WriterProgram();
    if (soffice.isEmpty()) {
        window_.Ask().Warn(&window_, QStringLiteral("LibreOffice is needed to save the forms as PDF and was not found. ") +
                                         kLibreOfficeNeeded);
        return;
    }
    if (converting_)
        return;
    ConvertedPdf pdf;
    QString error;
    converting_ = true;
    const bool exported = ConvertToPdf(&window_, Merge().Document(), soffice,
                                       QStringLiteral("Saving the forms as PDF. Please wait."), pdf, error) &&
                          CopyFileInPlace(pdf.path, target, error);
    converting_ = false;
    if (!exported && !error.isEmpty())
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
