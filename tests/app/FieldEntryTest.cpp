// Entry into the page fields through the real window: what an amount field keeps of what was
// typed, the field naming itself when its text does not read, the shading of computed fields,
// changes versus mere movement, characters a client file cannot keep, control characters, the
// popup menu's Cut, Copy and Paste, and the percentages the K-1 allocation dialog takes.

#include "Window2Prompts.h"

#include "app/dialogs/TfrmBeneInt.h"
#include "app/pages/FieldEntry.h"
#include "app/pages/PageBinding.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041QFT.h"
#include "slot/Form1041T.h"
#include "store/Amounts.h"
#include "store/Answers.h"
#include "support/MessageRecorder.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollArea>

using namespace quorvan;
using namespace quorvan::app;
using quorvan::app::test::Click;
using quorvan::app::test::Window2Harness;

Q_DECLARE_METATYPE(quorvan::SlotRef)

namespace {

namespace f1 = quorvan::slot::form1041Page1;
namespace f1041t = quorvan::slot::form1041T;
namespace qft = quorvan::slot::form1041QFT;

constexpr int kForm1041Page1 = 100;
constexpr int kForm1041T = 1500;
constexpr int kForm1041QFT = 1400;

// Types `text` one character at a time, also characters no keyboard key of the test names.
void TypeCharacters(QWidget* field, const QString& text)
{
    for (uint c : text.toUcs4()) {
        const QString one = QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1);
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, one);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, one);
        QApplication::sendEvent(field, &press);
        QApplication::sendEvent(field, &release);
    }
}

}  // namespace

class FieldEntryTest : public QObject {
    Q_OBJECT

private:
    Window2Harness h_;
    MainCommands& C() { return h_.window->Commands(); }
    QAction* Popup(const char* name) { return C().popMain->findChild<QAction*>(name); }
    void OpenPopup(QLineEdit* edit)
    {
        emit edit->customContextMenuRequested(QPoint(2, 2));
        QVERIFY(C().popMain->isVisible());
    }
    // The window scrolled to `field`, as the preparer sees it there.
    void SaveShot(const char* name, SlotRef field)
    {
        const QString folder = qEnvironmentVariable("QUORVAN_SCREENSHOT_DIR");
        if (folder.isEmpty())
            return;
        h_.window->ScrollBox()->ensureWidgetVisible(h_.Edit(field), 0, 300);
        h_.window->grab().save(folder + "/" + name);
    }

private slots:
    void init() { QVERIFY(h_.Start()); }
    void cleanup() { h_.Stop(); }

    void amountFieldKeepsWhatReads_data();
    void amountFieldKeepsWhatReads();
    void unreadableAmountNamesFormLineAndText();
    void amountBeyondTheLargestIsRefusedNamingTheField_data();
    void amountBeyondTheLargestIsRefusedNamingTheField();
    void widestFiguresShowWhole();
    void textTakesNoMoreThanTheLongestAnswer();
    void amountTextRules_data();
    void amountTextRules();
    void computedAndGuardedFieldsAreShaded();
    void movingThroughFieldsIsNoChange();
    void charactersAClientFileCannotKeepAreRefused();
    void controlCharactersAreNeverStored();
    void memoDropsWhatAClientFileCannotKeep();
    void popupCutCopyPasteWorkOnTheField();
    void allocationTakesZeroToHundredPercent_data();
    void allocationTakesZeroToHundredPercent();
};

void FieldEntryTest::amountFieldKeepsWhatReads_data()
{
    QTest::addColumn<int>("pageCode");
    QTest::addColumn<SlotRef>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    // page code, field, keys typed, the field's text after Tab (each refused key is dropped)
    const auto row = [](const char* name, int page, SlotRef field, const QString& typed, const char* kept) {
        QTest::newRow(name) << page << field << typed << QString(kept);
    };
    row("exponent refused", kForm1041Page1, f1::line3Business, "1e-2", "12");
    row("minus inside refused", kForm1041Page1, f1::line3Business, "5-3", "53");
    row("date keeps its digits", kForm1041Page1, f1::line3Business, "12-31-2016", "12,312,016");
    row("letter O refused", kForm1041Page1, f1::line3Business, "1,2O0", "120");
    row("second point refused", kForm1041Page1, f1::line3Business, "1.2.9", "1");
    row("dollar sign and cents", kForm1041Page1, f1::line3Business, "$1,234.56", "1,235");
    row("parentheses", kForm1041Page1, f1::line3Business, "(1,234)", "-1,234");
    row("leading minus", kForm1041Page1, f1::line3Business, "-500", "-500");
    row("blanks around", kForm1041Page1, f1::line3Business, " 75 ", "75");
    row("the largest amount", kForm1041Page1, f1::line3Business, "999999999999", "999,999,999,999");
    row("cents field rounds", kForm1041T, f1041t::beneficiaries::Slot(0, f1041t::beneficiaries::percentage), "12.345", "12.35");
    row("cents field refuses percent", kForm1041T, f1041t::beneficiaries::Slot(0, f1041t::beneficiaries::percentage), "25%", "25.00");
    row("count field", kForm1041QFT, qft::numberOfQfts, "3.5x", "4");
}

