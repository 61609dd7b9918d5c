#include "app/print/PrintCommands.h"

#include "app/commands/CommandHost.h"
#include "app/dialogs/BusyCursor.h"
#include "app/dialogs/Prompts.h"
#include "app/files/DesktopShell.h"
#include "app/files/ProgramWatch.h"
#include "app/print/TfrmPrintPreview.h"
#include "app/print/TfrmProgress.h"
#include "app/print/TfrmSelectedForms.h"
#include "app/print/WordSearch.h"
#include "files/Folders.h"
#include "files/Settings.h"
#include "print/PaintedLayout.h"
#include "render/PaintedDocument.h"
#include "store/Answers.h"

#include <QDir>
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

}  // namespace

PrintCommands::PrintCommands(CommandHost& window) : window_(window) {}

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
    TfrmSelectedForms dialog(DefaultSelection(*window_.Store()), window_.Widget());
    dialog.SetOkCaption(command);
    dialog.SetPreviewOffered(offerPreview);
    const int result = window_.Ask().RunDialog(dialog);
    if (result != QDialog::Accepted && result != TfrmSelectedForms::PreviewResult)
        return Answer::None;
    selection = dialog.Selection();
    if (selection.Empty()) {
        window_.Ask().Warn(window_.Widget(), QStringLiteral("No form is ticked, so there is nothing to print."));
        return Answer::None;
    }
    return result == TfrmSelectedForms::PreviewResult ? Answer::Preview : Answer::Ok;
}

std::vector<PrintPage> PrintCommands::RecalculatedPages(const PrintSelection& selection)
{
    window_.Recalculate(true);
    return PagesToPrint(selection, *window_.Store());
}

bool PrintCommands::BuildDocument(const std::vector<PrintPage>& pages)
{
    BusyCursor busy;
    return Merge().BuildDocument(*window_.Store(), pages);
}

std::shared_ptr<const render::PaintedDocument> PrintCommands::PaintForms(const std::vector<PrintPage>& pages,
                                                                          bool reportFailure)
{
    if (!layouts_)
        layouts_ = std::make_shared<PaintedLayouts>(JoinPath(window_.Folders().ProgramFolder, kPaintedLayoutFolder));
    auto document = std::make_shared<render::PaintedDocument>();
    std::string error;
    if (!document->Build(*window_.Store(), pages, layouts_, error)) {
        if (reportFailure)
            window_.Ask().Warn(window_.Widget(), ToQt(error));
        return nullptr;
    }
    return document;
}

void PrintCommands::PrintSelectedForms()
{
    if (!window_.ConfirmPrintWithReviewErrors())
        return;
    PrintSelection selection;
    const Answer answer = AskSelection(kPreviewPrint, true, selection);
    if (answer == Answer::None)
        return;
    const std::vector<PrintPage> pages = RecalculatedPages(selection);
    Forms forms;
    // Painted for the preview, and kept for the one offered when the word processor fails.
    forms.painted = PaintForms(pages, answer == Answer::Preview);
    if (answer == Answer::Preview && !forms.painted)
        return;
    forms.rtfBuilt = BuildDocument(pages);
    forms.rtf = Merge().Document();
    if (answer == Answer::Preview)
        ShowPreview(forms);
    else if (forms.rtfBuilt)
        HandToWordProcessor(forms);
}

