// Preview and Print, Print Preview, Export PDF and the word-processor switches, driven through the
// real main window offscreen in a temporary home. The print templates are the small fixtures of
// tests/data/print and the print layouts the generated ones; the word processor is a stand-in
// script that records how it was started, or fails as a broken installation does. The preview and
// PDF files need no word processor.

#include "FakePrompts.h"
#include "app/files/DesktopShell.h"
#include "app/print/PrintCommands.h"
#include "app/print/TfrmPrintPreview.h"
#include "app/print/TfrmSelectedForms.h"
#include "app/window/MainWindow.h"
#include "render/PaintedDocument.h"
#include "slot/Form1041Page1.h"
#include "slot/Form8949LongTerm.h"
#include "slot/ScheduleK1.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPdfDocument>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using namespace quorvan;
using namespace quorvan::app;
using quorvan::app::test::FakePrompts;
using quorvan::app::test::PromptLog;

namespace {

namespace f1 = quorvan::slot::form1041Page1;
namespace f8949d = quorvan::slot::form8949LongTerm;
namespace k1 = quorvan::slot::scheduleK1;

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool CopyFolder(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    for (const QFileInfo& entry : QDir(from).entryInfoList(QDir::Files))
        if (!QFile::copy(entry.filePath(), to + "/" + entry.fileName()))
            return false;
    return true;
}

// Records what the window would have started or opened, and answers as told.
struct ShellLog {
    QList<LaunchCommand> started;
    QStringList opened;
    bool startResult = true;
    bool openResult = true;
};

class RecordingShell : public DesktopShell {
public:
    explicit RecordingShell(ShellLog& log) : log_(log) {}
    bool StartProgram(const LaunchCommand& command) override
    {
        log_.started << command;
        return log_.startResult;
    }
    bool StartWatched(const LaunchCommand& command, int, ProgramEndHandler) override
    {
        log_.started << command;
        return log_.startResult;
    }
    bool OpenDocument(const QString& path) override
    {
        log_.opened << path;
        return log_.openResult;
    }

private:
    ShellLog& log_;
};

// The preparer at the selection dialog: works its boxes, then presses a button (its result).
class PrintPrompts : public FakePrompts {
public:
    using FakePrompts::FakePrompts;
    std::function<int(TfrmSelectedForms&)> atSelection = [](TfrmSelectedForms&) { return int(QDialog::Accepted); };
    int selectionDialogs = 0;
    int RunDialog(QDialog& dialog) override
    {
        auto* selection = qobject_cast<TfrmSelectedForms*>(&dialog);
        if (!selection)
            return QDialog::Rejected;
        ++selectionDialogs;
        return atSelection(*selection);
    }
};

// Only the boxes of `formTypes` ticked, then Preview/Print.
std::function<int(TfrmSelectedForms&)> Tick(QList<int> formTypes)
{
    return [formTypes](TfrmSelectedForms& dialog) {
        dialog.ClearAllClick();
        for (int formType : formTypes)
            dialog.Box(formType)->setChecked(true);
        return int(QDialog::Accepted);
    };
}

constexpr char kMarginsLine[] = "PageMargin=hex:d0,02,00,00,40,02,00,00,d0,02,00,00,68,01,00,00";

}  // namespace

class PrintCommandsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> home_;
    PromptLog log_;
    ShellLog shell_;
    PrintPrompts* prompts_ = nullptr;
    std::unique_ptr<TfrmMain> window_;

    QString Home() const { return home_->path(); }
    QString Program() const { return Home() + "/program"; }
    QString Temp() const { return Home() + "/Velmora/Quorvan_16/Temp"; }
    QString Registry() const { return Home() + "/Velmora/Quorvan_16/registry.ini"; }

    // A window whose program folder holds the print fixtures and the generated page layouts;
    // programs and documents go to the recording shell.
    bool Start()
    {
        const QString fixtures = QStringLiteral(QUORVAN_TEST_DATA_DIR) + "/print";
        if (!CopyFolder(fixtures + "/RTF", Program() + "/RTF") || !CopyFolder(fixtures + "/DAT", Program() + "/DAT"))
            return false;
        QFile::link(QStringLiteral(QUORVAN_BUILD_DATA_DIR) + "/PSF", Program() + "/PSF");
        QFile::link(QStringLiteral(QUORVAN_BUILD_DATA_DIR) + "/LAY", Program() + "/LAY");
        auto prompts = std::make_unique<PrintPrompts>(log_);
        prompts_ = prompts.get();
        StartOptions options;
        options.homeFolder = Home();
        options.programFolder = Program();
        window_ = std::make_unique<TfrmMain>(std::move(prompts), options);
        window_->SetShell(std::make_unique<RecordingShell>(shell_));
        window_->State().SkipAnimations = true;
        window_->show();
        const bool active = QTest::qWaitForWindowActive(window_.get());
        log_ = PromptLog();
        return active;
    }
    // "Word" is the program at `path`, as if start-up had found it there.
    void UseWriter(const QString& path)
    {
        window_->Printing().Word().wordFound = true;
        window_->Printing().Word().writerPath = path;
    }
    // A script standing in for the word processor: writes its working folder and arguments,
    // one a line, to `record`.
    QString StandIn(const QString& record)
    {
        const QString path = Home() + "/standin/soffice";
        const QByteArray script = "#!/bin/sh\npwd > '" + record.toUtf8() + ".part'\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> '" +
                                  record.toUtf8() + ".part'; done\nmv '" + record.toUtf8() + ".part' '" +
                                  record.toUtf8() + "'\n";
        WriteBytes(path, script);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    // An executable script `name` in the stand-in folder, running `body`.
    QString Script(const QString& name, const QByteArray& body)
    {
        const QString path = Home() + "/standin/" + name;
        WriteBytes(path, "#!/bin/sh\n" + body + "\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    // The preview windows the main window has open, oldest first.
    QList<TfrmPrintPreview*> Previews() const { return window_->findChildren<TfrmPrintPreview*>(); }
    // The text of every sheet of the preview's forms, in order, as a PDF of them reads.
    QStringList PageTexts(TfrmPrintPreview* preview) const
    {
        const QString path = Home() + "/preview-text.pdf";
        std::string error;
        if (!render::WritePdf(preview->Document(), path.toStdString(), "forms", error))
            return {QString::fromStdString(error)};
        QPdfDocument document;
        if (document.load(path) != QPdfDocument::Error::None)
            return {};
        QStringList texts;
        for (int page = 0; page < document.pageCount(); ++page)
            texts << document.getAllText(page).text();
        return texts;
    }
    static bool OwnerOnly(const QString& path)
    {
        return (QFileInfo(path).permissions() & 0x7777) ==
               (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    }
    QStringList PrintFiles() const
    {
        return QDir(Temp()).entryList({"send_temp*"}, QDir::Files, QDir::Name);
    }

private slots:
    void init()
    {
        home_ = std::make_unique<QTemporaryDir>();
        log_ = PromptLog();
        shell_ = ShellLog();
    }
    void cleanup()
    {
        if (window_)
            window_->close();
        window_.reset();
    }

    void selectionOpensWithTheReturnsDefaultsAndCloseStops();
    void selectAllAndClearAllReachEveryTab();
    void selectionNamesTheTickedFormsThatDoNotApply();
    void printHandsTheFileToWriterInTheTemporaryFolder();
    void forceWordPadOpensWithTheDesktopAndSetsMargins();
    void missingWordPadKeyShows2140AndPrintsAnyway();
    void wordProcessorThatCannotStartShows1155_data();
    void wordProcessorThatCannotStartShows1155();
    void wordProcessorThatFailsIsNamedAndThePreviewOffered_data();
    void wordProcessorThatFailsIsNamedAndThePreviewOffered();
    void previewOfferedAfterAFailureShowsTheForms();
    void previewShowsAsManyPagesAsTheSelectionPrints();
    void selectionDialogSendsToThePreviewInsteadOfTheWordProcessor();
    void findWordSearchesTheProgramFolders();
    void exportPdfWritesTheChosenFile();
    void exportPdfWithoutPrintLayoutsSaysSo();
};

void PrintCommandsTest::selectionOpensWithTheReturnsDefaultsAndCloseStops()
{
    QVERIFY(Start());
    Answers->SetText(ftForm8949E, 0, f8949d::sales::Slot(0, f8949d::sales::description),
                     "100 sh. Example Co.");                                // a box E page with a description only
    Answers->SetText(ftForm1041Page1, 0, f1::line2aDividends.slot, "0.4");  // dividends: zero as whole dollars
    Answers->SetOvRide(ftForm1041Page1, 0, f1::line2aDividends.slot,
                       true);  // overridden, so the recalculation keeps it
    Answers->NoOfSchedK = 2;
    window_->ShowAnswers();  // page 1 is stored before the dialog opens
    QMap<QString, bool> seen;
    int tab = -1;
    QStringList tabs;
    prompts_->atSelection = [&](TfrmSelectedForms& dialog) {
        auto* tabControl = dialog.findChild<QTabWidget*>("tbctrlMain");
        tab = tabControl->currentIndex();
        for (int i = 0; i < tabControl->count(); ++i)
            tabs << tabControl->tabText(i);
        for (const PrintBox& box : PrintBoxes()) {
            auto* check = dialog.findChild<QCheckBox*>(box.objectName);
            if (check)
                seen[box.objectName] = check->isChecked();
        }
        dialog.findChild<QPushButton*>("btnClose")->click();
        return dialog.result();
    };
    window_->Commands().mnuPrint->trigger();

    QCOMPARE(prompts_->selectionDialogs, 1);
    QCOMPARE(tab, 0);
    QCOMPARE(tabs, QStringList({"Form 1041", "Form 1041-A", "Form 1041-ES", "Form 1041-QFT", "Form 1041-T"}));
    QCOMPARE(seen.size(), int(PrintBoxes().size()));
    QStringList ticked;
    for (auto it = seen.begin(); it != seen.end(); ++it)
        if (it.value())
            ticked << it.key();
    ticked.sort();
    QCOMPARE(ticked, QStringList({"cbx8949E", "cbxForm1041_1", "cbxForm1041_2", "cbxScheduleK1"}));
    // Close: nothing built, written or started.
    QVERIFY(PrintFiles().isEmpty());
    QVERIFY(shell_.started.isEmpty() && shell_.opened.isEmpty());

    // Every box cleared: the preparer is told, and nothing is written either.
    prompts_->atSelection = Tick({});
    window_->Commands().mnuPrint->trigger();
    QCOMPARE(log_.warnings, QStringList{"No form is ticked, so there is nothing to print."});
    QVERIFY(PrintFiles().isEmpty());
    QVERIFY(shell_.started.isEmpty() && shell_.opened.isEmpty());
}

// A trust that is no funeral trust and made no accumulation distribution: Form 1041-QFT and
// Schedule J, ticked, are named under the tabs as left out; untick them and the note goes.
void PrintCommandsTest::selectionNamesTheTickedFormsThatDoNotApply()
{
    QVERIFY(Start());
    QString withThem, withoutThem;
    bool shownWithThem = false, shownWithoutThem = true;
    prompts_->atSelection = [&](TfrmSelectedForms& dialog) {
        auto* note = dialog.findChild<QLabel*>("lblLeftOut");
        dialog.ClearAllClick();
        for (int formType : {ftForm1041Page1, ftForm1041QFT, ftScheduleJPage1, ftScheduleJPage2})
            dialog.Box(formType)->setChecked(true);
        withThem = note->text();
        shownWithThem = !note->isHidden();
        for (int formType : {ftForm1041QFT, ftScheduleJPage1, ftScheduleJPage2})
            dialog.Box(formType)->setChecked(false);
        withoutThem = note->text();
        shownWithoutThem = !note->isHidden();
        return int(QDialog::Rejected);
    };
    window_->Commands().mnuPrint->trigger();

    QCOMPARE(prompts_->selectionDialogs, 1);
    QVERIFY(shownWithThem);
    QCOMPARE(withThem, QStringLiteral("Left out, as they do not apply to this return: Schedule J, Form 1041-QFT."));
    QVERIFY(!shownWithoutThem);
    QCOMPARE(withoutThem, QString());
    QVERIFY(PrintFiles().isEmpty());
}

void PrintCommandsTest::selectAllAndClearAllReachEveryTab()
{
    ScopedAnswerStore store;
    TfrmSelectedForms dialog(DefaultSelection(*store));
    QCOMPARE(dialog.windowTitle(), QString("Print Selected Forms"));
    QCOMPARE(dialog.findChild<QPushButton*>("btnOk")->text(), QString("Preview/Print"));

    // The popup's Select All is offered on the tab control and every panel but Form 1041-A's.
    auto* tabControl = dialog.findChild<QTabWidget*>("tbctrlMain");
    auto* selectAll = dialog.findChild<QAction*>("popSelectAll");
    QVERIFY(selectAll);
    QVERIFY(tabControl->actions().contains(selectAll));
    for (int i = 0; i < tabControl->count(); ++i) {
        QWidget* panel = tabControl->widget(i);
        const bool offered = panel->contextMenuPolicy() == Qt::ActionsContextMenu && panel->actions().contains(selectAll);
        QCOMPARE(offered, panel->objectName() != "tabForm1041A");
    }
    QCOMPARE(tabControl->widget(1)->contextMenuPolicy(), Qt::PreventContextMenu);

    selectAll->trigger();
    for (const PrintBox& box : PrintBoxes())
        QVERIFY2(dialog.Selection().Ticked(box.formType), box.objectName);
    const QString folder = qEnvironmentVariable("QUORVAN_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        dialog.show();
        for (int i = 0; i < tabControl->count(); ++i) {
            tabControl->setCurrentIndex(i);
            dialog.grab().save(QString("%1/print-selection-%2.png").arg(folder).arg(i));
        }
    }
    dialog.findChild<QPushButton*>("btnClearAll")->click();
    QVERIFY(dialog.Selection().Empty());
}

void PrintCommandsTest::printHandsTheFileToWriterInTheTemporaryFolder()
{
    QVERIFY(Start());
    window_->SetShell(std::make_unique<DesktopShell>());
    const QString record = Home() + "/standin/record.txt";
    UseWriter(StandIn(record));
    Answers->SetText(ftForm1041Page1, 0, f1::nameOfEstateOrTrust.slot, "Estate of Ada Lovelace");
    window_->ShowAnswers();
    prompts_->atSelection = Tick({ftForm1041Page1, ftScheduleDPage1});
    window_->Commands().mnuPrint->trigger();

    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
    const QStringList lines = QString::fromUtf8(ReadBytes(record)).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines, QStringList({QDir(Temp()).canonicalPath(), "send_temp.RTF"}));
    const QByteArray document = ReadBytes(Temp() + "/send_temp.RTF");
    QVERIFY(document.startsWith("{\\rtf1"));
    QVERIFY(document.contains("Estate of Ada Lovelace"));
    QVERIFY(document.indexOf("Form 1041 page 1") < document.indexOf("\\pagebb "));
    QVERIFY(document.contains("Net short-term gain"));  // Schedule D's body, after the break
    QVERIFY(!ReadBytes(Registry()).contains("PageMargin"));  // Word leaves WordPad's margins alone
    QCOMPARE(log_.messageCodes, QList<unsigned>{});
    QCOMPARE(log_.warnings, QStringList{});
}

void PrintCommandsTest::forceWordPadOpensWithTheDesktopAndSetsMargins()
{
    QVERIFY(Start());
    // A first start makes the WordPad options key, as WordPad itself would.
    QVERIFY(ReadBytes(Registry()).contains("[Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\WordPad\\Options]"));
    UseWriter("/usr/bin/true");
    window_->Commands().mnuForceWord->trigger();
    window_->Commands().mnuForceWordPad->trigger();
    QVERIFY(window_->Commands().mnuForceWord->isChecked());
    QVERIFY(window_->Commands().mnuForceWordPad->isChecked());

    window_->Commands().mnuPrint->trigger();  // the defaults: Form 1041 pages 1 and 2
    QVERIFY(shell_.started.isEmpty());        // WordPad wins over Word
    QCOMPARE(shell_.opened, QStringList{Temp() + "/send_temp.RTF"});
    QVERIFY(ReadBytes(Registry()).contains(kMarginsLine));
    QCOMPARE(log_.messageCodes, QList<unsigned>{});

    // The reader still holds the first file: the next print goes to a numbered one.
    QVERIFY(WriteBytes(Temp() + "/.~lock.send_temp.RTF#", "held"));
    window_->Commands().mnuPrint->trigger();
    QCOMPARE(shell_.opened.size(), 2);
    QVERIFY2(QRegularExpression("^" + QRegularExpression::escape(Temp()) + "/send_temp\\d{1,3}\\.rtf$")
                 .match(shell_.opened[1]).hasMatch(), qPrintable(shell_.opened[1]));
    QVERIFY(QFile::exists(shell_.opened[1]));
    QCOMPARE(PrintFiles().size(), 2);

    // Close keeps both switches and deletes both print files.
    QVERIFY(window_->close());
    const QStringList settings = QString::fromLatin1(ReadBytes(Home() + "/Velmora/Quorvan_16/quorvan_16.ini")).split("\r\n");
    QCOMPARE(settings.mid(3, 2), QStringList({"TRUE", "TRUE"}));
    QVERIFY(PrintFiles().isEmpty());
}

void PrintCommandsTest::missingWordPadKeyShows2140AndPrintsAnyway()
{
    // A registry file the preparer has already, without the key: nothing makes it behind his back.
    QVERIFY(WriteBytes(Registry(), "[Other]\r\n"));
    QVERIFY(Start());
    window_->Commands().mnuForceWordPad->trigger();
    window_->Commands().mnuPrint->trigger();
    QCOMPARE(log_.messageCodes, QList<unsigned>{21400});
    QCOMPARE(shell_.opened, QStringList{Temp() + "/send_temp.RTF"});
    QCOMPARE(ReadBytes(Registry()), QByteArray("[Other]\r\n"));
}

void PrintCommandsTest::wordProcessorThatCannotStartShows1155_data()
{
    QTest::addColumn<bool>("forceWordPad");
    QTest::addColumn<QString>("followUp");
    //                                   WordPad forced   the follow-up names what failed
    QTest::newRow("writer missing") << false << "The word processor %1 could not be started.";
    QTest::newRow("desktop has no reader") << true << "The desktop has no application that opens the forms (RTF documents).";
}

void PrintCommandsTest::wordProcessorThatCannotStartShows1155()
{
    QFETCH(bool, forceWordPad);
    QFETCH(QString, followUp);
    QVERIFY(Start());
    const QString missing = Home() + "/no/such/soffice";
    if (forceWordPad) {
        shell_.openResult = false;
        window_->Commands().mnuForceWordPad->trigger();
        window_->Printing().Word().writerPath.clear();
    } else {
        window_->SetShell(std::make_unique<DesktopShell>());
        UseWriter(missing);
    }
    window_->Commands().mnuPrint->trigger();
    QCOMPARE(log_.messageCodes, QList<unsigned>{11550});
    QVERIFY(QFile::exists(Temp() + "/send_temp.RTF"));
    // The preview needs no word processor: it is offered.
    QCOMPARE(log_.questions,
             QStringList{followUp.arg(missing) + " Show the forms in the print preview instead?"});
    QCOMPARE(log_.warnings, QStringList{});
}

void PrintCommandsTest::wordProcessorThatFailsIsNamedAndThePreviewOffered_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<bool>("withoutWindows");
    QTest::addColumn<bool>("runs");
    QTest::addColumn<QList<unsigned>>("codes");
    QTest::addColumn<QString>("reason");
    // The stand-in's body (after a line that records its start); whether its folder is a
    // LibreOffice without window plugins; whether it runs; the messages; what the preparer is
    // told ("": nothing).
    QTest::newRow("ends with an error")
        << QByteArray("echo 'Failed to open display' >&2\nexit 1") << false << true << QList<unsigned>{}
        << "The word processor %1 ended with an error (exit status 1) before it showed the forms. It said: "
           "Failed to open display";
    QTest::newRow("killed") << QByteArray("kill -KILL $$") << false << true << QList<unsigned>{}
                            << "The word processor %1 stopped (signal 9) before it showed the forms.";
    QTest::newRow("interpreter missing") << QByteArray("#!/no/such/shell") << false << false << QList<unsigned>{11550}
                                         << "The word processor %1 could not be started (No such file or directory).";
    QTest::newRow("built without windows")
        << QByteArray("exit 0") << true << false << QList<unsigned>{}
        << "The word processor %1 is a LibreOffice built without windows, so it cannot show the forms. Install the "
           "package libreoffice-writer to use it.";
    // Handed to a Writer already open, or still showing the forms when the watch ends: all is well.
    QTest::newRow("hands over at once") << QByteArray("exit 0") << false << true << QList<unsigned>{} << "";
    QTest::newRow("runs on") << QByteArray("sleep 2") << false << true << QList<unsigned>{} << "";
}

void PrintCommandsTest::wordProcessorThatFailsIsNamedAndThePreviewOffered()
{
    QFETCH(QByteArray, script);
    QFETCH(bool, withoutWindows);
    QFETCH(bool, runs);
    QFETCH(QList<unsigned>, codes);
    QFETCH(QString, reason);
    QVERIFY(Start());
    window_->SetShell(std::make_unique<DesktopShell>());
    const QString ran = Home() + "/standin/ran";
    const QString soffice = Script("program/soffice", "touch '" + ran.toUtf8() + "'\n" + script);
    if (script.startsWith("#!"))
        QVERIFY(WriteBytes(soffice, script + "\n"));
    if (withoutWindows)
        QVERIFY(WriteBytes(Home() + "/standin/program/soffice.bin", ""));
    UseWriter(soffice);
    window_->Printing().Word().watchMs = 500;
    prompts_->yesNoAnswer = false;
    window_->Commands().mnuPrint->trigger();

    if (reason.isEmpty()) {
        QTRY_VERIFY(QFile::exists(ran));
        QTest::qWait(1500);  // beyond the watch
        QCOMPARE(log_.questions, QStringList{});
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(log_.questions.size(), 1, 10000);
        QCOMPARE(log_.questions[0], reason.arg(soffice) + " Show the forms in the print preview instead?");
        QCOMPARE(QFile::exists(ran), runs);
    }
    QCOMPARE(log_.messageCodes, codes);
    QCOMPARE(log_.warnings, QStringList{});
    QVERIFY(Previews().isEmpty());  // the preparer said No
}

void PrintCommandsTest::previewOfferedAfterAFailureShowsTheForms()
{
    QVERIFY(Start());
    window_->SetShell(std::make_unique<DesktopShell>());
    // A LibreOffice that cannot open a window, as on a machine without a display.
    UseWriter(Script("soffice", "echo 'Failed to open display' >&2\nexit 81"));
    Answers->SetText(ftForm1041Page1, 0, f1::nameOfEstateOrTrust.slot, "Estate of Ada Lovelace");
    window_->ShowAnswers();
    window_->Commands().mnuPrint->trigger();  // the defaults: Form 1041 pages 1 and 2
    // The forms offered are those asked for, whatever the return holds by the time of the failure.
    Answers->SetText(ftForm1041Page1, 0, f1::nameOfEstateOrTrust.slot, "Estate of Someone Else");

    QTRY_COMPARE_WITH_TIMEOUT(Previews().size(), 1, 20000);
    QCOMPARE(log_.questions.size(), 1);
    QVERIFY(log_.questions[0].contains("exit status 81"));
    const QStringList pages = PageTexts(Previews()[0]);
    QCOMPARE(pages.size(), 2);
    QVERIFY(pages[0].contains("Estate of Ada Lovelace"));
    QVERIFY(pages[1].contains("Income Distribution Deduction"));
    QCOMPARE(log_.warnings, QStringList{});
}

void PrintCommandsTest::previewShowsAsManyPagesAsTheSelectionPrints()
{
    QVERIFY(Start());
    // The toolbar's button asks for the forms with its own caption and no second preview button.
    QString okCaption;
    bool previewButtonShown = true;
    prompts_->atSelection = [&](TfrmSelectedForms& dialog) {
        okCaption = dialog.findChild<QPushButton*>("btnOk")->text();
        previewButtonShown = !dialog.findChild<QPushButton*>("btnPreview")->isHidden();
        return int(QDialog::Rejected);
    };
    window_->Commands().cbtnPrintPreview->click();
    QCOMPARE(prompts_->selectionDialogs, 1);
    QCOMPARE(okCaption, QString("Print Preview"));
    QVERIFY(!previewButtonShown);
    QVERIFY(Previews().isEmpty());

    // No word processor is needed to preview the forms.
    window_->Printing().Word() = WordProcessors();
    Answers->SetText(ftForm1041Page1, 0, f1::nameOfEstateOrTrust.slot, "Estate of Ada Lovelace");
    Answers->NoOfSchedK = 3;
    for (int k = 0; k < 3; ++k)
        Answers->SetText(ftScheduleK1, k, k1::itemFIdentifyingNumber.slot,
                         QString("Beneficiary %1").arg(k + 1).toStdString());
    window_->ShowAnswers();
    PrintSelection selection;
    for (int formType : {ftForm1041Page1, ftForm1041Page2, ftScheduleK1})
        selection.SetTicked(formType, true);
    prompts_->atSelection = Tick({ftForm1041Page1, ftForm1041Page2, ftScheduleK1});
    window_->Commands().mnuPrintPreview->trigger();

    QCOMPARE(log_.warnings, QStringList{});
    QCOMPARE(Previews().size(), 1);
    TfrmPrintPreview* preview = Previews()[0];
    QCOMPARE(preview->windowTitle(), QString("Print Preview - Untitled"));
    // Every page the selection prints, and the back of the form after each Schedule K-1.
    QCOMPARE(preview->PageCount(), int(PagesToPrint(selection, *Answers).size()) + 3);
    QVERIFY(shell_.started.isEmpty() && shell_.opened.isEmpty());
    const QStringList pages = PageTexts(preview);
    QCOMPARE(pages.size(), 8);
    QVERIFY(pages[0].contains("Estate of Ada Lovelace"));
    QVERIFY(pages[1].contains("Income Distribution Deduction"));
    for (int k = 0; k < 3; ++k) {
        QVERIFY2(pages[2 + 2 * k].contains(QString("Beneficiary %1").arg(k + 1)), qPrintable(pages[2 + 2 * k]));
        QVERIFY(pages[3 + 2 * k].contains("This list identifies the codes used on Schedule K-1"));
    }
    const QString folder = qEnvironmentVariable("QUORVAN_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        QVERIFY(QTest::qWaitForWindowExposed(preview));
        QTest::qWait(200);
        preview->grab().save(folder + "/print-preview.png");
    }

    // Save as PDF writes the forms where the preparer says, under the return's name.
    const QString target = Home() + "/out/forms.pdf";
    QDir().mkpath(Home() + "/out");
    prompts_->saveNames = QStringList{target};
    preview->findChild<QAction*>("btnSaveAsPdf")->trigger();
    QCOMPARE(log_.saveRequests.size(), 1);
    QCOMPARE(log_.saveRequests[0].suggestedName, QString("Untitled.pdf"));
    QCOMPARE(log_.saveRequests[0].folder, Home() + "/Velmora/Quorvan_16/Files/");
    QPdfDocument saved;
    QCOMPARE(saved.load(target), QPdfDocument::Error::None);
    QCOMPARE(saved.pageCount(), 8);
    QVERIFY(OwnerOnly(target));

    // Open in Word Processor hands the same forms over, even after the return has changed.
    Answers->SetText(ftForm1041Page1, 0, f1::nameOfEstateOrTrust.slot, "Estate of Someone Else");
    UseWriter(Home() + "/standin/soffice");
    preview->findChild<QAction*>("btnOpenInWordProcessor")->trigger();
    QCOMPARE(shell_.started.size(), 1);
    QCOMPARE(QString::fromStdString(shell_.started[0].arguments.at(0)), QString("send_temp.RTF"));
    QVERIFY(ReadBytes(Temp() + "/send_temp.RTF").contains("Estate of Ada Lovelace"));

    // Escape closes the preview.
    QPointer<TfrmPrintPreview> watched(preview);
    preview->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(preview));
    QTest::keyClick(preview, Qt::Key_Escape);
    QTRY_VERIFY(!watched);

    // A saved return's PDF starts in its own folder, under its name.
    QDir().mkpath(Home() + "/clients");
    window_->State().ClientFileName = Home() + "/clients/ada.fq6";
    prompts_->atSelection = Tick({ftForm1041Page1});
    window_->Commands().mnuPrintPreview->trigger();
    QCOMPARE(Previews().size(), 1);
    prompts_->saveNames = QStringList{};
    Previews()[0]->findChild<QAction*>("btnSaveAsPdf")->trigger();
    QCOMPARE(log_.saveRequests.size(), 2);
    QCOMPARE(log_.saveRequests[1].folder, Home() + "/clients/");
    QCOMPARE(log_.saveRequests[1].suggestedName, QString("ada.pdf"));
    Previews()[0]->close();
}

