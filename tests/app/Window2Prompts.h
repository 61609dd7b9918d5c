#pragma once
// Test answers for the window's own dialogs (page chooser, K-1 allocation, Zoom, Shrink Font),
// its warning questions and folder pickers, and a window started in a temporary home.

#include "FakePrompts.h"
#include "PageFields.h"
#include "app/window/MainWindow.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace quorvan::app::test {

class Window2Prompts : public FakePrompts {
public:
    using DialogAnswer = std::function<void(QDialog&)>;

    explicit Window2Prompts(PromptLog& log) : FakePrompts(log) {}

    QList<DialogAnswer> dialogAnswers;  // one per dialog shown, in order; none left: Cancel
    QStringList dialogsShown;           // object names of the dialogs
    QStringList warningQuestions;
    bool warningAnswer = true;
    QStringList folderAnswers;  // one per folder picker; none left: cancel
    QStringList folderRequests;  // "title|folder"

    int RunDialog(QDialog& dialog) override
    {
        dialogsShown << dialog.objectName();
        dialog.show();
        if (dialogAnswers.isEmpty())
            dialog.reject();
        else
            dialogAnswers.takeFirst()(dialog);
        dialog.hide();
        return dialog.result();
    }
    bool AskWarningYesNo(QWidget*, const QString& text) override
    {
        warningQuestions << text;
        return warningAnswer;
    }
    QString ChooseFolder(QWidget*, const QString& title, const QString& folder) override
    {
        folderRequests << title + "|" + folder;
        return folderAnswers.isEmpty() ? QString() : folderAnswers.takeFirst();
    }
};

// Clicks a named button of a dialog.
inline void Click(QDialog& dialog, const char* button)
{
    auto* b = dialog.findChild<QAbstractButton*>(button);
    QVERIFY2(b, button);
    QTest::mouseClick(b, Qt::LeftButton);
}

// A main window in a fresh temporary home, reading the layouts the build generated.
class Window2Harness {
public:
    std::unique_ptr<QTemporaryDir> home;
    PromptLog log;
    Window2Prompts* prompts = nullptr;
    std::unique_ptr<TfrmMain> window;

    bool Start()
    {
        home = std::make_unique<QTemporaryDir>();
        log = PromptLog();
        auto fake = std::make_unique<Window2Prompts>(log);
        prompts = fake.get();
        StartOptions options;
        options.homeFolder = home->path();
        options.programFolder = QStringLiteral(QUORVAN_BUILD_DATA_DIR);
        window = std::make_unique<TfrmMain>(std::move(fake), options);
        window->State().SkipAnimations = true;
        window->show();
        return QTest::qWaitForWindowActive(window.get());
    }
    void Stop()
    {
        if (window) {
            prompts->saveAnswer = SaveAnswer::No;
            window->close();
        }
        window.reset();
    }
    // The edit of a named slot on the page on screen.
    QLineEdit* Edit(SlotRef field) { return FieldOf<QLineEdit>(window->Page(), field); }
    // Types into a field (replacing its text) and leaves it with Tab.
    void Type(SlotRef field, const QString& text)
    {
        QLineEdit* edit = Edit(field);
        QVERIFY2(edit, qPrintable(QStringLiteral("no field of slot %1 on the page").arg(field.slot)));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
};

}  // namespace quorvan::app::test
