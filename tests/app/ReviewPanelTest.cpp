// The Review panel in the real window, offscreen: shown from the toolbar and the Display menu, it
// follows every recalculation with the counts in the status bar; a double-click goes to the page
// of the finding and puts the cursor in its field; printing a return with errors asks first.

#include "FakePrompts.h"
#include "PageFields.h"
#include "app/files/FileCommands.h"
#include "app/print/PrintCommands.h"
#include "app/review/ReviewPanel.h"
#include "app/window/MainWindow.h"
#include "slot/Form1041Page1.h"
#include "slot/ScheduleK1.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

using namespace quorvan;
using namespace quorvan::app;

namespace f1 = quorvan::slot::form1041Page1;
namespace k1 = quorvan::slot::scheduleK1;
using quorvan::app::test::FakePrompts;
using quorvan::app::test::PromptLog;

class ReviewPanelTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> home_;
    PromptLog log_;
    FakePrompts* prompts_ = nullptr;
    std::unique_ptr<TfrmMain> window_;

    bool Start()
    {
        auto prompts = std::make_unique<FakePrompts>(log_);
        prompts_ = prompts.get();
        StartOptions options;
        options.homeFolder = home_->path();
        options.programFolder = QStringLiteral(QUORVAN_BUILD_DATA_DIR);
        window_ = std::make_unique<TfrmMain>(std::move(prompts), options);
        window_->State().SkipAnimations = true;
        window_->show();
        return QTest::qWaitForWindowActive(window_.get());
    }
    // The sample return, clean by the review, as the open return on Form 1041 page 1.
    void OpenSample()
    {
        prompts_->openNames << QStringLiteral(QUORVAN_SOURCE_DIR "/examples/sample-trust.fq6");
        window_->Files().OpenClick();
        QCOMPARE(window_->Store()->Text(ftForm1041Page1, 0, f1::nameOfEstateOrTrust.slot),
                 std::string("Harbor Lane Family Trust"));
    }
    QTreeWidget* List() { return window_->ReviewDock()->List(); }
    // The list item of the finding of `rule`, or null.
    QTreeWidgetItem* ItemOf(const char* rule)
    {
        const auto& findings = window_->ReviewDock()->Findings();
        for (int g = 0; g < List()->topLevelItemCount(); ++g) {
            QTreeWidgetItem* group = List()->topLevelItem(g);
            for (int i = 0; i < group->childCount(); ++i) {
                const int index = group->child(i)->data(0, Qt::UserRole + 1).toInt();
                if (findings.at(static_cast<size_t>(index)).rule == rule)
                    return group->child(i);
            }
        }
        return nullptr;
    }
    QString StatusCounts() { return window_->findChild<QLabel*>("lblReviewCounts")->text(); }
    void DoubleClick(QTreeWidgetItem* item)
    {
        List()->scrollToItem(item);
        const QRect rect = List()->visualItemRect(item);
        // A double-click is a press and release followed by the double-click press.
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        QTest::mouseDClick(List()->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    }
    int FocusedTag()
    {
        QWidget* focused = window_->focusWidget();
        return focused ? focused->property("tag").toInt() : -1;
    }

private slots:
    void init()
    {
        home_ = std::make_unique<QTemporaryDir>();
        log_ = PromptLog();
        QVERIFY(Start());
    }
    void cleanup()
    {
        prompts_->saveAnswer = SaveAnswer::No;
        window_->close();
        window_.reset();
    }

    void shownFromToolbarAndMenuAndFollowsEveryRecalculation()
    {
        ReviewPanel* panel = window_->ReviewDock();
        QAction* menuItem = window_->Commands().mnuReview;
        QVERIFY(panel->isHidden());
        window_->Commands().cbtnReview->click();
        QVERIFY(panel->isVisible());
        QVERIFY(menuItem->isChecked());
        menuItem->trigger();
        QVERIFY(panel->isHidden());
        menuItem->trigger();
        QVERIFY(panel->isVisible());

        // A new return has no name, no fiduciary, no EIN, no entity type.
        QVERIFY(ItemOf("f1041.name"));
        QVERIFY(StatusCounts().startsWith(QStringLiteral("Review: 4 errors")));
        QCOMPARE(List()->topLevelItem(0)->text(0), QStringLiteral("Errors (4)"));

        QLineEdit* name = test::FieldOf<QLineEdit>(window_->Page(), f1::nameOfEstateOrTrust);
        name->setFocus();
        QTest::keyClicks(name, QStringLiteral("Harbor Lane Family Trust"));
        QTest::keyClick(name, Qt::Key_Tab);
        QVERIFY(!ItemOf("f1041.name"));
        QVERIFY(StatusCounts().startsWith(QStringLiteral("Review: 3 errors")));

        OpenSample();
        QCOMPARE(StatusCounts(), QStringLiteral("Review: no errors, no warnings, no notes"));
        QCOMPARE(List()->topLevelItem(0)->text(2), QStringLiteral("The review finds nothing to mend."));
    }

    void doubleClickPutsTheCursorInTheField_data()
    {
        QTest::addColumn<int>("formType");
        QTest::addColumn<QString>("plant");
        QTest::addColumn<QString>("rule");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("tag");
        QTest::newRow("identifying number on the second K-1") << 9 << "k1 ssn" << "k1.identifying-number" << 1 << 1014;
        QTest::newRow("EIN on page 1 from page 2") << 2 << "ein" << "f1041.ein" << 0 << 1017;
        QTest::newRow("qualified dividends, an amount") << 1 << "dividends" << "f1041.qualified-dividends" << 0 << 4032;
    }
    void doubleClickPutsTheCursorInTheField()
    {
        QFETCH(int, formType);
        QFETCH(QString, plant);
        QFETCH(QString, rule);
        QFETCH(int, page);
        QFETCH(int, tag);
        OpenSample();
        window_->DisplayCode(formType * 100);
        TAnswer& store = *window_->Store();
        if (plant == "k1 ssn") {
            store.NoOfSchedK = 2;
            store.BeneficiaryInterest[0] = 0.5;
            store.BeneficiaryInterest[1] = 0.5;
            store.SetText(ftScheduleK1, 1, k1::itemGName.slot, "Second Beneficiary");
            store.SetText(ftScheduleK1, 1, k1::itemGAddress1.slot, "1 Main Street");
            store.SetText(ftScheduleK1, 1, k1::itemFIdentifyingNumber.slot, "12-34");
        } else if (plant == "ein") {
            store.SetText(ftForm1041Page1, 0, f1::itemCEin.slot, "46 1234567");
        } else {
            store.SetText(ftForm1041Page1, 0, f1::line2b1QualifiedToBeneficiaries.slot, "9,000");
        }
        window_->Recalculate(false);
        window_->Commands().cbtnReview->click();
        QTreeWidgetItem* item = ItemOf(rule.toLatin1().constData());
        QVERIFY(item);

        DoubleClick(item);
        QTRY_COMPARE(FocusedTag(), tag);
        QCOMPARE(window_->State().CurrentFormType, tag == 1014 ? 9 : 1);
        QCOMPARE(window_->State().CurrentPageIndex, page);
        QVERIFY(window_->Page()->isAncestorOf(window_->focusWidget()));
    }

    void overrideNoteGetsItsComputedFigureOnceIdle()
    {
        OpenSample();
        window_->Commands().cbtnReview->click();
        window_->Store()->SetText(ftForm1041Page1, 0, f1::line20Exemption.slot, "300");
        window_->Store()->SetOvRide(ftForm1041Page1, 0, f1::line20Exemption.slot, true);
        window_->Recalculate(false);
        QTreeWidgetItem* note = ItemOf("override");
        QVERIFY(note);
        QCOMPARE(note->text(1), QStringLiteral("line 20"));
        QTRY_COMPARE(ItemOf("override")->text(2), QStringLiteral("Overridden: 300 typed, 100 computed."));
        QCOMPARE(window_->Store()->Text(ftForm1041Page1, 0, f1::line20Exemption.slot), std::string("300"));
        QCOMPARE(Answers, window_->Store());
    }

    void printingAReturnWithErrorsAsksFirst()
    {
        OpenSample();
        QVERIFY(window_->ConfirmPrintWithReviewErrors());
        QVERIFY(log_.proceedQuestions.isEmpty());

        window_->Store()->SetText(ftForm1041Page1, 0, f1::nameOfEstateOrTrust.slot, "");
        window_->Recalculate(false);
        prompts_->proceedAnswer = true;
        QVERIFY(window_->ConfirmPrintWithReviewErrors());
        QCOMPARE(log_.proceedQuestions.size(), 1);
        QVERIFY(log_.proceedQuestions[0].contains("Form 1041, Name of estate or trust: The name of the estate or trust is missing."));

        prompts_->proceedAnswer = false;
        window_->Printing().PrintSelectedForms();  // goes back before the selection dialog
        QCOMPARE(log_.proceedQuestions.size(), 2);
        QVERIFY(window_->ReviewDock()->isVisible());
        window_->Printing().PrintPreviewClick();  // the preview asks the same
        QCOMPARE(log_.proceedQuestions.size(), 3);
    }
};

QTEST_MAIN(ReviewPanelTest)
#include "ReviewPanelTest.moc"
