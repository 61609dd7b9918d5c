// Page binding on a small hand-made layout: field formats by kind, the transfers both ways,
// computed-field styles, focus rules, callouts and the label font shrink.

#include "app/pages/PageBinding.h"
#include "slot/Form1041Page1.h"
#include "slot/ScheduleDPage1.h"
#include "store/Answers.h"
#include "support/MessageRecorder.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUiLoader>
#include <QtTest>

#include <memory>

using namespace quorvan;
using namespace quorvan::app;

namespace {

namespace d1 = quorvan::slot::scheduleDPage1;
namespace f1 = quorvan::slot::form1041Page1;

class RecordingEvents : public PageEvents {
public:
    QList<QWidget*> exits;
    int changes = 0;
    void CalcOnExit(QWidget* control) override { exits << control; }
    void ControlChange() override { ++changes; }
    void ScrollOnEnter(QWidget*) override {}
    void CalloutDispatch(QAbstractButton* button) override { ToggleCallouts(button); }
    void DialogDispatch(QAbstractButton*) override {}
    void OverrideClick(QWidget*) override {}
    void ShowPopup(QWidget*, const QPoint&) override {}
};

std::unique_ptr<QWidget> LoadFixture()
{
    QFile file(QStringLiteral(QUORVAN_APP_TEST_DATA_DIR "/binding.psf"));
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    QUiLoader loader;
    return std::unique_ptr<QWidget>(loader.load(&file));
}

}  // namespace

class PageBindingTest : public QObject {
    Q_OBJECT

private slots:
    void fieldText_data();
    void fieldText();
    void reformatAndStore_data();
    void reformatAndStore();
    void answersRoundTripThroughControls();
    void overrideStylesFollowTheFlag();
    void readOnlyFieldsNeverTakeTheFocus();
    void helpButtonShowsAndHidesItsCallout();
    void labelFontShrinks();
};

void PageBindingTest::fieldText_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("blankZero");
    QTest::addColumn<QString>("shown");
    //                                 kind  answer       blank-zero shown
    QTest::newRow("cents") << 2 << "234.56" << false << "234.56";
    QTest::newRow("cents grouped") << 2 << "1234.5" << false << "1,234.50";
    QTest::newRow("whole dollars round") << 4 << "234.56" << false << "235";
    QTest::newRow("whole dollars grouped") << 4 << "1234567" << false << "1,234,567";
    QTest::newRow("count as stored") << 5 << "234.56" << false << "234.56";
    QTest::newRow("percentage") << 3 << "0.125" << false << "12.50%";
    QTest::newRow("zero shown") << 4 << "0" << false << "0";
    QTest::newRow("empty is zero") << 4 << "" << false << "0";
    QTest::newRow("zero cents shown") << 2 << "0" << false << "0.00";
    QTest::newRow("zero blank") << 4 << "0" << true << "";
    QTest::newRow("empty blank") << 2 << "" << true << "";
    QTest::newRow("text untouched") << 1 << "0" << true << "0";
}

void PageBindingTest::fieldText()
{
    QFETCH(int, kind);
    QFETCH(QString, answer);
    QFETCH(bool, blankZero);
    QFETCH(QString, shown);
    test::MessageRecorder messages;
    QCOMPARE(FieldText(kind, answer.toStdString(), blankZero), shown);
    QVERIFY(messages.Empty());
}

void PageBindingTest::reformatAndStore_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("afterExit");
    QTest::addColumn<QString>("storedBeforeExit");
    //                                  kind typed        after exit     stored from the typed text
    QTest::newRow("count") << 5 << "234.56" << "235" << "234.56";
    QTest::newRow("dollars") << 4 << "(1,234)" << "-1,234" << "(1,234)";
    QTest::newRow("cents") << 2 << "1234.5" << "1,234.50" << "1234.5";
    QTest::newRow("percent typed bare") << 3 << "12.5" << "12.50%" << "0.12";
    QTest::newRow("percent shown") << 3 << "12.50%" << "12.50%" << "0.125";
    QTest::newRow("text") << 1 << " a b" << " a b" << " a b";
}

