// Edit menu of the main window: Undo and Redo over the preparer's steps, and Cut, Copy and Paste
// on the field being edited.

#include "app/window/MainWindow.h"

#include "app/files/RecoveryCopies.h"
#include "app/pages/FieldEntry.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QUndoStack>

namespace quorvan::app {

void TfrmMain::CreateHistory()
{
    history_ = new AnswerHistory(this);
    history_->onMoved = [this](const StepPlace& place) { ShowStepPlace(place); };
    history_->onStepRecorded = [this] { AnswersChanged(); };
    connect(history_->Stack(), &QUndoStack::indexChanged, this, [this] { ShowUndoCommands(); });
    // The field being edited has typing of its own to take back; the menu says so when it opens.
    connect(commands_.mnuEdit, &QMenu::aboutToShow, this, [this] { ShowUndoCommands(); });
    ShowUndoCommands();
}

void TfrmMain::ShowUndoCommands()
{
    const QUndoStack* stack = history_->Stack();
    bool fieldUndo = false;
    bool fieldRedo = false;
    QWidget* focused = QApplication::focusWidget();
    if (auto* edit = qobject_cast<QLineEdit*>(focused); edit && !edit->isReadOnly()) {
        fieldUndo = edit->isUndoAvailable();
        fieldRedo = edit->isRedoAvailable();
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(focused); memo && !memo->isReadOnly()) {
        fieldUndo = memo->document()->isUndoAvailable();
        fieldRedo = memo->document()->isRedoAvailable();
    }
    const auto show = [](QAction* item, QAction* popupItem, bool field, bool step, const QString& word,
                         const QString& label) {
        item->setText(field || label.isEmpty() ? word : QStringLiteral("%1 %2").arg(word, label));
        item->setEnabled(field || step);
        popupItem->setEnabled(field || step);
    };
    show(commands_.mnuUndo, commands_.popUndo, fieldUndo, stack->canUndo(), QStringLiteral("&Undo"), stack->undoText());
    show(commands_.mnuRedo, commands_.popRedo, fieldRedo, stack->canRedo(), QStringLiteral("&Redo"), stack->redoText());
}

int TfrmMain::CurrentPageCode() const
{
    return state_.CurrentFormType == -1 ? -1 : state_.CurrentFormType * 100 + state_.CurrentPageIndex;
}

Step TfrmMain::StepHere(const QString& label, int slot) const
{
    const StepPlace here{CurrentPageCode(), slot};
    return {label, here, here};
}

Step TfrmMain::FieldStep(const QList<QWidget*>& changed) const
{
    QWidget* field = changed.isEmpty() ? nullptr : changed.first();
    if (!field)
        return StepHere(PageName(state_.CurrentFormType, state_.CurrentPageIndex));
    return StepHere(FieldPlace(field, state_.CurrentFormType, state_.CurrentPageIndex), SlotOf(field));
}

void TfrmMain::UndoClick() { MoveInHistory(true); }

void TfrmMain::RedoClick() { MoveInHistory(false); }

void TfrmMain::MoveInHistory(bool back)
{
    if (!store_ || state_.LeaveFieldActive)
        return;
    // Typing not yet left is taken back in its field first, as every text box does.
    QWidget* focused = QApplication::focusWidget();
    if (auto* edit = qobject_cast<QLineEdit*>(focused); edit && !edit->isReadOnly()) {
        if (back ? edit->isUndoAvailable() : edit->isRedoAvailable()) {
            back ? edit->undo() : edit->redo();
            return;
        }
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(focused); memo && !memo->isReadOnly()) {
        if (back ? memo->document()->isUndoAvailable() : memo->document()->isRedoAvailable()) {
            back ? memo->undo() : memo->redo();
            return;
        }
    }
    // A change stored but not yet recalculated (a memo, a check box) is a step of its own first.
    StorePage();
    history_->Settle(*store_);
    back ? history_->Undo(*store_) : history_->Redo(*store_);
    state_.Modified = !history_->AtCleanState();
    if (state_.Modified)
        autosave_->NoteChange();
    else
        autosave_->ChangesSettled();
    SetCaption();
}

// The return holds one side of a step: it is recalculated and its page shown with the cursor in
// its field. Moving the cursor there is no leaving of a field.
void TfrmMain::ShowStepPlace(const StepPlace& place)
{
    const bool keptModified = state_.Modified;
    state_.LeaveFieldActive = true;
    struct ClearOnExit {
        bool& flag;
        ~ClearOnExit() { flag = false; }
    } clear{state_.LeaveFieldActive};
    if (place.pageCode < 0 || place.pageCode == CurrentPageCode())
        Recalculate(false);
    else
        ShowPage(place.pageCode);
    UpdateMenuItems();
    if (page_)
        FocusBoundControl(page_, place.slot);
    state_.Modified = keptModified;
}

namespace {

template <typename Field>
void OnField(Field* field, ClipboardCommand command)
{
    if (command == ClipboardCommand::Copy)
        field->copy();
    else if (field->isReadOnly())
        return;  // a computed amount is copied, never cut or pasted into
    else if (command == ClipboardCommand::Cut)
        field->cut();
    else
        field->paste();
}

}  // namespace

void TfrmMain::EditCommand(ClipboardCommand command)
{
    QWidget* focused = QApplication::focusWidget();
    if (auto* edit = qobject_cast<QLineEdit*>(focused))
        OnField(edit, command);
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(focused))
        OnField(memo, command);
}

}  // namespace quorvan::app
