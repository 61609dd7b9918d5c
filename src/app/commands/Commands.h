#pragma once
// The places the window's commands live: the main menu, the popup menu of page fields, the icon
// toolbar, the labelled button bar and the navigation tree. The builders only create and name
// them; the window connects them to its handlers.

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <map>

class QAbstractButton;
class QAction;
class QMainWindow;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace quorvan::app {

// Dynamic property that carries a page code or form type on menu items, as on tree items.
inline constexpr char kTagProperty[] = "tag";

// The New, View and Delete entries of one continuation type in the Display menu and the tree.
struct ContinuationItems {
    QAction* newItem = nullptr;
    QAction* view = nullptr;
    QAction* remove = nullptr;
    QTreeWidgetItem* treeNew = nullptr;
    QTreeWidgetItem* treeView = nullptr;
    QTreeWidgetItem* treeDelete = nullptr;
};

struct MainCommands {
    // File
    QAction* mnuNew = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuImport = nullptr;
    QAction* mnuImportStatement = nullptr;  // File > Import...: TXF and CSV data files
    QAction* mnuClose = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuSaveAs = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuPrintPreview = nullptr;
    QAction* mnuExportPdf = nullptr;
    QAction* mnuExit = nullptr;
    QAction* HX_Line = nullptr;
    std::array<QAction*, 5> HX{};
    // Edit
    QMenu* mnuEdit = nullptr;
    QAction* mnuUndo = nullptr;
    QAction* mnuRedo = nullptr;
    QAction* mnuCut = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuPaste = nullptr;
    // Options
    QAction* mnuOverride = nullptr;
    QAction* mnuCancelOverride = nullptr;
    QAction* mnuK1Allocation = nullptr;
    QAction* mnuDefaultFQ5 = nullptr;
    QAction* mnuDefaultFQ4 = nullptr;
    QAction* mnuDefaultTempDir = nullptr;
    QAction* mnuForceWord = nullptr;
    QAction* mnuFindWord = nullptr;
    QAction* mnuForceWordPad = nullptr;
    QAction* mnuGraphicsAdapter = nullptr;
    QAction* mnuShrinkFont = nullptr;
    // Window
    QAction* mnuMinimize = nullptr;
    // Display > Review Panel
    QAction* mnuReview = nullptr;
    QAction* mnuZoom = nullptr;
    // Help
    QAction* mnuTableofContents = nullptr;
    QAction* mnuManual = nullptr;
    QAction* mnuTutorial = nullptr;
    QAction* mnuPDF = nullptr;
    QAction* mnuAbout = nullptr;
    // Carries the page code of displays that no menu or tree item starts.
    QAction* mnuInvisible = nullptr;
    // Display: the next and prior page, as the Next and Prior buttons.
    QAction* mnuNextPage = nullptr;
    QAction* mnuPriorPage = nullptr;
    // Items of the Display menu that show a page (their tag is the page code).
    QList<QAction*> displayPageItems;
    // Popup menu of page fields
    QMenu* popMain = nullptr;
    QAction* popOverride = nullptr;
    QAction* popDontOverride = nullptr;
    QAction* popUndo = nullptr;
    QAction* popRedo = nullptr;
    // By continuation form type (9, 18, 19, 20, 26, 29 to 34).
    std::map<int, ContinuationItems> continuation;
    // Icon toolbar and labelled button bar, as pairs.
    QWidget* pnlToolBar = nullptr;
    QWidget* pnlCaptionButtonBar = nullptr;
    QAbstractButton* cbtnNew = nullptr;
    QAbstractButton* cbtnOpen = nullptr;
    QAbstractButton* cbtnSave = nullptr;
    QAbstractButton* cbtnPrint = nullptr;
    QAbstractButton* cbtnPrintPreview = nullptr;
    QAbstractButton* cbtnPrior = nullptr;
    QAbstractButton* cbtnNext = nullptr;
    QAbstractButton* cbtnRefresh = nullptr;
    QAbstractButton* cbtnOverride = nullptr;
    QAbstractButton* cbtnCancelOverride = nullptr;
    QAbstractButton* cbtnKinWk = nullptr;
    QAbstractButton* cbtnExit = nullptr;
    QAbstractButton* cbtnReview = nullptr;
    QAbstractButton* cbtnSmlNew = nullptr;
    QAbstractButton* cbtnSmlOpen = nullptr;
    QAbstractButton* cbtnSmlSave = nullptr;
    QAbstractButton* cbtnSmlPrint = nullptr;
    QAbstractButton* cbtnSmlPrior = nullptr;
    QAbstractButton* cbtnSmlNext = nullptr;
    QAbstractButton* cbtnSmlRefresh = nullptr;
    QAbstractButton* cbtnSmlOverride = nullptr;
    QAbstractButton* cbtnSmlCancelOverride = nullptr;
    QAbstractButton* cbtnSmlKinWk = nullptr;
    QAbstractButton* cbtnSmlExit = nullptr;
    QAbstractButton* cbtnSmlReview = nullptr;
};

// What a tree item does when clicked.
enum class TreeAction { Expand, ShowPage, SaveAs, Print, NewForm, ViewForm, DeleteForm };

// Roles of the data a tree item carries (Qt tree items have no object name of their own).
inline constexpr int kTreeTagRole = 0x0101;     // page code or form type
inline constexpr int kTreeNameRole = 0x0102;    // "tvwPage1"
inline constexpr int kTreeActionRole = 0x0103;  // TreeAction

// The main menu bar, the hidden page-code item and the popup menu.
void BuildMenus(QMainWindow& window, MainCommands& commands);
// The two bars above the page, created inside `parent`.
void BuildCommandBars(QWidget* parent, MainCommands& commands);
// Every item of the navigation tree.
void BuildNavigationTree(QTreeWidget* tree, MainCommands& commands);

int TagOfItem(const QTreeWidgetItem* item);
TreeAction ActionOfItem(const QTreeWidgetItem* item);
QTreeWidgetItem* FindTreeItem(QTreeWidget* tree, const QString& name);
// Tree item by its caption path, e.g. {"Follow These Steps", "3 Review Forms"}.
QTreeWidgetItem* FindTreeItemByPath(QTreeWidget* tree, const QStringList& captions);

}  // namespace quorvan::app