void PageBindingTest::reformatAndStore()
{
    QFETCH(int, kind);
    QFETCH(QString, typed);
    QFETCH(QString, afterExit);
    QFETCH(QString, storedBeforeExit);
    test::MessageRecorder messages;
    QCOMPARE(ReformatOnExit(kind, typed), afterExit);
    QCOMPARE(QString::fromStdString(StoredAnswer(kind, typed)), storedBeforeExit);
}

void PageBindingTest::answersRoundTripThroughControls()
{
    ScopedAnswerStore store;
    test::MessageRecorder messages;
    auto page = LoadFixture();
    QVERIFY(page);
    RecordingEvents events;
    PrepareControls(page.get(), events, 0);
    const PageAddress form1{ftForm1041Page1, 0};
    store->SetText(1, 0, f1::taxYearEnding.slot, "1234.5");
    store->SetText(1, 0, f1::itemADecedentsEstate.slot, "0.125");
    store->SetText(1, 0, f1::itemAPooledIncomeFund.slot, "first | second");
    store->SetText(1, 0, f1::nameOfEstateOrTrust.slot, "answer label");
    store->SetText(1, 0, f1::itemABankruptcyEstateCh11.slot, "X");
    store->SetText(1, 0, f1::nameAndTitleOfFiduciary.slot, "77");
    AnswersToControls(page.get(), *store, form1);

    QCOMPARE(page->findChild<QLineEdit*>("edt2001")->text(), QString("1,234.50"));
    QCOMPARE(page->findChild<QLineEdit*>("edt3002")->text(), QString("12.50%"));
    QCOMPARE(page->findChild<QPlainTextEdit*>("memo10")->toPlainText(), QString("first\nsecond"));
    QCOMPARE(page->findChild<QLabel*>("lblAnswer11")->text(), QString("answer label"));
    QCOMPARE(page->findChild<QLabel*>("lbl1")->text(), QString("Caption"));
    auto* estimate = page->findChild<QCheckBox*>("cbx1009");
    QVERIFY(estimate->isChecked());
    QCOMPARE(estimate->text(), QString("EST"));
    QCOMPARE(page->findChild<QLineEdit*>("edt4012")->text(), QString("77"));  // inside a container

    estimate->setChecked(false);
    page->findChild<QCheckBox*>("cbx8")->setChecked(true);
    page->findChild<QPlainTextEdit*>("memo10")->setPlainText("a\nb");
    page->findChild<QLineEdit*>("edt4012")->setText("88");
    page->findChild<QLabel*>("lblAnswer11")->setText("typed over a label");
    ControlsToAnswers(page.get(), *store, form1);
    QCOMPARE(store->Text(1, 0, f1::itemABankruptcyEstateCh11.slot), std::string());
    QCOMPARE(store->Text(1, 0, f1::itemABankruptcyEstateCh7.slot), std::string("X"));
    QCOMPARE(store->Text(1, 0, f1::itemAPooledIncomeFund.slot), std::string("a | b"));
    QCOMPARE(store->Text(1, 0, f1::nameAndTitleOfFiduciary.slot), std::string("88"));
    QCOMPARE(store->Text(1, 0, f1::nameOfEstateOrTrust.slot), std::string("answer label"));  // labels are never stored
    QCOMPARE(store->Text(1, 0, f1::itemADecedentsEstate.slot), std::string("0.125"));

    AnswersToControls(page.get(), *store, form1);
    QCOMPARE(estimate->text(), QString());

    // Schedule D page 1 shows zero amounts empty; Form 1041 page 1 shows them.
    store->SetText(5, 0, d1::line1aCost.slot, "0");
    AnswersToControls(page.get(), *store, PageAddress{ftScheduleDPage1, 0});
    QCOMPARE(page->findChild<QLineEdit*>("edt4003")->text(), QString());
    store->SetText(1, 0, f1::itemASimpleTrust.slot, "0");
    AnswersToControls(page.get(), *store, form1);
    QCOMPARE(page->findChild<QLineEdit*>("edt4003")->text(), QString("0"));

    // A field left as shown writes nothing back: the 0 an empty amount shows stays empty.
    store->SetText(1, 0, f1::itemASimpleTrust.slot, "");
    AnswersToControls(page.get(), *store, form1);
    QCOMPARE(page->findChild<QLineEdit*>("edt4003")->text(), QString("0"));
    QList<QWidget*> changed;
    QVERIFY(!ControlsToAnswers(page.get(), *store, form1, &changed));
    QCOMPARE(store->Text(1, 0, f1::itemASimpleTrust.slot), std::string());
    QVERIFY(messages.Empty());
}

