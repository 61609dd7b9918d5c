// Everyday habits of the main window, through the real window: bar buttons that keep their
// places, "?" notes that close as notes do, Ctrl+Page Down and Ctrl+Page Up, and the window
// coming back where it was left.

#include "Window2Prompts.h"

#include "app/pages/CalloutNotes.h"
#include "files/WindowPlace.h"
#include "slot/Form1041Page1.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QFrame>
#include <QLineEdit>

#include <map>

using namespace quorvan;
using namespace quorvan::app;
using quorvan::app::test::Window2Harness;

namespace {

namespace f1 = quorvan::slot::form1041Page1;

// Where each labelled button stands in its bar, shown or not.
std::map<QString, QRect> Places(QWidget* bar)
{
    std::map<QString, QRect> places;
    for (QAbstractButton* button : bar->findChildren<QAbstractButton*>())
        places[button->objectName()] = QRect(button->mapTo(bar, QPoint(0, 0)), button->size());
    return places;
}

}  // namespace

class WindowHabitsTest : public QObject {
    Q_OBJECT

private:
    Window2Harness h_;
    MainCommands& C() { return h_.window->Commands(); }
    int Shown() { return h_.window->State().CurrentFormType * 100 + h_.window->State().CurrentPageIndex; }
    QString PlaceFile() { return h_.home->path() + "/Velmora/Quorvan_16/" + kWindowPlaceFileName; }
    // Closes the window and starts another in the same home.
    bool Restart()
    {
        h_.prompts->saveAnswer = SaveAnswer::No;
        h_.window->close();
        h_.window.reset();
        auto prompts = std::make_unique<test::Window2Prompts>(h_.log);
        prompts->screenAreas = screens_;
        h_.prompts = prompts.get();
        StartOptions options;
        options.homeFolder = h_.home->path();
        options.programFolder = QStringLiteral(QUORVAN_BUILD_DATA_DIR);
        h_.window = std::make_unique<TfrmMain>(std::move(prompts), options);
        h_.window->State().SkipAnimations = true;
        h_.window->show();
        return QTest::qWaitForWindowExposed(h_.window.get());
    }
    QList<QRect> screens_;

private slots:
    void init()
    {
        screens_.clear();
        QVERIFY(h_.Start());
    }
    void cleanup() { h_.Stop(); }

    void barButtonsKeepTheirPlaces();
    void notesCloseAsNotesDo();
    void ctrlPageKeysMoveBetweenPages();
    void windowComesBackWhereItWasLeft();
};

void WindowHabitsTest::barButtonsKeepTheirPlaces()
{
    QWidget* bar = C().pnlCaptionButtonBar;
    h_.Edit(f1::line5Rents)->setFocus();
    const std::map<QString, QRect> before = Places(bar);
    const std::map<QString, QRect> icons = Places(C().pnlToolBar);
    QVERIFY(C().cbtnSmlOverride->isHidden() && C().cbtnSmlPrior->isHidden());

    h_.Edit(f1::line9TotalIncome)->setFocus();  // Override appears
    QVERIFY(!C().cbtnSmlOverride->isHidden());
    h_.window->DisplayCode(400);  // Schedule I page 2: Prior and Next
    QVERIFY(!C().cbtnSmlPrior->isHidden() && !C().cbtnSmlNext->isHidden());

    const std::map<QString, QRect> after = Places(bar);
    for (const auto& [name, place] : before)
        QCOMPARE(after.at(name), place);
    QVERIFY(Places(C().pnlToolBar) == icons);

    // No two labels overlap, and each label has room for its caption.
    for (QAbstractButton* a : bar->findChildren<QAbstractButton*>()) {
        QVERIFY2(a->width() >= a->fontMetrics().horizontalAdvance(a->text()), qPrintable(a->text()));
        for (QAbstractButton* b : bar->findChildren<QAbstractButton*>())
            if (a != b)
                QVERIFY2(!after.at(a->objectName()).intersects(after.at(b->objectName())),
                         qPrintable(a->text() + " over " + b->text()));
    }
}