void PrintCommands::PrintPreviewClick()
{
    if (!window_.ConfirmPrintWithReviewErrors())
        return;
    PrintSelection selection;
    if (AskSelection(kPrintPreview, false, selection) == Answer::None)
        return;
    const std::vector<PrintPage> pages = RecalculatedPages(selection);
    Forms forms;
    forms.painted = PaintForms(pages, true);
    if (!forms.painted)
        return;
    forms.rtfBuilt = BuildDocument(pages);
    forms.rtf = Merge().Document();
    ShowPreview(forms);
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

// The forms are handed over as they were built: a failure reported seconds later previews the
// forms the preparer asked for, whatever was printed since.
void PrintCommands::HandToWordProcessor(const Forms& forms)
{
    const std::string& document = forms.rtf;
    const std::string tempFolder = WithTrailingSeparator(window_.Folders().TempFolder);
    LaunchCommand command;
    std::string error;
    if (!SendDocument(document, tempFolder, Choice(), RegistryPath().toStdString(), command, error)) {
        window_.Ask().Warn(window_.Widget(), ToQt(error));
        return;
    }
    if (command.program == kDesktopOpener && command.arguments.size() == 1) {
        const bool opened = window_.Shell().OpenDocument(ToQt(JoinPath(command.workingFolder, command.arguments.front())));
        ReportWordProcessorStart(opened);
        if (!opened)
            OfferPreviewInstead(QStringLiteral("The desktop has no application that opens the forms (RTF documents)."),
                                forms);
        return;
    }
    const QString program = ToQt(command.program);
    // A LibreOffice built without windows would open the file where nobody can see it, and hold
    // it until the session ends.
    if (!WriterOpensWindows(command.program)) {
        OfferPreviewInstead(QStringLiteral("The word processor %1 is a LibreOffice built without windows, so it cannot "
                                           "show the forms. Install the package libreoffice-writer to use it.")
                                .arg(program),
                            forms);
        return;
    }
    const auto ended = [this, program, forms](const ProgramEnd& end) {
        if (end.Failed())
            ReportEarlyEnd(program, end, forms);
    };
    const bool started = window_.Shell().StartWatched(command, word_.watchMs, ended);
    if (!started) {
        ReportWordProcessorStart(false);
        OfferPreviewInstead(QStringLiteral("The word processor %1 could not be started.").arg(program), forms);
    }
}

void PrintCommands::ReportEarlyEnd(const QString& program, const ProgramEnd& end, const Forms& forms)
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
    OfferPreviewInstead(reason, forms);
}

// The preview needs no word processor: it is offered whenever the forms could be painted.
void PrintCommands::OfferPreviewInstead(const QString& reason, const Forms& forms)
{
    if (!forms.painted) {
        window_.Ask().Warn(window_.Widget(), reason);
        return;
    }
    if (window_.Ask().AskYesNo(window_.Widget(), kPrintPreview,
                               reason + QStringLiteral(" Show the forms in the print preview instead?")))
        ShowPreview(forms);
}

QString PrintCommands::SuggestedPdfName() const
{
    return ToQt(WithoutExtension(FileNamePart(window_.State().ClientFileName.toStdString()))) + QStringLiteral(".pdf");
}

QString PrintCommands::ReturnFolder() const
{
    const QFileInfo file(window_.State().ClientFileName);
    if (file.isAbsolute() && file.absoluteDir().exists())
        return ToQt(WithTrailingSeparator(file.absolutePath().toStdString()));
    return ToQt(WithTrailingSeparator(window_.Folders().ClientFileFolder));
}

void PrintCommands::ShowPreview(const Forms& forms)
{
    PrintPreviewOptions options;
    options.prompts = &window_.Ask();
    options.saveFolder = ReturnFolder();
    options.suggestedName = SuggestedPdfName();
    if (forms.rtfBuilt)
        options.openInWordProcessor = [this, forms] { HandToWordProcessor(forms); };
    ShowPrintPreview(window_.Widget(), forms.painted,
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
    request.folder = ReturnFolder();
    request.suggestedName = SuggestedPdfName();
    request.filter = QStringLiteral("PDF Files (*.pdf)");
    request.defaultSuffix = QStringLiteral("pdf");
    const QString target = window_.Ask().SaveFileName(window_.Widget(), request);
    if (target.isEmpty())
        return;
    const std::shared_ptr<const render::PaintedDocument> forms = PaintForms(RecalculatedPages(selection), true);
    if (!forms)
        return;
    BusyCursor busy;
    std::string error;
    if (!render::WritePdf(*forms, target.toStdString(), QFileInfo(target).completeBaseName().toStdString(), error))
        window_.Ask().Warn(window_.Widget(), ToQt(error));
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
        TfrmProgress progress(QStringLiteral("Please Wait. Searching for MS Word."), window_.Widget());
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
    window_.Ask().Inform(window_.Widget(), word_.wordPath.isEmpty() ? QStringLiteral("Did not find Word installation.")
                                                                    : QStringLiteral("Found Word installation."));
    window_.UpdateMenuItems();
}

}  // namespace quorvan::app