void PrintCommandsTest::selectionDialogSendsToThePreviewInsteadOfTheWordProcessor()
{
    QVERIFY(Start());
    prompts_->atSelection = [](TfrmSelectedForms& dialog) {
        dialog.findChild<QPushButton*>("btnPreview")->click();
        return dialog.result();
    };
    window_->Commands().mnuPrint->trigger();
    QCOMPARE(Previews().size(), 1);
    QCOMPARE(Previews()[0]->PageCount(), 2);  // the defaults
    QVERIFY(shell_.started.isEmpty() && shell_.opened.isEmpty());
    QVERIFY(PrintFiles().isEmpty());
}

void PrintCommandsTest::findWordSearchesTheProgramFolders()
{
    QVERIFY(Start());
    QVERIFY(WriteBytes(Home() + "/first/empty/readme.txt", "no program here"));
    QVERIFY(WriteBytes(Home() + "/second/office/program/SOFFICE", "#!/bin/sh\n"));
    QVERIFY(WriteBytes(Home() + "/second/zz/soffice", "#!/bin/sh\n"));
    WordProcessors& word = window_->Printing().Word();
    word.searchFolders = {Home() + "/first/", Home() + "/second/"};
    QAction* findWord = window_->Commands().mnuFindWord;

    findWord->trigger();
    QCOMPARE(log_.notices, QStringList{"Found Word installation."});
    QCOMPARE(findWord->text(), QString("Find Word: FOUND"));
    QVERIFY(word.wordPath == Home() + "/second/office/program/SOFFICE" || word.wordPath == Home() + "/second/zz/soffice");

    // Forced Word runs what Find Word found.
    window_->Commands().mnuForceWord->trigger();
    window_->Commands().mnuPrint->trigger();
    QCOMPARE(shell_.started.size(), 1);
    QCOMPARE(QString::fromStdString(shell_.started[0].program), word.wordPath);
    QCOMPARE(QString::fromStdString(shell_.started[0].workingFolder), Temp() + "/");

    // A second click forgets the path without searching.
    findWord->trigger();
    QCOMPARE(findWord->text(), QString("Find Word"));
    QVERIFY(word.wordPath.isEmpty());
    QCOMPARE(log_.notices.size(), 1);

    word.searchFolders = {Home() + "/first/"};
    findWord->trigger();
    QCOMPARE(log_.notices.last(), QString("Did not find Word installation."));
    QCOMPARE(findWord->text(), QString("Find Word"));
}

