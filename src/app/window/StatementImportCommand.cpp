// File > Import...: a broker's or bank's data file into the open return, as one step.

#include "app/window/MainWindow.h"

#include "app/files/StatementImportDialog.h"
#include "app/window/ScreenHooks.h"
#include "calc/Calculate.h"
#include "store/AnswerChanges.h"

#include <QFileInfo>

namespace quorvan::app {

namespace {
constexpr int kMostSettlingRuns = 10;
}  // namespace

// Imported sales reach Schedule D, line 4 and the tax over more than one run; every run belongs
// to the import's step, so that Undo takes all of it back.
void TfrmMain::SettleWithinStep()
{
    MessagesOnceEach once;
    AnswerSnapshot previous;
    for (int run = 0; run < kMostSettlingRuns; ++run) {
        previous.Take(*store_);
        hooks_->showAnswers = false;
        CalculateSettled(*store_, false, hooks_.get());
        hooks_->showAnswers = true;
        if (previous.ChangesTo(*store_).empty())
            break;
    }
}

void TfrmMain::ImportStatementClick()
{
    if (!store_)
        return;
    // What is typed in the field on screen is its own step, taken before the import's.
    CommitEditedField();
    FileDialogRequest request;
    request.title = QStringLiteral("Import Broker or Bank File");
    request.filter = QStringLiteral("Broker and bank files (*.txf *.TXF *.csv *.CSV);;All files (*)");
    const QString path = prompts_->OpenFileName(this, request);
    if (path.isEmpty())
        return;
    StatementImportDialog dialog(*store_, path, this);
    if (prompts_->RunDialog(dialog) != QDialog::Accepted || !CarryOutPrepared(*store_, dialog.Prepared()))
        return;
    const auto [formType, page] = FirstPageTouched(dialog.Prepared().plan);
    Step step = StepHere(QStringLiteral("Import %1").arg(QFileInfo(path).fileName()));
    if (formType != 0)
        step.after.pageCode = formType * 100 + page;
    history_->BeginStep(step);
    AnswersChanged();
    SettleWithinStep();
    Recalculate(false);
    if (formType != 0)
        ShowPage(formType * 100 + page);
    UpdateMenuItems();
}

}  // namespace quorvan::app
