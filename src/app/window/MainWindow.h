#pragma once
// The main window: owns the answer store of the open return, the window state, the working
// folders, the settings with the recent files, and every command. Page display, page binding,
// the command places and the file commands live in helpers of their own.

#include "app/commands/CommandHost.h"
#include "app/commands/Commands.h"
#include "app/dialogs/Prompts.h"
#include "app/history/AnswerHistory.h"
#include "app/pages/PageBinding.h"
#include "files/Folders.h"
#include "files/Settings.h"
#include "store/Answers.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <memory>

class QGraphicsOpacityEffect;
class QLabel;
class QLineEdit;
class QScrollArea;
class QSequentialAnimationGroup;
class QTreeWidget;
class QTreeWidgetItem;

namespace quorvan::review {
struct Finding;
}

namespace quorvan::app {

class Autosave;
struct RecoveryCopy;
class CalloutNotes;
class PageLayouts;
class DesktopShell;
class FileCommands;
class HelpCommands;
class PrintCommands;
class ReviewPanel;
class ScreenHooks;

// Edit > Cut, Copy and Paste.
enum class ClipboardCommand { Cut, Copy, Paste };

// Where the window finds its folders; empty fields mean: as the platform says.
struct StartOptions {
    QString homeFolder;     // the preparer's home (~)
    QString programFolder;  // installed data (PSF, RTF, DAT, PDF below it)
};

class TfrmMain : public QMainWindow, public CommandHost, private PageEvents {
    Q_OBJECT
public:
    explicit TfrmMain(std::unique_ptr<Prompts> prompts = nullptr, const StartOptions& options = {});
    ~TfrmMain() override;

    QWidget* Widget() override { return this; }
    WindowState& State() override { return state_; }
    const WindowState& State() const override { return state_; }
    WorkingFolders& Folders() override { return folders_; }
    Settings& Preferences() override { return settings_; }
    Prompts& Ask() override { return *prompts_; }
    MainCommands& Commands() { return commands_; }
    FileCommands& Files() { return *files_; }
    PrintCommands& Printing() { return *print_; }
    HelpCommands& Help() { return *help_; }
    // Starts programs and opens documents; a test puts a recorder in its place.
    DesktopShell& Shell() override { return *shell_; }
    void SetShell(std::unique_ptr<DesktopShell> shell);
    TAnswer* Store() override { return store_.get(); }
    QWidget* PagePanel() { return pnlMainForm_; }
    QWidget* Page() { return page_; }
    QTreeWidget* Tree() { return TreeView1_; }
    CalloutNotes& Notes() { return *notes_; }
    QScrollArea* ScrollBox() { return VertScrollBox1_; }

    // The answer store: a fresh empty store becomes the open return; the findings of the old
    // return go with it.
    TAnswer& ReplaceStore() override;

    // The preparer's steps for Undo and Redo.
    AnswerHistory& History() override { return *history_; }
    // Edit > Undo and Redo: the typing in the field being edited first, else the last step
    // (or the one taken back) with the return recalculated and its field shown.
    void UndoClick();
    void RedoClick();

    // Recovery copies of a return with unsaved changes, and those earlier runs left behind.
    Autosave& Recovery() override { return *autosave_; }
    // An answer of the open return changed: it has unsaved changes, and a recovery copy follows.
    void AnswersChanged() override;
    // At start-up: each recovery copy that a run which did not close left is offered.
    void OfferRecoveryCopies();
    // Restores, discards or keeps one copy; true when it was restored.
    bool AnswerRecoveryCopy(const RecoveryCopy& copy, RecoveryAnswer answer);
    // Numbered messages shown so far; a command that failed says so once.
    int MessagesShown() const override { return messagesShown_; }

    // Page display.
    void DisplayAPage(QAction* sender);
    void DisplayAPage(QTreeWidgetItem* sender);
    void DisplayCode(int pageCode) override;  // through mnuInvisible
    void ShowPage(int pageCode);
    void ClearPage();
    void Recalculate(bool storeFirst) override;
    void CompleteCalc();
    // The page on screen into the store, and the store into the page (Modified kept).
    void StorePage() override;
    void ShowAnswers();
    // Leaves the field being edited, so that its text is stored and recalculated.
    void CommitEditedField() override;

    // Commands.
    void UpdateMenuItems() override;
    void UpdateRecentMenu() override;
    void PriorClick();
    void NextClick();
    void RefreshClick();
    void ExpandLevel(QTreeWidgetItem* item);
    void GraphicsAdapterClick();
    void MinimizeClick();
    void ExitClick();
    void AboutBoxClick();
    void TableofContentsClick();
    void TutorialClick();
    void TreeItemClick(QTreeWidgetItem* item);

