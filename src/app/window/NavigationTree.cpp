// The navigation tree: the preparer's steps, every form page by its page code, and the New,
// View and Delete items of the continuation schedules.

#include "app/commands/Commands.h"
#include "store/Answers.h"
#include "store/FormTypes.h"

#include <QTreeWidget>
#include <QTreeWidgetItem>

namespace quorvan::app {
namespace {

// Tree items show no accelerators: "Page &1" reads "Page 1", "Name && Save" reads "Name & Save".
QString WithoutAccelerators(const QString& caption)
{
    QString shown;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

QTreeWidgetItem* Add(QTreeWidgetItem* parent, const QString& caption, const QString& name,
                     TreeAction action, int tag = 0)
{
    auto* item = new QTreeWidgetItem(parent, QStringList(WithoutAccelerators(caption)));
    item->setData(0, kTreeNameRole, name);
    item->setData(0, kTreeTagRole, tag);
    item->setData(0, kTreeActionRole, static_cast<int>(action));
    return item;
}

QTreeWidgetItem* Group(QTreeWidgetItem* parent, const QString& caption, const QString& name)
{
    return Add(parent, caption, name, TreeAction::Expand);
}

// The tree item of a form type's page, named and captioned by the form type table.
QTreeWidgetItem* Page(QTreeWidgetItem* parent, int formType)
{
    const FormTypeRow* row = FindFormType(formType);
    return Add(parent, QString::fromUtf8(row->treeText), QString::fromLatin1(row->treeItem), TreeAction::ShowPage,
               formType * 100);
}

// "New", "View", "Delete" below a continuation group.
void Continuation(QTreeWidgetItem* group, const QString& stem, int formType, MainCommands& commands)
{
    ContinuationItems& items = commands.continuation[formType];
    items.treeNew = Add(group, QStringLiteral("New"), QStringLiteral("tvw%1New").arg(stem), TreeAction::NewForm, formType);
    items.treeView = Add(group, QStringLiteral("View"), QStringLiteral("tvw%1View").arg(stem), TreeAction::ViewForm,
                         formType * 100);
    items.treeDelete = Add(group, QStringLiteral("Delete"), QStringLiteral("tvw%1Delete").arg(stem),
                           TreeAction::DeleteForm, formType);
}

void AddScheduleD(QTreeWidgetItem* form1041, MainCommands& commands)
{
    QTreeWidgetItem* scheduleD = Group(form1041, QStringLiteral("Schedule D"), QStringLiteral("tvwScheduleD"));
    Page(scheduleD, ftScheduleDPage1);
    Page(scheduleD, ftScheduleDPage2);
    QTreeWidgetItem* form8949 = Group(scheduleD, QStringLiteral("Form 8949"), QStringLiteral("tvwForm8949"));
    const struct {
        const char* caption;
        const char* letter;
        int formType;
    } boxes[] = {
        {"Short Term Box A", "A", ftForm8949A}, {"Short Term Box B", "B", ftForm8949B},
        {"Short Term Box C", "C", ftForm8949C}, {"Long Term Box D", "D", ftForm8949D},
        {"Long Term Box E", "E", ftForm8949E},  {"Long Term Box F", "F", ftForm8949F},
    };
    for (const auto& box : boxes) {
        const QString stem = QStringLiteral("Box") + QLatin1String(box.letter);
        QTreeWidgetItem* group = Group(form8949, QLatin1String(box.caption), QStringLiteral("tvw") + stem);
        Continuation(group, stem, box.formType, commands);
    }
}

void AddForm1041(QTreeWidgetItem* review, MainCommands& commands)
{
    QTreeWidgetItem* form1041 = Group(review, QStringLiteral("Form 1041"), QStringLiteral("tvwReviewForm1041"));
    Page(form1041, ftForm1041Page1);
    Page(form1041, ftForm1041Page2);
    AddScheduleD(form1041, commands);

    QTreeWidgetItem* scheduleI = Group(form1041, QStringLiteral("Schedule I"), QStringLiteral("tvwScheduleI"));
    Page(scheduleI, ftScheduleIPage1);
    Page(scheduleI, ftScheduleIPage2);
    Page(scheduleI, ftScheduleIPage3);

    QTreeWidgetItem* scheduleJ = Group(form1041, QStringLiteral("Schedule J"), QStringLiteral("tvwScheduleJ"));
    Page(scheduleJ, ftScheduleJPage1);
    Page(scheduleJ, ftScheduleJPage2);

    Page(form1041, ftForm8960);

    QTreeWidgetItem* k1 = Group(form1041, QStringLiteral("Schedule K-1"), QStringLiteral("tvwScheduleK1"));
    ContinuationItems& k1Items = commands.continuation[ftScheduleK1];
    k1Items.treeNew = Add(k1, QStringLiteral("New"), QStringLiteral("tvwSchedKNew"), TreeAction::NewForm, ftScheduleK1);
    k1Items.treeView =
        Add(k1, QStringLiteral("View"), QStringLiteral("tvwSchedKView"), TreeAction::ViewForm, ftScheduleK1 * 100);
    k1Items.treeDelete =
        Add(k1, QStringLiteral("Delete"), QStringLiteral("tvwSchedKDelete"), TreeAction::DeleteForm, ftScheduleK1);

    Continuation(Group(form1041, QStringLiteral("Interest"), QStringLiteral("tvwInterest")), QStringLiteral("Interest"),
                 ftInterest, commands);
    Continuation(Group(form1041, QStringLiteral("Dividends"), QStringLiteral("tvwDividends")),
                 QStringLiteral("Dividends"), ftDividend, commands);
    Continuation(Group(form1041, QStringLiteral("Other Deductions"), QStringLiteral("tvwOther")),
                 QStringLiteral("Other"), ftOtherDeductions, commands);
    Continuation(Group(form1041, QStringLiteral("2% Other Deductions"), QStringLiteral("tvwOther2")),
                 QStringLiteral("Other2"), ftOther2, commands);
}

void AddOtherForms(QTreeWidgetItem* review)
{
    QTreeWidgetItem* form1041A = Group(review, QStringLiteral("Form 1041-A"), QStringLiteral("tvwForm1041A"));
    Page(form1041A, ftForm1041APage1);
    Page(form1041A, ftForm1041APage2);

    QTreeWidgetItem* form1041ES = Group(review, QStringLiteral("Form 1041-ES"), QStringLiteral("tvwForm1041ES"));
    Page(form1041ES, ftEstimatedWorksheet);
    Page(form1041ES, ftMaxCapGainsWorksheet);
    Page(form1041ES, ftEstimatedVouchers);

    Page(review, ftForm1041QFT);
    Page(review, ftForm1041T);
    Page(review, ftForm1041V);

    QTreeWidgetItem* worksheets = Group(review, QStringLiteral("Worksheets"), QStringLiteral("tvwWorksheets"));
    Page(worksheets, ftQualifiedDividendsWorksheet);
    Page(worksheets, ftScheduleDTaxWorksheet);
    Page(worksheets, ftRate28Worksheet);
    Page(worksheets, ftCapitalLossCarryover);
    Page(worksheets, ftUnrecaptured1250);
}

QTreeWidgetItem* FindBelow(QTreeWidgetItem* item, const QString& name)
{
    if (item->data(0, kTreeNameRole).toString() == name)
        return item;
    for (int i = 0; i < item->childCount(); ++i)
        if (QTreeWidgetItem* found = FindBelow(item->child(i), name))
            return found;
    return nullptr;
}

}  // namespace

void BuildNavigationTree(QTreeWidget* tree, MainCommands& commands)
{
    tree->setObjectName(QStringLiteral("TreeView1"));
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    QTreeWidgetItem* root = tree->invisibleRootItem();
    QTreeWidgetItem* follow = Group(root, QStringLiteral("Follow These Steps"), QStringLiteral("tvwFollow"));
    Add(follow, QStringLiteral("1 Form 1041"), QStringLiteral("tvwForm1041"), TreeAction::ShowPage,
        ftForm1041Page1 * 100);
    Add(follow, QStringLiteral("2 Name && Save File"), QStringLiteral("tvwNameAndSave"), TreeAction::SaveAs);
    QTreeWidgetItem* review = Group(follow, QStringLiteral("3 Review Forms"), QStringLiteral("tvwReview"));
    AddForm1041(review, commands);
    AddOtherForms(review);
    Add(follow, QStringLiteral("4 Preview && Print"), QStringLiteral("tvwPrinting"), TreeAction::Print);
}

int TagOfItem(const QTreeWidgetItem* item)
{
    return item ? item->data(0, kTreeTagRole).toInt() : 0;
}

TreeAction ActionOfItem(const QTreeWidgetItem* item)
{
    return item ? static_cast<TreeAction>(item->data(0, kTreeActionRole).toInt()) : TreeAction::Expand;
}

QTreeWidgetItem* FindTreeItem(QTreeWidget* tree, const QString& name)
{
    return FindBelow(tree->invisibleRootItem(), name);
}

QTreeWidgetItem* FindTreeItemByPath(QTreeWidget* tree, const QStringList& captions)
{
    QTreeWidgetItem* item = tree->invisibleRootItem();
    for (const QString& caption : captions) {
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < item->childCount() && !next; ++i)
            if (item->child(i)->text(0) == caption)
                next = item->child(i);
        if (!next)
            return nullptr;
        item = next;
    }
    return item;
}

}  // namespace quorvan::app
