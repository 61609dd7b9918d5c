// The program on the desktop, driven offscreen in a temporary home: the command line with the
// client file it is given, and the Help menu with the program's own help window, the manual, the
// PDF folder and its index, and the reports when something cannot be opened.

#include "FakePrompts.h"
#include "PageFields.h"
#include "ProgramVersion.h"
#include "app/files/DesktopShell.h"
#include "app/files/FileCommands.h"
#include "app/help/HelpCommands.h"
#include "app/help/HelpWindow.h"
#include "app/print/TfrmPdfPreview.h"
#include "app/window/CommandLine.h"
#include "app/window/MainWindow.h"
#include "slot/Form1041Page1.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QtTest>

#include <memory>

using namespace quorvan;
using namespace quorvan::app;
using quorvan::app::test::FakePrompts;
using quorvan::app::test::PromptLog;

namespace {

namespace f1 = quorvan::slot::form1041Page1;

const QString kSample = QStringLiteral(QUORVAN_SOURCE_DIR "/examples/sample-trust.fq6");

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A copy of a folder with everything below it, so a test may remove a page of its own copy.
bool CopyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(source, target))
            return false;
    }
    return true;
}

// A Letter-size PDF of `pages` pages.
bool WritePdf(const QString& path, int pages)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QPdfWriter writer(path);
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            writer.newPage();
        painter.drawText(100, 100, QStringLiteral("Page %1").arg(page));
    }
    return painter.end();
}

// The program's PDF window titled `title`, if one is open.
TfrmPdfPreview* PdfWindowTitled(const QString& title)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* preview = qobject_cast<TfrmPdfPreview*>(widget); preview && preview->windowTitle() == title)
            return preview;
    return nullptr;
}

// Records what the window asked the desktop to open, and answers as told.
struct ShellLog {
    QStringList documents;
    QList<QUrl> addresses;
    bool result = true;
};

class RecordingShell : public DesktopShell {
public:
    explicit RecordingShell(ShellLog& log) : log_(log) {}
    bool StartProgram(const LaunchCommand&) override { return log_.result; }
    bool OpenDocument(const QString& path) override
    {
        log_.documents << path;
        return log_.result;
    }
    bool OpenUrl(const QUrl& url) override
    {
        log_.addresses << url;
        return log_.result;
    }

private:
    ShellLog& log_;
};

