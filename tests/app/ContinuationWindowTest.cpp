// Continuation pages through the real window: New, View and Delete with the page chooser and the
// delete question, the twenty-page limit, and the K-1 allocation dialog with its percentage.

#include "Window2Prompts.h"

#include "app/dialogs/TfrmBeneInt.h"
#include "store/ContinuationPages.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/Interest.h"
#include "slot/Other2.h"
#include "slot/ScheduleK1.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTreeWidget>

using namespace quorvan;
using namespace quorvan::app;
using quorvan::app::test::Click;
using quorvan::app::test::Window2Harness;

namespace {

namespace f1 = quorvan::slot::form1041Page1;
namespace f2 = quorvan::slot::form1041Page2;
namespace interest = quorvan::slot::interest;
namespace k1 = quorvan::slot::scheduleK1;
namespace other2 = quorvan::slot::other2;

constexpr SlotRef kPayerField = interest::entries::Slot(0, interest::entries::description);   // first payer on an interest page
constexpr SlotRef kAmountField = interest::entries::Slot(0, interest::entries::amount);  // its amount
constexpr SlotRef kLine1Field = f1::line1Interest;   // Form 1041 line 1, the interest of every page

void SaveShot(QWidget& widget, const char* name)
{
    const QString folder = qEnvironmentVariable("QUORVAN_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        widget.grab().save(folder + "/" + name);
}

}  // namespace

class ContinuationWindowTest : public QObject {
    Q_OBJECT

private:
    Window2Harness h_;
    ContinuationItems& Items(int type) { return h_.window->Commands().continuation.at(type); }
    int Shown() const { return h_.window->State().CurrentFormType * 100 + h_.window->State().CurrentPageIndex; }

private slots:
    void init() { QVERIFY(h_.Start()); }
    void cleanup() { h_.Stop(); }

    void threeInterestPagesDeleteTheSecond();
    void viewChoosesAmongThePages();
    void deleteAsksWithTheTypesOwnName();
    void deletedBeneficiaryTakesItsShareAndFlagsAlong();
    void twentyK1PagesThenNoMore();
    void allocationPercentageStoredAsAFraction();
    void newBeneficiaryGetsThePercentageTyped();
    void percentageTypedOrPastedIsTheOneUsed();
    void sharesCarriedAsLine18AreExplained();
    void tierShareShownBesideTheStoredPercentage();
    void chooserOpensOnThePageOnScreen();
    void afterADeleteThePageShownExistsAndTakesNoPhantomRow_data();
    void afterADeleteThePageShownExistsAndTakesNoPhantomRow();
};

void ContinuationWindowTest::afterADeleteThePageShownExistsAndTakesNoPhantomRow_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("nameSlot");
    QTest::newRow("interest") << int(ftInterest) << kPayerField.slot;
    QTest::newRow("K-1") << int(ftScheduleK1) << k1::itemGName.slot;
}

// The only page deleted: the window goes to Form 1041, so what is typed next lands on a page in
// use; a page that fell out of use takes nothing, and the next new page starts blank.
void ContinuationWindowTest::afterADeleteThePageShownExistsAndTakesNoPhantomRow()
{
    QFETCH(int, type);
    QFETCH(int, nameSlot);
    const SlotRef name{type, nameSlot};
    h_.window->TreeItemClick(Items(type).treeNew);
    QCOMPARE(Shown(), type * 100);
    h_.Type(name, "Real Payer");
    QCOMPARE(*Answers->CountField(type), 1);

    h_.window->TreeItemClick(Items(type).treeDelete);
    QCOMPARE(*Answers->CountField(type), 0);
    QCOMPARE(Shown(), 100);
    QVERIFY(h_.Edit(f1::nameOfEstateOrTrust));

    // Even a page out of use brought on screen takes no entry.
    h_.window->ShowPage(type * 100);
    h_.Type(name, "Ghost Payer");
    QCOMPARE(Answers->Text(type, 0, nameSlot), std::string());

    // A new page starts blank, whatever its place held.
    Answers->SetText(type, 0, nameSlot, "Left Behind");
    h_.window->TreeItemClick(Items(type).treeNew);
    QCOMPARE(Shown(), type * 100);
    QCOMPARE(Answers->Text(type, 0, nameSlot), std::string());
    QCOMPARE(h_.Edit(name)->text(), QString());
}