void FieldEntryTest::amountFieldKeepsWhatReads()
{
    QFETCH(int, pageCode);
    QFETCH(SlotRef, field);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    h_.window->DisplayCode(pageCode);
    h_.Type(field, typed);
    QCOMPARE(h_.Edit(field)->text(), kept);
    QCOMPARE(h_.log.messageCodes, QList<unsigned>());
}

void FieldEntryTest::unreadableAmountNamesFormLineAndText()
{
    h_.Type(f1::line3Business, "$-");
    QCOMPARE(h_.log.messageCodes, QList<unsigned>{21192});
    QCOMPARE(h_.log.messageExtras, QStringList{"Form 1041 page 1, line 3: \"$-\" counts as 0. "});
    QCOMPARE(QString::fromStdString(BuildMessage(21192, h_.log.messageExtras[0].toStdString()).firstLine),
             QString("2119-Str2Float_0. An error occurred while Quorvan_16 was converting an entry to a real number. "
                     "Form 1041 page 1, line 3: \"$-\" counts as 0. "));
    QCOMPARE(h_.Edit(f1::line3Business)->text(), QString("0"));

    // A table cell names its row and column.
    h_.window->DisplayCode(kForm1041T);
    h_.Type(f1041t::beneficiaries::Slot(1, f1041t::beneficiaries::percentage), "(");
    QCOMPARE(h_.log.messageExtras.value(1), QString("Form 1041-T, row 2, column (e): \"(\" counts as 0. "));
}

void FieldEntryTest::amountBeyondTheLargestIsRefusedNamingTheField_data()
{
    QTest::addColumn<int>("pageCode");
    QTest::addColumn<SlotRef>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("place");
    // page code, field, keys typed, how the message names the field
    QTest::newRow("a dollar beyond") << kForm1041Page1 << f1::line3Business << "1,000,000,000,000"
                                     << "Form 1041 page 1, line 3";
    QTest::newRow("fifteen digits") << kForm1041Page1 << f1::line3Business << "(999999999999999)"
                                    << "Form 1041 page 1, line 3";
    QTest::newRow("a cent beyond") << kForm1041T << f1041t::beneficiaries::Slot(2, f1041t::beneficiaries::percentage)
                                   << "999,999,999,999.01" << "Form 1041-T, row 3, column (e)";
}

void FieldEntryTest::amountBeyondTheLargestIsRefusedNamingTheField()
{
    QFETCH(int, pageCode);
    QFETCH(SlotRef, field);
    QFETCH(QString, typed);
    QFETCH(QString, place);
    h_.window->DisplayCode(pageCode);
    h_.Type(field, typed);
    QCOMPARE(h_.log.messageCodes, QList<unsigned>{21192});
    QCOMPARE(h_.log.messageExtras, QStringList{place + ": \"" + typed +
                                               "\" is beyond the largest amount a return can hold, "
                                               "999,999,999,999, and counts as 0. "});
    QCOMPARE(Str2Float_2(h_.Edit(field)->text().toStdString()), 0.0);
    QCOMPARE(Str2Float_2(Answers->Text(field.formType, 0, field.slot)), 0.0);
}

