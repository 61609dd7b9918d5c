// The program's own open and save dialog: in its detail view a long client file name, its size
// and its date stand whole; the name takes the room the other columns leave.

#include "app/dialogs/Prompts.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <functional>

using namespace quorvan::app;

class FileDialogTest : public QObject {
    Q_OBJECT

private slots:
    void detailColumnsShowNamesSizesAndDatesWhole_data();
    void detailColumnsShowNamesSizesAndDatesWhole();
};

void FileDialogTest::detailColumnsShowNamesSizesAndDatesWhole_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("open") << false;
    QTest::newRow("save") << true;
}

void FileDialogTest::detailColumnsShowNamesSizesAndDatesWhole()
{
    QFETCH(bool, save);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    for (const char* name : {"Harbor Lane Family Trust.fq6", "Estate of Ada Brennan - 2016 final return, reviewed.fq6"}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(37 * 1024 + 300, 'x'));  // "37.3 KiB"
    }

    QStringList cut;      // column texts wider than their column
    int nameWidth = 0;    // the name column
    int viewWidth = 0;
    int rows = 0;
    QTimer poll;
    int polls = 0;
    connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialog->setViewMode(QFileDialog::Detail);
        auto* details = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        QVERIFY(details);
        const QModelIndex root = details->rootIndex();
        rows = details->model()->rowCount(root);
        if (rows < 2 && ++polls < 100)
            return;  // the folder is read in the background
        QApplication::processEvents();
        for (int row = 0; row < rows; ++row) {
            // The name, beside its icon.
            const QString name = details->model()->index(row, 0, root).data().toString();
            if (details->header()->sectionSize(0) < details->fontMetrics().horizontalAdvance(name) + 24)
                cut << name;
            for (int column = 1; column < details->header()->count(); ++column) {
                if (details->header()->isSectionHidden(column))
                    continue;
                const QString text = details->model()->index(row, column, root).data().toString();
                const int needed = details->fontMetrics().horizontalAdvance(text);
                if (details->header()->sectionSize(column) < needed)
                    cut << text;
            }
        }
        nameWidth = details->header()->sectionSize(0);
        viewWidth = details->viewport()->width();
        poll.stop();
        dialog->reject();
    });
    poll.start(50);

    Prompts prompts;
    const FileDialogRequest request{QStringLiteral("Open"), folder.path() + "/", QString(),
                                    QStringLiteral("Quorvan_16 Files (*.fq6)"), QStringLiteral("fq6")};
    const QString chosen = save ? prompts.SaveFileName(nullptr, request) : prompts.OpenFileName(nullptr, request);

    QVERIFY(chosen.isEmpty());  // cancelled
    QCOMPARE(rows, 2);
    QCOMPARE(cut, QStringList());
    // The name takes what the other columns leave: more than a third of the view.
    QVERIFY2(nameWidth * 3 > viewWidth, qPrintable(QString("%1 of %2").arg(nameWidth).arg(viewWidth)));
}

QTEST_MAIN(FileDialogTest)
#include "FileDialogTest.moc"
