// The print preview of the forms on its own: the sample return's sheets as the print engine paints
// them, the first one shown before the others are painted, the page and zoom controls, printing
// the sheets a print range asks for (through a PDF printer), and Escape.

#include "PageWindowBench.h"
#include "app/print/SheetView.h"
#include "app/print/TfrmPrintPreview.h"
#include "cli/Dump.h"
#include "files/ClientFile.h"
#include "print/PaintedLayout.h"
#include "render/PaintedDocument.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPdfDocument>
#include <QPrinter>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace quorvan;
using namespace quorvan::app;
using quorvan::app::test::PageWindowBench;

namespace {

QStringList TextsOf(const QString& path)
{
    QPdfDocument document;
    QStringList texts;
    if (document.load(path) != QPdfDocument::Error::None)
        return texts;
    for (int page = 0; page < document.pageCount(); ++page)
        texts << document.getAllText(page).text();
    return texts;
}

}  // namespace

class FormsPreviewTest : public QObject {
    Q_OBJECT

private:
    PageWindowBench bench_;
    ScopedAnswerStore store_;
    std::shared_ptr<const render::PaintedDocument> forms_;
    QStringList sheetTexts_;  // the text of every sheet, from a PDF of them all

    TfrmPrintPreview* Show()
    {
        PrintPreviewOptions options;
        options.prompts = bench_.prompts.get();
        return ShowPrintPreview(nullptr, forms_, QStringLiteral("Print Preview - sample-trust"), std::move(options));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(ReadClientFileAt(*store_, std::string(QUORVAN_SOURCE_DIR) + "/examples/sample-trust.fq6"));
        QVERIFY(SettleReturn(*store_, 10));
        auto forms = std::make_shared<render::PaintedDocument>();
        std::string error;
        const std::vector<PrintPage> pages = PagesToPrint(DefaultSelection(*store_), *store_);
        QVERIFY2(forms->Build(*store_, pages,
                              std::make_shared<PaintedLayouts>(QUORVAN_BUILD_DATA_DIR "/" + std::string("LAY")), error),
                 error.c_str());
        forms_ = forms;
        QTemporaryDir scratch;
        QVERIFY(render::WritePdf(*forms_, scratch.filePath("all.pdf").toStdString(), "all", error));
        sheetTexts_ = TextsOf(scratch.filePath("all.pdf"));
        QCOMPARE(sheetTexts_.size(), forms_->SheetCount());
        QVERIFY(forms_->SheetCount() >= 4);
    }
    void init() { bench_.Reset(); }

    void showsTheFirstSheetBeforeTheOthersArePainted();
    void zoomStepsLeaveAndFittedViewsReturn();
    void printsTheSheetsTheRangeAsksFor_data();
    void printsTheSheetsTheRangeAsksFor();
    void escapeClosesThePreview();
};

void FormsPreviewTest::showsTheFirstSheetBeforeTheOthersArePainted()
{
    std::unique_ptr<TfrmPrintPreview> preview(Show());
    QVERIFY(QTest::qWaitForWindowExposed(preview.get()));
    SheetView* view = preview->View();
    const int last = forms_->SheetCount() - 1;
    QTRY_VERIFY(view->SheetPainted(0));
    QVERIFY(!view->SheetPainted(last));

    auto* page = preview->findChild<QSpinBox*>("spnPage");
    QCOMPARE(page->value(), 1);
    QCOMPARE(page->maximum(), forms_->SheetCount());
    QCOMPARE(preview->findChild<QLabel*>("lblPageCount")->text(), QString("of %1").arg(forms_->SheetCount()));
    preview->findChild<QAction*>("btnNextPage")->trigger();
    QCOMPARE(preview->CurrentPage(), 1);
    QCOMPARE(page->value(), 2);
    page->setValue(last + 1);
    QCOMPARE(preview->CurrentPage(), last);
    QTRY_VERIFY(view->SheetPainted(last));
    preview->findChild<QAction*>("btnNextPage")->trigger();  // past the last sheet: stays
    QCOMPARE(preview->CurrentPage(), last);
    preview->findChild<QAction*>("btnPriorPage")->trigger();
    QCOMPARE(page->value(), last);
    // Without the word processor's action, the toolbar does not offer it.
    QVERIFY(!preview->findChild<QAction*>("btnOpenInWordProcessor"));
}

