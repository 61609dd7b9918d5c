// Drives the real main window offscreen, in a temporary home folder: start-up and close with the
// settings file, typing into Form 1041 page 1, Enter and Tab, Prior/Next, the file commands with
// the recent list, the prior-year import, and a missing page layout.

#include "FakePrompts.h"
#include "PageFields.h"
#include "app/dialogs/TfrmErrorDlg.h"
#include "app/files/FileCommands.h"
#include "app/window/MainWindow.h"
#include "files/ClientFile.h"
#include "files/Folders.h"
#include "slot/Form1041Page1.h"

#include <QAbstractButton>
#include <QAbstractAnimation>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGraphicsEffect>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

using namespace quorvan;
using namespace quorvan::app;
using quorvan::app::test::FakePrompts;
using quorvan::app::test::PromptLog;

namespace {

namespace f1 = quorvan::slot::form1041Page1;

QString ReadText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

bool WriteText(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> home_;
    PromptLog log_;
    FakePrompts* prompts_ = nullptr;
    std::unique_ptr<TfrmMain> window_;

    QString Home() const { return home_->path(); }
    QString ClientFolder() const { return Home() + "/Velmora/Quorvan_16/Files"; }
    QString SettingsFile() const { return Home() + "/Velmora/Quorvan_16/quorvan_16.ini"; }

    // A window in the temporary home; `programFolder` empty: the layouts the build generated.
    bool Start(const QString& programFolder = QString(), QSize screen = QSize(1920, 1080))
    {
        auto prompts = std::make_unique<FakePrompts>(log_);
        prompts_ = prompts.get();
        prompts_->screen = screen;
        StartOptions options;
        options.homeFolder = Home();
        options.programFolder = programFolder.isEmpty() ? QStringLiteral(QUORVAN_BUILD_DATA_DIR) : programFolder;
        window_ = std::make_unique<TfrmMain>(std::move(prompts), options);
        window_->State().SkipAnimations = true;
        window_->show();
        return window_->isMinimized() || QTest::qWaitForWindowActive(window_.get());
    }
    QLineEdit* Edit(SlotRef field) { return test::FieldOf<QLineEdit>(window_->Page(), field); }
    // The title as the desktop shows it: "[*]" is the mark of unsaved changes.
    QString Caption() const { return window_->windowHandle()->title(); }
    // Types into a field and leaves it with `key`.
    void Type(SlotRef field, const QString& text, Qt::Key key = Qt::Key_Tab)
    {
        QLineEdit* edit = Edit(field);
        QVERIFY2(edit, qPrintable(QStringLiteral("no field of slot %1 on the page").arg(field.slot)));
        edit->setFocus();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, key);
    }
    bool Shown(QAbstractButton* button) { return !button->isHidden(); }

private slots:
    void init()
    {
        home_ = std::make_unique<QTemporaryDir>();
        log_ = PromptLog();
    }
    void cleanup()
    {
        if (window_) {
            prompts_->saveAnswer = SaveAnswer::No;
            window_->close();
        }
        window_.reset();
    }

    void startWritesSettingsAndCloseRemovesPrintFiles();
    void damagedSettingsKeepDefaultsAndStart();
    void settingsThatCouldNotBeReadAreNeverWrittenOver();
    void windowFitsTheScreen_data();
    void windowFitsTheScreen();
    void pagesFadeInUnlessGraphicsAdapterAdjust();
    void typedAmountUpdatesComputedLinesOnTab();
    void enterMovesOnLikeTabWithoutMarkingChanges();
    void pageKeysScrollWithoutMarkingChanges();
    void priorAndNextFollowThePage_data();
    void priorAndNextFollowThePage();
    void continuationItemsFollowThePageCount();
    void saveCloseStartAgainAndReopenFromRecentList();
    void failedSaveKeepsChangesAndTheOldFile();
    void saveAsGivesTheClientExtension();
    void openReadsTheFileAndCancelKeepsTheReturn();
    void defaultReturnPresetsEveryNewReturn();
    void unreadableRecentFileStartsUntitledReturn();
    void foreignFileIsReportedOnce();
    void priorYearImportSavesCurrentYearFile();
    void priorYearImportAsksBeforeReplacingThisYearsFile();
    void missingLayoutShowsMessageAndKeepsRunning();
    void closeWithChangesCanBeCancelled();
    void screenshots();
};