void SaveShot(QWidget& widget, const char* name)
{
    const QString folder = qEnvironmentVariable("QUORVAN_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        widget.grab().save(folder + "/" + name);
}

QString PageOf(const HelpWindow& help)
{
    const QUrl source = help.Browser()->source();
    return QFileInfo(source.toLocalFile()).fileName() + (source.hasFragment() ? "#" + source.fragment() : "");
}

QTreeWidgetItem* ContentsEntry(const HelpWindow& help, const QString& text)
{
    for (QTreeWidgetItemIterator it(help.Contents()); *it; ++it)
        if ((*it)->text(0) == text)
            return *it;
    return nullptr;
}

// Clicks the link whose text is `text` on the page on screen, as a person would.
bool ClickLink(HelpWindow& help, const QString& text)
{
    QTextBrowser* browser = help.Browser();
    QTextCursor found = browser->document()->find(text, 0, QTextDocument::FindCaseSensitively);
    if (found.isNull())
        return false;
    QTextCursor inside(browser->document());
    inside.setPosition(found.selectionStart() + 1);
    browser->setTextCursor(inside);
    browser->ensureCursorVisible();
    const QPoint point = browser->cursorRect(inside).center() + QPoint(2, 0);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    return true;
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> home_;
    PromptLog log_;
    ShellLog shell_;
    FakePrompts* prompts_ = nullptr;
    std::unique_ptr<TfrmMain> window_;

    QString Home() const { return home_->path(); }
    QString Program() const { return Home() + "/program"; }

    // A window whose program folder holds copies of the installed help pages and PDF folder, a
    // manual, and the generated page layouts; documents and web pages go to the recording shell.
    bool Start()
    {
        const QString data = QStringLiteral(QUORVAN_BUILD_DATA_DIR);
        if (!CopyTree(data + "/help", Program() + "/help") || !CopyTree(data + "/PDF", Program() + "/PDF")
            || !WritePdf(Program() + "/quorvan_16.pdf", 2))
            return false;
        QFile::link(data + "/PSF", Program() + "/PSF");
        auto prompts = std::make_unique<FakePrompts>(log_);
        prompts_ = prompts.get();
        StartOptions options;
        options.homeFolder = Home();
        options.programFolder = Program();
        window_ = std::make_unique<TfrmMain>(std::move(prompts), options);
        window_->SetShell(std::make_unique<RecordingShell>(shell_));
        window_->State().SkipAnimations = true;
        window_->show();
        return QTest::qWaitForWindowActive(window_.get());
    }
    HelpWindow* Help() { return window_->Help().Window(); }
    QString Edit(SlotRef field)
    {
        auto* edit = test::FieldOf<QLineEdit>(window_->Page(), field);
        return edit ? edit->text() : QStringLiteral("<no field of slot %1>").arg(field.slot);
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
        if (window_) {
            prompts_->saveAnswer = SaveAnswer::No;
            window_->close();
        }
        window_.reset();
    }

    void commandLine_data();
    void commandLine();
    void fileGivenAtStartIsOpenedAsOpenDoes();
    void helpWindowFollowsLinksAndGoesBack();
    void helpMenuReportsWhatCannotBeOpened();
    void pdfResourcesOpenTheFolderAndItsIndex();
};

void DesktopTest::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("run");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("clientFile");  // "./x" is taken from the current folder
    QTest::addColumn<QString>("output");      // contained in standard output
    QTest::addColumn<QString>("error");       // contained in standard error

    const QString version = QStringLiteral("quorvan_16 %1\n").arg(QLatin1String(kProgramVersion));
    //                      arguments                                run    exit  client file        output    error
    QTest::newRow("nothing") << QStringList{} << true << 0 << "" << "" << "";
    QTest::newRow("absolute") << QStringList{"/data/estate.fq6"} << true << 0 << "/data/estate.fq6" << "" << "";
    QTest::newRow("relative") << QStringList{"estate.fq6"} << true << 0 << "./estate.fq6" << "" << "";
    QTest::newRow("dash file") << QStringList{"--", "-odd.fq6"} << true << 0 << "./-odd.fq6" << "" << "";
    QTest::newRow("version") << QStringList{"--version"} << false << 0 << "" << version << "";
    QTest::newRow("help") << QStringList{"--help"} << false << 0 << "" << "[FILE]" << "";
    QTest::newRow("help wins") << QStringList{"x.fq6", "-h"} << false << 0 << "" << "--version" << "";
    QTest::newRow("version, Qt option") << QStringList{"-platform", "xcb", "--version"} << false << 0 << "" << version << "";
    QTest::newRow("unknown") << QStringList{"--bogus"} << false << 2 << "" << "" << "bogus";
    QTest::newRow("two files") << QStringList{"a.fq6", "b.fq6"} << false << 2 << "" << "" << "only one client file";
}

void DesktopTest::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, run);
    QFETCH(int, exitCode);
    QFETCH(QString, clientFile);
    QFETCH(QString, output);
    QFETCH(QString, error);

    const StartRequest request = ReadCommandLine(QStringList{"quorvan_16"} + arguments);
    QCOMPARE(request.run, run);
    QCOMPARE(request.exitCode, exitCode);
    if (clientFile.startsWith("./"))
        clientFile = QDir::currentPath() + clientFile.mid(1);
    QCOMPARE(request.clientFile, clientFile);
    QVERIFY2(request.output.contains(output), qPrintable(request.output));
    QVERIFY2(request.error.contains(error), qPrintable(request.error));
    QCOMPARE(request.output.isEmpty(), output.isEmpty());
    QCOMPARE(request.error.isEmpty(), error.isEmpty());
}

