// Undo and Redo through the real window: each kind of step taken back and done again on the
// sample return, the return byte for byte as before, its page and field shown, Modified following
// the saved state; the field's own typing first; New and Open leaving nothing to undo.

#include "Window2Prompts.h"

#include "app/files/FileCommands.h"
#include "files/ClientFile.h"
#include "slot/Form1041Page1.h"
#include "slot/Interest.h"

#include <QAction>
#include <QComboBox>
#include <QRadioButton>
#include <QUndoStack>
#include <QWindow>

#include <sstream>

using namespace quorvan;
using namespace quorvan::app;
using quorvan::app::test::Click;
using quorvan::app::test::Window2Harness;

namespace {

namespace f1 = quorvan::slot::form1041Page1;
namespace interest = quorvan::slot::interest;

std::string WholeReturn(TAnswer& store)
{
    std::ostringstream text;
    WriteClientFile(store, text);
    return text.str();
}

enum class StepKind { TypedField, Override, CancelOverride, Allocation, NewPage, DeletePage };

}  // namespace

Q_DECLARE_METATYPE(StepKind)

class UndoTest : public QObject {
    Q_OBJECT

private:
    Window2Harness h_;
    MainCommands& C() { return h_.window->Commands(); }
    const WindowState& State() { return h_.window->State(); }
    int Shown() { return State().CurrentFormType * 100 + State().CurrentPageIndex; }
    QString Title() { return h_.window->windowHandle()->title(); }
    // The key as the preparer presses it, wherever the cursor is.
    void Press(QKeySequence::StandardKey key)
    {
        QWidget* focused = QApplication::focusWidget();
        QTest::keySequence(focused ? focused : h_.window.get(), QKeySequence(key));
    }
    // The sample return, opened from a copy in the temporary home so that Save writes there.
    void OpenSample()
    {
        const QString copy = h_.home->path() + "/Velmora/Quorvan_16/Files/sample.fq6";
        QVERIFY(QFile::copy(QStringLiteral(QUORVAN_SOURCE_DIR "/examples/sample-trust.fq6"), copy));
        h_.window->Files().OpenChosenFile(copy);
        QVERIFY(!State().Modified);
    }
    void Save()
    {
        C().mnuSave->trigger();
        QVERIFY(!State().Modified);
    }
    void Take(StepKind kind);

private slots:
    void init() { QVERIFY(h_.Start()); }
    void cleanup() { h_.Stop(); }

    void everyStepGoesBackByteForByte_data();
    void everyStepGoesBackByteForByte();
    void typingInTheFieldGoesFirst();
    void modifiedFollowsTheSavedPlace();
    void newAndOpenLeaveNothingToUndo();
};

void UndoTest::Take(StepKind kind)
{
    switch (kind) {
    case StepKind::TypedField: h_.Type(f1::line3Business, "12,345"); break;
    case StepKind::Override:
        h_.Edit(f1::line9TotalIncome)->setFocus();
        C().mnuOverride->trigger();
        break;
    case StepKind::CancelOverride:
        h_.Edit(f1::line9TotalIncome)->setFocus();
        C().mnuCancelOverride->trigger();
        break;
    case StepKind::Allocation:
        h_.prompts->dialogAnswers << [](QDialog& dialog) {
            dialog.findChild<QRadioButton*>("rbUsePercentage")->setChecked(true);
            dialog.findChild<QLineEdit*>("edtPercentage")->setText("40");
            Click(dialog, "OKBtn");
        };
        C().mnuK1Allocation->trigger();
        break;
    case StepKind::NewPage: C().continuation.at(ftInterest).newItem->trigger(); break;
    case StepKind::DeletePage:
        h_.prompts->dialogAnswers << [](QDialog& chooser) {
            chooser.findChild<QComboBox*>("ComboBox1")->setCurrentIndex(0);
            Click(chooser, "OKBtn");
        };
        C().continuation.at(ftInterest).remove->trigger();
        break;
    }
}

void UndoTest::everyStepGoesBackByteForByte_data()
{
    QTest::addColumn<StepKind>("kind");
    QTest::addColumn<int>("field");  // the slot that takes the cursor on page 1; -1: none
    QTest::addColumn<int>("shownAfter");
    QTest::newRow("typed amount") << StepKind::TypedField << f1::line3Business.slot << 100;
    QTest::newRow("override") << StepKind::Override << f1::line9TotalIncome.slot << 100;
    QTest::newRow("cancelled override") << StepKind::CancelOverride << f1::line9TotalIncome.slot << 100;
    QTest::newRow("K-1 allocation") << StepKind::Allocation << -1 << 100;
    QTest::newRow("new interest page") << StepKind::NewPage << -1 << 1802;
    QTest::newRow("deleted interest page") << StepKind::DeletePage << -1 << 100;
}

