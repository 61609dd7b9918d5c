// File > Import...: a broker's or bank's data file into the open return, as one step.

#include "MainWindow.h"

#include "StatementImportDialog.h"

#include <QFileInfo>

namespace quorvan::app {

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
    Recalculate(false);
    if (formType != 0)
        ShowPage(formType * 100 + page);
    UpdateMenuItems();
}

}  // namespace quorvan::app
