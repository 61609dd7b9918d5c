// The message dialog: its fixed layout, the caption rule and the two lines of a message.

#include "app/dialogs/TfrmErrorDlg.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace quorvan;
using namespace quorvan::app;

class TfrmErrorDlgTest : public QObject {
    Q_OBJECT

private slots:
    void showsMessageAndInstruction_data();
    void showsMessageAndInstruction();
    void okClosesTheDialog();
    void longMessageMakesTheDialogTallerInsteadOfBeingCut();
};

void TfrmErrorDlgTest::showsMessageAndInstruction_data()
{
    QTest::addColumn<unsigned>("code");
    QTest::addColumn<QString>("extra");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("firstLineStart");
    QTest::addColumn<bool>("secondLineEmpty");
    //                                   code     extra          caption                first line starts            no 2nd line
    QTest::newRow("notice") << 33010u << "" << "Help On This Item" << "3301-An error occurred" << true;
    QTest::newRow("calculation") << 29017u << "" << "Error Dialog" << "2901-Calculation Error." << false;
    QTest::newRow("unnumbered") << 11533u << "" << "Error Dialog" << "Unidentified error -  1153" << false;
    QTest::newRow("with path") << 11150u << "/x/PSF/page2.psf" << "Error Dialog" << "1115-Unable to locate" << true;
}

void TfrmErrorDlgTest::showsMessageAndInstruction()
{
    QFETCH(unsigned, code);
    QFETCH(QString, extra);
    QFETCH(QString, caption);
    QFETCH(QString, firstLineStart);
    QFETCH(bool, secondLineEmpty);
    TfrmErrorDlg dialog(BuildMessage(code, extra.toStdString()));
    QCOMPARE(dialog.size(), QSize(537, 336));
    QCOMPARE(dialog.windowTitle(), caption);
    const QString first = dialog.findChild<QLabel*>("MessageLbl")->text();
    QVERIFY2(first.startsWith(firstLineStart), qPrintable(first));
    QVERIFY(first.endsWith(extra));
    QCOMPARE(dialog.findChild<QLabel*>("MessageLbl2")->text().isEmpty(), secondLineEmpty);
    QCOMPARE(dialog.TheErrNo, code);
    QCOMPARE(dialog.AddedInstructCode, code % 10);
    QCOMPARE(dialog.property("tag").toUInt(), code / 10);
    QCOMPARE(dialog.TheErrStr, extra);
}

void TfrmErrorDlgTest::okClosesTheDialog()
{
    TfrmErrorDlg dialog(BuildMessage(11010));
    QPushButton* ok = dialog.findChild<QPushButton*>("btnOk");
    QCOMPARE(ok->text(), QString("Ok"));
    QTimer::singleShot(0, ok, &QPushButton::click);
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
}

void TfrmErrorDlgTest::longMessageMakesTheDialogTallerInsteadOfBeingCut()
{
    // The longest first line there is, naming what it could not read.
    TfrmErrorDlg dialog(BuildMessage(21182, "\"999,999,999,999.99\" is beyond the largest amount a return can hold, "
                                            "999,999,999,999, and counts as 0. "));
    dialog.show();
    QVERIFY(dialog.height() > 336);
    QCOMPARE(dialog.width(), 537);
    for (const char* name : {"MessageLbl", "MessageLbl2"}) {
        auto* label = dialog.findChild<QLabel*>(name);
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), name);
    }
    auto* first = dialog.findChild<QLabel*>("MessageLbl");
    auto* second = dialog.findChild<QLabel*>("MessageLbl2");
    auto* ok = dialog.findChild<QPushButton*>("btnOk");
    QVERIFY(first->geometry().bottom() < second->y());
    QVERIFY(second->geometry().bottom() < ok->y());
    QVERIFY(ok->geometry().bottom() < dialog.height());
}

QTEST_MAIN(TfrmErrorDlgTest)
#include "TfrmErrorDlgTest.moc"