void DesktopTest::fileGivenAtStartIsOpenedAsOpenDoes()
{
    const QString given = Home() + "/estate of ann.fq6";
    QVERIFY(QFile::copy(kSample, given));
    QVERIFY(Start());
    window_->Files().OpenChosenFile(ReadCommandLine({"quorvan_16", given}).clientFile);
    QCOMPARE(window_->windowHandle()->title(), QString("estate of ann.fq6"));
    QCOMPARE(window_->State().CurrentFormType, 1);
    QCOMPARE(Edit(f1::line9TotalIncome), QString("9,780"));  // line 9 of the recalculated sample
    QVERIFY(!window_->State().Modified);
    QCOMPARE(window_->Preferences().RecentFiles.front(), given.toStdString());
    QCOMPARE(log_.warnings, QStringList{});

    // A file that cannot be read is reported as Open reports it (once, by the reader's numbered
    // message), and a new untitled return starts.
    const QString damaged = Home() + "/damaged.fq6";
    QVERIFY(WriteBytes(damaged, "not a client file\r\n"));
    log_.messageCodes.clear();
    window_->Files().OpenChosenFile(ReadCommandLine({"quorvan_16", damaged}).clientFile);
    QCOMPARE(log_.messageCodes.size(), 1);
    QCOMPARE(log_.messageCodes[0] / 10, 3301u);
    QCOMPARE(log_.warnings, QStringList{});
    QCOMPARE(window_->windowHandle()->title(), QString("Untitled.fq6"));
    QCOMPARE(Edit(f1::line9TotalIncome), QString("0"));
}

void DesktopTest::helpWindowFollowsLinksAndGoesBack()
{
    QVERIFY(Start());
    window_->Commands().mnuTableofContents->trigger();
    HelpWindow* help = Help();
    QVERIFY(help && help->isVisible());
    QCOMPARE(PageOf(*help), QString("default.htm"));
    QCOMPARE(help->windowTitle(), QString("Quorvan_16 Help - Quorvan_16 Help"));
    QVERIFY(!help->BackAction()->isEnabled());

    // The contents tree follows the topic list of the contents page.
    QTreeWidgetItem* forms = ContentsEntry(*help, "The forms, one by one");
    QVERIFY(forms && ContentsEntry(*help, "Tutorial") && ContentsEntry(*help, "Messages"));
    QVERIFY(forms->childCount() >= 8);
    QCOMPARE(help->Contents()->currentItem()->text(0), QString("Contents"));

    QVERIFY(ClickLink(*help, "The main window"));
    QCOMPARE(PageOf(*help), QString("window.htm"));
    QVERIFY(help->Browser()->toPlainText().contains("navigation tree"));
    QCOMPARE(help->Contents()->currentItem()->text(0), QString("The main window"));
    SaveShot(*help, "help-window.png");
    help->BackAction()->trigger();
    QCOMPARE(PageOf(*help), QString("default.htm"));
    QVERIFY(help->ForwardAction()->isEnabled());
    help->ForwardAction()->trigger();
    QCOMPARE(PageOf(*help), QString("window.htm"));

    // A contents entry with a place on its page; Home goes back to the contents.
    QTreeWidgetItem* scheduleD = ContentsEntry(*help, "Schedule D");
    QVERIFY(scheduleD);
    help->Contents()->scrollToItem(scheduleD);
    QTest::mouseClick(help->Contents()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      help->Contents()->visualItemRect(scheduleD).center());
    QCOMPARE(PageOf(*help), QString("forms.htm#schd"));
    help->HomeAction()->trigger();
    QCOMPARE(PageOf(*help), QString("default.htm"));

    // The tutorial shows in the same window; nothing went to the desktop.
    window_->Commands().mnuTutorial->trigger();
    QCOMPARE(Help(), help);
    QCOMPARE(PageOf(*help), QString("tutorial.htm"));
    QCOMPARE(shell_.documents, QStringList{});
    QCOMPARE(log_.warnings, QStringList{});
}