void ContinuationWindowTest::threeInterestPagesDeleteTheSecond()
{
    const QStringList payers = {"First Bank", "Second Bank", "Third Bank"};
    const QStringList amounts = {"100", "20", "3"};
    for (int i = 0; i < 3; ++i) {
        if (i == 1)
            Items(18).newItem->trigger();  // Display menu
        else
            h_.window->TreeItemClick(Items(18).treeNew);
        QCOMPARE(Shown(), 1800 + i);
        h_.Type(kPayerField, payers[i]);
        h_.Type(kAmountField, amounts[i]);
    }
    QCOMPARE(Answers->NoOfInterest, 3);
    Answers->SetOvRide(ftInterest, 1, interest::total.slot, true);  // the second page's own flag leaves with it

    h_.prompts->dialogAnswers << [](QDialog& chooser) {
        chooser.findChild<QComboBox*>("ComboBox1")->setCurrentIndex(1);
        Click(chooser, "OKBtn");
    };
    h_.window->TreeItemClick(Items(18).treeDelete);
    QCOMPARE(h_.prompts->dialogsShown, QStringList{"TfrmMultiple"});
    QCOMPARE(h_.prompts->warningQuestions, QStringList{"Are You Sure You Want To Delete Interest continuation page 2?"});
    QCOMPARE(Answers->NoOfInterest, 2);
    QCOMPARE(Answers->Text(ftInterest, 1, interest::entries::Slot(0, interest::entries::description).slot),
             std::string("Third Bank"));
    QCOMPARE(Answers->Text(ftInterest, 2, interest::entries::Slot(0, interest::entries::description).slot),
             std::string());
    QVERIFY(!Answers->OvRide(ftInterest, 1, interest::total.slot));
    // The page on screen moved down one place with its answers, and stays on screen.
    QCOMPARE(Shown(), 1801);
    QCOMPARE(h_.Edit(kPayerField)->text(), QString("Third Bank"));

    h_.window->DisplayCode(100);
    QCOMPARE(h_.Edit(kLine1Field)->text(), QString("103"));
}

void ContinuationWindowTest::viewChoosesAmongThePages()
{
    Answers->NoOfDividend = 1;
    h_.window->UpdateMenuItems();
    Items(19).view->trigger();
    QCOMPARE(Shown(), 1900);
    QVERIFY(h_.prompts->dialogsShown.isEmpty());  // one page: no chooser

    Answers->NoOfDividend = 3;
    QStringList listed;
    QString hint;
    h_.prompts->dialogAnswers << [&](QDialog& chooser) {
        auto* list = chooser.findChild<QComboBox*>("ComboBox1");
        for (int i = 0; i < list->count(); ++i)
            listed << list->itemText(i);
        hint = chooser.findChild<QLabel*>("Label2")->text();
        QCOMPARE(list->currentIndex(), 0);
        list->setCurrentIndex(2);
        SaveShot(chooser, "chooser.png");
        Click(chooser, "OKBtn");
    };
    h_.window->TreeItemClick(Items(19).treeView);
    QCOMPARE(listed, QStringList({"Continuation Page 1", "Continuation Page 2", "Continuation Page 3"}));
    QCOMPARE(hint, QString("Choose one of the 3 pages."));
    QCOMPARE(Shown(), 1902);
    QCOMPARE(h_.window->State().ContinuationChoice, 2);

    // Cancel stops the command and leaves the choice at 0.
    Items(19).view->trigger();
    QCOMPARE(Shown(), 1902);
    QCOMPARE(h_.window->State().ContinuationChoice, 0);

    // Schedule K-1 lists the beneficiaries by name.
    Answers->NoOfSchedK = 2;
    Answers->SetText(ftScheduleK1, 0, k1::itemGName.slot, "Ann Hart");
    Answers->SetText(ftScheduleK1, 1, k1::itemGName.slot, "Ben Hart");
    h_.prompts->dialogAnswers << [&](QDialog& chooser) {
        auto* list = chooser.findChild<QComboBox*>("ComboBox1");
        QCOMPARE(list->itemText(0), QString("Ann Hart"));
        QCOMPARE(list->itemText(1), QString("Ben Hart"));
        QCOMPARE(chooser.findChild<QLabel*>("Label2")->text(), QString());
        list->setCurrentIndex(1);
        Click(chooser, "OKBtn");
    };
    Items(9).view->trigger();
    QCOMPARE(Shown(), 901);
}

