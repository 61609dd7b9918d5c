#include "app/files/FileCommands.h"

#include "app/commands/CommandHost.h"
#include "app/dialogs/BusyCursor.h"
#include "app/dialogs/Prompts.h"
#include "app/files/RecoveryCopies.h"
#include "app/history/AnswerHistory.h"
#include "files/ClientFile.h"
#include "files/Folders.h"
#include "files/PriorYear.h"
#include "files/Settings.h"
#include "messages/Messages.h"
#include "slot/Form1041Page1.h"
#include "store/Answers.h"

namespace quorvan::app {
namespace {

constexpr char kClientFilter[] = "Quorvan_16 Files (*.fq6)";
constexpr char kPriorYearFilter[] = "Quorvan_15 Files (*.fq5)";

std::string ToStd(const QString& text) { return text.toStdString(); }
QString ToQt(const std::string& text) { return QString::fromStdString(text); }

bool IsUntitled(const QString& path)
{
    return ToQt(FileNamePart(ToStd(path))).toUpper() == QString::fromLatin1(kUntitledFileName).toUpper();
}

// A chosen name whose extension is not fq6 gets it, in place of the extension it had.
QString WithClientExtension(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    // A "." in a folder name is no extension: cutting there would save into another folder.
    const QString stem = dot > slash ? path.left(dot) : path;
    return stem + QStringLiteral(".fq6");
}

}  // namespace

bool FileCommands::AskToSave()
{
    switch (window_.Ask().AskSaveChanges(window_.Widget())) {
    case SaveAnswer::Cancel:
        return false;
    case SaveAnswer::Yes:
        SaveFile();
        return true;
    case SaveAnswer::No:
        return true;
    }
    return true;
}

bool FileCommands::RunNew(NewMode mode)
{
    WindowState& state = window_.State();
    TAnswer& store = window_.ReplaceStore();
    const std::string preset = DefaultReturnPath(window_.Folders());
    if (FileExists(preset) && !ReadClientFileAt(store, preset)) {
        ShowMessageByCode(11340);
        return false;
    }
    state.ClientFileName = QString::fromLatin1(kUntitledFileName);
    state.Modified = false;
    ChangesSettled();
    if (mode == NewMode::Full) {
        window_.Recalculate(false);
        ShowPageOneOfNewReturn();
    }
    return true;
}

void FileCommands::ShowPageOneOfNewReturn()
{
    // The page on screen belongs to the replaced return: it must not be stored first.
    window_.State().CurrentFormType = -1;
    window_.State().CurrentPageIndex = -1;
    window_.DisplayCode(100);
}

void FileCommands::NewClick()
{
    window_.CommitEditedField();
    if (window_.State().Modified && !AskToSave())
        return;
    RunNew(NewMode::Full);
}

void FileCommands::OpenClick()
{
    window_.CommitEditedField();
    if (window_.State().Modified && !AskToSave())
        return;
    FileDialogRequest request;
    request.title = QStringLiteral("Open File Dialog");
    request.folder = ToQt(WithTrailingSeparator(window_.Folders().ClientFileFolder));
    request.filter = QLatin1String(kClientFilter);
    request.defaultSuffix = QStringLiteral("fq6");
    const QString path = window_.Ask().OpenFileName(window_.Widget(), request);
    if (!path.isEmpty())
        OpenChosenFile(path);
}

void FileCommands::OpenChosenFile(const QString& path)
{
    MessagesOnceEach once;  // the recalculations of one command tell a bad amount once
    window_.State().Modified = false;
    RunNew(NewMode::FirstStep);
    window_.State().ClientFileName = path;
    if (!ReadOrReport(path)) {
        RunNew(NewMode::Full);
        return;
    }
    RememberRecent(path);
    ShowPageOneOfNewReturn();
    window_.Recalculate(false);
}

void FileCommands::ReOpenClick(int index)
{
    std::vector<std::string>& recent = window_.Preferences().RecentFiles;
    if (index < 0 || index >= static_cast<int>(recent.size()))
        return;
    // A field still being typed in counts among the changes the save prompt asks about.
    window_.CommitEditedField();
    if (window_.State().Modified && !AskToSave())
        return;
    const QString path = ToQt(recent[index]);
    MessagesOnceEach once;
    bool read = false;
    {
        BusyCursor busy;
        window_.State().ClientFileName = path;
        window_.ReplaceStore();
        read = ReadOrReport(path);
    }
    if (read) {
        window_.State().Modified = false;
        ChangesSettled();
        ShowPageOneOfNewReturn();
        return;
    }
    // A partly read return must never be saved over the good file under the same name.
    RunNew(NewMode::Full);
}

bool FileCommands::SaveFile()
{
    window_.StorePage();
    if (IsUntitled(window_.State().ClientFileName))
        return SaveAsClick();
    return WriteReturn();
}

bool FileCommands::WriteReturn()
{
    window_.StorePage();
    const QString path = window_.State().ClientFileName;
    std::string error;
    bool saved = false;
    {
        BusyCursor busy;
        saved = SaveClientFileAt(*window_.Store(), ToStd(path), error);
    }
    if (saved) {
        window_.State().Modified = false;
        window_.History().MarkClean(*window_.Store());
        ChangesSettled();
    } else
        window_.Ask().Warn(window_.Widget(), QStringLiteral("The return could not be saved to %1.\n%2\n"
                                                            "The file on disk is unchanged and your changes are "
                                                            "still open; save them to another place.")
                                                 .arg(path, ToQt(error)));
    window_.UpdateMenuItems();
    return saved;
}

QString FileCommands::UntitledOrSuggestedName() const
{
    const TAnswer* store = window_.Store();
    if (!IsUntitled(window_.State().ClientFileName) || !store)
        return QString();
    const std::string& name = store->Text(ftForm1041Page1, 0, slot::form1041Page1::nameOfEstateOrTrust.slot);
    return name.empty() ? QString() : ToQt(name) + QStringLiteral(".fq6");
}

bool FileCommands::SaveAsClick()
{
    window_.CommitEditedField();
    FileDialogRequest request;
    request.title = QStringLiteral("File|Save As Dialog");
    request.folder = ToQt(WithTrailingSeparator(window_.Folders().ClientFileFolder));
    request.suggestedName = UntitledOrSuggestedName();
    request.filter = QLatin1String(kClientFilter);
    request.defaultSuffix = QStringLiteral("fq6");
    QString path = window_.Ask().SaveFileName(window_.Widget(), request);
    bool saved = false;
    if (!path.isEmpty()) {
        if (path.right(3).toUpper() != QLatin1String("FQ6")) {
            ShowMessageByCode(11010);
            path = WithClientExtension(path);
        }
        RememberRecent(path);
        window_.State().ClientFileName = path;
        saved = WriteReturn();
    }
    window_.UpdateMenuItems();
    return saved;
}

void FileCommands::ImportLastYear()
{
    window_.CommitEditedField();
    if (window_.State().Modified && !AskToSave())
        return;
    FileDialogRequest request;
    request.title = QStringLiteral("Open File Dialog");
    request.folder = ToQt(WithTrailingSeparator(window_.Folders().PriorYearFolder));
    request.filter = QLatin1String(kPriorYearFilter);
    request.defaultSuffix = QStringLiteral("fq5");
    const QString priorPath = window_.Ask().OpenFileName(window_.Widget(), request);
    if (priorPath.isEmpty())
        return;

    MessagesOnceEach once;
    window_.State().Modified = false;
    RunNew(NewMode::FirstStep);
    window_.State().ClientFileName = priorPath;
    if (!ReadPriorYearFileAt(*window_.Store(), ToStd(priorPath))) {
        RunNew(NewMode::Full);
        return;
    }
    const QString target = ToQt(CurrentYearFileName(window_.Folders().ClientFileFolder, ToStd(priorPath)));
    // This year's work under the same name is never replaced without asking.
    const bool replace = !FileExists(ToStd(target)) ||
                         window_.Ask().AskYesNo(window_.Widget(), QStringLiteral("Open 2015 FQ5 File"),
                                                QStringLiteral("%1 already exists.\nReplace it with the return "
                                                               "started from %2?")
                                                    .arg(target, ToQt(FileNamePart(ToStd(priorPath)))));
    window_.State().ClientFileName = replace ? target : QString::fromLatin1(kUntitledFileName);
    if (replace)
        RememberRecent(target);
    ShowPageOneOfNewReturn();
    window_.Recalculate(false);
    const bool saved = replace ? SaveFile() : SaveAsClick();
    if (!saved)
        window_.AnswersChanged();  // the imported return exists only on screen
}

bool FileCommands::RestoreRecoveryCopy(const QString& copyPath, const QString& clientFileName)
{
    MessagesOnceEach once;
    window_.ReplaceStore();
    if (!ReadOrReport(copyPath)) {
        RunNew(NewMode::Full);
        return false;
    }
    window_.State().ClientFileName = clientFileName;
    ShowPageOneOfNewReturn();
    window_.Recalculate(false);
    window_.AnswersChanged();
    return true;
}

bool FileCommands::ReadOrReport(const QString& path)
{
    const int messagesBefore = window_.MessagesShown();
    if (ReadClientFileAt(*window_.Store(), ToStd(path)))
        return true;
    if (window_.MessagesShown() == messagesBefore)
        ReportUnreadable(path);
    return false;
}

void FileCommands::ChangesSettled()
{
    window_.Recovery().ChangesSettled();
}

void FileCommands::ReportUnreadable(const QString& path)
{
    window_.Ask().Warn(window_.Widget(),
                       QStringLiteral("The client file %1 could not be read. "
                                      "A new untitled return has been started; the file is unchanged.")
                           .arg(path));
}

void FileCommands::RememberRecent(const QString& path)
{
    if (AddRecentFile(window_.Preferences().RecentFiles, ToStd(path)))
        window_.UpdateRecentMenu();
}

}  // namespace quorvan::app