void MainWindowTest::startWritesSettingsAndCloseRemovesPrintFiles()
{
    QVERIFY(Start());
    QCOMPARE(Caption(), QString("Untitled.fq6"));
    QCOMPARE(window_->State().CurrentFormType, 1);
    QVERIFY(QFile::exists(SettingsFile()));  // a first start writes the defaults
    QVERIFY(WriteText(Home() + "/Velmora/Quorvan_16/Temp/send_temp3.RTF", "{\\rtf1}"));
    QVERIFY(WriteText(Home() + "/Velmora/Quorvan_16/Temp/keep.rtf", "{\\rtf1}"));

    window_->State().FontShrink = 1.5;
    QVERIFY(window_->close());
    const QStringList lines = ReadText(SettingsFile()).split("\r\n");
    QVERIFY(lines.size() >= 8);
    QCOMPARE(lines[0], ClientFolder());
    QCOMPARE(lines[1], Home() + "/Velmora/Quorvan_15/Files");
    QCOMPARE(lines[2], QString("reserved utf-8"));
    QCOMPARE(lines[3], QString("FALSE"));
    QCOMPARE(lines[4], QString("FALSE"));
    QCOMPARE(lines[5], QString(" 1.00000000000000E+0000"));
    QCOMPARE(lines[6], QString(" 1.50000000000000E+0000"));
    QCOMPARE(lines[7], QString("0"));
    QVERIFY(!QFile::exists(Home() + "/Velmora/Quorvan_16/Temp/send_temp3.RTF"));
    QVERIFY(QFile::exists(Home() + "/Velmora/Quorvan_16/Temp/keep.rtf"));
    QCOMPARE(log_.savePrompts, 0);
}

void MainWindowTest::damagedSettingsKeepDefaultsAndStart()
{
    QVERIFY(WriteText(SettingsFile(), "/elsewhere/files\r\n\r\nreserved\r\ntrue\r\nTRUE\r\nbig\r\ntwo\r\nmany\r\n"));
    QVERIFY(Start());
    QCOMPARE(window_->State().FontShrink, 0.0);
    QCOMPARE(window_->State().PageScale, 1.0);
    QCOMPARE(QString::fromStdString(window_->Folders().ClientFileFolder), QString("/elsewhere/files"));
    QCOMPARE(QString::fromStdString(window_->Folders().PriorYearFolder), Home() + "/Velmora/Quorvan_15/Files");
    QVERIFY(!window_->Preferences().ForceWord);  // only "TRUE" turns it on
    QVERIFY(window_->Preferences().ForceWordPad);
    QVERIFY(window_->Preferences().RecentFiles.empty());
    QVERIFY(Edit(f1::line3Business));  // page 1 is on screen
}

void MainWindowTest::settingsThatCouldNotBeReadAreNeverWrittenOver()
{
    // Too large to be a settings file: perhaps another program's, perhaps damaged; not ours to replace.
    const QByteArray large(2 << 20, 'x');
    QVERIFY(WriteText(SettingsFile(), large));
    QVERIFY(Start());
    QCOMPARE(log_.messageCodes, QList<unsigned>{33050});
    QVERIFY(log_.messageExtras[0].contains("kept in memory only"));
    QVERIFY(window_->close());
    window_.reset();
    QFile file(SettingsFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), large);
    QCOMPARE(log_.messageCodes.size(), 1);  // said once
}

void MainWindowTest::windowFitsTheScreen_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<int>("windowWidth");
    QTest::addColumn<double>("pageScale");
    QTest::addColumn<bool>("minimized");
    //                                  screen                 window width  scale  minimized
    QTest::newRow("narrow") << QSize(1000, 700) << 800 << 0.9 << true;
    QTest::newRow("1024") << QSize(1100, 800) << 1024 << 1.0 << false;
    QTest::newRow("1366") << QSize(1366, 768) << 1366 << 1.0 << false;
    QTest::newRow("1600") << QSize(1600, 900) << 1400 << 1.0 << false;
    QTest::newRow("1920") << QSize(1920, 1080) << 1435 << 1.0 << false;
    QTest::newRow("very wide") << QSize(12000, 2000) << 800 << 1.0 << false;
}

