// The page layouts built straight from what was read give the very controls Qt's form loader
// gives, for every layout the program installs; a layout the builder does not know goes to the
// form loader, and a changed file is read again.

#include "app/pages/PageLayouts.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace quorvan::app;

namespace {

// Compares two control trees property by property; the first difference is the failure.
void CompareTrees(const QWidget* direct, const QWidget* loaded, const QString& where)
{
    const QString at = where + "/" + loaded->objectName();
    QCOMPARE(QString(direct->metaObject()->className()), QString(loaded->metaObject()->className()));
    QCOMPARE(direct->objectName(), loaded->objectName());
    // The window places a page's root itself; its size is the page's size.
    const bool root = where.isEmpty();
    QVERIFY2(root || direct->geometry() == loaded->geometry(), qPrintable(at));
    QVERIFY2(direct->size() == loaded->size(), qPrintable(at));
    QVERIFY2(direct->minimumSize() == loaded->minimumSize(), qPrintable(at));
    QVERIFY2(direct->isHidden() == loaded->isHidden(), qPrintable(at));
    QVERIFY2(direct->font() == loaded->font(), qPrintable(at + " font"));
    QVERIFY2(direct->styleSheet() == loaded->styleSheet(), qPrintable(at));
    QVERIFY2(direct->focusPolicy() == loaded->focusPolicy(), qPrintable(at));
    QCOMPARE(direct->dynamicPropertyNames(), loaded->dynamicPropertyNames());
    for (const QByteArray& name : loaded->dynamicPropertyNames())
        QVERIFY2(direct->property(name) == loaded->property(name), qPrintable(at + " " + name));
    if (auto* label = qobject_cast<const QLabel*>(loaded)) {
        auto* mine = static_cast<const QLabel*>(direct);
        QVERIFY2(mine->text() == label->text() && mine->alignment() == label->alignment() &&
                     mine->wordWrap() == label->wordWrap() && mine->textFormat() == label->textFormat(),
                 qPrintable(at));
    }
    if (auto* edit = qobject_cast<const QLineEdit*>(loaded)) {
        auto* mine = static_cast<const QLineEdit*>(direct);
        QVERIFY2(mine->text() == edit->text() && mine->alignment() == edit->alignment(), qPrintable(at));
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(loaded))
        QVERIFY2(static_cast<const QAbstractButton*>(direct)->text() == button->text(), qPrintable(at));
    if (auto* frame = qobject_cast<const QFrame*>(loaded)) {
        auto* mine = static_cast<const QFrame*>(direct);
        QVERIFY2(mine->frameShape() == frame->frameShape() && mine->frameShadow() == frame->frameShadow() &&
                     mine->lineWidth() == frame->lineWidth(),
                 qPrintable(at));
    }
    const QList<QWidget*> mine = direct->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    const QList<QWidget*> theirs = loaded->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(mine.size(), theirs.size());
    for (qsizetype i = 0; i < theirs.size(); ++i) {
        CompareTrees(mine[i], theirs[i], at);
        if (QTest::currentTestFailed())
            return;
    }
}

// The names of a page's controls in the order Tab moves through them.
QStringList FocusChain(QWidget* page)
{
    QStringList names;
    for (QWidget* w = page->nextInFocusChain(); w && w != page && page->isAncestorOf(w); w = w->nextInFocusChain())
        names << w->objectName();
    return names;
}

bool WriteText(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

const QByteArray kSmallLayout = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>page98</class>
 <widget class="QWidget" name="page98">
  <property name="geometry"><rect><x>0</x><y>0</y><width>300</width><height>200</height></rect></property>
  <widget class="QLabel" name="lbl1">
   <property name="geometry"><rect><x>4</x><y>8</y><width>150</width><height>20</height></rect></property>
   <property name="text"><string>Line 1</string></property>
   %1
  </widget>
 </widget>
</ui>
)";

}  // namespace

class PageLayoutsTest : public QObject {
    Q_OBJECT

private slots:
    void everyInstalledLayoutBuildsAsTheFormLoaderBuildsIt_data();
    void everyInstalledLayoutBuildsAsTheFormLoaderBuildsIt();
    void unknownLayoutGoesToTheFormLoaderAndChangesAreRead();
};

void PageLayoutsTest::everyInstalledLayoutBuildsAsTheFormLoaderBuildsIt_data()
{
    QTest::addColumn<QString>("path");
    const QDir folder(QStringLiteral(QUORVAN_BUILD_DATA_DIR "/PSF"));
    const QStringList names = folder.entryList({"page*.psf"}, QDir::Files, QDir::Name);
    QVERIFY(names.size() >= 29);
    for (const QString& name : names)
        QTest::newRow(qPrintable(name)) << folder.filePath(name);
    QTest::newRow("binding.psf (memo, nested callouts)") << QStringLiteral(QUORVAN_APP_TEST_DATA_DIR "/binding.psf");
}

void PageLayoutsTest::everyInstalledLayoutBuildsAsTheFormLoaderBuildsIt()
{
    QFETCH(QString, path);
    QWidget host;
    host.resize(1100, 3300);
    PageLayouts layouts;
    QVERIFY(layouts.BuiltDirectly(path));
    std::unique_ptr<QWidget> direct(layouts.Build(path, &host));
    std::unique_ptr<QWidget> loaded(layouts.BuildWithFormLoader(path, &host));
    QVERIFY(direct && loaded);
    host.show();
    CompareTrees(direct.get(), loaded.get(), QString());
    if (QTest::currentTestFailed())
        return;
    // Tab and Enter move through the fields in the same order.
    QCOMPARE(FocusChain(direct.get()), FocusChain(loaded.get()));
}

void PageLayoutsTest::unknownLayoutGoesToTheFormLoaderAndChangesAreRead()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("page98.psf");
    QVERIFY(WriteText(path, QString::fromUtf8(kSmallLayout).arg(QString()).toUtf8()));
    PageLayouts layouts;
    QWidget host;
    std::unique_ptr<QWidget> page(layouts.Build(path, &host));
    QVERIFY(page && layouts.BuiltDirectly(path));

    // A property the builder does not set: the form loader builds the page, tip and all.
    QVERIFY(WriteText(path, QString::fromUtf8(kSmallLayout)
                                .arg("<property name=\"toolTip\"><string>Rents and royalties</string></property>")
                                .toUtf8()));
    page.reset(layouts.Build(path, &host));
    QVERIFY(page && !layouts.BuiltDirectly(path));
    QCOMPARE(page->findChild<QLabel*>("lbl1")->toolTip(), QString("Rents and royalties"));

    QVERIFY(WriteText(path, "not a layout"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Designer: .*"));
    QVERIFY(!layouts.Build(path, &host));
    QVERIFY(!layouts.Build(folder.filePath("missing.psf"), &host));
}

QTEST_MAIN(PageLayoutsTest)
#include "PageLayoutsTest.moc"
