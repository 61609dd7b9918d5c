// Recovery copies through the real window: a copy follows a change, a clean close or a save
// leaves none, a run that ended without closing has its copy offered at the next start, and
// restoring it brings back the same return; a copy of a program still running is never offered.

#include "FakePrompts.h"

#include "PageFields.h"
#include "app/files/FileCommands.h"
#include "app/files/RecoveryCopies.h"
#include "app/window/MainWindow.h"
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
#include <sys/stat.h>
#include <unistd.h>

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
    void copyWithADamagedNoteIsOfferedAsOfUnknownOrigin_data();
    void copyWithADamagedNoteIsOfferedAsOfUnknownOrigin();
    void unknownOriginRestoresAsAnUntitledReturn();
    void entriesThatAreNoRegularFilesAreLeftAlone();
    void folderOthersMayOpenIsNeverUsed_data();
    void folderOthersMayOpenIsNeverUsed();
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

namespace {

// A copy as a run that ended without closing leaves it; returns its id.
QString LeaveCopy(const QString& folder, const QString& clientFile = "/somewhere/jones.fq6")
{
    TAnswer store;
    store.SetText(1, 0, f1::line3Business.slot, "100");
    RecoveryFolder run(folder);
    QString error;
    if (!run.Write(store, clientFile, error))
        qWarning("%s", qPrintable(error));
    return QFileInfo(run.CopyPath()).completeBaseName();
}

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

mode_t ModeOf(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 0777 : 0;
}

}  // namespace

void RecoveryTest::copyWithADamagedNoteIsOfferedAsOfUnknownOrigin_data()
{
    QTest::addColumn<QByteArray>("note");  // "-": no note; "fifo": a named pipe in its place
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("garbage") << QByteArray("\x01\xff\xfe garbage");
    QTest::newRow("no client line") << QByteArray("Quorvan_16 recovery copy\r\nwritten=2016-05-01T10:00:00\r\n");
    QTest::newRow("missing") << QByteArray("-");
    QTest::newRow("a named pipe") << QByteArray("fifo");
}

void RecoveryTest::copyWithADamagedNoteIsOfferedAsOfUnknownOrigin()
{
    QFETCH(QByteArray, note);
    const QString id = LeaveCopy(RecoveryFolderPath());
    const QString notePath = RecoveryFolderPath() + "/" + id + ".info";
    QVERIFY(QFile::remove(notePath));
    if (note == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(notePath).constData(), 0600), 0);
    else if (note != "-")
        QVERIFY(WriteBytes(notePath, note));

    RecoveryFolder starting(RecoveryFolderPath());
    QStringList skipped;
    const QList<RecoveryCopy> copies = starting.LeftOver(&skipped);
    QCOMPARE(copies.size(), 1);
    QCOMPARE(copies[0].clientFileName, QString());
    QVERIFY(copies[0].written.isValid());
    QCOMPARE(skipped, note == "fifo" ? QStringList{notePath} : QStringList());
    starting.Keep(copies[0]);
    // Nothing goes without the preparer's word.
    QCOMPARE(CopiesOnDisk(), QStringList{id + ".fq6"});
    QCOMPARE(QFileInfo::exists(notePath), note != "-");
}

void RecoveryTest::unknownOriginRestoresAsAnUntitledReturn()
{
    const QString id = LeaveCopy(RecoveryFolderPath());
    QVERIFY(WriteBytes(RecoveryFolderPath() + "/" + id + ".info", "damaged"));
    QVERIFY(Start(RecoveryAnswer::Restore));
    QCOMPARE(log_.recoveryQuestions.size(), 1);
    QVERIFY2(log_.recoveryQuestions[0].contains("a recovered return of unknown origin"),
             qPrintable(log_.recoveryQuestions[0]));
    QCOMPARE(window_->windowHandle()->title(), QString("Untitled.fq6*"));  // restored changes are unsaved
    QCOMPARE(Edit(f1::line3Business)->text(), QString("100"));
    QVERIFY(window_->State().Modified);
    QCOMPARE(log_.warnings, QStringList());
}