void MainWindowTest::windowFitsTheScreen()
{
    QFETCH(QSize, screen);
    QFETCH(int, windowWidth);
    QFETCH(double, pageScale);
    QFETCH(bool, minimized);
    QVERIFY(Start(QString(), screen));
    QCOMPARE(window_->width(), windowWidth);
    QCOMPARE(window_->height(), screen.height() - static_cast<int>(screen.height() * 0.075));
    QCOMPARE(window_->State().PageScale, pageScale);
    QCOMPARE(window_->isMinimized(), minimized);
    QCOMPARE(log_.messageCodes, minimized ? QList<unsigned>{11080} : QList<unsigned>{});
    QCOMPARE(window_->State().CurrentFormType, 1);
}

void MainWindowTest::pagesFadeInUnlessGraphicsAdapterAdjust()
{
    QVERIFY(Start());
    auto* fade = window_->findChild<QAbstractAnimation*>("FloatAnimation1");
    QVERIFY(fade);
    QCOMPARE(fade->state(), QAbstractAnimation::Stopped);

    window_->Commands().mnuGraphicsAdapter->trigger();
    QVERIFY(!window_->State().SkipAnimations);
    QVERIFY(!window_->Commands().mnuGraphicsAdapter->isChecked());
    window_->DisplayCode(200);
    QCOMPARE(fade->state(), QAbstractAnimation::Running);
    QCOMPARE(fade->totalDuration(), 2000);  // 0.25 s delay, then 1.75 s

    window_->Commands().mnuGraphicsAdapter->trigger();
    QVERIFY(window_->Commands().mnuGraphicsAdapter->isChecked());
    window_->DisplayCode(100);
    QCOMPARE(fade->state(), QAbstractAnimation::Stopped);
    QVERIFY(!window_->PagePanel()->graphicsEffect()->isEnabled());  // full opacity at once
}

void MainWindowTest::typedAmountUpdatesComputedLinesOnTab()
{
    QVERIFY(Start());
    QVERIFY(!window_->State().Modified);
    Type(f1::line3Business, "12345.6");
    QCOMPARE(Edit(f1::line3Business)->text(), QString("12,346"));
    QCOMPARE(Edit(f1::line9TotalIncome)->text(), QString("12,346"));  // line 9 total income
    QCOMPARE(Edit(f1::line17Adjusted)->text(), QString("12,346"));  // line 17 adjusted total income
    QVERIFY(QApplication::focusWidget() != Edit(f1::line3Business));
    QCOMPARE(QString::fromStdString(Answers->Text(1, 0, f1::line9TotalIncome.slot)), QString("12,346"));
    QVERIFY(window_->State().Modified);

    Type(f1::line11Taxes, "346");
    QCOMPARE(Edit(f1::line16Total)->text(), QString("346"));  // line 16
    QCOMPARE(Edit(f1::line17Adjusted)->text(), QString("12,000"));
    QVERIFY(log_.messageCodes.isEmpty());
}

void MainWindowTest::enterMovesOnLikeTabWithoutMarkingChanges()
{
    QVERIFY(Start());
    Edit(f1::line3Business)->setFocus();
    QTest::keyClick(Edit(f1::line3Business), Qt::Key_Return);
    QVERIFY(!window_->State().Modified);
    QWidget* afterEnter = QApplication::focusWidget();
    QVERIFY(afterEnter != Edit(f1::line3Business));

    Edit(f1::line3Business)->setFocus();
    QTest::keyClick(Edit(f1::line3Business), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), afterEnter);
    QVERIFY(!window_->State().Modified);

    Type(f1::line5Rents, "700", Qt::Key_Enter);
    QCOMPARE(Edit(f1::line9TotalIncome)->text(), QString("700"));
    QVERIFY(window_->State().Modified);
}

