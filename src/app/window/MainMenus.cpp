// The main menu bar (File, Display, Options, Window, Help), the hidden page-code item and the
// popup menu of page fields.

#include "app/commands/Commands.h"
#include "store/Answers.h"
#include "store/FormTypes.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace quorvan::app {
namespace {

QAction* Item(QMenu* menu, const char* name, const QString& text, const QKeySequence& shortcut = {})
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

// An item with the desktop's own keys for a standard command (Redo: Ctrl+Shift+Z and Ctrl+Y).
QAction* StandardItem(QMenu* menu, const char* name, const QString& text, QKeySequence::StandardKey key)
{
    QAction* action = Item(menu, name, text);
    action->setShortcuts(key);
    return action;
}

// The Display menu item of a form type's page, named and captioned by the form type table.
QAction* PageItem(QMenu* menu, MainCommands& commands, int formType)
{
    const FormTypeRow* row = FindFormType(formType);
    QAction* action = menu->addAction(QString::fromUtf8(row->menuText));
    action->setObjectName(QString::fromLatin1(row->menuItem));
    action->setProperty(kTagProperty, formType * 100);
    commands.displayPageItems.append(action);
    return action;
}

// "&New", "&View", "&Delete" of a continuation type; View carries the type's first page code.
void ContinuationMenu(QMenu* parent, MainCommands& commands, const QString& caption, const QString& stem, int formType)
{
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(QStringLiteral("mnu%1").arg(stem));
    ContinuationItems& items = commands.continuation[formType];
    items.newItem = Item(menu, "", QStringLiteral("&New"));
    items.newItem->setObjectName(QStringLiteral("mnu%1New").arg(stem));
    items.newItem->setProperty(kTagProperty, formType);
    items.view = Item(menu, "", QStringLiteral("&View"));
    items.view->setObjectName(QStringLiteral("mnu%1View").arg(stem));
    items.view->setProperty(kTagProperty, formType * 100);
    items.remove = Item(menu, "", QStringLiteral("&Delete"));
    items.remove->setObjectName(QStringLiteral("mnu%1Delete").arg(stem));
    items.remove->setProperty(kTagProperty, formType);
}

void BuildFileMenu(QMenuBar* bar, MainCommands& c)
{
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    c.mnuNew = Item(file, "mnuNew", QStringLiteral("&New"), QKeySequence(QStringLiteral("Ctrl+N")));
    c.mnuOpen = Item(file, "mnuOpen", QStringLiteral("&Open..."), QKeySequence(QStringLiteral("Ctrl+O")));
    c.mnuImport = Item(file, "mnuImport", QStringLiteral("Open 2015 FQ&5 File..."));
    c.mnuImportStatement = Item(file, "mnuImportStatement", QStringLiteral("&Import..."));
    c.mnuClose = Item(file, "mnuClose", QStringLiteral("&Close"), QKeySequence(QStringLiteral("Ctrl+W")));
    file->addSeparator();
    c.mnuSave = Item(file, "mnuSave", QStringLiteral("&Save"), QKeySequence(QStringLiteral("Ctrl+S")));
    c.mnuSaveAs = Item(file, "mnuSaveAs", QStringLiteral("Save &As..."));
    file->addSeparator();
    c.mnuPrint = Item(file, "mnuPrint", QStringLiteral("&Preview and Print..."), QKeySequence(QStringLiteral("Ctrl+P")));
    c.mnuPrintPreview = Item(file, "mnuPrintPreview", QStringLiteral("Print Pre&view..."));
    c.mnuExportPdf = Item(file, "mnuExportPdf", QStringLiteral("&Export PDF..."));
    file->addSeparator();
    c.mnuExit = Item(file, "mnuExit", QStringLiteral("E&xit"));
    c.HX_Line = file->addSeparator();
    c.HX_Line->setObjectName(QStringLiteral("HX_Line"));
    c.HX_Line->setVisible(false);
    for (int i = 0; i < 5; ++i) {
        c.HX[i] = file->addAction(QString());
        c.HX[i]->setObjectName(QStringLiteral("HX%1").arg(i));
        c.HX[i]->setProperty(kTagProperty, i);
        c.HX[i]->setVisible(false);
    }
}

void BuildEditMenu(QMenuBar* bar, MainCommands& c)
{
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    c.mnuEdit = edit;
    c.mnuUndo = StandardItem(edit, "mnuUndo", QStringLiteral("&Undo"), QKeySequence::Undo);
    c.mnuRedo = StandardItem(edit, "mnuRedo", QStringLiteral("&Redo"), QKeySequence::Redo);
    edit->addSeparator();
    c.mnuCut = StandardItem(edit, "mnuCut", QStringLiteral("Cu&t"), QKeySequence::Cut);
    c.mnuCopy = StandardItem(edit, "mnuCopy", QStringLiteral("&Copy"), QKeySequence::Copy);
    c.mnuPaste = StandardItem(edit, "mnuPaste", QStringLiteral("&Paste"), QKeySequence::Paste);
}

void BuildDisplayMenu(QMenuBar* bar, MainCommands& c)
{
    QMenu* display = bar->addMenu(QStringLiteral("&Display"));
    display->setObjectName(QStringLiteral("mnuDisplay"));
    c.mnuNextPage =
        Item(display, "mnuNextPage", QStringLiteral("&Next Page"), QKeySequence(QStringLiteral("Ctrl+PgDown")));
    c.mnuPriorPage =
        Item(display, "mnuPriorPage", QStringLiteral("&Prior Page"), QKeySequence(QStringLiteral("Ctrl+PgUp")));
    display->addSeparator();

    QMenu* form1041 = display->addMenu(QStringLiteral("&Form 1041"));
    PageItem(form1041, c, ftForm1041Page1);
    PageItem(form1041, c, ftForm1041Page2);
    ContinuationMenu(form1041, c, QStringLiteral("&Interest"), QStringLiteral("Interest"), ftInterest);
    ContinuationMenu(form1041, c, QStringLiteral("&Dividends"), QStringLiteral("Dividends"), ftDividend);
    ContinuationMenu(form1041, c, QStringLiteral("&Other Deductions"), QStringLiteral("Other"), ftOtherDeductions);
    ContinuationMenu(form1041, c, QStringLiteral("&2% Other Deductions"), QStringLiteral("Other2"), ftOther2);

    QMenu* scheduleD = display->addMenu(QStringLiteral("Schedule &D"));
    PageItem(scheduleD, c, ftScheduleDPage1);
    PageItem(scheduleD, c, ftScheduleDPage2);
    QMenu* shortTerm = scheduleD->addMenu(QStringLiteral("Form 8949 - &Short Term"));
    ContinuationMenu(shortTerm, c, QStringLiteral("Box &A"), QStringLiteral("BoxA"), ftForm8949A);
    ContinuationMenu(shortTerm, c, QStringLiteral("Box &B"), QStringLiteral("BoxB"), ftForm8949B);
    ContinuationMenu(shortTerm, c, QStringLiteral("Box &C"), QStringLiteral("BoxC"), ftForm8949C);
    QMenu* longTerm = scheduleD->addMenu(QStringLiteral("Form 8949 - &Long Term"));
    ContinuationMenu(longTerm, c, QStringLiteral("Box &D"), QStringLiteral("BoxD"), ftForm8949D);
    ContinuationMenu(longTerm, c, QStringLiteral("Box &E"), QStringLiteral("BoxE"), ftForm8949E);
    ContinuationMenu(longTerm, c, QStringLiteral("Box &F"), QStringLiteral("BoxF"), ftForm8949F);

    QMenu* scheduleI = display->addMenu(QStringLiteral("Schedule &I"));
    PageItem(scheduleI, c, ftScheduleIPage1);
    PageItem(scheduleI, c, ftScheduleIPage2);
    PageItem(scheduleI, c, ftScheduleIPage3);

    QMenu* scheduleJ = display->addMenu(QStringLiteral("Schedule &J"));
    PageItem(scheduleJ, c, ftScheduleJPage1);
    PageItem(scheduleJ, c, ftScheduleJPage2);

    PageItem(display, c, ftForm8960);
    PageItem(display, c, ftAllocationWorksheet);
    PageItem(display, c, ftForm2210);

    ContinuationMenu(display, c, QStringLiteral("Schedule &K-1"), QStringLiteral("ScheduleK1"), ftScheduleK1);

    QMenu* form1041A = display->addMenu(QStringLiteral("Form 1041-&A"));
    PageItem(form1041A, c, ftForm1041APage1);
    PageItem(form1041A, c, ftForm1041APage2);

    QMenu* form1041ES = display->addMenu(QStringLiteral("Form 1041-&ES"));
    PageItem(form1041ES, c, ftEstimatedWorksheet);
    PageItem(form1041ES, c, ftMaxCapGainsWorksheet);
    PageItem(form1041ES, c, ftEstimatedVouchers);

    PageItem(display, c, ftForm1041QFT);
    PageItem(display, c, ftForm1041T);
    PageItem(display, c, ftForm1041V);

    QMenu* worksheets = display->addMenu(QStringLiteral("&Worksheets"));
    PageItem(worksheets, c, ftQualifiedDividendsWorksheet);
    PageItem(worksheets, c, ftScheduleDTaxWorksheet);
    PageItem(worksheets, c, ftRate28Worksheet);
    PageItem(worksheets, c, ftCapitalLossCarryover);
    PageItem(worksheets, c, ftUnrecaptured1250);

    display->addSeparator();
    c.mnuReview = Item(display, "mnuReview", QStringLiteral("&Review Panel"));
    c.mnuReview->setCheckable(true);
}

void BuildOptionsMenu(QMenuBar* bar, MainCommands& c)
{
    QMenu* options = bar->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuTools"));
    c.mnuOverride = Item(options, "mnuOverride", QStringLiteral("&Override"), QKeySequence(QStringLiteral("Ctrl+Alt+V")));
    c.mnuCancelOverride = Item(options, "mnuCancelOverride", QStringLiteral("&Cancel Override"),
                               QKeySequence(QStringLiteral("Ctrl+Alt+U")));
    c.mnuK1Allocation = Item(options, "mnuK1Allocation", QStringLiteral("K-1 Allocation Dialog..."));
    options->addSeparator();
    QMenu* locations = options->addMenu(QStringLiteral("Default File Locations"));
    locations->setObjectName(QStringLiteral("mnuDefaultFileLocations"));
    c.mnuDefaultFQ5 = Item(locations, "mnuDefaultFQ5", QStringLiteral("Client Files (FQ6)"),
                           QKeySequence(QStringLiteral("Ctrl+Shift+F1")));
    c.mnuDefaultFQ5->setProperty(kTagProperty, 0);
    c.mnuDefaultFQ4 = Item(locations, "mnuDefaultFQ4", QStringLiteral("Prior Year Files (FQ5)"),
                           QKeySequence(QStringLiteral("Ctrl+Shift+F2")));
    c.mnuDefaultFQ4->setProperty(kTagProperty, 1);
    c.mnuDefaultTempDir = Item(locations, "mnuDefaultTempDir", QStringLiteral("Temporary RTF"));
    c.mnuDefaultTempDir->setProperty(kTagProperty, 2);
    options->addSeparator();
    c.mnuForceWord = Item(options, "mnuForceWord", QStringLiteral("&Force Word"));
    c.mnuForceWord->setCheckable(true);
    c.mnuFindWord = Item(options, "mnuFindWord", QStringLiteral("F&ind Word"));
    c.mnuForceWordPad = Item(options, "mnuForceWordPad", QStringLiteral("Force &WordPad"));
    c.mnuForceWordPad->setCheckable(true);
    options->addSeparator();
    c.mnuGraphicsAdapter = Item(options, "mnuGraphicsAdapter", QStringLiteral("&Graphics Adapter Adjust"));
    c.mnuGraphicsAdapter->setCheckable(true);
    c.mnuShrinkFont = Item(options, "mnuShrinkFont", QStringLiteral("&Shrink Font"));
}

void BuildWindowAndHelpMenus(QMenuBar* bar, MainCommands& c)
{
    QMenu* window = bar->addMenu(QStringLiteral("&Window"));
    window->setObjectName(QStringLiteral("mnuWindow"));
    c.mnuMinimize = Item(window, "mnuMinimize", QStringLiteral("&Minimize"), QKeySequence(QStringLiteral("Ctrl+M")));
    c.mnuZoom = Item(window, "mnuZoom", QStringLiteral("&Zoom..."));

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    c.mnuTableofContents = Item(help, "mnuTableofContents", QStringLiteral("&Table of Contents"), QKeySequence(Qt::Key_F1));
    c.mnuManual = Item(help, "mnuManual", QStringLiteral("&Manual"));
    c.mnuTutorial = Item(help, "mnuTutorial", QStringLiteral("T&utorial"));
    c.mnuPDF = Item(help, "mnuPDF", QStringLiteral("&PDF Resources..."));
    help->addSeparator();
    c.mnuAbout = Item(help, "mnuAbout", QStringLiteral("&About"));
}

}  // namespace