void ContinuationWindowTest::deleteAsksWithTheTypesOwnName()
{
    Answers->NoOfOther2 = 1;
    Answers->NoOfOther = 2;
    Answers->SetText(ftOther2, 0, other2::entries::Slot(0, other2::entries::description).slot, "Investment advice");
    h_.window->UpdateMenuItems();
    h_.prompts->warningAnswer = false;
    Items(26).remove->trigger();
    QCOMPARE(h_.prompts->warningQuestions, QStringList{"Are You Sure You Want To Delete Other deductions (2% floor) continuation page 1?"});
    QCOMPARE(Answers->NoOfOther2, 1);  // No keeps the page
    QCOMPARE(Answers->Text(ftOther2, 0, other2::entries::Slot(0, other2::entries::description).slot),
             std::string("Investment advice"));

    h_.prompts->warningAnswer = true;
    Items(26).remove->trigger();
    QCOMPARE(Answers->NoOfOther2, 0);
    QCOMPARE(Answers->NoOfOther, 2);  // its own count, not the other deductions'
    QVERIFY(!Items(26).view->isVisible() && Items(26).treeDelete->isHidden());

    // Nothing in use: Delete asks nothing.
    h_.window->DeleteForm(ftOther2);
    QCOMPARE(h_.prompts->warningQuestions.size(), 2);
}

void ContinuationWindowTest::deletedBeneficiaryTakesItsShareAndFlagsAlong()
{
    Answers->NoOfInterest = 1;
    Answers->SetText(ftInterest, 0, interest::entries::Slot(0, interest::entries::amount).slot, "1,000");
    Answers->SetText(ftForm1041Page2, 0, f2::scheduleBLine10Other.slot,
                     "1,000");  // all of it distributed (Schedule B line 10)
    Answers->NoOfSchedK = 3;
    SetK1Allocation(*Answers, 0, K1Allocation::Percentage, 0.25);
    SetK1Allocation(*Answers, 1, K1Allocation::Percentage, 0.5);
    SetK1Allocation(*Answers, 2, K1Allocation::OwnValues, 0);
    Answers->SetText(ftScheduleK1, 2, k1::box1Interest.slot, "777");  // the third beneficiary's own interest
    h_.window->RefreshClick();
    QCOMPARE(Answers->Text(ftScheduleK1, 1, k1::box1Interest.slot), std::string("500"));

    h_.prompts->dialogAnswers << [](QDialog& chooser) {
        chooser.findChild<QComboBox*>("ComboBox1")->setCurrentIndex(1);
        Click(chooser, "OKBtn");
    };
    Items(9).remove->trigger();
    QCOMPARE(Answers->NoOfSchedK, 2);
    h_.window->RefreshClick();
    QCOMPARE(Answers->Text(ftScheduleK1, 0, k1::box1Interest.slot), std::string("250"));
    QCOMPARE(Answers->Text(ftScheduleK1, 1, k1::box1Interest.slot), std::string("777"));
    QCOMPARE(Answers->BeneficiaryInterest[1], -1.0);
    QCOMPARE(Answers->BeneficiaryInterest[2], -1.0);
}

void ContinuationWindowTest::twentyK1PagesThenNoMore()
{
    for (int i = 0; i < 20; ++i) {
        Items(9).newItem->trigger();
        QCOMPARE(Shown(), 900 + i);
    }
    QCOMPARE(Answers->NoOfSchedK, 20);
    QVERIFY(h_.window->State().Modified);  // new pages are kept only by saving: closing asks
    // Each new page asks for its own beneficiary's percentage, never through the chooser.
    QCOMPARE(h_.prompts->dialogsShown.mid(0, 3), QStringList({"TfrmBeneInt", "TfrmBeneInt", "TfrmBeneInt"}));
    QVERIFY(h_.log.messageCodes.isEmpty());

    Items(9).newItem->trigger();
    QCOMPARE(h_.log.messageCodes, QList<unsigned>{11860});
    QCOMPARE(Answers->NoOfSchedK, 20);
    QCOMPARE(Shown(), 919);
}

