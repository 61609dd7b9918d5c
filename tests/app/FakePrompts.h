#pragma once
// Answers the window's questions in place of a person and records what it was shown.

#include "app/dialogs/Prompts.h"

#include <QList>
#include <QStringList>

namespace quorvan::app::test {

struct PromptLog {
    QList<unsigned> messageCodes;   // numbered messages, in order
    QStringList messageExtras;
    QStringList warnings;
    QStringList notices;  // information boxes
    int savePrompts = 0;
    QList<FileDialogRequest> openRequests;
    QList<FileDialogRequest> saveRequests;
    QStringList questions;
    QStringList proceedQuestions;  // "go on anyway?" before printing a return the review faults
    QStringList recoveryQuestions;
};

// The answers a test gives; the log is shared so the test can read it after the window has it.
class FakePrompts : public Prompts {
public:
    explicit FakePrompts(PromptLog& log) : log_(log) {}

    SaveAnswer saveAnswer = SaveAnswer::No;
    QStringList openNames;  // taken one per open dialog; none left: cancel
    QStringList saveNames;
    bool yesNoAnswer = true;
    bool proceedAnswer = true;
    RecoveryAnswer recoveryAnswer = RecoveryAnswer::KeepForLater;
    QSize screen{1920, 1080};

    SaveAnswer AskSaveChanges(QWidget*) override
    {
        ++log_.savePrompts;
        return saveAnswer;
    }
    bool AskYesNo(QWidget*, const QString&, const QString& text) override
    {
        log_.questions << text;
        return yesNoAnswer;
    }
    bool AskProceed(QWidget*, const QString&, const QString& text, const QString&, const QString&) override
    {
        log_.proceedQuestions << text;
        return proceedAnswer;
    }
    void Warn(QWidget*, const QString& text) override { log_.warnings << text; }
    void Inform(QWidget*, const QString& text) override { log_.notices << text; }
    QString OpenFileName(QWidget*, const FileDialogRequest& request) override
    {
        log_.openRequests << request;
        return openNames.isEmpty() ? QString() : openNames.takeFirst();
    }
    QString SaveFileName(QWidget*, const FileDialogRequest& request) override
    {
        log_.saveRequests << request;
        return saveNames.isEmpty() ? QString() : saveNames.takeFirst();
    }
    void ShowMessage(QWidget*, const TMessage& message) override
    {
        log_.messageCodes << message.code;
        log_.messageExtras << QString::fromStdString(message.extra);
    }
    void About(QWidget*) override {}
    QSize ScreenSize() override { return screen; }
    // One screen of `screen`'s size unless a test sets others.
    QList<QRect> screenAreas;
    QList<QRect> ScreenAreas() override
    {
        return screenAreas.isEmpty() ? QList<QRect>{QRect(QPoint(0, 0), screen)} : screenAreas;
    }
    RecoveryAnswer AskRecovery(QWidget*, const QString& text) override
    {
        log_.recoveryQuestions << text;
        return recoveryAnswer;
    }

private:
    PromptLog& log_;
};

}  // namespace quorvan::app::test