void FieldEntryTest::widestFiguresShowWhole()
{
    // Two entries at the largest amount: line 9 holds their sum, the widest a line of page 1
    // can have, and shows it whole. The lines that read it say once that they count it as 0.
    h_.Type(f1::line3Business, "999,999,999,999");
    QCOMPARE(h_.log.messageCodes, QList<unsigned>());
    h_.Type(f1::line5Rents, "999,999,999,999");
    QLineEdit* line9 = h_.Edit(f1::line9TotalIncome);
    QCOMPARE(line9->text(), QString("1,999,999,999,998"));
    QVERIFY(line9->fontMetrics().horizontalAdvance(line9->text()) <= TextRoom(line9));
    QCOMPARE(h_.log.messageCodes, QList<unsigned>{21192});
    QVERIFY(h_.log.messageExtras[0].startsWith("\"1,999,999,999,998\" is beyond"));
    SaveShot("widest-figure.png", f1::line9TotalIncome);

    // In the narrowest amount fields too; a figure that fits gets the field's own font back.
    QLineEdit field;
    field.setProperty("tag", 2000);
    field.resize(110, 22);
    const QFont own = field.font();
    for (const char* figure : {"-999,999,999,999.99", "-99,999,999,999,999", "-9,999,999,999,999,999"}) {
        field.setText(figure);
        FitTextToField(&field);
        QVERIFY2(field.fontMetrics().horizontalAdvance(field.text()) <= TextRoom(&field), figure);
    }
    QVERIFY(field.font().pointSizeF() < own.pointSizeF());
    field.setText("1,234.00");
    FitTextToField(&field);
    QCOMPARE(field.font(), own);
}

void FieldEntryTest::textTakesNoMoreThanTheLongestAnswer()
{
    QLineEdit* name = h_.Edit(f1::nameOfEstateOrTrust);
    name->setFocus();
    QGuiApplication::clipboard()->setText(QString(1200, 'N'));
    name->paste();
    QTest::keyClick(name, Qt::Key_Tab);
    QCOMPARE(Answers->Text(1, 0, f1::nameOfEstateOrTrust.slot), std::string(kMaxAnswerLength, 'N'));

    // A memo's answer keeps each line break as " | ": the limit counts it so.
    QPlainTextEdit memo;
    InstallMemoEntryRules(&memo);
    memo.setPlainText(QString(500, 'a') + "\n" + QString(600, 'b'));
    QCOMPARE(AnswerFromMemoText(memo.toPlainText()).size(), kMaxAnswerLength);
    QVERIFY(memo.property("entryNote").toString().contains("1,000 characters"));
}

void FieldEntryTest::amountTextRules_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("state");  // what the validator says while the text is typed
    QTest::addColumn<bool>("reads");
    // kind, text, validator state, reads as an amount when the field is left
    const auto row = [](const char* name, int kind, const char* text, QValidator::State state, bool reads) {
        QTest::newRow(name) << kind << QString(text) << static_cast<int>(state) << reads;
    };
    row("empty is zero", 4, "", QValidator::Acceptable, true);
    row("dollar alone", 4, "$", QValidator::Intermediate, false);
    row("minus alone", 2, "-", QValidator::Intermediate, false);
    row("point alone", 2, ".", QValidator::Intermediate, false);
    row("open parenthesis", 4, "(12", QValidator::Acceptable, true);
    row("closed parenthesis", 4, "($12)", QValidator::Acceptable, true);
    row("close without open", 4, "12)", QValidator::Invalid, false);
    row("comma before digits", 4, ",12", QValidator::Invalid, false);
    row("comma in cents", 2, "1.2,5", QValidator::Invalid, false);
    row("dollar blank digits", 4, "$ 25", QValidator::Acceptable, true);
    row("percent sign on a percentage", 3, "12.5%", QValidator::Acceptable, true);
    row("negative percentage", 3, "(25%)", QValidator::Acceptable, true);
    row("percent sign inside", 3, "12%5", QValidator::Invalid, false);
    row("percent sign on dollars", 4, "25%", QValidator::Invalid, false);
    row("exponent", 4, "1e5", QValidator::Invalid, false);
    row("fullwidth digit", 4, "\xef\xbc\x91", QValidator::Invalid, false);
    row("fifteen digits", 4, "999,999,999,999,999", QValidator::Acceptable, true);
}

void FieldEntryTest::amountTextRules()
{
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(int, state);
    QFETCH(bool, reads);
    AmountValidator validator(kind, nullptr);
    QString input = text;
    int position = 0;
    QCOMPARE(static_cast<int>(validator.validate(input, position)), state);
    QCOMPARE(AmountTextReads(kind, text), reads);
}

