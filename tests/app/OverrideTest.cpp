// Overrides on Form 1041 page 1 through the real window: the command from each of its places,
// a typed amount flowing into later lines, the flag surviving Save and Open, and Cancel Override
// bringing the computed amount back.

#include "Window2Prompts.h"

#include "app/pages/PageBinding.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QPropertyAnimation>
#include <QTreeWidget>

using namespace quorvan;
using namespace quorvan::app;
using quorvan::app::test::Window2Harness;

namespace {

namespace f1 = quorvan::slot::form1041Page1;
namespace f2 = quorvan::slot::form1041Page2;

constexpr SlotRef kLine9Field = f1::line9TotalIncome;  // total income, computed, overrideable
constexpr SlotRef kLine17Field = f1::line17Adjusted;  // adjusted total income: line 9 less line 16
constexpr SlotRef kLine5Field = f1::line5Rents;

bool IsRed(const QLineEdit* edit) { return edit->palette().color(QPalette::Text) == QColor(Qt::red); }

}  // namespace

class OverrideTest : public QObject {
    Q_OBJECT

private:
    Window2Harness h_;
    MainCommands& C() { return h_.window->Commands(); }
    bool Flag() { return Answers->OvRide(kLine9Field.formType, 0, kLine9Field.slot); }
    void SaveShot(const char* name)
    {
        const QString folder = qEnvironmentVariable("QUORVAN_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            h_.window->grab().save(folder + "/" + name);
    }

private slots:
    void init() { QVERIFY(h_.Start()); }
    void cleanup() { h_.Stop(); }

    void everyPlaceTogglesTheField_data();
    void everyPlaceTogglesTheField();
    void overriddenAmountFlowsOnAndSurvivesSaveAndOpen();
    void ordinaryFieldFromTheMainMenu();
    void barButtonsSlideInAndIconsPulse();
    void computedCheckBox();
};

void OverrideTest::everyPlaceTogglesTheField_data()
{
    QTest::addColumn<QString>("place");
    QTest::newRow("icon toolbar") << "toolbar";
    QTest::newRow("labelled button bar") << "bar";
    QTest::newRow("popup shortcuts Ctrl+E, Ctrl+U") << "popup";
    QTest::newRow("Options menu Ctrl+Alt+V, Ctrl+Alt+U") << "menu";
    QTest::newRow("double-click") << "double";
}

void OverrideTest::everyPlaceTogglesTheField()
{
    QFETCH(QString, place);
    QLineEdit* line9 = h_.Edit(kLine9Field);
    QVERIFY(line9);
    line9->setFocus();
    QVERIFY(line9->hasFocus());
    QVERIFY(!C().cbtnOverride->isHidden() && !C().cbtnSmlOverride->isHidden() && C().popOverride->isVisible());
    QVERIFY(C().cbtnCancelOverride->isHidden() && C().cbtnSmlCancelOverride->isHidden() && !C().popDontOverride->isVisible());
    QVERIFY(!h_.window->State().Modified);

    const auto toggle = [&](bool cancel) {
        if (place == "toolbar")
            QTest::mouseClick(cancel ? C().cbtnCancelOverride : C().cbtnOverride, Qt::LeftButton);
        else if (place == "bar")
            QTest::mouseClick(cancel ? C().cbtnSmlCancelOverride : C().cbtnSmlOverride, Qt::LeftButton);
        else if (place == "popup")
            QTest::keyClick(line9, cancel ? Qt::Key_U : Qt::Key_E, Qt::ControlModifier);
        else if (place == "menu")
            QTest::keyClick(line9, cancel ? Qt::Key_U : Qt::Key_V, Qt::ControlModifier | Qt::AltModifier);
        else
            QTest::mouseDClick(line9, Qt::LeftButton);
    };

    toggle(false);
    QVERIFY(Flag());
    QVERIFY(!line9->isReadOnly());
    QVERIFY(IsRed(line9));
    QCOMPARE(StyleOf(line9), QString(kEditOverridden));
    QVERIFY(line9->hasFocus());
    QVERIFY(C().cbtnOverride->isHidden() && C().cbtnSmlOverride->isHidden());
    QVERIFY(!C().cbtnCancelOverride->isHidden() && !C().cbtnSmlCancelOverride->isHidden());
    QVERIFY(h_.window->State().Modified);

    // Entering the field again offers the way back in all three places.
    h_.Edit(kLine5Field)->setFocus();
    line9->setFocus();
    QVERIFY(C().popDontOverride->isVisible() && !C().popOverride->isVisible());

    toggle(true);
    QVERIFY(!Flag());
    QVERIFY(line9->isReadOnly());
    QVERIFY(!IsRed(line9));
    QCOMPARE(StyleOf(line9), QString(kEditOverrideable));
    QVERIFY(!C().cbtnOverride->isHidden() && C().cbtnCancelOverride->isHidden());

    // An ordinary input field offers neither.
    h_.Edit(kLine5Field)->setFocus();
    QVERIFY(C().cbtnOverride->isHidden() && C().cbtnCancelOverride->isHidden() && !C().popOverride->isVisible());
}

void OverrideTest::overriddenAmountFlowsOnAndSurvivesSaveAndOpen()
{
    h_.Type(kLine5Field, "1000");
    QCOMPARE(h_.Edit(kLine9Field)->text(), QString("1,000"));
    QCOMPARE(h_.Edit(kLine17Field)->text(), QString("1,000"));

    h_.Edit(kLine9Field)->setFocus();
    C().mnuOverride->trigger();
    QCOMPARE(h_.Edit(kLine9Field)->text(), QString("1,000"));  // the computed amount stays to be changed
    h_.Type(kLine9Field, "500");
    QCOMPARE(h_.Edit(kLine9Field)->text(), QString("500"));
    QVERIFY(IsRed(h_.Edit(kLine9Field)));
    QCOMPARE(h_.Edit(kLine17Field)->text(), QString("500"));
    SaveShot("override.png");

    const QString path = h_.home->path() + "/Velmora/Quorvan_16/Files/overridden.fq6";
    h_.prompts->saveNames << path;
    C().mnuSave->trigger();
    QVERIFY(QFile::exists(path));
    h_.Type(kLine5Field, "3000");  // changes the return after the save
    h_.prompts->saveAnswer = SaveAnswer::No;
    h_.prompts->openNames << path;
    C().mnuOpen->trigger();
    QCOMPARE(h_.Edit(kLine5Field)->text(), QString("1,000"));
    QVERIFY(Flag());
    QCOMPARE(h_.Edit(kLine9Field)->text(), QString("500"));
    QVERIFY(!h_.Edit(kLine9Field)->isReadOnly());
    QVERIFY(IsRed(h_.Edit(kLine9Field)));
    QCOMPARE(h_.Edit(kLine17Field)->text(), QString("500"));

    h_.Edit(kLine9Field)->setFocus();
    C().mnuCancelOverride->trigger();
    QVERIFY(!Flag());
    QCOMPARE(h_.Edit(kLine9Field)->text(), QString("1,000"));
    QVERIFY(h_.Edit(kLine9Field)->isReadOnly());
    QCOMPARE(h_.Edit(kLine17Field)->text(), QString("1,000"));

    // The toggle marked the return as changed: closing asks about saving.
    const int asked = h_.log.savePrompts;
    h_.prompts->saveAnswer = SaveAnswer::No;
    QVERIFY(h_.window->close());
    QCOMPARE(h_.log.savePrompts, asked + 1);
    h_.window.reset();
}

void OverrideTest::ordinaryFieldFromTheMainMenu()
{
    QLineEdit* line5 = h_.Edit(kLine5Field);
    line5->setFocus();
    C().mnuOverride->trigger();
    QVERIFY(Answers->OvRide(ftForm1041Page1, 0, f1::line5Rents.slot));
    QVERIFY(IsRed(line5) && !line5->isReadOnly());

    // Nothing to act on: a page control without focus leaves every flag alone.
    h_.window->Tree()->setFocus();
    C().mnuOverride->trigger();
    QVERIFY(Answers->OvRide(ftForm1041Page1, 0, f1::line5Rents.slot));

    h_.window->DisplayCode(100);
    QVERIFY(!IsRed(h_.Edit(kLine5Field)));
    QVERIFY(StyleOf(h_.Edit(kLine5Field)) != QString(kEditOverridden));
    QVERIFY(Answers->OvRide(ftForm1041Page1, 0, f1::line5Rents.slot));
}

void OverrideTest::barButtonsSlideInAndIconsPulse()
{
    h_.window->State().SkipAnimations = false;
    h_.Edit(kLine5Field)->setFocus();
    h_.Edit(kLine9Field)->setFocus();
    for (QAbstractButton* button : {C().cbtnOverride, C().cbtnSmlOverride}) {
        auto* slide = button->findChild<QPropertyAnimation*>("slideIn");
        QVERIFY(slide);
        QCOMPARE(slide->state(), QAbstractAnimation::Running);
        QCOMPARE(slide->duration(), 2000);
        // From the right edge of its own place, which nothing else in the bar covers.
        QCOMPARE(slide->startValue().toPoint(), QPoint(button->parentWidget()->width(), 0));
        QCOMPARE(slide->endValue().toPoint(), QPoint(0, 0));
    }
    auto* pulse = C().cbtnOverride->findChild<QAbstractAnimation*>("pulse");
    QVERIFY(pulse);
    QCOMPARE(pulse->state(), QAbstractAnimation::Running);
    QCOMPARE(pulse->totalDuration(), -1);  // repeats until the button hides

    C().mnuOverride->trigger();
    QCOMPARE(pulse->state(), QAbstractAnimation::Stopped);
    auto* cancelPulse = C().cbtnCancelOverride->findChild<QAbstractAnimation*>("pulse");
    QVERIFY(cancelPulse);
    QCOMPARE(cancelPulse->state(), QAbstractAnimation::Running);
    SaveShot("override-focused.png");
}

void OverrideTest::computedCheckBox()
{
    h_.window->DisplayCode(200);
    auto* box = test::FieldOf<QCheckBox>(h_.window->Page(), f2::otherInformationLine1Yes);
    QVERIFY(box);
    box->setFocus();
    QVERIFY(!C().cbtnOverride->isHidden() && C().cbtnCancelOverride->isHidden());

    C().mnuOverride->trigger();
    QVERIFY(Answers->OvRide(ftForm1041Page2, 0, f2::otherInformationLine1Yes.slot));
    QCOMPARE(StyleOf(box), QString(kCheckBoxOverridden));
    QVERIFY(C().cbtnOverride->isHidden() && !C().cbtnCancelOverride->isHidden());

    C().mnuCancelOverride->trigger();
    QVERIFY(!Answers->OvRide(ftForm1041Page2, 0, f2::otherInformationLine1Yes.slot));
    QCOMPARE(StyleOf(box), QString(kCheckBoxOverrideable));
}

QTEST_MAIN(OverrideTest)
#include "OverrideTest.moc"