void FormsPreviewTest::zoomStepsLeaveAndFittedViewsReturn()
{
    std::unique_ptr<TfrmPrintPreview> preview(Show());
    QVERIFY(QTest::qWaitForWindowExposed(preview.get()));
    test::CheckZoomSteps(*preview, [&] { return preview->View()->Mode() == SheetView::ZoomMode::Custom; });
    QCOMPARE(preview->View()->Mode(), SheetView::ZoomMode::WholePage);
}

void FormsPreviewTest::printsTheSheetsTheRangeAsksFor_data()
{
    QTest::addColumn<int>("range");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("collate");
    QTest::addColumn<QList<int>>("printed");
    //                                     print range                from to copies collate sheets on paper, in order
    QTest::newRow("every sheet") << int(QPrinter::AllPages) << 0 << 0 << 1 << true << QList<int>{};
    QTest::newRow("sheets 2 to 3") << int(QPrinter::PageRange) << 2 << 3 << 1 << true << QList<int>{1, 2};
    QTest::newRow("to past the end") << int(QPrinter::PageRange) << 4 << 99 << 1 << true << QList<int>{-4};
    QTest::newRow("the sheet shown") << int(QPrinter::CurrentPage) << 0 << 0 << 1 << true << QList<int>{1};
    // A PDF file cannot say "two copies": each copy is sent, in sets or sheet by sheet.
    QTest::newRow("two sets") << int(QPrinter::PageRange) << 1 << 2 << 2 << true << QList<int>{0, 1, 0, 1};
    QTest::newRow("two of each") << int(QPrinter::PageRange) << 1 << 2 << 2 << false << QList<int>{0, 0, 1, 1};
}

void FormsPreviewTest::printsTheSheetsTheRangeAsksFor()
{
    QFETCH(int, range);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, copies);
    QFETCH(bool, collate);
    QFETCH(QList<int>, printed);
    // Empty: every sheet; a negative number -n: sheet n to the last.
    if (printed.isEmpty() || printed.front() < 0) {
        const int first = printed.isEmpty() ? 0 : -printed.front() - 1;
        printed.clear();
        for (int sheet = first; sheet < forms_->SheetCount(); ++sheet)
            printed << sheet;
    }
    std::unique_ptr<TfrmPrintPreview> preview(Show());
    preview->GoToPage(1);

    QPrinter printer(QPrinter::HighResolution);
    test::AimAtPdf(printer, bench_.PathOf("printed.pdf"), range, from, to, copies, collate);
    QString error;
    QVERIFY2(preview->PrintTo(printer, error), qPrintable(error));

    const QStringList texts = TextsOf(bench_.PathOf("printed.pdf"));
    QCOMPARE(texts.size(), printed.size());
    for (int i = 0; i < texts.size(); ++i)
        QVERIFY2(texts[i] == sheetTexts_[printed[i]],
                 qPrintable(QString("paper %1 is not sheet %2").arg(i).arg(printed[i])));
    QVERIFY(test::IsOwnersOnly(bench_.PathOf("printed.pdf")));
}

void FormsPreviewTest::escapeClosesThePreview()
{
    TfrmPrintPreview* preview = Show();
    QVERIFY(preview->testAttribute(Qt::WA_DeleteOnClose));
    QPointer<TfrmPrintPreview> watched(preview);
    QTest::keyClick(preview->View(), Qt::Key_Escape);
    QTRY_VERIFY(!watched);
}

QTEST_MAIN(FormsPreviewTest)
#include "FormsPreviewTest.moc"