void FieldEntryTest::computedAndGuardedFieldsAreShaded()
{
    const auto base = [this](SlotRef field) { return h_.Edit(field)->palette().color(QPalette::Base); };
    const QColor entry = base(f1::line3Business);
    QCOMPARE(base(f1::line16Total), kComputedShade);  // line 16, always computed
    QCOMPARE(base(f1::line9TotalIncome), kGuardedShade);   // line 9, computed but may be overridden
    QVERIFY(entry != kComputedShade && entry != kGuardedShade);

    // Overridden, a guarded field keeps its shade and shows its figure in red, until cancelled.
    QLineEdit* line9 = h_.Edit(f1::line9TotalIncome);
    line9->setFocus();
    C().mnuOverride->trigger();
    line9 = h_.Edit(f1::line9TotalIncome);
    QCOMPARE(line9->palette().color(QPalette::Text), QColor(Qt::red));
    QCOMPARE(base(f1::line9TotalIncome), kGuardedShade);
    line9->setText("5,000");
    QTest::keyClick(line9, Qt::Key_Tab);
    h_.window->DisplayCode(kForm1041Page1);
    QCOMPARE(h_.Edit(f1::line9TotalIncome)->palette().color(QPalette::Text), QColor(Qt::red));
    QCOMPARE(base(f1::line16Total), kComputedShade);
    SaveShot("shaded-fields.png", f1::line21Total);
}

void FieldEntryTest::movingThroughFieldsIsNoChange()
{
    QLineEdit* line3 = h_.Edit(f1::line3Business);
    line3->setFocus();
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End, Qt::Key_Up, Qt::Key_Down})
        QTest::keyClick(line3, key);
    QTest::keyClick(line3, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(line3, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    h_.Edit(f1::nameOfEstateOrTrust)->setFocus();  // a click elsewhere
    QTest::keyClicks(h_.Edit(f1::nameOfEstateOrTrust), "x");
    QTest::keyClick(h_.Edit(f1::nameOfEstateOrTrust), Qt::Key_Backspace);  // typed and taken back
    QCheckBox* simpleTrust = app::test::FieldOf<QCheckBox>(h_.window->Page(), f1::itemASimpleTrust);
    QTest::mouseClick(simpleTrust, Qt::LeftButton);
    QTest::mouseClick(simpleTrust, Qt::LeftButton);  // ticked and unticked again
    h_.Edit(f1::line5Rents)->setFocus();
    QVERIFY(!h_.window->State().Modified);
    h_.window->DisplayCode(200);
    h_.window->DisplayCode(kForm1041Page1);
    QVERIFY(!h_.window->State().Modified);
    C().mnuClose->trigger();
    QCOMPARE(h_.log.savePrompts, 0);

    // A figure typed again in another form is no change either; a new figure is.
    h_.Type(f1::line3Business, "1234");
    QVERIFY(h_.window->State().Modified);
    h_.window->State().Modified = false;
    h_.Type(f1::line3Business, "1234.00");
    QVERIFY(!h_.window->State().Modified);
    h_.Type(f1::line3Business, "1235");
    QVERIFY(h_.window->State().Modified);
    h_.window->State().Modified = false;
    QTest::mouseClick(app::test::FieldOf<QCheckBox>(h_.window->Page(), f1::itemASimpleTrust), Qt::LeftButton);
    h_.Edit(f1::line5Rents)->setFocus();
    QVERIFY(h_.window->State().Modified);
}

void FieldEntryTest::charactersAClientFileCannotKeepAreRefused()
{
    QLineEdit* name = h_.Edit(f1::nameOfEstateOrTrust);
    name->setFocus();
    TypeCharacters(name, QString::fromUtf8("Łukasz Zoë €5"));
    QCOMPARE(name->text(), QString::fromUtf8("ukasz Zoë €5"));
    QVERIFY2(name->property("entryNote").toString().contains(QString::fromUtf8("Ł")),
             qPrintable(name->property("entryNote").toString()));

    // Pasted text with such a character is refused whole, and the field says which.
    QGuiApplication::clipboard()->setText(QString::fromUtf8("Łódź 😀 trust"));
    name->end(false);
    name->paste();
    QCOMPARE(name->text(), QString::fromUtf8("ukasz Zoë €5"));
    QVERIFY(name->property("entryNote").toString().contains(QString::fromUtf8("Łź😀")));
    QTest::keyClick(name, Qt::Key_Tab);
    QCOMPARE(QString::fromStdString(Answers->Text(1, 0, f1::nameOfEstateOrTrust.slot)),
             QString::fromUtf8("ukasz Zoë €5"));
    QCOMPARE(UnencodableCharacters(QString::fromUtf8("Żółć ŻÓŁĆ")), QString::fromUtf8("ŻłćŁĆ"));
}

void FieldEntryTest::controlCharactersAreNeverStored()
{
    QLineEdit* name = h_.Edit(f1::nameOfEstateOrTrust);
    name->setFocus();
    QGuiApplication::clipboard()->setText(QString::fromUtf8("A\aB\x1b" "C\tD\x7f" "E\xc2\x85" "F"));
    name->paste();
    QCOMPARE(name->text(), QString("ABC\tDEF"));
    QTest::keyClick(name, Qt::Key_Tab);
    QCOMPARE(Answers->Text(1, 0, f1::nameOfEstateOrTrust.slot), std::string("ABC\tDEF"));

    // The answer path drops them too, whatever put them into a field.
    QCOMPARE(StoredAnswer(1, QString::fromLatin1("x\0y\rz", 5)), std::string("xyz"));
    QCOMPARE(AnswerFromMemoText(QString("one\r\ntwo\athree")), std::string("one | twothree"));
}

void FieldEntryTest::memoDropsWhatAClientFileCannotKeep()
{
    QPlainTextEdit memo;
    InstallMemoEntryRules(&memo);
    memo.setPlainText(QString::fromUtf8("Łine one\nline\a two\t😀"));
    QCOMPARE(memo.toPlainText(), QString::fromUtf8("ine one\nline two\t"));
    QVERIFY(memo.property("entryNote").toString().contains(QString::fromUtf8("Ł😀")));
}

void FieldEntryTest::popupCutCopyPasteWorkOnTheField()
{
    h_.Type(f1::line3Business, "1234");
    QLineEdit* line3 = h_.Edit(f1::line3Business);
    line3->setFocus();
    line3->selectAll();
    OpenPopup(line3);
    QVERIFY(Popup("popCut")->isEnabled() && Popup("popCopy")->isEnabled());
    Popup("popCopy")->trigger();
    C().popMain->hide();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("1,234"));

    QLineEdit* line5 = h_.Edit(f1::line5Rents);
    line5->setFocus();
    line5->selectAll();
    OpenPopup(line5);
    QVERIFY(Popup("popCut")->isEnabled() && Popup("popPaste")->isEnabled());
    Popup("popPaste")->trigger();
    C().popMain->hide();
    QCOMPARE(line5->text(), QString("1,234"));

    line3->setFocus();
    line3->selectAll();
    OpenPopup(line3);
    Popup("popCut")->trigger();
    C().popMain->hide();
    QCOMPARE(line3->text(), QString());
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("1,234"));

    // Pasting passes the field's entry rules; a computed field offers Copy alone.
    QGuiApplication::clipboard()->setText("12 apples");
    OpenPopup(line5);
    Popup("popPaste")->trigger();
    C().popMain->hide();
    QCOMPARE(line5->text(), QString("1,234"));
    OpenPopup(h_.Edit(f1::line16Total));
    QVERIFY(!Popup("popCut")->isEnabled() && !Popup("popPaste")->isEnabled());
    C().popMain->hide();
}