void ContinuationWindowTest::allocationPercentageStoredAsAFraction()
{
    Answers->NoOfSchedK = 1;
    h_.prompts->dialogAnswers << [](QDialog& dialog) {
        QVERIFY(dialog.findChild<QRadioButton*>("rbNotApplicable")->isChecked());
        QCOMPARE(dialog.findChild<QLineEdit*>("edtPercentage")->text(), QString());
        dialog.findChild<QRadioButton*>("rbUsePercentage")->setChecked(true);
        dialog.findChild<QLineEdit*>("edtPercentage")->setText("12.5");
        Click(dialog, "OKBtn");
    };
    h_.window->Commands().mnuK1Allocation->trigger();
    QCOMPARE(Answers->BeneficiaryInterest[0], 0.125);
    // Undo leads to the K-1 it changes, not to the page the dialog was opened from.
    h_.window->DisplayCode(100);
    h_.window->Commands().mnuUndo->trigger();
    QCOMPARE(Shown(), 900);
    QCOMPARE(Answers->BeneficiaryInterest[0], -1.0);
    h_.window->DisplayCode(100);
    h_.window->Commands().mnuRedo->trigger();
    QCOMPARE(Shown(), 900);
    QCOMPARE(Answers->BeneficiaryInterest[0], 0.125);

    QString shown;
    h_.prompts->dialogAnswers << [&](QDialog& dialog) {
        shown = dialog.findChild<QLineEdit*>("edtPercentage")->text();
        QVERIFY(dialog.findChild<QRadioButton*>("rbUsePercentage")->isChecked());
        dialog.findChild<QLineEdit*>("edtPercentage")->setText("12.5%");
        SaveShot(dialog, "allocation.png");
        Click(dialog, "OKBtn");
        QVERIFY(dialog.isVisible());  // stays open on an invalid percentage
        Click(dialog, "CancelBtn");
    };
    QTest::mouseClick(h_.window->Commands().cbtnKinWk, Qt::LeftButton);
    QCOMPARE(shown, QString("12.50"));
    QCOMPARE(h_.log.messageCodes, QList<unsigned>{16010});
    QCOMPARE(Answers->BeneficiaryInterest[0], 0.125);

    // Not applicable: the allocated amounts of this beneficiary become the preparer's own.
    h_.prompts->dialogAnswers << [](QDialog& dialog) {
        dialog.findChild<QRadioButton*>("rbNotApplicable")->setChecked(true);
        Click(dialog, "OKBtn");
    };
    QTest::mouseClick(h_.window->Commands().cbtnSmlKinWk, Qt::LeftButton);
    QCOMPARE(Answers->BeneficiaryInterest[0], -1.0);
    for (int slot : kAllocatedK1Slots)
        QVERIFY(Answers->OvRide(ftScheduleK1, 0, slot));
    QVERIFY(h_.window->State().Modified);  // a changed allocation is kept only by saving
}

// New on Schedule K-1 adds the page first and asks for the new beneficiary's percentage, naming
// the beneficiary and what the percentage is a share of; the first beneficiary keeps its own.
void ContinuationWindowTest::newBeneficiaryGetsThePercentageTyped()
{
    Answers->NoOfSchedK = 1;
    SetK1Allocation(*Answers, 0, K1Allocation::Percentage, 0.6);
    Answers->SetText(ftScheduleK1, 0, kBeneficiaryNameSlot, "Ann Hart");
    Answers->SetText(ftForm1041Page2, 0, f2::scheduleBLine7Dni.slot, "7,300");  // Schedule B line 7
    QString named, shareOf;
    h_.prompts->dialogAnswers << [&](QDialog& dialog) {
        named = dialog.findChild<QLabel*>("lblBeneficiary")->text();
        shareOf = dialog.findChild<QLabel*>("lblShareOf")->text();
        dialog.findChild<QRadioButton*>("rbUsePercentage")->setChecked(true);
        dialog.findChild<QLineEdit*>("edtPercentage")->setText("40");
        Click(dialog, "OKBtn");
    };
    Items(9).newItem->trigger();
    QCOMPARE(named, QString("Beneficiary 2"));
    QVERIFY2(shareOf.contains("Schedule B line 7") && shareOf.contains("7,300"), qPrintable(shareOf));
    QCOMPARE(Answers->NoOfSchedK, 2);
    QCOMPARE(Answers->BeneficiaryInterest[0], 0.6);
    QCOMPARE(Answers->BeneficiaryInterest[1], 0.4);
    QCOMPARE(Shown(), 901);

    // The name typed on the page is the one the chooser lists.
    h_.Type(k1::itemGName, "Ben Hart");
    QCOMPARE(Answers->Text(ftScheduleK1, 1, kBeneficiaryNameSlot), std::string("Ben Hart"));

    // Cancel leaves the third beneficiary without a percentage.
    h_.prompts->dialogAnswers << [](QDialog& dialog) { Click(dialog, "CancelBtn"); };
    Items(9).newItem->trigger();
    QCOMPARE(Answers->NoOfSchedK, 3);
    QCOMPARE(Answers->BeneficiaryInterest[2], -1.0);
    QCOMPARE(Shown(), 902);

    QStringList listed;
    h_.prompts->dialogAnswers << [&](QDialog& chooser) {
        auto* list = chooser.findChild<QComboBox*>("ComboBox1");
        for (int i = 0; i < list->count(); ++i)
            listed << list->itemText(i);
        Click(chooser, "CancelBtn");
    };
    h_.window->Commands().mnuK1Allocation->trigger();
    QCOMPARE(listed, QStringList({"Ann Hart", "Ben Hart", "Beneficiary 3"}));
}

