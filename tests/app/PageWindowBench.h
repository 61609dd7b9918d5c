#pragma once
// What the tests of the page windows (the forms' print preview, the PDF viewer) share: a scratch
// folder and fake prompts made anew for each test, a PDF printer standing in for paper, the check
// that a written file is its owner's only, and the toolbar's zoom steps.

#include "FakePrompts.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace quorvan::app::test {

class PageWindowBench {
public:
    // A new scratch folder and prompts that answer nothing yet.
    void Reset()
    {
        folder_ = std::make_unique<QTemporaryDir>();
        log = PromptLog();
        prompts = std::make_unique<FakePrompts>(log);
    }
    QString PathOf(const QString& name) const { return folder_->filePath(name); }
    QString Folder() const { return folder_->path(); }

    PromptLog log;
    std::unique_ptr<FakePrompts> prompts;

private:
    std::unique_ptr<QTemporaryDir> folder_;
};

// Letter paper of a printer that writes the PDF file `path`, with the print range and copies a
// preparer would choose in the printer dialog.
inline void AimAtPdf(QPrinter& printer, const QString& path, int range, int from, int to, int copies,
                     bool collate = true)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPrintRange(QPrinter::PrintRange(range));
    printer.setFromTo(from, to);
    printer.setCopyCount(copies);
    printer.setCollateCopies(collate);
}

// A file the program writes holds identifying numbers: readable and writable by its owner only.
inline bool IsOwnersOnly(const QString& path)
{
    return (QFileInfo(path).permissions() & 0x7777) ==
           (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
}

// The zoom of a window opened at its pages' width: a step in leaves the fitted views and enlarges
// them (`zoomed` says whether the view holds a scale of its own), the step out comes back to the
// fitted scale, and Whole Page fits again, smaller.
inline void CheckZoomSteps(QWidget& window, const std::function<bool()>& zoomed)
{
    auto* fitWidth = window.findChild<QAction*>("btnFitWidth");
    auto* wholePage = window.findChild<QAction*>("btnWholePage");
    auto* zoom = window.findChild<QLabel*>("lblZoom");
    QVERIFY(fitWidth && wholePage && zoom);
    QVERIFY(fitWidth->isChecked() && !wholePage->isChecked());
    const QString fitted = zoom->text();
    QVERIFY2(fitted.endsWith('%') && fitted != "100%", qPrintable(fitted));
    window.findChild<QAction*>("btnZoomIn")->trigger();
    QVERIFY(zoomed());
    QVERIFY(!fitWidth->isChecked() && !wholePage->isChecked());
    QVERIFY(zoom->text().chopped(1).toInt() > fitted.chopped(1).toInt());
    window.findChild<QAction*>("btnZoomOut")->trigger();
    QCOMPARE(zoom->text(), fitted);
    wholePage->trigger();
    QVERIFY(!fitWidth->isChecked() && wholePage->isChecked());
    QVERIFY(zoom->text().chopped(1).toInt() < fitted.chopped(1).toInt());
}

}  // namespace quorvan::app::test
