// Recovery copies through the real window: a copy follows a change, a clean close or a save
// leaves none, a run that ended without closing has its copy offered at the next start, and
// restoring it brings back the same return; a copy of a program still running is never offered.

#include "FakePrompts.h"

#include "FileCommands.h"
#include "MainWindow.h"
#include "PageFields.h"
#include "RecoveryCopies.h"
#include "files/ClientFile.h"
#include "slot/Form1041Page1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <sstream>

using namespace quorvan;
using namespace quorvan::app;
using quorvan::app::test::FakePrompts;
using quorvan::app::test::PromptLog;

namespace {

namespace f1 = quorvan::slot::form1041Page1;

std::string WholeReturn(TAnswer& store)
{
    std::ostringstream text;
    WriteClientFile(store, text);
    return text.str();
}

}  // namespace

class RecoveryTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> home_;
    PromptLog log_;
    FakePrompts* prompts_ = nullptr;
    std::unique_ptr<TfrmMain> window_;

    QString RecoveryFolderPath() const { return home_->path() + "/Velmora/Quorvan_16/Recovery"; }
    QStringList CopiesOnDisk() const
    {
        return QDir(RecoveryFolderPath()).entryList({"*.fq6"}, QDir::Files);
    }
    // A window in the test's home; `answer` is what it says to a recovery copy it is offered.
    bool Start(RecoveryAnswer answer = RecoveryAnswer::KeepForLater)
    {
        log_ = PromptLog();
        auto prompts = std::make_unique<FakePrompts>(log_);
        prompts_ = prompts.get();
        prompts_->recoveryAnswer = answer;
        StartOptions options;
        options.homeFolder = home_->path();
        options.programFolder = QStringLiteral(QUORVAN_BUILD_DATA_DIR);
        window_ = std::make_unique<TfrmMain>(std::move(prompts), options);
        window_->State().SkipAnimations = true;
        window_->show();
        return QTest::qWaitForWindowActive(window_.get());
    }
    // The program stops without closing, as in a crash: nothing of the close runs.
    void Crash() { window_.reset(); }
    QLineEdit* Edit(SlotRef field) { return test::FieldOf<QLineEdit>(window_->Page(), field); }
    void Type(SlotRef field, const QString& text)
    {
        QLineEdit* edit = Edit(field);
        QVERIFY2(edit, qPrintable(QStringLiteral("no field of slot %1 on the page").arg(field.slot)));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }

private slots:
    void init() { home_ = std::make_unique<QTemporaryDir>(); }
    void cleanup()
    {
        if (window_) {
            prompts_->saveAnswer = SaveAnswer::No;
            window_->close();
        }
        window_.reset();
    }

    void aChangeIsCopiedAndACleanCloseLeavesNone();
    void savingRemovesTheCopy();
    void restoringAfterACrashGivesTheSameReturn();
    void copiesCanBeDiscardedOrKeptForLater();
    void aRunningProgramsCopyIsNeverOffered();
};

void RecoveryTest::aChangeIsCopiedAndACleanCloseLeavesNone()
{
    QVERIFY(Start());
    Autosave& autosave = window_->Recovery();
    Type(f1::line3Business, "4200");
    QVERIFY(autosave.Pending());  // within half a minute
    QVERIFY(!autosave.Folder().HasCopy());
    window_->DisplayCode(200);  // at once on a page change
    QVERIFY(autosave.Folder().HasCopy());
    const QString copy = autosave.Folder().CopyPath();
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                        | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    QCOMPARE(QFileInfo(copy).permissions() & others, QFileDevice::Permissions());
    QCOMPARE(QFileInfo(RecoveryFolderPath()).permissions() & others, QFileDevice::Permissions());
    QVERIFY(QFileInfo(copy).permissions() & QFileDevice::ReadOwner);

    autosave.SetInterval(10);
    window_->DisplayCode(100);
    Type(f1::line5Rents, "77");
    QTRY_VERIFY(!autosave.Pending());
    QFile written(copy);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll().contains("\r\n77\r\n"));

    prompts_->saveAnswer = SaveAnswer::No;
    QVERIFY(window_->close());
    QCOMPARE(CopiesOnDisk(), QStringList());
    window_.reset();
}