// Typing or pasting into the box chooses "Use this percentage"; Enter takes what is shown.
void ContinuationWindowTest::percentageTypedOrPastedIsTheOneUsed()
{
    Answers->NoOfSchedK = 1;
    SetK1Allocation(*Answers, 0, K1Allocation::OwnValues, 0);
    h_.prompts->dialogAnswers << [](QDialog& dialog) {
        auto* box = dialog.findChild<QLineEdit*>("edtPercentage");
        QVERIFY(dialog.findChild<QRadioButton*>("rbNotApplicable")->isChecked());
        box->setFocus();
        QTest::keyClicks(box, "40");
        QVERIFY(dialog.findChild<QRadioButton*>("rbUsePercentage")->isChecked());
        QTest::keyClick(box, Qt::Key_Return);
    };
    h_.window->Commands().mnuK1Allocation->trigger();
    QCOMPARE(Answers->BeneficiaryInterest[0], 0.4);
    QVERIFY(!Answers->OvRide(ftScheduleK1, 0, k1::box1Interest.slot));

    SetK1Allocation(*Answers, 0, K1Allocation::OwnValues, 0);
    QGuiApplication::clipboard()->setText("12.5");
    h_.prompts->dialogAnswers << [](QDialog& dialog) {
        auto* box = dialog.findChild<QLineEdit*>("edtPercentage");
        box->setFocus();
        QTest::keySequence(box, QKeySequence::Paste);
        QTest::keyClick(box, Qt::Key_Enter);
    };
    h_.window->Commands().mnuK1Allocation->trigger();
    QCOMPARE(Answers->BeneficiaryInterest[0], 0.125);
}

// Two K-1s at 60% of the 1,000 distributed hand out 1,200: each carries 50%, and says so.
void ContinuationWindowTest::sharesCarriedAsLine18AreExplained()
{
    Answers->NoOfInterest = 1;
    Answers->SetText(ftInterest, 0, interest::entries::Slot(0, interest::entries::amount).slot, "1,000");
    Answers->SetText(ftForm1041Page2, 0, f2::scheduleBLine10Other.slot, "1,000");
    Answers->NoOfSchedK = 2;
    SetK1Allocation(*Answers, 0, K1Allocation::Percentage, 0.6);
    SetK1Allocation(*Answers, 1, K1Allocation::Percentage, 0.6);
    h_.window->RefreshClick();
    QCOMPARE(Answers->Text(ftScheduleK1, 1, k1::box1Interest.slot), std::string("500"));

    QString said;
    h_.prompts->dialogAnswers << [](QDialog& chooser) { Click(chooser, "OKBtn"); };
    h_.prompts->dialogAnswers << [&](QDialog& dialog) {
        auto* note = dialog.findChild<QLabel*>("lblScaled");
        QVERIFY(note && note->isVisible());
        said = note->text();
        QCOMPARE(dialog.findChild<QLineEdit*>("edtPercentage")->text(), QString("60.00"));
        SaveShot(dialog, "allocation-scaled.png");
        Click(dialog, "CancelBtn");
    };
    h_.window->Commands().mnuK1Allocation->trigger();
    QCOMPARE(said, QString("Together the shares hand out more than line 18; each K-1 carries its part of line 18. "
                           "This beneficiary's 60.00% is carried as 50.00%."));

    // Shares that fit say nothing.
    SetK1Allocation(*Answers, 1, K1Allocation::Percentage, 0.4);
    h_.window->RefreshClick();
    h_.prompts->dialogAnswers << [](QDialog& chooser) { Click(chooser, "OKBtn"); };
    h_.prompts->dialogAnswers << [](QDialog& dialog) {
        QVERIFY(!dialog.findChild<QLabel*>("lblScaled")->isVisible());
        Click(dialog, "CancelBtn");
    };
    h_.window->Commands().mnuK1Allocation->trigger();
}

