// Page display of the main window: loading a page layout, the transfers around the
// recalculation, leaving a field, and the keys the window handles before the focused control.

#include "app/window/MainWindow.h"

#include "app/dialogs/BusyCursor.h"
#include "app/files/RecoveryCopies.h"
#include "app/pages/CalloutNotes.h"
#include "app/pages/FieldEntry.h"
#include "app/pages/PageLayouts.h"
#include "app/pages/PageTable.h"
#include "app/window/ScreenHooks.h"
#include "messages/Messages.h"
#include "store/Amounts.h"
#include "store/ContinuationPages.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFrame>
#include <QGraphicsOpacityEffect>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSequentialAnimationGroup>
#include <QTreeWidget>
#include <QUndoStack>

namespace quorvan::app {

void TfrmMain::DisplayAPage(QAction* sender)
{
    if (!sender)
        return;
    if (state_.CurrentFormType != -1)
        StorePage();
    ShowPage(sender->property(kTagProperty).toInt());
    UpdateMenuItems();
}

void TfrmMain::DisplayAPage(QTreeWidgetItem* sender)
{
    if (!sender)
        return;
    if (state_.CurrentFormType != -1)
        StorePage();
    ShowPage(TagOfItem(sender));
    UpdateMenuItems();
}

void TfrmMain::DisplayCode(int pageCode)
{
    commands_.mnuInvisible->setProperty(kTagProperty, pageCode);
    DisplayAPage(commands_.mnuInvisible);
}

void TfrmMain::ShowPage(int pageCode)
{
    BusyCursor busy;
    // The return's unsaved changes are kept in a recovery copy at each page change.
    autosave_->PageChanged();
    if (!state_.SkipAnimations) {
        FloatAnimation1_->stop();
        opacity_->setEnabled(true);
        opacity_->setOpacity(0);
    }
    state_.CurrentFormType = pageCode / 100;
    state_.CurrentPageIndex = pageCode % 100;
    const bool keptModified = state_.Modified;
    commands_.pnlToolBar->setVisible(true);
    const PageInfo info = PageInfoFor(state_.CurrentFormType);

    ClearPage();
    VertScrollBox1_->horizontalScrollBar()->setValue(0);
    VertScrollBox1_->verticalScrollBar()->setValue(0);

    const int layout = info.formType >= 0 ? info.layoutNumber : state_.CurrentFormType;
    const QString path = QString::fromStdString(JoinPath(folders_.PsfFolder, "page" + std::to_string(layout) + ".psf"));
    bool shown = false;
    if (!QFile::exists(path) || !LoadLayout(path)) {
        ShowMessageByCode(11150, path.toStdString());
    } else {
        PrepareControls(page_, *this, state_.FontShrink);
        ApplyPageScale();
        pageEvents_ = page_->findChild<QObject*>(QStringLiteral("pageEventFilter"), Qt::FindDirectChildrenOnly);
        hooks_->showAnswers = true;
        if (store_) {
            CalculateSettled(*store_, false, hooks_.get());
            history_->Settle(*store_);
        }
        ReviewAfterCalculate();
        FocusTaggedControl(page_, info.focusTag);
        shown = true;
    }

    SetCaption();
    TreeView1_->clearSelection();
    SelectTreeItemForType(state_.CurrentFormType);
    state_.Modified = keptModified;
    if (shown)
        VertScrollBox1_->verticalScrollBar()->setValue(0);
    if (!state_.SkipAnimations) {
        StartFadeIn();
    } else {
        FloatAnimation1_->stop();
        opacity_->setEnabled(false);
    }
}

bool TfrmMain::LoadLayout(const QString& path)
{
    QWidget* root = layouts_->Build(path, pnlMainForm_);
    if (!root)
        return false;
    page_ = root;
    page_->move(0, 0);
    pnlMainForm_->resize(page_->size());
    page_->show();
    return true;
}

void TfrmMain::ClearPage()
{
    // The page's event filter goes first, so destroying the controls reports nothing.
    delete pageEvents_;
    pageEvents_ = nullptr;
    delete page_;
    page_ = nullptr;
}

void TfrmMain::StartFadeIn()
{
    opacity_->setEnabled(true);
    opacity_->setOpacity(0);
    FloatAnimation1_->start();
}

void TfrmMain::SelectTreeItemForType(int formType)
{
    const PageInfo info = PageInfoFor(formType);
    if (info.formType < 0)
        return;
    if (QTreeWidgetItem* item = FindTreeItem(TreeView1_, info.treeItem)) {
        // Types whose View item is the tree item select its group for a continuation page.
        TreeView1_->setCurrentItem(item);
        item->setSelected(true);
    }
}

void TfrmMain::Recalculate(bool storeFirst)
{
    // An amount the calculators cannot take is named once, not by every line that reads it.
    MessagesOnceEach once;
    if (storeFirst)
        StorePage();
    if (store_) {
        hooks_->showAnswers = false;
        CalculateSettled(*store_, false, hooks_.get());
        hooks_->showAnswers = true;
        history_->Settle(*store_);
        ReviewAfterCalculate();
    }
    ShowAnswers();
}

void TfrmMain::CompleteCalc()
{
    Recalculate(true);
    UpdateMenuItems();
}

void TfrmMain::StorePage()
{
    // A continuation page out of use takes no entry: it would come back on the next new page.
    if (store_ && FindContinuationType(state_.CurrentFormType)) {
        const int* count = store_->CountField(state_.CurrentFormType);
        if (!count || state_.CurrentPageIndex >= *count)
            return;
    }
    QList<QWidget*> changed;
    if (store_ && page_ && ControlsToAnswers(page_, *store_, CurrentPage(), &changed)) {
        history_->BeginStep(FieldStep(changed));
        AnswersChanged();
    }
}

void TfrmMain::ShowAnswers()
{
    if (!store_ || !page_ || state_.CurrentFormType == -1)
        return;
    const bool keptModified = state_.Modified;
    AnswersToControls(page_, *store_, CurrentPage());
    state_.Modified = keptModified;
}

void TfrmMain::CommitEditedField()
{
    QWidget* focused = QApplication::focusWidget();
    if (!page_ || !focused || !page_->isAncestorOf(focused))
        return;
    if (qobject_cast<QLineEdit*>(focused) || qobject_cast<QAbstractButton*>(focused))
        CalcOnExit(focused);
    else if (qobject_cast<QPlainTextEdit*>(focused))
        StorePage();  // a memo is stored as it stands; it has no leave-field recalculation
}

QString TfrmMain::LeftAmountText(QLineEdit* edit, int kind)
{
    const QString typed = edit->text();
    const bool reads = AmountTextReads(kind, typed);
    if (reads && !BeyondLargestAmount(typed.toStdString()))
        return ReformatOnExit(kind, typed);
    // The field says where it is and what it held; the entry counts as 0, as the conversion has it.
    const QString place = FieldPlace(edit, state_.CurrentFormType, state_.CurrentPageIndex);
    const QString why = reads ? QStringLiteral(" is beyond the largest amount a return can hold, %1, and")
                                    .arg(QString::fromStdString(Float2Dollar(kLargestAmount)))
                              : QString();
    ShowMessageByCode(21192, QStringLiteral("%1: \"%2\"%3 counts as 0. ").arg(place, typed, why).toStdString());
    return ReformatOnExit(kind, QString());
}

bool TfrmMain::FieldDiffersFromItsAnswer(QWidget* control) const
{
    auto* edit = qobject_cast<QLineEdit*>(control);
    const int slot = edit ? SlotOf(edit) : -1;
    if (!store_ || slot < 0 || state_.CurrentFormType < 0)
        return false;
    return edit->text().toStdString() != store_->Text(state_.CurrentFormType, state_.CurrentPageIndex, slot);
}

void TfrmMain::CalcOnExit(QWidget* control)
{
    if (state_.LeaveFieldActive)
        return;
    state_.LeaveFieldActive = true;
    struct ClearOnExit {
        bool& flag;
        ~ClearOnExit() { flag = false; }
    } clear{state_.LeaveFieldActive};

    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        const int kind = TagOf(edit) / 1000;
        if (kind >= 2 && kind <= 5)
            edit->setText(LeftAmountText(edit, kind));
    }
    commands_.mnuInvisible->setProperty(kTagProperty, 0);
    // What a changed field's exit changes, its own answer or a line the recalculation now
    // computes from it, is one step named by the field, and an unsaved change.
    const int placeBefore = history_->Stack()->index();
    if (FieldDiffersFromItsAnswer(control))
        history_->BeginStep(FieldStep({control}));
    CompleteCalc();
    StorePage();
    if (history_->Stack()->index() != placeBefore && !state_.Modified)
        AnswersChanged();
}