void BuildMenus(QMainWindow& window, MainCommands& commands)
{
    QMenuBar* bar = window.menuBar();
    BuildFileMenu(bar, commands);
    BuildEditMenu(bar, commands);
    BuildDisplayMenu(bar, commands);
    BuildOptionsMenu(bar, commands);
    BuildWindowAndHelpMenus(bar, commands);

    commands.mnuInvisible = new QAction(&window);
    commands.mnuInvisible->setObjectName(QStringLiteral("mnuInvisible"));
    commands.mnuInvisible->setVisible(false);
    commands.mnuInvisible->setProperty(kTagProperty, 0);

    commands.popMain = new QMenu(&window);
    commands.popMain->setObjectName(QStringLiteral("popMain"));
    commands.popOverride = Item(commands.popMain, "popOverride", QStringLiteral("Override"),
                                QKeySequence(QStringLiteral("Ctrl+E")));
    commands.popDontOverride = Item(commands.popMain, "popDontOverride", QStringLiteral("Cancel Override"),
                                    QKeySequence(QStringLiteral("Ctrl+U")));
    commands.popMain->addSeparator();
    // The popup's own: its shortcuts only show the keys of the Edit menu's items.
    commands.popUndo = StandardItem(commands.popMain, "popUndo", QStringLiteral("Undo"), QKeySequence::Undo);
    commands.popRedo = StandardItem(commands.popMain, "popRedo", QStringLiteral("Redo"), QKeySequence::Redo);
    commands.popMain->addSeparator();
    QAction* cut = commands.popMain->addAction(QStringLiteral("Cut"));
    cut->setObjectName(QStringLiteral("popCut"));
    QAction* copy = commands.popMain->addAction(QStringLiteral("Copy"));
    copy->setObjectName(QStringLiteral("popCopy"));
    QAction* paste = commands.popMain->addAction(QStringLiteral("Paste"));
    paste->setObjectName(QStringLiteral("popPaste"));
}

}  // namespace quorvan::app
