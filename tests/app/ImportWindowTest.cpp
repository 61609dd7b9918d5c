// File > Import... through the real window: the dialog shows what a data file adds where before
// anything changes, Import makes it one step that Undo takes back byte for byte, and a refused
// file names its problems and changes nothing.

#include "Window2Prompts.h"

#include "files/ClientFile.h"
#include "files/SummedSalesRecord.h"
#include "slot/Form8949ShortTerm.h"
#include "slot/ScheduleDPage1.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUndoStack>

#include <algorithm>
#include <fstream>
#include <sstream>

using namespace quorvan;
using namespace quorvan::app;
using quorvan::app::test::Click;
using quorvan::app::test::Window2Harness;

namespace {

std::string WholeReturn(TAnswer& store)
{
    std::ostringstream text;
    WriteClientFile(store, text);
    return text.str();
}

const char kSales[] =
    "Description,Date Acquired,Date Sold,Proceeds,Cost Basis,Box,Wash Sale Loss Disallowed\n"
    "Plain A,01/04/2016,03/01/2016,200,100,A,\n"
    "Wash,01/04/2016,03/02/2016,100,300,A,150\n"
    "Not reported,VARIOUS,03/03/2016,50,40,E,\n";

}  // namespace

class ImportWindowTest : public QObject {
    Q_OBJECT

private:
    Window2Harness h_;
    MainCommands& C() { return h_.window->Commands(); }
    const WindowState& State() { return h_.window->State(); }
    QString Write(const char* name, const std::string& text)
    {
        const QString path = h_.home->path() + "/" + name;
        std::ofstream(path.toStdString(), std::ios::binary) << text;
        return path;
    }

private slots:
    void init() { QVERIFY(h_.Start()); }
    void cleanup() { h_.Stop(); }

    void importIsOneStepThatUndoTakesBack()
    {
        // Line 4 follows line 19 of the run before: the return settles over a few runs.
        for (int run = 0; run < 3; ++run)
            h_.window->RefreshClick();

        h_.prompts->openNames << Write("sales.csv", kSales);
        QString preview;
        std::string before;  // the return as the dialog found it
        int stepsBefore = -1;
        h_.prompts->dialogAnswers << [&](QDialog& dialog) {
            preview = dialog.findChild<QPlainTextEdit*>("txtPreview")->toPlainText();
            before = WholeReturn(*Answers);
            stepsBefore = h_.window->History().Stack()->index();
            Click(dialog, "btnImport");
        };
        C().mnuImportStatement->trigger();
        QCOMPARE(h_.prompts->dialogsShown, QStringList{"StatementImportDialog"});
        QVERIFY2(preview.contains("Form 8949 box A: 1 row (1 page in use after the import)"), qPrintable(preview));
        QVERIFY(preview.contains("Form 8949 box E: 1 row"));
        QVERIFY(preview.contains("Schedule D line 1a: 1 sale summed, proceeds 200 and cost 100 added"));

        QVERIFY(State().Modified);
        QCOMPARE(State().CurrentFormType * 100 + State().CurrentPageIndex, ftForm8949A * 100);
        QCOMPARE(QString::fromStdString(Answers->Text(
                     ftForm8949A, 0, slot::form8949ShortTerm::sales::Slot(0, slot::form8949ShortTerm::sales::code))),
                 QStringLiteral("W"));
        const std::string after = WholeReturn(*Answers);

        QCOMPARE(h_.window->History().Stack()->index(), stepsBefore + 1);  // one step
        h_.window->UndoClick();
        // Every entry, page count and the record of the summed sale come back.
        QCOMPARE(WholeReturn(*Answers), before);
        QCOMPARE(Answers->NoOf8949_A + Answers->NoOf8949_E, 0);
        QCOMPARE(QString::fromStdString(Answers->Text(ftScheduleDPage1, 0, slot::scheduleDPage1::line1aProceeds.slot)),
                 QString());
        const std::vector<std::string>& record = Answers->PageAt(kSummedSalesFormType, 0).Strings;
        QVERIFY(std::all_of(record.begin(), record.end(), [](const std::string& keys) { return keys.empty(); }));
        QCOMPARE(h_.window->History().Stack()->index(), stepsBefore);
        h_.window->RedoClick();
        QCOMPARE(WholeReturn(*Answers), after);
        QCOMPARE(ReadSummedSales(*Answers).size(), size_t{1});

        // The same file again: every sale is already there, the summed one too, listed or not,
        // and the preview says so before anything changes.
        h_.prompts->openNames << Write("sales.csv", kSales);
        h_.prompts->dialogAnswers << [&](QDialog& dialog) {
            preview = dialog.findChild<QPlainTextEdit*>("txtPreview")->toPlainText();
            dialog.findChild<QCheckBox*>("chkItemize")->setChecked(true);
            const QString itemized = dialog.findChild<QPlainTextEdit*>("txtPreview")->toPlainText();
            QVERIFY2(itemized.contains("Already in the return, skipped: 3"), qPrintable(itemized));
            QVERIFY(!itemized.contains("box A: 1 row"));
            dialog.reject();
        };
        C().mnuImportStatement->trigger();
        QVERIFY2(preview.contains("Already in the return, skipped: 3"), qPrintable(preview));
        QCOMPARE(WholeReturn(*Answers), after);
    }

    void refusedFileNamesItsProblemsAndChangesNothing()
    {
        h_.prompts->openNames << Write("bad.csv", "Payer,Interest\nBank,12x\n");
        bool importEnabled = true;
        QString preview;
        std::string before;
        h_.prompts->dialogAnswers << [&](QDialog& dialog) {
            before = WholeReturn(*Answers);
            importEnabled = dialog.findChild<QPushButton*>("btnImport")->isEnabled();
            preview = dialog.findChild<QPlainTextEdit*>("txtPreview")->toPlainText();
            dialog.reject();
        };
        C().mnuImportStatement->trigger();
        QVERIFY(!importEnabled);
        QVERIFY2(preview.contains("line 2: \"12x\" is not an amount"), qPrintable(preview));
        QCOMPARE(WholeReturn(*Answers), before);
    }
};

QTEST_MAIN(ImportWindowTest)
#include "ImportWindowTest.moc"