void FieldEntryTest::allocationTakesZeroToHundredPercent_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("share");  // BeneficiaryInterest after Ok; -1 is the share it had
    // percentage typed, dialog closes, share stored
    QTest::newRow("none") << "0" << true << 0.0;
    QTest::newRow("part") << "12.5" << true << 0.125;
    QTest::newRow("all") << "100" << true << 1.0;
    QTest::newRow("above all") << "100.01" << false << -1.0;
    QTest::newRow("many times over") << "2100" << false << -1.0;
    QTest::newRow("below none") << "-5" << false << -1.0;
    QTest::newRow("percent sign") << "12.5%" << false << -1.0;
}

void FieldEntryTest::allocationTakesZeroToHundredPercent()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(double, share);
    quorvan::test::MessageRecorder messages;
    TfrmBeneInt dialog(*Answers, 2);
    QCOMPARE(Answers->BeneficiaryInterest[2], -1.0);
    dialog.findChild<QRadioButton*>("rbUsePercentage")->setChecked(true);
    dialog.findChild<QLineEdit*>("edtPercentage")->setText(typed);
    dialog.show();
    Click(dialog, "OKBtn");
    dialog.hide();
    QCOMPARE(dialog.result() == QDialog::Accepted, accepted);
    QCOMPARE(messages.Codes(), accepted ? std::vector<unsigned>{} : std::vector<unsigned>{16010});
    QCOMPARE(Answers->BeneficiaryInterest[2], share);
}

QTEST_MAIN(FieldEntryTest)
#include "FieldEntryTest.moc"