// A change counts once it reaches the answers (StorePage compares each control with what it
// last exchanged with them), so that moving through a field or typing and undoing is no change.
void TfrmMain::ControlChange() {}

void TfrmMain::ScrollOnEnter(QWidget* control)
{
    SetOverride(control);
    if (control && pnlMainForm_->isAncestorOf(control)) {
        const int top = control->mapTo(pnlMainForm_, QPoint(0, 0)).y();
        const int h = VertScrollBox1_->viewport()->height();
        const int v = VertScrollBox1_->verticalScrollBar()->value();
        if (top > v + h || top < v)
            VertScrollBox1_->verticalScrollBar()->setValue(top - h / 2);
    }
    UpdateMenuItems();
}

void TfrmMain::CalloutDispatch(QAbstractButton* button)
{
    notes_->Toggle(button);
}

void TfrmMain::DialogDispatch(QAbstractButton*) {}

void TfrmMain::OverrideClick(QWidget*)
{
    OverrideClick();
}

void TfrmMain::ShowPopup(QWidget* control, const QPoint& globalPosition)
{
    popupField_ = control;
    auto* edit = qobject_cast<QLineEdit*>(control);
    const bool selected = edit && edit->hasSelectedText();
    const bool writable = edit && !edit->isReadOnly();
    if (auto* cut = commands_.popMain->findChild<QAction*>(QStringLiteral("popCut")))
        cut->setEnabled(selected && writable);
    if (auto* copy = commands_.popMain->findChild<QAction*>(QStringLiteral("popCopy")))
        copy->setEnabled(selected);
    if (auto* paste = commands_.popMain->findChild<QAction*>(QStringLiteral("popPaste")))
        paste->setEnabled(writable && !QGuiApplication::clipboard()->text().isEmpty());
    ShowUndoCommands();
    commands_.popMain->popup(globalPosition);
}

