// The preview window on its own, as the program shows any PDF in it: pages and their controls,
// printing a page range, Save as PDF, and files it cannot show. The PDFs are drawn by the test,
// so no LibreOffice is needed here.

#include "PageWindowBench.h"
#include "app/print/TfrmPdfPreview.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfView>
#include <QPdfWriter>
#include <QPrinter>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace quorvan::app;
using quorvan::app::test::PageWindowBench;

namespace {

// Where page n (from 1) of a test PDF carries its black square, in points.
QRect MarkOfPage(int page)
{
    return QRect(72 + (page - 1) * 144, 288, 72, 72);
}

// A Letter-size PDF of `pages` pages, each saying "Page n" above its own black square.
bool WritePdf(const QString& path, int pages)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setResolution(72);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            writer.newPage();
        painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 24));
        painter.drawText(72, 144, QStringLiteral("Page %1").arg(page));
        painter.fillRect(MarkOfPage(page), Qt::black);
    }
    return painter.end();
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString PageText(const QString& path, int page)
{
    QPdfDocument document;
    return document.load(path) == QPdfDocument::Error::None ? document.getAllText(page).text() : QString();
}

int PageCountOf(const QString& path)
{
    QPdfDocument document;
    return document.load(path) == QPdfDocument::Error::None ? document.pageCount() : -1;
}

}  // namespace

class PrintPreviewTest : public QObject {
    Q_OBJECT

private:
    PageWindowBench bench_;
    test::PromptLog& log_ = bench_.log;

    QString PathOf(const QString& name) const { return bench_.PathOf(name); }
    TfrmPdfPreview* Show(const QString& path, PdfPreviewOptions options = {})
    {
        options.prompts = bench_.prompts.get();
        return ShowPdfPreview(nullptr, path, QStringLiteral("Preview of %1").arg(QFileInfo(path).fileName()),
                              std::move(options));
    }

private slots:
    void init() { bench_.Reset(); }

    void showsEveryPageWithPageAndZoomControls();
    void printsThePageRangeAskedFor_data();
    void printsThePageRangeAskedFor();
    void saveAsPdfWritesACopyOfTheFile();
    void fileThatIsNoPdfIsReportedAndNotShown_data();
    void fileThatIsNoPdfIsReportedAndNotShown();
    void escapeClosesTheWindow();
};

void PrintPreviewTest::showsEveryPageWithPageAndZoomControls()
{
    QVERIFY(WritePdf(PathOf("three.pdf"), 3));
    std::unique_ptr<TfrmPdfPreview> preview(Show(PathOf("three.pdf")));
    QVERIFY(preview);
    QVERIFY(QTest::qWaitForWindowExposed(preview.get()));
    QCOMPARE(preview->windowTitle(), QString("Preview of three.pdf"));
    QCOMPARE(preview->PageCount(), 3);
    QCOMPARE(preview->View()->pageMode(), QPdfView::PageMode::MultiPage);
    auto* page = preview->findChild<QSpinBox*>("spnPage");
    QCOMPARE(page->value(), 1);
    QCOMPARE(page->maximum(), 3);
    QCOMPARE(preview->findChild<QLabel*>("lblPageCount")->text(), QString("of 3"));
    // Only the print preview of the forms offers the word processor.
    QVERIFY(!preview->findChild<QAction*>("btnOpenInWordProcessor"));

    preview->findChild<QAction*>("btnNextPage")->trigger();
    QTRY_COMPARE(preview->CurrentPage(), 1);
    QCOMPARE(page->value(), 2);
    page->setValue(3);
    QTRY_COMPARE(preview->CurrentPage(), 2);
    preview->findChild<QAction*>("btnNextPage")->trigger();  // past the last page: stays
    QCOMPARE(preview->CurrentPage(), 2);
    preview->findChild<QAction*>("btnPriorPage")->trigger();
    QTRY_COMPARE(page->value(), 2);

    // Opened at the page's width. A zoom step starts from the scale on screen and leaves the
    // fitted views; the opposite step comes back to it; Whole Page fits again.
    test::CheckZoomSteps(*preview, [&] { return preview->View()->zoomMode() == QPdfView::ZoomMode::Custom; });
    QCOMPARE(preview->View()->zoomMode(), QPdfView::ZoomMode::FitInView);
    QCOMPARE(log_.warnings, QStringList{});
}

void PrintPreviewTest::printsThePageRangeAskedFor_data()
{
    QTest::addColumn<int>("range");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("copies");
    QTest::addColumn<QList<int>>("printed");
    //                                  print range                from  to  copies  pages on paper, in order
    QTest::newRow("every page") << int(QPrinter::AllPages) << 0 << 0 << 1 << QList<int>{1, 2, 3};
    QTest::newRow("pages 2 to 3") << int(QPrinter::PageRange) << 2 << 3 << 1 << QList<int>{2, 3};
    QTest::newRow("to past the end") << int(QPrinter::PageRange) << 3 << 9 << 1 << QList<int>{3};
    QTest::newRow("the page shown") << int(QPrinter::CurrentPage) << 0 << 0 << 1 << QList<int>{2};
    // A PDF file cannot say "two copies": each copy is sent.
    QTest::newRow("two copies") << int(QPrinter::PageRange) << 1 << 2 << 2 << QList<int>{1, 2, 1, 2};
}