void MainWindowTest::pageKeysScrollWithoutMarkingChanges()
{
    QVERIFY(Start());
    QScrollBar* scroll = window_->ScrollBox()->verticalScrollBar();
    QLineEdit* field = Edit(f1::line3Business);
    field->setFocus();
    const int half = window_->ScrollBox()->height() / 2;
    const int start = scroll->value();
    QTest::keyClick(field, Qt::Key_PageDown);
    QCOMPARE(scroll->value(), start + half);
    QTest::keyClick(field, Qt::Key_PageUp);
    QCOMPARE(scroll->value(), start);
    QTest::keyClick(field, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(scroll->value(), scroll->maximum());
    QTest::keyClick(field, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(scroll->value(), 0);
    QCOMPARE(QApplication::focusWidget(), field);  // the keys were consumed
    QCOMPARE(field->text(), QString("0"));
    QVERIFY(!window_->State().Modified);
}

void MainWindowTest::priorAndNextFollowThePage_data()
{
    QTest::addColumn<int>("pageCode");
    QTest::addColumn<bool>("prior");
    QTest::addColumn<bool>("next");
    //                                         page code  prior  next
    QTest::newRow("Form 1041 page 1") << 100 << false << true;
    QTest::newRow("Form 1041 page 2") << 200 << true << true;
    QTest::newRow("Form 8960") << 3900 << true << false;
    QTest::newRow("Schedule I page 2") << 400 << true << true;
    QTest::newRow("max cap gains worksheet") << 1600 << true << true;
    QTest::newRow("Form 1041-QFT") << 1400 << false << false;
    QTest::newRow("Form 1041-T") << 1500 << false << false;
    QTest::newRow("Form 1041-V") << 2400 << false << false;
    QTest::newRow("28% rate gain worksheet") << 2700 << false << false;
    QTest::newRow("interest, first of three") << 1800 << false << true;
    QTest::newRow("interest, middle") << 1801 << true << true;
    QTest::newRow("interest, last") << 1802 << true << false;
    QTest::newRow("box A, only page") << 2900 << false << false;
}

void MainWindowTest::priorAndNextFollowThePage()
{
    QFETCH(int, pageCode);
    QFETCH(bool, prior);
    QFETCH(bool, next);
    QVERIFY(Start());
    Answers->NoOfInterest = 3;
    Answers->NoOf8949_A = 1;
    window_->DisplayCode(pageCode);
    MainCommands& c = window_->Commands();
    QCOMPARE(Shown(c.cbtnPrior), prior);
    QCOMPARE(Shown(c.cbtnSmlPrior), prior);
    QCOMPARE(Shown(c.cbtnNext), next);
    QCOMPARE(Shown(c.cbtnSmlNext), next);
    QVERIFY(Shown(c.cbtnRefresh));

    if (next) {
        c.cbtnNext->click();
        QVERIFY(window_->State().CurrentFormType * 100 + window_->State().CurrentPageIndex != pageCode);
        c.cbtnSmlPrior->click();
        QCOMPARE(window_->State().CurrentFormType * 100 + window_->State().CurrentPageIndex, pageCode);
    }
}

void MainWindowTest::continuationItemsFollowThePageCount()
{
    QVERIFY(Start());
    ContinuationItems& interest = window_->Commands().continuation.at(18);
    QVERIFY(!interest.view->isVisible() && interest.treeView->isHidden() && interest.treeDelete->isHidden());
    QVERIFY(interest.newItem->isVisible() && !interest.treeNew->isHidden());
    Answers->NoOfInterest = 1;
    window_->UpdateMenuItems();
    QVERIFY(interest.view->isVisible() && interest.remove->isVisible() && !interest.treeView->isHidden());

    // Box B is shown with box A's layout but keeps its own answers.
    Answers->NoOf8949_B = 1;
    window_->DisplayCode(3000);
    QCOMPARE(window_->Page()->objectName(), QString("page29"));
    QCOMPARE(window_->State().CurrentFormType, 30);
    QCOMPARE(window_->Tree()->currentItem()->data(0, kTreeNameRole).toString(), QString("tvwBoxBView"));
}

void MainWindowTest::saveCloseStartAgainAndReopenFromRecentList()
{
    QVERIFY(Start());
    QVERIFY(window_->Commands().HX_Line->isVisible() == false);
    Edit(f1::nameOfEstateOrTrust)->setFocus();
    QTest::keyClicks(Edit(f1::nameOfEstateOrTrust), "Hart Family Trust");
    Type(f1::line5Rents, "2500");
    prompts_->saveNames << ClientFolder() + "/hart.fq6";
    window_->Commands().mnuSave->trigger();
    QCOMPARE(log_.saveRequests.size(), 1);
    QCOMPARE(log_.saveRequests[0].suggestedName, QString("Hart Family Trust.fq6"));
    QCOMPARE(log_.saveRequests[0].folder, ClientFolder() + "/");
    QVERIFY(QFile::exists(ClientFolder() + "/hart.fq6"));
    QCOMPARE(Caption(), QString("hart.fq6"));
    QVERIFY(!window_->State().Modified);

    // A second save writes without asking.
    Type(f1::line6Farm, "100");
    window_->Commands().mnuSave->trigger();
    QCOMPARE(log_.saveRequests.size(), 1);
    QVERIFY(!window_->State().Modified);
    QVERIFY(window_->close());
    QCOMPARE(log_.savePrompts, 0);
    window_.reset();

    QVERIFY(Start());
    QCOMPARE(Caption(), QString("Untitled.fq6"));
    QAction* recent = window_->Commands().HX[0];
    QVERIFY(recent->isVisible() && window_->Commands().HX_Line->isVisible());
    QCOMPARE(recent->text(), QString("&0-hart.fq6"));
    QVERIFY(!window_->Commands().HX[1]->isVisible());
    recent->trigger();
    QCOMPARE(Caption(), QString("hart.fq6"));
    QCOMPARE(Edit(f1::nameOfEstateOrTrust)->text(), QString("Hart Family Trust"));
    QCOMPARE(Edit(f1::line9TotalIncome)->text(), QString("2,600"));
    QVERIFY(!window_->State().Modified);
    QVERIFY(log_.warnings.isEmpty());
}

void MainWindowTest::failedSaveKeepsChangesAndTheOldFile()
{
    QVERIFY(Start());
    Type(f1::line5Rents, "10");
    const QString path = ClientFolder() + "/kept.fq6";
    prompts_->saveNames << path;
    QVERIFY(window_->Files().SaveAsClick());
    const QString saved = ReadText(path);

    Type(f1::line5Rents, "20");
    QVERIFY(QFile::setPermissions(ClientFolder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const bool writable = QFile(ClientFolder() + "/probe").open(QIODevice::WriteOnly);
    if (writable) {
        QFile::setPermissions(ClientFolder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        // Running with rights that ignore folder permissions: a folder that does not exist fails.
        window_->State().ClientFileName = Home() + "/no/such/folder/kept.fq6";
    }
    QVERIFY(!window_->Files().SaveFile());
    QFile::setPermissions(ClientFolder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(log_.warnings.size(), 1);
    QVERIFY(log_.warnings[0].contains("kept.fq6"));
    QVERIFY(window_->State().Modified);
    QCOMPARE(ReadText(path), saved);

    // A write-protected file is the owner's word that it stays as it is, whoever runs the program.
    window_->State().ClientFileName = path;
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    QVERIFY(!window_->Files().SaveFile());
    QCOMPARE(log_.warnings.size(), 2);
    QVERIFY2(log_.warnings[1].contains(path + ": the file is write-protected (read-only)."),
             qPrintable(log_.warnings[1]));
    QVERIFY(window_->State().Modified);
    QCOMPARE(ReadText(path), saved);
}

void MainWindowTest::saveAsGivesTheClientExtension()
{
    QVERIFY(Start());
    Type(f1::line5Rents, "3");
    QVERIFY(QDir().mkpath(Home() + "/files.2016"));
    prompts_->saveNames << Home() + "/client.txt" << Home() + "/files.2016/second";
    QVERIFY(window_->Files().SaveAsClick());
    QCOMPARE(log_.messageCodes, QList<unsigned>{11010});
    QVERIFY(QFile::exists(Home() + "/client.fq6"));
    QCOMPARE(Caption(), QString("client.fq6"));

    // A return with a name offers an empty name box; a "." in a folder name is no extension.
    QVERIFY(window_->Files().SaveAsClick());
    QCOMPARE(log_.saveRequests[1].suggestedName, QString());
    QVERIFY(QFile::exists(Home() + "/files.2016/second.fq6"));
    QCOMPARE(window_->Preferences().RecentFiles.size(), size_t(2));
}

void MainWindowTest::openReadsTheFileAndCancelKeepsTheReturn()
{
    QVERIFY(Start());
    Type(f1::line5Rents, "4200");
    prompts_->saveNames << ClientFolder() + "/rents.fq6";
    QVERIFY(window_->Files().SaveAsClick());
    window_->Commands().mnuNew->trigger();
    QCOMPARE(Edit(f1::line5Rents)->text(), QString("0"));

    Type(f1::line6Farm, "5");
    prompts_->saveAnswer = SaveAnswer::Cancel;
    window_->Commands().mnuOpen->trigger();
    QCOMPARE(log_.openRequests.size(), 0);  // cancelled at the save prompt
    prompts_->saveAnswer = SaveAnswer::No;
    window_->Commands().mnuOpen->trigger();  // no name given: cancelled
    QCOMPARE(log_.openRequests.size(), 1);
    QCOMPARE(log_.openRequests[0].folder, ClientFolder() + "/");
    QVERIFY(window_->State().Modified);
    QCOMPARE(Edit(f1::line6Farm)->text(), QString("5"));

    prompts_->openNames << ClientFolder() + "/rents.fq6";
    window_->Commands().cbtnOpen->click();
    QCOMPARE(Caption(), QString("rents.fq6"));
    QCOMPARE(Edit(f1::line5Rents)->text(), QString("4,200"));
    QCOMPARE(Edit(f1::line6Farm)->text(), QString("0"));
    QVERIFY(!window_->State().Modified);
    QCOMPARE(window_->Commands().HX[0]->text(), QString("&0-rents.fq6"));
}

void MainWindowTest::defaultReturnPresetsEveryNewReturn()
{
    {
        TAnswer preset;
        preset.SetText(1, 0, f1::nameAndTitleOfFiduciary.slot, "First Bank, trustee");
        std::string error;
        QVERIFY(QDir().mkpath(ClientFolder()));
        QVERIFY(SaveClientFileAt(preset, (ClientFolder() + "/default.fq6").toStdString(), error));
    }
    QVERIFY(Start());
    QCOMPARE(Edit(f1::nameAndTitleOfFiduciary)->text(), QString("First Bank, trustee"));
    Edit(f1::nameAndTitleOfFiduciary)->clear();
    Type(f1::line5Rents, "1");
    window_->Commands().mnuClose->trigger();
    QCOMPARE(log_.savePrompts, 1);
    QCOMPARE(Edit(f1::nameAndTitleOfFiduciary)->text(), QString("First Bank, trustee"));
    QCOMPARE(Caption(), QString("Untitled.fq6"));
    QVERIFY(log_.messageCodes.isEmpty());
    window_->close();
    window_.reset();

    // A damaged preset is reported and the program starts all the same.
    QVERIFY(WriteText(ClientFolder() + "/default.fq6", "not a client file\r\n"));
    QVERIFY(Start());
    QCOMPARE(log_.messageCodes.mid(0, 1), QList<unsigned>{33010});
    QVERIFY(log_.messageCodes.contains(11340));
    QVERIFY(Edit(f1::line3Business));
}

void MainWindowTest::unreadableRecentFileStartsUntitledReturn()
{
    const QString damaged = ClientFolder() + "/damaged.fq6";
    const QByteArray damagedBytes = "Quorvan_16 Demo\r\n 2.00700000000000E+0001\r\n***** Page Counts\r\nnot a count\r\n";
    QVERIFY(WriteText(damaged, damagedBytes));
    QVERIFY(WriteText(SettingsFile(), ("\r\n\r\nreserved\r\nFALSE\r\nFALSE\r\n\r\n\r\n1\r\n" + damaged + "\r\n").toLatin1()));
    QVERIFY(Start());
    log_.messageCodes.clear();
    window_->Commands().HX[0]->trigger();
    // Reported once, by the reader's message naming the line that does not read.
    QCOMPARE(log_.messageCodes.size(), 1);
    QCOMPARE(log_.messageCodes[0] / 10, 3304u);
    QCOMPARE(log_.warnings, QStringList{});
    QCOMPARE(Caption(), QString("Untitled.fq6"));

    // Saving now asks for a name instead of writing over the damaged file.
    Type(f1::line5Rents, "5");
    window_->Commands().mnuSave->trigger();
    QCOMPARE(log_.saveRequests.size(), 1);
    QCOMPARE(ReadText(damaged).toLatin1(), damagedBytes);
}

void MainWindowTest::foreignFileIsReportedOnce()
{
    // The reader's own message says it; no second warning follows for Open or for Reopen.
    const QString foreign = ClientFolder() + "/foreign.fq6";
    QVERIFY(WriteText(foreign, "not a client file\r\n"));
    QVERIFY(WriteText(SettingsFile(), ("\r\n\r\nreserved\r\nFALSE\r\nFALSE\r\n\r\n\r\n1\r\n" + foreign + "\r\n").toLatin1()));
    QVERIFY(Start());
    prompts_->openNames << foreign;
    window_->Commands().mnuOpen->trigger();
    QCOMPARE(log_.messageCodes, QList<unsigned>{33010});
    window_->Commands().HX[0]->trigger();
    QCOMPARE(log_.messageCodes, (QList<unsigned>{33010, 33010}));
    QCOMPARE(log_.warnings, QStringList());
    QCOMPARE(Caption(), QString("Untitled.fq6"));
}

void MainWindowTest::priorYearImportSavesCurrentYearFile()
{
    QVERIFY(Start());
    Edit(f1::nameOfEstateOrTrust)->setFocus();
    QTest::keyClicks(Edit(f1::nameOfEstateOrTrust), "Old Estate");
    Type(f1::line5Rents, "900");
    const QString current = Home() + "/scratch.fq6";
    std::string error;
    window_->StorePage();
    QVERIFY(SaveClientFileAt(*window_->Store(), current.toStdString(), error));
    QString text = ReadText(current);
    text.replace(QString("Quorvan_16 Demo"), QString("Quorvan_15"));
    const QString prior = Home() + "/Velmora/Quorvan_15/Files/estate.fq5";
    QVERIFY(WriteText(prior, text.toLatin1()));

    window_->State().Modified = false;
    prompts_->openNames << prior;
    window_->Commands().mnuImport->trigger();
    QCOMPARE(log_.openRequests.size(), 1);
    QCOMPARE(log_.openRequests[0].folder, Home() + "/Velmora/Quorvan_15/Files/");
    QCOMPARE(Caption(), QString("estate.fq6"));
    QVERIFY(QFile::exists(ClientFolder() + "/estate.fq6"));
    QVERIFY(!window_->State().Modified);
    QCOMPARE(Edit(f1::nameOfEstateOrTrust)->text(), QString("Old Estate"));  // identification kept
    QCOMPARE(Edit(f1::line5Rents)->text(), QString("0"));           // last year's amounts emptied
    QCOMPARE(window_->Commands().HX[0]->text(), QString("&0-estate.fq6"));
    QVERIFY(log_.questions.isEmpty());
}

void MainWindowTest::priorYearImportAsksBeforeReplacingThisYearsFile()
{
    const QString thisYear = ClientFolder() + "/estate.fq6";
    QVERIFY(Start());
    Edit(f1::nameOfEstateOrTrust)->setFocus();
    QTest::keyClicks(Edit(f1::nameOfEstateOrTrust), "Estate");
    QTest::keyClick(Edit(f1::nameOfEstateOrTrust), Qt::Key_Tab);
    std::string error;
    window_->StorePage();
    QVERIFY(SaveClientFileAt(*window_->Store(), thisYear.toStdString(), error));
    const QString thisYearText = ReadText(thisYear);
    QString text = thisYearText;
    text.replace(QString("Quorvan_16 Demo"), QString("Quorvan_15"));
    const QString prior = Home() + "/Velmora/Quorvan_15/Files/estate.fq5";
    QVERIFY(WriteText(prior, text.toLatin1()));

    window_->State().Modified = false;
    prompts_->openNames << prior;
    prompts_->yesNoAnswer = false;
    prompts_->saveNames << ClientFolder() + "/estate-from-2015.fq6";
    window_->Commands().mnuImport->trigger();
    QCOMPARE(log_.questions.size(), 1);
    QVERIFY(log_.questions[0].contains("estate.fq6"));
    QCOMPARE(log_.saveRequests.size(), 1);
    QCOMPARE(ReadText(thisYear), thisYearText);
    QVERIFY(QFile::exists(ClientFolder() + "/estate-from-2015.fq6"));
    QCOMPARE(Caption(), QString("estate-from-2015.fq6"));
}

void MainWindowTest::missingLayoutShowsMessageAndKeepsRunning()
{
    QTemporaryDir program;
    QVERIFY(QDir().mkpath(program.path() + "/PSF"));
    QVERIFY(QFile::copy(QStringLiteral(QUORVAN_BUILD_DATA_DIR "/PSF/page1.psf"), program.path() + "/PSF/page1.psf"));
    QVERIFY(Start(program.path()));
    QVERIFY(log_.messageCodes.isEmpty());

    window_->Commands().cbtnNext->click();
    QCOMPARE(log_.messageCodes, QList<unsigned>{11150});
    QCOMPARE(log_.messageExtras[0], program.path() + "/PSF/page2.psf");
    QCOMPARE(window_->State().CurrentFormType, 2);
    QVERIFY(!window_->Page());
    QCOMPARE(Caption(), QString("Untitled.fq6"));
    QVERIFY(window_->isVisible());

    window_->Commands().cbtnPrior->click();
    QCOMPARE(window_->State().CurrentFormType, 1);
    QVERIFY(Edit(f1::line3Business));
}

void MainWindowTest::closeWithChangesCanBeCancelled()
{
    QVERIFY(Start());
    Type(f1::line5Rents, "1");
    const QString printFile = Home() + "/Velmora/Quorvan_16/Temp/send_temp.RTF";
    QVERIFY(WriteText(printFile, "{\\rtf1}"));
    prompts_->saveAnswer = SaveAnswer::Cancel;
    QVERIFY(!window_->close());
    QVERIFY(window_->isVisible());
    QVERIFY(window_->Store());
    QVERIFY(QFile::exists(printFile));
    QCOMPARE(log_.savePrompts, 1);

    prompts_->saveAnswer = SaveAnswer::No;
    QVERIFY(window_->close());
    QCOMPARE(log_.savePrompts, 2);
    QVERIFY(!QFile::exists(printFile));
}

// Pictures of the pages for a person to look at: set QUORVAN_SCREENSHOT_DIR to get them.
void MainWindowTest::screenshots()
{
    const QString folder = qEnvironmentVariable("QUORVAN_SCREENSHOT_DIR");
    if (folder.isEmpty())
        QSKIP("QUORVAN_SCREENSHOT_DIR not set");
    QVERIFY(Start());
    Type(f1::line3Business, "48000");
    Type(f1::line5Rents, "2150");
    Answers->NoOfInterest = 1;
    Answers->NoOf8949_A = 1;
    for (int code : {100, 200, 500, 1800, 2900}) {
        window_->DisplayCode(code);
        for (int part = 0; part < 3; ++part) {
            window_->ScrollBox()->verticalScrollBar()->setValue(part * 800);
            window_->grab().save(QString("%1/page%2-%3.png").arg(folder).arg(code).arg(part));
        }
    }
    // The whole page 1 at once, as on paper.
    window_->DisplayCode(100);
    window_->PagePanel()->grab().save(folder + "/page100-full.png");
    TfrmErrorDlg dialog(BuildMessage(11150, "/usr/share/quorvan_16/PSF/page2.psf"));
    dialog.grab().save(folder + "/message1115.png");
}

// The offscreen platform warns on every fixed-size widget; the warning says nothing here.
QtMessageHandler previous = nullptr;

void DropPlatformNoise(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.contains(QLatin1String("propagateSizeHints")))
        return;
    if (previous)
        previous(type, context, text);
}

int main(int argc, char** argv)
{
    previous = qInstallMessageHandler(DropPlatformNoise);
    // Nothing a test does may reach the real home folder.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QApplication application(argc, argv);
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MainWindowTest.moc"