void TfrmMain::ConnectFieldClipboard()
{
    for (const char* name : {"popCut", "popCopy", "popPaste"})
        if (QAction* item = commands_.popMain->findChild<QAction*>(QLatin1String(name)))
            connect(item, &QAction::triggered, this, [this, item] { FieldClipboard(item); });
}

// Cut, Copy and Paste work on the field whose popup menu was opened; what they put into the field
// passes its entry rules like typing.
void TfrmMain::FieldClipboard(const QAction* item)
{
    auto* edit = qobject_cast<QLineEdit*>(popupField_.data());
    if (!edit || !page_ || !page_->isAncestorOf(edit))
        return;
    const QString name = item->objectName();
    if (name == QLatin1String("popCut"))
        edit->cut();
    else if (name == QLatin1String("popCopy"))
        edit->copy();
    else if (name == QLatin1String("popPaste"))
        edit->paste();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && !inKeyPath_ && !closed_) {
        auto* receiver = qobject_cast<QWidget*>(watched);
        QWidget* focused = QApplication::focusWidget();
        if (receiver && receiver->window() == this && (receiver == focused || (!focused && receiver == this)))
            return KeyDown(receiver, static_cast<QKeyEvent*>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TfrmMain::KeyDown(QWidget* receiver, QKeyEvent* key)
{
    QScrollBar* vertical = VertScrollBox1_->verticalScrollBar();
    const bool control = key->modifiers() & Qt::ControlModifier;
    switch (key->key()) {
    case Qt::Key_Home:
        if (control) {
            vertical->setValue(0);
            return true;
        }
        break;
    case Qt::Key_End:
        if (control) {
            vertical->setValue(pnlMainForm_->height());
            return true;
        }
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        // Ctrl moves to the prior or next page (Display menu); here only when there is none.
        if (!control) {
            const int half = VertScrollBox1_->height() / 2;
            vertical->setValue(vertical->value() + (key->key() == Qt::Key_PageUp ? -half : half));
        }
        return true;
    default:
        break;
    }

    // In a text box, which takes these keys before any menu: its own typing first, then the steps.
    if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) {
        MoveInHistory(key->matches(QKeySequence::Undo));
        return true;
    }

    // No key marks the return as changed by itself: a change counts when it reaches the answers.
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    inKeyPath_ = true;
    if (enter) {
        QKeyEvent asTab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
        QCoreApplication::sendEvent(receiver, &asTab);
    } else {
        QCoreApplication::sendEvent(receiver, key);
    }
    inKeyPath_ = false;
    return true;
}

}  // namespace quorvan::app