void DesktopTest::helpMenuReportsWhatCannotBeOpened()
{
    QVERIFY(Start());
    const MainCommands& c = window_->Commands();

    // The manual shows in the program's own PDF window, no viewer needed; a missing one is named.
    c.mnuManual->trigger();
    TfrmPdfPreview* manual = PdfWindowTitled(QStringLiteral("Quorvan_16 Manual"));
    QVERIFY(manual && manual->isVisible());
    QCOMPARE(manual->PageCount(), 2);
    QCOMPARE(shell_.documents, QStringList{});
    manual->close();
    QVERIFY(QFile::remove(Program() + "/quorvan_16.pdf"));
    c.mnuManual->trigger();
    QCOMPARE(log_.warnings.last(), "The specified file was not found.\n\n" + Program() + "/quorvan_16.pdf");

    // A help page missing from the installation: the link names it and the page stays.
    QVERIFY(QFile::remove(Program() + "/help/quorvan_16/overrides.htm"));
    c.mnuTableofContents->trigger();
    QVERIFY(ClickLink(*Help(), "Overrides"));
    QCOMPARE(log_.warnings.last(), "The specified file was not found.\n\n" + Program() + "/help/quorvan_16/overrides.htm");
    QCOMPARE(PageOf(*Help()), QString("default.htm"));

    // Without the contents page no empty help window opens.
    Help()->close();
    QVERIFY(QFile::remove(Program() + "/help/quorvan_16/tutorial/tutorial.htm"));
    c.mnuTutorial->trigger();
    QCOMPARE(log_.warnings.last(),
             "The specified file was not found.\n\n" + Program() + "/help/quorvan_16/tutorial/tutorial.htm");
    QVERIFY(!Help()->isVisible());
    QCOMPARE(log_.warnings.size(), 3);
}

void DesktopTest::pdfResourcesOpenTheFolderAndItsIndex()
{
    QVERIFY(Start());
    QVERIFY(QFile::exists(QStringLiteral(QUORVAN_BUILD_DATA_DIR "/PDF/index.htm")));  // shipped with the program
    QVERIFY(WritePdf(Program() + "/PDF/p559--2016.pdf", 1));
    const MainCommands& c = window_->Commands();

    prompts_->openNames = QStringList{Program() + "/PDF/index.htm", Program() + "/PDF/p559--2016.pdf"};
    c.mnuPDF->trigger();
    QCOMPARE(log_.openRequests.size(), 1);
    QCOMPARE(log_.openRequests[0].title, QString("Open IRS Publication Dialog"));
    QCOMPARE(log_.openRequests[0].folder, Program() + "/PDF/");
    QCOMPARE(log_.openRequests[0].suggestedName, QString("*.PDF"));

    // The index shows in the help window; its IRS addresses go to the browser.
    HelpWindow* help = Help();
    QVERIFY(help && help->isVisible());
    QCOMPARE(PageOf(*help), QString("index.htm"));
    QVERIFY(help->Browser()->toPlainText().contains("Survivors, Executors, and Administrators"));
    SaveShot(*help, "pdf-index.png");
    QVERIFY(ClickLink(*help, "i1041--2016.pdf"));
    QCOMPARE(shell_.addresses, QList<QUrl>{QUrl("https://www.irs.gov/pub/irs-prior/i1041--2016.pdf")});
    shell_.result = false;
    QVERIFY(ClickLink(*help, "p559--2016.pdf"));
    QCOMPARE(log_.warnings, QStringList{"No web browser could be started for this address.\n\n"
                                        "https://www.irs.gov/pub/irs-prior/p559--2016.pdf"});
    QCOMPARE(PageOf(*help), QString("index.htm"));

    // A publication saved into the folder shows in the program's PDF window.
    c.mnuPDF->trigger();
    TfrmPdfPreview* publication = PdfWindowTitled(QStringLiteral("p559--2016.pdf"));
    QVERIFY(publication && publication->isVisible());
    QCOMPARE(publication->PageCount(), 1);
    QCOMPARE(shell_.documents, QStringList{});
    c.mnuPDF->trigger();  // cancelled: nothing more
    QCOMPARE(log_.warnings.size(), 1);
}

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"