void PrintCommandsTest::exportPdfWritesTheChosenFile()
{
    QVERIFY(Start());
    window_->Printing().Word() = WordProcessors();  // no word processor is needed
    Answers->SetText(ftForm1041Page1, 0, f1::nameOfEstateOrTrust.slot, "Estate of Ada Lovelace");
    window_->ShowAnswers();
    const QString target = Home() + "/out/estate forms.pdf";
    QDir().mkpath(Home() + "/out");
    prompts_->saveNames = QStringList{target};
    QString okCaption;
    prompts_->atSelection = [&](TfrmSelectedForms& dialog) {
        okCaption = dialog.findChild<QPushButton*>("btnOk")->text();
        return Tick({ftForm1041Page1})(dialog);
    };
    window_->Commands().mnuExportPdf->trigger();
    QCOMPARE(okCaption, QString("Export PDF"));

    QCOMPARE(log_.warnings, QStringList{});
    QCOMPARE(log_.saveRequests.size(), 1);
    QCOMPARE(log_.saveRequests[0].suggestedName, QString("Untitled.pdf"));
    QCOMPARE(log_.saveRequests[0].folder, Home() + "/Velmora/Quorvan_16/Files/");
    QVERIFY(ReadBytes(target).startsWith("%PDF"));
    QVERIFY(OwnerOnly(target));
    QVERIFY(shell_.started.isEmpty() && shell_.opened.isEmpty());
    QPdfDocument exported;
    QCOMPARE(exported.load(target), QPdfDocument::Error::None);
    QCOMPARE(exported.pageCount(), 1);
    QVERIFY(exported.getAllText(0).text().contains("Estate of Ada Lovelace"));
    QCOMPARE(window_->statusBar()->currentMessage(), "Exported 1 sheet to " + QDir::toNativeSeparators(target));
    const QString folder = qEnvironmentVariable("QUORVAN_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        QFile::copy(target, folder + "/export.pdf");
}

void PrintCommandsTest::exportPdfWithoutPrintLayoutsSaysSo()
{
    QVERIFY(Start());
    QFile::remove(Program() + "/LAY");
    const QString target = Home() + "/forms.pdf";
    prompts_->saveNames = QStringList{target};
    window_->Commands().mnuExportPdf->trigger();
    QCOMPARE(log_.warnings.size(), 1);
    QVERIFY2(log_.warnings[0].contains(Program() + "/LAY/page1.lay cannot be read"), qPrintable(log_.warnings[0]));
    QVERIFY(!QFile::exists(target));

    // Nor is a preview shown without them.
    window_->Commands().mnuPrintPreview->trigger();
    QCOMPARE(log_.warnings.size(), 2);
    QVERIFY(Previews().isEmpty());
}

QTEST_MAIN(PrintCommandsTest)
#include "PrintCommandsTest.moc"