void PageBindingTest::overrideStylesFollowTheFlag()
{
    ScopedAnswerStore store;
    auto page = LoadFixture();
    QVERIFY(page);
    RecordingEvents events;
    PrepareControls(page.get(), events, 0);
    auto* computed = page->findChild<QLineEdit*>("edt4006");
    QVERIFY(computed->isReadOnly());

    store->SetOvRide(1, 0, f1::itemAESBT.slot, true);
    AnswersToControls(page.get(), *store, PageAddress{1, 0});
    QVERIFY(!computed->isReadOnly());
    QCOMPARE(StyleOf(computed), QString("EDITOVERRIDDEN"));
    QCOMPARE(computed->palette().color(QPalette::Text), QColor(255, 0, 0, 255));

    store->SetOvRide(1, 0, f1::itemAESBT.slot, false);
    AnswersToControls(page.get(), *store, PageAddress{1, 0});
    QVERIFY(computed->isReadOnly());
    QCOMPARE(StyleOf(computed), QString("EDITOVERRIDEABLE"));
    QCOMPARE(computed->palette().color(QPalette::Text), QColor(0, 0, 0, 255));
}

void PageBindingTest::readOnlyFieldsNeverTakeTheFocus()
{
    auto page = LoadFixture();
    QVERIFY(page);
    RecordingEvents events;
    PrepareControls(page.get(), events, 0);
    page->show();
    QVERIFY(QTest::qWaitForWindowActive(page.get()));
    auto* result = page->findChild<QLineEdit*>("edt4007");
    QCOMPARE(result->focusPolicy(), Qt::NoFocus);
    QVERIFY(!FocusTaggedControl(page.get(), 4007));
    QVERIFY(!FocusTaggedControl(page.get(), -1));

    // Tab from the field before it passes it by, and leaving a field reports the exit.
    QVERIFY(FocusTaggedControl(page.get(), 4006));
    events.exits.clear();
    QTest::keyClick(page->findChild<QLineEdit*>("edt4006"), Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != result);
    QCOMPARE(events.exits.size(), 1);
    QCOMPARE(events.exits.front()->objectName(), QString("edt4006"));
}

void PageBindingTest::helpButtonShowsAndHidesItsCallout()
{
    auto page = LoadFixture();
    QVERIFY(page);
    RecordingEvents events;
    PrepareControls(page.get(), events, 0);
    page->show();
    auto* callout = page->findChild<QFrame*>("btnHELP1Callout");
    QVERIFY(callout);
    QVERIFY(callout->isHidden());
    // Lifted out of the 16 x 16 button, at the same place, so that it can be seen at all.
    QCOMPARE(callout->parentWidget(), page.get());
    QCOMPARE(callout->pos(), QPoint(440, 10));

    auto* help = page->findChild<QPushButton*>("btnHELP1");
    help->click();
    QVERIFY(callout->isVisible());
    help->click();
    QVERIFY(callout->isHidden());
    page->findChild<QPushButton*>("btnOther")->click();
    QVERIFY(callout->isHidden());
}

void PageBindingTest::labelFontShrinks()
{
    auto page = LoadFixture();
    QVERIFY(page);
    RecordingEvents events;
    PrepareControls(page.get(), events, 2);
    QCOMPARE(page->findChild<QLabel*>("lbl1")->font().pointSizeF(), 10.0);
}

QTEST_MAIN(PageBindingTest)
#include "PageBindingTest.moc"