    // Commands whose dialogs come with their own units; here they keep the menus consistent.
    void OverrideClick();
    void NewForm(int formType);
    void ContinuationDlg(int pageCode);
    void DeleteForm(int formType);
    void PrintSelectedForms();
    void K1AllocationClick();
    // File > Import...: a broker's or bank's data file, shown first, then added as one step.
    void ImportStatementClick();
    // Recalculates until nothing changes, before the step begun is recorded.
    void SettleWithinStep();
    // Offers Override or Cancel Override for the control that received the focus.
    void SetOverride(QWidget* control);
    // Runs the page chooser for a continuation type; false when the preparer cancelled.
    bool ChooseContinuationPage(int formType, int& index);
    void ZoomClick();
    void ShrinkFontOnClick();
    void DefaultFileLocation(int tag);  // 0 client files, 1 prior year, 2 temporary folder
    // The page on screen scaled by PageScale, the page panel sized to it.
    void ApplyPageScale();

    // The return review (ReviewCommands.cpp).
    ReviewPanel* ReviewDock() { return review_; }
    // Reviews the open return after a recalculation; the Review panel and the status bar follow.
    void ReviewAfterCalculate();
    // Asked by the print commands before they print: true when the review finds no error or the
    // preparer chooses to print anyway; false sends the preparer back with the Review panel shown.
    bool ConfirmPrintWithReviewErrors() override;
    // Shows the page of a finding and puts the cursor in its field.
    void GoToFinding(const review::Finding& finding);

    // True when the temporary folder is a real folder of this user, the only kind print files
    // are written to and deleted in; else it is named, once a run, and false.
    bool TempFolderUsable() override;

    // Start-up and close, exposed for the program entry and tests.
    void FormCreate(const StartOptions& options);
    void FormShow();
    bool FormClose();  // false when the preparer cancelled

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Page events.
    void CalcOnExit(QWidget* control) override;
    void ControlChange() override;
    void ScrollOnEnter(QWidget* control) override;
    void CalloutDispatch(QAbstractButton* button) override;
    void DialogDispatch(QAbstractButton* button) override;
    void OverrideClick(QWidget* control) override;
    void ShowPopup(QWidget* control, const QPoint& globalPosition) override;

    void NewCommand();
    void OpenCommand();
    void SaveCommand();
    void BuildWindow();
    void BuildReviewPanel();
    void ShowReviewCounts();
    void ConnectCommands();
    bool KeyDown(QWidget* receiver, QKeyEvent* key);
    bool LoadLayout(const QString& path);
    void StartFadeIn();
    void SelectTreeItemForType(int formType);
    void SetCaption();
    void DeleteTemporaryFiles();
    void ApplyScreenSize();
    // The window's place, size and maximised state of the last run (WindowPlacement.cpp).
    void RestoreWindowPlace();
    void KeepWindowPlace();
    bool PageToWorkOn(int formType, int count, int& index);
    int PageShownAfterDelete(int formType, int deleted, int left) const;
    void ShowOverrideButtons(bool offerOverride, bool offerCancel);
    void OfferOverride(bool offerOverride, bool offerCancel);
    void CreateAutosave();
    QString LeftAmountText(QLineEdit* edit, int kind);
    void ConnectFieldClipboard();
    void FieldClipboard(const QAction* item);
    // On the field that has the focus; a computed field is only copied from.
    void EditCommand(ClipboardCommand command);
    void CreateHistory();
    // Undo and Redo offered, and named, for the field being edited or the steps.
    void ShowUndoCommands();
    void MoveInHistory(bool back);
    void ShowStepPlace(const StepPlace& place);
    // The step the page's changed controls make, named by the first of them.
    Step FieldStep(const QList<QWidget*>& changed) const;
    // A text box whose text is not the answer the store holds for it.
    bool FieldDiffersFromItsAnswer(QWidget* control) const;
    Step StepHere(const QString& label, int slot = -1) const;
    int CurrentPageCode() const;
    PageAddress CurrentPage() const { return {state_.CurrentFormType, state_.CurrentPageIndex}; }

    std::unique_ptr<Prompts> prompts_;
    OpenReturnStore store_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<PrintCommands> print_;
    std::unique_ptr<HelpCommands> help_;
    std::unique_ptr<DesktopShell> shell_;
    std::unique_ptr<ScreenHooks> hooks_;
    std::unique_ptr<PageLayouts> layouts_;
    std::unique_ptr<Autosave> autosave_;
    AnswerHistory* history_ = nullptr;
    CalloutNotes* notes_ = nullptr;  // the "?" notes open on the page
    WindowState state_;
    WorkingFolders folders_;
    Settings settings_;
    bool settingsWriteBack_ = true;  // false: the settings file could not be read; it stays as it is
    MainCommands commands_;
    QTreeWidget* TreeView1_ = nullptr;
    QScrollArea* VertScrollBox1_ = nullptr;
    QWidget* pnlMainForm_ = nullptr;
    QWidget* page_ = nullptr;
    QObject* pageEvents_ = nullptr;
    QGraphicsOpacityEffect* opacity_ = nullptr;
    QSequentialAnimationGroup* FloatAnimation1_ = nullptr;
    ReviewPanel* review_ = nullptr;
    QLabel* lblReviewCounts_ = nullptr;
    MessagePresenter previousPresenter_;
    bool shown_ = false;
    bool closed_ = false;
    bool tempFolderNamed_ = false;  // the temporary folder was named as unusable once this run
    bool inKeyPath_ = false;
    QPointer<QWidget> popupField_;  // the field whose popup menu is open
    int messagesShown_ = 0;
};

}  // namespace quorvan::app