void PrintPreviewTest::printsThePageRangeAskedFor()
{
    QFETCH(int, range);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, copies);
    QFETCH(QList<int>, printed);
    QVERIFY(WritePdf(PathOf("three.pdf"), 3));
    std::unique_ptr<TfrmPdfPreview> preview(Show(PathOf("three.pdf")));
    QVERIFY(preview);
    preview->GoToPage(1);
    QTRY_COMPARE(preview->CurrentPage(), 1);

    // A PDF printer stands in for the paper; each sheet is read back as a picture.
    QPrinter printer(QPrinter::HighResolution);
    test::AimAtPdf(printer, PathOf("printed.pdf"), range, from, to, copies);
    QString error;
    QVERIFY2(preview->PrintTo(printer, error), qPrintable(error));
    // A PDF printer's file goes through the program's safe writer: its owner's only.
    QVERIFY(test::IsOwnersOnly(PathOf("printed.pdf")));

    QPdfDocument paper;
    QCOMPARE(paper.load(PathOf("printed.pdf")), QPdfDocument::Error::None);
    QCOMPARE(paper.pageCount(), printed.size());
    for (int sheet = 0; sheet < paper.pageCount(); ++sheet) {
        const QSizeF size = paper.pagePointSize(sheet);
        QVERIFY(qAbs(size.width() - 612) < 1 && qAbs(size.height() - 792) < 1);
        // At full size and in place, on white: only the square of its own page is black.
        const QImage image = paper.render(sheet, QSize(612, 792));
        for (int page = 1; page <= 3; ++page) {
            const bool black = qGray(image.pixel(MarkOfPage(page).center())) < 64;
            QVERIFY2(black == (page == printed[sheet]),
                     qPrintable(QString("sheet %1, square of page %2").arg(sheet).arg(page)));
        }
    }
}

void PrintPreviewTest::saveAsPdfWritesACopyOfTheFile()
{
    QVERIFY(WritePdf(PathOf("forms.pdf"), 2));
    PdfPreviewOptions options;
    options.saveFolder = bench_.Folder() + "/";
    options.suggestedName = "Estate of Ada Lovelace.pdf";
    std::unique_ptr<TfrmPdfPreview> preview(Show(PathOf("forms.pdf"), std::move(options)));
    QVERIFY(preview);
    QAction* save = preview->findChild<QAction*>("btnSaveAsPdf");

    save->trigger();  // cancelled: nothing written
    QCOMPARE(log_.saveRequests.size(), 1);
    QCOMPARE(log_.saveRequests[0].suggestedName, QString("Estate of Ada Lovelace.pdf"));
    QCOMPARE(log_.saveRequests[0].folder, bench_.Folder() + "/");
    QCOMPARE(log_.saveRequests[0].defaultSuffix, QString("pdf"));

    // Over an older file: replaced whole, no partial file left beside it.
    QFile::copy(PathOf("forms.pdf"), PathOf("old.pdf"));
    QVERIFY(WritePdf(PathOf("old.pdf"), 5));
    bench_.prompts->saveNames = QStringList{PathOf("old.pdf")};
    save->trigger();
    QCOMPARE(ReadBytes(PathOf("old.pdf")), ReadBytes(PathOf("forms.pdf")));
    QCOMPARE(PageCountOf(PathOf("old.pdf")), 2);
    QVERIFY(!QFile::exists(PathOf("old.pdf.part")));

    // A new file is its owner's only.
    bench_.prompts->saveNames = QStringList{PathOf("copy.pdf")};
    save->trigger();
    QCOMPARE(PageCountOf(PathOf("copy.pdf")), 2);
    QVERIFY(test::IsOwnersOnly(PathOf("copy.pdf")));

    // A folder that is not there: said, and nothing written.
    bench_.prompts->saveNames = QStringList{PathOf("missing/forms.pdf")};
    save->trigger();
    QCOMPARE(log_.warnings.size(), 1);
    QVERIFY2(log_.warnings[0].contains(PathOf("missing/forms.pdf")), qPrintable(log_.warnings[0]));
    QVERIFY(!QFile::exists(PathOf("missing/forms.pdf")));
    QVERIFY(PageText(PathOf("forms.pdf"), 1).contains("Page 2"));  // the shown file is untouched
}

void PrintPreviewTest::fileThatIsNoPdfIsReportedAndNotShown_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    //                        file contents (none: no file)   reason shown
    QTest::newRow("missing") << QByteArray() << "the file was not found";
    QTest::newRow("not a PDF") << QByteArray("{\\rtf1 forms}") << "it is not a PDF file";
}

void PrintPreviewTest::fileThatIsNoPdfIsReportedAndNotShown()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    if (!bytes.isEmpty()) {
        QFile file(PathOf("forms.pdf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QVERIFY(!Show(PathOf("forms.pdf")));
    QCOMPARE(log_.warnings, QStringList{"forms.pdf cannot be shown: " + reason + "."});
}

void PrintPreviewTest::escapeClosesTheWindow()
{
    QVERIFY(WritePdf(PathOf("manual.pdf"), 1));
    TfrmPdfPreview* preview = Show(PathOf("manual.pdf"));
    QVERIFY(preview);
    QVERIFY(QTest::qWaitForWindowActive(preview));
    QPointer<TfrmPdfPreview> watched(preview);
    QTest::keyClick(preview, Qt::Key_Escape);
    QTRY_VERIFY(!watched);
}

QTEST_MAIN(PrintPreviewTest)
#include "PrintPreviewTest.moc"
