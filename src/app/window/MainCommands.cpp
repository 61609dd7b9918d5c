// The commands of the main window: wiring of menus, bars and tree to their handlers, the
// refresh of what is shown, hidden and checked, Prior/Next/Refresh and the small commands.

#include "app/window/MainWindow.h"

#include "app/files/FileCommands.h"
#include "app/help/HelpCommands.h"
#include "app/pages/PageTable.h"
#include "app/print/PrintCommands.h"

#include <QAbstractButton>
#include <QAction>
#include <QTreeWidget>

namespace quorvan::app {
namespace {

void SetPairVisible(QAbstractButton* icon, QAbstractButton* labelled, bool visible)
{
    icon->setVisible(visible);
    labelled->setVisible(visible);
}

}  // namespace

void TfrmMain::ConnectCommands()
{
    MainCommands& c = commands_;
    const auto onClick = [this](QAbstractButton* button, void (TfrmMain::*handler)()) {
        connect(button, &QAbstractButton::clicked, this, handler);
    };
    const auto onTrigger = [this](QAction* action, auto handler) { connect(action, &QAction::triggered, this, handler); };

    onTrigger(c.mnuNew, [this] { files_->NewClick(); });
    onTrigger(c.mnuClose, [this] { files_->NewClick(); });
    onTrigger(c.mnuOpen, [this] { files_->OpenClick(); });
    onTrigger(c.mnuImport, [this] { files_->ImportLastYear(); });
    onTrigger(c.mnuImportStatement, [this] { ImportStatementClick(); });
    onTrigger(c.mnuSave, [this] { files_->SaveFile(); });
    onTrigger(c.mnuSaveAs, [this] { files_->SaveAsClick(); });
    onTrigger(c.mnuPrint, [this] { PrintSelectedForms(); });
    onTrigger(c.mnuPrintPreview, [this] { print_->PrintPreviewClick(); });
    onTrigger(c.mnuExportPdf, [this] { print_->ExportPdfClick(); });
    onTrigger(c.mnuExit, [this] { ExitClick(); });
    for (QAction* item : c.HX)
        onTrigger(item, [this, item] { files_->ReOpenClick(item->property(kTagProperty).toInt()); });

    onTrigger(c.mnuUndo, [this] { UndoClick(); });
    onTrigger(c.mnuRedo, [this] { RedoClick(); });
    onTrigger(c.popUndo, [this] { UndoClick(); });
    onTrigger(c.popRedo, [this] { RedoClick(); });
    onTrigger(c.mnuCut, [this] { EditCommand(ClipboardCommand::Cut); });
    onTrigger(c.mnuCopy, [this] { EditCommand(ClipboardCommand::Copy); });
    onTrigger(c.mnuPaste, [this] { EditCommand(ClipboardCommand::Paste); });

    onTrigger(c.mnuNextPage, [this] { NextClick(); });
    onTrigger(c.mnuPriorPage, [this] { PriorClick(); });
    for (QAction* item : c.displayPageItems)
        onTrigger(item, [this, item] { DisplayAPage(item); });
    for (auto& [formType, items] : c.continuation) {
        const int type = formType;
        onTrigger(items.newItem, [this, type] { NewForm(type); });
        onTrigger(items.view, [this, type] { ContinuationDlg(type * 100); });
        onTrigger(items.remove, [this, type] { DeleteForm(type); });
    }

    onTrigger(c.mnuOverride, [this] { OverrideClick(); });
    onTrigger(c.mnuCancelOverride, [this] { OverrideClick(); });
    onTrigger(c.popOverride, [this] { OverrideClick(); });
    onTrigger(c.popDontOverride, [this] { OverrideClick(); });
    onTrigger(c.mnuK1Allocation, [this] { K1AllocationClick(); });
    for (QAction* item : {c.mnuDefaultFQ5, c.mnuDefaultFQ4, c.mnuDefaultTempDir})
        onTrigger(item, [this, item] { DefaultFileLocation(item->property(kTagProperty).toInt()); });
    onTrigger(c.mnuShrinkFont, [this] { ShrinkFontOnClick(); });
    onTrigger(c.mnuZoom, [this] { ZoomClick(); });
    onTrigger(c.mnuGraphicsAdapter, [this] { GraphicsAdapterClick(); });
    onTrigger(c.mnuMinimize, [this] { MinimizeClick(); });
    onTrigger(c.mnuTableofContents, [this] { TableofContentsClick(); });
    onTrigger(c.mnuTutorial, [this] { TutorialClick(); });
    onTrigger(c.mnuManual, [this] { help_->ManualClick(); });
    onTrigger(c.mnuPDF, [this] { help_->PDFClick(); });
    onTrigger(c.mnuForceWord, [this] { print_->ForceWordClick(); });
    onTrigger(c.mnuForceWordPad, [this] { print_->ForceWordPadClick(); });
    onTrigger(c.mnuFindWord, [this] { print_->FindWordClick(); });
    onTrigger(c.mnuAbout, [this] { AboutBoxClick(); });

    for (auto [icon, labelled, handler] : {
             std::make_tuple(c.cbtnNew, c.cbtnSmlNew, &TfrmMain::NewCommand),
             std::make_tuple(c.cbtnOpen, c.cbtnSmlOpen, &TfrmMain::OpenCommand),
             std::make_tuple(c.cbtnSave, c.cbtnSmlSave, &TfrmMain::SaveCommand),
             std::make_tuple(c.cbtnPrint, c.cbtnSmlPrint, &TfrmMain::PrintSelectedForms),
             std::make_tuple(c.cbtnPrior, c.cbtnSmlPrior, &TfrmMain::PriorClick),
             std::make_tuple(c.cbtnNext, c.cbtnSmlNext, &TfrmMain::NextClick),
             std::make_tuple(c.cbtnRefresh, c.cbtnSmlRefresh, &TfrmMain::RefreshClick),
             std::make_tuple(c.cbtnOverride, c.cbtnSmlOverride, static_cast<void (TfrmMain::*)()>(&TfrmMain::OverrideClick)),
             std::make_tuple(c.cbtnCancelOverride, c.cbtnSmlCancelOverride,
                             static_cast<void (TfrmMain::*)()>(&TfrmMain::OverrideClick)),
             std::make_tuple(c.cbtnKinWk, c.cbtnSmlKinWk, &TfrmMain::K1AllocationClick),
             std::make_tuple(c.cbtnExit, c.cbtnSmlExit, &TfrmMain::ExitClick),
         }) {
        onClick(icon, handler);
        onClick(labelled, handler);
    }
    connect(c.cbtnPrintPreview, &QAbstractButton::clicked, this, [this] { print_->PrintPreviewClick(); });
    connect(TreeView1_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { TreeItemClick(item); });
}

void TfrmMain::NewCommand() { files_->NewClick(); }
void TfrmMain::OpenCommand() { files_->OpenClick(); }
void TfrmMain::SaveCommand() { files_->SaveFile(); }

void TfrmMain::TreeItemClick(QTreeWidgetItem* item)
{
    switch (ActionOfItem(item)) {
    case TreeAction::Expand:
        ExpandLevel(item);
        break;
    case TreeAction::ShowPage:
        DisplayAPage(item);
        break;
    case TreeAction::SaveAs:
        files_->SaveAsClick();
        break;
    case TreeAction::Print:
        PrintSelectedForms();
        break;
    case TreeAction::NewForm:
        NewForm(TagOfItem(item));
        break;
    case TreeAction::ViewForm:
        ContinuationDlg(TagOfItem(item));
        break;
    case TreeAction::DeleteForm:
        DeleteForm(TagOfItem(item));
        break;
    }
}

void TfrmMain::UpdateMenuItems()
{
    if (!store_)
        return;
    MainCommands& c = commands_;
    SetCaption();
    const int type = state_.CurrentFormType;
    if (type != -1) {
        SetPairVisible(c.cbtnPrior, c.cbtnSmlPrior, false);
        SetPairVisible(c.cbtnNext, c.cbtnSmlNext, false);
        SetPairVisible(c.cbtnRefresh, c.cbtnSmlRefresh, true);
    }
    c.mnuForceWord->setChecked(settings_.ForceWord);
    c.mnuForceWordPad->setChecked(settings_.ForceWordPad);
    c.mnuGraphicsAdapter->setChecked(state_.SkipAnimations);
    c.mnuFindWord->setText(state_.WordProcessorFound ? QStringLiteral("Find Word: FOUND") : QStringLiteral("Find Word"));

    const PageInfo info = PageInfoFor(type);
    if (info.formType >= 0) {
        bool prior = info.hasPrior;
        bool next = info.hasNext;
        if (info.continuation) {
            const int* count = store_->CountField(type);
            const int pages = count ? *count : 0;
            prior = state_.CurrentPageIndex >= 1;
            next = state_.CurrentPageIndex < pages - 1;
        }
        SetPairVisible(c.cbtnPrior, c.cbtnSmlPrior, prior);
        SetPairVisible(c.cbtnNext, c.cbtnSmlNext, next);
    }
    // The keys go where the buttons would, and nowhere when they are hidden.
    c.mnuPriorPage->setEnabled(!c.cbtnPrior->isHidden());
    c.mnuNextPage->setEnabled(!c.cbtnNext->isHidden());

    for (auto& [formType, items] : c.continuation) {
        const int* count = store_->CountField(formType);
        const bool inUse = count && *count > 0;
        items.view->setVisible(inUse);
        items.remove->setVisible(inUse);
        items.treeView->setHidden(!inUse);
        items.treeDelete->setHidden(!inUse);
    }
}

void TfrmMain::UpdateRecentMenu()
{
    TrimRecentFiles(settings_.RecentFiles);
    commands_.HX_Line->setVisible(!settings_.RecentFiles.empty());
    for (int i = 0; i < static_cast<int>(commands_.HX.size()); ++i) {
        QAction* item = commands_.HX[i];
        const bool used = i < static_cast<int>(settings_.RecentFiles.size());
        item->setVisible(used);
        if (used)
            item->setText(QString::fromStdString(RecentFileCaption(i, settings_.RecentFiles[i])));
    }
}

void TfrmMain::PriorClick()
{
    const int target = PriorCode(state_.CurrentFormType, state_.CurrentPageIndex);
    if (target != kNoTarget)
        commands_.mnuInvisible->setProperty(kTagProperty, target);
    DisplayAPage(commands_.mnuInvisible);
}

void TfrmMain::NextClick()
{
    const int target = NextCode(state_.CurrentFormType, state_.CurrentPageIndex);
    if (target != kNoTarget)
        commands_.mnuInvisible->setProperty(kTagProperty, target);
    DisplayAPage(commands_.mnuInvisible);
}

void TfrmMain::RefreshClick()
{
    commands_.mnuInvisible->setProperty(kTagProperty, 0);
    CompleteCalc();
    DisplayCode(state_.CurrentFormType * 100 + state_.CurrentPageIndex);
}

void TfrmMain::ExpandLevel(QTreeWidgetItem* item)
{
    if (item)
        item->setExpanded(true);
}

void TfrmMain::GraphicsAdapterClick()
{
    state_.SkipAnimations = !state_.SkipAnimations;
    UpdateMenuItems();
}

void TfrmMain::MinimizeClick()
{
    showMinimized();
}

void TfrmMain::ExitClick()
{
    close();
}

void TfrmMain::AboutBoxClick()
{
    prompts_->About(this);
}

void TfrmMain::TableofContentsClick()
{
    help_->TableofContentsClick();
}

void TfrmMain::TutorialClick()
{
    help_->TutorialClick();
}

void TfrmMain::PrintSelectedForms()
{
    print_->PrintSelectedForms();
}

}  // namespace quorvan::app