void WindowHabitsTest::notesCloseAsNotesDo()
{
    auto* help = h_.window->Page()->findChild<QAbstractButton*>("btnHELP1");
    auto* note = h_.window->Page()->findChild<QFrame*>("btnHELP1Callout");
    QVERIFY(help && note);
    QVERIFY(note->isHidden());
    const auto open = [&] {
        QTest::mouseClick(help, Qt::LeftButton);
        QVERIFY(!note->isHidden());
    };

    open();
    QTest::mouseClick(help, Qt::LeftButton);  // its own button closes it, as before
    QVERIFY(note->isHidden());

    open();
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : h_.window.get(), Qt::Key_Escape);
    QVERIFY(note->isHidden());

    open();
    QTest::mouseClick(note, Qt::LeftButton);  // reading it is no reason to close it
    QVERIFY(!note->isHidden());
    QTest::mouseClick(h_.Edit(f1::line5Rents), Qt::LeftButton);
    QVERIFY(note->isHidden());

    open();
    h_.Edit(f1::line3Business)->setFocus();
    QTest::keyClick(h_.Edit(f1::line3Business), Qt::Key_Tab);
    QVERIFY(note->isHidden());

    open();
    auto* other = h_.window->Page()->findChild<QAbstractButton*>("btnHELP2");
    QVERIFY(other);
    QTest::mouseClick(other, Qt::LeftButton);  // another "?": only its notes stay
    QVERIFY(note->isHidden());
    QVERIFY(h_.window->Notes().AnyOpen());
    h_.window->DisplayCode(200);
    QVERIFY(!h_.window->Notes().AnyOpen());
}

void WindowHabitsTest::ctrlPageKeysMoveBetweenPages()
{
    QCOMPARE(C().mnuNextPage->shortcut(), QKeySequence("Ctrl+PgDown"));
    QCOMPARE(C().mnuPriorPage->shortcut(), QKeySequence("Ctrl+PgUp"));
    QVERIFY(C().mnuNextPage->isEnabled() && !C().mnuPriorPage->isEnabled());
    const auto press = [&](Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : h_.window.get(), key,
                        Qt::ControlModifier);
    };

    h_.Edit(f1::line5Rents)->setFocus();
    h_.Edit(f1::line5Rents)->selectAll();
    QTest::keyClicks(h_.Edit(f1::line5Rents), "250");
    press(Qt::Key_PageDown);
    QCOMPARE(Shown(), 200);
    QCOMPARE(Answers->Text(ftForm1041Page1, 0, f1::line5Rents.slot), std::string("250"));  // kept on the way
    press(Qt::Key_PageUp);
    QCOMPARE(Shown(), 100);
    press(Qt::Key_PageUp);  // no page before Form 1041 page 1
    QCOMPARE(Shown(), 100);

    Answers->NoOfInterest = 2;
    h_.window->DisplayCode(1800);
    press(Qt::Key_PageDown);
    QCOMPARE(Shown(), 1801);
    press(Qt::Key_PageDown);  // the last interest page
    QCOMPARE(Shown(), 1801);
}

void WindowHabitsTest::windowComesBackWhereItWasLeft()
{
    // A first start fits the screen as always, and the close keeps where the window is.
    QCOMPARE(h_.window->size(), QSize(1435, 999));
    h_.window->setGeometry(120, 80, 1300, 900);
    QVERIFY(Restart());
    QVERIFY(QFile::exists(PlaceFile()));
    QCOMPARE(h_.window->geometry(), QRect(120, 80, 1300, 900));

    h_.window->setWindowState(Qt::WindowMaximized);
    QVERIFY(Restart());
    QVERIFY(h_.window->windowState() & Qt::WindowMaximized);
    QCOMPARE(h_.window->normalGeometry(), QRect(120, 80, 1300, 900));

    // A smaller screen: the window comes back inside it.
    h_.window->setWindowState(Qt::WindowNoState);
    h_.window->setGeometry(120, 80, 1300, 900);
    screens_ = {QRect(0, 0, 1280, 720)};
    QVERIFY(Restart());
    QVERIFY(h_.window->size().width() <= 1280 && h_.window->size().height() <= 720);
    QVERIFY(screens_[0].contains(h_.window->frameGeometry()));

    // Its screen is gone: the window starts as on a first run.
    h_.window->setGeometry(2000, 100, 1000, 700);
    screens_ = {QRect(0, 0, 1920, 1080)};
    QVERIFY(Restart());
    QCOMPARE(h_.window->size(), QSize(1435, 999));
}

QTEST_MAIN(WindowHabitsTest)
#include "WindowHabitsTest.moc"
