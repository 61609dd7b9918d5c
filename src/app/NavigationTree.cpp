// The navigation tree: the preparer's steps, every form page by its page code, and the New,
// View and Delete items of the continuation schedules.

#include "Commands.h"

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

QTreeWidgetItem* Page(QTreeWidgetItem* parent, const QString& caption, const QString& name, int code)
{
    return Add(parent, caption, name, TreeAction::ShowPage, code);
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
    Page(scheduleD, QStringLiteral("Page &1"), QStringLiteral("tvwScheduleD_1"), 500);
    Page(scheduleD, QStringLiteral("Page &2"), QStringLiteral("tvwScheduleD_2"), 600);
    QTreeWidgetItem* form8949 = Group(scheduleD, QStringLiteral("Form 8949"), QStringLiteral("tvwForm8949"));
    const struct {
        const char* caption;
        const char* letter;
        int formType;
    } boxes[] = {
        {"Short Term Box A", "A", 29}, {"Short Term Box B", "B", 30}, {"Short Term Box C", "C", 31},
        {"Long Term Box D", "D", 32},  {"Long Term Box E", "E", 33},  {"Long Term Box F", "F", 34},
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
    Page(form1041, QStringLiteral("Page 1"), QStringLiteral("tvwPage1"), 100);
    Page(form1041, QStringLiteral("Page 2"), QStringLiteral("tvwPage2"), 200);
    AddScheduleD(form1041, commands);

    QTreeWidgetItem* scheduleI = Group(form1041, QStringLiteral("Schedule I"), QStringLiteral("tvwScheduleI"));
    Page(scheduleI, QStringLiteral("Page 1"), QStringLiteral("tvwScheduleI_1"), 300);
    Page(scheduleI, QStringLiteral("Page 2"), QStringLiteral("tvwScheduleI_2"), 400);
    Page(scheduleI, QStringLiteral("Page 3"), QStringLiteral("tvwScheduleI_3"), 2800);

    QTreeWidgetItem* scheduleJ = Group(form1041, QStringLiteral("Schedule J"), QStringLiteral("tvwScheduleJ"));
    Page(scheduleJ, QStringLiteral("Page 1"), QStringLiteral("tvwScheduleJ_1"), 700);
    Page(scheduleJ, QStringLiteral("Page 2"), QStringLiteral("tvwScheduleJ_2"), 800);

    QTreeWidgetItem* k1 = Group(form1041, QStringLiteral("Schedule K-1"), QStringLiteral("tvwScheduleK1"));
    ContinuationItems& k1Items = commands.continuation[9];
    k1Items.treeNew = Add(k1, QStringLiteral("New"), QStringLiteral("tvwSchedKNew"), TreeAction::NewForm, 9);
    k1Items.treeView = Add(k1, QStringLiteral("View"), QStringLiteral("tvwSchedKView"), TreeAction::ViewForm, 900);
    k1Items.treeDelete = Add(k1, QStringLiteral("Delete"), QStringLiteral("tvwSchedKDelete"), TreeAction::DeleteForm, 9);

    Continuation(Group(form1041, QStringLiteral("Interest"), QStringLiteral("tvwInterest")), QStringLiteral("Interest"), 18, commands);
    Continuation(Group(form1041, QStringLiteral("Dividends"), QStringLiteral("tvwDividends")), QStringLiteral("Dividends"), 19, commands);
    Continuation(Group(form1041, QStringLiteral("Other Deductions"), QStringLiteral("tvwOther")), QStringLiteral("Other"), 20, commands);
    Continuation(Group(form1041, QStringLiteral("2% Other Deductions"), QStringLiteral("tvwOther2")), QStringLiteral("Other2"), 26, commands);
}

void AddOtherForms(QTreeWidgetItem* review)
{
    QTreeWidgetItem* form1041A = Group(review, QStringLiteral("Form 1041-A"), QStringLiteral("tvwForm1041A"));
    Page(form1041A, QStringLiteral("Page 1"), QStringLiteral("tvwForm1041A_1"), 1000);
    Page(form1041A, QStringLiteral("Page 2"), QStringLiteral("tvwForm1041A_2"), 1100);

    QTreeWidgetItem* form1041ES = Group(review, QStringLiteral("Form 1041-ES"), QStringLiteral("tvwForm1041ES"));
    Page(form1041ES, QStringLiteral("Worksheet"), QStringLiteral("tvwESWorksheet"), 1200);
    Page(form1041ES, QStringLiteral("Max Cap Gains Rates Wrksht"), QStringLiteral("tvwESMaxCapGains"), 1600);
    Page(form1041ES, QStringLiteral("Vouchers"), QStringLiteral("tvwESVouchers"), 1300);

    Page(review, QStringLiteral("Form 1041-QFT"), QStringLiteral("tvwForm1041QFT"), 1400);
    Page(review, QStringLiteral("Form 1041-T"), QStringLiteral("tvwForm1041T"), 1500);
    Page(review, QStringLiteral("Form 1041-V"), QStringLiteral("tvwForm1041V"), 2400);

    QTreeWidgetItem* worksheets = Group(review, QStringLiteral("Worksheets"), QStringLiteral("tvwWorksheets"));
    Page(worksheets, QStringLiteral("Qualified Dividends"), QStringLiteral("tvwWorksheetQualDiv"), 2300);
    Page(worksheets, QStringLiteral("Schedule D Tax"), QStringLiteral("tvwWorksheetSchedDTax"), 2200);
    Page(worksheets, QStringLiteral("28% Rate Gain"), QStringLiteral("tvwWorksheet28Rate"), 2700);
    Page(worksheets, QStringLiteral("Capital Loss Carryover"), QStringLiteral("tvwWorksheetCapLoss"), 2500);
    Page(worksheets, QStringLiteral("Unrecaptured Sec 1250 Gain"), QStringLiteral("tvwWorksheet1250"), 2100);
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
    Page(follow, QStringLiteral("1 Form 1041"), QStringLiteral("tvwForm1041"), 100);
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