void RecoveryTest::entriesThatAreNoRegularFilesAreLeftAlone()
{
    const QString folder = RecoveryFolderPath();
    // A named pipe in place of a lock: locking it would wait for ever.
    const QString piped = LeaveCopy(folder);
    const QString pipe = folder + "/" + piped + ".lock";
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    // A link in place of a copy, to a file that must stay as it is.
    const QString outside = home_->path() + "/precious.fq6";
    QVERIFY(WriteBytes(outside, "precious"));
    const QString linked = LeaveCopy(folder);
    const QString link = folder + "/" + linked + ".fq6";
    QVERIFY(QFile::remove(link));
    QVERIFY(QFile::link(outside, link));

    RecoveryFolder starting(folder);
    QStringList skipped;
    QCOMPARE(starting.LeftOver(&skipped).size(), 0);
    skipped.sort();
    QStringList expected{pipe, link};
    expected.sort();
    QCOMPARE(skipped, expected);
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size(), 5);

    // At start-up the window says so once, and starts.
    QVERIFY(Start());
    QCOMPARE(log_.warnings.size(), 1);
    QVERIFY(log_.warnings[0].contains(pipe));
    QCOMPARE(log_.recoveryQuestions.size(), 0);
    QFile kept(outside);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("precious"));
}

void RecoveryTest::folderOthersMayOpenIsNeverUsed_data()
{
    QTest::addColumn<bool>("link");     // the Recovery folder is a link to the real one
    QTest::addColumn<uint>("owner");    // 0: the user's own
    QTest::addColumn<uint>("mode");
    QTest::addColumn<bool>("used");
    // link | owner | mode | used
    QTest::newRow("own folder made private") << false << 0u << 0755u << true;
    QTest::newRow("link to a shared folder") << true << 0u << 01777u << false;
    QTest::newRow("link to a private folder") << true << 0u << 0700u << true;
    QTest::newRow("another user's open folder") << false << 4321u << 0755u << false;
    QTest::newRow("another user's private folder") << false << 4321u << 0700u << true;
}

void RecoveryTest::folderOthersMayOpenIsNeverUsed()
{
    QFETCH(bool, link);
    QFETCH(uint, owner);
    QFETCH(uint, mode);
    QFETCH(bool, used);
    if (owner && ::geteuid() != 0)
        QSKIP("only the superuser may give a folder away");
    const QString real = link ? home_->path() + "/shared" : RecoveryFolderPath();
    QVERIFY(QDir().mkpath(real));
    if (link) {
        QVERIFY(QDir().mkpath(QFileInfo(RecoveryFolderPath()).absolutePath()));
        QVERIFY(QFile::link(real, RecoveryFolderPath()));
    }
    QCOMPARE(::chmod(QFile::encodeName(real).constData(), mode), 0);
    if (owner)
        QCOMPARE(::chown(QFile::encodeName(real).constData(), owner, owner), 0);
    const QString leftBefore = used ? LeaveCopy(RecoveryFolderPath()) : QString();

    RecoveryFolder folder(RecoveryFolderPath());
    QString problem;
    QStringList skipped;
    const QList<RecoveryCopy> copies = folder.LeftOver(&skipped, &problem);
    QCOMPARE(problem.isEmpty(), used);
    QCOMPARE(copies.size(), used ? 1 : 0);
    TAnswer store;
    QString error;
    QCOMPARE(folder.Write(store, "/x/y.fq6", error), used);
    if (!used) {
        QVERIFY2(error.contains("others may open it"), qPrintable(error));
        QCOMPARE(ModeOf(real), static_cast<mode_t>(mode & 0777));  // never changed, through a link or not
        QCOMPARE(QDir(real).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    } else {
        QCOMPARE(ModeOf(real), static_cast<mode_t>(0700));
    }
}

QTEST_MAIN(RecoveryTest)
#include "RecoveryTest.moc"
