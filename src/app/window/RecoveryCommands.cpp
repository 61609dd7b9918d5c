// The window's side of the recovery copies: a copy follows every change of the return's answers,
// and at start-up the copies of runs that did not close are offered for restoring.

#include "app/window/MainWindow.h"

#include "app/files/FileCommands.h"
#include "app/files/RecoveryCopies.h"
#include "files/Folders.h"

#include <QFileInfo>
#include <QLocale>

namespace quorvan::app {
namespace {

constexpr char kRecoveryFolderName[] = "Recovery";

QString RecoveryQuestion(const RecoveryCopy& copy)
{
    const bool untitled = QFileInfo(copy.clientFileName).fileName().compare(QLatin1String(kUntitledFileName),
                                                                             Qt::CaseInsensitive) == 0;
    const QString which =
        copy.clientFileName.isEmpty()
            ? QStringLiteral("a recovered return of unknown origin (%1; the note of the client file it belongs to "
                             "is damaged)")
                  .arg(copy.returnPath)
        : untitled ? QStringLiteral("a return that was never saved (%1)").arg(copy.clientFileName)
                   : copy.clientFileName;
    return QStringLiteral("Quorvan_16 did not close normally last time. It kept the unsaved changes of %1, as "
                          "they were on %2.\n\nRestore them now, discard them, or keep them for a later start?")
        .arg(which, QLocale().toString(copy.written, QLocale::LongFormat));
}

}  // namespace

void TfrmMain::CreateAutosave()
{
    const QString folder = QString::fromStdString(JoinPath(folders_.SettingsFolder, kRecoveryFolderName));
    autosave_ = std::make_unique<Autosave>(
        folder, [this] { return store_.get(); }, [this] { return state_.Modified; },
        [this] { return state_.ClientFileName; });
    autosave_->onFailure = [this](const QString& error) {
        prompts_->Warn(this, QStringLiteral("Your unsaved changes cannot be kept in a recovery copy, so a crash "
                                            "would lose them; save the return often.\n%1")
                                 .arg(error));
    };
}

void TfrmMain::AnswersChanged()
{
    state_.Modified = true;
    // Changes no step holds (a restored copy, an import not yet saved): undoing every step still
    // leaves them unsaved.
    if (!history_->StepPending() && history_->AtCleanState())
        history_->ForgetClean();
    SetCaption();
    autosave_->NoteChange();
}

void TfrmMain::OfferRecoveryCopies()
{
    RecoveryFolder& recovery = autosave_->Folder();
    QStringList skipped;
    QString problem;
    const QList<RecoveryCopy> copies = recovery.LeftOver(&skipped, &problem);
    if (!problem.isEmpty())
        autosave_->ReportFailure(problem);  // once: copies cannot be kept this run either
    if (!skipped.isEmpty())
        prompts_->Warn(this, QStringLiteral("The recovery folder holds entries that are no regular files (a named "
                                            "pipe, a device or a link); they were left alone:\n%1")
                                 .arg(skipped.join(QLatin1Char('\n'))));
    bool restored = false;
    for (const RecoveryCopy& copy : copies) {
        // One return is open at a time: after a restore the other copies wait for a later start.
        if (restored) {
            recovery.Keep(copy);
            continue;
        }
        switch (prompts_->AskRecovery(this, RecoveryQuestion(copy))) {
        case RecoveryAnswer::Restore:
            // A return of unknown origin is saved under a name the preparer chooses.
            restored = files_->RestoreRecoveryCopy(copy.returnPath, copy.clientFileName.isEmpty()
                                                                        ? QString::fromLatin1(kUntitledFileName)
                                                                        : copy.clientFileName);
            // The restored changes are this run's now: its own copy holds them before the old goes.
            if (restored && autosave_->WriteNow())
                recovery.Discard(copy);
            else
                recovery.Keep(copy);
            break;
        case RecoveryAnswer::Discard:
            recovery.Discard(copy);
            break;
        case RecoveryAnswer::KeepForLater:
            recovery.Keep(copy);
            break;
        }
    }
}

}  // namespace quorvan::app