void UndoTest::everyStepGoesBackByteForByte()
{
    QFETCH(StepKind, kind);
    QFETCH(int, field);
    QFETCH(int, shownAfter);
    OpenSample();
    if (kind == StepKind::CancelOverride) {
        h_.Edit(f1::line9TotalIncome)->setFocus();
        C().mnuOverride->trigger();
        h_.Type(f1::line9TotalIncome, "500");
        Save();
    }
    h_.window->RefreshClick();  // the return as it settles
    const std::string before = WholeReturn(*Answers);
    const int stepsBefore = h_.window->History().Stack()->index();
    QVERIFY(!State().Modified);

    Take(kind);
    h_.window->RefreshClick();  // a redone step is recalculated, and so settles too
    const std::string after = WholeReturn(*Answers);
    QVERIFY(after != before);
    QVERIFY(State().Modified);
    QVERIFY(Title().endsWith('*'));
    QCOMPARE(Shown(), shownAfter);
    QVERIFY(C().mnuUndo->isEnabled());

    Press(QKeySequence::Undo);
    QCOMPARE(WholeReturn(*Answers), before);
    QVERIFY(!State().Modified);
    QVERIFY(!Title().endsWith('*'));
    QCOMPARE(Shown(), 100);
    if (field >= 0)
        QCOMPARE(QApplication::focusWidget(), h_.Edit({ftForm1041Page1, field}));

    C().mnuRedo->trigger();
    QCOMPARE(WholeReturn(*Answers), after);
    QVERIFY(State().Modified);
    QCOMPARE(Shown(), shownAfter);

    C().mnuUndo->trigger();
    QCOMPARE(WholeReturn(*Answers), before);
    QCOMPARE(h_.window->History().Stack()->index(), stepsBefore);
}

// Ctrl+Z in a field with typing takes the typing back; once there is none, the steps.
void UndoTest::typingInTheFieldGoesFirst()
{
    h_.Type(f1::line5Rents, "700");
    QCOMPARE(h_.Edit(f1::line9TotalIncome)->text(), QString("700"));
    QCOMPARE(C().mnuUndo->text(), QString("&Undo Form 1041 page 1, line 5"));

    QLineEdit* line3 = h_.Edit(f1::line3Business);
    line3->setFocus();
    const QString untyped = line3->text();
    QTest::keyClicks(line3, "12");
    Press(QKeySequence::Undo);
    QCOMPARE(line3->text(), untyped);
    QCOMPARE(h_.Edit(f1::line5Rents)->text(), QString("700"));

    Press(QKeySequence::Undo);
    QCOMPARE(h_.Edit(f1::line5Rents)->text(), untyped);
    QCOMPARE(h_.Edit(f1::line9TotalIncome)->text(), untyped);
    QCOMPARE(QApplication::focusWidget(), h_.Edit(f1::line5Rents));
    Press(QKeySequence::Redo);
    QCOMPARE(h_.Edit(f1::line9TotalIncome)->text(), QString("700"));

    // A step taken on another page brings that page back.
    h_.window->DisplayCode(200);
    Press(QKeySequence::Undo);
    QCOMPARE(Shown(), 100);
    QCOMPARE(h_.Edit(f1::line5Rents)->text(), untyped);
}

void UndoTest::modifiedFollowsTheSavedPlace()
{
    h_.prompts->saveNames << h_.home->path() + "/Velmora/Quorvan_16/Files/steps.fq6";
    const QString untyped = h_.Edit(f1::line3Business)->text();
    h_.Type(f1::line3Business, "100");
    Save();
    h_.Type(f1::line5Rents, "200");
    QVERIFY(State().Modified);

    Press(QKeySequence::Undo);
    QVERIFY(!State().Modified);  // as saved
    Press(QKeySequence::Undo);
    QVERIFY(State().Modified);  // before the save
    QCOMPARE(h_.Edit(f1::line3Business)->text(), untyped);
    Press(QKeySequence::Redo);
    QVERIFY(!State().Modified);

    // A new step beyond the saved place drops the steps taken back: no way returns to the save.
    Press(QKeySequence::Undo);
    h_.Type(f1::line4CapitalGain, "5");
    Press(QKeySequence::Undo);
    QVERIFY(State().Modified);
}

void UndoTest::newAndOpenLeaveNothingToUndo()
{
    h_.Type(f1::line3Business, "100");
    QVERIFY(h_.window->History().Stack()->canUndo());
    h_.prompts->saveAnswer = SaveAnswer::No;
    C().mnuNew->trigger();
    QVERIFY(!h_.window->History().Stack()->canUndo());
    QVERIFY(!C().mnuUndo->isEnabled());
    Press(QKeySequence::Undo);
    QVERIFY(!State().Modified);

    h_.Type(f1::line3Business, "100");
    OpenSample();
    QVERIFY(!h_.window->History().Stack()->canUndo());
    QVERIFY(!Title().endsWith('*'));
}

QTEST_MAIN(UndoTest)
#include "UndoTest.moc"
