#pragma once
// The window as its command groups (files, printing, help) see it: the open return, its state,
// the preparer's folders and settings, the prompts, and the few window steps a command starts.
// The command groups hold this interface, so they need none of the main window's internals.

#include <QString>

class QWidget;

namespace quorvan {
class TAnswer;
struct Settings;
struct WorkingFolders;
}  // namespace quorvan

namespace quorvan::app {

class AnswerHistory;
class Autosave;
class DesktopShell;
class Prompts;

// Window state that outlives page displays.
struct WindowState {
    int CurrentFormType = -1;
    int CurrentPageIndex = -1;
    bool Modified = false;
    QString ClientFileName;
    bool SkipAnimations = false;
    double PageScale = 1.0;
    double FontShrink = 0;
    bool LeaveFieldActive = false;  // a leave-field recalculation is running
    int ContinuationChoice = 0;
    int BasePageWidth = 0;  // the page panel's width when the window was first shown
    bool WordProcessorFound = false;
};

class CommandHost {
public:
    virtual ~CommandHost() = default;

    // The window itself, as the parent of the dialogs a command opens.
    virtual QWidget* Widget() = 0;
    virtual WindowState& State() = 0;
    virtual const WindowState& State() const = 0;
    virtual WorkingFolders& Folders() = 0;
    virtual Settings& Preferences() = 0;
    virtual Prompts& Ask() = 0;
    virtual DesktopShell& Shell() = 0;
    virtual TAnswer* Store() = 0;
    // A fresh empty store becomes the open return; the findings of the old return go with it.
    virtual TAnswer& ReplaceStore() = 0;
    virtual AnswerHistory& History() = 0;
    virtual Autosave& Recovery() = 0;
    // An answer of the open return changed: it has unsaved changes, and a recovery copy follows.
    virtual void AnswersChanged() = 0;
    // Numbered messages shown so far; a command that failed says so once.
    virtual int MessagesShown() const = 0;

    virtual void DisplayCode(int pageCode) = 0;
    virtual void Recalculate(bool storeFirst) = 0;
    // The page on screen into the store.
    virtual void StorePage() = 0;
    // Leaves the field being edited, so that its text is stored and recalculated.
    virtual void CommitEditedField() = 0;
    virtual void UpdateMenuItems() = 0;
    virtual void UpdateRecentMenu() = 0;
    // True when the review finds no error or the preparer chooses to print anyway.
    virtual bool ConfirmPrintWithReviewErrors() = 0;
};

}  // namespace quorvan::app