void RecoveryTest::savingRemovesTheCopy()
{
    QVERIFY(Start());
    Type(f1::line3Business, "4200");
    window_->DisplayCode(200);
    QCOMPARE(CopiesOnDisk().size(), 1);
    prompts_->saveNames << home_->path() + "/saved.fq6";
    QVERIFY(window_->Files().SaveAsClick());
    QCOMPARE(CopiesOnDisk(), QStringList());

    // Dropping the changes at New removes the copy as well.
    window_->DisplayCode(100);
    Type(f1::line3Business, "5");
    window_->DisplayCode(200);
    QCOMPARE(CopiesOnDisk().size(), 1);
    prompts_->saveAnswer = SaveAnswer::No;
    window_->Commands().mnuNew->trigger();
    QCOMPARE(CopiesOnDisk(), QStringList());
}

void RecoveryTest::restoringAfterACrashGivesTheSameReturn()
{
    const QString client = home_->path() + "/smith.fq6";
    QVERIFY(Start());
    Type(f1::nameOfEstateOrTrust, "Smith Family Trust");
    prompts_->saveNames << client;
    QVERIFY(window_->Files().SaveAsClick());
    Type(f1::line3Business, "12345");
    Type(f1::line5Rents, "(250)");
    window_->DisplayCode(200);
    const std::string before = WholeReturn(*window_->Store());
    Crash();
    QCOMPARE(CopiesOnDisk().size(), 1);

    QVERIFY(Start(RecoveryAnswer::Restore));
    QCOMPARE(log_.recoveryQuestions.size(), 1);
    QVERIFY2(log_.recoveryQuestions[0].contains(client), qPrintable(log_.recoveryQuestions[0]));
    QCOMPARE(WholeReturn(*window_->Store()), before);
    QCOMPARE(window_->windowHandle()->title(), QString("smith.fq6*"));  // restored changes are unsaved
    QCOMPARE(Edit(f1::line3Business)->text(), QString("12,345"));
    QVERIFY(window_->State().Modified);  // restored, not yet saved
    // The restored changes are this run's copy now; the old one is gone.
    QCOMPARE(CopiesOnDisk(), QStringList{QFileInfo(window_->Recovery().Folder().CopyPath()).fileName()});

    QVERIFY(window_->Files().SaveFile());
    QCOMPARE(CopiesOnDisk(), QStringList());
    TAnswer reread;
    QVERIFY(ReadClientFileAt(reread, client.toStdString()));
    QCOMPARE(reread.Text(1, 0, f1::line3Business.slot), std::string("12,345"));
}

void RecoveryTest::copiesCanBeDiscardedOrKeptForLater()
{
    QVERIFY(Start());
    Type(f1::line3Business, "9");
    window_->DisplayCode(200);
    Crash();

    QVERIFY(Start(RecoveryAnswer::KeepForLater));
    QCOMPARE(log_.recoveryQuestions.size(), 1);
    QVERIFY(log_.recoveryQuestions[0].contains("never saved"));
    QVERIFY(!window_->State().Modified);
    cleanup();
    QCOMPARE(CopiesOnDisk().size(), 1);

    QVERIFY(Start(RecoveryAnswer::Discard));
    QCOMPARE(log_.recoveryQuestions.size(), 1);
    QCOMPARE(CopiesOnDisk(), QStringList());
    cleanup();
    QVERIFY(Start());
    QCOMPARE(log_.recoveryQuestions.size(), 0);
}

void RecoveryTest::aRunningProgramsCopyIsNeverOffered()
{
    TAnswer store;
    store.SetText(1, 0, f1::line3Business.slot, "100");
    auto running = std::make_unique<RecoveryFolder>(RecoveryFolderPath());
    QString error;
    QVERIFY2(running->Write(store, "/somewhere/jones.fq6", error), qPrintable(error));

    RecoveryFolder starting(RecoveryFolderPath());
    QCOMPARE(starting.LeftOver().size(), 0);

    // Once the run has ended without closing, its copy is offered, naming its client file,
    // and to one starting program only.
    running.reset();
    const QList<RecoveryCopy> copies = starting.LeftOver();
    QCOMPARE(copies.size(), 1);
    QCOMPARE(copies[0].clientFileName, QString("/somewhere/jones.fq6"));
    RecoveryFolder alsoStarting(RecoveryFolderPath());
    QCOMPARE(alsoStarting.LeftOver().size(), 0);
    starting.Keep(copies[0]);
    QCOMPARE(alsoStarting.LeftOver().size(), 1);
}

QTEST_MAIN(RecoveryTest)
#include "RecoveryTest.moc"
