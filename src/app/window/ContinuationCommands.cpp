// Continuation pages: New, View and Delete of the eleven continuation types, the page chooser
// they share, and the K-1 allocation command.

#include "app/window/MainWindow.h"

#include "app/dialogs/TfrmBeneInt.h"
#include "app/dialogs/TfrmMultiple.h"
#include "store/ContinuationPages.h"

#include <QAction>

#include <exception>

namespace quorvan::app {

bool TfrmMain::ChooseContinuationPage(int formType, int& index)
{
    try {
        // It opens on the page on screen, so that the K-1 being looked at is the one offered.
        const int onScreen = state_.CurrentFormType == formType ? state_.CurrentPageIndex : 0;
        TfrmMultiple chooser(*store_, formType, this, onScreen);
        const bool chosen = prompts_->RunDialog(chooser) == QDialog::Accepted;
        state_.ContinuationChoice = chosen ? chooser.Choice() : 0;
        index = state_.ContinuationChoice;
        return chosen;
    } catch (const std::exception&) {
        ShowMessageByCode(11453);
        return false;
    }
}

// With two or more pages in use the preparer chooses one; else it is page 0.
bool TfrmMain::PageToWorkOn(int formType, int count, int& index)
{
    index = 0;
    return count < 2 || ChooseContinuationPage(formType, index);
}

void TfrmMain::NewForm(int formType)
{
    const ContinuationType* type = FindContinuationType(formType);
    if (!type) {
        ShowMessageByCode(11050);
        return;
    }
    try {
        const int count = *store_->CountField(formType);
        if (!AddContinuationPage(*store_, formType)) {
            ShowMessageByCode(11860);
            return;
        }
        // The new beneficiary's percentage; Cancel leaves the page without one.
        if (formType == ftScheduleK1) {
            TfrmBeneInt dialog(*store_, count, this);
            prompts_->RunDialog(dialog);
        }
        Step step = StepHere(QStringLiteral("New %1 Page").arg(QString::fromLatin1(type->newName)));
        step.after.pageCode = formType * 100 + count;
        history_->BeginStep(step);
        Recalculate(true);
        ShowPage(formType * 100 + count);
        UpdateMenuItems();
    } catch (const std::exception&) {
        ShowMessageByCode(11070, type->newName);
    }
}

void TfrmMain::ContinuationDlg(int pageCode)
{
    try {
        const int formType = pageCode / 100;
        const int* count = store_->CountField(formType);
        int index = 0;
        if (!count || !PageToWorkOn(formType, *count, index))
            return;
        Recalculate(false);
        ShowPage(formType * 100 + index);
        UpdateMenuItems();
    } catch (const std::exception&) {
        ShowMessageByCode(11063);
    }
}

void TfrmMain::DeleteForm(int formType)
{
    const ContinuationType* type = FindContinuationType(formType);
    if (!type) {
        ShowMessageByCode(11030);
        return;
    }
    try {
        const int count = *store_->CountField(formType);
        if (count < 1)
            return;
        int index = 0;
        if (!PageToWorkOn(formType, count, index))
            return;
        if (!prompts_->AskWarningYesNo(this, QStringLiteral("Are You Sure You Want To Delete a %1 Page?")
                                                   .arg(QString::fromLatin1(type->deleteName))))
            return;
        DeleteContinuationPage(*store_, formType, index);
        history_->BeginStep(StepHere(QStringLiteral("Delete %1 Page").arg(QString::fromLatin1(type->deleteName))));
        Recalculate(false);
        UpdateMenuItems();
    } catch (const std::exception&) {
        ShowMessageByCode(11260, type->deleteName);
    }
}

void TfrmMain::K1AllocationClick()
{
    if (!store_)
        return;
    int beneficiary = 0;
    if (!PageToWorkOn(ftScheduleK1, store_->NoOfSchedK, beneficiary))
        return;
    TfrmBeneInt dialog(*store_, beneficiary, this);
    if (prompts_->RunDialog(dialog) != QDialog::Accepted)
        return;
    history_->BeginStep(StepHere(
        QStringLiteral("K-1 Allocation of %1").arg(QString::fromStdString(BeneficiaryName(*store_, beneficiary)))));
    Recalculate(true);
    if (state_.CurrentFormType != -1)
        DisplayCode(state_.CurrentFormType * 100 + state_.CurrentPageIndex);
    UpdateMenuItems();
}

}  // namespace quorvan::app
