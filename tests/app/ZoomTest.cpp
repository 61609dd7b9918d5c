// The small settings commands through the real window: Zoom with the page heights, Shrink Font
// with its help page, and Default File Locations reaching the file commands and the settings.

#include "Window2Prompts.h"

#include "app/files/FileCommands.h"
#include "app/help/HelpCommands.h"
#include "app/help/HelpWindow.h"
#include "slot/Form1041Page1.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QTextBrowser>
#include <QTreeWidget>

#include <cmath>

using namespace quorvan;
using namespace quorvan::app;
using quorvan::app::test::Click;
using quorvan::app::test::Window2Harness;

namespace {

namespace f1 = quorvan::slot::form1041Page1;

void SaveShot(QWidget& widget, const char* name)
{
    const QString folder = qEnvironmentVariable("QUORVAN_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        widget.grab().save(folder + "/" + name);
}

}  // namespace

class ZoomTest : public QObject {
    Q_OBJECT

private:
    Window2Harness h_;
    MainCommands& C() { return h_.window->Commands(); }
    // Answers the Zoom dialog: moves the track bar to `scale` and presses `button`.
    void AnswerZoom(double scale, const char* button, QString* label = nullptr)
    {
        h_.prompts->dialogAnswers << [=](QDialog& dialog) {
            auto* track = dialog.findChild<QSlider*>("TrackBar1");
            track->setValue(static_cast<int>(std::lround(scale * (track->maximum() / 2))));
            if (label)
                *label = dialog.findChild<QLabel*>("lblValue")->text();
            SaveShot(dialog, "zoom.png");
            Click(dialog, button);
        };
    }

private slots:
    void init() { QVERIFY(h_.Start()); }
    void cleanup() { h_.Stop(); }

