#pragma once
// Every question, file dialog and message the window puts to the preparer goes through this
// interface, so that a test can answer in place of a person. The default implementation shows
// the real dialogs.

#include "messages/Messages.h"

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

class QDialog;
class QWidget;

namespace quorvan::app {

enum class SaveAnswer { Yes, No, Cancel };
// What to do with the recovery copy a run left behind.
enum class RecoveryAnswer { Restore, Discard, KeepForLater };

// What an open or save dialog is asked to show.
struct FileDialogRequest {
    QString title;
    QString folder;         // starting folder, with a trailing separator
    QString suggestedName;  // may be empty
    QString filter;         // "Quorvan_16 Files (*.fq6)"
    QString defaultSuffix;  // "fq6"
};

class Prompts {
public:
    virtual ~Prompts() = default;

    // "Do You Want To Save Your Changes": Yes, No, Cancel.
    virtual SaveAnswer AskSaveChanges(QWidget* parent);
    // Yes/No question; true for Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& title, const QString& text);
    // Yes/No question in a warning box; true for Yes.
    virtual bool AskWarningYesNo(QWidget* parent, const QString& text);
    // A warning with two buttons, captioned `proceed` and `back`; true for `proceed`.
    virtual bool AskProceed(QWidget* parent, const QString& title, const QString& text, const QString& proceed,
                            const QString& back);
    // A fixed dialog of the program, shown modally; returns its result (QDialog::Accepted or
    // QDialog::Rejected). A test works the dialog's controls itself.
    virtual int RunDialog(QDialog& dialog);
    // A folder picker with `folder` preselected: the chosen folder, or empty when cancelled.
    virtual QString ChooseFolder(QWidget* parent, const QString& title, const QString& folder);
    // A warning with an OK button.
    virtual void Warn(QWidget* parent, const QString& text);
    // An information box with an OK button.
    virtual void Inform(QWidget* parent, const QString& text);
    // The chosen path, or empty when the preparer cancels.
    virtual QString OpenFileName(QWidget* parent, const FileDialogRequest& request);
    virtual QString SaveFileName(QWidget* parent, const FileDialogRequest& request);
    // A numbered message in the message dialog; returns when it is closed.
    virtual void ShowMessage(QWidget* parent, const TMessage& message);
    virtual void About(QWidget* parent);
    // Width and height of the screen the window starts on.
    virtual QSize ScreenSize();
    // The part of each screen a window may take (the desktop's panels left out), in desktop
    // coordinates.
    virtual QList<QRect> ScreenAreas();
    // A recovery copy left by a run that did not close: Restore, Discard or Keep for Later.
    virtual RecoveryAnswer AskRecovery(QWidget* parent, const QString& text);
};

}  // namespace quorvan::app