// Interest of 20,000; A must receive 10,000 and is paid 5,000 more, B, C and D are paid 3,000
// each, E nothing. First tier: A 10,000; the 10,000 left shares 14,000 of other amounts: A
// 5/14, B, C, D 3/14 each. A takes 13,571 (67.86%), B 2,143 (10.71%), E 0. Every stored
// percentage of 20% stays as it was.
void ContinuationWindowTest::tierShareShownBesideTheStoredPercentage()
{
    Answers->NoOfInterest = 1;
    Answers->SetText(ftInterest, 0, kAmountField.slot, "20,000");
    Answers->NoOfSchedK = 5;
    const char* required[] = {"10,000", "", "", "", ""};
    const char* other[] = {"5,000", "3,000", "3,000", "3,000", ""};
    for (int k = 0; k < 5; ++k) {
        SetK1Allocation(*Answers, k, K1Allocation::Percentage, 0.2);
        Answers->SetText(ftScheduleK1, k, k1::incomeRequiredToBeDistributed.slot, required[k]);
        Answers->SetText(ftScheduleK1, k, k1::otherAmountsDistributed.slot, other[k]);
    }
    h_.window->RefreshClick();
    QCOMPARE(Answers->Text(ftScheduleK1, 0, k1::box1Interest.slot), std::string("13,571"));

    struct Row {
        int page;
        const char* share;  // shown beside the percentage
        const char* says;   // the start of the note below
    };
    // page | share of DNI | note
    const Row rows[] = {
        {0, "67.86",
         "Income required to be distributed of 10,000 and other amounts of 5,000 on this K-1 give this beneficiary "
         "13,571 of the distributable net income of 20,000."},
        {1, "10.71", "Income required to be distributed of 0 and other amounts of 3,000"},
        {4, "0.00", "Other K-1s hold distribution amounts and this one none: it carries 0 of"},
    };
    for (const Row& row : rows) {
        TfrmBeneInt dialog(*Answers, row.page);
        dialog.show();
        auto* share = dialog.findChild<QLineEdit*>("edtTierShare");
        QVERIFY(share->isVisible() && share->isReadOnly());
        QCOMPARE(share->text(), QString(row.share));
        QCOMPARE(dialog.findChild<QLineEdit*>("edtPercentage")->text(), QString("20.00"));
        auto* note = dialog.findChild<QLabel*>("lblTierNote");
        QVERIFY(note->isVisible());
        QVERIFY2(note->text().startsWith(row.says), qPrintable(note->text()));
        if (row.page == 0)
            SaveShot(dialog, "allocation-tiers.png");
        Click(dialog, "OKBtn");
        QCOMPARE(Answers->BeneficiaryInterest[static_cast<size_t>(row.page)], 0.2);
    }

    // Without distribution amounts the percentages set the shares: nothing is shown beside them.
    for (int k = 0; k < 5; ++k) {
        Answers->SetText(ftScheduleK1, k, k1::incomeRequiredToBeDistributed.slot, "");
        Answers->SetText(ftScheduleK1, k, k1::otherAmountsDistributed.slot, "");
    }
    h_.window->RefreshClick();
    TfrmBeneInt dialog(*Answers, 0);
    dialog.show();
    QVERIFY(!dialog.findChild<QLineEdit*>("edtTierShare")->isVisible());
    QVERIFY(!dialog.findChild<QLabel*>("lblTierNote")->isVisible());
    dialog.reject();
}

void ContinuationWindowTest::chooserOpensOnThePageOnScreen()
{
    Answers->NoOfSchedK = 3;
    Answers->NoOfInterest = 2;
    h_.window->DisplayCode(902);
    int offered = -1;
    const auto note = [&](QDialog& chooser) {
        offered = chooser.findChild<QComboBox*>("ComboBox1")->currentIndex();
        Click(chooser, "CancelBtn");
    };
    h_.prompts->dialogAnswers << note;
    h_.window->Commands().mnuK1Allocation->trigger();
    QCOMPARE(offered, 2);
    h_.prompts->dialogAnswers << note;
    Items(9).view->trigger();
    QCOMPARE(offered, 2);
    h_.prompts->dialogAnswers << note;
    Items(18).remove->trigger();  // another type: its first page
    QCOMPARE(offered, 0);
}

QTEST_MAIN(ContinuationWindowTest)
#include "ContinuationWindowTest.moc"