    void zoomSizesThePanelByThePageHeight();
    void zoomCancelAndZoomWithoutAPage();
    void zoomScalesTheFiguresInTheFields();
    void shrinkFontTakesTheChoiceEvenOnCancel();
    void defaultFolderPickerSetsTheFolders();
};

void ZoomTest::zoomSizesThePanelByThePageHeight()
{
    const int pageWidth = h_.window->State().BasePageWidth;
    QVERIFY(pageWidth > 0);
    QString label;
    AnswerZoom(0.75, "OKBtn", &label);
    C().mnuZoom->trigger();
    QCOMPARE(h_.prompts->dialogsShown, QStringList{"TfrmWindowScale"});
    QCOMPARE(label, QString("75%"));
    QCOMPARE(h_.window->State().PageScale, 0.75);
    QCOMPARE(h_.window->PagePanel()->height(), 2599);  // 3150 x 0.75 x 1.1 = 2598.75
    QCOMPARE(h_.window->width(), h_.window->Tree()->width() + static_cast<int>(pageWidth * 0.75) + 24);
    QCOMPARE(h_.window->Page()->width(), static_cast<int>(std::lround(pageWidth * 0.75)));
    SaveShot(*h_.window, "zoomed.png");

    // The next page shows at the same scale, and so does the page after it at full size again.
    h_.window->DisplayCode(1800);
    const int scaledWidth = h_.window->Page()->width();
    AnswerZoom(1.0, "OKBtn");
    C().mnuZoom->trigger();
    QCOMPARE(h_.window->PagePanel()->height(), 1760);  // 1600 x 1.0 x 1.1
    QVERIFY(h_.window->Page()->width() > scaledWidth);

    AnswerZoom(0, "OKBtn", &label);
    C().mnuZoom->trigger();
    QCOMPARE(label, QString("0%"));
    QCOMPARE(h_.window->PagePanel()->height(), 0);
}

void ZoomTest::zoomScalesTheFiguresInTheFields()
{
    const auto fieldTextHeight = [this](SlotRef line) {
        auto* field = test::FieldOf<QLineEdit>(h_.window->Page(), line);
        return field ? QFontInfo(field->font()).pixelSize() : -1;
    };
    const auto captionTextHeight = [this] {
        return QFontInfo(h_.window->Page()->findChild<QLabel*>("lblLine1")->font()).pixelSize();
    };
    const int field = fieldTextHeight(f1::line3Business);
    const int caption = captionTextHeight();
    QVERIFY(field > 0);
    AnswerZoom(1.5, "OKBtn");
    C().mnuZoom->trigger();
    QVERIFY2(std::abs(fieldTextHeight(f1::line3Business) - field * 1.5) <= 1,
             qPrintable(QString("%1 at 100%, %2 at 150%").arg(field).arg(fieldTextHeight(f1::line3Business))));
    QVERIFY(std::abs(captionTextHeight() - caption * 1.5) <= 1);

    // A page shown later comes at the same scale, figures and captions alike.
    h_.window->DisplayCode(1800);
    h_.window->DisplayCode(100);
    QVERIFY(std::abs(fieldTextHeight(f1::line3Business) - field * 1.5) <= 1);
    QVERIFY(std::abs(captionTextHeight() - caption * 1.5) <= 1);
}

void ZoomTest::zoomCancelAndZoomWithoutAPage()
{
    AnswerZoom(1.5, "CancelBtn");
    C().mnuZoom->trigger();
    QCOMPARE(h_.window->State().PageScale, 1.0);

    h_.window->ClearPage();
    h_.window->State().CurrentFormType = -1;
    AnswerZoom(0.5, "OKBtn");
    C().mnuZoom->trigger();
    QCOMPARE(h_.window->PagePanel()->height(), 1100);  // 2000 x 0.5 x 1.1
}

void ZoomTest::shrinkFontTakesTheChoiceEvenOnCancel()
{
    h_.window->State().FontShrink = 1.5;
    QWidget* page = h_.window->Page();
    QString selected;
    h_.prompts->dialogAnswers << [&](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>("ListBox1");
        selected = list->currentItem()->text();
        list->setCurrentRow(5);
        SaveShot(dialog, "shrinkfont.png");
        Click(dialog, "btnHelp");
        Click(dialog, "cbtnCancel");
    };
    C().mnuShrinkFont->trigger();
    QCOMPARE(selected, QString("1.5"));
    QCOMPARE(h_.window->State().FontShrink, 2.5);
    QCOMPARE(h_.window->Page(), page);  // not shown anew after Cancel
    // The "?" shows the dialog's help page in the program's help window.
    HelpWindow* help = h_.window->Help().Window();
    QVERIFY(help && help->isVisible());
    QVERIFY(help->Browser()->source().toLocalFile().endsWith("/help/kelsub10/options_menu/shrink_fonts.htm"));

    h_.prompts->dialogAnswers << [](QDialog& dialog) {
        dialog.findChild<QListWidget*>("ListBox1")->setCurrentRow(0);
        Click(dialog, "cbtnOk");
    };
    C().mnuShrinkFont->trigger();
    QCOMPARE(h_.window->State().FontShrink, 0.0);
    QVERIFY(h_.window->Page() != page);  // Ok shows the page on screen anew
    QCOMPARE(h_.window->State().CurrentFormType, 1);
    QVERIFY(h_.log.messageCodes.isEmpty());
}

void ZoomTest::defaultFolderPickerSetsTheFolders()
{
    const QString moved = h_.home->path() + "/elsewhere";
    QVERIFY(QDir().mkpath(moved));
    const QString before = QString::fromStdString(h_.window->Folders().ClientFileFolder);

    C().mnuDefaultFQ5->trigger();  // cancelled
    QCOMPARE(QString::fromStdString(h_.window->Folders().ClientFileFolder), before);
    QCOMPARE(h_.prompts->folderRequests, QStringList{"Select client file folder|" + before});

    h_.prompts->folderAnswers << moved + "/" << moved + "/prior" << moved + "/temp";
    C().mnuDefaultFQ5->trigger();
    C().mnuDefaultFQ4->trigger();
    C().mnuDefaultTempDir->trigger();
    QCOMPARE(QString::fromStdString(h_.window->Folders().ClientFileFolder), moved);
    QCOMPARE(QString::fromStdString(h_.window->Folders().PriorYearFolder), moved + "/prior");
    QCOMPARE(QString::fromStdString(h_.window->Folders().TempFolder), moved + "/temp");
    QVERIFY(h_.prompts->folderRequests[2].startsWith("Select last year's client probate folder|"));
    QVERIFY(h_.prompts->folderRequests[3].startsWith("Select temporary send to word processor folder|"));

    C().mnuOpen->trigger();  // cancelled, but it starts in the new folder
    QCOMPARE(h_.log.openRequests.size(), 1);
    QCOMPARE(h_.log.openRequests[0].folder, moved + "/");

    QVERIFY(h_.window->close());
    QFile settings(h_.home->path() + "/Velmora/Quorvan_16/quorvan_16.ini");
    QVERIFY(settings.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(settings.readAll());
    QVERIFY2(text.contains(moved + "\r\n" + moved + "/prior\r\n"), qPrintable(text));
    QVERIFY(!text.contains(moved + "/temp"));
    h_.window.reset();
}

QTEST_MAIN(ZoomTest)
#include "ZoomTest.moc"
